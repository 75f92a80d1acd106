// Recording from the input device into the temporary record file.
#pragma once

namespace pelkit {

struct AppState;

// Command 1019: empties the record file and sets the data size to 0.
void bufferReset(AppState& app);

}  // namespace pelkit

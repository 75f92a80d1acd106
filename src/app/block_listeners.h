// What other features do with each block playback refills: the sub sound setting dialog's
// refresh, the wave micro edit's cursor range, the real-time capture. Playback only calls them.
#pragma once

namespace pelkit {

struct AppState;

// Registers the block listeners on APP's playback; once per run.
void registerBlockListeners(AppState& app);

}  // namespace pelkit

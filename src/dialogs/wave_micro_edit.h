// The wave micro edit dialog WAVE_EDIT (menu command 40010): a cursor over the frames of the
// block at the play position, the left and right 16-bit values of the frame under it, and the
// write that puts that frame into the main sound's file in place.
#pragma once

namespace pelkit {

struct AppState;

// Opens the dialog beside the main window, which stays usable; nothing when it is open already.
void openMicroEdit(AppState& app);

}  // namespace pelkit

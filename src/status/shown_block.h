// The waveform windows' picture of the sound at rest: the block at the play position.
#pragma once

namespace pelkit {

struct AppState;

// Reads the block at the play position of the current file into the display buffer through a
// stream of its own (the play stream stays where it is), silence past the end, and asks for
// the waveform windows' repaint. The picture starts at the front of that block.
void showBlockAtPosition(AppState& app);

}  // namespace pelkit

// The main window's playback commands as table entries.
#pragma once

#include <vector>

#include "state/command_table.h"

namespace pelkit {

// Play, pause, stop, reverse, repeat, the range switch, the skip marks, continuous play and the
// 16-bit conversion, the high-quality stretch switches.
std::vector<CommandEntry> playbackCommands();

}  // namespace pelkit

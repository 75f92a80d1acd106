// The main window's commands that open the record options and micro edit dialogs, as table
// entries (the keyboard's are in keyboard_dialog.h).
#pragma once

#include <vector>

#include "state/command_table.h"

namespace pelkit {

std::vector<CommandEntry> dialogCommands();

}  // namespace pelkit

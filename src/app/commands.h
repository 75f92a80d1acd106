// The main window's command dispatcher: every button, menu entry and command another window or
// the program itself sends arrives here as an identifier. Sending a command runs it to the end
// before the sender goes on.
#pragma once

#include <cstdint>

#include "state/command_table.h"

namespace pelkit {

struct AppState;

// Runs command ID with its parameter. Everything else sends commands through the command sink
// (sendCommand), which leads here.
void dispatchCommand(AppState& app, int id, int32_t param = 0);

// Every feature's command entries and the application's own, merged once.
const CommandTable& mainWindowCommands();

}  // namespace pelkit

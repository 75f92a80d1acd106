// The file edits as the main window runs them: the edit dialog, the commands it forwards, the
// edits themselves run slice by slice from the event loop (one at a time, the others waiting in
// order), their progress and their end, and the real-time capture of playback.
//
// An edit reads the main file through a stream of its own, so it never moves or cuts off a
// running playback; playback and edits go on side by side.
#pragma once

#include <cstdint>
#include <vector>

#include "state/command_table.h"

namespace pelkit {

struct AppState;

// Command 1057: opens the edit dialog (once; a second press leaves the open one as it is).
void openFileEditDialog(AppState& app);

// Commands 1055, 1506, 1043, 1046, 1049, 1050, 1154 (PARAM: the division count) and 1058
// (PARAM: the speed buffer): the edit starts now, or when the edits before it have ended. The
// settings it uses are those in force now.
void requestEdit(AppState& app, int id, int32_t param);

// Stops the edit under way (removing what it has written) and drops the waiting ones.
void cancelEdits(AppState& app);

// Whether an edit is under way.
bool editRunning(AppState& app);

// Command 1062: the blocks of the next playback (or of this one, from now on) are captured into
// the main file's "-real" file, named now.
void startCapture(AppState& app);

// Playback's output device has closed: a capture gets its header and is put in place.
void finishCapture(AppState& app);

// The program ends: edits under way are cancelled and a capture that never played is dropped.
void endFileEdits(AppState& app);

// The entries of the commands above, of the noise-off switch 1060 and of the speed-up percentage
// 1061 (PARAM) the dialog sends.
std::vector<CommandEntry> editCommands();

}  // namespace pelkit

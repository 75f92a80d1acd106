// Operation sequences: recording a performance of sub sounds over the main sound, replaying it,
// and the sequence files (".ts1") that keep the set-up it belongs to.
#pragma once

#include <optional>
#include <string>

namespace pelkit {

struct AppState;

// 1117: a sequence file is chosen and the set-up written to it: the main file, the assigned
// slots, the armed slots with their start positions, the skip pairs.
void saveSequence(AppState& app);
// 1118: a sequence file is chosen and loaded (through 1132).
void openSequence(AppState& app);
// 1122: sub sounds started from now on are armed; the first time, a file is chosen to save to.
void recordSequence(AppState& app);
// 1121: every slot stops and rewinds, armed slots may start again, and the main sound plays.
void replaySequence(AppState& app);

// 1132, first part: the set-up of the sequence file app.chosenFile becomes the program's (slots,
// arms, skip pairs, pan), and MAINFILE the main file it names, for the caller to load. False
// when the file was refused or cannot be read: the user was told and nothing changed.
bool loadSequenceSetup(AppState& app, std::optional<std::string>& mainFile);

// The main pan changed: a sequence file being written gets a "pan:VALUE" line.
void recordPanChange(AppState& app);

}  // namespace pelkit

// Operation sequences: recording a performance of sub sounds over the main sound, replaying it,
// and the sequence files (".ts1") that keep the set-up it belongs to.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "state/command_table.h"

namespace pelkit {

struct AppState;

// 1117: a sequence file is chosen and the set-up written to it: the main file, the assigned
// slots, the armed slots with their start positions, the skip pairs.
void saveSequence(AppState& app);
// 1118: a sequence file is chosen and loaded (through 1132).
void openSequence(AppState& app);
// 1122: sub sounds started from now on are armed; the first time, a file is chosen to save to.
void recordSequence(AppState& app);
// The sequence field: "sequence recording." while a sequence is being recorded, else the main
// file played.
void showSequenceStatus(AppState& app);
// 1121: every slot stops and rewinds, armed slots may start again, and the main sound plays.
void replaySequence(AppState& app);
// The entries of the four commands above.
std::vector<CommandEntry> sequenceCommands();

// What a loaded sequence file leaves for the caller: the main file it names, to load, and the
// slots it gave files (0-based, in order).
struct SequenceLoad {
    std::optional<std::string> mainFile;
    std::vector<int32_t> slots;
};

// 1132, first part: the set-up of the sequence file app.chosenFile becomes the program's (slots,
// arms, skip pairs, pan). False when the file was refused or cannot be read (the user was told)
// or a stop signal came while it was read (the program is closing): nothing changed then.
bool loadSequenceSetup(AppState& app, SequenceLoad& result);

// The main pan changed: a sequence file being written gets a "pan:VALUE" line.
void recordPanChange(AppState& app);

}  // namespace pelkit

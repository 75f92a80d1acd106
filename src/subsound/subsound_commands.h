// The sub sound bank as the main window drives it: the "sub sound" group's rows over a block of
// five slots, the commands the "all" dialog sends with a slot index, and the opening of the
// "all" and "setting" dialogs.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "state/command_table.h"

namespace pelkit {

struct AppState;

// At the main window's initialisation: 200 idle slots, and ">" buttons that follow them
// (disabled, as no slot has a file yet).
void createSubSounds(AppState& app);
// At the main window's close: the sub sound dialogs end and every slot's file is closed.
void destroySubSounds(AppState& app);

// The rows of the shown block and the "all" window as the slots stand: a slot with a file can be
// started (its ">" enabled, its number on its "all" button), and each names its file in its hint.
// Called whenever slots get files, however they get them.
void showSubSoundSlots(AppState& app);

// Names, in one warning, each of the slots at INDEXES whose file cannot be opened or is not a
// readable WAV file (it would only fall silent when started); says nothing when all can play.
void warnUnplayableSlots(AppState& app, const std::vector<int32_t>& indexes);

// The main window's sub sound commands: the rows' buttons, the block buttons, the commands the
// "all" dialog sends with a slot index as PARAM (an index outside 0..199 does nothing), and the
// opening of the "all" and "setting" dialogs.
// Makes PATH the file of slot INDEX (a WAV file: another format's working copy once made).
void assignSlotFile(AppState& app, int64_t index, const std::string& path);

std::vector<CommandEntry> subSoundCommands();

}  // namespace pelkit

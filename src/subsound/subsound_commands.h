// The sub sound bank as the main window drives it: the "sub sound" group's rows over a block of
// five slots, the commands the "all" dialog sends with a slot index, and the opening of the
// "all" and "setting" dialogs.
#pragma once

#include <cstdint>
#include <vector>

namespace pelkit {

struct AppState;

// At the main window's initialisation: 200 idle slots, and ">" buttons that follow them
// (disabled, as no slot has a file yet).
void createSubSounds(AppState& app);
// At the main window's close: the sub sound dialogs end and every slot's file is closed.
void destroySubSounds(AppState& app);

// Whether ID is one of the sub sound commands of the main window: 1069..1073, 1080..1084,
// 1090..1094, 1100, 1101, 1102, 1104..1106, 1108 and 1113.
bool isSubSoundCommand(int id);
// Names, in one warning, each of the slots at INDEXES whose file cannot be opened or is not a
// readable WAV file (it would only fall silent when started); says nothing when all can play.
void warnUnplayableSlots(AppState& app, const std::vector<int32_t>& indexes);

// Runs it; PARAM is the slot index of 1104..1106 (an index outside 0..199 does nothing).
void subSoundCommand(AppState& app, int id, int32_t param);

}  // namespace pelkit

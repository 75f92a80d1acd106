// Takes kept as FLAC too: a switch (kept in the settings file) that has each finished take, and
// each of its numbered parts, also written as NAME.flac beside NAME.wav once the take's files are
// finished and synced. The WAV file stays the working file.
#pragma once

#include <string>
#include <vector>

#include "state/command_table.h"

namespace pelkit {

struct AppState;
class SettingsFile;

// Reads "flactakes" of [init] (0 or missing: off).
void loadFlacTakeSettings(AppState& app, const SettingsFile& settings);
// "flac-takes": inverts the switch and writes it to the settings file.
void toggleFlacTakes(AppState& app);

// With the switch on, writes the FLAC file of each finished WAV file in WAVS (the parts of a
// take, in order), after asking before a FLAC file holding sound is replaced; the FLAC files
// written when the same take was PAUSED are its own and are replaced without a question. While
// the program is closing the files are written at once, else as a job with progress.
void keepTakesAsFlac(AppState& app, const std::vector<std::string>& wavs, bool paused);

std::vector<CommandEntry> flacTakeCommands();

}  // namespace pelkit

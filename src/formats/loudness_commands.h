// The loudness of the main sound (EBU R128: integrated loudness, loudness range, true peak),
// measured in a streaming pass and shown in the loudness window and a message, and its normalised
// copy.
#pragma once

#include <vector>

#include "state/command_table.h"

namespace pelkit {

struct AppState;

// Measures the main file and shows the result.
void measureLoudness(AppState& app);
// Writes NAME_norm.wav: the main sound scaled to the target loudness (TARGET LUFS when not 0,
// else the one kept, -16 LUFS at first), with its true peak held at or below -1 dBTP.
void normalise(AppState& app, int32_t target);
// The same at TARGET LUFS, which is kept as the target for the next one.
void normaliseTo(AppState& app, double target);

std::vector<CommandEntry> loudnessCommands();

}  // namespace pelkit

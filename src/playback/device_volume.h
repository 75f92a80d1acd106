// The output device's volume, set from the "wav volume" factor and the two channel levels.
#pragma once

#include <cstdint>

namespace pelkit {

struct AppState;

// The 32-bit volume word: right channel in the high 16 bits, left in the low 16 bits, each
// percent x 65535 / 100 with percent = trunc(level x volume x 0.5).
uint32_t volumeWord(int32_t leftLevel, int32_t rightLevel, float wavVolume);

// Applies the current volume to the output device.
void applyOutputVolume(AppState& app);

}  // namespace pelkit

// The main sound's header as the window knows it, and the repair of its data size.
#pragma once

#include <cstdint>
#include <string>

#include "platform/wave_format.h"

namespace pelkit {

struct AppState;

// Reads PATH's header into the main sound's state: dataSize always; format, extraHeaderBytes
// (0 when invalid), frame size and the position step only for a valid header.
// REFUSAL, when given, receives why a readable file cannot be played (its encoding, sample size,
// channels or rate), or nothing.
bool readMainHeader(AppState& app, const std::string& path, std::string* refusal = nullptr);

// Makes FORMAT, DATASIZE and EXTRAHEADERBYTES those of the main sound.
void adoptHeader(AppState& app, const WaveFormat& format, uint32_t dataSize,
                 int32_t extraHeaderBytes);

// Rewrites the data size in the header of the main file after asking the user (command 40022):
// everything after the header becomes the sound, chunks after the data included, and the
// question says so when there are such bytes.
void OverwriteDataSize(AppState& app);

}  // namespace pelkit

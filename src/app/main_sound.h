// WAV operations on the program's own files: the main sound's header, its play stream, the
// data size repair, and the finishing of recorded takes into their final names.
#pragma once

#include <cstdint>
#include <string>

#include "platform/wave_format.h"

namespace pelkit {

struct AppState;

// Reads PATH's header into the main sound's state: dataSize always; format, extraHeaderBytes
// (0 when invalid), frame size and the position step only for a valid header.
bool readMainHeader(AppState& app, const std::string& path);

// Rewrites the data size in the header of the main file after asking the user (command 40022).
void OverwriteDataSize(AppState& app);

// Gives TEMPPATH its final header and moves it to FINALPATH. Returns the data size, or 0 when
// the temporary file holds no sound ("zero" is shown and no file changes). A take that cannot
// be moved to FINALPATH is kept under another name, and the user is told where.
uint32_t FinishRecordedFile(AppState& app, const WaveFormat& format, const std::string& finalPath,
                            const std::string& tempPath);

// Finishes the temporary record file and its PARTS numbered parts into FINALPATH and its
// numbered names; returns the sum of their data sizes.
uint32_t FinishRecordedFiles(AppState& app, const WaveFormat& format, const std::string& finalPath,
                             int32_t parts);

}  // namespace pelkit

// The outputs of the file edits: their names, formats and headers.
#pragma once

#include <cstdint>
#include <string>

#include "files/staged_file.h"
#include "files/wav_format.h"

namespace pelkit {

enum class EditOutput { Cut, Left, Right, Centre, Join, SpeedChange, Capture };

// The output name of an edit of the main file FILE_NAME: "_Rif", "_L", "_R", "_M", "_LR",
// "-up" and "-real" put before its extension. The parts of a division are NumberedName's.
std::string editOutputName(EditOutput output, const std::string& fileName);

// The format of an output with CHANNELS channels and the sample rate and size of HEADER.
WaveFormat outputFormat(const WavHeaderInfo& header, int channels);

// The data size a header can hold: SIZE, or 0xFFFFFFFF for anything larger.
uint32_t headerDataSize(uint64_t size);

// Opens OUT for PATH (under TOKEN, see StagedFile) and writes the 44-byte header for FORMAT and
// DATA_SIZE. False, with OUT's error set, when either fails.
bool openOutput(StagedFile& out, const std::string& path, const WaveFormat& format,
                uint64_t dataSize, const std::string& token = {});

}  // namespace pelkit

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

// Opens OUT for PATH (under TOKEN, see StagedFile) and writes a 44-byte header for FORMAT whose
// sizes say "not yet known" until setTrueSizes. False, with OUT's error set, when either fails.
bool openOutput(StagedFile& out, const std::string& path, const WaveFormat& format,
                const std::string& token = {});

// Gives the 44-byte header of OUT the sizes of what OUT holds now: RIFF size = file size - 8,
// data size = the bytes after the header (each held to 32 bits). False, with OUT's error set,
// when the write fails.
bool setTrueSizes(StagedFile& out);

// setTrueSizes, then OUT is committed into place.
bool finishOutput(StagedFile& out);

}  // namespace pelkit

// The sound of a WAV file as the program reads it (its own header reader: the data chunk, or
// everything after the header when its size is not credible), as frames of numbers, in blocks.
// For the passes that measure, scale or encode a whole file.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "files/file_stream.h"
#include "files/wav_format.h"

namespace pelkit {

class WavFrames {
  public:
    // Opens PATH; empty when its sound can be read, else a sentence naming it and saying why not.
    std::string open(const std::string& path);

    const WaveFormat& format() const { return info_.format; }
    const WavHeaderInfo& header() const { return info_; }
    uint64_t totalFrames() const { return totalFrames_; }
    uint64_t framesRead() const { return framesRead_; }
    bool isFloat() const { return info_.format.formatTag == 3; }

    // Reads up to FRAMES frames; returns the frames read (0 at the end or on a read error, see
    // failed()). Integers are left-aligned in 32 bits (8-bit sound made signed); floats are the
    // samples over full scale (integers divided by 2^31; float samples as stored).
    size_t read(int32_t* out, size_t frames);
    size_t read(float* out, size_t frames);
    // The raw bytes of the next FRAMES frames (as stored).
    size_t readBytes(uint8_t* out, size_t frames);
    bool failed() const { return failed_; }

  private:
    FileStream in_;
    WavHeaderInfo info_;
    uint64_t totalFrames_ = 0;
    uint64_t framesRead_ = 0;
    std::vector<uint8_t> raw_;
    bool failed_ = false;
};

}  // namespace pelkit

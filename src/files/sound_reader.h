// Reads the sound data of a WAV file through a stream of its own, so a reader never moves
// anyone else's stream. The sound starts at the data start (44 + extra header bytes) and ends
// at the end of the file, or earlier where the data chunk says so: chunks that follow the sound
// (tags, cue lists) are never read as sound.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "files/file_stream.h"
#include "files/wav_format.h"

namespace pelkit {

// Bytes of sound in PATH whose header was read as HEADER: from the data start to the end of the
// file, at most HEADER.dataSize, and at most the data chunk's own size when the chunk header
// before the data start gives a real one (not 0 and not the FF FF FF FF of an unfinished file).
uint32_t soundBytesOf(FileStream& in, const WavHeaderInfo& header);

class SoundReader {
  public:
    // Opens PATH, whose header was read as HEADER, and places the read point START bytes into
    // the sound (at most at its end). False, with error() set, when the file cannot be opened.
    bool open(const std::string& path, const WavHeaderInfo& header, uint64_t start = 0);

    uint32_t soundBytes() const { return soundBytes_; }
    uint64_t position() const { return position_; }
    uint64_t remaining() const { return soundBytes_ - position_; }

    // Reads up to N bytes; fewer only at the end of the sound. A file that ends early or cannot
    // be read sets error() and returns what was obtained. Small reads are served from a buffer
    // filled ahead (a chunk of a few bytes costs no call of the system); large ones go straight
    // to the file.
    size_t read(uint8_t* buffer, size_t n);
    // Places the read point POSITION bytes into the sound (at most at its end).
    void seek(uint64_t position);

    bool failed() const { return !error_.empty(); }
    const std::string& error() const { return error_; }

  private:
    // Reads N bytes of the file into OUT (GOT of them came); what failed when fewer came.
    std::string readFile(uint8_t* out, size_t n, size_t& got);

    FileStream in_;
    std::vector<uint8_t> ahead_;  // bytes read ahead: ahead_[aheadAt_, aheadEnd_) is unread
    size_t aheadAt_ = 0, aheadEnd_ = 0;
    std::string aheadError_;  // why the read ahead stopped short; told once it is reached
    std::string path_;
    std::string error_;
    int64_t dataStart_ = kCanonicalHeaderSize;
    uint32_t soundBytes_ = 0;
    uint64_t position_ = 0;
};

}  // namespace pelkit

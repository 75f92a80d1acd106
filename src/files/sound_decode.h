// Decoding a sound in another format into a WAV working copy, in one streaming pass, a block per
// step, through a staged file: the copy appears only when it is complete, and a failure or a
// cancel leaves no partial file and an older file of the same name as it was.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "files/byte_source.h"
#include "files/sound_input.h"
#include "files/staged_file.h"

namespace pelkit {

// Whether the bytes of IN begin as a RIFF/WAVE file: such files take the program's own WAV path.
bool startsAsWav(ByteSource& in);

// Whether PATH should be decoded into a working copy before it is worked on: an existing file that
// does not begin as a WAV file and either has the extension of a format libsndfile reads or is
// recognised by it. Files that are not (a missing file, a WAV file, anything else) keep the WAV
// path.
bool needsDecoding(const std::string& path);

// The working copy's name for SOURCE: the source's name with the extension ".wav" in its place
// (song.flac -> song.wav); a source that already ends in ".wav" gets "_dec.wav".
std::string workingCopyName(const std::string& source);

// Frames decoded per step.
inline constexpr int64_t kDecodeFrames = 16384;

class SoundDecode {
  public:
    enum class Step { More, Done, Failed };

    // Opens SOURCE_PATH and the staged OUTPUT. Returns empty when ready, else why not (nothing
    // is then written).
    std::string open(const std::string& sourcePath, const std::string& output);
    // The same over bytes already open (NAME words the messages).
    std::string open(std::unique_ptr<ByteSource> source, const std::string& name,
                     const std::string& output);

    // Decodes one block; Done once the copy is in place, Failed (see error()) when it cannot be
    // made, leaving nothing behind.
    Step step();
    // Stops and removes what has been written.
    void cancel();

    const std::string& error() const { return error_; }
    const WaveFormat& format() const { return format_; }
    uint64_t dataBytes() const { return dataBytes_; }
    // Progress through the source's bytes.
    int64_t done() const { return input_.bytesRead(); }
    int64_t total() const { return input_.bytesTotal(); }

  private:
    Step failWith(std::string message);
    Step finish();

    std::unique_ptr<ByteSource> source_;
    SoundInput input_;
    StagedFile out_;
    std::string name_;
    WaveFormat format_;
    uint64_t dataBytes_ = 0;
    std::vector<int32_t> ints_;
    std::vector<float> floats_;
    std::vector<uint8_t> bytes_;
    std::string error_;
    bool finished_ = false;
};

}  // namespace pelkit

// Sound in the formats libsndfile reads (FLAC, Ogg Vorbis, Opus, MP3, AIFF, ...), read in blocks
// from a byte source, so the same reader runs on a file and on bytes in memory (tests, fuzzing).
#pragma once

#include <cstdint>
#include <string>

#include "files/byte_source.h"
#include "platform/wave_format.h"

namespace pelkit {

// The widest layout the program plays.
inline constexpr int kMaxDecodedChannels = 8;

class SoundInput {
  public:
    SoundInput() = default;
    ~SoundInput();
    SoundInput(const SoundInput&) = delete;
    SoundInput& operator=(const SoundInput&) = delete;

    // Opens the sound in IN (it must outlive this object); NAME only words the reason. Returns
    // empty when the sound can be read, else a sentence naming NAME and saying why not.
    std::string open(ByteSource& in, const std::string& name);
    bool isOpen() const { return file_ != nullptr; }

    int channels() const { return channels_; }
    int rate() const { return rate_; }
    int64_t frames() const { return frames_; }  // as the file says; may be an estimate (MP3)
    // The libsndfile major format and encoding (SF_FORMAT_TYPEMASK / SUBMASK parts).
    int major() const { return major_; }
    int encoding() const { return encoding_; }
    // A short name of the file's format ("FLAC", "Ogg Vorbis", ...).
    std::string formatName() const;

    // Reads up to FRAMES frames, interleaved; returns the frames read (0 at the end).
    // Integers come left-aligned in their type, floats within -1..1 for integer sources.
    int64_t read(int16_t* out, int64_t frames);
    int64_t read(int32_t* out, int64_t frames);
    int64_t read(float* out, int64_t frames);
    // The error libsndfile last reported while reading (empty: none).
    std::string readError() const;

    // How far through its bytes the reader is (for progress).
    int64_t bytesRead() const { return position_; }
    int64_t bytesTotal() const { return size_; }

    // libsndfile's access to the bytes (used by its callbacks).
    int64_t seekTo(int64_t offset, int whence);
    int64_t readBytes(void* buffer, int64_t n);

  private:
    void* file_ = nullptr;  // SNDFILE*
    ByteSource* in_ = nullptr;
    int64_t position_ = 0;
    int64_t size_ = 0;
    int channels_ = 0;
    int rate_ = 0;
    int64_t frames_ = 0;
    int major_ = 0;
    int encoding_ = 0;
};

// The WAV format the working copy of INPUT is written in: the nearest the program plays.
// 8- and 16-bit integer encodings (and companded or ADPCM ones) as 16-bit PCM, 24-bit (and
// 20-bit) as 24-bit PCM, 32-bit integers as 32-bit PCM, and everything else (float, lossy codecs)
// as 32-bit float, which keeps a decoder's overshoot beyond full scale.
WaveFormat workingFormatFor(const SoundInput& input);

}  // namespace pelkit

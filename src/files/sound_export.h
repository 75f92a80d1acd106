// Writing the sound of a WAV file in another format (FLAC, Ogg Vorbis, Opus, MP3, or WAV again)
// through libsndfile, in one streaming pass, a block per step, into a staged file: the export
// appears only when it is complete, and a failure or a cancel leaves no partial file and an older
// file of the same name as it was.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "files/staged_file.h"
#include "files/wav_frames.h"

namespace pelkit {

enum class ExportFormat { Wav, Flac, Vorbis, Opus, Mp3 };

// The format an export to PATH is written in, by its extension (.wav, .flac, .ogg/.oga, .opus,
// .mp3, in any case); none for any other name.
std::optional<ExportFormat> exportFormatFor(const std::string& path);
// "FLAC", "Ogg Vorbis", ...
const char* exportFormatName(ExportFormat format);

struct ExportQuality {
    int flacLevel = 5;  // FLAC compression level, 0 (fastest) to 8 (smallest)
    int lossyQuality =
        6;  // Vorbis, Opus and MP3: 0 (smallest) to 10 (best); Opus 8*Q kbit/s a channel
};

// The rate an Opus export of sound at RATE is written at: Opus takes only 8, 12, 16, 24 and
// 48 kHz, so the smallest of those at or above RATE (48 kHz above that).
int opusRateFor(int rate);

// Frames read per step.
inline constexpr size_t kExportFrames = 16384;

class SoundExport {
  public:
    enum class Step { More, Done, Failed };
    SoundExport();
    ~SoundExport();
    SoundExport(const SoundExport&) = delete;
    SoundExport& operator=(const SoundExport&) = delete;

    // Opens the WAV file SOURCE and the staged OUTPUT. Empty when ready, else why not (nothing is
    // then written).
    std::string open(const std::string& source, const std::string& output, ExportFormat format,
                     const ExportQuality& quality = {});
    // Writes one block; Done once the file is in place, Failed (see error()) when it cannot be
    // made, leaving nothing behind.
    Step step();
    // Stops and removes what has been written.
    void cancel();

    const std::string& error() const { return error_; }
    uint64_t done() const { return frames_.framesRead(); }
    uint64_t total() const { return frames_.totalFrames(); }
    int sourceRate() const { return frames_.format().samplesPerSecond; }
    // The rate written (differs from the source's for Opus at other rates).
    int outputRate() const { return outputRate_; }

    // libsndfile's access to the staged file (used by its callbacks).
    int64_t seekTo(int64_t offset, int whence);
    int64_t writeBytes(const void* data, int64_t n);
    int64_t position() const { return position_; }
    int64_t size() const { return static_cast<int64_t>(out_.size()); }

  private:
    struct Encoder;
    void openEncoder(const ExportQuality& quality);
    Step failWith(std::string message);
    Step finish();
    bool writeFloats(const float* data, size_t frames);

    WavFrames frames_;
    StagedFile out_;
    std::unique_ptr<Encoder> encoder_;
    std::string output_;
    ExportFormat format_ = ExportFormat::Flac;
    bool asFloat_ = false;
    int outputRate_ = 0;
    int64_t position_ = 0;
    std::vector<int32_t> ints_;
    std::vector<float> floats_;
    std::vector<float> resampled_;
    std::vector<uint8_t> bytes_;
    std::string error_;
    bool finished_ = false;
};

}  // namespace pelkit

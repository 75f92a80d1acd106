// Loudness by EBU R128 / ITU-R BS.1770 (libebur128): integrated loudness, loudness range and true
// peak of a WAV file, measured in one streaming pass; and the normalised copy of a file, scaled
// to a target loudness with its true peak held under a ceiling, written through a staged file.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "files/staged_file.h"
#include "files/wav_frames.h"

namespace pelkit {

struct Loudness {
    double integrated = 0;  // LUFS; -infinity for silence
    double range = 0;       // LU
    double truePeak = 0;    // dBTP; -infinity for silence
};

// "-23.0 LUFS, range 5.2 LU, true peak -1.3 dBTP" (silence: "-inf LUFS ...").
std::string describe(const Loudness& l);

// Frames measured or scaled per step.
inline constexpr size_t kLoudnessFrames = 65536;

class LoudnessMeter {
  public:
    LoudnessMeter();
    ~LoudnessMeter();
    LoudnessMeter(const LoudnessMeter&) = delete;
    LoudnessMeter& operator=(const LoudnessMeter&) = delete;

    // Opens PATH; empty when it can be measured, else why not.
    std::string open(const std::string& path);
    // Measures one block; false once the whole file is measured (or a read failed: error()).
    bool step();
    Loudness result() const;
    const std::string& error() const { return error_; }
    uint64_t done() const { return frames_.framesRead(); }
    uint64_t total() const { return frames_.totalFrames(); }

  private:
    struct State;
    WavFrames frames_;
    std::unique_ptr<State> state_;
    std::vector<float> block_;
    std::string error_;
};

// The gain that brings MEASURED to TARGET (LUFS), held down so that the true peak stays at or
// below CEILING (dBTP); limited says that the ceiling decided it.
struct NormaliseGain {
    double gainDb = 0;
    bool limited = false;
};
NormaliseGain normaliseGain(const Loudness& measured, double target, double ceiling = -1.0);

// Writes the sound of a WAV file, scaled by a gain, into a new WAV file of the same format
// (staged: it appears only when complete). Integer samples are scaled in double precision,
// clamped to their range and truncated toward zero.
class ScaledCopy {
  public:
    enum class Step { More, Done, Failed };
    std::string open(const std::string& source, const std::string& output, double gainDb);
    Step step();
    void cancel();
    const std::string& error() const { return error_; }
    uint64_t done() const { return frames_.framesRead(); }
    uint64_t total() const { return frames_.totalFrames(); }

  private:
    Step failWith(std::string message);
    WavFrames frames_;
    StagedFile out_;
    double gain_ = 1;
    uint64_t written_ = 0;
    std::vector<uint8_t> bytes_;
    std::string error_;
    bool finished_ = false;
};

}  // namespace pelkit

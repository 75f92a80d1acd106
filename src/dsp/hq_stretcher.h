// The high-quality stretch: tempo and pitch changed independently by a phase vocoder (the
// Rubber Band library), as an alternative to the segment method of the speed and pitch stage.
// The library stays behind this header; samples go in and out as interleaved floats, and the
// helpers below convert the 8-bit unsigned and 16-bit signed PCM the program plays.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

namespace pelkit {

// R2 ("faster") costs a fraction of R3 ("finer"); R3 sounds cleaner on complex material.
enum class HqEngine { Faster, Finer };

struct HqStretchConfig {
    int sampleRate = 44100;
    int channels = 2;
    bool realTime = true;  // false: offline, with a study pass over the whole input first
    HqEngine engine = HqEngine::Faster;
    bool formantsPreserved = false;
};

class HqStretcher {
  public:
    explicit HqStretcher(const HqStretchConfig& config);
    ~HqStretcher();
    HqStretcher(const HqStretcher&) = delete;
    HqStretcher& operator=(const HqStretcher&) = delete;

    const HqStretchConfig& config() const { return config_; }

    // Output duration / input duration, and output pitch / input pitch. In real time they may
    // change between pushes; the stretcher moves to the new values smoothly.
    void setTimeRatio(double ratio);
    void setPitchScale(double scale);
    void setFormantsPreserved(bool on);
    double timeRatio() const { return timeRatio_; }
    double pitchScale() const { return pitchScale_; }

    // Forgets all input and output. The next push starts a new stream.
    void reset();

    // Offline only, before any push: lets the stretcher see the whole input once (FINAL on the
    // last part), and says how long it is.
    void study(const float* interleaved, size_t frames, bool final);
    void setExpectedInputFrames(size_t frames);

    // Feeds FRAMES interleaved frames; what the stretcher makes of them is collected and can be
    // pulled. FINAL flushes the stretcher's tail; a stream that was finished takes no more input
    // until reset. Output frame k always corresponds to input time k x the time ratio: the
    // stretcher's start delay is trimmed.
    void push(const float* interleaved, size_t frames, bool final = false);

    size_t available() const { return (out_.size() - outRead_) / channels(); }
    // Moves up to FRAMES frames of output to OUT; returns how many.
    size_t pull(float* interleaved, size_t frames);
    // Drops all but the first FRAMES frames of the collected output.
    void truncateOutput(size_t frames);

    // Input frames the stretcher holds back before its output starts (its start delay), at the
    // ratios now set.
    size_t startDelayFrames() const;
    bool finished() const { return finished_; }

  private:
    size_t channels() const { return static_cast<size_t>(config_.channels); }
    void prime();
    void feed(const float* interleaved, size_t frames, bool final);
    void collect();

    struct Library;
    HqStretchConfig config_;
    std::unique_ptr<Library> lib_;
    double timeRatio_ = 1.0;
    double pitchScale_ = 1.0;
    bool primed_ = false;
    bool finished_ = false;
    size_t discard_ = 0;         // output frames still to drop: the start delay
    double inputTime_ = 0;       // output frames the input so far should make
    size_t produced_ = 0;        // output frames collected so far
    std::vector<float> out_;     // collected output, interleaved
    size_t outRead_ = 0;         // samples of out_ already pulled
    std::vector<float> planar_;  // one channel after another, for the library
    std::vector<float> grab_;
};

// The high-quality stretch of playback between blocks: the stretcher of the stream now playing
// and what the playback stage keeps beside it.
struct HqStretchWork {
    std::unique_ptr<HqStretcher> stretcher;
    std::vector<float> samples;  // one block's samples as floats
    bool flowing = false;        // output has begun; from now on every full block is filled
    uint32_t leadFrames = 0;     // silence put ahead of the stream's output: the added latency
    uint32_t shortBlocks = 0;    // full reads whose block the stretcher could not fill

    // The next block begins a new stream.
    void restart() {
        if (stretcher) stretcher->reset();
        flowing = false;
    }
};

// PCM <-> interleaved floats in -1..1. BITS is 8 (unsigned) or 16 (signed little-endian).
void pcmToFloat(const uint8_t* pcm, size_t samples, int bits, float* out);
// Clamped to the sample range and truncated toward zero.
void floatToPcm(const float* in, size_t samples, int bits, uint8_t* pcm);

}  // namespace pelkit

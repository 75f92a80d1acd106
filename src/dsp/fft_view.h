// The musician's spectrum: the magnitude spectrum of the block being heard, per channel, as bars
// on a logarithmic frequency axis (20 Hz to 20 kHz, or to half the rate) with a dB scale, sized
// for a waveform window (248 x 110 pixels; the bars stand on y 107 and reach up to y 3 at
// 0 dBFS). Windowed (Hann) transforms of 4096 frames, half overlapping, their powers averaged
// over the block (Welch's method).
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <vector>

struct fftwf_plan_s;

namespace pelkit {

inline constexpr int kFftViewWidth = 248;
inline constexpr int kFftBarCount = 62;
inline constexpr int kFftBarPitch = kFftViewWidth / kFftBarCount;  // 4 pixels per bar
inline constexpr int kFftBarBase = 107;                            // y of the bars' feet
inline constexpr int kFftMaxHeight = 104;                          // up to y 3
// One pixel per dB: 0 dBFS fills the height, -104 dBFS and below is the floor (height 0).
inline constexpr double kFftFloorDb = -104.0;
inline constexpr double kFftLowestHz = 20.0;
inline constexpr double kFftHighestHz = 20000.0;
inline constexpr uint32_t kFftSize = 4096;

struct FftBars {
    // Heights in pixels, 0 .. kFftMaxHeight; bar b spans x = 4b .. 4b + 2.
    std::array<int32_t, kFftBarCount> left{};
    std::array<int32_t, kFftBarCount> right{};
};

// The frequency range of the axis for RATE: bar b covers low x (high / low)^(b / 62) up to the
// next bar's start.
double fftAxisLowHz(uint32_t rate);
double fftAxisHighHz(uint32_t rate);

// Holds the transform plan and all work space, made once; compute() allocates nothing. The
// plan is made on the constructing thread (the FFTW planner is not thread-safe), so make views
// on the main thread.
class FftView {
  public:
    FftView();
    ~FftView();
    FftView(const FftView&) = delete;
    FftView& operator=(const FftView&) = delete;

    // Bars for the whole frames of BLOCK: 8-bit unsigned, 16- or 24-bit signed samples, one or
    // two channels interleaved left then right (mono shows the same bars on both sides). For
    // another format, a rate of 0 or no whole frame, every bar is at the floor and the result
    // is false.
    bool compute(std::span<const uint8_t> block, int32_t bitsPerSample, int32_t channels,
                 uint32_t rate);
    const FftBars& bars() const { return bars_; }

  private:
    void prepareWindow(uint32_t length);
    void prepareBands(uint32_t rate);
    void accumulate(const uint8_t* frames, uint32_t length, uint32_t frameSize,
                    uint32_t bytesPerSample, std::vector<double>& power);
    void toBars(const std::vector<double>& power, double scale,
                std::array<int32_t, kFftBarCount>& heights) const;

    float* in_ = nullptr;
    float (*out_)[2] = nullptr;
    fftwf_plan_s* plan_ = nullptr;
    std::vector<float> window_;
    uint32_t windowLength_ = 0;
    double windowSum_ = 0;
    std::vector<double> power_[2];
    std::array<uint32_t, kFftBarCount> firstBin_{};
    std::array<uint32_t, kFftBarCount> lastBin_{};
    uint32_t bandsRate_ = 0;
    FftBars bars_;
};

}  // namespace pelkit

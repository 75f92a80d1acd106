#include "dsp/fft_view.h"

#include <fftw3.h>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace pelkit {

namespace {

constexpr uint32_t kBins = kFftSize / 2 + 1;
constexpr uint32_t kHop = kFftSize / 2;

// A sample as a fraction of full scale.
float sampleAt(const uint8_t* p, uint32_t bytesPerSample) {
    switch (bytesPerSample) {
        case 1:
            return (static_cast<int>(p[0]) - 128) / 128.0f;
        case 2:
            return static_cast<int16_t>(static_cast<uint16_t>(p[0] | (p[1] << 8))) / 32768.0f;
        default: {
            // 24-bit: the three bytes in the top of a 32-bit word keep the sign.
            auto v = static_cast<int32_t>(static_cast<uint32_t>(p[0]) << 8 |
                                          static_cast<uint32_t>(p[1]) << 16 |
                                          static_cast<uint32_t>(p[2]) << 24);
            return static_cast<float>(v / 256) / 8388608.0f;
        }
    }
}

}  // namespace

double fftAxisHighHz(uint32_t rate) {
    return std::min(kFftHighestHz, rate / 2.0);
}

double fftAxisLowHz(uint32_t rate) {
    // Very low rates keep four octaves on the axis.
    return std::min(kFftLowestHz, fftAxisHighHz(rate) / 16.0);
}

FftView::FftView()
    : window_(kFftSize, 0.0f),
      power_{std::vector<double>(kBins, 0.0), std::vector<double>(kBins, 0.0)} {
    in_ = fftwf_alloc_real(kFftSize);
    out_ = fftwf_alloc_complex(kBins);
    std::fill_n(in_, kFftSize, 0.0f);
    plan_ = fftwf_plan_dft_r2c_1d(static_cast<int>(kFftSize), in_, out_, FFTW_ESTIMATE);
}

FftView::~FftView() {
    fftwf_destroy_plan(plan_);
    fftwf_free(out_);
    fftwf_free(in_);
}

void FftView::prepareWindow(uint32_t length) {
    if (length == windowLength_) return;
    windowLength_ = length;
    windowSum_ = 0;
    for (uint32_t n = 0; n < length; ++n) {
        double w = length > 1 ? 0.5 - 0.5 * std::cos(2 * std::numbers::pi * n / (length - 1)) : 1;
        window_[n] = static_cast<float>(w);
        windowSum_ += window_[n];
    }
}

void FftView::prepareBands(uint32_t rate) {
    if (rate == bandsRate_) return;
    bandsRate_ = rate;
    const double df = static_cast<double>(rate) / kFftSize;
    const double low = fftAxisLowHz(rate), high = fftAxisHighHz(rate);
    auto edge = [&](int b) {
        return low * std::pow(high / low, static_cast<double>(b) / kFftBarCount);
    };
    for (int b = 0; b < kFftBarCount; ++b) {
        // The bins whose centre frequency lies in the bar; a bar narrower than a bin takes the
        // bin nearest its middle.
        double lo = edge(b), hi = edge(b + 1);
        auto first = static_cast<uint32_t>(std::ceil(lo / df));
        auto next = static_cast<uint32_t>(std::ceil(hi / df));
        if (next <= first) {
            first = static_cast<uint32_t>(std::lround(std::sqrt(lo * hi) / df));
            next = first + 1;
        }
        firstBin_[b] = std::clamp<uint32_t>(first, 1, kBins - 1);
        lastBin_[b] = std::clamp<uint32_t>(next - 1, firstBin_[b], kBins - 1);
    }
}

void FftView::accumulate(const uint8_t* frames, uint32_t length, uint32_t frameSize,
                         uint32_t bytesPerSample, std::vector<double>& power) {
    for (uint32_t n = 0; n < length; ++n)
        in_[n] = sampleAt(frames + static_cast<size_t>(n) * frameSize, bytesPerSample) * window_[n];
    std::fill(in_ + length, in_ + kFftSize, 0.0f);
    fftwf_execute(plan_);
    for (uint32_t k = 0; k < kBins; ++k) {
        double re = out_[k][0], im = out_[k][1];
        power[k] += re * re + im * im;
    }
}

void FftView::toBars(const std::vector<double>& power, double scale,
                     std::array<int32_t, kFftBarCount>& heights) const {
    for (int b = 0; b < kFftBarCount; ++b) {
        double p = 0;
        for (uint32_t k = firstBin_[b]; k <= lastBin_[b]; ++k)
            p = std::max(p, power[k]);
        double db = p > 0 ? 10 * std::log10(p * scale) : kFftFloorDb;
        heights[b] = static_cast<int32_t>(std::clamp(db - kFftFloorDb, 0.0, double{kFftMaxHeight}));
    }
}

bool FftView::compute(std::span<const uint8_t> block, int32_t bitsPerSample, int32_t channels,
                      uint32_t rate) {
    bars_ = FftBars{};
    const bool known = (bitsPerSample == 8 || bitsPerSample == 16 || bitsPerSample == 24) &&
                       (channels == 1 || channels == 2) && rate > 0;
    if (!known) return false;
    const auto bytesPerSample = static_cast<uint32_t>(bitsPerSample / 8);
    const uint32_t frameSize = bytesPerSample * static_cast<uint32_t>(channels);
    const size_t frames = block.size() / frameSize;
    if (frames == 0) return false;

    // Segments of 4096 frames spread evenly over the block, about half overlapping; a shorter
    // block is one segment, windowed over its own length.
    const auto length = static_cast<uint32_t>(std::min<size_t>(frames, kFftSize));
    const size_t spare = frames - length;
    const size_t segments = spare == 0 ? 1 : 1 + (spare + kHop - 1) / kHop;
    prepareWindow(length);
    prepareBands(rate);
    for (int c = 0; c < channels; ++c) {
        std::fill(power_[c].begin(), power_[c].end(), 0.0);
        for (size_t s = 0; s < segments; ++s) {
            size_t start = segments > 1 ? s * spare / (segments - 1) : 0;
            accumulate(block.data() + start * frameSize + c * bytesPerSample, length, frameSize,
                       bytesPerSample, power_[c]);
        }
    }
    // A full-scale sine on a bin gives |X| = sum(w) / 2: scaled to 0 dB.
    const double scale = 4.0 / (windowSum_ * windowSum_ * static_cast<double>(segments));
    toBars(power_[0], scale, bars_.left);
    if (channels == 2) {
        toBars(power_[1], scale, bars_.right);
    } else {
        bars_.right = bars_.left;
    }
    return true;
}

}  // namespace pelkit

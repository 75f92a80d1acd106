// The musician's spectrum view: a sine stands in the bar of its frequency at its level in dB,
// silence is the floor, and the two channels are independent.
#include "dsp/fft_view.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

namespace pelkit {
namespace {

using Bytes = std::vector<uint8_t>;

// The middle frequency of bar B on the axis from LOW to HIGH (62 bars, equal ratios).
double barMiddle(int b, double low, double high) {
    return low * std::pow(high / low, (b + 0.5) / 62.0);
}

// FRAMES frames of a sine per channel (frequency 0: silence), AMPLITUDE a fraction of full
// scale, as BITS-bit samples.
Bytes sines(uint32_t frames, int channels, int bits, uint32_t rate, std::vector<double> hz,
            double amplitude) {
    Bytes b;
    for (uint32_t n = 0; n < frames; ++n) {
        for (int c = 0; c < channels; ++c) {
            double v =
                hz[c] > 0 ? amplitude * std::sin(2 * std::numbers::pi * hz[c] * n / rate) : 0;
            if (bits == 8) {
                b.push_back(static_cast<uint8_t>(std::lround(128 + 127 * v)));
            } else {
                auto s = static_cast<int16_t>(std::lround(32767 * v));
                b.push_back(static_cast<uint8_t>(s & 0xFF));
                b.push_back(static_cast<uint8_t>((s >> 8) & 0xFF));
            }
        }
    }
    return b;
}

int peakBar(const std::array<int32_t, kFftBarCount>& bars) {
    return static_cast<int>(std::max_element(bars.begin(), bars.end()) - bars.begin());
}

TEST(FftView, ASineStandsInItsBarAtItsLevel) {
    struct Case {
        const char* what;
        uint32_t bytes;
        int channels, bits;
        uint32_t rate;
        int leftBar, rightBar;  // -1: silent channel
        double amplitude;       // 0.5 is -6 dBFS
    };
    const Case cases[] = {
        {"default block", 49152, 2, 16, 44100, 40, 52, 0.5},
        {"swapped", 49152, 2, 16, 44100, 52, 40, 0.5},
        {"left only", 49152, 2, 16, 44100, 30, -1, 0.5},
        {"right only", 49152, 2, 16, 44100, -1, 45, 0.5},
        {"quiet", 49152, 2, 16, 44100, 35, 35, 0.01},
        {"short block", 4096, 2, 16, 44100, 44, 50, 0.5},
        {"odd block", 6006, 2, 16, 48000, 48, 36, 0.5},
        {"mono", 24576, 1, 16, 22050, 38, 38, 0.5},
        {"8-bit mono", 12288, 1, 8, 8000, 45, 45, 0.5},
        {"8-bit stereo", 49152, 2, 8, 11025, 33, 55, 0.5},
    };
    FftView view;
    for (const Case& c : cases) {
        const double low = fftAxisLowHz(c.rate), high = fftAxisHighHz(c.rate);
        auto hz = [&](int bar) { return bar < 0 ? 0.0 : barMiddle(bar, low, high); };
        const uint32_t frames = c.bytes / static_cast<uint32_t>(c.channels * c.bits / 8);
        Bytes block =
            sines(frames, c.channels, c.bits, c.rate, {hz(c.leftBar), hz(c.rightBar)}, c.amplitude);
        ASSERT_TRUE(view.compute(block, c.bits, c.channels, c.rate)) << c.what;
        const int level = static_cast<int>(kFftMaxHeight + 20 * std::log10(c.amplitude));
        struct Side {
            const std::array<int32_t, kFftBarCount>& bars;
            int bar;
        };
        for (Side s : {Side{view.bars().left, c.leftBar}, Side{view.bars().right, c.rightBar}}) {
            if (s.bar < 0) {
                EXPECT_EQ(*std::max_element(s.bars.begin(), s.bars.end()), 0) << c.what;
                continue;
            }
            EXPECT_EQ(peakBar(s.bars), s.bar) << c.what;
            // At most the window's scalloping (1.5 dB) below the sine's level, never above.
            EXPECT_LE(s.bars[s.bar], level) << c.what;
            EXPECT_GE(s.bars[s.bar], level - 2) << c.what;
            // Bars well away from it stay far down (16-bit: near the floor).
            for (int b = 0; b < kFftBarCount; ++b) {
                if (std::abs(b - s.bar) >= 5) {
                    ASSERT_LE(s.bars[b], std::max(0, c.bits == 8 ? level - 40 : level - 70))
                        << c.what << ", bar " << b;
                }
            }
        }
    }
}

TEST(FftView, SilenceAndUnknownFormatsGiveTheFloor) {
    struct Case {
        const char* what;
        Bytes block;
        int bits, channels;
        uint32_t rate;
        bool known;
    };
    const Case cases[] = {
        {"16-bit zeros", Bytes(49152, 0), 16, 2, 44100, true},
        {"8-bit centre", Bytes(4000, 128), 8, 1, 8000, true},
        {"no whole frame", Bytes(3, 0x40), 16, 2, 44100, false},
        {"32-bit", Bytes(4096, 0x40), 32, 2, 44100, false},
        {"three channels", Bytes(4096, 0x40), 16, 3, 44100, false},
        {"rate 0", Bytes(4096, 0x40), 16, 2, 0, false},
    };
    FftView view;
    const Bytes loud = sines(12288, 2, 16, 44100, {1000, 3000}, 0.9);
    for (const Case& c : cases) {
        // Whatever the block before showed is gone.
        view.compute(loud, 16, 2, 44100);
        EXPECT_EQ(view.compute(c.block, c.bits, c.channels, c.rate), c.known) << c.what;
        for (int b = 0; b < kFftBarCount; ++b) {
            ASSERT_EQ(view.bars().left[b], 0) << c.what << ", bar " << b;
            ASSERT_EQ(view.bars().right[b], 0) << c.what << ", bar " << b;
        }
    }
}

}  // namespace
}  // namespace pelkit

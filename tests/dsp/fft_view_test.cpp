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

// FRAMES frames with, per channel, a sine in the middle of bar BARS[c] (-1: silence) on the
// axis for RATE (62 bars of equal frequency ratio), at AMPLITUDE of full scale.
Bytes sines(uint32_t frames, int channels, int bits, uint32_t rate, std::array<int, 2> bars,
            double amplitude) {
    const double low = fftAxisLowHz(rate), high = fftAxisHighHz(rate);
    Bytes b;
    for (uint32_t n = 0; n < frames; ++n) {
        for (int c = 0; c < channels; ++c) {
            double hz = low * std::pow(high / low, (bars[c] + 0.5) / 62.0);
            double v = bars[c] < 0 ? 0 : amplitude * std::sin(2 * std::numbers::pi * hz * n / rate);
            auto s = static_cast<int16_t>(std::lround(32767 * v));
            if (bits == 8) b.push_back(static_cast<uint8_t>(std::lround(128 + 127 * v)));
            if (bits == 16) b.insert(b.end(), {uint8_t(s & 0xFF), uint8_t((s >> 8) & 0xFF)});
        }
    }
    return b;
}

TEST(FftView, ASineStandsInItsBarAtItsLevel) {
    struct Case {
        uint32_t bytes;
        int channels, bits;
        uint32_t rate;
        std::array<int, 2> bars;
        double amplitude;  // 0.5 is -6 dBFS
    };
    const Case cases[] = {
        {49152, 2, 16, 44100, {40, 52}, 0.5},  {49152, 2, 16, 44100, {52, -1}, 0.5},
        {49152, 2, 16, 48000, {-1, 30}, 0.01}, {6006, 2, 16, 44100, {44, 50}, 0.5},
        {24576, 1, 16, 22050, {38, 38}, 0.5},  {12288, 1, 8, 8000, {45, 45}, 0.5},
        {49152, 2, 16, 44100, {-1, -1}, 0.0},  {4000, 1, 8, 8000, {-1, -1}, 0.0},  // silence
    };
    FftView view;
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.bytes << " bytes, " << c.bits << " bits, bars "
                                          << c.bars[0] << " " << c.bars[1]);
        const auto frames = c.bytes / static_cast<uint32_t>(c.channels * c.bits / 8);
        ASSERT_TRUE(view.compute(sines(frames, c.channels, c.bits, c.rate, c.bars, c.amplitude),
                                 c.bits, c.channels, c.rate));
        const std::array<int32_t, kFftBarCount>* sides[] = {&view.bars().left, &view.bars().right};
        for (int side = 0; side < 2; ++side) {
            const auto& bars = *sides[side];
            const int bar = c.bars[side];
            auto peak = std::max_element(bars.begin(), bars.end());
            if (bar < 0) {
                EXPECT_EQ(*peak, 0) << "silent side " << side;
                continue;
            }
            EXPECT_EQ(peak - bars.begin(), bar);
            const int level = static_cast<int>(kFftMaxHeight + 20 * std::log10(c.amplitude));
            // At most the window's scalloping (1.5 dB) below the sine's level, never above.
            EXPECT_LE(*peak, level);
            EXPECT_GE(*peak, level - 2);
            for (int b = 0; b < kFftBarCount; ++b) {
                if (std::abs(b - bar) >= 5) {
                    ASSERT_LE(bars[b], std::max(0, level - (c.bits == 8 ? 40 : 70))) << b;
                }
            }
        }
    }
}

TEST(FftView, UnknownFormatsGiveTheFloor) {
    FftView view;
    const Bytes loud = sines(12288, 2, 16, 44100, {30, 40}, 0.9), some(4096, 0x40);
    const std::array<int, 3> formats[] = {{16, 2, 0}, {32, 2, 44100}, {16, 3, 44100}};
    for (auto [bits, channels, rate] : formats) {
        view.compute(loud, 16, 2, 44100);
        EXPECT_FALSE(view.compute(some, bits, channels, static_cast<uint32_t>(rate)));
        EXPECT_EQ(view.bars().left, view.bars().right);
        EXPECT_EQ(*std::max_element(view.bars().left.begin(), view.bars().left.end()), 0);
    }
}

}  // namespace
}  // namespace pelkit

#include "dsp/level_stage.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

namespace pelkit {
namespace {

using Bytes = std::vector<uint8_t>;
const float kEcho = 0.55f, kGain = 0.67f;

Bytes pcm16(const std::vector<int>& v) {
    Bytes b;
    for (int x : v) {
        b.push_back(static_cast<uint8_t>(x & 0xFF));
        b.push_back(static_cast<uint8_t>((x >> 8) & 0xFF));
    }
    return b;
}

std::vector<int> values16(const Bytes& b) {
    std::vector<int> v;
    for (size_t i = 0; i + 1 < b.size(); i += 2)
        v.push_back(int16_t(b[i] | (b[i + 1] << 8)));
    return v;
}

// Stereo frames with both channels at 1000.
Bytes equalPairs(int frames) {
    return pcm16(std::vector<int>(2 * frames, 1000));
}

int reverbDry(long double boost, long double y) {  // trunc(clamp(G x boost x y))
    return int(std::clamp<long double>(kGain * boost * y, -32768, 32767));
}

TEST(BoostPan, CentredPanAndUnitBoostPassExactly) {
    Bytes b = pcm16({32767, -32768, 1, -1, 12345, -23456});
    const Bytes before = b;
    float pan = 0, previous = 0;
    EXPECT_FALSE(applyBoostPan(b.data(), 12, 16, 1.0f, pan, previous));
    EXPECT_EQ(b, before);
}

// From 0 to 100 over 1,024 samples: at sample i, L' = L (1 + i/1024), R' = R - L i/1024.
TEST(BoostPan, PanRampsAcrossTheBlockThenHolds) {
    Bytes b = equalPairs(512);
    float pan = 100, previous = 0;
    applyBoostPan(b.data(), 2048, 16, 1.0f, pan, previous);
    const std::vector<int> v = values16(b);
    for (int i = 0; i < 1024; i += 2) {
        ASSERT_EQ(v[i], 1000 * (1024 + i) / 1024) << i;
        ASSERT_EQ(v[i + 1], (1024000 - 1000 * i) / 1024) << i;
    }
    EXPECT_EQ(previous, 100.0f);
    b = equalPairs(512);
    applyBoostPan(b.data(), 2048, 16, 1.0f, pan, previous);
    const std::vector<int> held = values16(b);  // now 100 throughout: L' = 2L, R' = R - L
    for (int i = 0; i < 1024; i += 2)
        ASSERT_TRUE(held[i] == 2000 && held[i + 1] == 0) << i;
}

TEST(BoostPan, PanBeyondRangeIsUsedOnceThenClamped) {
    for (float side : {1.0f, -1.0f}) {
        Bytes b = equalPairs(2);
        float pan = 150 * side, previous = 150 * side;
        applyBoostPan(b.data(), 8, 16, 1.0f, pan, previous);
        // p = 1.5: one side gets 2.5 x 1000, the other 1000 - 1.5 x 1000.
        const std::vector<int> v = values16(b);
        EXPECT_EQ(v[0], side > 0 ? 2500 : -500);
        EXPECT_EQ(v[1], side > 0 ? -500 : 2500);
        EXPECT_EQ(pan, 100 * side);
        EXPECT_EQ(previous, 150 * side);
    }
}

TEST(BoostPan, BoostClampsSixteenAndEightBitSamples) {
    Bytes b = pcm16({32767, -32768, 20000, -100});
    float pan = 0, previous = 0;
    EXPECT_FALSE(applyBoostPan(b.data(), 8, 16, 2.0f, pan, previous));
    EXPECT_EQ(values16(b), (std::vector<int>{32767, -32768, 32767, -200}));

    // 8-bit: v = 2 (e - 128) + 128, reported as different from trunc(2 e).
    Bytes e = {0, 100, 128, 200, 255};
    EXPECT_TRUE(applyBoostPan(e.data(), 5, 8, 2.0f, pan, previous));
    EXPECT_EQ(e, (Bytes{0, 72, 128, 255, 255}));
    Bytes zeros(4, 0);  // 2 x 0 is 0 either way
    EXPECT_FALSE(applyBoostPan(zeros.data(), 4, 8, 2.0f, pan, previous));
    EXPECT_FALSE(applyBoostPan(e.data(), 5, 8, 1.0f, pan, previous));
}

TEST(Reverb, ZeroDelayIsDryPlusEchoOfTheSameSample) {
    const std::vector<int> in = {0, 1000, -1000, 12345, -20001, 32767};
    for (float boost : {1.0f, 2.0f}) {
        for (bool feedback : {false, true}) {
            for (int32_t delay : {0, -5}) {
                Bytes b = pcm16(in);
                std::vector<int16_t> history(kReverbHistoryLength, 7);
                ReverbWork work;
                applyReverb16(b.data(), 12, {boost, delay, feedback, kEcho, kGain}, history, work);
                for (size_t i = 0; i < in.size(); ++i) {
                    EXPECT_EQ(values16(b)[i], reverbDry(boost, in[i] * (1 + (long double)kEcho)));
                }
            }
        }
    }
}

TEST(Reverb, DelayBeyondBlockEchoesHistoryAndKeepsTheBlock) {
    std::vector<int16_t> history(kReverbHistoryLength);
    for (size_t k = 0; k < history.size(); ++k)
        history[k] = int16_t(k % 2000) - 1000;
    const std::vector<int16_t> before = history;
    const std::vector<int> in = {5, -6, 700, -800, 9000, -10000, 30000, -30000};
    Bytes b = pcm16(in);
    ReverbWork work;
    applyReverb16(b.data(), 16, {1.0f, 100, false, kEcho, kGain}, history, work);
    for (size_t i = 0; i < in.size(); ++i) {
        EXPECT_EQ(values16(b)[i], reverbDry(1, kEcho * (long double)before[i] + in[i]));
        EXPECT_EQ(history[i], in[i]);
    }
    EXPECT_TRUE(std::equal(history.begin() + 8, history.end(), before.begin() + 8));
}

// An impulse with delay 3: one echo without feedback, repeated echoes g^k with it.
TEST(Reverb, FeedbackRepeatsEchoes) {
    for (bool feedback : {false, true}) {
        std::vector<int> in(12, 0);
        in[0] = 10000;
        Bytes b = pcm16(in);
        std::vector<int16_t> history(kReverbHistoryLength, 0);
        ReverbWork work;
        applyReverb16(b.data(), 24, {1.0f, 3, feedback, kEcho, kGain}, history, work);
        for (int i = 0; i < 12; ++i) {
            const int k = i / 3;
            const bool echo = i % 3 == 0 && (feedback || k <= 1);
            const long double y = echo ? 10000 * std::pow((long double)kEcho, k) : 0;
            EXPECT_EQ(values16(b)[i], reverbDry(1, y)) << i;
        }
        // History: the values at 8..10; with feedback the wet echo g^3 at 9.
        EXPECT_EQ(history[1], feedback ? int(10000 * std::pow((long double)kEcho, 3)) : 0);
    }
    std::vector<int> ramp;
    for (int i = 1; i <= 12; ++i)
        ramp.push_back(100 * i);
    Bytes b = pcm16(ramp);
    std::vector<int16_t> history(kReverbHistoryLength, 1);
    ReverbWork work;
    applyReverb16(b.data(), 24, {1.0f, 3, false, kEcho, kGain}, history, work);
    EXPECT_EQ((std::vector<int>{history[0], history[1], history[2], history[3]}),
              (std::vector<int>{900, 1000, 1100, 1}));
}

TEST(Reverb, DelayIsLimitedToTheHistoryLength) {
    Bytes b = pcm16(std::vector<int>(50000, 1000));
    std::vector<int16_t> history(kReverbHistoryLength, 0);
    ReverbWork work;
    applyReverb16(b.data(), 100000, {1.0f, 60000, false, kEcho, kGain}, history, work);
    EXPECT_EQ(values16(b)[49151], reverbDry(1, 1000));
    EXPECT_EQ(values16(b)[49152], reverbDry(1, 1000 + kEcho * 1000.0L));
}

// 8-bit, delay 0: c = trunc(0.55 (r - 128) + 128), Y = r + c - 128, out = trunc(0.67 (Y - 128))
// + 128, e.g. 200: c = 167, Y = 239, out = 128 + trunc(74.37) = 202.
TEST(Reverb, EightBitIgnoresFeedbackAndStaysCentred) {
    for (bool feedback : {false, true}) {
        Bytes r = {128, 200, 50, 255, 0};
        std::vector<int16_t> history(kReverbHistoryLength, 0);
        ReverbWork work;
        applyReverb8(r.data(), 5, {1.0f, 0, feedback, kEcho, kGain}, history, work);
        EXPECT_EQ(r, (Bytes{128, 202, 47, 213, 43}));

        // Delay 2: the first two samples echo the history (200 gives c = 167).
        r.assign(5, 128);
        history[0] = 200, history[1] = 128;
        applyReverb8(r.data(), 5, {1.0f, 2, feedback, kEcho, kGain}, history, work);
        EXPECT_EQ(r, (Bytes{154, 128, 128, 128, 128}));
        EXPECT_EQ(history[0], 128);
    }
}

TEST(LevelStage, ChoosesReverbOrBoostPanAndSkipsOtherSizes) {
    LevelSettings level;
    ReverbWork work;
    level.mainBoost = 2.0f;
    Bytes e = {100};
    EXPECT_TRUE(applyLevelStage(level, work, e.data(), 1, 8));
    EXPECT_EQ(e[0], 72);

    level.reverbOn = true;
    level.firstDelay = 0;
    level.mainPan = 150;
    Bytes b = pcm16({1000, -1000});
    EXPECT_FALSE(applyLevelStage(level, work, b.data(), 4, 16));
    const int wet = reverbDry(2, 1000 * (1 + (long double)kEcho));
    EXPECT_EQ(values16(b), (std::vector<int>{wet, -wet}));
    EXPECT_EQ(level.mainPan, 150.0f);  // the reverb path leaves the pan alone

    for (bool reverb : {false, true}) {
        level.reverbOn = reverb;
        Bytes wide = {1, 2, 3, 4, 5, 6};
        EXPECT_FALSE(applyLevelStage(level, work, wide.data(), 6, 24));
        EXPECT_EQ(wide, (Bytes{1, 2, 3, 4, 5, 6}));
    }
}

TEST(SubSoundMix, AddsWithBoostAndPanRamp) {
    Bytes b = pcm16({1000, -1000, 32000, -32000, 0, 0});
    const Bytes sub = pcm16({500, 250, 1000, -1000, 30000, 5});
    float state = 0;
    mixSubSound(b.data(), sub.data(), 12, 16, 2.0f, 0, state, false);
    EXPECT_EQ(values16(b), (std::vector<int>{2000, -500, 32767, -32768, 32767, 10}));

    // Pan state 0 to 100 over 1,024 sub samples of 1000 on silence.
    b.assign(2048, 0);
    mixSubSound(b.data(), equalPairs(512).data(), 2048, 16, 1.0f, 100, state, false);
    const std::vector<int> v = values16(b);
    for (int i = 0; i < 1024; i += 2) {
        ASSERT_EQ(v[i], 1000 * (1024 + i) / 1024) << i;
        ASSERT_EQ(v[i + 1], (1024000 - 1000 * i) / 1024) << i;
    }
    EXPECT_EQ(state, 100.0f);
}

TEST(SubSoundMix, TimesModeScalesAndEightBitOnlyTakesThePan) {
    Bytes b = pcm16({1000, -2000, 1000, -2000, -32768, 3000, 7, 7});
    const Bytes sub = pcm16({0, 0, 32767, -32767, -32767, 20000, 0, 0});
    float state = 0;
    mixSubSound(b.data(), sub.data(), 12, 16, 1.0f, 0, state, true);  // last frame not mixed
    // 3000 x 20000 / 32767 = 1831.1
    EXPECT_EQ(values16(b), (std::vector<int>{0, 0, 1000, 2000, 32767, 1831, 7, 7}));

    Bytes e = {10, 20, 30, 40};
    mixSubSound(e.data(), sub.data(), 4, 8, 1.0f, -40, state, false);
    EXPECT_EQ(e, (Bytes{10, 20, 30, 40}));
    EXPECT_EQ(state, -40.0f);
}

// The short ways of mixSubSound (an integer sum at unit boost and a steady centre pan, fixed
// coefficients at any steady pan) give the samples of the ramped extended-precision mixing. The
// main block holds every 16-bit value; each sub value of a sweep (the range's ends, the values
// around 0 and every 991st value) meets all of them, and lengths that end inside a frame are
// taken as the frame loop takes them.
TEST(SubSoundMix, ShortWaysGiveTheRampedSamples) {
    Bytes everyValue;
    for (int v = -32768; v <= 32767; ++v) {
        everyValue.push_back(static_cast<uint8_t>(v & 0xFF));
        everyValue.push_back(static_cast<uint8_t>((v >> 8) & 0xFF));
    }
    std::vector<int> sweep = {-32768, -32767, -16385, -2, -1, 0, 1, 2, 16384, 32766, 32767};
    for (int v = -32768; v <= 32767; v += 991)
        sweep.push_back(v);
    struct Setting {
        float boost, pan;
    };
    const Setting settings[] = {{1.0f, 0.0f},  {1.0f, -0.0f}, {1.3f, 0.0f},  {2.0f, 40.0f},
                                {0.002f, -60}, {-1.5f, 100},  {10.0f, -100}, {1.0f, 0.1f}};
    for (const Setting& s : settings) {
        for (size_t k = 0; k < sweep.size(); ++k) {
            // Left and right of each frame take two different sweep values.
            Bytes sub(everyValue.size());
            for (size_t j = 0; j < sub.size() / 2; ++j) {
                const int v = sweep[(k + j % 2 * 7) % sweep.size()];
                sub[2 * j] = static_cast<uint8_t>(v & 0xFF);
                sub[2 * j + 1] = static_cast<uint8_t>((v >> 8) & 0xFF);
            }
            const uint32_t whole = static_cast<uint32_t>(sub.size());
            for (uint32_t bytes : {whole, 10u, 7u}) {
                Bytes quick = everyValue, ramped = everyValue;
                float quickState = s.pan, rampedState = s.pan;
                mixSubSound(quick.data(), sub.data(), bytes, 16, s.boost, s.pan, quickState, false);
                mixSubSoundRamped(ramped.data(), sub.data(), bytes, 16, s.boost, s.pan, rampedState,
                                  false);
                ASSERT_EQ(quick, ramped) << "boost " << s.boost << " pan " << s.pan << " sub "
                                         << sweep[k] << " bytes " << bytes;
                ASSERT_EQ(quickState, rampedState);
            }
        }
    }
}

}  // namespace
}  // namespace pelkit

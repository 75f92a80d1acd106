#include "dsp/keyboard_pitch.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>

namespace pelkit {
namespace {

// 1.0594631 (a double constant) to the power S in extended precision, stored in single.
float semitones(int s) {
    return static_cast<float>(std::pow(static_cast<long double>(1.0594631), s));
}

TEST(KeyboardPitch, KeysAndOctaveShifts) {
    struct Case {
        int32_t key, shift;
        float pitch;
        int32_t readout, bar;
    };
    const Case cases[] = {
        {45, 0, semitones(9), 168, 840},  // 1.68179286
        {84, 3, 128.0f, 2000, 1800},      // shown at the limit 20, kept at 128
        {0, -5, 0.00390625f, 4, 100},     // the limit 0.04 reads 4, not 3
        {36, 0, 1.0f, 100, 500},         {0, 0, 0.125f, 12, 100},
        {84, 0, 16.0f, 1600, 1800},      {37, 1, 2 * semitones(1), 211, 1059},
    };
    for (const Case& c : cases) {
        const float p = keyboardPitch(c.key, c.shift);
        EXPECT_EQ(p, c.pitch) << "key " << c.key << " shift " << c.shift;
        EXPECT_EQ(pitchReadout(p), c.readout) << "key " << c.key << " shift " << c.shift;
        EXPECT_EQ(pitchBarPosition(p), c.bar) << "key " << c.key << " shift " << c.shift;
    }
    EXPECT_NEAR(keyboardPitch(45, 0), 1.68179286, 1e-7);
}

// The octave shift has no limits: far shifts give 0 or infinity, without overflow.
TEST(KeyboardPitch, FarShiftsSaturate) {
    EXPECT_EQ(keyboardPitch(0, std::numeric_limits<int32_t>::min()), 0.0f);
    EXPECT_EQ(keyboardPitch(84, std::numeric_limits<int32_t>::max()),
              std::numeric_limits<float>::infinity());
    EXPECT_EQ(pitchReadout(std::numeric_limits<float>::infinity()), 2000);
}

}  // namespace
}  // namespace pelkit

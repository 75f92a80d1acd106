#include "dsp/keyboard_pitch.h"

#include <algorithm>

#include "dsp/pitch_steps.h"

namespace pelkit {

namespace {

// 2^-300 and 2^300 are already 0 and infinity in single precision: shifts beyond these give the
// same pitch, and keeping within them spares an overflow of 3 - octaveShift and long loops.
constexpr int64_t kShiftLimit = 300;

}  // namespace

float keyboardPitch(int32_t key, int32_t octaveShift) {
    const int64_t down = std::clamp<int64_t>(3 - int64_t{octaveShift}, -kShiftLimit, kShiftLimit);
    return semitonesUp(shiftOctaves(1.0f, static_cast<int32_t>(down)), key);
}

int32_t pitchReadout(float pitch) {
    const long double p = std::clamp<long double>(pitch, 0.04, 20.0);
    return static_cast<int32_t>(p * 100);
}

int32_t pitchBarPosition(float pitch) {
    return static_cast<int32_t>(std::clamp<long double>(pitch * 500.0L, 100.0L, 1800.0L));
}

}  // namespace pelkit

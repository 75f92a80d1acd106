#include "dsp/pitch_steps.h"

namespace pelkit {

namespace {

constexpr long double kSemitoneUp = 1.0594631;
constexpr long double kSemitoneDown = 0.9438743076563968;

float steps(float pitch, int32_t k, long double octave, long double semitone) {
    if (k == 0) return pitch;
    int32_t o = k / 12;
    int32_t s = k % 12;
    long double v = pitch;
    if (o > 0) {
        for (int32_t i = 0; i < o; ++i)
            v *= octave;
        pitch = static_cast<float>(v);
    }
    if (s > 0) {
        for (int32_t i = 0; i < s; ++i)
            v *= semitone;
        pitch = static_cast<float>(v);
    }
    return pitch;
}

}  // namespace

float semitonesUp(float pitch, int32_t k) {
    return steps(pitch, k, 2.0L, kSemitoneUp);
}

float semitonesDown(float pitch, int32_t k) {
    return steps(pitch, k, 0.5L, kSemitoneDown);
}

float shiftOctaves(float pitch, int32_t n) {
    if (n == 0) return pitch;
    long double v = pitch;
    if (n > 0) {
        for (int32_t i = 0; i < n; ++i)
            v *= 0.5L;
    } else {
        for (int32_t i = 0; i < -n; ++i)
            v *= 2.0L;
    }
    return static_cast<float>(v);
}

}  // namespace pelkit

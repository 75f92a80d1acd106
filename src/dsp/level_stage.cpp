#include "dsp/level_stage.h"

#include <algorithm>
#include <cmath>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace pelkit {
namespace {

int16_t get16(const uint8_t* p) {
    return static_cast<int16_t>(static_cast<uint16_t>(p[0] | (p[1] << 8)));
}

void put16(uint8_t* p, int32_t v) {
    auto u = static_cast<uint16_t>(static_cast<int16_t>(v));
    p[0] = static_cast<uint8_t>(u & 0xFF);
    p[1] = static_cast<uint8_t>(u >> 8);
}

// Clamped to the 16-bit range, then truncated toward zero.
int32_t toSample16(long double v) {
    return static_cast<int32_t>(std::clamp(v, -32768.0L, 32767.0L));
}

// Clamped to the 8-bit range, then truncated toward zero.
int32_t toSample8(long double v) {
    return static_cast<int32_t>(std::clamp(v, 0.0L, 255.0L));
}

// A coefficient at sample index i of n, running linearly from its previous-pan form to its
// current-pan form.
long double ramped(float current, float previous, uint32_t i, uint32_t n) {
    return (current * static_cast<long double>(i) + previous * static_cast<long double>(n - i)) / n;
}

struct PanRamp {
    PanCoefficients current;
    PanCoefficients previous;
    uint32_t n;

    long double ll(uint32_t i) const { return ramped(current.ll, previous.ll, i, n); }
    long double lr(uint32_t i) const { return ramped(current.lr, previous.lr, i, n); }
    long double rl(uint32_t i) const { return ramped(current.rl, previous.rl, i, n); }
    long double rr(uint32_t i) const { return ramped(current.rr, previous.rr, i, n); }
};

uint32_t clampedDelay(int32_t firstDelay, size_t historyLength, uint32_t n) {
    const int64_t d = std::clamp<int64_t>(firstDelay, 0, kReverbHistoryLength);
    return static_cast<uint32_t>(std::min<int64_t>({d, static_cast<int64_t>(historyLength), n}));
}

}  // namespace

PanCoefficients panCoefficients(float pan) {
    const auto p = static_cast<float>(static_cast<long double>(pan) * 0.01);
    if (pan > 0) return {1 + p, 0.0f, -p, 1.0f};
    return {1.0f, p, 0.0f, 1 - p};
}

bool applyBoostPan(uint8_t* block, uint32_t length, int32_t bitsPerSample, float boost,
                   float& mainPan, float& previousPan) {
    const PanRamp pan{panCoefficients(mainPan), panCoefficients(previousPan), length / 2};
    // At unit gain and centre pan every sample passes unchanged and nothing differs.
    const bool identity = boost == 1.0f && mainPan == 0.0f && previousPan == 0.0f;
    // Values beyond the range are used for this block once, then clamped.
    previousPan = mainPan;
    mainPan = std::clamp(mainPan, -100.0f, 100.0f);
    if (identity) return false;

    const long double gain = boost;
    bool differs = false;
    if (bitsPerSample == 16) {
        const uint32_t n = length / 2;
        for (uint32_t i = 0; i + 1 < n; i += 2) {
            uint8_t* frame = block + 2 * static_cast<size_t>(i);
            const long double l = get16(frame);
            const long double r = get16(frame + 2);
            const long double outL = gain * (pan.ll(i) * l + pan.lr(i) * r);
            const auto outR = static_cast<float>(gain * (pan.rl(i) * l + pan.rr(i) * r));
            put16(frame, toSample16(outL));
            put16(frame + 2, toSample16(outR));
        }
    } else if (bitsPerSample == 8) {
        for (uint32_t i = 0; i < length; ++i) {
            const uint8_t e = block[i];
            const int32_t v = toSample8(gain * (e - 128) + 128);
            if (v != std::trunc(gain * e)) differs = true;
            block[i] = static_cast<uint8_t>(v);
        }
    }
    return differs;
}

void applyReverb16(uint8_t* block, uint32_t length, const ReverbParams& p,
                   std::span<int16_t> history, ReverbWork& work) {
    const auto n = static_cast<uint32_t>(std::min<size_t>(length / 2, work.wide.size()));
    const uint32_t d = clampedDelay(p.firstDelay, history.size(), n);
    const long double g = p.echo;
    double* y = work.wide.data();
    auto s = [block](uint32_t i) -> long double { return get16(block + 2 * size_t{i}); };

    for (uint32_t i = 0; i < d; ++i)
        y[i] = static_cast<double>(g * history[i] + s(i));
    // With no delay a sample would feed on itself; that case takes the plain echo.
    const bool feedback = p.feedback && d > 0;
    for (uint32_t j = 0; j + d < n; ++j) {
        const long double echo = feedback ? static_cast<long double>(y[j]) : s(j);
        y[d + j] = static_cast<double>(g * echo + s(d + j));
    }
    // Keep the d values that end one sample before the block's end.
    const uint32_t m = n > d ? n - d - 1 : 0;
    for (uint32_t k = 0; k < d; ++k) {
        history[k] =
            static_cast<int16_t>(feedback ? toSample16(y[k + m]) : static_cast<int32_t>(s(k + m)));
    }
    const long double level = static_cast<long double>(p.gain) * p.boost;
    for (uint32_t i = 0; i < n; ++i)
        put16(block + 2 * size_t{i}, toSample16(level * y[i]));
}

void applyReverb8(uint8_t* block, uint32_t length, const ReverbParams& p,
                  std::span<int16_t> history, ReverbWork& work) {
    const auto n = static_cast<uint32_t>(std::min<size_t>(length, work.narrow.size()));
    const uint32_t d = clampedDelay(p.firstDelay, history.size(), n);
    const long double g = p.echo;
    uint8_t* y = work.narrow.data();
    auto echo = [g](int32_t v) { return toSample8(g * (v - 128) + 128); };

    for (uint32_t j = 0; j + d < n; ++j) {
        y[d + j] = static_cast<uint8_t>(std::clamp(block[d + j] + echo(block[j]) - 128, 0, 255));
    }
    for (uint32_t i = 0; i < d; ++i) {
        y[i] = static_cast<uint8_t>(std::clamp(echo(history[i]) + block[i] - 128, 0, 255));
    }
    const uint32_t m = n > d ? n - d - 1 : 0;
    for (uint32_t k = 0; k < d; ++k)
        history[k] = block[k + m];

    // The gain scales around the centre value, so silence stays silence.
    const long double boost = p.boost;
    const long double gain = p.gain;
    for (uint32_t i = 0; i < n; ++i) {
        const int32_t v = toSample8(boost * (y[i] - 128) + 128);
        block[i] = static_cast<uint8_t>(static_cast<int32_t>((v - 128) * gain) + 128);
    }
}

bool applyLevelStage(LevelSettings& level, ReverbWork& work, uint8_t* block, uint32_t length,
                     int32_t bitsPerSample) {
    if (!level.reverbOn) {
        return applyBoostPan(block, length, bitsPerSample, level.mainBoost, level.mainPan,
                             level.previousPan);
    }
    const ReverbParams p{level.mainBoost, level.firstDelay, level.feedback, level.echoCoefficient,
                         level.outputGain};
    if (bitsPerSample != 16 && bitsPerSample != 8) return false;
    if (work.historyBits != bitsPerSample) {
        // The history starts as silence of the sound's own format, so the first echo of an
        // 8-bit sound (silence 128) does not jump from a false full-scale level.
        std::fill(level.reverbHistory.begin(), level.reverbHistory.end(),
                  static_cast<int16_t>(bitsPerSample == 8 ? 128 : 0));
        work.historyBits = bitsPerSample;
    }
    if (bitsPerSample == 16) applyReverb16(block, length, p, level.reverbHistory, work);
    if (bitsPerSample == 8) applyReverb8(block, length, p, level.reverbHistory, work);
    return false;
}

namespace {

// Add mode at unit boost and a steady centre pan. Every term of the extended-precision sum is
// then an exact integer (u and w are the sub's own samples, the coefficients exactly 1 and 0), so
// a saturating integer sum gives the same samples, at a fraction of the cost.
void mixUnity(uint8_t* block, const uint8_t* sub, uint32_t samples) {
    uint32_t j = 0;
#if defined(__SSE2__)
    // Eight samples at a time with the processor's own saturating 16-bit add (x86 is little
    // endian, so the bytes in memory are the samples).
    for (; j + 8 <= samples; j += 8) {
        auto* at = reinterpret_cast<__m128i*>(block + 2 * size_t{j});
        const __m128i a = _mm_loadu_si128(at);
        const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(sub + 2 * size_t{j}));
        _mm_storeu_si128(at, _mm_adds_epi16(a, b));
    }
#endif
    for (; j < samples; ++j) {
        const int32_t v = get16(block + 2 * size_t{j}) + get16(sub + 2 * size_t{j});
        put16(block + 2 * size_t{j}, std::clamp(v, -32768, 32767));
    }
}

// Add mode in extended precision. With a steady pan (STEADY) each ramped coefficient
// (c x i + c x (n - i)) / n is c itself, exactly: the products and their sum need at most 56
// bits, so the ramp's divisions can be left out.
template <bool Steady>
void mixAdd(uint8_t* block, const uint8_t* sub, uint32_t a, long double x, const PanRamp& ramp) {
    const long double ll = ramp.current.ll, lr = ramp.current.lr;
    const long double rl = ramp.current.rl, rr = ramp.current.rr;
    for (uint32_t i = 0; i + 1 < a; i += 2) {
        const size_t at = 2 * size_t{i};
        const int32_t u = toSample16(x * get16(sub + at));
        const int32_t w = toSample16(x * get16(sub + at + 2));
        const int32_t l = get16(block + at);
        const int32_t r = get16(block + at + 2);
        long double outL, outR;
        if constexpr (Steady) {
            outL = l + ll * u + lr * w;
            outR = static_cast<float>(r + rl * u + rr * w);
        } else {
            outL = l + ramp.ll(i) * u + ramp.lr(i) * w;
            outR = static_cast<float>(r + ramp.rl(i) * u + ramp.rr(i) * w);
        }
        put16(block + at, toSample16(outL));
        put16(block + at + 2, toSample16(outR));
    }
}

void mixTimes(uint8_t* block, const uint8_t* sub, uint32_t a, long double x) {
    for (uint32_t i = 0; i + 1 < a; i += 2) {
        const size_t at = 2 * size_t{i};
        const int32_t u = toSample16(x * get16(sub + at));
        const int32_t w = toSample16(x * get16(sub + at + 2));
        put16(block + at, toSample16(int64_t{get16(block + at)} * u / 32767));
        put16(block + at + 2, toSample16(int64_t{get16(block + at + 2)} * w / 32767));
    }
}

}  // namespace

void mixSubSoundRamped(uint8_t* block, const uint8_t* sub, uint32_t subBytes,
                       int32_t mainBitsPerSample, float boost, float pan, float& panState,
                       bool timesMode) {
    if (mainBitsPerSample == 16) {
        const uint32_t a = subBytes / 2;
        const PanRamp ramp{panCoefficients(pan), panCoefficients(panState), a};
        if (timesMode) {
            mixTimes(block, sub, a, boost);
        } else {
            mixAdd<false>(block, sub, a, boost, ramp);
        }
    }
    panState = pan;
}

void mixSubSound(uint8_t* block, const uint8_t* sub, uint32_t subBytes, int32_t mainBitsPerSample,
                 float boost, float pan, float& panState, bool timesMode) {
    const bool steady = pan == panState;
    if (mainBitsPerSample != 16 || timesMode || !steady) {
        mixSubSoundRamped(block, sub, subBytes, mainBitsPerSample, boost, pan, panState, timesMode);
        return;
    }
    const uint32_t a = subBytes / 2;
    if (boost == 1.0f && pan == 0.0f) {
        mixUnity(block, sub, a & ~1u);  // whole frames only, as the frame loop takes them
    } else {
        mixAdd<true>(block, sub, a, boost, PanRamp{panCoefficients(pan), panCoefficients(pan), a});
    }
    panState = pan;
}

}  // namespace pelkit

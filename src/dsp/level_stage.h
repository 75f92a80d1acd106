// The level stage of a playback block (boost and pan, or reverb) and the mixing of a sub sound
// into the block. All work in place on 8-bit unsigned or 16-bit little-endian samples.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace pelkit {

inline constexpr int32_t kReverbHistoryLength = 49152;

struct LevelSettings {
    float mainBoost = 1.0f;  // the boost the level stage applies
    float mainPan = 0.0f;
    float previousPan = 0.0f;
    bool reverbOn = false;
    int32_t firstDelay = 15000;
    bool feedback = false;
    float echoCoefficient = 0.55f;
    float outputGain = 0.67f;
    std::vector<int16_t> reverbHistory = std::vector<int16_t>(kReverbHistoryLength, 0);
    float wavVolume = 1.4f;
    int32_t leftLevel = 100;
    int32_t rightLevel = 100;
    bool timesMode = false;  // sub sound mixing multiplies instead of adding
};

// The largest playback block; the reverb work buffer is sized for it.
inline constexpr uint32_t kLargestBlockSize = 466944;

// Pan coefficients: L' = ll x L + lr x R, R' = rl x L + rr x R.
struct PanCoefficients {
    float ll = 1.0f;
    float lr = 0.0f;
    float rl = 0.0f;
    float rr = 1.0f;
};

// Coefficients for a pan value from -100 (left) to 100 (right); 0 is the identity.
PanCoefficients panCoefficients(float pan);

// Boost and pan over the block: pairs of 16-bit samples ramp their pan from previousPan to
// mainPan; 8-bit samples get the boost only; other sizes are left unchanged. Afterwards
// previousPan := mainPan and mainPan is clamped to -100..100 (whatever the sample size).
// Returns whether the result differs from the plain boost of the raw values (8-bit only).
bool applyBoostPan(uint8_t* block, uint32_t length, int32_t bitsPerSample, float boost,
                   float& mainPan, float& previousPan);

// Work space of the reverb, allocated once and kept for the whole run.
struct ReverbWork {
    std::vector<double> wide = std::vector<double>(kLargestBlockSize / 2);  // 16-bit sound
    std::vector<uint8_t> narrow = std::vector<uint8_t>(kLargestBlockSize);  // 8-bit sound
    int32_t historyBits = 16;  // the sample size the reverb history holds values of
};

struct ReverbParams {
    float boost = 1.0f;
    int32_t firstDelay = 15000;  // samples; clamped to 0..49152 and to the history
    bool feedback = false;       // 16-bit only; a delay of 0 never feeds back
    float echo = 0.55f;
    float gain = 0.67f;
};

// Reverb of 16-bit samples with the delayed samples of earlier blocks held in history. Samples
// beyond the work buffer are left unchanged.
void applyReverb16(uint8_t* block, uint32_t length, const ReverbParams& p,
                   std::span<int16_t> history, ReverbWork& work);

// Reverb of 8-bit samples; the output is scaled by the gain around the centre value 128.
void applyReverb8(uint8_t* block, uint32_t length, const ReverbParams& p,
                  std::span<int16_t> history, ReverbWork& work);

// The level stage: reverb when level.reverbOn, else boost and pan. Returns the boost-and-pan
// report (field 1048 shows "+" when true); the reverb path returns false and the field is to be
// left as it is.
bool applyLevelStage(LevelSettings& level, ReverbWork& work, uint8_t* block, uint32_t length,
                     int32_t bitsPerSample);

// Mixes subBytes bytes of a 16-bit stereo sub sound into the block (which holds at least that
// many bytes): added with the sub's boost and a pan ramped from panState to pan, or, in times
// mode, multiplied. A main sound of another size is left as it is. panState becomes pan.
void mixSubSound(uint8_t* block, const uint8_t* sub, uint32_t subBytes, int32_t mainBitsPerSample,
                 float boost, float pan, float& panState, bool timesMode);

// The same mixing done the long way, as the arithmetic is written: extended precision, each pan
// coefficient ramped frame by frame. mixSubSound takes shorter ways where they give the same
// samples (a steady pan, unit boost at the centre); this one is the measure they are held to.
void mixSubSoundRamped(uint8_t* block, const uint8_t* sub, uint32_t subBytes,
                       int32_t mainBitsPerSample, float boost, float pan, float& panState,
                       bool timesMode);

}  // namespace pelkit

// The records of the playback engine: streaming state, speed and pitch settings, level stage.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "playback/skip_list.h"

namespace pelkit {

struct PlaybackState {
    uint32_t readSize = 0;      // source bytes read per block
    uint32_t bytesRead = 0;     // source bytes obtained for the current block
    uint32_t outputLength = 0;  // processed bytes in the current block
    bool reversePlay = false;
    int32_t repeatMode = +1;  // +1 play once, -1 repeat
    bool rangeMode = false;   // start-end range play
    uint32_t rangeStart = 0;
    uint32_t rangeEnd = 0;
    bool continuousPlay = false;
    std::string returnFileName;
    bool convertTo16 = false;
    int32_t activeHeaders = 0;
    bool skipMode = false;
    bool skipExhausted = false;
    bool realTimeOutput = false;     // processed blocks are also appended to the record stream
    int32_t levelFullScale = 32767;  // full scale of the level bar, chosen when playback opens
    SkipList skips;
};

struct ProcessingSettings {
    float speedFactor = 1.0f;
    float pitchFactor = 1.0f;
    bool pitchMode = true;
    uint32_t processingUnit = 4096;
    uint32_t seamLength = 0;
};

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

}  // namespace pelkit

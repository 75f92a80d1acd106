// The records of the playback engine: streaming state, speed and pitch settings, level stage.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "state/skip_list.h"

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

}  // namespace pelkit

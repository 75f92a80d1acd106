// The records of the playback engine: streaming state, speed and pitch settings, level stage.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "state/skip_list.h"

namespace pelkit {

// A refilled block as the block listeners see it.
struct PlayedBlock {
    const uint8_t* data = nullptr;
    uint32_t length = 0;        // the whole block
    uint32_t outputLength = 0;  // processed bytes at its start
};

// What other features do with each refilled block, registered by the program at start-up so that
// playback never reaches into their state. Each list runs in registration order.
struct BlockListeners {
    std::vector<std::function<void()>> started;  // a refill begins, after its skip step
    // The block's sound is read and the stages are about to run; the main position at its start.
    std::vector<std::function<void(uint32_t)>> mixing;
    // The stages have run; the zero tail is not yet written.
    std::vector<std::function<void(const PlayedBlock&)>> processed;
    std::vector<std::function<void(const PlayedBlock&)>> queued;  // handed to the device
    std::vector<std::function<void()>> shown;                     // the refill's readouts are shown
};

// What playback does at the end of the file or range: end there, or start again.
enum class RepeatMode { Once, Repeat };

struct PlaybackState {
    uint32_t readSize = 0;      // source bytes read per block
    uint32_t bytesRead = 0;     // source bytes obtained for the current block
    uint32_t outputLength = 0;  // processed bytes in the current block
    bool reversePlay = false;
    RepeatMode repeatMode = RepeatMode::Once;
    bool rangeMode = false;  // start-end range play
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
    // Live play ("live"): short blocks and a short device latency, so what is started by hand is
    // heard soon. Kept in the settings.
    bool livePlay = false;
    SkipList skips;
    BlockListeners listeners;
};

struct ProcessingSettings {
    float speedFactor = 1.0f;
    float pitchFactor = 1.0f;
    bool pitchMode = true;
    uint32_t processingUnit = 4096;
    uint32_t seamLength = 0;
    // The high-quality stretch in place of the segment method ("hq-stretch"), and with it the
    // formants kept where they are when the pitch moves ("hq-formants"). Kept in the settings.
    bool hqStretch = false;
    bool hqFormants = false;
};

}  // namespace pelkit

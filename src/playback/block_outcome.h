// What one refill of a block did, for the readouts.
#pragma once

#include <cstdint>
#include <optional>

namespace pelkit {

struct BlockOutcome {
    bool retired = false;  // the block left the ring: playback is ending
    bool skipped = false;  // a skip mark was jumped, from skippedFrom
    uint32_t skippedFrom = 0;
    uint32_t shownPosition = 0;       // the play position of this block
    bool switchedFile = false;        // continuous play went on into the next numbered file
    std::optional<bool> levelReport;  // boost and pan changed the sound (absent with reverb)
    uint32_t bytesRead = 0;
    uint32_t outputLength = 0;
};

}  // namespace pelkit

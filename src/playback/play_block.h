// One block on its way through the processing stages: the source bytes are in the copy buffer,
// the stages write the block's data in place.
#pragma once

#include <cstdint>
#include <optional>

namespace pelkit {

struct PlayBlock {
    uint8_t* data = nullptr;    // the block being refilled
    uint32_t capacity = 0;      // its length in bytes
    uint32_t bytesRead = 0;     // source bytes in the copy buffer (after 24-to-16 conversion)
    uint32_t fromFile = 0;      // bytes the read took from the file(s), before any conversion
    bool readWasShort = false;  // the read obtained fewer bytes than it asked: the file's end
    uint32_t outputLength = 0;  // processed bytes in the block, set by the speed and pitch stage
    std::optional<bool> levelReport;  // boost and pan changed the sound (absent with reverb)
};

}  // namespace pelkit

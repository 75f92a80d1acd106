// The reverse stage: in reverse play the block's 2-byte units are put in reverse order (so the
// two channels of 16-bit stereo also change places), and the source steps back over what the
// block read.
#pragma once

#include <cstdint>

#include "playback/play_block.h"

namespace pelkit {

class PlaySource;

// Reverses the order of the 2-byte units of the first LENGTH bytes at BLOCK.
void reverseUnits(uint8_t* block, uint32_t length);

class ReverseStage {
  public:
    // REVERSEDATA false: an earlier stage has turned the data round already; only the source
    // steps back.
    ReverseStage(bool reversePlay, PlaySource& source, bool reverseData = true)
        : on_(reversePlay), reverseData_(reverseData), source_(source) {}
    void process(PlayBlock& block);
    void reset() {}  // keeps nothing between blocks

  private:
    bool on_;
    bool reverseData_;
    PlaySource& source_;
};

}  // namespace pelkit

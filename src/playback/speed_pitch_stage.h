// The speed and pitch stage: fills the block from the source bytes in the copy buffer and sets
// the block's output length.
#pragma once

#include <cstdint>

#include "playback/play_block.h"

namespace pelkit {

class ByteBuffer;
struct ProcessingSettings;

class SpeedPitchStage {
  public:
    // FRAME: bytes per frame of the data as played.
    SpeedPitchStage(const ProcessingSettings& settings, ByteBuffer& copyBuffer, uint32_t frame)
        : settings_(settings), copy_(copyBuffer), frame_(frame) {}
    void process(PlayBlock& block);
    void reset() {}  // keeps nothing between blocks

  private:
    const ProcessingSettings& settings_;
    ByteBuffer& copy_;
    uint32_t frame_;
};

}  // namespace pelkit

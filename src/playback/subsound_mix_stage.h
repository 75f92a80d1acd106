// The sub sound mixing stage: every playing sub sound slot is read and mixed into the block.
#pragma once

#include <cstdint>

#include "playback/play_block.h"

namespace pelkit {

class ByteBuffer;
struct SubSoundBank;

class SubSoundMixStage {
  public:
    // BANK may be absent (no main window): nothing is mixed. The slots read into COPYBUFFER,
    // whose source bytes the block no longer needs. Armed slots are started before this stage
    // by a block listener.
    SubSoundMixStage(SubSoundBank* bank, ByteBuffer& copyBuffer, int32_t bits, bool timesMode)
        : bank_(bank), copy_(copyBuffer), bits_(bits), times_(timesMode) {}
    void process(PlayBlock& block);
    void reset() {}  // the slots keep their own state

  private:
    SubSoundBank* bank_;
    ByteBuffer& copy_;
    int32_t bits_;
    bool times_;
};

}  // namespace pelkit

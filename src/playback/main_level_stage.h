// The level stage of the main sound: the reverb when it is on, else main boost and main pan. Its
// memory (the previous main pan, the reverb history) lives in the level settings and carries from
// block to block and across play runs.
#pragma once

#include <cstdint>

#include "playback/play_block.h"

namespace pelkit {

struct LevelSettings;
struct ReverbWork;

class MainLevelStage {
  public:
    // BITS: bits per sample of the data as played.
    MainLevelStage(LevelSettings& level, ReverbWork& work, int32_t bits)
        : level_(level), work_(work), bits_(bits) {}
    // Sets the block's level report on the boost-and-pan path.
    void process(PlayBlock& block);
    // The pan ramp and the reverb history are kept when a play run begins.
    void reset() {}

  private:
    LevelSettings& level_;
    ReverbWork& work_;
    int32_t bits_;
};

}  // namespace pelkit

// The processing chain of a refill, in its fixed order: speed and pitch (or the high-quality
// stretch), reverse, level, sub sound mixing. Built for each block from the settings as they are
// then, so a change is heard from the next block on.
#pragma once

#include "playback/hq_stretch_stage.h"
#include "playback/main_level_stage.h"
#include "playback/play_block.h"
#include "playback/reverse_stage.h"
#include "playback/speed_pitch_stage.h"
#include "playback/subsound_mix_stage.h"

namespace pelkit {

struct AppState;
class PlaySource;

class PlayStages {
  public:
    PlayStages(AppState& app, PlaySource& source);
    void process(PlayBlock& block);
    void reset();

  private:
    bool hq_;  // the high-quality stretch stands in for the speed and pitch stage
    SpeedPitchStage speedPitch_;
    HqStretchStage stretch_;
    ReverseStage reverse_;
    MainLevelStage level_;
    SubSoundMixStage subSounds_;
};

}  // namespace pelkit

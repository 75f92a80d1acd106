#include "playback/play_stages.h"

#include "playback/play_source.h"
#include "playback/playback.h"
#include "state/app_state.h"

namespace pelkit {

PlayStages::PlayStages(AppState& app, PlaySource& source)
    : speedPitch_(app.processing, app.ring.copyBuffer, processingFrameSize(app)),
      reverse_(app.playback.reversePlay, source),
      level_(app.level, app.reverbWork, playedBits(app)),
      subSounds_(app.subSounds.get(), app.ring.copyBuffer, playedBits(app), app.level.timesMode) {}

void PlayStages::process(PlayBlock& block) {
    speedPitch_.process(block);
    reverse_.process(block);
    level_.process(block);
    subSounds_.process(block);
}

void PlayStages::reset() {
    speedPitch_.reset();
    reverse_.reset();
    level_.reset();
    subSounds_.reset();
}

}  // namespace pelkit

#include "playback/play_stages.h"

#include "playback/play_source.h"
#include "playback/playback.h"
#include "state/app_state.h"

namespace pelkit {

PlayStages::PlayStages(AppState& app, PlaySource& source)
    : hq_(app.processing.hqStretch),
      speedPitch_(app.processing, app.ring.copyBuffer, processingFrameSize(app)),
      stretch_(app.processing, app.hqStretch, app.ring.copyBuffer,
               {playedBits(app), app.format.channels, app.format.samplesPerSecond},
               app.playback.reversePlay),
      reverse_(app.playback.reversePlay, source, !hq_),
      level_(app.level, app.reverbWork, playedBits(app)),
      subSounds_(app.subSounds.get(), app.ring.copyBuffer, playedBits(app), app.level.timesMode) {}

void PlayStages::process(PlayBlock& block) {
    if (hq_) {
        stretch_.process(block);
    } else {
        speedPitch_.process(block);
    }
    reverse_.process(block);
    level_.process(block);
    subSounds_.process(block);
}

void PlayStages::reset() {
    speedPitch_.reset();
    stretch_.reset();
    reverse_.reset();
    level_.reset();
    subSounds_.reset();
}

}  // namespace pelkit

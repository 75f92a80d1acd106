#include "playback/main_level_stage.h"

#include "dsp/level_stage.h"

namespace pelkit {

void MainLevelStage::process(PlayBlock& block) {
    bool report = applyLevelStage(level_, work_, block.data, block.outputLength, bits_);
    if (!level_.reverbOn) block.levelReport = report;
}

}  // namespace pelkit

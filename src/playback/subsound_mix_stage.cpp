#include "playback/subsound_mix_stage.h"

#include "state/byte_buffer.h"
#include "state/mixing_turn.h"

namespace pelkit {

void SubSoundMixStage::process(PlayBlock& block) {
    if (!bank_) return;
    mixPlayingSlots(*bank_, {block.data, block.outputLength, bits_, times_},
                    {copy_.data(), copy_.size()});
}

}  // namespace pelkit

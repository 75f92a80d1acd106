#include "state/mixing_turn.h"

#include <algorithm>

#include "dsp/level_stage.h"

namespace pelkit {

MixingTurnResult runMixingTurn(SubSoundBank& bank, const MixingBlock& block,
                               std::span<uint8_t> scratch) {
    MixingTurnResult result;
    const auto want = static_cast<uint32_t>(std::min<size_t>(block.outputLength, scratch.size()));
    for (SubSoundSlot& slot : bank.entries) {
        if (!slot.isPlaying && slot.armed && !slot.triggered &&
            block.position > slot.startPosition) {
            slot.isPlaying = true;
            slot.triggered = true;
            ++result.started;
        }
        if (!slot.isPlaying) continue;

        const auto got = static_cast<uint32_t>(slot.stream.read(scratch.data(), want));
        slot.playedBytes += got;
        mixSubSound(block.data, scratch.data(), got, block.bitsPerSample, slot.boost, slot.pan,
                    slot.panState, block.timesMode);
        ++result.mixed;
        // A short read, or a stream that never opened, means the data has run out.
        if (slot.stream.eof() || slot.stream.fail()) {
            slot.finish();
            ++result.ended;
        }
    }
    return result;
}

}  // namespace pelkit

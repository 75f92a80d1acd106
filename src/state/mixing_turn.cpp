#include "state/mixing_turn.h"

#include <algorithm>

#include "dsp/level_stage.h"

namespace pelkit {

int32_t startArmedSlots(SubSoundBank& bank, uint32_t position) {
    int32_t started = 0;
    bool waiting = false;
    for (SubSoundSlot& slot : bank.entries) {
        if (!slot.armed || slot.triggered) continue;
        if (!slot.isPlaying && position > slot.startPosition) {
            slot.isPlaying = true;
            slot.triggered = true;
            ++started;
        } else {
            waiting = true;
        }
    }
    bank.armsWaiting = waiting;
    return started;
}

MixingTurnResult mixPlayingSlots(SubSoundBank& bank, const MixingBlock& block,
                                 std::span<uint8_t> scratch) {
    MixingTurnResult result;
    const auto want = static_cast<uint32_t>(std::min<size_t>(block.outputLength, scratch.size()));
    for (SubSoundSlot& slot : bank.entries) {
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

MixingTurnResult runMixingTurn(SubSoundBank& bank, const MixingBlock& block,
                               std::span<uint8_t> scratch) {
    const int32_t started = startArmedSlots(bank, block.position);
    MixingTurnResult result = mixPlayingSlots(bank, block, scratch);
    result.started = started;
    return result;
}

}  // namespace pelkit

#include "playback/reverse_stage.h"

#include <utility>

#include "playback/play_source.h"

namespace pelkit {

void reverseUnits(uint8_t* block, uint32_t length) {
    uint32_t units = length / 2;
    for (uint32_t i = 0, j = units - 1; units > 0 && i < j; ++i, --j) {
        std::swap(block[2 * i], block[2 * j]);
        std::swap(block[2 * i + 1], block[2 * j + 1]);
    }
}

void ReverseStage::process(PlayBlock& block) {
    if (!on_) return;
    if (reverseData_) reverseUnits(block.data, block.outputLength);
    source_.stepBackOver(block.fromFile);
}

}  // namespace pelkit

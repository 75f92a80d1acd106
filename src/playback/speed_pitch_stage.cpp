#include "playback/speed_pitch_stage.h"

#include "dsp/speed_pitch.h"
#include "state/byte_buffer.h"
#include "state/playback_state.h"

namespace pelkit {

void SpeedPitchStage::process(PlayBlock& block) {
    const ProcessingSettings& p = settings_;
    block.outputLength = computeOutputLength(block.bytesRead, p.speedFactor, frame_);
    if (block.outputLength > block.capacity) block.outputLength = block.capacity;
    if (block.bytesRead == 0) return;
    SpeedPitchSettings settings{p.speedFactor,    p.pitchFactor, p.pitchMode,
                                p.processingUnit, p.seamLength,  frame_};
    // A full read fills the whole block. The short read at the end of the file is mapped onto
    // just the output it makes: spread over the whole block, the segments would replay their
    // fronts and the end of every file would stutter.
    uint32_t target = block.readWasShort ? block.outputLength : block.capacity;
    processSpeedPitch(copy_.data(), block.bytesRead, static_cast<uint32_t>(copy_.size()),
                      block.data, target, settings);
}

}  // namespace pelkit

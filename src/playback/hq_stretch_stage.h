// The high-quality stretch stage: in place of the segment method, a phase vocoder stretches the
// main sound to the speed and shifts it to the pitch, keeping its state from block to block.
// Output starts once the stretcher has enough input to fill whole blocks from then on; the
// silence put ahead of it is the latency it adds.
#pragma once

#include <cstdint>

#include "playback/play_block.h"

namespace pelkit {

class ByteBuffer;
struct HqStretchWork;
struct ProcessingSettings;

// Engine of real-time playback: R2 keeps a stereo 44.1 kHz stream well inside its CPU budget.
inline constexpr bool kPlaybackEngineFiner = false;
// Output held back beyond the stretcher's own delay, so that the varying amounts it makes per
// block never leave a block short.
inline constexpr uint32_t kHqMarginFrames = 2048;

struct HqStreamFormat {
    int32_t bits = 16;  // 8 or 16, as the stages see the data
    int32_t channels = 2;
    int32_t rate = 44100;
};

class HqStretchStage {
  public:
    // REVERSE: reverse play; the stage turns the source round before stretching it, so the
    // stretcher hears one continuous sound, and the reverse stage must leave the block as it is.
    HqStretchStage(const ProcessingSettings& settings, HqStretchWork& work, ByteBuffer& copyBuffer,
                   HqStreamFormat format, bool reverse)
        : settings_(settings), work_(work), copy_(copyBuffer), format_(format), reverse_(reverse) {}
    void process(PlayBlock& block);
    void reset();  // the next block begins a new stream

    // The stream ended with the last read but its tail did not fit into that block: playback
    // plays one more block, with no read, before it ends.
    static bool tailPending(const HqStretchWork& work);

  private:
    void prepareStretcher();
    void feed(const PlayBlock& block, uint32_t inFrames, uint32_t blockFrames);
    uint32_t pullInto(PlayBlock& block, uint32_t at, uint32_t frames);
    uint32_t frameBytes() const;

    const ProcessingSettings& settings_;
    HqStretchWork& work_;
    ByteBuffer& copy_;
    HqStreamFormat format_;
    bool reverse_;
};

}  // namespace pelkit

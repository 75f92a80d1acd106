#include "playback/hq_stretch_stage.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "dsp/hq_stretcher.h"
#include "playback/reverse_stage.h"
#include "state/byte_buffer.h"
#include "state/playback_state.h"

namespace pelkit {

uint32_t HqStretchStage::frameBytes() const {
    return static_cast<uint32_t>(std::max(format_.channels, 1) * (format_.bits == 8 ? 1 : 2));
}

// A stretcher for this stream's rate and channels; one made for another format is replaced.
void HqStretchStage::prepareStretcher() {
    std::unique_ptr<HqStretcher>& s = work_.stretcher;
    if (s && s->config().sampleRate == format_.rate && s->config().channels == format_.channels) {
        return;
    }
    HqStretchConfig config;
    config.sampleRate = std::max(format_.rate, 1);
    config.channels = std::max(format_.channels, 1);
    config.realTime = true;
    config.engine = kPlaybackEngineFiner ? HqEngine::Finer : HqEngine::Faster;
    config.formantsPreserved = settings_.hqFormants;
    s = std::make_unique<HqStretcher>(config);
    work_.flowing = false;
}

// Sets the ratios for this block and hands the stretcher its source. An ordinary read is
// stretched to exactly one block, so that the output neither gains nor loses over a long play;
// other reads (the file's end, a cut at the range end) take the speed as it stands.
void HqStretchStage::feed(const PlayBlock& block, uint32_t inFrames, uint32_t blockFrames) {
    HqStretcher& s = *work_.stretcher;
    const double speed = settings_.speedFactor;
    double ratio = 1.0 / speed;
    const double ordinary = blockFrames / ratio;
    if (!block.readWasShort && inFrames > 0 && std::fabs(inFrames - ordinary) <= ordinary * 0.02) {
        ratio = static_cast<double>(blockFrames) / inFrames;
    }
    s.setTimeRatio(std::clamp(ratio, 1.0 / 64, 256.0));
    s.setPitchScale(
        std::clamp(settings_.pitchMode ? double{settings_.pitchFactor} : speed, 1.0 / 64, 64.0));
    s.setFormantsPreserved(settings_.hqFormants);

    const size_t samples = size_t{inFrames} * static_cast<size_t>(format_.channels);
    if (work_.samples.size() < samples) work_.samples.resize(samples);
    pcmToFloat(copy_.data(), samples, format_.bits, work_.samples.data());
    const bool last = block.readWasShort || block.bytesRead == 0;
    s.push(work_.samples.data(), inFrames, last);
}

// Moves up to FRAMES frames of the stretcher's output into BLOCK from frame AT; how many came.
uint32_t HqStretchStage::pullInto(PlayBlock& block, uint32_t at, uint32_t frames) {
    const size_t samples = size_t{frames} * static_cast<size_t>(format_.channels);
    if (work_.samples.size() < samples) work_.samples.resize(samples);
    const auto got = static_cast<uint32_t>(work_.stretcher->pull(work_.samples.data(), frames));
    floatToPcm(work_.samples.data(), size_t{got} * static_cast<size_t>(format_.channels),
               format_.bits, block.data + size_t{at} * frameBytes());
    return got;
}

void HqStretchStage::process(PlayBlock& block) {
    const uint32_t f = frameBytes();
    const uint32_t blockFrames = block.capacity / f;
    prepareStretcher();
    HqStretcher& s = *work_.stretcher;
    // The tail of a stream that ended with the last read comes first.
    uint32_t at = 0;
    if (s.finished()) {
        at = pullInto(block, 0, blockFrames);
        block.outputLength = at * f;
        if (s.available() == 0) work_.restart();
        if (s.available() > 0 || block.bytesRead == 0) return;
    }
    if (reverse_) reverseUnits(copy_.data(), block.bytesRead / f * f);
    feed(block, block.bytesRead / f, blockFrames);

    // The first block of a stream is filled up with silence ahead, by as much as keeps every
    // later block full.
    const bool last = block.readWasShort || block.bytesRead == 0;
    const uint32_t room = blockFrames - at;
    uint32_t lead = 0;
    if (!work_.flowing && !last) {
        const size_t need = size_t{room} + kHqMarginFrames;
        if (s.available() < need) {
            lead = static_cast<uint32_t>(std::min<size_t>(room, need - s.available()));
        }
        work_.leadFrames = lead;
        work_.flowing = true;
    }
    std::memset(block.data + size_t{at} * f, format_.bits == 8 ? 0x80 : 0, size_t{lead} * f);
    const uint32_t got = pullInto(block, at + lead, room - lead);
    if (!last && got < room - lead) ++work_.shortBlocks;
    block.outputLength = (at + lead + got) * f;
    // What did not fit is the tail, for the next block; a stream with none left is done.
    if (last && s.available() == 0) work_.restart();
}

bool HqStretchStage::tailPending(const HqStretchWork& work) {
    return work.stretcher && work.stretcher->finished() && work.stretcher->available() > 0;
}

void HqStretchStage::reset() {
    work_.restart();
}

}  // namespace pelkit

// The high-quality stretch stage, driven block by block as playback drives it: a 440 Hz tone
// comes out at the pitch asked, clean, and as long as the speed asks.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

#include "dsp/hq_stretcher.h"
#include "dsp/speed_pitch.h"
#include "playback/hq_stretch_stage.h"
#include "state/byte_buffer.h"
#include "state/playback_state.h"
#include "support/tone_fit.h"

namespace pelkit {
namespace {

constexpr int kRate = 44100;
constexpr uint32_t kBlock = 49152;
constexpr uint32_t kFrame = 4;  // 16-bit stereo

// SECONDS of a tone at HZ, 16-bit stereo, amplitude half of full scale.
std::vector<uint8_t> tone(double hz, double seconds) {
    const auto frames = static_cast<size_t>(seconds * kRate);
    std::vector<uint8_t> out(frames * kFrame);
    for (size_t i = 0; i < frames; ++i) {
        const auto v = static_cast<int16_t>(16384 * std::sin(2 * M_PI * hz * i / kRate));
        for (int c = 0; c < 2; ++c) {
            out[i * 4 + c * 2] = static_cast<uint8_t>(v & 0xff);
            out[i * 4 + c * 2 + 1] = static_cast<uint8_t>((static_cast<uint16_t>(v) >> 8) & 0xff);
        }
    }
    return out;
}

struct Stretched {
    std::vector<double> left;  // the left channel of every block's output, in -1..1
    uint32_t lead = 0;
    uint32_t shortBlocks = 0;
};

// Plays SOURCE through the stage in reads of the size playback takes at SPEED. CHANGE, when
// given, is applied to the settings once half of the source has been read.
Stretched stretch(const std::vector<uint8_t>& source, ProcessingSettings p,
                  void (*change)(ProcessingSettings&) = nullptr) {
    HqStretchWork work;
    ByteBuffer copy;
    copy.allocate(7864320);
    std::vector<uint8_t> block(kBlock);
    HqStretchStage stage(p, work, copy, {16, 2, kRate}, false);
    stage.reset();
    Stretched out;
    size_t at = 0;
    // As playback runs it: reads until a short one, then blocks with no read while the tail of
    // the stream is pending.
    for (bool last = false; !last || HqStretchStage::tailPending(work);) {
        if (change && at >= source.size() / 2) change(p), change = nullptr;
        const uint32_t readSize = computeReadSize(kBlock, p.speedFactor, kFrame, 7864320);
        const auto n =
            last ? 0u : static_cast<uint32_t>(std::min<size_t>(readSize, source.size() - at));
        std::memcpy(copy.data(), source.data() + at, n);
        at += n;
        PlayBlock b;
        b.data = block.data();
        b.capacity = kBlock;
        b.bytesRead = b.fromFile = n;
        b.readWasShort = !last && n < readSize;
        last = last || b.readWasShort;
        stage.process(b);
        for (uint32_t i = 0; i + 4 <= b.outputLength; i += 4) {
            out.left.push_back(static_cast<int16_t>(block[i] | (block[i + 1] << 8)) / 32768.0);
        }
    }
    out.lead = work.leadFrames;
    out.shortBlocks = work.shortBlocks;
    return out;
}

// The fit over 0.25 s in the middle of the stretched sound (lead silence left out).
test::ToneFit middleFit(const Stretched& s, double expected) {
    const size_t length = s.left.size() - s.lead;
    const size_t from = s.lead + length / 2 - kRate / 8;
    std::vector<double> window(s.left.begin() + from, s.left.begin() + from + kRate / 4);
    return test::fitTone(window, kRate, expected - 30, expected + 30);
}

struct ToneCase {
    float speed, pitch;
    bool pitchMode;
    double hz;  // expected output frequency
};

TEST(HqStretchStage, ToneComesOutAtThePitchCleanAndAsLongAsTheSpeedAsks) {
    const ToneCase cases[] = {
        {1.0f, 1.26f, true, 554.4},  {1.5f, 1.0f, true, 440.0}, {0.75f, 1.0f, true, 440.0},
        {1.5f, 1.26f, true, 554.4},  {0.5f, 0.8f, true, 352.0}, {2.0f, 1.5f, true, 660.0},
        {1.25f, 1.0f, false, 550.0},  // pitch mode off: pitch follows the speed, as on tape
    };
    const std::vector<uint8_t> source = tone(440.0, 4.0);
    const double sourceFrames = source.size() / kFrame;
    for (const ToneCase& c : cases) {
        SCOPED_TRACE(testing::Message() << "speed " << c.speed << " pitch " << c.pitch);
        ProcessingSettings p;
        p.speedFactor = c.speed;
        p.pitchFactor = c.pitch;
        p.pitchMode = c.pitchMode;
        p.hqStretch = true;
        const Stretched s = stretch(source, p);
        const test::ToneFit fit = middleFit(s, c.hz);
        EXPECT_NEAR(fit.frequency, c.hz, 1.0);
        EXPECT_LT(fit.residualDb, -40.0);
        // Lasts 1/speed as long, to within a few milliseconds.
        EXPECT_NEAR(static_cast<double>(s.left.size() - s.lead), sourceFrames / c.speed, 256.0);
        EXPECT_EQ(s.shortBlocks, 0u);
        EXPECT_GT(s.lead, 0u);
        EXPECT_LT(s.lead, kBlock / kFrame);
    }
}

TEST(HqStretchStage, PitchMovedWhilePlayingKeepsEveryBlockFull) {
    ProcessingSettings p;
    p.hqStretch = true;
    const Stretched s = stretch(tone(440.0, 6.0), p, [](ProcessingSettings& q) {
        q.pitchFactor = 1.26f;
        q.speedFactor = 0.8f;
    });
    EXPECT_EQ(s.shortBlocks, 0u);
    std::vector<double> end(s.left.end() - kRate / 2, s.left.end() - kRate / 4);
    const test::ToneFit fit = test::fitTone(end, kRate, 524, 584);
    EXPECT_NEAR(fit.frequency, 554.4, 1.0);
    EXPECT_LT(fit.residualDb, -40.0);
}

}  // namespace
}  // namespace pelkit

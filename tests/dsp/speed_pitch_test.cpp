#include "dsp/speed_pitch.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

namespace pelkit {
namespace {

using Bytes = std::vector<uint8_t>;
constexpr uint32_t kBlock = 49152;

struct Frame {
    int left;
    int right;
    bool operator==(const Frame&) const = default;
};

void PrintTo(const Frame& f, std::ostream* os) {
    *os << "(" << f.left << ", " << f.right << ")";
}

Frame frameAt(const uint8_t* p) {
    return {static_cast<int16_t>(p[0] | (p[1] << 8)), static_cast<int16_t>(p[2] | (p[3] << 8))};
}

// 16-bit stereo frames where frame k holds (k + offset, -(k + offset)).
Bytes numberedFrames(uint32_t frames, int offset = 0) {
    Bytes b(frames * 4);
    for (uint32_t k = 0; k < frames; ++k) {
        auto l = static_cast<uint16_t>(k + offset), r = static_cast<uint16_t>(-(k + offset));
        b[4 * k] = l & 0xFF, b[4 * k + 1] = l >> 8, b[4 * k + 2] = r & 0xFF, b[4 * k + 3] = r >> 8;
    }
    return b;
}

Frame numbered(uint32_t k, int offset = 0) {
    return {int(k) + offset, -(int(k) + offset)};
}

// Frame i of n of a linear ramp from a towards b, truncated toward zero.
Frame ramp(Frame a, Frame b, int i, int n) {
    return {int(std::trunc(a.left + double(i) * (b.left - a.left) / n)),
            int(std::trunc(a.right + double(i) * (b.right - a.right) / n))};
}

// A block between guard bytes, so that any write outside it shows.
struct Guarded {
    Bytes buf;
    explicit Guarded(uint32_t n, uint8_t fill = 0) : buf(n + 16, 0xEE) {
        std::fill(buf.begin() + 8, buf.end() - 8, fill);
    }
    uint8_t* block() { return buf.data() + 8; }
    Frame frame(size_t k) { return frameAt(block() + 4 * k); }
    bool guardsIntact() const {
        return std::all_of(buf.begin(), buf.begin() + 8, [](uint8_t b) { return b == 0xEE; }) &&
               std::all_of(buf.end() - 8, buf.end(), [](uint8_t b) { return b == 0xEE; });
    }
};

Guarded run(const Bytes& src, uint32_t srcLen, uint32_t blockLen, SpeedPitchSettings s) {
    Guarded g(blockLen);
    processSpeedPitch(src.data(), srcLen, static_cast<uint32_t>(src.size()), g.block(), blockLen,
                      s);
    EXPECT_TRUE(g.guardsIntact());
    return g;
}

SpeedPitchSettings mode(float speed, float pitch, bool pitchMode, uint32_t seam, uint32_t f = 4) {
    return {speed, pitch, pitchMode, 4096, seam, f};
}

TEST(SpeedPitchSizes, ReadAndOutputLengthsInWholeFrames) {
    EXPECT_EQ(computeReadSize(kBlock, 1.1f, 4, 7864320), 54064u);
    EXPECT_EQ(computeOutputLength(54064, 1.1f, 4), 49148u);
    EXPECT_EQ(computeReadSize(kBlock, 0.9f, 4, 7864320), 44236u);
    EXPECT_EQ(computeOutputLength(44236, 0.9f, 4), 49148u);
    EXPECT_EQ(computeReadSize(kBlock, 1.5f, 4, 7864320), 73728u);
    EXPECT_EQ(computeOutputLength(73728, 1.5f, 4), 49152u);
    EXPECT_EQ(computeReadSize(kBlock, 2.0f, 12, 50000), 49992u);  // 12 x 4166
    EXPECT_EQ(computeReadSize(kBlock, 1.0f, 0, 7864320), 0u);
    EXPECT_EQ(computeOutputLength(0, 1.0f, 4), 0u);
}

TEST(SeamRamp, StopsOneStepShortAndWritesNothingWhenEmpty) {
    Bytes b(16, 0x77);
    SeamRamp(b.data(), 0, 100, 40, -100, 16);
    EXPECT_EQ(frameAt(&b[0]), (Frame{0, 100}));
    EXPECT_EQ(frameAt(&b[4]), (Frame{10, 50}));
    EXPECT_EQ(frameAt(&b[12]), (Frame{30, -50}));
    b.assign(16, 0x77);
    SeamRamp(b.data(), 0, 0, 10, -10, 14);  // 3 frames: 10/3 and 20/3 truncate toward zero
    EXPECT_EQ(frameAt(&b[4]), (Frame{3, -3}));
    EXPECT_EQ(frameAt(&b[8]), (Frame{6, -6}));
    EXPECT_EQ(b[12], 0x77);
    for (int32_t len : {3, 0, -8}) {
        b.assign(16, 0x77);
        SeamRamp(b.data(), 5, 5, 9, 9, len);
        EXPECT_EQ(b, Bytes(16, 0x77)) << len;
    }
}

TEST(PlainResampling, RepeatsOrDropsWholeFrames) {
    for (uint32_t f : {1u, 4u}) {
        const Bytes src = numberedFrames(4096);  // as raw bytes for f = 1
        Guarded half = run(src, 4096, 4096, mode(0.5f, 1, false, 0, f));
        Guarded twice = run(src, 16384, 4096, mode(2.0f, 1, false, 0, f));
        for (uint32_t k = 0; k < 4096 / f; ++k) {
            ASSERT_TRUE(std::equal(src.begin() + k / 2 * f, src.begin() + k / 2 * f + f,
                                   half.block() + k * f));
            ASSERT_TRUE(std::equal(src.begin() + 2 * k * f, src.begin() + 2 * k * f + f,
                                   twice.block() + k * f));
        }
    }
}

TEST(SpeedPitch, UnitSpeedAndPitchCopyWholeFramesOfAnySize) {
    Bytes src(49160);  // more than the block, so only the block length limits the writes
    for (size_t i = 0; i < src.size(); ++i)
        src[i] = static_cast<uint8_t>(i * 7 + i / 251);
    for (bool pitchMode : {false, true}) {
        for (uint32_t f : {1u, 2u, 3u, 4u, 6u}) {
            Guarded g = run(src, 49150, 49150, mode(1, 1, pitchMode, 0, f));
            const uint32_t whole = 49150 / f * f;
            EXPECT_TRUE(std::equal(src.begin(), src.begin() + whole, g.block()));
            EXPECT_TRUE(std::all_of(g.block() + whole, g.block() + 49150,
                                    [](uint8_t b) { return b == 0; }));
        }
    }
}

TEST(SpeedPitch, EmptySourceWritesNothing) {
    const Bytes src(kBlock, 1);
    for (bool pitchMode : {false, true}) {
        Guarded g(kBlock, 0x55);
        processSpeedPitch(src.data(), 0, kBlock, g.block(), kBlock, mode(1, 2, pitchMode, 64));
        EXPECT_TRUE(
            std::all_of(g.buf.begin() + 8, g.buf.end() - 8, [](uint8_t b) { return b == 0x55; }));
    }
}

// Speed 1.5: eight pairs of 9,216 source and 6,144 output bytes; each output segment is the
// front of its source segment.
TEST(SegmentProcessing, FasterSpeedPlaysTheFrontOfEachSegment) {
    const Bytes src = numberedFrames(73728 / 4);
    Guarded g = run(src, 73728, kBlock, mode(1.5f, 1, true, 0));
    for (uint32_t m = 0; m < kBlock / 4; ++m) {
        ASSERT_EQ(g.frame(m), numbered(m / 1536 * 2304 + m % 1536)) << m;
    }
}

// Pitch 2: each 1,536-frame segment plays its source at double rate twice. A restart comes
// where the read point reaches the source end less the seam, i.e. at frame r = 768 - L / 8,
// after a ramp of k = L / 4 frames; at 2r the segment restarts again and closes with a ramp.
TEST(SegmentProcessing, HigherPitchReplaysEachSegmentWithRamps) {
    const Bytes src = numberedFrames(kBlock / 4);
    for (uint32_t seam : {0u, 64u}) {
        Guarded g = run(src, kBlock, kBlock, mode(1, 2, true, seam));
        const uint32_t r = 768 - seam / 8, k = seam / 4;
        for (uint32_t m = 0; m < kBlock / 4; ++m) {
            const uint32_t base = m / 1536 * 1536, local = m % 1536;
            Frame want = numbered(base + 2 * (local < r ? local : local - r));
            if (local >= 2 * r) {
                want = ramp(numbered(base), numbered(base + 1535), local - 2 * r, k);
            } else if ((local >= r - k && local < r) || local >= 2 * r - k) {
                const uint32_t i = local < r ? local - (r - k) : local - (2 * r - k);
                want = ramp(numbered(base + 2 * (r - k)), numbered(base), i, k);
            }
            ASSERT_EQ(g.frame(m), want) << "seam " << seam << " frame " << m;
        }
    }
}

TEST(SegmentProcessing, DoubleSpeedKeepsFirstHalfAndClosesTowardsSegmentEnd) {
    const Bytes src = numberedFrames(2 * kBlock / 4);
    Guarded g = run(src, 2 * kBlock, kBlock, mode(2, 1, true, 64));
    for (uint32_t m = 0; m < kBlock / 4; ++m) {
        const uint32_t base = m / 1536 * 3072, local = m % 1536;
        const Frame want =
            local < 1520 ? numbered(base + local)
                         : ramp(numbered(base + 1520), numbered(base + 3071), local - 1520, 16);
        ASSERT_EQ(g.frame(m), want) << m;
    }
}

TEST(SegmentProcessing, LowerPitchPlaysFirstHalfAtHalfRate) {
    const Bytes src = numberedFrames(kBlock / 4);
    Guarded g = run(src, kBlock, kBlock, mode(1, 0.5f, true, 0));
    for (uint32_t m = 0; m < kBlock / 4; ++m) {
        ASSERT_EQ(g.frame(m), numbered(m / 1536 * 1536 + m % 1536 / 2)) << m;
    }
}

// A seam longer than the segment: every frame is copied, reading past the segment's end, but
// never past the buffer; there the last segment's phase restarts from its first frame. At half
// speed, with a seam longer than the 3,072-frame output segment too, there is no closing ramp
// and the phase restarts (without a ramp) at the end of the 1,536-frame source segment.
TEST(SegmentProcessing, SeamLongerThanSegmentReadsOnButStaysInBuffer) {
    const Bytes wide = numberedFrames(2 * kBlock / 4);
    const Bytes exact(wide.begin(), wide.begin() + kBlock);
    Guarded g = run(wide, kBlock, kBlock, mode(1, 2, true, 8192));
    Guarded h = run(exact, kBlock, kBlock, mode(1, 2, true, 8192));
    for (uint32_t m = 0; m < kBlock / 4; ++m) {
        const uint32_t base = m / 1536 * 1536, local = m % 1536;
        ASSERT_EQ(g.frame(m), numbered(base + 2 * local)) << m;
        const bool restarted = base == 7 * 1536 && local >= 768;
        ASSERT_EQ(h.frame(m), numbered(base + 2 * (restarted ? local - 768 : local))) << m;
    }
    Guarded slow = run(wide, kBlock / 2, kBlock, mode(0.5f, 1, true, 16384));
    for (uint32_t m = 0; m < kBlock / 4; ++m) {
        ASSERT_EQ(slow.frame(m), numbered(m / 3072 * 1536 + m % 1536)) << m;
    }
}

// Restarts at output frames 2 and 4 of a 16-frame segment with a 12-frame seam: the ramps are
// cut at the block's start, and the closing ramp runs from frame 4 to the end.
TEST(SegmentProcessing, RestartRampIsCutAtBlockStart) {
    const Bytes src = numberedFrames(16, 100);
    Guarded g = run(src, 64, 64, mode(1, 2, true, 48));
    for (int m = 0; m < 4; ++m)
        EXPECT_EQ(g.frame(m), numbered(0, 100)) << m;
    for (int i = 0; i < 12; ++i) {
        EXPECT_EQ(g.frame(4 + i), ramp(numbered(0, 100), numbered(15, 100), i, 12)) << i;
    }
}

// 8-bit mono: bytes are frames, while the ramps still write 16-bit stereo frames.
TEST(SegmentProcessing, ByteFramesWithSixteenBitRamps) {
    Bytes src(32);
    for (int i = 0; i < 32; ++i)
        src[i] = static_cast<uint8_t>(3 * i + 10);
    Guarded g = run(src, 32, 32, mode(1, 1, true, 8, 1));
    EXPECT_TRUE(std::equal(src.begin(), src.begin() + 16, g.block()));
    // Restart at byte 24: ramp over bytes 16..23 into the first frame; the closing ramp starts
    // from the frame at byte 24, where only the first source byte was written.
    const Frame first = frameAt(&src[0]), last = frameAt(&src[28]);
    const Frame restartFrom = frameAt(&src[16]), closeFrom = {src[0], 0};
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(g.frame(4 + i), ramp(restartFrom, first, i, 2)) << i;
        EXPECT_EQ(g.frame(6 + i), ramp(closeFrom, last, i, 2)) << i;
    }
}

}  // namespace
}  // namespace pelkit

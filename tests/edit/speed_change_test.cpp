// The speed change (header figures, cut-only, seams when shortening and stretching, the end of
// the sound, refusals) and the real-time capture file.
#include <gtest/gtest.h>

#include <vector>

#include "edit/capture_file.h"
#include "edit/speed_change.h"
#include "files/wav_format.h"
#include "support/test_support.h"

namespace pelkit {
namespace {

using namespace test;

uint32_t le32At(const Bytes& b, size_t at) {
    return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (static_cast<uint32_t>(b[at + 3]) << 24);
}

struct Frame {
    int16_t left, right;
};

// Frames of a test sound: left = 10 x index, right = -left.
Frame rampFrame(int index) {
    return {static_cast<int16_t>(10 * index), static_cast<int16_t>(-10 * index)};
}

Bytes framesBytes(const std::vector<Frame>& frames) {
    std::vector<int16_t> s;
    for (Frame f : frames) {
        s.push_back(f.left);
        s.push_back(f.right);
    }
    return samples16(s);
}

class SpeedChange : public ::testing::Test {
  protected:
    // Writes a 16-bit stereo source of DATA and runs the speed change on it.
    Bytes run(const Bytes& data, SpeedChangeSettings settings,
              EditOutcome expect = EditOutcome::Done) {
        writeFile(src_, canonicalWav(2, 44100, 16, data));
        EditSource source{src_, {}};
        EXPECT_TRUE(ReadWavHeader(src_, source.header));
        auto job = makeSpeedChangeJob(source, out_, settings);
        last_ = job->runToEnd();
        EXPECT_EQ(last_.outcome, expect) << last_.message;
        return exists(out_) ? readFile(out_) : Bytes{};
    }
    EditResult last_;
    TempDir dir_;
    std::string src_ = dir_.file("s.wav"), out_ = dir_.file("s-up.wav");
};

TEST_F(SpeedChange, HeaderFigures) {
    // 4 x trunc(size x (percent x 0.01) x 0.25) with percent x 0.01 as a double: 511,556 where
    // size x percent / 400 would give 511,560.
    EXPECT_EQ(speedChangedBytes(1764000, 29), 511556u);
    EXPECT_EQ(speedChangedBytes(4000000, 205), 8199996u);

    const Bytes got = run(Bytes(1764000), {16384, 29, true, 0});
    EXPECT_EQ(le32At(got, 40), 511556u);
    EXPECT_EQ(le32At(got, 4), 511556u + 36);
}

TEST_F(SpeedChange, ShorteningKeepsTheFrontOfEveryChunk) {
    const uint32_t b = 16384;
    const Bytes data = patternBytes(5 * b);
    Bytes expected;
    for (uint32_t c = 0; c < 4; ++c)  // the fifth chunk reaches the end and is dropped
        expected.insert(expected.end(), data.begin() + c * b, data.begin() + c * b + b / 2);

    // Cut-only, noise-off with no seam, and a chunk size that is not whole frames all agree.
    for (SpeedChangeSettings s :
         {SpeedChangeSettings{16384, 50, false, 0}, SpeedChangeSettings{16384, 50, true, 0},
          SpeedChangeSettings{16386, 50, false, 0}}) {
        Bytes got = run(data, s);
        EXPECT_EQ(le32At(got, 40), 5 * b / 2);  // computed in advance, not corrected
        EXPECT_EQ(Bytes(got.begin() + 44, got.end()), expected);
    }
}

TEST_F(SpeedChange, SeamsWhenShortening) {
    // Chunks of 8 frames kept at 50 %: 4 frames, all of them the seam from the chunk's first
    // frame toward its last. A 40-byte seam does not fit in the 16 bytes kept and is shortened.
    for (uint32_t seam : {16u, 40u}) {
        std::vector<Frame> in;
        for (int c = 0; c < 3; ++c) {
            in.push_back({0, 0});
            for (int i = 1; i < 7; ++i)
                in.push_back({static_cast<int16_t>(1000 + i), 5});
            in.push_back({100, -100});
        }
        Bytes got = run(framesBytes(in), {32, 50, true, seam});
        const std::vector<Frame> ramp = {{0, 0}, {25, -25}, {50, -50}, {75, -75}};
        std::vector<Frame> expected = ramp;
        expected.insert(expected.end(), ramp.begin(), ramp.end());
        EXPECT_EQ(Bytes(got.begin() + 44, got.end()), framesBytes(expected)) << seam;
    }
}

TEST_F(SpeedChange, StretchingReadsAheadUpToTheEnd) {
    // Chunks of 8 frames at 150 %: keep 48 bytes, so each chunk is followed by 4 frames read
    // ahead, the last 2 of them a seam from the frame before toward the chunk's last frame.
    // The sound ends 2 frames into the third chunk: the second chunk's read-ahead gets only those
    // 2 frames (its seam shrinks to 1 frame), and the third chunk is dropped.
    std::vector<Frame> in;
    for (int i = 0; i < 18; ++i)
        in.push_back(rampFrame(i));
    Bytes got = run(framesBytes(in), {32, 150, true, 8});

    std::vector<Frame> expected;
    for (int i = 0; i < 8; ++i)
        expected.push_back(rampFrame(i));
    const Frame from = rampFrame(9), to = rampFrame(7);
    expected.push_back(rampFrame(8));
    expected.push_back(from);
    expected.push_back(from);
    expected.push_back({static_cast<int16_t>(from.left + (to.left - from.left) / 2),
                        static_cast<int16_t>(from.right + (to.right - from.right) / 2)});
    for (int i = 8; i < 16; ++i)
        expected.push_back(rampFrame(i));
    expected.push_back(rampFrame(16));  // the read-ahead frame before the seam
    expected.push_back(rampFrame(16));  // a one-frame seam is its from frame
    EXPECT_EQ(Bytes(got.begin() + 44, got.end()), framesBytes(expected));
}

TEST_F(SpeedChange, RefusedSettingsWriteNothing) {
    struct Case {
        SpeedChangeSettings settings;
        const char* message;
    };
    writeFile(dir_.file("b8.wav"), canonicalWav(2, 44100, 8, patternBytes(64)));
    for (Case c : {Case{{0, 50, true, 0}, "buffer and % must be more than 0."},
                   Case{{-4, 50, true, 0}, "buffer and % must be more than 0."},
                   Case{{3, 50, true, 0}, "buffer and % must be more than 0."},
                   Case{{16384, 0, true, 0}, "buffer and % must be more than 0."}}) {
        EXPECT_TRUE(run(patternBytes(64), c.settings, EditOutcome::Refused).empty());
        EXPECT_EQ(last_.message, c.message);
    }
    EditSource eight{dir_.file("b8.wav"), {}};
    ASSERT_TRUE(ReadWavHeader(eight.path, eight.header));
    auto job = makeSpeedChangeJob(eight, out_, {16384, 50, true, 0});
    EXPECT_EQ(job->result().outcome, EditOutcome::Refused);
    EXPECT_EQ(job->result().message, "");
    EXPECT_FALSE(exists(out_));
}

TEST(CaptureFile, AppearsWhenClosed) {
    TempDir dir;
    const std::string path = dir.file("x-real.wav");
    const Bytes older = canonicalWav(2, 44100, 16, patternBytes(8));
    writeFile(path, older);

    CaptureFile capture;
    const WaveFormat format = makeWaveFormat(1, 2, 48000, 16);
    ASSERT_TRUE(capture.open(path, format));
    const Bytes a = patternBytes(49152, 1), b = patternBytes(1000, 2);
    capture.append(a.data(), a.size());
    capture.append(b.data(), b.size());
    EXPECT_EQ(readFile(path), older);  // still the older file while playback runs
    EXPECT_EQ(capture.close().outcome, EditOutcome::Done);

    Bytes data = a;
    data.insert(data.end(), b.begin(), b.end());
    EXPECT_EQ(readFile(path), canonicalWav(2, 48000, 16, data));

    // A capture that is abandoned leaves the file before it.
    CaptureFile dropped;
    ASSERT_TRUE(dropped.open(path, format));
    dropped.append(b.data(), b.size());
    dropped.abandon();
    EXPECT_EQ(readFile(path), canonicalWav(2, 48000, 16, data));
    EXPECT_FALSE(dropped.open(dir.file("no/such/dir.wav"), format));
    EXPECT_NE(dropped.error().find("no/such/dir.wav"), std::string::npos);
}

}  // namespace
}  // namespace pelkit

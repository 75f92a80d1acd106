// The speed change (cut-only, chunks of part frames, seams when shortening and stretching, the end
// of the sound) and the real-time capture file. The header figures and the refusals are checked
// through the program in scenario/file_edit_scenario_test.cpp.
#include <gtest/gtest.h>

#include <vector>

#include "edit/capture_file.h"
#include "edit/speed_change.h"
#include "files/wav_format.h"
#include "support/test_support.h"

namespace pelkit {
namespace {

using namespace test;

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
    Bytes run(const Bytes& data, SpeedChangeSettings settings) {
        writeFile(src_, canonicalWav(2, 44100, 16, data));
        EditSource source{src_, {}};
        EXPECT_TRUE(ReadWavHeader(src_, source.header));
        const EditResult result = makeSpeedChangeJob(source, out_, settings)->runToEnd();
        EXPECT_EQ(result.outcome, EditOutcome::Done) << result.message;
        return readFile(out_);
    }
    TempDir dir_;
    std::string src_ = dir_.file("s.wav"), out_ = dir_.file("s-up.wav");
};

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
        EXPECT_EQ(le(got, 40, 4), expected.size());  // what was written, not 5 x b / 2
        EXPECT_EQ(slice(got, 44, SIZE_MAX), expected);
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
        EXPECT_EQ(slice(got, 44, SIZE_MAX), framesBytes(expected)) << seam;
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
    EXPECT_EQ(slice(got, 44, SIZE_MAX), framesBytes(expected));
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

// Main window commands through the real program at the edges of their rules: the block size
// lattice, the rate steps, the position jumps and the file loading paths.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "scenario/scenario_support.h"

namespace pelkit::test {
namespace {

constexpr uint32_t kBlock = 49152;
constexpr uint32_t kByteRate = 176400;  // 16-bit stereo 44100 Hz

// BYTES at BYTERATE as the time field shows it: minutes and seconds, "%04d:%06.3f".
std::string timeField(uint32_t bytes, uint32_t byteRate = kByteRate) {
    uint32_t minutes = bytes / byteRate / 60;
    double seconds = static_cast<double>(bytes - minutes * 60 * byteRate) / byteRate;
    char text[32];
    std::snprintf(text, sizeof text, "1038: %04u:%06.3f", minutes, seconds);
    return text;
}

// A 16-bit stereo file of FRAMES frames at VALUE in both channels, with the byte range
// [QUIET_FROM, QUIET_TO) of its data set to silence.
Bytes levelFile(uint32_t frames, int16_t value, uint32_t quietFrom = 0, uint32_t quietTo = 0) {
    Bytes data = samples16(std::vector<int16_t>(2 * frames, value));
    for (uint32_t i = quietFrom; i < quietTo; ++i)
        data[i] = 0;
    return canonicalWav(2, 44100, 16, data);
}

std::string repeat(const std::string& lines, int times) {
    std::string all;
    for (int i = 0; i < times; ++i)
        all += lines;
    return all;
}

TEST(BlockSize, LatticeUpAndDown) {
    TempDir dir;
    std::string expected;
    // "+": 24,576 more from 49,152 up to 466,944; one more would pass 491,520.
    for (uint32_t size = 73728; size <= 466944; size += 24576) {
        expected += "1026: " + std::to_string(size) + "\n";
    }
    expected += "1026: 466944\n";
    // "-" from 73,728 gives 49,152; below 49,152 it halves, down to 6 bytes (3 would be less
    // than one 4-byte frame).
    expected += "1026: 49152\n1026: 73728\n1026: 49152\n";
    for (uint32_t size = 24576; size >= 6; size /= 2) {
        expected += "1026: " + std::to_string(size) + "\n";
    }
    expected += "1026: 6\n1026: 6\n1026: 49152\n";

    ProgramRun run =
        runHeadless(dir.path(), {},
                    repeat("command 1022\nprint 1026\n", 18) +
                        "command 1020\nprint 1026\ncommand 1022\nprint 1026\n" +
                        repeat("command 1023\nprint 1026\n", 16) + "command 1020\nprint 1026\n");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, expected);
}

TEST(Rate, StepsAndLimits) {
    TempDir dir;
    ProgramRun run = runHeadless(dir.path(), {},
                                 "command 1009\nprint 1025\nprint 1042\n"  // 4.0 -> 5.0
                                 "command 1011\nprint 1025\n"              // "44"
                                 "command 1012\ncommand 1012\ncommand 1012\nprint 1025\n"
                                 "command 1012\nprint 1025\n"  // 1.0 -> 0.5
                                 "command 1009\nprint 1025\n"  // 0.5 -> 1.0
                                 "command 1012\ncommand 1012\ncommand 1012\nprint 1025\n"
                                 "command 1012\nprint 1025\n"  // 0.125 is the floor
                                 "command 1011\nprint 1025\n"
                                 "type 1042 22050\ncommand 1045\nprint 1025\n");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out,
              "1025: 55125\n1042: 55125\n1025: 44100\n1025: 11025\n1025: 5512\n1025: 11025\n"
              "1025: 1378\n1025: 1378\n1025: 44100\n1025: 22050\n");
}

TEST(QuietJump, SilentFileMovesExactlyOneBlockEachTime) {
    TempDir dir;
    writeFile(dir.file("silent.wav"), levelFile(10 * kBlock / 4, 0));
    ProgramRun run = runHeadless(dir.path(), {"silent.wav"},
                                 "command 1007\nprint 1038\ncommand 1007\nprint 1038\n");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, timeField(kBlock) + "\n" + timeField(2 * kBlock) + "\n");
}

TEST(QuietJump, StopsOneProbeBeyondTheFirstQuietSpot) {
    // Loud (10000) but for bytes 100,000 to 300,000 of the data. After a first read at the start
    // the probes read 12 bytes each a block apart: at 49,164, 98,328, 147,492 (the first quiet
    // one), then one more, 196,656. The position counts a block and 12 bytes per probe, less the
    // 12 bytes of the last read: 4 x 49,164 - 12.
    TempDir dir;
    writeFile(dir.file("spot.wav"), levelFile(10 * kBlock / 4, 10000, 100000, 300000));
    writeFile(dir.file("loud.wav"), levelFile(10 * kBlock / 4, 10000));
    ProgramRun run = runHeadless(dir.path(), {"spot.wav"},
                                 "command 1007\nprint 1038\ncommand 1007\nprint 1038\n");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, timeField(4 * 49164 - 12) + "\n" + timeField(5 * 49164 - 24) + "\n");

    // Nothing quiet: the jump runs off the end and comes back to the start.
    run = runHeadless(dir.path(), {"loud.wav"},
                      "scroll position 1\nprint 1038\ncommand 1007\nprint 1038\n");
    EXPECT_EQ(run.out, timeField(912) + "\n" + timeField(0) + "\n");

    // A skip level of 40 makes the threshold 13,106: the loud file counts as quiet.
    run = runHeadless(dir.path(), {"loud.wav"},
                      "command 1095\ndlg scroll 1181 5 40\ndlg print 1100\ndlg command 1\n"
                      "command 1007\nprint 1038\n");
    EXPECT_EQ(run.out, "1100: 40\n" + timeField(kBlock) + "\n");
}

TEST(JumpBack, NearTheStartReturnsToTheStart) {
    TempDir dir;
    writeFile(dir.file("loud.wav"), levelFile(10 * kBlock / 4, 10000));
    const uint32_t jump = 240 * kBlock;
    // One arrow step of the position bar (912 bytes at 44100 Hz), then back: the start. Two
    // jumps forward and the menu's "<<" twice: back one jump, then (not beyond it) the start.
    ProgramRun run = runHeadless(dir.path(), {"loud.wav"},
                                 "scroll position 1\nprint 1038\ncommand 1039\nprint 1038\n"
                                 "command 1037\ncommand 1037\nprint 1038\n"
                                 "command 40021\nprint 1038\ncommand 40021\nprint 1038\n");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, timeField(912) + "\n" + timeField(0) + "\n" + timeField(2 * jump) + "\n" +
                           timeField(jump) + "\n" + timeField(0) + "\n");
}

TEST(Load, CancelledChoiceKeepsTheSound) {
    TempDir dir;
    writeFile(dir.file("song.wav"), levelFile(1000, 7));
    for (const std::string& choice : {std::string("choose cancel\n"), std::string()}) {
        ProgramRun run =
            runHeadless(dir.path(), {"song.wav"},
                        choice + "command 1015\nprint 1036\nprint title\nprint 1029\n");
        EXPECT_EQ(run.status, 0) << run.err;
        EXPECT_EQ(run.out, "1036: loaded\ntitle: song.wav" + kTitleTail + "\n1029: 4000\n");
    }
}

TEST(Drop, NameWithoutTheSequenceExtensionLoadsAsASound) {
    TempDir dir;
    writeFile(dir.file("song.wav"), levelFile(1000, 7));
    // "ts1" in the name but not as its extension: an ordinary sound.
    Bytes dropped = patternBytes(60000, 4);
    writeFile(dir.file("ts1_take.wav"), canonicalWav(1, 22050, 8, dropped));
    ProgramRun run = runHeadless(dir.path(), {"--audio-out", "played.wav", "song.wav"},
                                 "drop ts1_take.wav\nprint title\nprint 1029\nprint 1025\n"
                                 "command 1002\nrun\n");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "title: ts1_take.wav" + kTitleTail + "\n1029: 60000\n1025: 22050\n");
    // What was played is the dropped sound, in its own format.
    Bytes played = readFile(dir.file("played.wav"));
    ASSERT_GE(played.size(), 44u + dropped.size());
    Bytes header = canonicalWav(1, 22050, 8, {});
    EXPECT_EQ(Bytes(played.begin() + 20, played.begin() + 36),
              Bytes(header.begin() + 20, header.begin() + 36));
    EXPECT_EQ(Bytes(played.begin() + 44, played.begin() + 44 + 60000), dropped);
}

TEST(Drop, EmptyNameShowsTheLoadError) {
    TempDir dir;
    writeFile(dir.file("song.wav"), levelFile(1000, 7));
    ProgramRun run =
        runHeadless(dir.path(), {"song.wav"}, "drop \nprint 1036\nprint title\nprint 1029\n");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "box: pelkit_recorder: error,in load!\n1036: stop\ntitle: song.wav" +
                           kTitleTail + "\n1029: 4000\n");
}

}  // namespace
}  // namespace pelkit::test

// Live play through the whole program: the block size it plays with, where a sub sound started
// by hand enters the output and where its replay from a recorded sequence starts, in live play
// and at the default size; and the switch kept across a restart.
#include <gtest/gtest.h>

#include "scenario/scenario_support.h"

namespace pelkit::test {
namespace {

constexpr size_t kDefaultBlock = 49152;
constexpr size_t kLiveBlock = 2048;  // 512 frames of 16-bit stereo at 44,100 Hz: 11.6 ms

const Bytes kBell = patternBytes(10000, 1);

// Twelve default blocks of silence, and the bell, in DIR.
void writeSounds(const TempDir& dir) {
    writeFile(dir.file("song.wav"), canonicalWav(2, 44100, 16, Bytes(12 * kDefaultBlock, 0)));
    writeFile(dir.file("bell.wav"), canonicalWav(2, 44100, 16, kBell));
}

// Four blocks are primed at the open; the press after two done messages enters block 6 and
// records position 6 blocks; the replay starts the armed slot once the position has passed it,
// in block 7. Live play keeps this rule, with blocks of 11.6 ms instead of 279 ms.
TEST(LivePlayScenario, HandStartedSubSoundEntersTheSixthBlockAndItsReplayTheSeventh) {
    const struct {
        const char* name;
        std::string switches;
        size_t block;
        std::string shown;
    } cases[] = {
        {"default", "", kDefaultBlock, "1026: 49152\n40030: ライブ演奏\n"},
        {"live", "command live\n", kLiveBlock, "1026: 2048\n40030: ライブ演奏 (checked)\n"},
        {"live off again", "command live\ncommand live\n", kDefaultBlock,
         "1026: 49152\n40030: ライブ演奏\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        writeSounds(dir);
        const ProgramRun r = runHeadless(
            dir.path(), {"--audio-out", "out.wav", "song.wav"},
            c.switches +
                "print 1026\nprint live\nchoose bell.wav\ncommand sub-open1\n"
                "choose perf.ts1\ncommand sequence-record\ncommand play\nplay-blocks 2\n"
                "command sub-play1\ncommand sub-sound-setting\n"
                "dlg sub_sound_setting print start-field\ndlg sub_sound_setting close\n"
                "run\ncommand sequence-replay\nrun\n");
        ASSERT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(r.out, c.shown + "1123: " + std::to_string(6 * c.block) + "\n");
        const Bytes out = readFile(dir.file("out.wav"));
        ASSERT_GT(out.size(), 44u);
        const Bytes played(out.begin() + 44, out.end());
        const size_t half = played.size() / 2;  // the replay plays as many blocks as the take
        Bytes expected(played.size(), 0);
        std::copy(kBell.begin(), kBell.end(), expected.begin() + static_cast<long>(6 * c.block));
        std::copy(kBell.begin(), kBell.end(),
                  expected.begin() + static_cast<long>(half + 7 * c.block));
        EXPECT_TRUE(played == expected);
    }
}

TEST(LivePlayScenario, SwitchIsKeptAcrossARestart) {
    TempDir dir;
    writeSounds(dir);
    ProgramRun r = runHeadless(dir.path(), {"song.wav"}, "command live\n");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(readText(dir.file(kIniName)).find("live=1"), std::string::npos);
    // The next run starts with it on and plays in live blocks; off, it is the chosen size again.
    r = runHeadless(dir.path(), {"song.wav"},
                    "print live\nprint 1026\ncommand play\nplay-blocks 1\nprint 1026\n"
                    "command play-stop\nrun\ncommand live\nprint live\nprint 1026\n");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out,
              "40030: ライブ演奏 (checked)\n1026: 2048\n1026: 2048\n40030: ライブ演奏\n"
              "1026: 49152\n");
    EXPECT_NE(readText(dir.file(kIniName)).find("live=0"), std::string::npos);
}

}  // namespace
}  // namespace pelkit::test

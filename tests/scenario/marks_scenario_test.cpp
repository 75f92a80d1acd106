// Position marks through the headless program: stepping through position.txt, saving with the
// comment dialog, applying a mark, and what a mark must not do with no sound or during a take.
#include <gtest/gtest.h>

#include "scenario_support.h"

namespace pelkit::test {
namespace {

constexpr uint32_t kDataBytes = 441000;  // 2.5 s of 16-bit stereo at 44,100 Hz

// What the time field and the position bar show for POSITION of the test sound.
std::string shown(uint32_t position) {
    char time[32];
    uint32_t minutes = position / 176400 / 60;
    std::snprintf(time, sizeof time, "%04u:%06.3f", minutes,
                  static_cast<double>(position - minutes * 60 * 176400) / 176400);
    uint64_t bar = static_cast<uint64_t>(position) * 1000 / kDataBytes;
    return std::string("1038: ") + time + "\nposition: 1..1000 @ " + std::to_string(bar) + "\n";
}

const std::string kProbe = "print 1160\nprint 1038\nprint scroll position\n";

class MarksScenario : public ::testing::Test {
  protected:
    MarksScenario() {
        writeFile(dir.file("song.wav"), canonicalWav(2, 44100, 16, patternBytes(kDataBytes)));
    }
    ProgramRun run(const std::string& script, std::vector<std::string> args = {"song.wav"}) {
        return runHeadless(dir.path(), args, script);
    }
    TempDir dir;
};

TEST_F(MarksScenario, PlusStepsThroughTheLinesThenSelectsNothing) {
    // The third line is read with LF alone; the second's comment comes back as its first word.
    writeText(dir.file("position.txt"), "17640,one\r\n1001,two words\r\n88200,intro\n");
    ProgramRun r =
        run("print 1160\n"
            "command mark-next\n" +
            kProbe + "command mark-next\n" + kProbe + "command mark-next\n" + kProbe +
            "command 40015\n" + kProbe);
    EXPECT_EQ(r.status, 0) << r.err;
    // Positions land on whole frames: 1001 becomes 1000.
    EXPECT_EQ(r.out,
              "1160: 0>\n"
              "1160: 1>one\n" +
                  shown(17640) + "1160: 2>two\n" + shown(1000) + "1160: 3>intro\n" + shown(88200) +
                  "1160: 0>\n" + shown(0));
}

TEST_F(MarksScenario, SaveAppendsTheLineAndCancelKeepsThePreviousComment) {
    writeText(dir.file("position.txt"), "4000,first\r\n8000,second\r\n");
    ProgramRun r =
        run("command mark-next\ncommand mark-next\n"
            "command mark-save\ndlg print position\ndlg print comment\n"
            "dlg command cancel\n"
            "command mark-save\ndlg type comment take two\ndlg command save\n"
            "print 1160\n");
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "1500: 8000\n1504: second\n1160: 2>second\n");
    EXPECT_EQ(readText(dir.file("position.txt")),
              "4000,first\r\n8000,second\r\n8000,second\r\n8000,take two\r\n");
}

TEST_F(MarksScenario, SetJumpsAndZeroClears) {
    writeText(dir.file("position.txt"), "4000,a\r\n352800,b\r\n");
    ProgramRun r = run("command mark-next\ncommand mark-next\ncommand mark-first\n" + kProbe +
                       "command 40017\n" + kProbe);
    EXPECT_EQ(r.status, 0) << r.err;
    // "set" at index 0 reads no line: the position becomes 0.
    EXPECT_EQ(r.out, "1160: 0>\n" + shown(0) + "1160: 0>\n" + shown(0));

    // While playing, "+" only shows the mark; "set" moves playback to it.
    r =
        run("command play\nplay-blocks 2\ncommand mark-next\nprint 1160\ncommand mark-set\n"
            "print 1038\nprint scroll position\ncommand play-stop\n");
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "1160: 1>a\n" + shown(4000));
}

TEST_F(MarksScenario, NoSoundAndTakesAreLeftAlone) {
    writeText(dir.file("position.txt"), "4000,a\r\n");
    // Without a sound (data size 0) the position bar shows 0.
    ProgramRun r = run("command mark-next\nprint 1160\nprint scroll position\n", {});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "1160: 1>a\nposition: 1..1000 @ 0\n");

    // During a take a mark never moves the take's byte counter: the take holds every block.
    const Bytes input = patternBytes(8 * 49152, 3);
    writeFile(dir.file("in.wav"), canonicalWav(2, 44100, 16, input));
    r =
        run("command record\nrecord-blocks 2\ncommand mark-next\ncommand mark-set\n"
            "command mark-first\nrecord-blocks 2\nprint 1038\ncommand record-stop\n",
            {"--audio-in", "in.wav", "take.wav"});
    EXPECT_EQ(r.status, 0) << r.err;
    char time[32];
    std::snprintf(time, sizeof time, "%04u:%06.3f", 0u, 4.0 * 49152 / 176400);
    EXPECT_EQ(r.out, std::string("1038: ") + time + "\n");
    EXPECT_EQ(readFile(dir.file("take.wav")),
              canonicalWav(2, 44100, 16, Bytes(input.begin(), input.begin() + 4 * 49152)));
}

TEST_F(MarksScenario, EditingCreatesTheFileAndOpensIt) {
    ProgramRun r = run("command mark-edit-file\n");
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "open: position.txt\n");
    EXPECT_TRUE(exists(dir.file("position.txt")));
}

}  // namespace
}  // namespace pelkit::test

// Operation sequences through the headless program: a set-up saved and opened again, a recorded
// performance replayed (also after a restart), and sequence files that cannot all be used.
#include <gtest/gtest.h>

#include <chrono>

#include "scenario_support.h"

namespace pelkit::test {
namespace {

constexpr size_t kBlock = 49152;

class SequenceScenario : public ::testing::Test {
  protected:
    SequenceScenario() {
        writeFile(dir.file("song.wav"), canonicalWav(2, 44100, 16, Bytes(12 * kBlock, 0)));
        writeFile(dir.file("bell.wav"), canonicalWav(2, 44100, 16, bell));
        writeFile(dir.file("clap.wav"), canonicalWav(2, 44100, 16, patternBytes(4000, 2)));
    }
    ProgramRun run(const std::string& script, std::vector<std::string> args = {"song.wav"}) {
        return runHeadless(dir.path(), args, script);
    }
    TempDir dir;
    const Bytes bell = patternBytes(10000, 1);
};

// Slots 0 and 6, and two skip pairs set with the position bar.
const std::string kSetUp =
    "choose bell.wav\ncommand sub-open1\n"
    "command sub-next-block\nchoose clap.wav\ncommand sub-open2\ncommand sub-first-block\n"
    "scroll position 5 100\ncommand skip-start\nscroll position 5 200\ncommand skip-end\n"
    "scroll position 5 500\ncommand skip-start\nscroll position 5 600\ncommand skip-end\n";

// The pair set by thumb positions A and B of the position bar (range 1000, data 12 blocks).
std::string skipLine(int k, uint32_t a, uint32_t b) {
    auto at = [](uint32_t index) { return (12 * kBlock / 1000) * index / 12 * 12; };
    return "skip " + std::to_string(k) + ":" + std::to_string(at(a)) + ":" + std::to_string(at(b)) +
           "\r\n";
}

TEST_F(SequenceScenario, SavedSetUpOpensAgainInAFreshRun) {
    // Each change of the main pan after the save adds its value to the file.
    ProgramRun r = run(kSetUp +
                       "choose set.ts1\ncommand sequence-save\nprint 1116\n"
                       "command pan-reset\n");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "1116: song.wav\n");
    const std::string saved = "main:song.wav\r\nt 1:bell.wav\r\nt 7:clap.wav\r\n" +
                              skipLine(1, 100, 200) + skipLine(2, 500, 600);
    EXPECT_EQ(readText(dir.file("set.ts1")), saved + "pan:0.000000\r\n");

    // An older "pan" line without a value is passed over; a value beyond 100 is limited.
    writeText(dir.file("set.ts1"), saved + "pan\r\npan:250\r\n");
    writeFile(dir.file("other.wav"), canonicalWav(1, 8000, 8, Bytes(800, 128)));
    r =
        run("choose set.ts1\ncommand sequence-open\nprint title\nprint 1116\nprint 1075\n"
            "choose again.ts1\ncommand sequence-save\n",
            {"other.wav"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "title: song.wav" + kTitleTail + "\n1116: 1\n1075: 100\n");
    // Slots and skip pairs came back as they were: saved again, the set-up is the same.
    EXPECT_EQ(readText(dir.file("again.ts1")), saved);
}

TEST_F(SequenceScenario, APerformanceIsReplayedAlsoAfterARestart) {
    // Slot 0 is started after two blocks were heard: it sounds from the block of position 6.
    ProgramRun r =
        run("choose bell.wav\ncommand sub-open1\nchoose perf.ts1\n"
            "command sequence-record\ncommand play\nplay-blocks 2\ncommand sub-play1\n"
            "run\ncommand sequence-replay\nrun\nchoose perf.ts1\ncommand sequence-save\n",
            {"--audio-out", "out1.wav", "song.wav"});
    ASSERT_EQ(r.status, 0) << r.err;
    Bytes out1 = readFile(dir.file("out1.wav"));
    ASSERT_GT(out1.size(), 44u);
    Bytes played(out1.begin() + 44, out1.end());
    ASSERT_EQ(played.size() % 2, 0u);
    const size_t half = played.size() / 2;  // the replay plays as many blocks as the take

    // In the replay the armed slot starts once the main sound has passed its start position:
    // with the block after position 6.
    Bytes expected(played.size(), 0);
    std::copy(bell.begin(), bell.end(), expected.begin() + 6 * kBlock);
    std::copy(bell.begin(), bell.end(), expected.begin() + static_cast<long>(half + 7 * kBlock));
    EXPECT_TRUE(played == expected);

    // The saved file keeps the performance: a fresh run replays the same bytes.
    EXPECT_NE(readText(dir.file("perf.ts1")).find("arm 1:" + std::to_string(6 * kBlock) + "\r\n"),
              std::string::npos);
    // A plain play after the open starts the armed slot the same way.
    for (const char* start : {"sequence-replay", "play"}) {
        SCOPED_TRACE(start);
        r = run(std::string("choose perf.ts1\ncommand sequence-open\ncommand ") + start + "\nrun\n",
                {"--audio-out", "out2.wav"});
        ASSERT_EQ(r.status, 0) << r.err;
        Bytes out2 = readFile(dir.file("out2.wav"));
        EXPECT_TRUE(Bytes(out2.begin() + 44, out2.end()) ==
                    Bytes(played.begin() + half, played.end()));
    }
}

TEST_F(SequenceScenario, FilesThatCannotAllBeUsedChangeOnlyWhatTheirGoodLinesSay) {
    struct Case {
        const char* name;
        std::string text;
        std::string box;  // what the message begins with
    };
    const std::string longLine = "t 2:" + std::string(100000, 'x') + "\n";
    const Case cases[] = {
        {"bad line, LF", "main:song.wav\nt x:bell.wav\nt 2:clap.wav\n", "Line 2 of"},
        {"100 KB line", "main:song.wav\r\n" + longLine + "t 2:clap.wav\r\n", "Line 2 of"},
        {"binary", std::string("main:song.wav\n\x01\x02\xff\x00zz\n", 20) + "t 2:clap.wav\n",
         "Line 2 of"},
        {"truncated", "main:song.wav\r\nt 2:cl", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        writeText(dir.file("in.ts1"), c.text);
        ProgramRun r =
            run("choose in.ts1\ncommand sequence-open\nprint title\n"
                "choose out.ts1\ncommand sequence-save\n",
                {});
        ASSERT_EQ(r.status, 0) << r.err;
        if (!c.box.empty()) {
            EXPECT_NE(r.out.find("box: pelkit_recorder: " + c.box), std::string::npos) << r.out;
        }
        EXPECT_NE(r.out.find("title: song.wav" + kTitleTail), std::string::npos) << r.out;
        std::string saved = readText(dir.file("out.ts1"));
        EXPECT_EQ(saved.substr(0, 15), "main:song.wav\r\n");
    }

    // A file that is not a sequence file is neither loaded nor, when chosen to save, written.
    writeText(dir.file("notes.txt"), "keep me\n");
    ProgramRun r =
        run("choose notes.txt\ncommand sequence-open\nchoose notes.txt\n"
            "command sequence-save\nprint title\n");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(readText(dir.file("notes.txt")), "keep me\n");
    EXPECT_NE(r.out.find("title: song.wav" + kTitleTail), std::string::npos);
    EXPECT_FALSE(exists(dir.file("notes.ts1")));
    EXPECT_FALSE(exists(dir.file("song.ts1")));
}

TEST_F(SequenceScenario, NoSequenceIsOpenedDuringATake) {
    writeText(dir.file("set.ts1"), "main:bell.wav\r\n");
    writeFile(dir.file("in.wav"), canonicalWav(2, 44100, 16, patternBytes(4 * kBlock)));
    ProgramRun r =
        run("command record\nrecord-blocks 1\nchoose set.ts1\ncommand sequence-open\n"
            "command record-stop\nprint title\n",
            {"--audio-in", "in.wav", "take.wav"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("box: pelkit_recorder: Stop the recording"), std::string::npos);
    EXPECT_NE(r.out.find("title: take.wav" + kTitleTail), std::string::npos);
    EXPECT_TRUE(exists(dir.file("take.wav")));
}

// Long files: the load time grows with the file's length alone, and a stop signal ends a load
// at once. The bounds are generous (a loaded 2-core machine): these builds load either file in
// well under a second; the sanitizer build does not run the program's scenarios.
TEST_F(SequenceScenario, LongFilesLoadInLinearTimeAndAStopSignalEndsTheLoad) {
    std::string skips = "main:song.wav\r\n";
    for (uint32_t k = 1; k <= 400000; ++k)
        skips += "skip " + std::to_string(k) + ":" + std::to_string(k * 12) + ":" +
                 std::to_string(k * 12 + 6) + "\r\n";
    writeText(dir.file("long.ts1"), skips);
    auto start = std::chrono::steady_clock::now();
    ProgramRun r = run("print 1116\nprint title\n", {"long.ts1"});
    const auto took = std::chrono::steady_clock::now() - start;
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "1116: 399999\ntitle: song.wav" + kTitleTail + "\n");
    EXPECT_LT(took, std::chrono::seconds(3));

    // 2.5 million pairs, 15 MB: SIGTERM while they load closes the program as always, and the
    // file it was reading stays as it was.
    std::string pairs = "main:song.wav\n";
    for (int k = 0; k < 2500000; ++k)
        pairs += "s:1:2\n";
    writeText(dir.file("huge.ts1"), pairs);
    LiveProgram live(dir.path(), {"huge.ts1"});
    ASSERT_TRUE(eventually([&] { return startedIn(dir.path()); }));
    live.signal(SIGTERM);
    const int status = live.wait(std::chrono::seconds(2));
    ASSERT_NE(status, -1) << "still running 2 s after SIGTERM";
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 128 + SIGTERM) << status;
    EXPECT_NE(readText(dir.file(kIniName)).find("endstatus=ok"), std::string::npos);
    EXPECT_EQ(readText(dir.file("huge.ts1")), pairs);
}

}  // namespace
}  // namespace pelkit::test

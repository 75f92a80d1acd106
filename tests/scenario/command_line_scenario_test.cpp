// The program's own command line, given after --headless: the play option, names with blanks,
// absolute paths, sequence files, and files that cannot be read as sound.
#include <gtest/gtest.h>

#include <filesystem>

#include "scenario/scenario_support.h"

namespace pelkit::test {
namespace {

const std::string kProbe = "print title\nprint 1025\nprint 1027\nprint 1029\n";

// The probe's answer for a loaded FILE of RATE Hz, CHANNELS channels and SIZE data bytes.
std::string probeAnswer(const std::string& file, int rate, int channels, int size) {
    return "title: " + file + kTitleTail + "\n1025: " + std::to_string(rate) +
           "\n1027: " + std::to_string(channels) + "\n1029: " + std::to_string(size) + "\n";
}

TEST(CommandLine, NamesArriveWholeAndAreLoaded) {
    TempDir dir;
    Bytes sound = canonicalWav(1, 8000, 16, samples16({0, 100, -100, 200, -200}));
    writeFile(dir.file("my take.wav"), sound);
    writeFile(dir.file("x.wav"), sound);
    writeFile(dir.file("x.TS1"), sound);
    struct Case {
        std::vector<std::string> args;
        std::string file;
    };
    const Case cases[] = {
        {{"my take.wav"}, "my take.wav"},
        {{"\"my take.wav\""}, "my take.wav"},
        {{"/p", "my take.wav"}, "my take.wav"},
        {{"-p", "x.wav"}, "x.wav"},
        {{"x.TS1"}, "x.TS1"},  // only a lower-case ts1 names a sequence file
        {{dir.file("x.wav")}, dir.file("x.wav")},
        {{"/P", dir.file("my take.wav")}, dir.file("my take.wav")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args.back());
        ProgramRun run = runHeadless(dir.path(), c.args, kProbe);
        EXPECT_EQ(run.status, 0);
        EXPECT_EQ(run.err, "");
        EXPECT_EQ(run.out, probeAnswer(c.file, 8000, 1, 10));
    }
    EXPECT_EQ(readFile(dir.file("my take.wav")), sound);
    EXPECT_EQ(readFile(dir.file("x.wav")), sound);
    EXPECT_EQ(readFile(dir.file("x.TS1")), sound);
}

TEST(CommandLine, SequenceFileIsNotLoadedAsSound) {
    TempDir dir;
    writeText(dir.file("x.ts1"), "not a sound\n");
    ProgramRun run = runHeadless(dir.path(), {"x.ts1"}, "print title\n");
    EXPECT_EQ(run.status, 0);
    // It is read as a sequence: the unusable line is named, and the main file stays.
    EXPECT_NE(run.out.find("box: pelkit_recorder: Line 1 of the sequence file x.ts1"),
              std::string::npos)
        << run.out;
    EXPECT_NE(run.out.find("title: record.wav" + kTitleTail + "\n"), std::string::npos) << run.out;
    EXPECT_EQ(readText(dir.file("x.ts1")), "not a sound\n");
}

TEST(CommandLine, MissingFileIsANewFileAndIsNotCreated) {
    TempDir dir;
    ProgramRun run = runHeadless(dir.path(), {"missing.wav"}, "print title\nprint 1036\n");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "title: missing.wav" + kTitleTail + "\n1036: new file\n");
    EXPECT_FALSE(exists(dir.file("missing.wav")));
    EXPECT_EQ(textLines(readText(dir.file(kIniName))),
              (std::vector<std::string>{"[init]", "endstatus=ok"}));
}

TEST(CommandLine, UnreadableFilesAreReportedAndLeftAsTheyAre) {
    Bytes absurd = canonicalWav(1, 8000, 16, patternBytes(100));
    absurd[16] = 0xF0, absurd[17] = 0xFF, absurd[18] = 0xFF, absurd[19] = 0x7F;
    Bytes riffx = canonicalWav(1, 8000, 16, patternBytes(100));
    Bytes short43 = canonicalWav(1, 8000, 16, {});
    short43.pop_back();
    riffx[3] = 'X';
    struct Case {
        const char* name;
        Bytes bytes;
        bool directory = false;
    };
    const Case cases[] = {
        {"directory", {}, true},
        {"empty", {}},
        {"43 bytes", short43},
        {"text", {'h', 'e', 'l', 'l', 'o', ' ', 'w', 'a', 'v', 'e', '\n'}},
        {"absurd fmt size", absurd},
        {"RIFX", riffx},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        if (c.directory) {
            std::filesystem::create_directory(dir.file("bad.wav"));
        } else {
            writeFile(dir.file("bad.wav"), c.bytes);
        }
        ProgramRun run = runHeadless(dir.path(), {"bad.wav"}, "print title\nprint 1025\n");
        EXPECT_EQ(run.status, 0);
        EXPECT_NE(run.out.find("box: pelkit_recorder: "), std::string::npos) << run.out;
        // The failed read keeps the previous format: nothing of the file's 8000 Hz shows.
        EXPECT_NE(run.out.find("title: bad.wav" + kTitleTail + "\n1025: 44100\n"),
                  std::string::npos)
            << run.out;
        EXPECT_EQ(std::filesystem::is_directory(dir.file("bad.wav")), c.directory);
        if (!c.directory) {
            EXPECT_EQ(readFile(dir.file("bad.wav")), c.bytes);
        }
        EXPECT_EQ(textLines(readText(dir.file(kIniName))),
                  (std::vector<std::string>{"[init]", "endstatus=ok"}));
    }
}

}  // namespace
}  // namespace pelkit::test

// The headless script language, and the main-window commands that need no sound device: the
// extra header bytes readout (1018) and the data size repair (40022).
#include <gtest/gtest.h>

#include "scenario/scenario_support.h"

namespace pelkit::test {
namespace {

void expectCleanEnd(const TempDir& dir) {
    EXPECT_EQ(textLines(readText(dir.file(kIniName))),
              (std::vector<std::string>{"[init]", "endstatus=ok"}));
    EXPECT_FALSE(exists(dir.file(kTempName)));
}

TEST(Script, MalformedLineStopsTheScriptWithStatusTwo) {
    struct Case {
        std::string lines;
        int number;
    };
    const Case cases[] = {
        {"frobnicate 1\n", 1},   {"# note\n\ncommand abc\n", 3},
        {"command 1018 x\n", 1}, {"print 1036\nanswer maybe\n", 2},
        {"type abc hello\n", 1}, {"scroll nowhere 1\n", 1},
        {"tick -1\n", 1},        {"\n\n\nprint\n", 4},
        {"choose\n", 1},         {"command\n", 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.lines);
        TempDir dir;
        ProgramRun run = runHeadless(dir.path(), {}, c.lines + "print title\n");
        EXPECT_EQ(run.status, 2);
        std::string prefix = "script line " + std::to_string(c.number) + ": ";
        EXPECT_EQ(run.err.rfind(prefix, 0), 0u) << run.err;
        EXPECT_EQ(textLines(run.err).size(), 1u) << run.err;
        // Nothing after the bad line runs, and the program still ends normally.
        EXPECT_EQ(run.out.find("title:"), std::string::npos) << run.out;
        expectCleanEnd(dir);
    }
}

TEST(Script, CommentsBlanksAndTypedTexts) {
    TempDir dir;
    writeText(dir.file("script.txt"),
              "# a comment\n\n   \ntype 1042 12345\nprint 1042\n#print title\n"
              "type 1042 a  b\nprint 1042\ntype 1042\nprint 1042\n");
    // The script comes from a file here; standard input stays empty.
    ProgramRun run = runHeadless(dir.path(), {"--script", dir.file("script.txt")}, "");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(run.out, "1042: 12345\n1042: a  b\n1042: \n");
    EXPECT_EQ(textLines(readText(dir.file(kIniName))),
              (std::vector<std::string>{"[init]", "endstatus=ok"}));
}

TEST(Script, ExitCommandAndCloseEndTheProgramCleanly) {
    for (const char* script : {"command 1010\n", "close\n"}) {
        SCOPED_TRACE(script);
        TempDir dir;
        ProgramRun run = runHeadless(dir.path(), {}, script);
        EXPECT_EQ(run.status, 0);
        EXPECT_EQ(run.err, "");
        expectCleanEnd(dir);
    }
}

TEST(Commands, ExtraHeaderBytesOfLoadedFiles) {
    Bytes data = samples16({10, -10, 20, -20});
    struct Case {
        const char* name;
        Bytes file;
        int extra;
    };
    const Case cases[] = {
        {"canonical", canonicalWav(2, 44100, 16, data), 0},
        {"18-byte fmt", wavWithChunks(18, {}, data), 2},
        {"18-byte fmt and fact", wavWithChunks(18, {{"fact", {4, 0, 0, 0}}}, data), 14},
        // A LIST chunk after a 16-byte fmt is skipped, pad byte included: 8 + 5 + 1.
        {"LIST of odd size", wavWithChunks(16, {{"LIST", {'I', 'N', 'F', 'O', 'x'}}}, data), 14},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        writeFile(dir.file("s.wav"), c.file);
        ProgramRun run =
            runHeadless(dir.path(), {"s.wav"}, "command 1018\nprint 1036\nprint 1029\n");
        EXPECT_EQ(run.status, 0);
        EXPECT_EQ(run.out, "1036: " + std::to_string(c.extra) +
                               "\n1029: " + std::to_string(data.size()) + "\n");
        EXPECT_EQ(readFile(dir.file("s.wav")), c.file);
    }
}

TEST(Commands, DataSizeRepairAsksAndWritesTheSizeFromTheFileLength) {
    TempDir dir;
    // Data size field 5 and a RIFF size that is also wrong: only bytes 36 to 43 may change.
    Bytes file = canonicalWav(1, 8000, 16, patternBytes(200));
    file[4] = 0x11, file[40] = 5;
    std::string path = dir.file("b.wav");
    writeFile(path, file);
    ProgramRun run = runHeadless(dir.path(), {"b.wav"}, "answer cancel\ncommand 40022\n");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "box: b.wav: 200 バイト ...header以外すべてwaveとして -> cancel\n");
    EXPECT_EQ(readFile(path), file);

    run = runHeadless(dir.path(), {path}, "answer ok\ncommand 40022\n");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "box: " + path + ": 200 バイト ...header以外すべてwaveとして -> ok\n" +
                           "box: " + path + ": wave サイズ書き込みました。\n");
    Bytes expected = file;
    expected[40] = 200;  // 200 = C8 00 00 00
    EXPECT_EQ(readFile(path), expected);

    // A header-only file gets the unknown size FF FF FF FF; with no answer queued, OK is taken.
    Bytes header = canonicalWav(2, 44100, 16, {});
    std::string h = dir.file("h.wav");
    writeFile(h, header);
    run = runHeadless(dir.path(), {h}, "command 40022\n");
    EXPECT_EQ(run.out, "box: " + h + ": 0 バイト ...header以外すべてwaveとして -> ok\n" +
                           "box: " + h + ": wave サイズ書き込みました。\n");
    header[40] = header[41] = header[42] = header[43] = 0xFF;
    EXPECT_EQ(readFile(h), header);
}

}  // namespace
}  // namespace pelkit::test

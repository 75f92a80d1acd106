// The wave micro edit through the headless runner: the cursor over the frames of the block at the
// play position, the value sliders, and the write of one frame into the file in place. Every
// expected file is the original with the written 4 bytes put in by the test itself.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "scenario/scenario_support.h"

namespace pelkit::test {
namespace {

constexpr size_t kBlock = 49152;

// FILE with the frame (LEFT, RIGHT) at byte AT.
Bytes withFrame(Bytes file, size_t at, int left, int right) {
    for (auto [offset, v] : {std::pair{at, left}, std::pair{at + 2, right}}) {
        file[offset] = static_cast<uint8_t>(v & 0xFF);
        file[offset + 1] = static_cast<uint8_t>((v >> 8) & 0xFF);
    }
    return file;
}

// One block of a longer file played and stopped: the cursor then counts the frames of a whole
// block (the last block refilled).
const std::string kPlayedOneBlock = "command play\nplay-blocks 1\ncommand play-stop\nrun\n";

TEST(MicroEditScenario, CursorTenAtPositionZeroWritesFileBytes84To87) {
    TempDir dir;
    const Bytes data = patternBytes(8 * kBlock, 1);
    const Bytes original = canonicalWav(2, 44100, 16, data);
    writeFile(dir.file("s.wav"), original);
    std::string pages;
    for (int i = 0; i < 130; ++i)
        pages += "dlg scroll cursor 3\n";
    ProgramRun run = runHeadless(dir.path(), {"s.wav"},
                                 kPlayedOneBlock +
                                     "command micro-edit\ndlg print title\n"
                                     "dlg print scroll cursor\n"
                                     "dlg scroll cursor 5 10\ndlg print left-value\n"
                                     "dlg print right-value\ndlg print buffer-start\n"
                                     "dlg scroll left 5 -32768\ndlg print left-value\n"
                                     "dlg scroll right 0\ndlg command write\n" +
                                     pages + "dlg print cursor-value\ndlg print scroll cursor\n");
    ASSERT_EQ(run.status, 0) << run.err;
    const int right = value16(data, 42);
    EXPECT_EQ(textLines(run.out), (std::vector<std::string>{
                                      "title: wave micro edit",
                                      "cursor: 0..12287 @ 0",
                                      "9022: " + std::to_string(value16(data, 40)) + " (disabled)",
                                      "9023: " + std::to_string(right) + " (disabled)",
                                      "1499: 0",
                                      "9022: -32768 (disabled)",
                                      // Pages right stop at the block's last frame: 49,152 / 4 - 1.
                                      "9021: 12287 (disabled)",
                                      "cursor: 0..12287 @ 12287",
                                  }));
    EXPECT_EQ(readFile(dir.file("s.wav")), withFrame(original, 84, -32768, right - 1));
}

TEST(MicroEditScenario, RefusedWritesChangeNothing) {
    struct Case {
        const char* name;
        std::string script;
        const char* message;  // the start of the box's text
    };
    const Case cases[] = {
        {"while playing",
         "command play\nplay-blocks 1\ncommand micro-edit\ndlg scroll cursor 5 10\n"
         "dlg scroll left 5 -32768\ndlg command write\ncommand play-stop\n",
         "A frame cannot be written while playing"},
        // A take that ends empty leaves the file named alone, so it still shows the write's
        // absence.
        {"during a take",
         kPlayedOneBlock + "command record\ncommand micro-edit\ndlg scroll cursor 5 10\n"
                           "dlg scroll left 5 -32768\ndlg command write\ncommand record-stop\n",
         "A frame cannot be written while recording"},
        // The display shows the overview at a new position, not the frames at the cursor.
        {"display moved on",
         kPlayedOneBlock + "command micro-edit\ndlg scroll cursor 5 10\nscroll position 5 500\n"
                           "dlg scroll left 5 -32768\ndlg command write\n",
         "The frame was not written: the display does not show the sound"},
        // Frame 10 of 40 bytes of sound data would reach past them.
        {"beyond the data",
         kPlayedOneBlock + "drop short.wav\ncommand micro-edit\ndlg scroll cursor 5 10\n"
                           "dlg scroll left 5 -32768\ndlg command write\n",
         "The frame was not written: byte 40 of the sound data lies beyond its end (40 bytes)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        const Bytes original = canonicalWav(2, 44100, 16, patternBytes(8 * kBlock, 2));
        const Bytes shortFile = canonicalWav(2, 44100, 16, patternBytes(40, 3));
        writeFile(dir.file("s.wav"), original);
        writeFile(dir.file("short.wav"), shortFile);
        ProgramRun run = runHeadless(dir.path(), {"s.wav"}, c.script);
        ASSERT_EQ(run.status, 0) << run.err;
        std::vector<std::string> boxes;
        for (const std::string& line : textLines(run.out)) {
            // The question before a take replaces s.wav is not a refusal.
            if (line.rfind("box: ", 0) == 0 && !line.ends_with(" -> ok")) boxes.push_back(line);
        }
        EXPECT_EQ(boxes.size(), 1u) << run.out;
        if (!boxes.empty()) {
            EXPECT_EQ(boxes[0].rfind(std::string("box: pelkit_recorder: ") + c.message, 0), 0u)
                << boxes[0];
        }
        EXPECT_EQ(readFile(dir.file("s.wav")), original);
        EXPECT_EQ(readFile(dir.file("short.wav")), shortFile);
    }
}

}  // namespace
}  // namespace pelkit::test

// What the main window shows of the program's state, headless: the switches that are on, a
// cancelled file choice that changes nothing, and slots that got their files from a sequence.
#include <gtest/gtest.h>

#include "scenario_support.h"

namespace pelkit::test {
namespace {

class WindowState : public ::testing::Test {
  protected:
    WindowState() {
        writeFile(dir.file("song.wav"), canonicalWav(2, 44100, 16, Bytes(8 * 49152, 0)));
        writeFile(dir.file("bell.wav"), canonicalWav(2, 44100, 16, patternBytes(4000, 1)));
    }
    std::string run(const std::string& script) {
        ProgramRun r = runHeadless(dir.path(), {"song.wav"}, script);
        EXPECT_EQ(r.status, 0) << r.err;
        return r.out;
    }
    TempDir dir;
};

// Each switch prints " (checked)" exactly while it is on: off at start (on for pitch), then
// flipped by its command.
TEST_F(WindowState, SwitchesPrintCheckedWhileOn) {
    struct Row {
        const char* id;
        const char* text;
        const char* flip;  // the script that turns it over
        bool onAtStart;
    };
    const Row rows[] = {
        {"1005", "逆再生", "command 1005", false},
        {"1006", "繰返し", "command 1006", false},
        {"40012", "連続再生on-off", "command 40012", false},
        {"1041", "オン、オフ", "command 1041", false},
        {"1136", "録音時も表示する、しない", "command 1136", false},
        {"1052", "start-end", "command 1052", false},
        {"1131", "on-off", "command 1131", false},
        {"1066", "on-off", "command 1066", true},
        {"1122", "記録", "choose cancel\ncommand 1122", false},
    };
    for (const Row& row : rows) {
        const std::string id = row.id;
        const std::string out = run("print " + id + "\n" + row.flip + "\nprint " + id + "\n");
        const std::string checked = std::string(row.text) + " (checked)\n";
        const std::string plain = std::string(row.text) + "\n";
        // 1052 shows its mode as its caption: "full" while off.
        const std::string before = id == "1052" ? "full\n" : row.onAtStart ? checked : plain;
        EXPECT_EQ(out, id + ": " + before + id + ": " + (row.onAtStart ? plain : checked)) << id;
    }
}

// A cancelled choice says nothing and changes nothing, whichever command asked; the status and
// sequence fields stay as they were.
TEST_F(WindowState, CancelledChoiceIsSilent) {
    const std::string prints = "print field-status\nprint field-sequence-status\nprint title\n";
    const std::string untouched = run(prints);
    for (const std::string command :
         {"command open", "command sequence-open", "command sequence-save", "command sub-open1",
          "command sub-sound-all\ndlg sub_sound_dlg command slot3"}) {
        EXPECT_EQ(run("choose cancel\n" + command + "\n" + prints), untouched) << command;
    }
    // A dropped item without a name is still the load error.
    EXPECT_EQ(run("drop \n"), "box: pelkit_recorder: error,in load!\n");
}

// Slots given files by a sequence file can be started by hand at once and show their numbers in
// the "all" window; a sequence being recorded says so.
TEST_F(WindowState, SlotsOfASequenceCanBeStarted) {
    writeText(dir.file("set.ts1"), "main:song.wav\r\nt 1:bell.wav\r\nt 7:bell.wav\r\n");
    EXPECT_EQ(run("choose set.ts1\ncommand sequence-open\nprint sub-play1\nprint sub-play2\n"
                  "command sub-next-block\nprint sub-play2\ncommand sub-sound-all\n"
                  "dlg sub_sound_dlg print slot7\ndlg sub_sound_dlg print slot6\n"
                  "choose again.ts1\ncommand sequence-record\nprint 1116\n"),
              "1090: >\n1091: > (disabled)\n1091: >\n1207: 7\n1206: \n"
              "1116: sequence recording.\n");
}

}  // namespace
}  // namespace pelkit::test

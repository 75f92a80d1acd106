// The sub sound group of the main window, the "all" and "setting" dialogs and the keyboard
// dialog, driven through the headless runner by their names (dlg NAME ...).
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <string>

#include "scenario/scenario_support.h"

namespace pelkit::test {
namespace {

// Runs SCRIPT in a fresh directory holding a.wav (a short 16-bit stereo sound) and returns what
// it printed; a script error fails the test.
std::string run(const std::string& script, const std::vector<std::string>& args = {}) {
    TempDir dir;
    writeFile(dir.file("a.wav"), canonicalWav(2, 44100, 16, Bytes(4 * 49152, 1)));
    ProgramRun r = runHeadless(dir.path(), args, script);
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");
    return r.out;
}

std::string repeat(const std::string& line, int n) {
    std::string s;
    for (int i = 0; i < n; ++i)
        s += line;
    return s;
}

// The "all" dialog's mode button cycles open -> play -> stop -> open, and the "main" button's
// text follows it.
TEST(SubSoundDialogs, AllDialogModeCycles) {
    EXPECT_EQ(run("command sub-sound-all\ndlg sub_sound_dlg print title\n" +
                  repeat("dlg sub_sound_dlg print mode\ndlg sub_sound_dlg print main\n"
                         "dlg sub_sound_dlg command mode\n",
                         4)),
              "title: sub sound\n1107: open\n1002: open\n1107: play\n1002: >\n1107: stop\n"
              "1002: 0\n1107: open\n1002: open\n");
}

// Rows: ">" starts disabled; a file opened for slot 8 from the "all" dialog enables the ">" of
// row 3 once its block is shown; "+" moves the block by five, wrapping from 195 to 0, and the
// ">" buttons follow the slots of the block. A cancelled choice changes nothing.
TEST(SubSoundDialogs, RowsFollowTheBlockAndTheSlotsWithFiles) {
    const std::string out =
        run("print sub-play3\ncommand sub-sound-all\nchoose a.wav\n"
            "dlg sub_sound_dlg command slot8\ndlg sub_sound_dlg print slot8\n"
            "print sub-play3\nprint sub-play2\ncommand sub-next-block\nprint 1099\n"
            "print sub-play3\nprint sub-play2\n" +
            repeat("command sub-next-block\n", 38) +
            "print 1099\ncommand sub-next-block\nprint 1099\nprint sub-play3\n"
            "command sub-next-block\ncommand sub-first-block\nprint 1099\n"
            "command sub-open1\nprint field-status\nprint sub-play1\n");
    EXPECT_EQ(out,
              "1092: > (disabled)\n1208: 8\n1092: > (disabled)\n1091: > (disabled)\n1099: 5\n"
              "1092: >\n"
              "1091: > (disabled)\n1099: 195\n1099: 0\n1092: > (disabled)\n1099: 0\n"
              "1036: \n1090: > (disabled)\n");
}

// Each row names its slot's file (without its folder), following the block shown; the "all"
// dialog names the file of the slot last clicked.
TEST(SubSoundDialogs, RowsAndTheAllDialogNameTheSlotFiles) {
    TempDir dir;
    std::filesystem::create_directory(dir.file("kit"));
    writeFile(dir.file("kit/bell.wav"), canonicalWav(2, 44100, 16, Bytes(4096, 1)));
    ProgramRun r =
        runHeadless(dir.path(), {},
                    "choose kit/bell.wav\ncommand sub-open1\nprint sub-name1\n"
                    "command sub-sound-all\nchoose kit/bell.wav\ndlg sub_sound_dlg command slot7\n"
                    "dlg sub_sound_dlg print slot-name\nprint sub-name2\n"
                    "command sub-next-block\nprint sub-name2\nprint sub-name1\n"
                    "dlg sub_sound_dlg command slot9\ndlg sub_sound_dlg print slot-name\n");
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(r.out,
              "1170: bell.wav\n1175: 7: bell.wav\n1171: \n1171: bell.wav\n1170: \n1175: 9: \n");
}

// The slot commands with an index outside 0..199 do nothing: the file queued for a choice is
// still there for the next open.
TEST(SubSoundDialogs, SlotCommandsOutsideTheBankDoNothing) {
    EXPECT_EQ(run("choose a.wav\ncommand sub-open-index 200\ncommand sub-open-index -1\n"
                  "command sub-play-index 200\ncommand sub-stop-index -5\n"
                  "command sub-open1\nprint sub-play1\n"),
              "1090: >\n");
}

// The setting dialog's slot number: typed and set, stepped with ">" and "<"; anything outside
// 1..200 shows slot 1. It opens once: a second "setting" keeps the slot shown.
TEST(SubSoundDialogs, SettingDialogSlotNumber) {
    struct Case {
        std::string lines;
        std::string shown;
    };
    const Case cases[] = {
        {"dlg sub_sound_setting type slot-field 8\ndlg sub_sound_setting command set-slot\n", "8"},
        {"dlg sub_sound_setting type slot-field 0\ndlg sub_sound_setting command set-slot\n", "1"},
        {"dlg sub_sound_setting type slot-field 201\ndlg sub_sound_setting command set-slot\n",
         "1"},
        {"dlg sub_sound_setting type slot-field -3\ndlg sub_sound_setting command set-slot\n", "1"},
        {"dlg sub_sound_setting type slot-field 200\ndlg sub_sound_setting command set-slot\n"
         "dlg sub_sound_setting command next-slot\n",
         "1"},
        {"dlg sub_sound_setting command previous-slot\n", "1"},
        {"dlg sub_sound_setting command next-slot\ndlg sub_sound_setting command next-slot\n", "3"},
        {"dlg sub_sound_setting type slot-field 9\ndlg sub_sound_setting command set-slot\n"
         "command sub-sound-setting\n",
         "9"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.lines);
        EXPECT_EQ(run("command sub-sound-setting\n" + c.lines +
                      "dlg sub_sound_setting print slot-field\n"),
                  "1111: " + c.shown + "\n");
    }
    // The slot's file, start and state.
    EXPECT_EQ(run("choose a.wav\ncommand sub-open2\ncommand sub-sound-setting\n"
                  "dlg sub_sound_setting command next-slot\n"
                  "dlg sub_sound_setting print name-field\n"
                  "dlg sub_sound_setting print armed-field\n"
                  "dlg sub_sound_setting print time-field\n"),
              "1119: a.wav\n1124: なし\n1125: 0000:00.000\n");
}

// The boost bar: arrows of 0.01, the thumb at 0.002 a step, top 0, bottom 10; the field shows
// trunc(boost x 100), the bar trunc(boost x 500) limited to 100..900, in extended precision (so
// one step up from 1 shows 100: the stored 1.00999999 is not rounded again). The pan
// bar: arrows of 0.1, the thumb as a signed number, top -100, bottom 100. The boost group's
// "reset" does nothing.
TEST(SubSoundDialogs, SettingDialogBoostAndPanBars) {
    struct Case {
        std::string bar;
        std::string actions;  // scroll CODE [POS] lines for the bar
        float value;          // what the rule makes of it
    };
    const Case cases[] = {
        {"boost-bar", "", 1.0f},         {"boost-bar", "1\n", 1.01f},
        {"boost-bar", "5 300\n", 0.6f},  {"boost-bar", "5 1000\n", 2.0f},
        {"boost-bar", "7\n", 10.0f},     {"boost-bar", "6\n", 0.0f},
        {"boost-bar", "6\n0\n", -0.01f}, {"pan-bar", "", 0.0f},
        {"pan-bar", "5 -40\n", -40.0f},  {"pan-bar", "7\n", 100.0f},
        {"pan-bar", "6\n1\n", -99.9f},   {"pan-bar", "0\n", -0.1f},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.bar + " " + c.actions);
        std::string script = "command sub-sound-setting\n";
        size_t at = 0;
        while (at < c.actions.size()) {
            size_t end = c.actions.find('\n', at);
            script += "dlg sub_sound_setting scroll " + c.bar + " " +
                      c.actions.substr(at, end - at) + "\n";
            at = end + 1;
        }
        const bool boost = c.bar == "boost-bar";
        script += "dlg sub_sound_setting command boost-reset\n";
        script += std::string("dlg sub_sound_setting print ") +
                  (boost ? "boost-field" : "pan-field") + "\ndlg sub_sound_setting print scroll " +
                  c.bar + "\n";
        const long double v = c.value;
        const int field = static_cast<int>(boost ? v * 100 : v);
        const int pos = static_cast<int>(boost ? std::clamp<long double>(v * 500, 100, 900)
                                               : std::clamp<long double>(v, -100, 100));
        EXPECT_EQ(run(script), (boost ? "1110: " : "1115: ") + std::to_string(field) + "\n" +
                                   c.bar + ": " + (boost ? "1..1000" : "-100..100") + " @ " +
                                   std::to_string(pos) + "\n");
    }
}

// The keyboard: key 45 at shift 0 is 1.0594631^9; at shift 3 key 84 is 128, shown at the limit
// 20 while the pitch stays 128 (the timing readout that follows a pitch bar action shows it); at
// shift -5 key 0 is 0.00390625, shown at the limit 0.04 as 4.
TEST(KeyboardDialog, KeysSetThePitchShownAtItsLimits) {
    const std::string out =
        run("command keyboard\ndlg keyboard print title\ndlg keyboard print key36\n"
            "dlg keyboard command key45\nprint field-pitch\nprint scroll pitch\n"
            "dlg keyboard command octave-up2\ndlg keyboard command octave-up\n"
            "dlg keyboard command key84\nprint field-pitch\nprint scroll pitch\nscroll pitch 4\n"
            "print field-sequence-status\n"
            "dlg keyboard command octave-reset\ndlg keyboard command octave-down2\n"
            "dlg keyboard command octave-down2\ndlg keyboard command octave-down\n"
            "dlg keyboard command key0\nprint field-pitch\nprint scroll pitch\n"
            "dlg keyboard command cancel\ncommand octave-reset\ncommand 1454\n"
            "print field-pitch\n");
    const std::string timing = "128.0000";
    EXPECT_NE(out.find("1116: "), std::string::npos);
    std::string expected =
        "title: main pitch keyboard\n1445: c\n1068: 168\npitch: 1..2000 @ 840\n"
        "1068: 2000\npitch: 1..2000 @ 1800\n";
    EXPECT_EQ(out.substr(0, expected.size()), expected);
    const size_t timingLine = out.find("1116: ");
    EXPECT_EQ(out.substr(out.find('\n', timingLine) - timing.size(), timing.size()), timing);
    EXPECT_EQ(out.substr(out.find('\n', timingLine) + 1),
              "1068: 4\npitch: 1..2000 @ 100\n1068: 168\n");  // a key from the main window too
}

// A key while the sound is idle starts it; a key while it plays only changes the pitch.
TEST(KeyboardDialog, AKeyStartsPlayWhenIdle) {
    // A second start would fail to open the device in use and say so in a box.
    EXPECT_EQ(run("command keyboard\ndlg keyboard command key36\nprint field-status\n"
                  "play-blocks 1\ndlg keyboard command key48\nprint field-pitch\n"
                  "command play-stop\n",
                  {"a.wav"}),
              "1036: start\n1068: 200\n");
}

}  // namespace
}  // namespace pelkit::test

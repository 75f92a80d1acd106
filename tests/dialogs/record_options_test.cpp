// The record options dialog on the fake platform: what it shows on opening, the loop size and its
// minutes, the processing unit and seam steps, the display commands it passes on, the write mode
// and the two bars.
#include <gtest/gtest.h>

#include "app/app_state.h"
#include "dialogs/record_options.h"
#include "support/fake_platform.h"
#include "support/test_support.h"

namespace pelkit {
namespace {

using namespace test;

constexpr WindowHandle kDialog = 7;

class RecordOptionsTest : public ::testing::Test {
  protected:
    RecordOptionsTest() { app.windows.mainDialog = kFakeMainWindow; }

    void open() { dialog.onInit(kDialog); }
    void press(int id) { dialog.onCommand(kDialog, id, 0, Notify::Click); }
    void type(int id, const std::string& text) {
        fake.ui.texts[{kDialog, id}] = text;
        dialog.onCommand(kDialog, id, 0, Notify::EditChange);
    }
    std::string field(int id) const { return fake.ui.text(id, kDialog); }
    int barPos(int bar) const { return fake.ui.scrollPositions.at({kDialog, bar}); }
    std::pair<int, int> range(int bar) const { return fake.ui.scrollRanges.at({kDialog, bar}); }

    // The display commands may build an overview from the current file: keep it away from the
    // directory the tests run in.
    TempDir dir;
    WorkingDirectory cwd{dir.path()};
    FakePlatform fake;
    AppState app{fake.platform()};
    RecordOptionsDialog dialog{app};
};

TEST_F(RecordOptionsTest, OpeningShowsTheSharedSettings) {
    app.modes.writeMode = 1;
    app.level.timesMode = true;
    app.display.skipLevel = 37;
    app.display.verticalScale = 2.5f;
    app.display.horizontalScale = 0.5f;
    app.processing.processingUnit = 512;
    app.processing.seamLength = 12;
    open();

    EXPECT_EQ(fake.ui.titles[kDialog], "record option");
    EXPECT_EQ(field(1097), "70");  // aux 1.4 x 50
    EXPECT_EQ(barPos(RecordOptionsDialog::kAuxBar), 140);
    EXPECT_EQ(range(RecordOptionsDialog::kAuxBar), std::make_pair(0, 200));
    EXPECT_EQ(field(1100), "37");
    EXPECT_EQ(barPos(RecordOptionsDialog::kSkipLevelBar), 37);
    EXPECT_EQ(range(RecordOptionsDialog::kSkipLevelBar), std::make_pair(0, 100));
    EXPECT_EQ(field(1098), "0");  // the fake input device reports no auxiliary device
    EXPECT_EQ(field(1159), "HDD");
    EXPECT_EQ(field(1127), "1000000000");
    // 1,000,000,000 bytes at 176,400 bytes a second: 5668 seconds, 94 whole minutes.
    EXPECT_EQ(field(1128), "94");
    EXPECT_EQ(field(1102), "250");
    EXPECT_EQ(field(1104), "50");
    EXPECT_EQ(field(1105), "times");
    EXPECT_EQ(field(1106), "512");
    EXPECT_EQ(field(1101), "12");
}

TEST_F(RecordOptionsTest, LoopSizeHasAMinimumAndShowsMinutes) {
    // 8-bit mono at 1378 Hz: 100,000 bytes last 72 s (one minute), 50,000 bytes 36 s.
    app.format.soundBitsPerSample = 8;
    app.format.channels = 1;
    app.format.samplesPerSecond = 1378;
    open();
    type(1127, "50000");
    EXPECT_EQ(app.recorder.loopSize, 100000u);
    EXPECT_EQ(field(1127), "50000");  // what was typed stays
    EXPECT_EQ(field(1128), "1");

    type(1127, "8268000");  // 6000 s
    EXPECT_EQ(app.recorder.loopSize, 8268000u);
    EXPECT_EQ(field(1128), "100");
    type(1127, "8267999");  // one byte short of 100 minutes
    EXPECT_EQ(field(1128), "99");

    // Text without a number leaves the size as it was.
    type(1127, "abc");
    EXPECT_EQ(app.recorder.loopSize, 8267999u);

    // Bits below 8 make a zero byte rate: no minutes, and no division by zero.
    app.format.soundBitsPerSample = 4;
    type(1127, "300000");
    EXPECT_EQ(app.recorder.loopSize, 300000u);
    EXPECT_EQ(field(1128), "0");
}

TEST_F(RecordOptionsTest, StartReadsTheSizeEntersLoopStandbyAndCloses) {
    open();
    fake.ui.texts[{kDialog, 1127}] = "1234";
    press(1126);
    EXPECT_EQ(app.recorder.loopSize, 100000u);
    EXPECT_TRUE(app.modes.loopRecording);
    EXPECT_TRUE(app.modes.standby);
    EXPECT_EQ(fake.ui.text(1036), "standby");
    ASSERT_EQ(fake.ui.endedDialogs.size(), 1u);
    EXPECT_EQ(fake.ui.endedDialogs[0], std::make_pair(kDialog, 0));

    // OK and the window's close request end the dialog with 0 as well.
    press(1);
    dialog.onClose(kDialog);
    EXPECT_EQ(fake.ui.endedDialogs.size(), 3u);
    EXPECT_EQ(fake.ui.endedDialogs[2], std::make_pair(kDialog, 0));
}

TEST_F(RecordOptionsTest, ProcessingUnitAndSeamSteps) {
    open();
    for (int i = 0; i < 3; ++i)
        press(1146);
    EXPECT_EQ(app.processing.processingUnit, 4120u);
    EXPECT_EQ(field(1106), "4120");
    app.processing.processingUnit = 4000000000u;
    press(1146);
    EXPECT_EQ(app.processing.processingUnit, 4000000008u);
    press(1147);
    EXPECT_EQ(app.processing.processingUnit, 4096u);

    app.processing.processingUnit = 32;
    press(1148);
    press(1148);
    EXPECT_EQ(app.processing.processingUnit, 16u);
    press(1148);
    EXPECT_EQ(app.processing.processingUnit, 16u);
    app.processing.processingUnit = 20;  // 12 would be below 16
    press(1148);
    EXPECT_EQ(app.processing.processingUnit, 20u);
    EXPECT_EQ(field(1106), "20");

    press(1143);
    press(1143);
    EXPECT_EQ(app.processing.seamLength, 8u);
    EXPECT_EQ(field(1101), "8");
    press(1145);
    press(1145);
    press(1145);
    EXPECT_EQ(app.processing.seamLength, 0u);
    EXPECT_EQ(field(1101), "0");
    app.processing.seamLength = 3;
    press(1145);
    EXPECT_EQ(app.processing.seamLength, 3u);
    app.processing.seamLength = 7;
    press(1145);
    EXPECT_EQ(app.processing.seamLength, 3u);
    press(1144);
    EXPECT_EQ(app.processing.seamLength, 0u);
}

TEST_F(RecordOptionsTest, DisplayCommandsAndSwitches) {
    open();
    press(1138);
    press(1138);
    press(1138);
    EXPECT_EQ(field(1102), "130");
    press(1137);
    EXPECT_EQ(field(1102), "120");
    press(1139);
    EXPECT_EQ(field(1102), "100");
    press(1137);  // not above 1: stays
    EXPECT_FLOAT_EQ(app.display.verticalScale, 1.0f);

    press(1140);
    EXPECT_EQ(field(1104), "110");
    press(1141);
    press(1142);
    EXPECT_EQ(field(1104), "90");
    EXPECT_FLOAT_EQ(app.display.horizontalScale, 0.9f);

    press(1135);
    EXPECT_FALSE(app.display.displayOn);
    // The dialog's 1136 is the spectrum switch, not the main window's 1136.
    press(1136);
    EXPECT_TRUE(app.display.spectrumMode);
    EXPECT_FALSE(app.display.showWhileRecording);
    press(1149);
    EXPECT_FALSE(app.display.showLeft);
    EXPECT_TRUE(app.display.showRight);
    press(1150);
    EXPECT_FALSE(app.display.showRight);

    press(1159);
    EXPECT_EQ(app.modes.writeMode, 1);
    EXPECT_EQ(field(1159), "HDD");
    press(1159);
    EXPECT_EQ(app.modes.writeMode, 0);
    EXPECT_EQ(field(1159), "mem");

    press(1152);
    EXPECT_TRUE(app.level.timesMode);
    EXPECT_EQ(field(1105), "times");
    press(1152);
    EXPECT_EQ(field(1105), "add");

    press(1103);
    EXPECT_FALSE(app.modes.japaneseCaptions);
    // Nothing was sent to the main window that opens a dialog of its own (its 1102 would).
    press(1102);
    EXPECT_TRUE(fake.ui.modalTemplates.empty());
}

TEST_F(RecordOptionsTest, AuxAndSkipLevelBars) {
    open();
    const int aux = RecordOptionsDialog::kAuxBar, skip = RecordOptionsDialog::kSkipLevelBar;
    dialog.onScroll(kDialog, aux, kScrollThumbDragged, 150);  // 150 / (2 x 50)
    EXPECT_EQ(field(1097), "75");
    EXPECT_EQ(barPos(aux), 150);
    dialog.onScroll(kDialog, aux, kScrollThumbDragged, 50);  // 50 / 100
    EXPECT_FLOAT_EQ(dialog.auxValue(), 0.5f);
    EXPECT_EQ(field(1097), "25");
    dialog.onScroll(kDialog, aux, kScrollBottom, 0);
    EXPECT_EQ(field(1097), "100");
    EXPECT_EQ(barPos(aux), 200);
    dialog.onScroll(kDialog, aux, kScrollTop, 0);
    dialog.onScroll(kDialog, aux, kScrollLineLeft, 0);
    EXPECT_FLOAT_EQ(dialog.auxValue(), 0.0f);
    press(1096);
    EXPECT_EQ(field(1097), "70");
    EXPECT_EQ(barPos(aux), 140);

    dialog.onScroll(kDialog, skip, kScrollLineLeft, 0);  // never below 1
    EXPECT_EQ(app.display.skipLevel, 1);
    dialog.onScroll(kDialog, skip, kScrollPageRight, 0);
    EXPECT_EQ(app.display.skipLevel, 18);
    EXPECT_EQ(field(1100), "18");
    EXPECT_EQ(barPos(skip), 18);
    dialog.onScroll(kDialog, skip, kScrollBottom, 0);
    dialog.onScroll(kDialog, skip, kScrollLineRight, 0);
    EXPECT_EQ(app.display.skipLevel, 100);
    press(1099);
    EXPECT_EQ(app.display.skipLevel, 1);
    EXPECT_EQ(field(1100), "1");
    EXPECT_EQ(barPos(skip), 1);
}

}  // namespace
}  // namespace pelkit

// The record options dialog on the fake platform: what it shows on opening, the loop size and its
// minutes, the processing unit and seam steps, the display commands it passes on and the bars.
#include <gtest/gtest.h>

#include "app/program.h"
#include "dialogs/record_options.h"
#include "resources/record_options_ids.h"
#include "state/app_state.h"
#include "support/fake_platform.h"
#include "support/test_support.h"

namespace pelkit {
namespace {

using namespace test;

constexpr WindowHandle kDialog = 7;
constexpr int kAuxBar = id::options::kAuxBar;
constexpr int kSkipBar = id::options::kSkipLevelBar;

class RecordOptionsTest : public ::testing::Test {
  protected:
    RecordOptionsTest() { app.windows.mainDialog = kFakeMainWindow; }

    void press(int id, int times = 1) {
        for (int i = 0; i < times; ++i)
            dialog.onCommand(kDialog, id, 0, Notify::Click);
    }
    void type(const std::string& text) {
        fake.ui.texts[{kDialog, 1127}] = text;
        dialog.onCommand(kDialog, 1127, 0, Notify::EditChange);
    }
    std::string field(int id) const { return fake.ui.text(id, kDialog); }
    int bar(int id) const { return fake.ui.scrollPositions.at({kDialog, id}); }

    // The display commands may build an overview from the current file: keep it away from the
    // directory the tests run in.
    TempDir dir;
    WorkingDirectory cwd{dir.path()};
    FakePlatform fake;
    Program program{fake.platform(), "", ""};  // the dialog's commands reach the dispatcher
    AppState& app = program.state();
    RecordOptionsDialog dialog{app};
};

TEST_F(RecordOptionsTest, OpeningShowsTheSharedSettings) {
    app.modes.writeMode = WriteMode::Disk;
    app.level.timesMode = true;
    app.display.skipLevel = 37;
    app.display.verticalScale = 2.5f;
    app.display.horizontalScale = 0.5f;
    dialog.onInit(kDialog);

    EXPECT_EQ(fake.ui.titles[kDialog], "record option");
    EXPECT_EQ(field(1097), "70");  // aux 1.4 x 50
    EXPECT_EQ(bar(kAuxBar), 140);
    EXPECT_EQ(fake.ui.scrollRanges.at({kDialog, kAuxBar}), std::make_pair(0, 200));
    EXPECT_EQ(field(1100), "37");
    EXPECT_EQ(bar(kSkipBar), 37);
    EXPECT_EQ(fake.ui.scrollRanges.at({kDialog, kSkipBar}), std::make_pair(0, 100));
    EXPECT_EQ(field(1098), "0");  // the fake input device reports no auxiliary device
    EXPECT_EQ(field(1159), "HDD");
    EXPECT_EQ(field(1127), "1000000000");
    // 1,000,000,000 bytes at 176,400 bytes a second: 5668 seconds, 94 whole minutes.
    EXPECT_EQ(field(1128), "94");
    EXPECT_EQ(field(1102), "250");
    EXPECT_EQ(field(1104), "50");
    EXPECT_EQ(field(1105), "times");
}

TEST_F(RecordOptionsTest, LoopSizeHasAMinimumAndShowsMinutes) {
    // 8-bit mono at 1378 Hz: 100,000 bytes last 72 s (one minute), 50,000 bytes 36 s.
    app.format.soundBitsPerSample = 8;
    app.format.channels = 1;
    app.format.samplesPerSecond = 1378;
    dialog.onInit(kDialog);
    type("50000");
    EXPECT_EQ(app.recorder.loopSize, 100000u);
    EXPECT_EQ(field(1127), "50000");  // what was typed stays
    EXPECT_EQ(field(1128), "1");

    type("8267999");  // one byte short of 6000 s
    EXPECT_EQ(field(1128), "99");
    type("abc");  // no number: the size stays
    EXPECT_EQ(app.recorder.loopSize, 8267999u);

    // Bits below 8 make a zero byte rate: no minutes, and no division by zero.
    app.format.soundBitsPerSample = 4;
    type("300000");
    EXPECT_EQ(app.recorder.loopSize, 300000u);
    EXPECT_EQ(field(1128), "0");
}

TEST_F(RecordOptionsTest, ProcessingUnitAndSeamSteps) {
    dialog.onInit(kDialog);
    app.processing.processingUnit = 4000000000u;  // no upper limit
    press(1146, 2);
    EXPECT_EQ(field(1106), "4000000016");
    press(1147);
    EXPECT_EQ(app.processing.processingUnit, 4096u);
    app.processing.processingUnit = 32;
    press(1148, 3);  // 24, 16, and not below 16
    EXPECT_EQ(app.processing.processingUnit, 16u);
    app.processing.processingUnit = 20;  // 12 would be below 16
    press(1148);
    EXPECT_EQ(field(1106), "20");

    press(1143, 2);
    EXPECT_EQ(field(1101), "8");
    press(1145, 3);  // 4, 0, and "-" at 0 leaves 0
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

TEST_F(RecordOptionsTest, DisplayCommandsModesAndSwitches) {
    dialog.onInit(kDialog);
    press(1138, 3);
    EXPECT_EQ(field(1102), "130");
    press(1139);
    press(1137);  // not above 1: stays
    EXPECT_EQ(field(1102), "100");
    press(1140);
    EXPECT_EQ(field(1104), "110");
    press(1141);
    press(1142);
    EXPECT_EQ(field(1104), "90");
    press(1135);
    EXPECT_FALSE(app.display.displayOn);
    // The dialog's 1136 is the spectrum switch, not the main window's 1136: from the trace to
    // the bars, to the FFT view, and back to the trace.
    const std::pair<bool, SpectrumView> views[] = {{true, SpectrumView::Bars},
                                                   {true, SpectrumView::Fft},
                                                   {false, SpectrumView::Bars},
                                                   {true, SpectrumView::Bars}};
    for (auto [mode, view] : views) {
        press(1136);
        EXPECT_EQ(app.display.spectrumMode, mode);
        EXPECT_EQ(app.spectrum.view, view);
    }
    EXPECT_FALSE(app.display.showWhileRecording);

    press(1159);
    EXPECT_EQ(app.modes.writeMode, WriteMode::Disk);
    EXPECT_EQ(field(1159), "HDD");
    press(1159);
    EXPECT_EQ(field(1159), "mem");
    press(1152);
    EXPECT_TRUE(app.level.timesMode);
    EXPECT_EQ(field(1105), "times");
    press(1152);
    EXPECT_EQ(field(1105), "add");
    // The dialog's fields are not the main window's commands of the same ids (its 1102 would
    // open a dialog).
    press(1102);
    EXPECT_TRUE(fake.ui.modalTemplates.empty());
}

TEST_F(RecordOptionsTest, AuxAndSkipLevelBars) {
    dialog.onInit(kDialog);
    dialog.onScroll(kDialog, kAuxBar, kScrollThumbDragged, 150);  // 150 / (2 x 50)
    EXPECT_EQ(field(1097), "75");
    EXPECT_EQ(bar(kAuxBar), 150);
    dialog.onScroll(kDialog, kAuxBar, kScrollBottom, 0);
    EXPECT_EQ(field(1097), "100");
    dialog.onScroll(kDialog, kAuxBar, kScrollTop, 0);
    dialog.onScroll(kDialog, kAuxBar, kScrollLineLeft, 0);
    EXPECT_FLOAT_EQ(dialog.auxValue(), 0.0f);
    press(1096);
    EXPECT_EQ(field(1097), "70");
    EXPECT_EQ(bar(kAuxBar), 140);

    dialog.onScroll(kDialog, kSkipBar, kScrollLineLeft, 0);  // never below 1
    EXPECT_EQ(app.display.skipLevel, 1);
    dialog.onScroll(kDialog, kSkipBar, kScrollPageRight, 0);
    EXPECT_EQ(field(1100), "18");
    EXPECT_EQ(bar(kSkipBar), 18);
    dialog.onScroll(kDialog, kSkipBar, kScrollBottom, 0);
    dialog.onScroll(kDialog, kSkipBar, kScrollLineRight, 0);
    EXPECT_EQ(app.display.skipLevel, 100);
    press(1099);
    EXPECT_EQ(field(1100), "1");
    EXPECT_EQ(bar(kSkipBar), 1);
}

}  // namespace
}  // namespace pelkit

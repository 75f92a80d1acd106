// What the main window shows: times, the level bar, number fields, titles, warnings, the
// control states of each mode and the caption language.
#include <gtest/gtest.h>

#include <vector>

#include "state/app_state.h"
#include "status/status_display.h"
#include "support/fake_platform.h"

namespace pelkit {
namespace {

using namespace test;

class StatusDisplayTest : public ::testing::Test {
  protected:
    StatusDisplayTest() { app.windows.mainDialog = kFakeMainWindow; }

    FakePlatform fake;
    AppState app{fake.platform(), fake.services};
};

const std::string kRuler = "----+----+----+----+----+----+----+----+----+---**";

TEST(StatusText, TimeText) {
    EXPECT_EQ(timeText(0, 176400), "0000:00.000");
    EXPECT_EQ(timeText(60 * 176400, 176400), "0001:00.000");
    EXPECT_EQ(timeText(1000000, 176400), "0000:05.669");
    EXPECT_EQ(timeText(3661 * 176400 + 88200, 176400), "0061:01.500");
    EXPECT_EQ(timeText(4294967295u, 192000), "0372:49.621");
    EXPECT_EQ(timeText(1000000, 0), "0000:00.000");
}

TEST(StatusText, LevelBar) {
    EXPECT_EQ(levelBarText(0), std::string(49, ' ') + "_");
    EXPECT_EQ(levelBarText(1), std::string(49, ' ') + "_");
    EXPECT_EQ(levelBarText(37), "----+----+----+---" + std::string(31, ' ') + "_");
    EXPECT_EQ(levelBarText(100), kRuler);
}

TEST_F(StatusDisplayTest, PlayLevelOfTheFirstSample) {
    const uint8_t loudest16[2] = {0x00, 0x80};  // -32768
    app.format.bitsPerSample = 16;
    showPlayLevel(app, loudest16);
    EXPECT_EQ(fake.ui.text(1036), kRuler);
    const uint8_t half16[2] = {0x00, 0x40};  // 16384: 50 percent, 25 ruler characters
    showPlayLevel(app, half16);
    EXPECT_EQ(fake.ui.text(1036), kRuler.substr(0, 25) + std::string(24, ' ') + "_");

    app.format.bitsPerSample = 8;
    app.playback.levelFullScale = 128;
    const uint8_t silent8[2] = {128, 0};
    showPlayLevel(app, silent8);
    EXPECT_EQ(fake.ui.text(1036), std::string(49, ' ') + "_");
    const uint8_t loudest8[2] = {0, 0};
    showPlayLevel(app, loudest8);
    EXPECT_EQ(fake.ui.text(1036), kRuler);
}

TEST_F(StatusDisplayTest, ReadNumberField) {
    fake.ui.texts[{kFakeMainWindow, 1042}] = "22050";
    EXPECT_EQ(readNumberField(app, 1042), 22050);
    EXPECT_EQ(fake.ui.text(1042), "22050");
    fake.ui.texts[{kFakeMainWindow, 1042}] = "22050abc";
    EXPECT_EQ(readNumberField(app, 1042), 22050);
    EXPECT_EQ(fake.ui.text(1042), "22050");
}

TEST_F(StatusDisplayTest, ControlStates) {
    struct State {
        const char* name;
        void (*apply)(AppState&);
        std::vector<int> on, off;
        int focus;  // 0: focus not moved
    };
    const std::vector<State> states = {
        {"armRecordControls", armRecordControls, {1013, 1014, 1504}, {1002, 1003, 1004, 1006}, 0},
        {"showLoaded", showLoaded, {1013, 1014, 1504, 1002, 1006, 1005}, {1003, 1004}, 1002},
        {"showRecording", showRecording, {1001}, {1000, 1002, 1003, 1004, 1006}, 0},
        {"showRecordStopped", showRecordStopped, {1000}, {1001}, 1000},
        {"showPlayable", showPlayable, {1002, 1006, 1005}, {1003, 1004}, 1002},
        {"showPlaying",
         showPlaying,
         {1003, 1004, 1006},
         {1023, 1020, 1022, 1000, 1001, 1002},
         1004},
        {"showPlayStopped",
         showPlayStopped,
         {1023, 1020, 1022, 1000, 1002, 1005, 1006},
         {1001, 1003, 1004},
         1002},
    };
    for (const State& s : states) {
        SCOPED_TRACE(s.name);
        fake.ui.enabled.clear();
        fake.ui.focused.clear();
        app.modes.playing = true;
        s.apply(app);
        for (int id : s.on)
            EXPECT_EQ(fake.ui.isEnabled(id), std::optional<bool>(true)) << id;
        for (int id : s.off)
            EXPECT_EQ(fake.ui.isEnabled(id), std::optional<bool>(false)) << id;
        EXPECT_EQ(fake.ui.enabled.size(), s.on.size() + s.off.size());
        EXPECT_EQ(fake.ui.focusedId(), s.focus);
    }
    // The states that leave the play mode clear the playing flag.
    showPlayable(app);
    EXPECT_FALSE(app.modes.playing);
    app.modes.playing = true;
    showLoaded(app);
    EXPECT_FALSE(app.modes.playing);
    EXPECT_EQ(fake.ui.text(1036), "loaded");

    setBitsButtons(app, false);
    for (int id : {1013, 1014, 1504})
        EXPECT_EQ(fake.ui.isEnabled(id), std::optional<bool>(false));
}

TEST_F(StatusDisplayTest, CaptionLanguage) {
    EXPECT_TRUE(app.modes.japaneseCaptions);
    toggleCaptions(app);
    EXPECT_FALSE(app.modes.japaneseCaptions);
    EXPECT_EQ(fake.ui.text(1000), "rec.");
    EXPECT_EQ(fake.ui.text(1102), "all");
    toggleCaptions(app);
    EXPECT_TRUE(app.modes.japaneseCaptions);
    EXPECT_EQ(fake.ui.text(1000), "録音");
    EXPECT_EQ(fake.ui.text(1102), "全表示");
}

}  // namespace
}  // namespace pelkit

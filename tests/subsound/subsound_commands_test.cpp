// The sub sounds in playback on the fake platform, with the sequence state set directly: armed
// slots starting by themselves in a replay, and the setting dialog following every refilled
// block.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "app/program.h"
#include "resources/control_ids.h"
#include "resources/subsound_ids.h"
#include "state/app_state.h"
#include "support/fake_platform.h"
#include "support/test_support.h"

namespace pelkit {
namespace {

using namespace test;

class SubSoundPlay : public ::testing::Test {
  protected:
    static constexpr uint32_t kBlock = 64;  // bytes: 16 stereo frames

    SubSoundPlay() {
        program.mainWindow().onInit(kFakeMainWindow);
        writeFile(dir.file("main.wav"), canonicalWav(2, 44100, 16, Bytes(16 * kBlock, 0)));
        // Three frames of 100: shorter than a block.
        writeFile(dir.file("slot.wav"),
                  canonicalWav(2, 44100, 16, samples16({100, 100, 100, 100, 100, 100})));
        fake.ui.choices = {dir.file("main.wav"), dir.file("slot.wav")};
        sendCommand(app, id::kOpen);
        sendCommand(app, id::kSubSoundOpen0);
        app.blocks.chosenBlockSize = kBlock;
    }
    void deliver(MessageKind kind, WaveHeader* header = nullptr) {
        program.mainWindow().onDeviceMessage({kind, header, 0});
    }
    // The play command and the opened message, which refills the four blocks.
    void startPlay() {
        sendCommand(app, id::kPlay);
        deliver(MessageKind::OutOpen);
    }
    // Whether block I holds the slot's three frames.
    bool holdsSlot(int i) const {
        const uint8_t* d = app.ring.headers[i].data;
        return std::all_of(d, d + 12, [](uint8_t b) { return b == 100 || b == 0; }) &&
               d[0] == 100 && d[12] == 0;
    }
    bool silent(int i) const {
        const uint8_t* d = app.ring.headers[i].data;
        return std::all_of(d, d + kBlock, [](uint8_t b) { return b == 0; });
    }
    SubSoundSlot& slot() { return app.subSounds->entries[0]; }

    TempDir dir;
    WorkingDirectory cwd{dir.path()};
    FakePlatform fake;
    Program program{fake.platform(), "", ""};
    AppState& app = program.state();
};

// Started at position 128 while a sequence was recorded, the slot starts by itself in the
// replay at the first block whose position is past 128 (the fourth, at 192), once; the device's
// close ends the replay.
TEST_F(SubSoundPlay, ArmedSlotStartsOncePastItsStartInAReplay) {
    app.sequence.recording = true;
    app.sound.position = 2 * kBlock;
    sendCommand(app, id::kSubSoundPlay0);
    EXPECT_TRUE(slot().armed && slot().triggered && slot().startPosition == 2 * kBlock);

    // What the replay does before it starts the main sound.
    app.subSounds->stopAll();
    app.subSounds->rewindAll();
    app.sequence.recording = false;
    app.sequence.replaying = true;
    app.sound.position = 0;
    startPlay();
    EXPECT_TRUE(silent(0) && silent(1) && silent(2));
    EXPECT_TRUE(holdsSlot(3));
    for (int i = 0; i < 4; ++i) {
        deliver(MessageKind::OutDone, &app.ring.headers[i]);
        EXPECT_TRUE(silent(i)) << i;
    }
    EXPECT_TRUE(slot().assigned && slot().triggered && !slot().isPlaying);
    sendCommand(app, id::kPlayStop);
    deliver(MessageKind::OutClose);
    EXPECT_FALSE(app.sequence.replaying || app.sequence.recording);
}

// The setting dialog shows its slot as each block begins. A slot number being typed is not
// overwritten by that refresh; the dialog's own buttons write it again.
TEST_F(SubSoundPlay, SettingDialogFollowsTheBlocksWithoutOverwritingTyping) {
    writeFile(dir.file("long.wav"),
              canonicalWav(2, 44100, 16, samples16(std::vector<int16_t>(5 * kBlock / 2, 100))));
    fake.ui.choices = {dir.file("long.wav")};
    sendCommand(app, id::kSubSoundOpen0);
    sendCommand(app, id::kSubSoundSetting);
    ASSERT_EQ(fake.ui.modeless.size(), 1u);
    const WindowHandle w = fake.ui.modeless.begin()->first;
    DialogHandler& dialog = *fake.ui.modeless.begin()->second;
    sendCommand(app, id::kSubSoundPlay0);
    fake.ui.texts[{w, id::kSettingSlot}] = "7";
    dialog.onCommand(w, id::kSettingSlot, 0, Notify::EditChange);
    startPlay();
    // The fourth refill shows what the first three read: 192 bytes at 176,400 a second.
    EXPECT_EQ(fake.ui.text(id::kSettingPlayedTime, w), "0000:00.001");
    EXPECT_EQ(fake.ui.text(id::kSettingSlot, w), "7");
    EXPECT_EQ(fake.ui.text(id::kSettingName, w), dir.file("long.wav"));
    dialog.onCommand(w, id::kSettingPanReset, 0, Notify::Click);
    EXPECT_EQ(fake.ui.text(id::kSettingSlot, w), "1");
    // A second "setting" opens nothing; closing the dialog ends only it.
    sendCommand(app, id::kSubSoundSetting);
    EXPECT_EQ(fake.ui.modeless.size(), 1u);
    dialog.onCommand(w, id::kSubSoundDialogOk, 0, Notify::Click);
    EXPECT_EQ(fake.ui.endedDialogs.back(), std::make_pair(w, 0));
    EXPECT_EQ(app.subSoundUi.settingWindow, kNoWindow);
}

}  // namespace
}  // namespace pelkit

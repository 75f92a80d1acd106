// The recorder's handling of the input device's blocks, through the main window's message
// handling on the fake platform: what is written, shown and given back, and how a take ends.
#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>
#include <filesystem>

#include "app/program.h"
#include "resources/control_ids.h"
#include "support/fake_platform.h"
#include "support/test_support.h"

namespace pelkit {
namespace {

using namespace test;

class RecorderTest : public ::testing::Test {
  protected:
    RecorderTest() {
        program.mainWindow().onInit(kFakeMainWindow);
        app.blocks.blockSize = app.blocks.chosenBlockSize = kBlock;
    }

    // The record command and the device's opened message.
    void startTake() {
        sendCommand(app, id::kRecord);
        ASSERT_TRUE(fake.in.opened);
        deliver(MessageKind::InOpen);
    }
    void deliver(MessageKind kind, WaveHeader* header = nullptr) {
        program.mainWindow().onDeviceMessage({kind, header, 0});
    }
    // Block I comes back from the device holding COUNT bytes of the source from FROM on.
    void fill(int i, uint32_t count, size_t from) {
        WaveHeader& h = app.ring.headers[i];
        std::copy(source.begin() + static_cast<long>(from),
                  source.begin() + static_cast<long>(from + count), h.data);
        h.bytesRecorded = count;
        deliver(MessageKind::InData, &h);
    }
    // The stop command: the device gives back its queued blocks empty, then closes.
    void stopTake(int queued) {
        sendCommand(app, id::kRecordStop);
        for (int i = 0; i < queued; ++i)
            fill(i, 0, 0);
        EXPECT_FALSE(fake.in.opened);
        deliver(MessageKind::InClose);
        deliverPending();
    }
    // The writer thread's reports of the last blocks, and the finished take's files.
    void deliverPending() {
        while (program.awaitingWriter() || !fake.queue.empty()) {
            auto m = fake.queue.waitPop(std::chrono::seconds(10));
            ASSERT_TRUE(m);
            program.mainWindow().onDeviceMessage(*m);
        }
    }
    size_t adds() const { return std::count(fake.in.calls.begin(), fake.in.calls.end(), "add"); }

    static constexpr uint32_t kBlock = 768;
    TempDir dir;
    WorkingDirectory cwd{dir.path()};
    FakePlatform fake;
    Program program{fake.platform(), "", "take.wav"};
    AppState& app = program.state();
    Bytes source = patternBytes(16 * kBlock, 6);
};

TEST_F(RecorderTest, BlocksAreWrittenCountedByWhatReachedTheFileAndGivenBack) {
    startTake();
    ASSERT_EQ(adds(), 4u);
    fill(0, kBlock, 0);
    fill(1, kBlock, kBlock);
    fill(2, 100, 2 * kBlock);  // a short block counts only its bytes
    EXPECT_EQ(fake.ui.text(id::kFieldSize), std::to_string(2 * kBlock + 100));
    EXPECT_EQ(adds(), 7u);  // each written block went straight back to the device
    stopTake(4);
    EXPECT_FALSE(app.modes.recording);
    EXPECT_EQ(readFile("take.wav"), canonicalWav(2, 44100, 16, slice(source, 0, 2 * kBlock + 100)));
    EXPECT_EQ(fake.ui.text(id::kFieldSize), std::to_string(2 * kBlock + 100));
    EXPECT_EQ(app.sound.dataSize, 2 * kBlock + 100);
    EXPECT_TRUE(readFile("pelkit_record.wav").empty());
}

TEST_F(RecorderTest, LevelCheckShowsBlocksAndWritesNothing) {
    writeFile("take.wav", canonicalWav(1, 8000, 8, patternBytes(50)));
    sendCommand(app, id::kLevelCheck);
    deliver(MessageKind::InOpen);
    int before = fake.ui.invalidations;
    fill(0, app.blocks.blockSize, 0);
    EXPECT_GT(fake.ui.invalidations, before);
    EXPECT_TRUE(std::equal(app.ring.displayBuffer.begin(),
                           app.ring.displayBuffer.begin() + app.blocks.blockSize, source.begin()));
    sendCommand(app, id::kLevelCheck);
    for (int i = 0; i < 4; ++i)
        fill(i, 0, 0);
    deliver(MessageKind::InClose);
    EXPECT_FALSE(app.modes.levelCheck);
    EXPECT_EQ(readFile("take.wav"), canonicalWav(1, 8000, 8, patternBytes(50)));
}

TEST_F(RecorderTest, ThreadedTakeGivesBlocksBackOnlyOnceWritten) {
    app.modes.writeMode = WriteMode::Disk;
    startTake();
    fill(0, kBlock, 0);
    fill(1, kBlock, kBlock);
    EXPECT_EQ(adds(), 4u);  // both blocks are with the writer
    for (int n = 0; n < 2; ++n) {
        auto m = fake.queue.waitPop(std::chrono::seconds(10));
        ASSERT_TRUE(m && m->kind == MessageKind::RecordWritten);
        program.mainWindow().onDeviceMessage(*m);
    }
    EXPECT_EQ(adds(), 6u);
    EXPECT_EQ(fake.ui.text(id::kFieldSize), std::to_string(2 * kBlock));
    stopTake(4);
    EXPECT_EQ(readFile("take.wav"), canonicalWav(2, 44100, 16, slice(source, 0, 2 * kBlock)));
}

TEST_F(RecorderTest, AFullDiskStopsTheTakeKeepsWhatWasWrittenAndSaysSo) {
    {
        FileSizeLimit limit(44 + 2 * kBlock);
        startTake();
        fill(0, kBlock, 0);
        fill(1, kBlock, kBlock);
        fill(2, kBlock, 2 * kBlock);  // no room: the take stops
    }
    EXPECT_TRUE(app.modes.stopRequested);
    for (int i = 0; i < 3; ++i)
        fill(i, 0, 0);
    deliver(MessageKind::InClose);
    deliverPending();
    EXPECT_EQ(readFile("take.wav"), canonicalWav(2, 44100, 16, slice(source, 0, 2 * kBlock)));
    ASSERT_FALSE(fake.ui.boxes.empty());
    EXPECT_NE(fake.ui.boxes.back().text.find("could not be written"), std::string::npos);
}

// In a folder this user may not write, nothing can be recorded, and no message says otherwise:
// every file a box says a take is kept in exists.
TEST(RecordInReadOnlyFolder, SaysWhatReallyHappened) {
    TempDir dir;
    std::filesystem::permissions(
        dir.path(), std::filesystem::perms::owner_all | std::filesystem::perms::group_read |
                        std::filesystem::perms::group_exec | std::filesystem::perms::others_read |
                        std::filesystem::perms::others_exec);
    WorkingDirectory cwd(dir.path());
    AsUnprivilegedUser user;
    FakePlatform fake;
    Program program(fake.platform(), "", "take.wav");
    AppState& app = program.state();
    program.mainWindow().onInit(kFakeMainWindow);
    sendCommand(app, id::kRecord);
    if (fake.in.opened) {
        program.mainWindow().onDeviceMessage({MessageKind::InOpen, nullptr, 0});
        WaveHeader& h = app.ring.headers[0];
        h.bytesRecorded = h.bufferLength;
        program.mainWindow().onDeviceMessage({MessageKind::InData, &h, 0});
        sendCommand(app, id::kRecordStop);
        for (int i = 1; i < 4; ++i)
            program.mainWindow().onDeviceMessage({MessageKind::InData, &app.ring.headers[i], 0});
        program.mainWindow().onDeviceMessage({MessageKind::InClose, nullptr, 0});
    }
    EXPECT_FALSE(exists("take.wav"));
    std::string all;
    for (const BoxRecord& box : fake.ui.boxes) {
        all += box.text + "\n";
        size_t at = box.text.find("kept in ");
        if (at != std::string::npos) {
            EXPECT_TRUE(exists(box.text.substr(at + 8, box.text.size() - at - 9))) << box.text;
        }
    }
    EXPECT_NE(all.find("Permission denied"), std::string::npos) << all;
    EXPECT_NE(all.find("Nothing was recorded"), std::string::npos) << all;
    // The settings that could not be written are reported once, at start-up.
    EXPECT_EQ(all.find("pelkit_recorder.ini"), all.rfind("pelkit_recorder.ini")) << all;
    EXPECT_NE(all.find("pelkit_recorder.ini"), std::string::npos) << all;
}

}  // namespace
}  // namespace pelkit

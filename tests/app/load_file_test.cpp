// Loading files the way users meet them: larger than 2 GiB, not readable by this user, or with
// headers that describe absurd formats (the last run under UndefinedBehaviorSanitizer in CI).
#include <gtest/gtest.h>

#include <filesystem>

#include "app/program.h"
#include "resources/control_ids.h"
#include "support/fake_platform.h"
#include "support/test_support.h"

namespace pelkit {
namespace {

using namespace test;
namespace fs = std::filesystem;

class LoadFileTest : public ::testing::Test {
  protected:
    LoadFileTest() { program.mainWindow().onInit(kFakeMainWindow); }
    void drop(const std::string& path) { program.mainWindow().onDrop(path); }
    std::string boxTexts() const {
        std::string all;
        for (const BoxRecord& box : fake.ui.boxes)
            all += box.text + "\n";
        return all;
    }

    TempDir dir;
    WorkingDirectory cwd{dir.path()};
    FakePlatform fake;
    Program program{fake.platform(), "", ""};
    AppState& app = program.state();
};

TEST_F(LoadFileTest, SizesPastTwoGibibytesShowUnsigned) {
    // A sparse file of 2.2 GB: its sound size does not fit a signed 32-bit number.
    writeFile("big.wav", canonicalWav(2, 44100, 16, {}));
    fs::resize_file("big.wav", 2200000000);
    drop("big.wav");
    EXPECT_EQ(fake.ui.text(id::kFieldSize), "2199999956");
    EXPECT_EQ(fake.ui.text(id::kFieldTime), "0207:51.655");
}

TEST_F(LoadFileTest, AFileThisUserMayNotReadIsReportedAsSuch) {
    fs::permissions(dir.path(), fs::perms::all);
    writeFile("locked.wav", canonicalWav(2, 44100, 16, patternBytes(100)));
    fs::permissions("locked.wav", fs::perms::none);
    {
        AsUnprivilegedUser user;
        drop("locked.wav");
    }
    EXPECT_NE(boxTexts().find("Permission denied"), std::string::npos) << boxTexts();
    EXPECT_EQ(boxTexts().find("damaged"), std::string::npos) << boxTexts();
}

// A header whose numbers are absurd loads, shows and plays with every processing stage without
// an overflow: byte rates and frame sizes are computed in 64 bits. More channels than the
// output takes are refused at load, and then nothing is played.
TEST_F(LoadFileTest, AbsurdFormatsLoadShowAndPlayWithoutOverflow) {
    struct Case {
        uint16_t channels;
        uint32_t rate;
        uint16_t bits;
        const char* refusal;  // a part of the refusal text, or nothing
    };
    for (const Case& c :
         {Case{2, 2147483647, 16, nullptr},
          Case{60000, 44100, 16, "holds 60000 channels; the sound output takes at most 8"},
          Case{65535, 4294967295u, 65535, "holds 65535-bit PCM samples"},
          Case{1, 4294967295u, 24, nullptr}}) {
        SCOPED_TRACE(std::to_string(c.channels) + " channels, " + std::to_string(c.rate) + " Hz, " +
                     std::to_string(c.bits) + " bits");
        Bytes file = canonicalWav(c.channels, c.rate, c.bits, patternBytes(300000, c.channels));
        writeFile("absurd.wav", file);
        fake.ui.boxes.clear();
        drop("absurd.wav");
        if (c.refusal) {
            EXPECT_NE(boxTexts().find(c.refusal), std::string::npos) << boxTexts();
            sendCommand(app, id::kPlay);
            EXPECT_FALSE(fake.out.opened);
            continue;
        }
        EXPECT_EQ(fake.ui.text(id::kFieldHeaderRate), std::to_string(c.rate));
        EXPECT_EQ(fake.ui.text(id::kFieldHeaderChannels), std::to_string(c.channels));
        for (int command : {id::kReverse, id::kConvertTo16, id::kReverbOnOff, id::kPitchUp}) {
            sendCommand(app, command);
            sendCommand(app, id::kPlay);
            if (fake.out.opened) {
                program.mainWindow().onDeviceMessage({MessageKind::OutOpen, nullptr, 0});
                for (int i = 0; i < 8 && fake.out.opened; ++i) {
                    WaveHeader& h = app.ring.headers[i % kBlockCount];
                    program.mainWindow().onDeviceMessage({MessageKind::OutDone, &h, 0});
                    program.mainWindow().onTimer();
                }
                sendCommand(app, id::kPlayStop);
                if (fake.out.opened) fake.out.close();
                program.mainWindow().onDeviceMessage({MessageKind::OutClose, nullptr, 0});
            }
        }
        sendCommand(app, id::kBufferReset);
    }
    // Typed into the format fields, such numbers reach the recording's format.
    fake.ui.texts[{kFakeMainWindow, id::kFieldChannels}] = "2147483647";
    fake.ui.texts[{kFakeMainWindow, id::kFieldHeaderRate}] = "2147483647";
    fake.ui.texts[{kFakeMainWindow, id::kFieldHeaderBits}] = "2147483647";
    sendCommand(app, id::kRecord);
    EXPECT_EQ(app.format.channels, 2147483647);
}

}  // namespace
}  // namespace pelkit

// The command line, start-up with its settings file and the recovery of a lost take, and the
// close of the main window.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <memory>

#include "app/program.h"
#include "app/startup.h"
#include "services/services.h"
#include "state/app_state.h"
#include "support/fake_platform.h"
#include "support/test_support.h"

namespace pelkit {
namespace {

using namespace test;

TEST(CommandLine, PlayOptionAndFileName) {
    struct Case {
        const char* line;
        bool play;
        const char* file;
    };
    for (const Case& c : {
             Case{"/p talk.wav", true, "talk.wav"},
             Case{"/P talk.wav", true, "talk.wav"},
             Case{"-p talk.wav", true, "talk.wav"},
             Case{"/p\ttalk.wav", true, "talk.wav"},
             Case{"/p", true, ""},
             Case{"/pfile.wav", false, "/pfile.wav"},
             Case{"/home/x.wav", false, "/home/x.wav"},
             Case{"\"/home/u/my take.wav\"", false, "/home/u/my take.wav"},
             Case{"/p \"/home/u/my take.wav\"", true, "/home/u/my take.wav"},
             Case{"", false, ""},
         }) {
        SCOPED_TRACE(c.line);
        CommandLine parsed = parseCommandLine(c.line);
        EXPECT_EQ(parsed.play, c.play);
        EXPECT_EQ(parsed.fileName, c.file);
    }
    const char* argv[] = {"pelkit_recorder", "/p", "/home/u/my take.wav"};
    EXPECT_EQ(joinArguments(3, argv), "/p /home/u/my take.wav");
    std::string longName(300, 'a');
    const char* longArgv[] = {"pelkit_recorder", longName.c_str()};
    EXPECT_EQ(joinArguments(2, longArgv).size(), 259u);
}

class StartupTest : public ::testing::Test {
  protected:
    // Builds a fresh program state and runs the main window's initialisation.
    AppState& start() {
        program.reset();
        fake = std::make_unique<FakePlatform>();
        program = std::make_unique<Program>(fake->platform(), "", "");
        initMainWindow(program->state(), kFakeMainWindow);
        return program->state();
    }
    std::string settings() const { return readText(dir.file("pelkit_recorder.ini")); }
    void writeSettings(const std::string& text) const {
        writeText(dir.file("pelkit_recorder.ini"), text);
    }

    TempDir dir;
    WorkingDirectory cwd{dir.path()};
    std::unique_ptr<FakePlatform> fake;
    std::unique_ptr<Program> program;
};

TEST_F(StartupTest, FirstStartWithoutSettingsFile) {
    AppState& a = start();
    EXPECT_EQ(a.services.take.partLimit(), 2000000000u);
    EXPECT_EQ(a.sound.fileName, "record.wav");
    EXPECT_NE(settings().find("[init]"), std::string::npos);
    EXPECT_NE(settings().find("endstatus=start"), std::string::npos);
    EXPECT_TRUE(exists("pelkit_record.wav"));
    EXPECT_FALSE(exists("record.wav"));
    EXPECT_EQ(fake->ui.titles[kFakeMainWindow], "record.wav..ぺるきっとレコーダー 2.a1.00");
}

TEST_F(StartupTest, PartLimitFromLimitMega) {
    for (auto [value, limit] :
         {std::pair{"5", 5000000u}, std::pair{"0", 2000000000u}, std::pair{"-3", 2000000000u}}) {
        writeSettings(std::string("[init]\nendstatus=ok\nlimitmega=") + value + "\n");
        EXPECT_EQ(start().services.take.partLimit(), limit) << value;
    }
}

TEST_F(StartupTest, RecoversTakeAndPartsWithTheirOwnFormat) {
    const Bytes first = patternBytes(500, 1), second = patternBytes(300, 2);
    writeSettings("[init]\nendstatus=start\nfile=take.wav\n");
    writeFile("pelkit_record.wav", placeholderWav(1, 22050, 8, first));
    writeFile("pelkit_record_001.wav", placeholderWav(1, 22050, 8, second));

    AppState& a = start();
    EXPECT_EQ(a.sound.fileName, "take.wav");
    EXPECT_EQ(readFile("take.wav"), canonicalWav(1, 22050, 8, first));
    EXPECT_EQ(readFile("take_001.wav"), canonicalWav(1, 22050, 8, second));
    EXPECT_FALSE(exists("pelkit_record_001.wav"));
    EXPECT_TRUE(readFile("pelkit_record.wav").empty());
    EXPECT_NE(settings().find("endstatus=start"), std::string::npos);
}

TEST_F(StartupTest, AnEmptyTemporaryFileHoldsNoTake) {
    // The file named in "file" stays as it is.
    writeSettings("[init]\nendstatus=start\nfile=keep.wav\n");
    writeText("keep.wav", "the previous take");
    writeFile("pelkit_record.wav", {});
    start();
    EXPECT_EQ(readText("keep.wav"), "the previous take");
}

// Sound in the temporary file is never emptied at start-up. When the settings say the last run
// ended normally, or cannot be read, it is kept under a name of its own and the user is told;
// settings that cannot be written are reported once.
TEST_F(StartupTest, ATakeThatIsNotRecoveredIsKeptAndTheUserTold) {
    namespace fs = std::filesystem;
    const Bytes sound = patternBytes(4000, 3);
    for (bool settingsAreAFolder : {false, true}) {
        SCOPED_TRACE(settingsAreAFolder ? "settings are a folder" : "settings say ok");
        fs::remove_all(dir.file("pelkit_recorder.ini"));
        fs::remove(dir.file("pelkit_record_kept_001.wav"));
        if (settingsAreAFolder) {
            fs::create_directory(dir.file("pelkit_recorder.ini"));
        } else {
            writeSettings("[init]\nendstatus=ok\nfile=take.wav\n");
        }
        writeFile("pelkit_record.wav", placeholderWav(1, 22050, 8, sound));

        closeMainWindow(start());
        EXPECT_FALSE(exists("take.wav"));
        EXPECT_EQ(readFile("pelkit_record_kept_001.wav"), canonicalWav(1, 22050, 8, sound));
        int namingKept = 0, namingSettings = 0;
        for (const BoxRecord& box : fake->ui.boxes) {
            namingKept += box.text.find("pelkit_record_kept_001.wav") != std::string::npos;
            namingSettings += box.text.find("pelkit_recorder.ini") != std::string::npos;
        }
        EXPECT_EQ(namingKept, 1);
        EXPECT_EQ(namingSettings, settingsAreAFolder ? 1 : 0);
    }
}

TEST_F(StartupTest, CloseWritesOkAndRemovesTheTemporaryFile) {
    AppState& a = start();
    closeMainWindow(a);
    EXPECT_NE(settings().find("endstatus=ok"), std::string::npos);
    EXPECT_EQ(settings().find("endstatus=start"), std::string::npos);
    EXPECT_FALSE(exists("pelkit_record.wav"));
    ASSERT_EQ(fake->ui.endedDialogs.size(), 1u);
    EXPECT_EQ(fake->ui.endedDialogs[0], std::make_pair(kFakeMainWindow, 0));
}

}  // namespace
}  // namespace pelkit

// The program as the desktop runs it: its folders when started from the desktop entry, a take
// that survives a killed run there, the stop signals mid-take, and the English texts.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <optional>
#include <sstream>
#include <thread>
#include <vector>

#include "scenario/scenario_support.h"

namespace pelkit::test {
namespace {

constexpr size_t kBlock = 49152;

// A home folder of its own, as a desktop session sets it up (music folder "Musik"), for the
// programs started while it lives; PATH may be replaced too.
class Home {
  public:
    explicit Home(const char* path = nullptr) {
        set("HOME", root.path().c_str());
        set("XDG_CONFIG_HOME", root.file("config").c_str());
        set("XDG_STATE_HOME", nullptr);  // its default, ~/.local/state
        if (path) set("PATH", path);
        std::filesystem::create_directories(root.file("config"));
        writeText(root.file("config/user-dirs.dirs"), "XDG_MUSIC_DIR=\"$HOME/Musik\"\n");
    }
    ~Home() {
        for (auto& [name, value] : saved_)
            value ? setenv(name.c_str(), value->c_str(), 1) : unsetenv(name.c_str());
    }
    std::string config(const std::string& n) const {
        return root.file("config/pelkit_recorder/" + n);
    }
    std::string state(const std::string& n) const {
        return root.file(".local/state/pelkit_recorder/" + n);
    }
    std::string work(const std::string& n) const { return root.file("Musik/pelkit_recorder/" + n); }

    TempDir root;

  private:
    void set(const char* name, const char* value) {
        const char* old = std::getenv(name);
        saved_.emplace_back(name, old ? std::optional<std::string>(old) : std::nullopt);
        value ? setenv(name, value, 1) : unsetenv(name);
    }
    std::vector<std::pair<std::string, std::optional<std::string>>> saved_;
};

Bytes writeInput(const std::string& path, size_t bytes) {
    Bytes data = patternBytes(bytes, 3);
    writeFile(path, canonicalWav(2, 44100, 16, data));
    return data;
}

TEST(DesktopFolders, TheWorkingFolderFollowsTheMusicFolder) {
    // xdg-user-dir names the music folder; without the tool it is ~/Music.
    const char* searched = std::getenv("PATH");
    for (std::string path : {std::string(searched ? searched : "/usr/bin:/bin"), std::string()}) {
        SCOPED_TRACE(path);
        Home home(path.c_str());
        TempDir cwd;
        ProgramRun run = runHeadless(cwd.path(), {"--desktop"}, "print title\n");
        EXPECT_EQ(run.status, 0) << run.err;
        const std::string work =
            home.root.file(path.empty() ? "Music/pelkit_recorder" : "Musik/pelkit_recorder");
        EXPECT_EQ(run.out, "title: " + work + "/record.wav" + kTitleTail + "\n");
        EXPECT_TRUE(std::filesystem::is_directory(work));
        EXPECT_EQ(textLines(readText(home.config(kIniName))),
                  (std::vector<std::string>{"[init]", "endstatus=ok"}));
        // Nothing lands in the folder the program was started in.
        EXPECT_TRUE(std::filesystem::is_empty(cwd.path()));
    }
}

TEST(DesktopFolders, AKilledTakeIsFinishedIntoTheWorkingFolderAtTheNextStart) {
    Home home;
    TempDir cwd;
    Bytes input = writeInput(cwd.file("in.wav"), 8 * kBlock);
    {
        LiveProgram live(cwd.path(), {"--desktop", "--audio-in", "in.wav"});
        ASSERT_TRUE(live.send("command 1000\nrecord-blocks 4\n"));
        const bool written =
            eventually([&] { return fileSize(home.state(kTempName)) == 44 + 4 * kBlock; });
        live.signal(SIGKILL);
        ASSERT_TRUE(written) << fileSize(home.state(kTempName));
    }
    EXPECT_NE(readText(home.config(kIniName)).find("endstatus=start"), std::string::npos);
    EXPECT_FALSE(exists(home.work("record.wav")));

    ProgramRun run = runHeadless(cwd.path(), {"--desktop"}, "print title\n");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(readFile(home.work("record.wav")),
              canonicalWav(2, 44100, 16, Bytes(input.begin(), input.begin() + 4 * kBlock)));
    EXPECT_FALSE(exists(home.state(kTempName)));
    EXPECT_EQ(
        textLines(readText(home.config(kIniName))),
        (std::vector<std::string>{"[init]", "endstatus=ok", "file=" + home.work("record.wav")}));
    // The folder it was started in holds only what the test put there.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(cwd.path()),
                            std::filesystem::directory_iterator()),
              1);
}

TEST(StopSignals, ASignalMidTakeFinishesTheTakeAndEndsAsTheCloseDoes) {
    for (int number : {SIGTERM, SIGINT, SIGHUP}) {
        SCOPED_TRACE(strsignal(number));
        TempDir dir;
        Bytes input = writeInput(dir.file("in.wav"), 8 * kBlock);
        LiveProgram live(dir.path(), {"--audio-in", "in.wav", "take.wav"});
        // The script stays open: only the signal can end the run.
        ASSERT_TRUE(live.send("command 1000\nrecord-blocks 3\n"));
        ASSERT_TRUE(eventually([&] { return fileSize(dir.file(kTempName)) == 44 + 3 * kBlock; }));
        live.signal(number);
        const int status = live.wait(std::chrono::seconds(20));
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 128 + number) << status;
        EXPECT_EQ(readFile(dir.file("take.wav")),
                  canonicalWav(2, 44100, 16, Bytes(input.begin(), input.begin() + 3 * kBlock)));
        EXPECT_EQ(textLines(readText(dir.file(kIniName))),
                  (std::vector<std::string>{"[init]", "endstatus=ok", "file=take.wav"}));
        EXPECT_FALSE(exists(dir.file(kTempName)));
    }
}

// Every name --list-controls gives is followed by what its control does: in Japanese, or with
// --lang en in English (no Japanese character left). The first three fields stay as they were.
TEST(Language, ListControlsDescribesEveryControlInBothLanguages) {
    TempDir dir;
    for (const char* lang : {"ja", "en"}) {
        ProgramRun run = runHeadless(dir.path(), {"--lang", lang, "--list-controls"}, "");
        ASSERT_EQ(run.status, 0) << run.err;
        const std::vector<std::string> lines = textLines(run.out);
        ASSERT_GT(lines.size(), 500u);
        for (const std::string& line : lines) {
            std::istringstream fields(line);
            std::string window, name, id, description;
            fields >> window >> name >> id;
            std::getline(fields >> std::ws, description);
            EXPECT_FALSE(description.empty()) << lang << ": " << line;
            const bool ascii =
                std::all_of(line.begin(), line.end(), [](char c) { return (c & 0x80) == 0; });
            // Japanese descriptions, and English ones without a Japanese character ("×" aside).
            if (std::string(lang) == "ja") {
                EXPECT_FALSE(ascii) << line;
            } else {
                EXPECT_EQ(line.find("\xe3"), std::string::npos) << line;
                EXPECT_EQ(line.find("\xef\xbc"), std::string::npos) << line;
            }
        }
        EXPECT_NE(std::find(lines.begin(), lines.end(),
                            std::string("MAIN_RECORD play 1002 ") +
                                (std::string(lang) == "ja" ? "現在位置から再生する"
                                                           : "Play from the play position")),
                  lines.end());
        EXPECT_NE(std::find(lines.begin(), lines.end(),
                            std::string("SUB_SOUND_DLG slot7 1207 ") +
                                (std::string(lang) == "ja"
                                     ? "モードに従ってスロット 7 を再生、停止、または開く"
                                     : "Play, stop or open slot 7, as the mode says")),
                  lines.end());
    }
}

TEST(Language, TheHeadlessRunnerSpeaksEnglishOnlyWhenAsked) {
    TempDir dir;
    const std::string script = "print title\nprint 1015\nprint 1010\n";
    ProgramRun japanese = runHeadless(dir.path(), {}, script);
    EXPECT_EQ(japanese.out, "title: record.wav" + kTitleTail + "\n1015: 開く\n1010: 終了\n");
    ProgramRun english = runHeadless(dir.path(), {"--lang", "en"}, script);
    EXPECT_EQ(english.status, 0) << english.err;
    EXPECT_EQ(english.out, "title: record.wav..pelkit recorder 2.a1.00\n1015: Open\n1010: Quit\n");
    ProgramRun unknown = runHeadless(dir.path(), {"--lang", "fr"}, script);
    EXPECT_EQ(unknown.status, 2);
    EXPECT_EQ(unknown.err, "pelkit_recorder: --lang takes en or ja\n");
}

}  // namespace
}  // namespace pelkit::test

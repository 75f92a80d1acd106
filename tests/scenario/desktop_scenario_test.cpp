// The program as the desktop runs it: its folders when started from the desktop entry, a take
// that survives a killed run there, the stop signals mid-take, and the English texts.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <optional>
#include <thread>

#include "scenario/scenario_support.h"

namespace pelkit::test {
namespace {

constexpr size_t kBlock = 49152;

// Sets environment variables (nothing: unset) for the programs this test starts.
class ScopedEnv {
  public:
    void set(const char* name, std::optional<std::string> value) {
        const char* old = std::getenv(name);
        saved_.push_back({name, old ? std::optional<std::string>(old) : std::nullopt});
        put(name, value);
    }
    ~ScopedEnv() {
        for (auto it = saved_.rbegin(); it != saved_.rend(); ++it)
            put(it->first.c_str(), it->second);
    }

  private:
    static void put(const char* name, const std::optional<std::string>& value) {
        if (value) {
            setenv(name, value->c_str(), 1);
        } else {
            unsetenv(name);
        }
    }
    std::vector<std::pair<std::string, std::optional<std::string>>> saved_;
};

// A home folder of its own, as a desktop session sets it up.
struct Home {
    TempDir root;
    ScopedEnv env;
    explicit Home(bool userDirs = true) {
        env.set("HOME", root.path());
        env.set("XDG_CONFIG_HOME", root.file("config"));
        env.set("XDG_STATE_HOME", std::nullopt);  // its default, ~/.local/state
        if (userDirs) {
            std::filesystem::create_directories(root.file("config"));
            writeText(root.file("config/user-dirs.dirs"), "XDG_MUSIC_DIR=\"$HOME/Musik\"\n");
        }
    }
    std::string config(const std::string& name) const {
        return root.file("config/pelkit_recorder/" + name);
    }
    std::string state(const std::string& name) const {
        return root.file(".local/state/pelkit_recorder/" + name);
    }
    std::string work(const std::string& name) const {
        return root.file("Musik/pelkit_recorder/" + name);
    }
};

// The program headless with its script on a pipe that stays open until the object goes.
class LiveProgram {
  public:
    LiveProgram(const std::string& cwd, const std::vector<std::string>& args) {
        int fds[2];
        if (pipe(fds) != 0) return;
        pid_ = fork();
        if (pid_ == 0) {
            if (chdir(cwd.c_str()) != 0) _exit(126);
            dup2(fds[0], 0);
            close(fds[0]);
            close(fds[1]);
            if (!std::freopen("/dev/null", "w", stdout)) _exit(126);
            std::vector<std::string> all = {programPath(), "--headless"};
            all.insert(all.end(), args.begin(), args.end());
            std::vector<char*> argv;
            for (std::string& a : all)
                argv.push_back(a.data());
            argv.push_back(nullptr);
            execv(argv[0], argv.data());
            _exit(127);
        }
        close(fds[0]);
        script_ = fds[1];
    }
    ~LiveProgram() {
        if (script_ >= 0) close(script_);
        if (pid_ > 0 && status_ < 0) {
            kill(pid_, SIGKILL);
            waitpid(pid_, nullptr, 0);
        }
    }
    bool send(const std::string& lines) {
        return write(script_, lines.data(), lines.size()) == static_cast<ssize_t>(lines.size());
    }
    void signal(int number) { kill(pid_, number); }
    // The exit status (128 + a signal that killed it) within TIMEOUT, or -1 if it still runs.
    int wait(std::chrono::seconds timeout) {
        const auto end = std::chrono::steady_clock::now() + timeout;
        while (status_ < 0 && std::chrono::steady_clock::now() < end) {
            int raw = 0;
            if (waitpid(pid_, &raw, WNOHANG) == pid_) {
                status_ = WIFEXITED(raw) ? WEXITSTATUS(raw) : 128 + WTERMSIG(raw);
                killedBySignal_ = WIFSIGNALED(raw);
            } else {
                std::this_thread::sleep_for(std::chrono::milliseconds(10));
            }
        }
        return status_;
    }
    bool killedBySignal() const { return killedBySignal_; }

  private:
    pid_t pid_ = -1;
    int script_ = -1;
    int status_ = -1;
    bool killedBySignal_ = false;
};

bool eventually(const std::function<bool()>& condition) {
    for (int i = 0; i < 1000 && !condition(); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    return condition();
}

size_t sizeOf(const std::string& path) {
    std::error_code ec;
    auto size = std::filesystem::file_size(path, ec);
    return ec ? 0 : static_cast<size_t>(size);
}

Bytes writeInput(const std::string& path, size_t bytes) {
    Bytes data = patternBytes(bytes, 3);
    writeFile(path, canonicalWav(2, 44100, 16, data));
    return data;
}

TEST(DesktopFolders, TheWorkingFolderFollowsTheMusicFolder) {
    struct Case {
        const char* what;
        bool userDirs;
        std::string path;  // PATH of the program: without xdg-user-dir when empty
        const char* music;
    };
    const Case cases[] = {
        {"xdg-user-dir names it", true, std::getenv("PATH") ? std::getenv("PATH") : "", "Musik"},
        {"xdg-user-dir is missing", true, "", "Music"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Home home(c.userDirs);
        home.env.set("PATH", c.path);
        TempDir cwd;
        ProgramRun run = runHeadless(cwd.path(), {"--desktop"}, "print title\n");
        EXPECT_EQ(run.status, 0) << run.err;
        const std::string work = home.root.file(std::string(c.music) + "/pelkit_recorder");
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
            eventually([&] { return sizeOf(home.state(kTempName)) == 44 + 4 * kBlock; });
        live.signal(SIGKILL);
        live.wait(std::chrono::seconds(10));
        ASSERT_TRUE(written) << sizeOf(home.state(kTempName));
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
        ASSERT_TRUE(eventually([&] { return sizeOf(dir.file(kTempName)) == 44 + 3 * kBlock; }));
        live.signal(number);
        EXPECT_EQ(live.wait(std::chrono::seconds(20)), 128 + number);
        EXPECT_FALSE(live.killedBySignal());
        EXPECT_EQ(readFile(dir.file("take.wav")),
                  canonicalWav(2, 44100, 16, Bytes(input.begin(), input.begin() + 3 * kBlock)));
        EXPECT_EQ(textLines(readText(dir.file(kIniName))),
                  (std::vector<std::string>{"[init]", "endstatus=ok", "file=take.wav"}));
        EXPECT_FALSE(exists(dir.file(kTempName)));
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

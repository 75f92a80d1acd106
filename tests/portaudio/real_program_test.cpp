// The headless program on the real sound devices (--real-audio): a file played to the end is
// recorded by a second program from the server's monitor; a missing server or a format the
// device refuses fails the open with the usual message; a server killed mid-play ends cleanly.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <thread>

#include "portaudio/sound_server.h"
#include "support/test_support.h"

namespace pelkit::test {
namespace {

using namespace std::chrono_literals;

// A running headless program whose script is written line by line.
class Program {
  public:
    Program(const std::string& cwd, const std::vector<std::string>& args,
            const std::string& pulseServer) {
        int in[2];
        if (pipe(in) != 0) throw std::runtime_error("pipe");
        out_ = dir_.file("out.txt");
        pid_ = fork();
        if (pid_ == 0) {
            if (chdir(cwd.c_str()) != 0) _exit(126);
            dup2(in[0], 0);
            close(in[1]);
            if (!std::freopen(out_.c_str(), "w", stdout)) _exit(126);
            if (!pulseServer.empty()) setenv("PULSE_SERVER", pulseServer.c_str(), 1);
            std::vector<std::string> all = {programPath(), "--headless", "--real-audio"};
            all.insert(all.end(), args.begin(), args.end());
            std::vector<char*> argv;
            for (std::string& a : all)
                argv.push_back(a.data());
            argv.push_back(nullptr);
            execv(argv[0], argv.data());
            _exit(127);
        }
        close(in[0]);
        script_ = in[1];
    }
    ~Program() {
        if (script_ >= 0) close(script_);
        if (pid_ > 0 && status_ < 0) {
            ::kill(pid_, SIGKILL);
            waitpid(pid_, nullptr, 0);
        }
    }
    void send(const std::string& lines) {
        if (::write(script_, lines.data(), lines.size()) < 0) ADD_FAILURE() << "script pipe";
    }
    // Ends the script and waits for the program; -1 when it is still running after TIMEOUT.
    int finish(std::chrono::seconds timeout) {
        close(script_);
        script_ = -1;
        auto until = std::chrono::steady_clock::now() + timeout;
        while (std::chrono::steady_clock::now() < until) {
            int status = 0;
            if (waitpid(pid_, &status, WNOHANG) == pid_) {
                status_ = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
                return status_;
            }
            std::this_thread::sleep_for(50ms);
        }
        return -1;
    }
    std::string output() const { return readText(out_); }

  private:
    TempDir dir_;
    std::string out_;
    pid_t pid_ = -1;
    int script_ = -1;
    int status_ = -1;
};

std::string currentServer() {
    const char* s = std::getenv("PULSE_SERVER");
    return s ? s : "";
}

class RealProgramTest : public ::testing::Test {
  protected:
    void SetUp() override {
        if (auto reason = soundServerMissing()) GTEST_SKIP() << *reason;
    }
    TempDir dir;
};

TEST_F(RealProgramTest, APlayedFileIsHeardByARecordingProgram) {
    // Three seconds of a pattern, recorded by a second program while the first plays it.
    std::vector<int16_t> samples(2 * 44100 * 3);
    for (size_t i = 0; i < samples.size(); ++i) {
        samples[i] = static_cast<int16_t>(8000 * std::sin(0.002 * i * i / samples.size() * 44100) +
                                          (i % 7) * 300);
    }
    writeFile(dir.file("song.wav"), canonicalWav(2, 44100, 16, samples16(samples)));
    std::filesystem::create_directory(dir.file("rec"));

    Program recorder(dir.file("rec"), {"take.wav"}, currentServer());
    // 24 blocks of 49,152 bytes: about 6.7 s, enough for the start-up of the player too.
    recorder.send("command 1000\nrecord-blocks 24\ncommand 1001\n");
    std::this_thread::sleep_for(700ms);
    Program player(dir.path(), {"song.wav"}, currentServer());
    player.send("command 1002\nrun\nprint 1036\n");
    ASSERT_EQ(player.finish(30s), 0);
    ASSERT_EQ(recorder.finish(30s), 0);

    // The take holds the file's samples at the program's default volume (70 % per channel).
    Bytes take = readFile(dir.file("rec/take.wav"));
    ASSERT_GT(take.size(), 44u);
    Bytes data(take.begin() + 44, take.end());
    auto expected = [&](size_t i) {
        return static_cast<int>(static_cast<int16_t>(samples[i] * (45874 / 65535.0)));
    };
    size_t found = data.size();
    for (size_t at = 0; at + 200 < data.size(); at += 4) {
        bool same = true;
        for (size_t k = 0; k < 100 && same; ++k)
            same = std::abs(value16(data, at + 2 * k) - expected(k)) <= 1;
        if (same) {
            found = at;
            break;
        }
    }
    ASSERT_LT(found, data.size()) << "the played sound is not in the take";
    size_t total = std::min(samples.size(), (data.size() - found) / 2);
    size_t off = 0;
    for (size_t i = 0; i < total; ++i)
        off += std::abs(value16(data, found + 2 * i) - expected(i)) > 1;
    EXPECT_EQ(total, samples.size()) << "the take ends before the played sound does";
    EXPECT_EQ(off, 0u);
}

TEST_F(RealProgramTest, OpenFailsWithTheUsualMessageWithoutServerOrForAnAbsurdRate) {
    writeFile(dir.file("fast.wav"), canonicalWav(2, 3528000, 16, Bytes(4000, 0)));
    writeFile(dir.file("song.wav"), canonicalWav(2, 44100, 16, Bytes(4000, 0)));
    for (auto [file, server] : {std::pair<std::string, std::string>{"fast.wav", currentServer()},
                                {"song.wav", "unix:" + dir.file("no-server")}}) {
        auto started = std::chrono::steady_clock::now();
        Program p(dir.path(), {file}, server);
        p.send("command 1002\nprint 1002\nprint 1036\n");
        ASSERT_EQ(p.finish(20s), 0) << file;
        EXPECT_LT(std::chrono::steady_clock::now() - started, 10s);
        std::string out = p.output();
        EXPECT_NE(out.find("box: pelkit_recorder: Error opening waveform audio!"),
                  std::string::npos)
            << out;
        EXPECT_NE(out.find("1002: >\n"), std::string::npos) << "the play button stays enabled";
        EXPECT_NE(out.find("1036: loaded\n"), std::string::npos);
    }
}

TEST_F(RealProgramTest, AServerKilledWhilePlayingEndsPlaybackCleanly) {
    PrivateSoundServer server;
    ASSERT_TRUE(server.running());
    writeFile(dir.file("long.wav"), canonicalWav(2, 44100, 16, patternBytes(44100 * 4 * 20)));
    Program p(dir.path(), {"long.wav"}, server.address());
    p.send("command 1002\nplay-blocks 2\n");
    std::this_thread::sleep_for(1s);
    server.kill();
    p.send("run\nprint 1036\n");
    ASSERT_EQ(p.finish(30s), 0);
    std::string out = p.output();
    EXPECT_NE(out.find("box: pelkit_recorder: The sound output stopped working"), std::string::npos)
        << out;
}

TEST_F(RealProgramTest, StreamsCarryTheProgramsNameAndIcon) {
    PrivateSoundServer server;
    ASSERT_TRUE(server.running());
    writeFile(dir.file("long.wav"), canonicalWav(2, 44100, 16, patternBytes(44100 * 4 * 20)));
    Program p(dir.path(), {"long.wav"}, server.address());
    p.send("command 1002\nplay-blocks 1\n");
    // What the desktop's volume control reads: the properties of the playing stream.
    std::string listed;
    for (int i = 0; i < 50 && listed.find("application.icon_name") == std::string::npos; ++i) {
        std::this_thread::sleep_for(100ms);
        std::string command = "PULSE_SERVER=" + server.address() + " pactl list sink-inputs";
        listed.clear();
        if (FILE* f = popen(command.c_str(), "r")) {
            char line[512];
            while (fgets(line, sizeof line, f))
                listed += line;
            pclose(f);
        }
    }
    EXPECT_NE(listed.find("application.name = \"pelkit_recorder\""), std::string::npos) << listed;
    EXPECT_NE(listed.find("application.icon_name = \"pelkit_recorder\""), std::string::npos)
        << listed;
    p.send("command 1004\n");
    EXPECT_EQ(p.finish(30s), 0);
}

}  // namespace
}  // namespace pelkit::test

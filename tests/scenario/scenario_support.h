// What the scenario tests share: the lines of a text, and a run of the program whose script
// stays open while the test watches it.
#pragma once

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "support/test_support.h"

namespace pelkit::test {

inline const std::string kIniName = "pelkit_recorder.ini";
inline const std::string kTempName = "pelkit_record.wav";
inline const std::string kTitleTail = "..ぺるきっとレコーダー 2.a1.00";

// TEXT split at line ends, "\r\n" or "\n"; no empty last line for a final line end.
inline std::vector<std::string> textLines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

// The program headless in CWD with its script on a pipe that stays open until the script is
// ended, its standard output going to the file OUT; killed when the object goes if it still
// runs then.
class LiveProgram {
  public:
    LiveProgram(const std::string& cwd, std::vector<std::string> args,
                const std::string& out = "/dev/null") {
        int fds[2];
        if (pipe(fds) != 0) return;
        args.insert(args.begin(), {programPath(), "--headless"});
        std::fflush(nullptr);  // or the child writes the test's pending output again
        pid_ = fork();
        if (pid_ == 0) {
            dup2(fds[0], 0);
            close(fds[1]);
            if (chdir(cwd.c_str()) != 0 || !std::freopen(out.c_str(), "w", stdout)) _exit(126);
            std::vector<char*> argv;
            for (std::string& a : args)
                argv.push_back(a.data());
            argv.push_back(nullptr);
            execv(argv[0], argv.data());
            _exit(127);
        }
        close(fds[0]);
        script_ = fds[1];
    }
    ~LiveProgram() {
        endScript();
        if (wait(std::chrono::seconds(0)) >= 0) return;
        kill(pid_, SIGKILL);
        waitpid(pid_, nullptr, 0);
    }
    LiveProgram(const LiveProgram&) = delete;
    LiveProgram& operator=(const LiveProgram&) = delete;

    bool send(const std::string& lines) {
        return script_ >= 0 &&
               write(script_, lines.data(), lines.size()) == static_cast<ssize_t>(lines.size());
    }
    void endScript() {
        if (script_ >= 0) close(script_);
        script_ = -1;
    }
    void signal(int number) { kill(pid_, number); }
    // The status waitpid gives within TIMEOUT, or -1 while it still runs.
    int wait(std::chrono::seconds timeout) {
        const auto end = std::chrono::steady_clock::now() + timeout;
        for (int raw = 0; status_ < 0; std::this_thread::sleep_for(std::chrono::milliseconds(10))) {
            if (waitpid(pid_, &raw, WNOHANG) == pid_) status_ = raw;
            if (std::chrono::steady_clock::now() > end) break;
        }
        return status_;
    }

  private:
    pid_t pid_ = -1;
    int script_ = -1;
    int status_ = -1;
};

// Waits up to ten seconds for CONDITION.
inline bool eventually(const std::function<bool()>& condition) {
    for (int i = 0; i < 1000 && !condition(); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    return condition();
}

// The size of the file at PATH, or -1 when there is none.
inline uintmax_t fileSize(const std::string& path) {
    std::error_code ec;
    uintmax_t size = std::filesystem::file_size(path, ec);
    return ec ? static_cast<uintmax_t>(-1) : size;
}

// Whether the program started headless in CWD has written "endstatus=start" and opened its
// temporary record file.
inline bool startedIn(const std::string& cwd) {
    return readText(cwd + "/" + kIniName).find("endstatus=start") != std::string::npos &&
           exists(cwd + "/" + kTempName);
}

}  // namespace pelkit::test

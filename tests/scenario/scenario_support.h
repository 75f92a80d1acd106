// What the scenario tests share: WAV files built byte by byte, the lines of a text, and a run of
// the program that is killed while it waits for its script.
#pragma once

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "support/test_support.h"

namespace pelkit::test {

inline const std::string kIniName = "pelkit_recorder.ini";
inline const std::string kTempName = "pelkit_record.wav";
inline const std::string kTitleTail = "..ぺるきっとレコーダー 2.a1.00";

// The header a recording writes when it begins: RIFF size 36, data size FF FF FF FF.
inline Bytes placeholderWav(uint16_t channels, uint32_t rate, uint16_t bits) {
    Bytes b = canonicalWav(channels, rate, bits, {});
    for (size_t i = 40; i < 44; ++i)
        b[i] = 0xFF;
    return b;
}

struct Chunk {
    const char* tag;
    Bytes body;
};

// A 16-bit stereo 44100 Hz file whose fmt chunk has FMT_SIZE bytes (zeros past the first 16),
// followed by CHUNKS (odd ones padded to an even length) and the data chunk holding DATA.
inline Bytes wavWithChunks(uint32_t fmtSize, const std::vector<Chunk>& chunks, const Bytes& data) {
    Bytes canonical = canonicalWav(2, 44100, 16, {});
    // "WAVE", "fmt ", size, 16 bytes, then zeros. Sized once: GCC 12 at -O3 wrongly reports a
    // copy out of bounds when a vector built from a range is grown.
    Bytes body(28 + fmtSize - 16, 0);
    std::copy(canonical.begin() + 8, canonical.begin() + 36, body.begin());
    body[8] = static_cast<uint8_t>(fmtSize);
    auto add = [&body](const char* tag, const Bytes& content) {
        putTag(body, tag);
        put32(body, static_cast<uint32_t>(content.size()));
        body.insert(body.end(), content.begin(), content.end());
        if (content.size() % 2) body.push_back(0);
    };
    for (const Chunk& c : chunks)
        add(c.tag, c.body);
    add("data", data);
    Bytes b;
    putTag(b, "RIFF");
    put32(b, static_cast<uint32_t>(body.size()));
    b.insert(b.end(), body.begin(), body.end());
    return b;
}

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

// Starts the program headless in CWD with its script on a pipe that stays open, waits until the
// start-up has written the settings file and opened the temporary record file, then kills it.
// Returns false if the start-up did not get that far within ten seconds.
inline bool runKilledAfterStart(const std::string& cwd) {
    int fds[2];
    if (pipe(fds) != 0) return false;
    pid_t pid = fork();
    if (pid == 0) {
        if (chdir(cwd.c_str()) != 0) _exit(126);
        dup2(fds[0], 0);
        close(fds[0]);
        close(fds[1]);
        std::freopen("/dev/null", "w", stdout);
        std::string program = programPath();
        execl(program.c_str(), program.c_str(), "--headless", static_cast<char*>(nullptr));
        _exit(127);
    }
    close(fds[0]);
    std::string ini = cwd + "/" + kIniName, temp = cwd + "/" + kTempName;
    bool started = false;
    for (int i = 0; i < 1000 && !started; ++i) {
        started = readText(ini).find("endstatus=start") != std::string::npos && exists(temp);
        if (!started) std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    kill(pid, SIGKILL);
    int status = 0;
    waitpid(pid, &status, 0);
    close(fds[1]);
    return started;
}

}  // namespace pelkit::test

#include "devices/portaudio/stderr_filter.h"

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

namespace pelkit {

bool isDeviceNoise(const std::string& line) {
    return line.rfind("Expression '", 0) == 0 || line.rfind("ALSA lib ", 0) == 0 ||
           line.find("pa_linux_alsa.c") != std::string::npos || line.rfind("PaAlsa", 0) == 0 ||
           // PortAudio's JACK layer looking for a JACK server as it starts.
           line.rfind("Cannot connect to server", 0) == 0 ||
           line.rfind("jack server is not running", 0) == 0 ||
           line.rfind("JackShmReadWritePtr", 0) == 0;
}

QuietStderr::QuietStderr() {
    saved_ = ::dup(2);
    int null = ::open("/dev/null", O_WRONLY | O_CLOEXEC);
    if (saved_ >= 0 && null >= 0) ::dup2(null, 2);
    if (null >= 0) ::close(null);
}

QuietStderr::~QuietStderr() {
    if (saved_ >= 0) {
        ::dup2(saved_, 2);
        ::close(saved_);
    }
}

StderrFilter::StderrFilter() {
    int fds[2];
    original_ = ::dup(2);
    if (original_ < 0 || ::pipe2(fds, O_CLOEXEC) != 0) return;
    ::dup2(fds[1], 2);
    ::close(fds[1]);
    read_ = fds[0];
    reader_ = std::thread([this] { loop(); });
}

StderrFilter::~StderrFilter() {
    if (original_ < 0) return;
    ::dup2(original_, 2);  // closes the pipe's write end held at 2
    stop_ = true;
    if (reader_.joinable()) reader_.join();
    if (read_ >= 0) ::close(read_);
    ::close(original_);
}

void StderrFilter::loop() {
    std::string pending;
    char buffer[4096];
    for (;;) {
        pollfd p{read_, POLLIN, 0};
        int ready = ::poll(&p, 1, 50);
        if (ready > 0) {
            ssize_t n = ::read(read_, buffer, sizeof buffer);
            if (n <= 0) break;
            pending.append(buffer, static_cast<size_t>(n));
            size_t nl;
            while ((nl = pending.find('\n')) != std::string::npos) {
                std::string line = pending.substr(0, nl + 1);
                pending.erase(0, nl + 1);
                if (!isDeviceNoise(line)) pass(line);
            }
        } else if (stop_) {
            break;
        }
    }
    if (!pending.empty() && !isDeviceNoise(pending)) pass(pending);
}

void StderrFilter::pass(const std::string& text) {
    size_t done = 0;
    while (done < text.size()) {
        ssize_t w = ::write(original_, text.data() + done, text.size() - done);
        if (w <= 0) return;
        done += static_cast<size_t>(w);
    }
}

}  // namespace pelkit

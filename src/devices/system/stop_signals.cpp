#include "devices/system/stop_signals.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>

namespace pelkit {

namespace {

constexpr int kSignals[] = {SIGTERM, SIGINT, SIGHUP};

// A signal handler reaches its pipe only through globals: the write end, and whether a signal
// has come already. Both are lock-free atomics, safe to use in a handler; nothing else is shared.
std::atomic<int> handlerPipe{-1};
std::atomic<bool> signalled{false};

void onSignal(int number) {
    const int savedErrno = errno;
    if (number == SIGINT && signalled.exchange(true)) {
        // Ctrl+C again while the close runs: the user insists.
        struct sigaction fallback {};
        fallback.sa_handler = SIG_DFL;
        sigemptyset(&fallback.sa_mask);
        sigaction(SIGINT, &fallback, nullptr);
        raise(SIGINT);
    }
    signalled.store(true);
    const int fd = handlerPipe.load();
    if (fd >= 0) {
        const unsigned char byte = static_cast<unsigned char>(number);
        [[maybe_unused]] ssize_t n = write(fd, &byte, 1);
    }
    errno = savedErrno;
}

}  // namespace

StopSignals::StopSignals() {
    int ends[2];
    if (pipe2(ends, O_CLOEXEC | O_NONBLOCK) != 0) return;
    int expected = -1;
    if (!handlerPipe.compare_exchange_strong(expected, ends[1])) {
        close(ends[0]);
        close(ends[1]);
        return;
    }
    readEnd_ = ends[0];
    writeEnd_ = ends[1];
    signalled.store(false);
    struct sigaction action {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    // Calls interrupted by the handler go on: nothing but the pipe learns of the signal.
    action.sa_flags = SA_RESTART;
    active_ = true;
    for (int i = 0; i < 3; ++i) {
        if (sigaction(kSignals[i], &action, &previous_[i]) != 0) active_ = false;
    }
}

StopSignals::~StopSignals() {
    if (writeEnd_ < 0) return;
    for (int i = 0; i < 3; ++i)
        sigaction(kSignals[i], &previous_[i], nullptr);
    handlerPipe.store(-1);
    close(readEnd_);
    close(writeEnd_);
}

bool StopSignals::pending() const {
    if (readEnd_ < 0) return false;
    pollfd check{readEnd_, POLLIN, 0};
    return poll(&check, 1, 0) > 0 && (check.revents & POLLIN);
}

int StopSignals::take() {
    if (readEnd_ < 0) return 0;
    int first = 0;
    unsigned char bytes[16];
    ssize_t n;
    while ((n = read(readEnd_, bytes, sizeof bytes)) > 0) {
        if (first == 0) first = bytes[0];
    }
    return first;
}

}  // namespace pelkit

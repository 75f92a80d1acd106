#include "hosts/headless/script_lines.h"

#include <poll.h>
#include <unistd.h>

#include <cerrno>

namespace pelkit {

bool DescriptorLines::stopReady(int timeoutMs) const {
    if (stopFd_ < 0) return false;
    pollfd check{stopFd_, POLLIN, 0};
    return poll(&check, 1, timeoutMs) > 0 && (check.revents & POLLIN);
}

bool DescriptorLines::next(std::string& line) {
    for (;;) {
        if (stopReady(0)) return false;
        if (size_t end = buffer_.find('\n'); end != std::string::npos) {
            line = buffer_.substr(0, end);
            buffer_.erase(0, end + 1);
            return true;
        }
        if (ended_) {
            if (buffer_.empty()) return false;
            line.swap(buffer_);  // a last line without a line end
            buffer_.clear();
            return true;
        }
        pollfd wait[2] = {{fd_, POLLIN, 0}, {stopFd_, POLLIN, 0}};
        if (poll(wait, stopFd_ < 0 ? 1 : 2, -1) < 0 && errno != EINTR) {
            ended_ = true;
            continue;
        }
        if (!(wait[0].revents & (POLLIN | POLLHUP | POLLERR))) continue;
        char chunk[4096];
        ssize_t n = read(fd_, chunk, sizeof chunk);
        if (n > 0) {
            buffer_.append(chunk, static_cast<size_t>(n));
        } else if (n == 0 || errno != EINTR) {
            ended_ = true;
        }
    }
}

}  // namespace pelkit

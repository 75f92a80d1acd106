// The headless runner's script read from a file descriptor, line by line, while a stop
// descriptor (a signal's pipe) is watched: waiting for the next line ends when either is ready.
#pragma once

#include <string>

namespace pelkit {

class DescriptorLines {
  public:
    // Reads FD (not closed here); STOPFD, when not -1, ends the script once it is readable.
    DescriptorLines(int fd, int stopFd) : fd_(fd), stopFd_(stopFd) {}

    // The next line without its line end; false at the end of the script, or as soon as the
    // stop descriptor is readable (lines not yet read are then left unread).
    bool next(std::string& line);

  private:
    bool stopReady(int timeoutMs) const;

    int fd_;
    int stopFd_;
    std::string buffer_;
    bool ended_ = false;
};

}  // namespace pelkit

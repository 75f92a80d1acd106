#include "files/run_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace pelkit {

namespace {

long readHolder(int fd) {
    char text[32] = {};
    ssize_t n = ::pread(fd, text, sizeof text - 1, 0);
    return n > 0 ? std::strtol(text, nullptr, 10) : 0;
}

}  // namespace

RunLock::~RunLock() {
    release();
}

RunLock::Result RunLock::acquire(const std::string& path) {
    if (fd_ >= 0 && path == path_) return Result::Held;
    release();
    holder_ = 0;
    // The holder removes the file when it ends; a lock taken on a file that was removed or
    // replaced meanwhile guards nothing, so it is taken again on the file that is there now.
    for (int attempt = 0; attempt < 8; ++attempt) {
        int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
        if (fd < 0) fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
        if (fd < 0) return Result::Unavailable;
        if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
            int err = errno;
            holder_ = readHolder(fd);
            ::close(fd);
            return err == EWOULDBLOCK ? Result::InUse : Result::Unavailable;
        }
        struct stat opened {
        }, named{};
        if (::fstat(fd, &opened) == 0 && ::stat(path.c_str(), &named) == 0 &&
            opened.st_dev == named.st_dev && opened.st_ino == named.st_ino) {
            fd_ = fd;
            path_ = path;
            // The id only makes the message of a second program more precise.
            std::string pid = std::to_string(::getpid()) + "\n";
            if (::ftruncate(fd, 0) == 0) {
                [[maybe_unused]] ssize_t written = ::pwrite(fd, pid.data(), pid.size(), 0);
            }
            return Result::Held;
        }
        ::close(fd);
    }
    return Result::Unavailable;
}

void RunLock::release() {
    if (fd_ < 0) return;
    // Removed while still held: a program that opens the name afterwards gets a new file.
    ::unlink(path_.c_str());
    ::close(fd_);
    fd_ = -1;
    path_.clear();
}

std::string lockPathFor(const std::string& settingsPath) {
    return std::filesystem::path(settingsPath).replace_extension(".lock").string();
}

}  // namespace pelkit

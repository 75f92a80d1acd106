#include "files/disk_sync.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <system_error>

namespace pelkit {

namespace fs = std::filesystem;

int syncDescriptor(int fd) {
    if (fd < 0) return EBADF;
    return ::fsync(fd) == 0 ? 0 : errno;
}

int syncPath(const std::string& path) {
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return errno;
    int result = syncDescriptor(fd);
    ::close(fd);
    return result;
}

int syncFolderOf(const std::string& path) {
    return syncFolder(folderOf(path));
}

int syncFolder(const std::string& folder) {
    int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return errno;
    int result = syncDescriptor(fd);
    ::close(fd);
    // Some file systems cannot sync a folder; there is nothing more to do about it.
    return result == EINVAL ? 0 : result;
}

std::string folderOf(const std::string& path) {
    fs::path parent = fs::path(path).parent_path();
    return parent.empty() ? "." : parent.string();
}

std::string followLinks(const std::string& path) {
    fs::path at = path;
    std::error_code ec;
    // As many hops as the system itself follows before it gives up on a loop.
    for (int hop = 0; hop < 40 && fs::is_symlink(fs::symlink_status(at, ec)); ++hop) {
        fs::path target = fs::read_symlink(at, ec);
        if (ec) break;
        at = target.is_absolute() ? target : at.parent_path() / target;
    }
    return at.string();
}

std::string errorText(int err) {
    return std::generic_category().message(err);
}

}  // namespace pelkit

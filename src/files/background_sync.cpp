#include "files/background_sync.h"

#include <sys/stat.h>
#include <unistd.h>

#include "files/disk_sync.h"

namespace pelkit {

namespace {

bool sameFile(int a, int b) {
    struct stat sa {
    }, sb{};
    return ::fstat(a, &sa) == 0 && ::fstat(b, &sb) == 0 && sa.st_dev == sb.st_dev &&
           sa.st_ino == sb.st_ino;
}

}  // namespace

BackgroundSync::~BackgroundSync() {
    {
        std::lock_guard lock(mutex_);
        quit_ = true;
    }
    wake_.notify_one();
    if (thread_.joinable()) thread_.join();
}

void BackgroundSync::syncFile(int fd) {
    int copy = fd >= 0 ? ::dup(fd) : -1;
    if (copy < 0) return;
    Request request;
    request.fd = copy;
    submit(std::move(request));
}

void BackgroundSync::syncFolderOf(const std::string& path) {
    Request request;
    request.folder = folderOf(path);
    submit(std::move(request));
}

void BackgroundSync::submit(Request request) {
    {
        std::lock_guard lock(mutex_);
        // A file still waiting for its sync gets it once, however often it is asked for.
        for (Request& waiting : requests_) {
            bool same = request.fd >= 0 ? waiting.fd >= 0 && sameFile(waiting.fd, request.fd)
                                        : waiting.fd < 0 && waiting.folder == request.folder;
            if (!same) continue;
            if (request.fd >= 0) ::close(request.fd);
            return;
        }
        requests_.push_back(std::move(request));
        if (!thread_.joinable()) thread_ = std::thread([this] { loop(); });
    }
    wake_.notify_one();
}

void BackgroundSync::drain() {
    std::unique_lock lock(mutex_);
    idle_.wait(lock, [&] { return requests_.empty() && !busy_; });
}

BackgroundSync::Figures BackgroundSync::figures() const {
    std::lock_guard lock(mutex_);
    return figures_;
}

void BackgroundSync::loop() {
    std::unique_lock lock(mutex_);
    for (;;) {
        wake_.wait(lock, [&] { return quit_ || !requests_.empty(); });
        if (requests_.empty()) return;  // asked to quit with nothing left
        Request request = std::move(requests_.front());
        requests_.pop_front();
        busy_ = true;
        lock.unlock();

        auto began = std::chrono::steady_clock::now();
        int err = 0;
        if (request.fd >= 0) {
            err = syncDescriptor(request.fd);
            ::close(request.fd);
        } else {
            err = syncFolder(request.folder);
        }
        auto took = std::chrono::duration_cast<std::chrono::microseconds>(
            std::chrono::steady_clock::now() - began);

        lock.lock();
        busy_ = false;
        ++figures_.syncs;
        figures_.total += took;
        if (took > figures_.longest) figures_.longest = took;
        if (err != 0 && figures_.firstError == 0) figures_.firstError = err;
        if (requests_.empty()) idle_.notify_all();
    }
}

}  // namespace pelkit

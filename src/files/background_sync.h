// Syncs files to disk on a thread of its own, so that the thread that writes a take never waits
// for the disk: a sync can take longer than a block of sound lasts. A request carries a
// duplicate of the file's descriptor, so the writer may close its file or go on to the next part
// meanwhile. Requests for a file that already waits for its sync are merged.
#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <mutex>
#include <string>
#include <thread>

namespace pelkit {

class BackgroundSync {
  public:
    struct Figures {
        uint64_t syncs = 0;                    // file and folder syncs carried out
        std::chrono::microseconds longest{0};  // the longest of them
        std::chrono::microseconds total{0};
        int firstError = 0;  // errno of the first sync that failed, 0 while none has
    };

    BackgroundSync() = default;
    ~BackgroundSync();  // carries out what was asked, then stops
    BackgroundSync(const BackgroundSync&) = delete;
    BackgroundSync& operator=(const BackgroundSync&) = delete;

    // Asks for the data of the open file FD to be synced; FD itself stays the caller's.
    void syncFile(int fd);
    // Asks for the folder that holds PATH to be synced (a file was created there).
    void syncFolderOf(const std::string& path);
    // Waits until every request made so far has been carried out.
    void drain();
    Figures figures() const;

  private:
    struct Request {
        int fd = -1;         // a duplicate, closed once synced
        std::string folder;  // or a folder to sync
    };
    void submit(Request request);
    void loop();

    mutable std::mutex mutex_;
    std::condition_variable wake_, idle_;
    std::deque<Request> requests_;
    bool busy_ = false;
    bool quit_ = false;
    Figures figures_;
    std::thread thread_;
};

}  // namespace pelkit

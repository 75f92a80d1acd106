// One program per folder: an advisory lock (flock) on a lock file, held for the whole run. The
// system drops it when the process ends in any way, a kill included, so a crashed run never
// leaves its folder locked.
#pragma once

#include <string>

namespace pelkit {

class RunLock {
  public:
    enum class Result {
        Held,         // this run holds the lock
        InUse,        // another running program holds it
        Unavailable,  // the lock file cannot be made (a read-only folder): nobody can hold it
    };

    RunLock() = default;
    ~RunLock();
    RunLock(const RunLock&) = delete;
    RunLock& operator=(const RunLock&) = delete;

    // Takes the lock on PATH without waiting (again if this object already holds it). The lock
    // file holds the process id of its holder.
    Result acquire(const std::string& path);
    // Removes the lock file and lets the lock go.
    void release();

    bool held() const { return fd_ >= 0; }
    // The process id written by the holder of a lock found in use; 0 when unknown.
    long holder() const { return holder_; }

  private:
    int fd_ = -1;
    std::string path_;
    long holder_ = 0;
};

// The lock file beside the settings file SETTINGSPATH.
std::string lockPathFor(const std::string& settingsPath);

}  // namespace pelkit

// PortAudio itself, initialised once for both devices and again when it found no device.
#pragma once

#include <atomic>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

namespace pelkit {

class StderrFilter;

class PortAudioSystem {
  public:
    PortAudioSystem();
    ~PortAudioSystem();
    PortAudioSystem(const PortAudioSystem&) = delete;
    PortAudioSystem& operator=(const PortAudioSystem&) = delete;

    // Starts PortAudio on a thread of its own: building its device list takes a few hundred
    // milliseconds, which the first open would otherwise spend on the window's thread.
    void startInBackground();
    // Makes sure a device list with a default device of the kind exists; true if it does,
    // otherwise REASON says why not. The caller holds lock().
    bool ready(bool output, std::string& reason);
    // At the program's end: whether startInBackground's thread is still starting PortAudio (a
    // sound server slow to answer, or not answering at all). Nothing can stop it, and the
    // program has nothing left to close on it, so the caller ends the process at once instead
    // of waiting; standard error is handed back first, with what the filter still held.
    bool stillStartingAtEnd();
    void streamOpened() { ++openStreams_; }
    void streamClosed() { --openStreams_; }

    // Serialises PortAudio calls made from different threads (never taken by a callback).
    std::mutex& lock() { return mutex_; }

  private:
    bool initialised_ = false;
    std::atomic<bool> starting_{false};  // startInBackground's thread runs Pa_Initialize
    std::atomic<int> openStreams_{0};
    std::mutex mutex_;
    std::unique_ptr<StderrFilter> filter_;
    std::thread starter_;  // startInBackground's
};

}  // namespace pelkit

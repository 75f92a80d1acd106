// Keeping the device layer's messages off the terminal. ALSA and PortAudio report their device
// probing, and PortAudio's ALSA layer its failures, on standard error.
#pragma once

#include <atomic>
#include <string>
#include <thread>

namespace pelkit {

// Whether LINE is one of the device layer's own messages.
bool isDeviceNoise(const std::string& line);

// Sends standard error to /dev/null while it exists (around PortAudio calls on this thread).
class QuietStderr {
  public:
    QuietStderr();
    ~QuietStderr();
    QuietStderr(const QuietStderr&) = delete;
    QuietStderr& operator=(const QuietStderr&) = delete;

  private:
    int saved_ = -1;
};

// Standard error passes through a pipe whose reader drops the device layer's noise and hands
// everything else on unchanged; the original is restored, with what was still held, at the end.
class StderrFilter {
  public:
    StderrFilter();
    ~StderrFilter();
    StderrFilter(const StderrFilter&) = delete;
    StderrFilter& operator=(const StderrFilter&) = delete;

  private:
    void loop();
    void pass(const std::string& text);

    int original_ = -1;
    int read_ = -1;
    std::atomic<bool> stop_{false};
    std::thread reader_;
};

}  // namespace pelkit

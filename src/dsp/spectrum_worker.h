// Runs the spectrum analysis beside the main thread, one analysis at a time. The main thread
// starts it after a played block; the bars read its published results whenever they paint.
//
// start(), stop(), wait() and running() belong to one thread (the main window's); results()
// may be read from any thread at any time.
#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <span>
#include <thread>

#include "dsp/spectrum.h"

namespace pelkit {

class SpectrumWorker {
  public:
    // Threaded: each analysis runs on a thread of its own. Inline: start() runs it to the end on
    // the calling thread, so runs that must repeat exactly (the headless runner) see the same
    // bars every time.
    enum class Mode { Threaded, Inline };

    explicit SpectrumWorker(Mode mode = Mode::Threaded);
    // Stops a running analysis and waits for it.
    ~SpectrumWorker();
    SpectrumWorker(const SpectrumWorker&) = delete;
    SpectrumWorker& operator=(const SpectrumWorker&) = delete;

    // Starts an analysis of the first 256 bytes of INPUT (fewer are padded with zeros), copied
    // before this returns so the caller may refill them at once. Does nothing and returns false
    // while an analysis runs.
    bool start(std::span<const uint8_t> input);
    // True from start() until the analysis has published its last output.
    bool running() const { return running_.load(std::memory_order_acquire); }
    // Asks a running analysis to end after its current output (the outputs so far stay, zeros
    // after them).
    void stop() { keepGoing_.store(false, std::memory_order_relaxed); }
    // Waits until no analysis runs.
    void wait();

    Mode mode() const { return mode_; }
    const SpectrumArea& results() const { return area_; }

  private:
    void run();

    const Mode mode_;
    std::array<uint8_t, kSpectrumInputBytes> input_{};
    SpectrumArea area_;
    std::atomic<bool> running_{false};
    std::atomic<bool> keepGoing_{true};
    std::thread thread_;
};

}  // namespace pelkit

#include "dsp/spectrum_worker.h"

#include <algorithm>
#include <system_error>

namespace pelkit {

SpectrumWorker::SpectrumWorker(Mode mode) : mode_(mode) {}

SpectrumWorker::~SpectrumWorker() {
    stop();
    wait();
}

bool SpectrumWorker::start(std::span<const uint8_t> input) {
    if (running()) return false;
    // The previous thread has published everything; collect it before reusing its input.
    if (thread_.joinable()) thread_.join();
    size_t n = std::min(input.size(), input_.size());
    std::copy_n(input.begin(), n, input_.begin());
    std::fill(input_.begin() + static_cast<std::ptrdiff_t>(n), input_.end(), uint8_t{0});
    keepGoing_.store(true, std::memory_order_relaxed);
    // Raised before the thread exists, so a second start cannot slip in before it.
    running_.store(true, std::memory_order_release);
    if (mode_ == Mode::Threaded) {
        try {
            thread_ = std::thread([this] { run(); });
            return true;
        } catch (const std::system_error&) {
            // No thread to be had: the bars are still worth the wait of one analysis.
        }
    }
    run();
    return true;
}

void SpectrumWorker::wait() {
    if (thread_.joinable()) thread_.join();
}

void SpectrumWorker::run() {
    analyse(input_, area_, [this] { return keepGoing_.load(std::memory_order_relaxed); });
    running_.store(false, std::memory_order_release);
}

}  // namespace pelkit

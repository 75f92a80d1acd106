// The writer thread of the "HDD" write mode: recorded blocks are copied, handed over in
// arrival order and written to the record stream one after another; each finished write is
// reported to the main thread as a message, after which the block may be queued again.
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <mutex>
#include <thread>
#include <vector>

#include "files/file_stream.h"
#include "platform/message_queue.h"

namespace pelkit {

class RecordWriter {
  public:
    RecordWriter() = default;
    ~RecordWriter();
    RecordWriter(const RecordWriter&) = delete;
    RecordWriter& operator=(const RecordWriter&) = delete;

    // Starts the thread (if not running) writing to STREAM; finished writes are posted to QUEUE
    // as RecordWritten messages carrying HEADER, and lower IN_FLIGHT.
    void start(FileStream& stream, MessageQueue& queue, std::atomic<int32_t>& inFlight);
    // Hands over a copy of DATA; IN_FLIGHT was raised by one before the hand-off returns.
    void write(const uint8_t* data, uint32_t count, WaveHeader* header);
    // Places the stream at OFFSET once the writes handed over before it are done.
    void seek(int64_t offset);
    // Waits up to MS milliseconds for every handed-over write to end; true when none is left.
    bool waitIdle(int ms);
    // True once a write failed (the disk is full, the file system went away).
    bool failed() const { return failed_.load(); }
    void clearFailure() { failed_ = false; }
    // Ends the thread after the writes handed over so far.
    void stop();

  private:
    struct Job {
        std::vector<uint8_t> bytes;
        WaveHeader* header = nullptr;
        int64_t seekTo = -1;
    };
    void loop();

    std::mutex mutex_;
    std::condition_variable wake_;
    std::condition_variable idle_;
    std::deque<Job> jobs_;
    std::vector<std::vector<uint8_t>> spare_;  // copies kept for reuse: no allocation per block
    bool busy_ = false;
    bool quit_ = false;
    std::thread thread_;
    FileStream* stream_ = nullptr;
    MessageQueue* queue_ = nullptr;
    std::atomic<int32_t>* inFlight_ = nullptr;
    std::atomic<bool> failed_{false};
};

}  // namespace pelkit

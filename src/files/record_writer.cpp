#include "files/record_writer.h"

#include <chrono>

namespace pelkit {

RecordWriter::~RecordWriter() {
    stop();
}

void RecordWriter::start(FileStream& stream, MessageQueue& queue, std::atomic<int32_t>& inFlight) {
    std::lock_guard lock(mutex_);
    stream_ = &stream;
    queue_ = &queue;
    inFlight_ = &inFlight;
    if (!thread_.joinable()) {
        quit_ = false;
        thread_ = std::thread([this] { loop(); });
    }
}

void RecordWriter::write(const uint8_t* data, uint32_t count, WaveHeader* header) {
    Job job;
    job.header = header;
    {
        std::lock_guard lock(mutex_);
        if (!spare_.empty()) {
            job.bytes = std::move(spare_.back());
            spare_.pop_back();
        }
    }
    job.bytes.assign(data, data + count);
    inFlight_->fetch_add(1);
    {
        std::lock_guard lock(mutex_);
        jobs_.push_back(std::move(job));
    }
    wake_.notify_one();
}

void RecordWriter::seek(int64_t offset) {
    Job job;
    job.seekTo = offset;
    {
        std::lock_guard lock(mutex_);
        jobs_.push_back(std::move(job));
    }
    wake_.notify_one();
}

bool RecordWriter::waitIdle(int ms) {
    std::unique_lock lock(mutex_);
    return idle_.wait_for(lock, std::chrono::milliseconds(ms),
                          [&] { return jobs_.empty() && !busy_; });
}

void RecordWriter::stop() {
    {
        std::lock_guard lock(mutex_);
        quit_ = true;
    }
    wake_.notify_one();
    if (thread_.joinable()) thread_.join();
}

void RecordWriter::loop() {
    std::unique_lock lock(mutex_);
    for (;;) {
        wake_.wait(lock, [&] { return quit_ || !jobs_.empty(); });
        if (jobs_.empty()) {
            if (quit_) return;
            continue;
        }
        Job job = std::move(jobs_.front());
        jobs_.pop_front();
        busy_ = true;
        lock.unlock();

        if (job.seekTo >= 0) {
            stream_->seek(job.seekTo);
        } else {
            if (!job.bytes.empty() && !stream_->write(job.bytes.data(), job.bytes.size())) {
                failed_ = true;
            }
            inFlight_->fetch_sub(1);
            queue_->post({MessageKind::RecordWritten, job.header, 0});
        }

        lock.lock();
        if (job.seekTo < 0) spare_.push_back(std::move(job.bytes));
        busy_ = false;
        if (jobs_.empty()) idle_.notify_all();
    }
}

}  // namespace pelkit

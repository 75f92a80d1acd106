#include "files/take_writer.h"

#include <filesystem>
#include <system_error>

#include "files/file_names.h"
#include "files/wav_format.h"

namespace pelkit {

namespace fs = std::filesystem;

namespace {

// Moves SOURCE onto TARGET, replacing it: a rename, or a copy and a remove across file systems.
bool moveReplacing(const std::string& source, const std::string& target) {
    std::error_code ec;
    fs::rename(source, target, ec);
    if (!ec) return true;
    ec.clear();
    fs::copy_file(source, target, fs::copy_options::overwrite_existing, ec);
    if (ec) return false;
    fs::remove(source, ec);
    return true;
}

// A name beside PATH that no file has yet: PATH's numbered names with "_kept".
std::string unusedKeptName(const std::string& path) {
    std::string base = DerivedName(path, "_kept");
    for (int n = 1; n < 100000; ++n) {
        std::string candidate = NumberedName(base, n);
        if (!fileExists(candidate)) return candidate;
    }
    return base;
}

}  // namespace

bool finishTakeFile(const std::string& tempPath, const std::string& finalPath,
                    const WaveFormat& format, TakeFinish& result) {
    uint32_t size = WavDataSize(tempPath);
    if (size == 0) {
        result.emptyPart = true;
        return false;
    }
    {
        FileStream out;
        if (out.open(tempPath, FileStream::Mode::WriteKeep)) WriteWavHeader(out, format, size);
    }
    result.dataSize += size;
    if (moveReplacing(tempPath, finalPath)) return true;

    // The take cannot reach its name (a read-only or missing directory, a full disk): keep it.
    std::string kept = unusedKeptName(tempPath);
    std::error_code ec;
    fs::rename(tempPath, kept, ec);
    if (ec) {
        // Not even a rename beside it works: leave the take where it is and record the next
        // takes into another temporary file, so that nothing empties this one.
        kept = tempPath;
        result.nextTempName = unusedKeptName(DerivedName(tempPath, "_next"));
    }
    result.warnings.push_back("The recording could not be saved as " + finalPath +
                              ". It is kept in " + fs::absolute(kept, ec).string() + ".");
    return false;
}

TakeFinish finishTakeFiles(const std::string& tempPath, int32_t parts, const WaveFormat& format,
                           const std::string& finalPath) {
    TakeFinish result;
    result.firstMoved = finishTakeFile(tempPath, finalPath, format, result);
    if (result.firstMoved) result.firstSize = result.dataSize;
    for (int32_t i = 1; i <= parts; ++i) {
        finishTakeFile(NumberedName(tempPath, i), NumberedName(finalPath, i), format, result);
    }
    return result;
}

TakeWriter::~TakeWriter() {
    stopThread();
}

bool TakeWriter::prepare(bool keep) {
    stream_.close();
    return stream_.open(tempName_,
                        keep ? FileStream::Mode::AppendKeep : FileStream::Mode::WriteTruncate);
}

void TakeWriter::close() {
    stopThread();
    stream_.close();
}

bool TakeWriter::begin(const WaveFormat& format, Mode mode, MessageQueue& queue) {
    format_ = format;
    mode_ = mode;
    queue_ = &queue;
    partIndex_ = 0;
    bytesInPart_ = 0;
    written_ = 0;
    failed_ = false;
    bool ok = WriteWavHeader(stream_, format, 0);
    // From here on every write lands at the end of the file.
    stream_.close();
    ok = stream_.open(tempName_, FileStream::Mode::AppendKeep) && ok;
    if (!ok) failed_ = true;
    if (mode == Mode::Threaded && !thread_.joinable()) {
        quit_ = false;
        thread_ = std::thread([this] { loop(); });
    }
    return ok;
}

void TakeWriter::append(const uint8_t* data, uint32_t count, WaveHeader* header) {
    Job job;
    job.header = header;
    if (mode_ == Mode::Threaded) {
        {
            std::lock_guard lock(mutex_);
            if (!spare_.empty()) {
                job.bytes = std::move(spare_.back());
                spare_.pop_back();
            }
        }
        job.bytes.assign(data, data + count);
        inFlight_.fetch_add(1);
        submit(std::move(job));
    } else {
        if (count > 0 && !stream_.write(data, count)) {
            failed_ = true;
            return;
        }
        written_ += count;
    }
    // A part closes after the block that takes it past partLimit - count bytes.
    bytesInPart_ += count;
    if (bytesInPart_ > partLimit_ - count) {
        partIndex_ += 1;
        bytesInPart_ = 0;
        Job next;
        next.kind = Job::Kind::NewPart;
        next.part = partIndex_;
        submit(std::move(next));
    }
}

void TakeWriter::rewind() {
    Job job;
    job.kind = Job::Kind::Rewind;
    submit(std::move(job));
}

void TakeWriter::submit(Job job) {
    if (mode_ == Mode::Direct || !thread_.joinable()) {
        perform(job);
        return;
    }
    {
        std::lock_guard lock(mutex_);
        jobs_.push_back(std::move(job));
    }
    wake_.notify_one();
}

void TakeWriter::perform(Job& job) {
    switch (job.kind) {
        case Job::Kind::Write:
            if (!job.bytes.empty() && !stream_.write(job.bytes.data(), job.bytes.size())) {
                failed_ = true;
            } else {
                written_ += job.bytes.size();
            }
            break;
        case Job::Kind::Rewind:
            stream_.seek(kCanonicalHeaderSize);
            written_ = 0;
            break;
        case Job::Kind::NewPart:
            stream_.close();
            stream_.open(NumberedName(tempName_, job.part), FileStream::Mode::WriteTruncate);
            if (!WriteWavHeader(stream_, format_, 0)) failed_ = true;
            stream_.seek(kCanonicalHeaderSize);
            break;
    }
}

void TakeWriter::loop() {
    std::unique_lock lock(mutex_);
    for (;;) {
        wake_.wait(lock, [&] { return quit_ || !jobs_.empty(); });
        if (jobs_.empty()) {
            if (quit_) return;
            continue;
        }
        Job job = std::move(jobs_.front());
        jobs_.pop_front();
        lock.unlock();

        perform(job);
        if (job.kind == Job::Kind::Write) {
            inFlight_.fetch_sub(1);
            queue_->post({MessageKind::RecordWritten, job.header, 0});
        }

        lock.lock();
        if (job.kind == Job::Kind::Write) spare_.push_back(std::move(job.bytes));
    }
}

void TakeWriter::stopThread() {
    {
        std::lock_guard lock(mutex_);
        quit_ = true;
    }
    wake_.notify_one();
    if (thread_.joinable()) thread_.join();
    mode_ = Mode::Direct;
}

TakeFinish TakeWriter::finish(const std::string& finalPath, bool keepForNext) {
    stopThread();
    stream_.close();
    TakeFinish result = finishTakeFiles(tempName_, partIndex_, format_, finalPath);
    if (!result.nextTempName.empty()) tempName_ = result.nextTempName;
    prepare(keepForNext);
    return result;
}

}  // namespace pelkit

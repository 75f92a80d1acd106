#include "files/take_writer.h"

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <optional>
#include <system_error>

#include "files/disk_sync.h"
#include "files/file_names.h"
#include "files/staged_file.h"
#include "files/take_journal.h"
#include "files/wav_format.h"

namespace pelkit {

namespace fs = std::filesystem;

namespace {

// Copies SOURCE onto TARGET on another file system: the copy is written beside TARGET under a
// temporary name, synced, and renamed over it only once complete, so an older TARGET is never
// damaged. Streams in blocks. Returns what failed, or nothing.
std::string copyReplacing(const std::string& source, const std::string& target) {
    FileStream in;
    if (!in.open(source, FileStream::Mode::Read)) return errorText(in.errorCode());
    // Always the same name beside TARGET: a copy cut off by a kill is replaced by the next try
    // (the source is only removed once the copy is complete) instead of staying behind.
    const std::string token = "finishing";
    StagedFile::discardFile(StagedFile::tempPathFor(target, token));
    StagedFile out;
    if (!out.open(target, token)) return out.error();
    std::vector<uint8_t> block(1 << 20);
    for (;;) {
        size_t got = in.read(block.data(), block.size());
        if (got > 0 && !out.write(block.data(), got)) return out.error();
        if (in.bad()) return errorText(in.errorCode());
        if (got < block.size()) break;
    }
    if (!out.close()) return out.error();
    if (int err = syncPath(out.tempPath())) {
        out.abandon();
        return errorText(err);
    }
    if (!out.publish()) return out.error();
    return {};
}

}  // namespace

std::string moveReplacing(const std::string& source, const std::string& target) {
    std::error_code ec;
    fs::rename(source, target, ec);
    if (ec == std::errc::cross_device_link) {
        std::string problem = copyReplacing(source, target);
        if (!problem.empty()) return problem;
        // The copy keeps its name before the source goes: one of the two always holds the take.
        syncFolderOf(target);
        fs::remove(source, ec);
        ec.clear();
        syncFolderOf(source);
    }
    if (ec) return ec.message();
    syncFolderOf(target);
    return {};
}

namespace {

// A name beside PATH that no file has yet: PATH's numbered names with "_kept".
std::string unusedKeptName(const std::string& path) {
    std::string base = DerivedName(path, "_kept");
    for (int n = 1; n < 100000; ++n) {
        std::string candidate = NumberedName(base, n);
        if (!fileExists(candidate)) return candidate;
    }
    return base;
}

std::string absolutePath(const std::string& path) {
    std::error_code ec;
    return fs::absolute(path, ec).string();
}

}  // namespace

bool finishTakeFile(const std::string& tempPath, const std::string& finalPath,
                    const WaveFormat& format, TakeFinish& result) {
    uint32_t size = WavDataSize(tempPath);
    if (size == 0) {
        result.emptyPart = true;
        return false;
    }
    // The header, then the whole file, on disk before the take gets its name.
    std::string problem;
    {
        FileStream out;
        if (!out.open(tempPath, FileStream::Mode::WriteKeep) ||
            !WriteWavHeader(out, format, size) || !out.sync()) {
            problem = errorText(out.errorCode());
        }
    }
    result.dataSize += size;
    if (problem.empty()) problem = moveReplacing(tempPath, finalPath);
    if (problem.empty()) {
        result.savedAs.push_back(finalPath);
        return true;
    }

    // The take cannot reach its name (a read-only or missing folder, a full disk): keep it.
    std::string kept = unusedKeptName(tempPath);
    std::error_code ec;
    fs::rename(tempPath, kept, ec);
    if (ec) {
        // Not even a rename beside it works: leave the take where it is and record the next
        // takes into another temporary file, so that nothing empties this one.
        kept = tempPath;
        result.nextTempName = unusedKeptName(DerivedName(tempPath, "_next"));
    } else {
        syncFolderOf(kept);
    }
    result.savedAs.push_back(kept);
    result.warnings.push_back("The recording could not be saved as " + finalPath + " (" + problem +
                              "). It is kept in " + absolutePath(kept) + ".");
    return false;
}

namespace {

// Part N of the take written to TEMPPATH (0: the file itself).
std::string partName(const std::string& tempPath, int32_t n) {
    return n == 0 ? tempPath : NumberedName(tempPath, n);
}

// The files of the take in TEMPPATH on disk, by part number: the file itself when it exists,
// then every numbered part, gaps and all.
std::vector<int32_t> takeFilesOnDisk(const std::string& tempPath) {
    std::vector<int32_t> numbers = numberedPartsOf(tempPath);
    if (fileExists(tempPath)) numbers.insert(numbers.begin(), 0);
    return numbers;
}

// Whether every one of NUMBERS that held sound has left its temporary name.
bool takeFilesLeft(const std::string& tempPath, const std::vector<int32_t>& numbers) {
    return std::none_of(numbers.begin(), numbers.end(),
                        [&](int32_t n) { return WavDataSize(partName(tempPath, n)) > 0; });
}

// The format of a take left on disk: that of the first of its files with a readable header.
WaveFormat leftFormat(const std::string& tempPath, const std::vector<int32_t>& numbers,
                      const WaveFormat& fallback) {
    for (int32_t n : numbers) {
        WavHeaderInfo info;
        if (ReadWavHeader(partName(tempPath, n), info)) return info.format;
    }
    return fallback;
}

}  // namespace

TakeFinish finishTakeFiles(const std::string& tempPath, int32_t parts, const WaveFormat& format,
                           const std::string& finalPath) {
    TakeFinish result;
    // A take of several files is moved in several steps: what the next start needs to complete
    // it, should the program end between two of them, is on disk before the first.
    const bool journal = parts > 0 && writeTakeJournal(tempPath, {finalPath, parts, format}) == 0;
    result.firstMoved = finishTakeFile(tempPath, finalPath, format, result);
    if (result.firstMoved) result.firstSize = static_cast<uint32_t>(result.dataSize);
    for (int32_t i = 1; i <= parts; ++i) {
        finishTakeFile(NumberedName(tempPath, i), NumberedName(finalPath, i), format, result);
    }
    // A part left under its temporary name keeps the journal for the next start.
    if (journal && result.nextTempName.empty()) removeTakeJournal(tempPath);
    return result;
}

TakeRecovery recoverTakeFiles(const std::string& tempPath, const std::string& finalPath,
                              const WaveFormat& format) {
    TakeRecovery recovery;
    const std::optional<TakeJournal> journal = readTakeJournal(tempPath);
    const std::vector<int32_t> numbers = takeFilesOnDisk(tempPath);
    recovery.finalPath = journal ? journal->finalPath : finalPath;
    if (takeFilesLeft(tempPath, numbers)) {
        // Nothing holds sound: a finish that was cut off had moved every part already.
        if (journal) removeTakeJournal(tempPath);
        return recovery;
    }
    recovery.found = true;
    // A take fills its first file before any part, and a finish moves that file first: parts
    // with sound beside a first file without any were being finished.
    recovery.finishWasCut = journal.has_value() || WavDataSize(tempPath) == 0;
    const WaveFormat take = journal ? journal->format : leftFormat(tempPath, numbers, format);
    // Recovering several files is itself a finish that a kill may cut off.
    const int32_t last = std::max(numbers.back(), journal ? journal->parts : 0);
    const bool journalled =
        journal ||
        (numbers.size() > 1 && writeTakeJournal(tempPath, {recovery.finalPath, last, take}) == 0);
    TakeFinish& result = recovery.finish;
    for (int32_t n : numbers) {
        const std::string name = partName(recovery.finalPath, n);
        const bool moved = finishTakeFile(partName(tempPath, n), name, take, result);
        if (moved) recovery.saved.push_back(name);
        if (n == 0) {
            result.firstMoved = moved;
            if (moved) result.firstSize = static_cast<uint32_t>(result.dataSize);
        }
    }
    if (journalled && result.nextTempName.empty()) removeTakeJournal(tempPath);
    return recovery;
}

TakeFinish keepTakeFiles(const std::string& tempPath, const WaveFormat& format) {
    TakeFinish result;
    const std::vector<int32_t> numbers = takeFilesOnDisk(tempPath);
    const std::optional<TakeJournal> journal = readTakeJournal(tempPath);
    const WaveFormat take = journal ? journal->format : leftFormat(tempPath, numbers, format);
    for (int32_t n : numbers) {
        const std::string part = partName(tempPath, n);
        if (WavDataSize(part) > 0) finishTakeFile(part, unusedKeptName(tempPath), take, result);
    }
    if (journal && result.nextTempName.empty()) removeTakeJournal(tempPath);
    return result;
}

TakeWriter::~TakeWriter() {
    stopThread();
    if (finisher_.joinable()) finisher_.join();
}

bool TakeWriter::prepare(bool keep) {
    // While a take is being finished its files are the finishing thread's.
    if (finishing_) return false;
    stream_.close();
    if (!blocked_.empty()) return false;
    bool ok = stream_.open(tempName_,
                           keep ? FileStream::Mode::AppendKeep : FileStream::Mode::WriteTruncate);
    error_ = ok ? 0 : stream_.errorCode();
    return ok;
}

void TakeWriter::fail(int err) {
    int none = 0;
    error_.compare_exchange_strong(none, err ? err : EIO);
    failed_ = true;
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
    error_ = 0;
    if (!blocked_.empty()) {
        fail(EBUSY);
        return false;
    }
    if (!syncSetByHand_) {
        syncEvery_ = std::clamp<uint64_t>(uint64_t{format.avgBytesPerSecond} * kSyncSeconds,
                                          uint64_t{1} << 16, uint64_t{1} << 26);
    }
    sinceSync_ = 0;
    bool ok = WriteWavHeader(stream_, format, 0);
    if (!ok) fail(stream_.errorCode());
    // From here on every write lands at the end of the file.
    stream_.close();
    if (!stream_.open(tempName_, FileStream::Mode::AppendKeep)) {
        fail(stream_.errorCode());
        ok = false;
    }
    // The file's name and its header reach the disk first.
    syncer_.syncFolderOf(tempName_);
    syncer_.syncFile(stream_.handle());
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
            fail(stream_.errorCode());
            return;
        }
        wrote(count);
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
                fail(stream_.errorCode());
            } else {
                wrote(job.bytes.size());
            }
            break;
        case Job::Kind::Rewind:
            stream_.seek(kCanonicalHeaderSize);
            written_ = 0;
            break;
        case Job::Kind::NewPart: {
            // The end of the part just closed is synced too.
            syncer_.syncFile(stream_.handle());
            stream_.close();
            std::string part = NumberedName(tempName_, job.part);
            // Sound still in a part of that name (a take no recovery finished) is moved aside,
            // never emptied.
            if (WavDataSize(part) > 0) {
                std::error_code ec;
                fs::rename(part, unusedKeptName(part), ec);
            }
            stream_.open(part, FileStream::Mode::WriteTruncate);
            if (!WriteWavHeader(stream_, format_, 0)) fail(stream_.errorCode());
            stream_.seek(kCanonicalHeaderSize);
            syncer_.syncFolderOf(part);
            sinceSync_ = 0;
            break;
        }
    }
}

void TakeWriter::wrote(uint64_t count) {
    written_ += count;
    sinceSync_ += count;
    if (syncEvery_ > 0 && sinceSync_ >= syncEvery_) {
        syncer_.syncFile(stream_.handle());
        sinceSync_ = 0;
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

TakeFinish TakeWriter::finishFiles(const std::string& finalPath,
                                   const std::vector<std::string>& olderParts) {
    syncer_.drain();
    TakeFinish result = finishTakeFiles(tempName_, partIndex_, format_, finalPath);
    result.writeError = failed_ ? error_.load() : 0;
    result.tempPath = tempName_;
    if (result.firstMoved && !olderParts.empty()) {
        // The parts of the replaced take past this take's last one would pose as its parts.
        std::vector<std::string> ours;
        for (int32_t i = 1; i <= partIndex_; ++i)
            ours.push_back(NumberedName(finalPath, i));
        for (const std::string& older : olderParts) {
            if (std::find(ours.begin(), ours.end(), older) != ours.end()) continue;
            std::error_code ec;
            fs::remove(older, ec);
        }
        syncFolderOf(finalPath);
    }
    return result;
}

void TakeWriter::closeTake() {
    stopThread();
    end_.parts = partIndex_;
    end_.bytesInPart = bytesInPart_;
    end_.offset = stream_.tell();
    end_.written = written_.load();
    stream_.close();
}

TakeFinish TakeWriter::finish(const std::string& finalPath,
                              const std::vector<std::string>& olderParts) {
    closeTake();
    finished_ = finishFiles(finalPath, olderParts);
    finishing_ = true;
    return collectFinish();
}

void TakeWriter::finishInBackground(const std::string& finalPath, MessageQueue& queue,
                                    const std::vector<std::string>& olderParts) {
    closeTake();
    if (finisher_.joinable()) finisher_.join();
    finishing_ = true;
    finisher_ = std::thread([this, finalPath, olderParts, &queue] {
        finished_ = finishFiles(finalPath, olderParts);
        queue.post({MessageKind::TakeFinished, nullptr, 0});
    });
}

TakeFinish TakeWriter::collectFinish() {
    if (finisher_.joinable()) finisher_.join();
    if (!finishing_) return {};
    finishing_ = false;
    TakeFinish result = std::move(finished_);
    finished_ = {};
    if (!result.nextTempName.empty()) tempName_ = result.nextTempName;
    prepare(false);
    return result;
}

std::string TakeWriter::resume(const std::string& finalPath, const Position& at,
                               const WaveFormat& format, Mode mode, MessageQueue& queue) {
    if (finishing_) return "the previous take is still being finished";
    if (!blocked_.empty()) return blocked_;
    stream_.close();
    auto finalOf = [&](int32_t i) { return i == 0 ? finalPath : NumberedName(finalPath, i); };
    auto tempOf = [&](int32_t i) { return i == 0 ? tempName_ : NumberedName(tempName_, i); };
    // The last part first: whenever the run ends, each file is under one of its two names, and
    // the recovery at the next start finishes the temporary ones into the take's names again.
    std::string problem;
    int32_t back = at.parts + 1;
    while (back > 0 && problem.empty()) {
        problem = moveReplacing(finalOf(back - 1), tempOf(back - 1));
        if (problem.empty()) --back;
    }
    const std::string last = tempOf(at.parts);
    if (problem.empty() &&
        (!stream_.open(last, FileStream::Mode::WriteKeep) || !stream_.seek(at.offset))) {
        problem = errorText(stream_.errorCode() ? stream_.errorCode() : EIO);
        stream_.close();
    }
    if (!problem.empty()) {
        for (int32_t i = back; i <= at.parts; ++i)
            moveReplacing(tempOf(i), finalOf(i));
        prepare(false);
        return problem;
    }
    format_ = format;
    mode_ = mode;
    queue_ = &queue;
    partIndex_ = at.parts;
    bytesInPart_ = at.bytesInPart;
    written_ = at.written;
    failed_ = false;
    error_ = 0;
    if (!syncSetByHand_) {
        syncEvery_ = std::clamp<uint64_t>(uint64_t{format.avgBytesPerSecond} * kSyncSeconds,
                                          uint64_t{1} << 16, uint64_t{1} << 26);
    }
    sinceSync_ = 0;
    if (mode == Mode::Threaded && !thread_.joinable()) {
        quit_ = false;
        thread_ = std::thread([this] { loop(); });
    }
    return {};
}

}  // namespace pelkit

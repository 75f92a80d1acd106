#include "files/staged_file.h"

#include <cerrno>
#include <filesystem>
#include <random>
#include <system_error>

#include "files/disk_sync.h"

namespace pelkit {

namespace fs = std::filesystem;

namespace {

constexpr size_t kWriteBufferBytes = 256 * 1024;

std::string reason(int err) {
    return std::generic_category().message(err);
}

}  // namespace

StagedFile::~StagedFile() {
    abandon();
}

std::string StagedFile::newToken() {
    std::random_device device;
    std::uniform_int_distribution<uint32_t> digit(0, 15);
    std::string token;
    for (int i = 0; i < 12; ++i)
        token += "0123456789abcdef"[digit(device)];
    return token;
}

std::string StagedFile::tempPathFor(const std::string& finalPath, const std::string& token) {
    return finalPath + "." + token + ".part";
}

bool StagedFile::isTempName(const std::string& fileName) {
    constexpr size_t kDigits = 12;
    const std::string tail = ".part";
    if (fileName.size() < 1 + 1 + kDigits + tail.size()) return false;
    if (fileName.compare(fileName.size() - tail.size(), tail.size(), tail) != 0) return false;
    const size_t dot = fileName.size() - tail.size() - kDigits - 1;
    if (fileName[dot] != '.') return false;
    for (size_t i = dot + 1; i < dot + 1 + kDigits; ++i) {
        const char c = fileName[i];
        if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'))) return false;
    }
    return true;
}

bool StagedFile::open(const std::string& finalPath, const std::string& token) {
    abandon();
    error_.clear();
    finalPath_ = finalPath;
    size_ = 0;
    // "x" creates exclusively, so an unlucky name never truncates someone else's file.
    for (int attempt = 0; attempt < 4 && !file_; ++attempt) {
        std::string name = tempPathFor(finalPath, token.empty() ? newToken() : token);
        errno = 0;
        file_ = std::fopen(name.c_str(), "wbx");
        if (file_) {
            // Edits write in pieces of a few bytes to a few blocks: gathered, they reach the
            // system in few large writes.
            if (!buffer_) buffer_ = std::make_unique<char[]>(kWriteBufferBytes);
            std::setvbuf(file_, buffer_.get(), _IOFBF, kWriteBufferBytes);
            tempPath_ = name;
        } else if (errno != EEXIST || !token.empty()) {
            break;
        }
    }
    if (!file_) {
        int err = errno;
        error_ = "cannot create " + finalPath + ": " + reason(err);
        return false;
    }
    return true;
}

bool StagedFile::writeFailed(const char* what, int err) {
    if (error_.empty()) error_ = std::string(what) + " " + finalPath_ + ": " + reason(err);
    return false;
}

bool StagedFile::write(const void* data, size_t n) {
    if (!file_ || failed()) return writeFailed("cannot write", EBADF);
    if (n == 0) return true;
    errno = 0;
    size_t done = std::fwrite(data, 1, n, file_);
    size_ += done;
    if (done != n) return writeFailed("cannot write", errno ? errno : EIO);
    return true;
}

bool StagedFile::writeAt(uint64_t offset, const void* data, size_t n) {
    if (!file_ || failed()) return writeFailed("cannot write", EBADF);
    errno = 0;
    bool ok = std::fseek(file_, static_cast<long>(offset), SEEK_SET) == 0 &&
              std::fwrite(data, 1, n, file_) == n;
    int err = errno ? errno : EIO;
    if (offset + n > size_) size_ = offset + n;
    ok = std::fseek(file_, static_cast<long>(size_), SEEK_SET) == 0 && ok;
    return ok ? true : writeFailed("cannot write", err);
}

bool StagedFile::close() {
    if (!file_) return !failed() && !tempPath_.empty();
    errno = 0;
    bool flushed = std::fflush(file_) == 0;
    int err = errno ? errno : EIO;
    // On disk before it can get its name: a power cut never leaves a named but empty file.
    if (flushed) {
        int syncErr = syncDescriptor(fileno(file_));
        // A file system that cannot sync has nothing more to do.
        if (syncErr == EINVAL || syncErr == ENOTSUP || syncErr == ENOSYS) syncErr = 0;
        if (syncErr) {
            flushed = false;
            err = syncErr;
        }
    }
    // Some file systems report a failed write only when the file is closed.
    bool closed = std::fclose(file_) == 0;
    if (flushed && !closed) err = errno ? errno : EIO;
    file_ = nullptr;
    if (!flushed || !closed) writeFailed("cannot write", err);
    if (failed()) {
        discardFile(tempPath_);
        tempPath_.clear();
        return false;
    }
    return true;
}

void StagedFile::release() {
    if (file_) close();
    tempPath_.clear();
}

bool StagedFile::publish() {
    if (file_ && !close()) return false;
    if (failed() || tempPath_.empty()) return false;
    std::string problem = publishFile(tempPath_, finalPath_);
    tempPath_.clear();
    if (!problem.empty()) {
        error_ = problem;
        return false;
    }
    syncFolderOf(finalPath_);
    return true;
}

bool StagedFile::commit() {
    return close() && publish();
}

void StagedFile::abandon() {
    if (file_) std::fclose(file_);
    file_ = nullptr;
    if (!tempPath_.empty()) discardFile(tempPath_);
    tempPath_.clear();
}

std::string StagedFile::publishFile(const std::string& tempPath, const std::string& finalPath) {
    std::error_code ec;
    fs::rename(tempPath, finalPath, ec);
    if (!ec) return {};
    discardFile(tempPath);
    return "cannot replace " + finalPath + ": " + ec.message();
}

void StagedFile::discardFile(const std::string& tempPath) {
    std::error_code ec;
    fs::remove(tempPath, ec);
}

}  // namespace pelkit

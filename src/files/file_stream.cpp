#include "files/file_stream.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <system_error>
#include <utility>

namespace pelkit {

namespace fs = std::filesystem;

FileStream::~FileStream() {
    close();
}

FileStream::FileStream(FileStream&& other) noexcept {
    *this = std::move(other);
}

FileStream& FileStream::operator=(FileStream&& other) noexcept {
    if (this != &other) {
        close();
        file_ = std::exchange(other.file_, nullptr);
        pos_ = other.pos_;
        end_ = other.end_;
        error_ = other.error_;
        eof_ = other.eof_;
        fail_ = other.fail_;
        bad_ = other.bad_;
        path_ = std::move(other.path_);
    }
    return *this;
}

bool FileStream::open(const std::string& path, Mode mode) {
    close();
    path_ = path;
    std::error_code ec;
    auto status = fs::status(path, ec);
    bool exists = !ec && fs::exists(status);
    bool openable = exists ? fs::is_regular_file(status)
                           : (mode == Mode::WriteTruncate || mode == Mode::AppendKeep);
    const char* how = "rb";
    switch (mode) {
        case Mode::Read:
            how = "rb";
            break;
        case Mode::WriteTruncate:
            how = "wb";
            break;
        case Mode::WriteKeep:
            how = "r+b";
            break;
        case Mode::AppendKeep:
            how = exists ? "r+b" : "w+b";
            break;
    }
    errno = 0;
    std::FILE* f = openable ? std::fopen(path.c_str(), how) : nullptr;
    if (!f) {
        error_ = !openable ? (exists ? EISDIR : ENOENT) : (errno ? errno : EIO);
        fail_ = true;
        return false;
    }
    error_ = 0;
    std::setvbuf(f, nullptr, _IONBF, 0);
    file_ = f;
    clear();
    pos_ = 0;
    if (mode == Mode::AppendKeep) {
        int64_t end = size();
        pos_ = end < 0 ? 0 : end;
    }
    return true;
}

void FileStream::close() {
    if (file_) std::fclose(file_);
    file_ = nullptr;
    pos_ = 0;
    end_ = -1;
}

size_t FileStream::read(void* buffer, size_t n) {
    if (!file_ || fail()) {
        fail_ = true;
        return 0;
    }
    size_t got = 0;
    size_t want = n;
    if (end_ >= 0) want = pos_ >= end_ ? 0 : std::min<size_t>(n, static_cast<size_t>(end_ - pos_));
    if (std::fseek(file_, static_cast<long>(pos_), SEEK_SET) != 0) {
        bad_ = true;
    } else if (want > 0) {
        errno = 0;
        got = std::fread(buffer, 1, want, file_);
        if (std::ferror(file_)) {
            error_ = errno ? errno : EIO;
            bad_ = true;
            std::clearerr(file_);
        }
    }
    pos_ += static_cast<int64_t>(got);
    if (got < n) {
        eof_ = true;
        fail_ = true;
    }
    return got;
}

bool FileStream::write(const void* data, size_t n) {
    if (!file_ || fail()) {
        bad_ = true;
        return false;
    }
    size_t done = 0;
    errno = 0;
    if (std::fseek(file_, static_cast<long>(pos_), SEEK_SET) == 0) {
        done = std::fwrite(data, 1, n, file_);
        if (done == n && std::fflush(file_) != 0) done = 0;
    }
    if (done != n) {
        error_ = errno ? errno : EIO;
        bad_ = true;
        std::clearerr(file_);
    }
    pos_ += static_cast<int64_t>(done);
    return done == n;
}

bool FileStream::seek(int64_t offset, Origin origin) {
    eof_ = false;
    if (!file_ || fail()) {
        fail_ = true;
        return false;
    }
    int64_t base = 0;
    if (origin == Origin::Current) base = pos_;
    if (origin == Origin::End) base = end_ >= 0 ? end_ : size();
    int64_t target = base + offset;
    if (target < 0) {
        fail_ = true;
        return false;
    }
    pos_ = target;
    return true;
}

int FileStream::handle() const {
    return file_ ? fileno(file_) : -1;
}

bool FileStream::sync() {
    if (!file_) return false;
    if (::fsync(fileno(file_)) == 0) return true;
    error_ = errno;
    return false;
}

int64_t FileStream::tell() const {
    return (!file_ || fail()) ? -1 : pos_;
}

int64_t FileStream::size() const {
    if (!file_ || std::fseek(file_, 0, SEEK_END) != 0) return -1;
    return std::ftell(file_);
}

bool isRegularFile(const std::string& path) {
    std::error_code ec;
    return fs::is_regular_file(path, ec);
}

bool fileExists(const std::string& path) {
    std::error_code ec;
    return fs::exists(path, ec);
}

int64_t fileLength(const std::string& path) {
    std::error_code ec;
    if (!fs::is_regular_file(path, ec)) return -1;
    auto n = fs::file_size(path, ec);
    return ec ? -1 : static_cast<int64_t>(n);
}

}  // namespace pelkit

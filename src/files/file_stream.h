// A raw byte stream on one file, with the state flags of a standard stream: a read that obtains
// fewer bytes than asked sets end-of-file and fail, a seek before byte 0 sets fail, a failed
// write sets bad. The stream is unbuffered: a write that returned has reached the operating
// system, so nothing written is lost if the program is killed afterwards.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

namespace pelkit {

class FileStream {
  public:
    enum class Mode {
        Read,           // existing file, reading only
        WriteTruncate,  // created or emptied, writing only
        WriteKeep,      // existing file, writing only, contents kept, placed at byte 0
        AppendKeep,     // created if missing, contents kept, placed at the end
    };
    enum class Origin { Begin, Current, End };

    FileStream() = default;
    ~FileStream();
    FileStream(const FileStream&) = delete;
    FileStream& operator=(const FileStream&) = delete;
    FileStream(FileStream&& other) noexcept;
    FileStream& operator=(FileStream&& other) noexcept;

    // Opens PATH; on failure the stream is closed and failed. Directories never open.
    bool open(const std::string& path, Mode mode);
    void close();
    bool isOpen() const { return file_ != nullptr; }
    const std::string& path() const { return path_; }

    // Reads up to N bytes; returns the count obtained.
    size_t read(void* buffer, size_t n);
    // Writes N bytes at the current place; sets bad and returns false when not all were written.
    bool write(const void* data, size_t n);
    // Moves the place. Like a standard stream, it first clears end-of-file; it does nothing on a
    // failed stream, and a target before byte 0 sets fail.
    bool seek(int64_t offset, Origin origin = Origin::Begin);
    int64_t tell() const;
    int64_t size() const;

    // Makes reads stop at byte END as if the file ended there, and a seek from the end count
    // from it: a sound followed by other chunks is read as the sound alone. -1 (the default,
    // and after every open) is the file's own end.
    void setEnd(int64_t end) { end_ = end; }

    // The errno of the last open, read or write that failed (0 while none has).
    int errorCode() const { return error_; }
    // The system's descriptor of the open file, -1 when closed.
    int handle() const;
    // Syncs what was written to disk (data and size), not only to the operating system.
    bool sync();

    bool eof() const { return eof_; }
    bool fail() const { return fail_ || bad_; }
    bool bad() const { return bad_; }
    bool good() const { return !eof_ && !fail_ && !bad_; }
    void clear() { eof_ = fail_ = bad_ = false; }

  private:
    std::FILE* file_ = nullptr;
    int64_t pos_ = 0;
    int64_t end_ = -1;
    bool eof_ = false, fail_ = false, bad_ = false;
    int error_ = 0;
    std::string path_;
};

// Helpers for files handled for the length of one operation.
bool isRegularFile(const std::string& path);
bool fileExists(const std::string& path);
int64_t fileLength(const std::string& path);  // -1 when missing or not a regular file

}  // namespace pelkit

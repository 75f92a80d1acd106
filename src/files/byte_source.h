// Bytes to parse, read by offset: a file, or bytes already in memory. The readers of file
// formats take one, so they run the same on a file on disk and on a buffer (tests, fuzzing).
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include "files/file_stream.h"

namespace pelkit {

class ByteSource {
  public:
    virtual ~ByteSource() = default;
    // The number of bytes; -1 when it cannot be told (a file that is not open).
    virtual int64_t size() const = 0;
    // Copies up to N bytes from OFFSET into BUFFER; returns the count copied, fewer than N only
    // at the end or when the bytes cannot be read.
    virtual size_t readAt(int64_t offset, void* buffer, size_t n) = 0;
};

// Bytes in memory; they must outlive the source.
class MemoryBytes final : public ByteSource {
  public:
    explicit MemoryBytes(std::span<const uint8_t> bytes) : bytes_(bytes) {}
    int64_t size() const override { return static_cast<int64_t>(bytes_.size()); }
    size_t readAt(int64_t offset, void* buffer, size_t n) override;

  private:
    std::span<const uint8_t> bytes_;
};

// A stream opened for reading elsewhere, read where it stands; it must outlive the source, and
// is left at an unknown place.
class StreamBytes final : public ByteSource {
  public:
    explicit StreamBytes(FileStream& in) : in_(in) {}
    int64_t size() const override { return in_.size(); }
    size_t readAt(int64_t offset, void* buffer, size_t n) override;

  private:
    FileStream& in_;
};

// A file opened for reading for the life of the source.
class FileBytes final : public ByteSource {
  public:
    // Opens PATH (existing regular files only); see isOpen.
    explicit FileBytes(const std::string& path);
    bool isOpen() const { return in_.isOpen(); }
    int64_t size() const override { return in_.size(); }
    size_t readAt(int64_t offset, void* buffer, size_t n) override;

  private:
    FileStream in_;
};

}  // namespace pelkit

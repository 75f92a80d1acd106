#include "files/byte_source.h"

#include <algorithm>
#include <cstring>

namespace pelkit {

size_t MemoryBytes::readAt(int64_t offset, void* buffer, size_t n) {
    if (offset < 0 || static_cast<uint64_t>(offset) >= bytes_.size()) return 0;
    size_t count = std::min(n, bytes_.size() - static_cast<size_t>(offset));
    std::memcpy(buffer, bytes_.data() + offset, count);
    return count;
}

FileBytes::FileBytes(const std::string& path) {
    in_.open(path, FileStream::Mode::Read);
}

size_t StreamBytes::readAt(int64_t offset, void* buffer, size_t n) {
    // Every read stands alone: a short read before it leaves no failed state behind.
    in_.clear();
    if (!in_.seek(offset)) return 0;
    return in_.read(buffer, n);
}

size_t FileBytes::readAt(int64_t offset, void* buffer, size_t n) {
    return StreamBytes(in_).readAt(offset, buffer, n);
}

}  // namespace pelkit

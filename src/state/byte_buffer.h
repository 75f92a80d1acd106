// A heap block that may be absent: the device blocks and the work buffers are released and
// allocated again when a device opens, and an allocation that fails leaves the buffer absent.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <new>

namespace pelkit {

class ByteBuffer {
  public:
    bool allocate(size_t n) {
        release();
        data_.reset(new (std::nothrow) uint8_t[n == 0 ? 1 : n]);
        size_ = data_ ? n : 0;
        return static_cast<bool>(data_);
    }
    void release() {
        data_.reset();
        size_ = 0;
    }
    uint8_t* data() { return data_.get(); }
    const uint8_t* data() const { return data_.get(); }
    size_t size() const { return size_; }
    explicit operator bool() const { return static_cast<bool>(data_); }

  private:
    std::unique_ptr<uint8_t[]> data_;
    size_t size_ = 0;
};

}  // namespace pelkit

// A fixed ring of values handed from one producer thread to one consumer thread without locks:
// each side only stores its own index and reads the other's, so neither ever waits.
#pragma once

#include <array>
#include <atomic>
#include <cstddef>

namespace pelkit {

template <typename T, size_t N>
class SpscRing {
    static_assert(N > 0 && (N & (N - 1)) == 0, "the capacity is a power of two");

  public:
    // Producer side: false when the ring is full (the value is not stored).
    bool push(const T& value) {
        const size_t tail = tail_.load(std::memory_order_relaxed);
        if (tail - head_.load(std::memory_order_acquire) == N) return false;
        slots_[tail % N] = value;
        tail_.store(tail + 1, std::memory_order_release);
        return true;
    }
    // Consumer side: the oldest value, or null when the ring is empty. It stays valid until pop.
    const T* front() const {
        const size_t head = head_.load(std::memory_order_relaxed);
        if (tail_.load(std::memory_order_acquire) == head) return nullptr;
        return &slots_[head % N];
    }
    // Consumer side: drops the value front returned.
    void pop() {
        head_.store(head_.load(std::memory_order_relaxed) + 1, std::memory_order_release);
    }

  private:
    alignas(64) std::atomic<size_t> head_{0};  // written by the consumer
    alignas(64) std::atomic<size_t> tail_{0};  // written by the producer
    std::array<T, N> slots_{};
};

}  // namespace pelkit

// The sound devices as the core sees them: blocks are queued, complete strictly in queue order,
// and every event comes back as a message posted to the main thread's queue.
#pragma once

#include <cstdint>

#include "platform/wave_format.h"

namespace pelkit {

// One block exchanged with a device.
struct WaveHeader {
    uint8_t* data = nullptr;
    uint32_t bufferLength = 0;
    uint32_t bytesRecorded = 0;  // set by the input device
    uint32_t user = 0;
    uint32_t flags = 0;
    uint32_t loops = 0;
    WaveHeader* next = nullptr;
    uint32_t reserved = 0;
};

inline constexpr uint32_t kHeaderBeginLoop = 4;
inline constexpr uint32_t kHeaderEndLoop = 8;

class SoundOut {
  public:
    virtual ~SoundOut() = default;
    // Opens the default output device; on success the opened message is posted.
    virtual bool open(const WaveFormat& format) = 0;
    virtual bool isOpen() const = 0;
    virtual void prepare(WaveHeader& header) = 0;
    // Queues a prepared block; its done message is posted when it has been played.
    virtual void write(WaveHeader& header) = 0;
    virtual void pause() = 0;
    virtual void restart() = 0;
    // Every queued block comes back at once through its done message, in order.
    virtual void reset() = 0;
    virtual void unprepare(WaveHeader& header) = 0;
    // Fails while blocks are still queued; on success the closed message is posted.
    virtual bool close() = 0;
    // Left volume in the low 16 bits, right in the high 16 bits; kept while closed.
    virtual void setVolume(uint32_t word) = 0;
};

class SoundIn {
  public:
    virtual ~SoundIn() = default;
    // Opens the default input device; on success the opened message is posted.
    virtual bool open(const WaveFormat& format) = 0;
    virtual bool isOpen() const = 0;
    virtual void prepare(WaveHeader& header) = 0;
    // Queues a prepared block to be filled; its data message is posted when filled.
    virtual void add(WaveHeader& header) = 0;
    virtual void start() = 0;
    // Every queued block comes back at once through its data message, in order, carrying the
    // bytes recorded so far (often 0).
    virtual void reset() = 0;
    virtual void unprepare(WaveHeader& header) = 0;
    // Fails while blocks are still queued; on success the closed message is posted.
    virtual bool close() = 0;
    // Number of auxiliary audio devices, only shown to the user.
    virtual int auxDeviceCount() const = 0;
};

}  // namespace pelkit

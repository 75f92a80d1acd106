// The sound devices as the core sees them: blocks are queued, complete strictly in queue order,
// and every event comes back as a message posted to the main thread's queue.
//
// Threads: every method is called on the logic (main window's) thread only; the devices never
// call into the core, their own threads only post messages. Lifetimes: arguments passed by value
// or const reference are copied during the call; a queued WaveHeader, see write and add.
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
    // Logic thread. Opens the default output device; on success the opened message is
    // posted. FORMAT is copied.
    virtual bool open(const WaveFormat& format) = 0;
    // Logic thread.
    virtual bool isOpen() const = 0;
    // Logic thread. Keeps nothing.
    virtual void prepare(WaveHeader& header) = 0;
    // Logic thread. Queues a prepared block; its done message is posted when it has been
    // played. The device reads HEADER and its buffer (on its own thread) until then: both must
    // live, unchanged, until that done message comes back to the core.
    virtual void write(WaveHeader& header) = 0;
    // Logic thread.
    virtual void pause() = 0;
    // Logic thread.
    virtual void restart() = 0;
    // Logic thread. Every queued block comes back at once through its done message, in order
    // (posted, not delivered within this call).
    virtual void reset() = 0;
    // Logic thread. Takes nothing back: a block still queued comes back through its done
    // message all the same, and lives until then.
    virtual void unprepare(WaveHeader& header) = 0;
    // Logic thread. Fails while blocks are still queued; on success the closed message is
    // posted, after the done message of every block written before.
    virtual bool close() = 0;
    // Logic thread. Left volume in the low 16 bits, right in the high 16 bits; kept while
    // closed.
    virtual void setVolume(uint32_t word) = 0;
    // Logic thread, before open. The player will keep four blocks of BLOCKSECONDS each in flight
    // and wants each heard soon after it is queued: a device that buffers sound of its own keeps
    // that buffer within the blocks' reach. 0 (the start): the device's own safe latency. Taken
    // at the next open.
    virtual void setLatencyHint(double blockSeconds) { (void)blockSeconds; }
};

class SoundIn {
  public:
    virtual ~SoundIn() = default;
    // Logic thread. Opens the default input device; on success the opened message is posted.
    // FORMAT is copied.
    virtual bool open(const WaveFormat& format) = 0;
    // Logic thread.
    virtual bool isOpen() const = 0;
    // Logic thread. Keeps nothing.
    virtual void prepare(WaveHeader& header) = 0;
    // Logic thread. Queues a prepared block to be filled; its data message is posted when
    // filled. The device writes HEADER's buffer and bytesRecorded (on its own thread) until
    // then: both must live, untouched by the core, until that data message comes back to it.
    virtual void add(WaveHeader& header) = 0;
    // Logic thread.
    virtual void start() = 0;
    // Logic thread. Every queued block comes back at once through its data message, in order,
    // carrying the bytes recorded so far (often 0); posted, not delivered within this call.
    virtual void reset() = 0;
    // Logic thread. Takes nothing back: a block still queued comes back through its data
    // message all the same, and lives until then.
    virtual void unprepare(WaveHeader& header) = 0;
    // Logic thread. Fails while blocks are still queued; on success the closed message is
    // posted, after the data message of every block added before.
    virtual bool close() = 0;
    // Logic thread. Number of auxiliary audio devices, only shown to the user.
    virtual int auxDeviceCount() const = 0;
};

}  // namespace pelkit

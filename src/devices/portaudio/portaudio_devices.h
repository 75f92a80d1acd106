// The real sound devices, on PortAudio's default output and input. Blocks are played or filled
// strictly in queue order by the audio callback, which only moves bytes and pointers: it never
// locks, waits or wakes anyone. It takes blocks from a lock-free queue the main thread fills and
// hands finished ones to a messenger thread through a lock-free ring; the messenger, polling,
// posts the device's messages to the main thread in order. An output block's done message is
// posted once its last sample has been heard.
#pragma once

#include <portaudio.h>

#include <array>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>

#include "devices/portaudio/portaudio_system.h"
#include "devices/portaudio/spsc_ring.h"
#include "platform/message_queue.h"
#include "platform/sound_device.h"

namespace pelkit {

// What both devices share: the queue of blocks, the rings of messages and their messenger.
// Every message the device owes (opened, closed, one per queued block) holds one of kSlots
// places from the moment the main thread asks for it until the messenger has posted it, so no
// ring is ever full when a block or message is put in. A main-thread call that finds every place
// taken is an overflow: it is counted, the device reports an error and returns its queued
// blocks at once, and the call waits for the messenger to make room. No message is ever dropped.
class PortAudioDevice {
  public:
    struct Figures {
        uint64_t callbacks = 0;
        uint64_t underruns = 0;
        uint64_t overflows = 0;      // main-thread calls that found no free place
        double callbackSeconds = 0;  // time spent inside the callback
        double streamLatency = 0;    // PortAudio's latency of the stream opened last, seconds
    };
    Figures figures() const;
    // Why the last open failed, in PortAudio's words where it gave the reason; empty after a
    // successful open.
    const std::string& lastError() const { return lastError_; }
    static constexpr size_t kSlots = 64;

  protected:
    // One opened stream: what its callback needs, handed to PortAudio as the callback's data.
    // A closed stream keeps running (playing silence) until the messenger closes it, possibly
    // beside the next one, so its callback checks that the stream is still the device's own.
    struct Stream {
        PortAudioDevice* device = nullptr;
        PaStream* stream = nullptr;
        uint32_t frameBytes = 4;
        double rate = 44100;
        int sampleKind = 16;  // 8, 16, 24, 32 bit integer, or -32 for float
        int channels = 2;
        std::atomic<bool> live{true};         // cleared by close
        std::atomic<bool> inCallback{false};  // the callback is using the queue
        std::atomic<uint64_t> progress{0};    // the block being played or filled (low 32 bits
                                              // of its number) << 32 | its bytes already done
    };
    struct Queued {
        WaveHeader* header = nullptr;
        uint64_t ticket = 0;
    };
    struct Outgoing {
        MessageKind kind = MessageKind::Custom;
        WaveHeader* header = nullptr;
        uint64_t ticket = 0;        // messages are posted in ticket order
        double dueTime = 0;         // stream time at which it may be posted (0: at once)
        Stream* timedBy = nullptr;  // the stream the due time is counted on
        Stream* closes = nullptr;   // closed (and freed) by the messenger before posting
    };

    PortAudioDevice(PortAudioSystem& system, MessageQueue& queue, MessageKind blockKind,
                    MessageKind errorKind);
    ~PortAudioDevice();

    // Called on the audio thread for STREAM; returns a PaStreamCallbackResult.
    virtual int process(Stream& stream, const void* input, void* output, unsigned long frames,
                        const PaStreamCallbackTimeInfo* time, PaStreamCallbackFlags flags) = 0;
    // Sets what a block handed back before it was finished holds (BYTES of it done).
    virtual void handBack(WaveHeader& header, uint32_t bytes) = 0;

    // Main-thread side. Queues a block for the callback; a failed device hands it straight back.
    void queueBlock(WaveHeader& header);
    // Hands every queued block back at once, in order, and lets the messenger post every message
    // owed so far without waiting for its due time.
    void returnQueued();
    bool hasQueued() const;
    // Opens and starts the default device's stream for FORMAT, posting OPENED on success; on
    // failure lastError() says why.
    bool openStream(const WaveFormat& format, bool output, MessageKind opened);
    // The latency asked of PortAudio at the next open: 0, the device's safe (high) latency.
    double latencyWanted_ = 0;
    double streamLatency_ = 0;
    // Detaches the open stream from the queue and has the messenger close it, then post CLOSED,
    // once DUE (stream time; 0: at once) has passed.
    bool closeStream(MessageKind closed, bool waitUntilHeard);
    // Ends the messenger and closes every stream; called by the derived destructors, while the
    // callbacks can still reach them.
    void shutdown();

    // Audio-thread side. A pass over the queue: begin returns false when STREAM is no longer
    // the device's open one (the queue is then left alone), and otherwise the number of the
    // head block, the number of blocks queued and the bytes of the head block already done.
    struct Pass {
        uint64_t head = 0, available = 0;
        uint32_t offset = 0;
        bool moved = false;  // bytes were moved: the stream's progress is recorded
    };
    bool beginPass(Stream& stream, Pass& pass);
    // The head block is done: it leaves the queue, and its message (due at DUETIME) goes to the
    // messenger. False when the main thread handed it back meanwhile; the pass then stops.
    bool finishHead(Stream& stream, Pass& pass, double dueTime);
    void endPass(Stream& stream, const Pass& pass, int64_t startNs, bool underflow);

    std::atomic<bool> open_{false};
    std::atomic<int64_t> lastCallbackNs_{0};
    std::array<Queued, kSlots> blocks_{};
    std::atomic<uint64_t> written_{0};  // blocks ever queued (main thread)
    std::atomic<uint64_t> head_{0};     // blocks ever finished or handed back

  private:
    static int onAudio(const void* input, void* output, unsigned long frames,
                       const PaStreamCallbackTimeInfo* time, PaStreamCallbackFlags flags,
                       void* stream);
    // Waits until one more message can be owed (see above).
    void makeRoom();
    void push(const Outgoing& out);
    void wakeMessenger();
    void sleepMessenger(std::chrono::duration<double> most);
    void startMessenger();
    void messengerLoop();
    // The ring holding the next message in ticket order, or null when neither holds it yet.
    SpscRing<Outgoing, kSlots>* nextRing();
    void closeNow(Stream* stream);

    PortAudioSystem& system_;
    MessageQueue& queue_;
    MessageKind blockKind_, errorKind_;
    std::string lastError_;
    Stream* current_ = nullptr;            // the open stream (main thread)
    std::atomic<uint64_t> tickets_{0};     // messages ever owed (main thread)
    std::atomic<uint64_t> posted_{0};      // of them, posted (messenger)
    std::atomic<uint64_t> flushBelow_{0};  // tickets below it are posted at once
    SpscRing<Outgoing, kSlots> finished_;  // audio callback -> messenger
    SpscRing<Outgoing, kSlots> control_;   // main thread -> messenger
    std::atomic<bool> failed_{false};
    std::thread messenger_;
    std::mutex wakeMutex_;  // the main thread waking the messenger; never the callback
    std::condition_variable wake_;
    bool wakePending_ = false, quit_ = false;
    std::atomic<uint64_t> callbacks_{0}, underruns_{0}, overflows_{0}, callbackNs_{0};
};

class PortAudioOut final : public SoundOut, private PortAudioDevice {
  public:
    PortAudioOut(PortAudioSystem& system, MessageQueue& queue);
    ~PortAudioOut() override;

    bool open(const WaveFormat& format) override;
    bool isOpen() const override { return open_; }
    void prepare(WaveHeader&) override {}
    void write(WaveHeader& header) override;
    void pause() override { paused_ = true; }
    void restart() override { paused_ = false; }
    void reset() override { returnQueued(); }
    void unprepare(WaveHeader&) override {}
    bool close() override;
    void setVolume(uint32_t word) override { volume_ = word; }
    void setLatencyHint(double blockSeconds) override;

    using PortAudioDevice::figures;
    using PortAudioDevice::lastError;

  private:
    int process(Stream& stream, const void* input, void* output, unsigned long frames,
                const PaStreamCallbackTimeInfo* time, PaStreamCallbackFlags flags) override;
    void handBack(WaveHeader&, uint32_t) override {}

    std::atomic<bool> paused_{false};
    std::atomic<uint32_t> volume_{0xFFFFFFFFu};
};

class PortAudioIn final : public SoundIn, private PortAudioDevice {
  public:
    PortAudioIn(PortAudioSystem& system, MessageQueue& queue);
    ~PortAudioIn() override;

    bool open(const WaveFormat& format) override;
    bool isOpen() const override { return open_; }
    void prepare(WaveHeader&) override {}
    void add(WaveHeader& header) override;
    void start() override { started_ = true; }
    void reset() override;
    void unprepare(WaveHeader&) override {}
    bool close() override;
    int auxDeviceCount() const override { return 0; }

    using PortAudioDevice::figures;
    using PortAudioDevice::lastError;

  private:
    int process(Stream& stream, const void* input, void* output, unsigned long frames,
                const PaStreamCallbackTimeInfo* time, PaStreamCallbackFlags flags) override;
    void handBack(WaveHeader& header, uint32_t bytes) override { header.bytesRecorded = bytes; }

    std::atomic<bool> started_{false};
};

}  // namespace pelkit

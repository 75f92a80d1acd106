// The real sound devices, on PortAudio's default output and input. Blocks are played or filled
// strictly in queue order by the audio callback, which only moves bytes and pointers; a
// messenger thread per device posts the device's messages to the main thread in order. An
// output block's done message is posted once its last sample has been heard.
#pragma once

#include <array>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include "platform/message_queue.h"
#include "platform/sound_device.h"

namespace pelkit {

class StderrFilter;

// PortAudio itself, initialised once for both devices and again when it found no device.
class PortAudioSystem {
  public:
    PortAudioSystem();
    ~PortAudioSystem();
    PortAudioSystem(const PortAudioSystem&) = delete;
    PortAudioSystem& operator=(const PortAudioSystem&) = delete;

    // Starts PortAudio on a thread of its own: building its device list takes a few hundred
    // milliseconds, which the first open would otherwise spend on the window's thread.
    void startInBackground();
    // Makes sure a device list with a default device of the kind exists; true if it does.
    bool ready(bool output);
    // At the program's end: whether startInBackground's thread is still starting PortAudio (a
    // sound server slow to answer, or not answering at all). Nothing can stop it, and the
    // program has nothing left to close on it, so the caller ends the process at once instead
    // of waiting; standard error is handed back first, with what the filter still held.
    bool stillStartingAtEnd();
    void streamOpened() { ++openStreams_; }
    void streamClosed() { --openStreams_; }

    std::mutex& lock() { return mutex_; }

  private:
    bool initialised_ = false;
    std::atomic<bool> starting_{false};  // startInBackground's thread runs Pa_Initialize
    std::atomic<int> openStreams_{0};
    std::mutex mutex_;  // serialises PortAudio calls made from different threads
    std::unique_ptr<StderrFilter> filter_;
    std::thread starter_;  // startInBackground's
};

// What both devices share: the queue of blocks, the outbox of messages and its messenger.
// Every message the device owes (opened, closed, one per queued block) holds one of kSlots
// places from the moment the main thread asks for it until the messenger has posted it; the
// callback only moves a block's place from the queue to the outbox, so it never finds the
// outbox full and never waits for room. A main-thread call that finds every place taken is an
// overflow: it is counted, the device reports an error and returns its queued blocks at once,
// and the call waits for the messenger to make room. No message is ever dropped.
class PortAudioDevice {
  public:
    struct Figures {
        uint64_t callbacks = 0;
        uint64_t underruns = 0;
        uint64_t overflows = 0;      // main-thread calls that found no free place
        double callbackSeconds = 0;  // time spent inside the callback
    };
    Figures figures() const;
    static constexpr size_t kSlots = 64;

  protected:
    struct Outgoing {
        MessageKind kind = MessageKind::Custom;
        WaveHeader* header = nullptr;
        double dueTime = 0;  // stream time at which it may be posted (0: at once)
        bool closesStream = false;
        void* stream = nullptr;  // the stream the due time is counted on (PaStream*)
    };

    PortAudioDevice(PortAudioSystem& system, MessageQueue& queue);
    ~PortAudioDevice();

    // Waits until one more message can be owed (see above); LOCK holds mutex_.
    void makeRoom(std::unique_lock<std::mutex>& lock);
    // Hands every queued block back through the outbox, in order; caller holds mutex_.
    virtual void returnQueued() = 0;
    // Queue of blocks (the callback takes them in order); callers hold mutex_ and made room.
    void enqueue(WaveHeader* header);
    void pushOut(const Outgoing& out);
    void startMessenger();
    void stopMessenger();
    void messengerLoop();
    // Opens and starts the default device's stream for FORMAT with CALLBACK (a
    // PaStreamCallback) receiving OWNER, posting OPENED on success.
    bool openStream(const WaveFormat& format, bool output, void* callback, void* owner,
                    MessageKind opened);
    // Stops and closes STREAM (a PaStream*), if any.
    void closeStream(void* stream);
    double streamTime(void* stream);

    PortAudioSystem& system_;
    MessageQueue& queue_;
    std::mutex mutex_;  // held only for a few pointer moves, by the callback as well
    std::condition_variable wake_;
    std::array<WaveHeader*, kSlots> blocks_{};
    size_t blockHead_ = 0, blockCount_ = 0;
    uint32_t offset_ = 0;  // bytes of the head block already played or filled
    std::array<Outgoing, kSlots> outbox_{};
    size_t outHead_ = 0, outCount_ = 0;
    std::thread messenger_;
    bool quit_ = false;
    void* stream_ = nullptr;  // PaStream*
    bool open_ = false;
    uint32_t frameBytes_ = 4;
    double rate_ = 44100;
    std::atomic<bool> failed_{false};
    MessageKind errorKind_ = MessageKind::OutError;
    std::atomic<int64_t> lastCallbackNs_{0};
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
    void reset() override;
    void unprepare(WaveHeader&) override {}
    bool close() override;
    void setVolume(uint32_t word) override { volume_ = word; }

    using PortAudioDevice::figures;
    // Called on the audio thread.
    int callback(void* output, unsigned long frames, double dacTime, bool underflow);

  private:
    void returnQueued() override;

    std::atomic<bool> paused_{false};
    std::atomic<uint32_t> volume_{0xFFFFFFFFu};
    int sampleKind_ = 16;  // 8, 16, 24, 32 bit integer, or -32 for float
    int channels_ = 2;
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
    // Called on the audio thread.
    int callback(const void* input, unsigned long frames);

  private:
    void returnQueued() override;

    std::atomic<bool> started_{false};
};

}  // namespace pelkit

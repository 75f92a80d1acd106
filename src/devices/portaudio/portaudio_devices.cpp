#include "devices/portaudio/portaudio_devices.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "devices/portaudio/stderr_filter.h"
#include "files/wav_format.h"

namespace pelkit {

namespace {

using SteadyClock = std::chrono::steady_clock;

// How often the messenger looks for blocks the callback finished while a stream is open, and how
// long it sleeps at most otherwise (the main thread wakes it when it owes a message).
constexpr std::chrono::milliseconds kPollPeriod{2};
constexpr std::chrono::milliseconds kIdlePeriod{100};
// The output latency asked for short blocks, in blocks (see setLatencyHint).
constexpr double kLatencyBlocks = 1.5;
// A stream whose callback has not come for this long while blocks wait has failed.
constexpr int64_t kStallNs = 2'000'000'000LL;

int64_t nowNs() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               SteadyClock::now().time_since_epoch())
        .count();
}

uint64_t packProgress(uint64_t block, uint32_t offset) {
    return (block & 0xFFFFFFFFu) << 32 | offset;
}

// The bytes of block BLOCK already done, by the callback's last record.
uint32_t progressOf(uint64_t progress, uint64_t block) {
    return (progress >> 32) == (block & 0xFFFFFFFFu) ? static_cast<uint32_t>(progress) : 0;
}

// The PortAudio sample format of a device format, or 0 when it has none.
PaSampleFormat sampleFormatOf(const WaveFormat& f) {
    if (!isDeviceEncoding(f)) return 0;
    if (f.formatTag == kTagFloat) return paFloat32;
    switch (f.bitsPerSample) {
        case 8:
            return paUInt8;
        case 16:
            return paInt16;
        case 24:
            return paInt24;
        case 32:
            return paInt32;
        default:
            return 0;
    }
}

// Scales the samples of BYTES frames by the left and right gains of the volume word.
void applyVolume(uint8_t* data, size_t bytes, int kind, int channels, uint32_t word) {
    if (word == 0xFFFFFFFFu) return;
    double gains[2] = {(word & 0xFFFFu) / 65535.0, (word >> 16) / 65535.0};
    int width = kind < 0 ? 4 : kind / 8;
    size_t samples = bytes / static_cast<size_t>(width);
    for (size_t i = 0; i < samples; ++i) {
        double g = gains[channels >= 2 ? (i % static_cast<size_t>(channels)) % 2 : 0];
        uint8_t* p = data + i * static_cast<size_t>(width);
        switch (kind) {
            case 8:
                p[0] = static_cast<uint8_t>(std::lround((p[0] - 128) * g) + 128);
                break;
            case 16: {
                int16_t v;
                std::memcpy(&v, p, 2);
                v = static_cast<int16_t>(v * g);
                std::memcpy(p, &v, 2);
                break;
            }
            case 24: {
                int32_t v = static_cast<int32_t>(static_cast<uint32_t>(p[0]) << 8 |
                                                 static_cast<uint32_t>(p[1]) << 16 |
                                                 static_cast<uint32_t>(p[2]) << 24) >>
                            8;
                v = static_cast<int32_t>(v * g);
                p[0] = static_cast<uint8_t>(v);
                p[1] = static_cast<uint8_t>(v >> 8);
                p[2] = static_cast<uint8_t>(v >> 16);
                break;
            }
            case 32: {
                int32_t v;
                std::memcpy(&v, p, 4);
                v = static_cast<int32_t>(v * g);
                std::memcpy(p, &v, 4);
                break;
            }
            default: {
                float v;
                std::memcpy(&v, p, 4);
                v = static_cast<float>(v * g);
                std::memcpy(p, &v, 4);
                break;
            }
        }
    }
}

}  // namespace

// ----- PortAudioDevice: the main thread's side -----

PortAudioDevice::PortAudioDevice(PortAudioSystem& system, MessageQueue& queue,
                                 MessageKind blockKind, MessageKind errorKind)
    : system_(system), queue_(queue), blockKind_(blockKind), errorKind_(errorKind) {}

PortAudioDevice::~PortAudioDevice() {
    shutdown();
}

PortAudioDevice::Figures PortAudioDevice::figures() const {
    Figures f;
    f.callbacks = callbacks_.load();
    f.underruns = underruns_.load();
    f.overflows = overflows_.load();
    f.callbackSeconds = static_cast<double>(callbackNs_.load()) / 1e9;
    f.streamLatency = streamLatency_;
    return f;
}

void PortAudioDevice::makeRoom() {
    if (tickets_ - posted_.load(std::memory_order_acquire) < kSlots) return;
    // Far more blocks than any player keeps in flight: an error, but nothing is lost. The
    // failed device hands everything back at once, which the messenger posts without waiting.
    ++overflows_;
    failed_ = true;
    returnQueued();
    while (tickets_ - posted_.load(std::memory_order_acquire) >= kSlots && messenger_.joinable()) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
}

bool PortAudioDevice::hasQueued() const {
    return head_.load() != written_.load(std::memory_order_relaxed);
}

void PortAudioDevice::queueBlock(WaveHeader& header) {
    makeRoom();
    const uint64_t at = written_.load(std::memory_order_relaxed);
    blocks_[at % kSlots] = {&header, tickets_.fetch_add(1, std::memory_order_relaxed)};
    written_.store(at + 1, std::memory_order_release);
    if (failed_) returnQueued();
}

void PortAudioDevice::push(const Outgoing& out) {
    // Room was made for every owed message, so the ring has room too.
    control_.push(out);
}

void PortAudioDevice::returnQueued() {
    const uint64_t end = written_.load(std::memory_order_relaxed);
    // From here on the callback finds nothing to take; it may still be inside a pass that began
    // before, using the head block, and is let finish it (a few microseconds).
    const uint64_t first = head_.exchange(end);
    uint32_t partial = 0;
    if (current_) {
        while (current_->inCallback.load())
            std::this_thread::yield();
        partial = progressOf(current_->progress.load(), first);
    }
    for (uint64_t n = first; n < end; ++n) {
        const Queued& q = blocks_[n % kSlots];
        handBack(*q.header, n == first ? partial : 0);
        push({blockKind_, q.header, q.ticket, 0, nullptr, nullptr});
    }
    flushBelow_.store(tickets_);
    wakeMessenger();
}

bool PortAudioDevice::openStream(const WaveFormat& format, bool output, MessageKind opened) {
    lastError_.clear();
    if (open_) {
        lastError_ = "the device is already open";
        return false;
    }
    PaSampleFormat sample = sampleFormatOf(format);
    if (sample == 0 || format.channels == 0 || format.samplesPerSecond == 0) {
        lastError_ = "the format has no PortAudio sample format";
        return false;
    }
    startMessenger();
    // Room for the opened message is made before PortAudio's lock is taken: the messenger may
    // need that lock to close an earlier stream.
    makeRoom();
    std::lock_guard pa(system_.lock());
    if (!system_.ready(output, lastError_)) return false;
    QuietStderr quiet;
    PaStreamParameters p{};
    p.device = output ? Pa_GetDefaultOutputDevice() : Pa_GetDefaultInputDevice();
    const PaDeviceInfo* info = Pa_GetDeviceInfo(p.device);
    p.channelCount = format.channels;
    p.sampleFormat = sample;
    double latency =
        info ? (output ? info->defaultHighOutputLatency : info->defaultHighInputLatency) : 0.1;
    p.suggestedLatency = latencyWanted_ > 0 ? latencyWanted_ : std::max(latency, 0.1);
    const PaStreamParameters* in = output ? nullptr : &p;
    const PaStreamParameters* out = output ? &p : nullptr;
    PaError error = Pa_IsFormatSupported(in, out, format.samplesPerSecond);
    if (error != paFormatIsSupported) {
        lastError_ = Pa_GetErrorText(error);
        return false;
    }
    auto stream = std::make_unique<Stream>();
    stream->device = this;
    stream->frameBytes = static_cast<uint32_t>(format.channels * ((format.bitsPerSample + 7) / 8));
    stream->rate = format.samplesPerSecond;
    stream->sampleKind = format.formatTag == kTagFloat ? -32 : format.bitsPerSample;
    stream->channels = format.channels;
    stream->progress = packProgress(head_.load(), 0);
    error = Pa_OpenStream(&stream->stream, in, out, format.samplesPerSecond,
                          paFramesPerBufferUnspecified, paNoFlag, &PortAudioDevice::onAudio,
                          stream.get());
    if (error != paNoError) {
        lastError_ = Pa_GetErrorText(error);
        return false;
    }
    failed_ = false;
    lastCallbackNs_ = nowNs();
    if (const PaStreamInfo* opened = Pa_GetStreamInfo(stream->stream))
        streamLatency_ = output ? opened->outputLatency : opened->inputLatency;
    current_ = stream.release();
    open_ = true;
    push({opened, nullptr, tickets_.fetch_add(1, std::memory_order_relaxed), 0, nullptr, nullptr});
    system_.streamOpened();
    if (Pa_StartStream(current_->stream) != paNoError) failed_ = true;
    wakeMessenger();
    return true;
}

bool PortAudioDevice::closeStream(MessageKind closed, bool waitUntilHeard) {
    if (!open_ || hasQueued()) return false;
    makeRoom();
    open_ = false;
    Stream* stream = current_;
    current_ = nullptr;
    // The callback leaves the queue alone from here on (or from the end of its pass).
    stream->live = false;
    while (stream->inCallback.load())
        std::this_thread::yield();
    // An output stream is closed once everything played before has been heard, so the end of
    // the sound is not cut; its callback plays silence meanwhile. The messenger posts in order,
    // so the earlier blocks' due times pass first.
    double due = waitUntilHeard && !failed_ ? Pa_GetStreamTime(stream->stream) + 0.05 : 0;
    push({closed, nullptr, tickets_.fetch_add(1, std::memory_order_relaxed), due, stream, stream});
    wakeMessenger();
    return true;
}

void PortAudioDevice::shutdown() {
    {
        std::lock_guard lock(wakeMutex_);
        quit_ = true;
    }
    wake_.notify_all();
    if (messenger_.joinable()) messenger_.join();
    // Streams whose close was still owed, then the open one.
    while (const Outgoing* o = control_.front()) {
        if (o->closes) closeNow(o->closes);
        control_.pop();
    }
    if (current_) {
        closeNow(current_);
        current_ = nullptr;
        open_ = false;
    }
}

// ----- PortAudioDevice: the messenger -----

void PortAudioDevice::wakeMessenger() {
    {
        std::lock_guard lock(wakeMutex_);
        wakePending_ = true;
    }
    wake_.notify_all();
}

void PortAudioDevice::sleepMessenger(std::chrono::duration<double> most) {
    std::unique_lock lock(wakeMutex_);
    wake_.wait_for(lock, most, [this] { return wakePending_ || quit_; });
    wakePending_ = false;
}

void PortAudioDevice::startMessenger() {
    if (messenger_.joinable()) return;
    quit_ = false;
    messenger_ = std::thread([this] { messengerLoop(); });
}

SpscRing<PortAudioDevice::Outgoing, PortAudioDevice::kSlots>* PortAudioDevice::nextRing() {
    // Each ring holds its messages in ticket order; together they hold every owed one.
    const uint64_t next = posted_.load(std::memory_order_relaxed);
    for (auto* ring : {&finished_, &control_}) {
        if (const Outgoing* o = ring->front(); o && o->ticket == next) return ring;
    }
    return nullptr;
}

void PortAudioDevice::messengerLoop() {
    bool reported = false;
    for (;;) {
        {
            std::lock_guard lock(wakeMutex_);
            if (quit_) return;
        }
        // A stream whose callback stopped coming while blocks wait has failed (the server went
        // away): the core is told once, and from then on everything is returned at once.
        if (open_ && hasQueued() && !failed_ && nowNs() - lastCallbackNs_.load() > kStallNs)
            failed_ = true;
        if (failed_ && open_ && !reported) {
            reported = true;
            queue_.post({errorKind_, nullptr, 0});
        }
        auto* ring = nextRing();
        if (!ring) {
            // The main thread wakes the messenger for what it owes; what the callback finished
            // is found by looking again soon, as long as anything is owed or a stream is open.
            const bool owed = posted_.load(std::memory_order_relaxed) != tickets_.load();
            sleepMessenger(open_ || owed ? kPollPeriod : kIdlePeriod);
            continue;
        }
        const Outgoing* next = ring->front();
        if (next->dueTime > 0 && !failed_ && next->ticket >= flushBelow_.load()) {
            double remaining = next->dueTime - Pa_GetStreamTime(next->timedBy->stream);
            if (remaining > 0) {
                sleepMessenger(std::chrono::duration<double>(std::min(remaining, 0.02)));
                continue;
            }
        }
        const Outgoing out = *next;
        ring->pop();
        if (out.closes) closeNow(out.closes);
        queue_.post({out.kind, out.header, 0});
        posted_.store(out.ticket + 1, std::memory_order_release);
        if (out.closes) reported = false;
    }
}

void PortAudioDevice::closeNow(Stream* stream) {
    {
        std::lock_guard pa(system_.lock());
        QuietStderr quiet;
        Pa_AbortStream(stream->stream);
        Pa_CloseStream(stream->stream);
    }
    system_.streamClosed();
    delete stream;
}

// ----- PortAudioDevice: the audio callback's side -----

int PortAudioDevice::onAudio(const void* input, void* output, unsigned long frames,
                             const PaStreamCallbackTimeInfo* time, PaStreamCallbackFlags flags,
                             void* stream) {
    Stream& s = *static_cast<Stream*>(stream);
    return s.device->process(s, input, output, frames, time, flags);
}

bool PortAudioDevice::beginPass(Stream& stream, Pass& pass) {
    // Marked before the head is read: a main-thread call that moved the head either is seen
    // here or waits for the end of this pass before it touches the blocks.
    stream.inCallback.store(true);
    if (!stream.live.load()) return false;
    lastCallbackNs_ = nowNs();
    pass.head = head_.load();
    pass.available = written_.load(std::memory_order_acquire);
    pass.offset = progressOf(stream.progress.load(std::memory_order_relaxed), pass.head);
    pass.moved = false;
    return true;
}

bool PortAudioDevice::finishHead(Stream& stream, Pass& pass, double dueTime) {
    const Queued q = blocks_[pass.head % kSlots];
    uint64_t expected = pass.head;
    if (!head_.compare_exchange_strong(expected, pass.head + 1)) return false;
    finished_.push({blockKind_, q.header, q.ticket, dueTime, &stream, nullptr});
    ++pass.head;
    pass.offset = 0;
    pass.moved = true;
    return true;
}

void PortAudioDevice::endPass(Stream& stream, const Pass& pass, int64_t startNs, bool underflow) {
    // Recorded only when bytes moved: a pass that found the queue emptied by the main thread
    // leaves the bytes done of the block handed back for the main thread to read.
    if (pass.moved)
        stream.progress.store(packProgress(pass.head, pass.offset), std::memory_order_relaxed);
    stream.inCallback.store(false);
    ++callbacks_;
    if (underflow) ++underruns_;
    callbackNs_ += static_cast<uint64_t>(nowNs() - startNs);
}

// ----- PortAudioOut -----

PortAudioOut::PortAudioOut(PortAudioSystem& system, MessageQueue& queue)
    : PortAudioDevice(system, queue, MessageKind::OutDone, MessageKind::OutError) {}

PortAudioOut::~PortAudioOut() {
    shutdown();
}

void PortAudioOut::setLatencyHint(double blockSeconds) {
    // The four blocks in flight are done once heard, so the callback must find the next block
    // queued while three are still ahead of the listener: the stream's own buffering stays
    // within LATENCYBLOCKS of them, the rest is room for the main thread's refill.
    latencyWanted_ = blockSeconds * kLatencyBlocks;
}

bool PortAudioOut::open(const WaveFormat& format) {
    if (!openStream(format, true, MessageKind::OutOpen)) return false;
    paused_ = false;
    return true;
}

void PortAudioOut::write(WaveHeader& header) {
    if (open_) queueBlock(header);
}

bool PortAudioOut::close() {
    return closeStream(MessageKind::OutClose, true);
}

int PortAudioOut::process(Stream& stream, const void*, void* output, unsigned long frames,
                          const PaStreamCallbackTimeInfo* time, PaStreamCallbackFlags flags) {
    const int64_t start = nowNs();
    double dac = time ? time->outputBufferDacTime : 0;
    if (dac <= 0 && time) dac = time->currentTime;
    auto* out = static_cast<uint8_t*>(output);
    const size_t total = static_cast<size_t>(frames) * stream.frameBytes;
    size_t done = 0;
    Pass pass;
    if (beginPass(stream, pass)) {
        while (!paused_ && pass.head < pass.available && done < total) {
            const WaveHeader* h = blocks_[pass.head % kSlots].header;
            size_t n = std::min<size_t>(h->bufferLength - pass.offset, total - done);
            if (n > 0 && h->data) std::memcpy(out + done, h->data + pass.offset, n);
            done += n;
            pass.offset += static_cast<uint32_t>(n);
            pass.moved = true;
            if (pass.offset >= h->bufferLength) {
                double heard = dac + static_cast<double>(done / stream.frameBytes) / stream.rate;
                if (!finishHead(stream, pass, heard)) break;
            }
        }
    }
    endPass(stream, pass, start, (flags & paOutputUnderflow) != 0);
    std::memset(out + done, stream.sampleKind == 8 ? 0x80 : 0, total - done);
    applyVolume(out, done, stream.sampleKind, stream.channels, volume_.load());
    return paContinue;
}

// ----- PortAudioIn -----

PortAudioIn::PortAudioIn(PortAudioSystem& system, MessageQueue& queue)
    : PortAudioDevice(system, queue, MessageKind::InData, MessageKind::InError) {}

PortAudioIn::~PortAudioIn() {
    shutdown();
}

bool PortAudioIn::open(const WaveFormat& format) {
    started_ = false;
    return openStream(format, false, MessageKind::InOpen);
}

void PortAudioIn::add(WaveHeader& header) {
    if (!open_) return;
    header.bytesRecorded = 0;
    queueBlock(header);
}

void PortAudioIn::reset() {
    started_ = false;
    // The block being filled comes back with the bytes recorded so far, the others empty.
    returnQueued();
}

bool PortAudioIn::close() {
    return closeStream(MessageKind::InClose, false);
}

int PortAudioIn::process(Stream& stream, const void* input, void*, unsigned long frames,
                         const PaStreamCallbackTimeInfo*, PaStreamCallbackFlags) {
    const int64_t start = nowNs();
    const auto* in = static_cast<const uint8_t*>(input);
    const size_t total = static_cast<size_t>(frames) * stream.frameBytes;
    size_t used = 0;
    Pass pass;
    if (beginPass(stream, pass)) {
        while (started_ && in && pass.head < pass.available && used < total) {
            WaveHeader* h = blocks_[pass.head % kSlots].header;
            size_t n = std::min<size_t>(h->bufferLength - pass.offset, total - used);
            if (n > 0 && h->data) std::memcpy(h->data + pass.offset, in + used, n);
            used += n;
            pass.offset += static_cast<uint32_t>(n);
            pass.moved = true;
            if (pass.offset >= h->bufferLength) {
                h->bytesRecorded = h->bufferLength;
                if (!finishHead(stream, pass, 0)) break;
            }
        }
    }
    endPass(stream, pass, start, false);
    return paContinue;
}

}  // namespace pelkit

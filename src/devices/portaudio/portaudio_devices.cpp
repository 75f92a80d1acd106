#include "devices/portaudio/portaudio_devices.h"

#include <alsa/asoundlib.h>
#include <fcntl.h>
#include <poll.h>
#include <portaudio.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>

#include "files/wav_format.h"

namespace pelkit {

namespace {

using SteadyClock = std::chrono::steady_clock;

int64_t nowNs() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               SteadyClock::now().time_since_epoch())
        .count();
}

// ALSA and PortAudio report their device probing on standard error; the user's terminal is
// kept clean by sending it elsewhere while they run.
class QuietStderr {
  public:
    QuietStderr() {
        saved_ = ::dup(2);
        int null = ::open("/dev/null", O_WRONLY | O_CLOEXEC);
        if (saved_ >= 0 && null >= 0) ::dup2(null, 2);
        if (null >= 0) ::close(null);
    }
    ~QuietStderr() {
        if (saved_ >= 0) {
            ::dup2(saved_, 2);
            ::close(saved_);
        }
    }
    QuietStderr(const QuietStderr&) = delete;
    QuietStderr& operator=(const QuietStderr&) = delete;

  private:
    int saved_ = -1;
};

void silentAlsaErrors(const char*, int, const char*, int, const char*, ...) {}

// Lines PortAudio's ALSA layer prints from its own threads when a stream fails.
bool isDeviceNoise(const std::string& line) {
    return line.rfind("Expression '", 0) == 0 || line.rfind("ALSA lib ", 0) == 0 ||
           line.find("pa_linux_alsa.c") != std::string::npos || line.rfind("PaAlsa", 0) == 0 ||
           // PortAudio's JACK layer looking for a JACK server as it starts.
           line.rfind("Cannot connect to server", 0) == 0 ||
           line.rfind("jack server is not running", 0) == 0 ||
           line.rfind("JackShmReadWritePtr", 0) == 0;
}

}  // namespace

// Standard error passes through a pipe whose reader drops the device layer's noise and
// hands everything else on unchanged.
class StderrFilter {
  public:
    StderrFilter() {
        int fds[2];
        original_ = ::dup(2);
        if (original_ < 0 || ::pipe2(fds, O_CLOEXEC) != 0) return;
        ::dup2(fds[1], 2);
        ::close(fds[1]);
        read_ = fds[0];
        reader_ = std::thread([this] { loop(); });
    }
    ~StderrFilter() {
        if (original_ < 0) return;
        ::dup2(original_, 2);  // closes the pipe's write end held at 2
        stop_ = true;
        if (reader_.joinable()) reader_.join();
        if (read_ >= 0) ::close(read_);
        ::close(original_);
    }
    StderrFilter(const StderrFilter&) = delete;
    StderrFilter& operator=(const StderrFilter&) = delete;

  private:
    void loop() {
        std::string pending;
        char buffer[4096];
        for (;;) {
            pollfd p{read_, POLLIN, 0};
            int ready = ::poll(&p, 1, 50);
            if (ready > 0) {
                ssize_t n = ::read(read_, buffer, sizeof buffer);
                if (n <= 0) break;
                pending.append(buffer, static_cast<size_t>(n));
                size_t nl;
                while ((nl = pending.find('\n')) != std::string::npos) {
                    std::string line = pending.substr(0, nl + 1);
                    pending.erase(0, nl + 1);
                    if (!isDeviceNoise(line)) pass(line);
                }
            } else if (stop_) {
                break;
            }
        }
        if (!pending.empty() && !isDeviceNoise(pending)) pass(pending);
    }
    void pass(const std::string& text) {
        size_t done = 0;
        while (done < text.size()) {
            ssize_t w = ::write(original_, text.data() + done, text.size() - done);
            if (w <= 0) return;
            done += static_cast<size_t>(w);
        }
    }
    int original_ = -1;
    int read_ = -1;
    std::atomic<bool> stop_{false};
    std::thread reader_;
};

namespace {

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

int outputCallback(const void*, void* output, unsigned long frames,
                   const PaStreamCallbackTimeInfo* time, PaStreamCallbackFlags flags, void* self) {
    double dac = time ? time->outputBufferDacTime : 0;
    if (dac <= 0 && time) dac = time->currentTime;
    return static_cast<PortAudioOut*>(self)->callback(output, frames, dac,
                                                      (flags & paOutputUnderflow) != 0);
}

int inputCallback(const void* input, void*, unsigned long frames, const PaStreamCallbackTimeInfo*,
                  PaStreamCallbackFlags, void* self) {
    return static_cast<PortAudioIn*>(self)->callback(input, frames);
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

// ----- PortAudioSystem -----

PortAudioSystem::PortAudioSystem() {
    snd_lib_error_set_handler(silentAlsaErrors);
    // PortAudio reaches the sound server through ALSA's pulse plugin, whose client library
    // takes the application's properties from the environment when a device opens: the
    // desktop's volume control then shows the streams under the program's name and icon. The
    // plugin names the client itself, so the name has to override that. Values the user set
    // are kept.
    const char* name = std::getenv("PULSE_PROP_application.name");
    ::setenv("PULSE_PROP_OVERRIDE_application.name", name ? name : "pelkit_recorder", 0);
    ::setenv("PULSE_PROP_application.icon_name", "pelkit_recorder", 0);
}

PortAudioSystem::~PortAudioSystem() {
    if (starter_.joinable()) starter_.join();
    if (initialised_) {
        QuietStderr quiet;
        Pa_Terminate();
    }
    filter_.reset();
}

void PortAudioSystem::startInBackground() {
    if (starter_.joinable()) return;
    // The filter keeps PortAudio's start-up noise off the terminal without silencing standard
    // error for the window's thread meanwhile.
    if (!filter_) filter_ = std::make_unique<StderrFilter>();
    starting_ = true;
    starter_ = std::thread([this] {
        std::lock_guard pa(mutex_);
        if (!initialised_) initialised_ = Pa_Initialize() == paNoError;
        starting_ = false;
    });
}

bool PortAudioSystem::stillStartingAtEnd() {
    if (!starting_) return false;
    filter_.reset();
    return true;
}

bool PortAudioSystem::ready(bool output) {
    auto hasDevice = [&] {
        return (output ? Pa_GetDefaultOutputDevice() : Pa_GetDefaultInputDevice()) != paNoDevice;
    };
    if (!filter_) filter_ = std::make_unique<StderrFilter>();
    QuietStderr quiet;
    if (!initialised_) {
        if (Pa_Initialize() != paNoError) return false;
        initialised_ = true;
    }
    // The device list is taken when PortAudio starts: a sound server started later is found by
    // starting it again, as long as no stream is open.
    if (!hasDevice() && openStreams_ == 0) {
        Pa_Terminate();
        initialised_ = Pa_Initialize() == paNoError;
    }
    return initialised_ && hasDevice();
}

// ----- PortAudioDevice -----

PortAudioDevice::PortAudioDevice(PortAudioSystem& system, MessageQueue& queue)
    : system_(system), queue_(queue) {}

PortAudioDevice::~PortAudioDevice() {
    stopMessenger();
}

PortAudioDevice::Figures PortAudioDevice::figures() const {
    Figures f;
    f.callbacks = callbacks_.load();
    f.underruns = underruns_.load();
    f.overflows = overflows_.load();
    f.callbackSeconds = static_cast<double>(callbackNs_.load()) / 1e9;
    return f;
}

void PortAudioDevice::makeRoom(std::unique_lock<std::mutex>& lock) {
    if (outCount_ + blockCount_ < kSlots) return;
    // Far more blocks than any player keeps in flight: an error, but nothing is lost. The
    // failed device hands everything back at once, which the messenger posts without waiting.
    ++overflows_;
    failed_ = true;
    returnQueued();
    wake_.notify_all();
    wake_.wait(lock, [this] { return outCount_ + blockCount_ < kSlots || quit_; });
}

void PortAudioDevice::enqueue(WaveHeader* header) {
    blocks_[(blockHead_ + blockCount_) % kSlots] = header;
    ++blockCount_;
}

void PortAudioDevice::pushOut(const Outgoing& out) {
    outbox_[(outHead_ + outCount_) % kSlots] = out;
    ++outCount_;
}

void PortAudioDevice::startMessenger() {
    if (messenger_.joinable()) return;
    quit_ = false;
    messenger_ = std::thread([this] { messengerLoop(); });
}

void PortAudioDevice::stopMessenger() {
    {
        std::lock_guard lock(mutex_);
        quit_ = true;
    }
    wake_.notify_all();
    if (messenger_.joinable()) messenger_.join();
}

double PortAudioDevice::streamTime(void* stream) {
    return stream ? Pa_GetStreamTime(static_cast<PaStream*>(stream)) : 0;
}

void PortAudioDevice::messengerLoop() {
    std::unique_lock lock(mutex_);
    bool reported = false;
    while (!quit_) {
        // A stream whose callback stopped coming while blocks wait has failed (the server went
        // away): the core is told once, and from then on everything is returned at once.
        bool waiting = open_ && blockCount_ > 0;
        if (waiting && !failed_ && nowNs() - lastCallbackNs_.load() > 2'000'000'000LL) {
            failed_ = true;
        }
        if (failed_ && open_ && !reported) {
            reported = true;
            lock.unlock();
            queue_.post({errorKind_, nullptr, 0});
            lock.lock();
        }
        if (outCount_ == 0) {
            wake_.wait_for(lock, std::chrono::milliseconds(100));
            continue;
        }
        Outgoing next = outbox_[outHead_];
        if (next.dueTime > 0 && !failed_) {
            double remaining = next.dueTime - streamTime(next.stream);
            if (remaining > 0) {
                auto wait = std::chrono::duration<double>(std::min(remaining, 0.02));
                wake_.wait_for(lock, wait);
                continue;
            }
        }
        outHead_ = (outHead_ + 1) % kSlots;
        --outCount_;
        // Posted without the lock, so the callback never waits for the main thread's queue.
        lock.unlock();
        if (next.closesStream) closeStream(next.stream);
        queue_.post({next.kind, next.header, 0});
        wake_.notify_all();  // a main-thread call may be waiting for room
        lock.lock();
        if (next.closesStream) reported = false;
    }
}

bool PortAudioDevice::openStream(const WaveFormat& format, bool output, void* callback, void* owner,
                                 MessageKind opened) {
    if (open_) return false;
    PaSampleFormat sample = sampleFormatOf(format);
    if (sample == 0 || format.channels == 0 || format.samplesPerSecond == 0) return false;
    startMessenger();
    {
        // Room for the opened message is made before PortAudio's lock is taken: the messenger
        // may need that lock to close an earlier stream. Only this thread takes room.
        std::unique_lock lock(mutex_);
        makeRoom(lock);
    }
    std::lock_guard pa(system_.lock());
    if (!system_.ready(output)) return false;
    QuietStderr quiet;
    PaStreamParameters p{};
    p.device = output ? Pa_GetDefaultOutputDevice() : Pa_GetDefaultInputDevice();
    const PaDeviceInfo* info = Pa_GetDeviceInfo(p.device);
    p.channelCount = format.channels;
    p.sampleFormat = sample;
    double latency =
        info ? (output ? info->defaultHighOutputLatency : info->defaultHighInputLatency) : 0.1;
    p.suggestedLatency = std::max(latency, 0.1);
    const PaStreamParameters* in = output ? nullptr : &p;
    const PaStreamParameters* out = output ? &p : nullptr;
    if (Pa_IsFormatSupported(in, out, format.samplesPerSecond) != paFormatIsSupported) return false;
    PaStream* stream = nullptr;
    if (Pa_OpenStream(&stream, in, out, format.samplesPerSecond, paFramesPerBufferUnspecified,
                      paNoFlag, reinterpret_cast<PaStreamCallback*>(callback),
                      owner) != paNoError) {
        return false;
    }
    frameBytes_ = static_cast<uint32_t>(format.channels * ((format.bitsPerSample + 7) / 8));
    rate_ = format.samplesPerSecond;
    failed_ = false;
    lastCallbackNs_ = nowNs();
    {
        std::lock_guard lock(mutex_);
        blockHead_ = blockCount_ = 0;
        offset_ = 0;
        stream_ = stream;
        open_ = true;
        pushOut({opened, nullptr, 0, false, nullptr});
    }
    system_.streamOpened();
    if (Pa_StartStream(stream) != paNoError) failed_ = true;
    wake_.notify_all();
    return true;
}

void PortAudioDevice::closeStream(void* stream) {
    if (!stream) return;
    {
        std::lock_guard pa(system_.lock());
        QuietStderr quiet;
        Pa_AbortStream(static_cast<PaStream*>(stream));
        Pa_CloseStream(static_cast<PaStream*>(stream));
    }
    system_.streamClosed();
}

// ----- PortAudioOut -----

PortAudioOut::PortAudioOut(PortAudioSystem& system, MessageQueue& queue)
    : PortAudioDevice(system, queue) {
    errorKind_ = MessageKind::OutError;
}

PortAudioOut::~PortAudioOut() {
    stopMessenger();
    closeStream(stream_);
}

bool PortAudioOut::open(const WaveFormat& format) {
    if (!openStream(format, true, reinterpret_cast<void*>(outputCallback), this,
                    MessageKind::OutOpen))
        return false;
    sampleKind_ = format.formatTag == 3 ? -32 : format.bitsPerSample;
    channels_ = format.channels;
    paused_ = false;
    return true;
}

void PortAudioOut::write(WaveHeader& header) {
    std::unique_lock lock(mutex_);
    if (!open_) return;
    makeRoom(lock);
    if (failed_) {
        pushOut({MessageKind::OutDone, &header, 0, false, nullptr});
    } else {
        enqueue(&header);
    }
    wake_.notify_all();
}

void PortAudioOut::returnQueued() {
    // Blocks still waiting to be heard come back at once, in order, and so do queued ones.
    for (size_t i = 0; i < outCount_; ++i)
        outbox_[(outHead_ + i) % kSlots].dueTime = 0;
    while (blockCount_ > 0) {
        pushOut({MessageKind::OutDone, blocks_[blockHead_], 0, false, nullptr});
        blockHead_ = (blockHead_ + 1) % kSlots;
        --blockCount_;
    }
    offset_ = 0;
}

void PortAudioOut::reset() {
    std::lock_guard lock(mutex_);
    returnQueued();
    wake_.notify_all();
}

bool PortAudioOut::close() {
    std::unique_lock lock(mutex_);
    if (!open_ || blockCount_ > 0) return false;
    makeRoom(lock);
    open_ = false;
    // The stream is closed once everything played before has been heard, so the end of the
    // sound is not cut; the callback plays silence meanwhile.
    double due = failed_ ? 0 : streamTime(stream_) + 0.05;
    if (outCount_ > 0) due = std::max(due, outbox_[(outHead_ + outCount_ - 1) % kSlots].dueTime);
    pushOut({MessageKind::OutClose, nullptr, due, true, stream_});
    stream_ = nullptr;
    wake_.notify_all();
    return true;
}

int PortAudioOut::callback(void* output, unsigned long frames, double dacTime, bool underflow) {
    int64_t start = nowNs();
    lastCallbackNs_ = start;
    auto* out = static_cast<uint8_t*>(output);
    size_t total = static_cast<size_t>(frames) * frameBytes_;
    size_t done = 0;
    bool posted = false;
    {
        std::lock_guard lock(mutex_);
        while (!paused_ && blockCount_ > 0 && done < total) {
            WaveHeader* h = blocks_[blockHead_];
            size_t n = std::min<size_t>(h->bufferLength - offset_, total - done);
            if (n > 0 && h->data) std::memcpy(out + done, h->data + offset_, n);
            done += n;
            offset_ += static_cast<uint32_t>(n);
            if (offset_ >= h->bufferLength) {
                double heard = dacTime + static_cast<double>(done / frameBytes_) / rate_;
                pushOut({MessageKind::OutDone, h, heard, false, stream_});
                blockHead_ = (blockHead_ + 1) % kSlots;
                --blockCount_;
                offset_ = 0;
                posted = true;
            }
        }
    }
    std::memset(out + done, sampleKind_ == 8 ? 0x80 : 0, total - done);
    applyVolume(out, done, sampleKind_, channels_, volume_.load());
    if (posted) wake_.notify_all();
    ++callbacks_;
    if (underflow) ++underruns_;
    callbackNs_ += static_cast<uint64_t>(nowNs() - start);
    return paContinue;
}

// ----- PortAudioIn -----

PortAudioIn::PortAudioIn(PortAudioSystem& system, MessageQueue& queue)
    : PortAudioDevice(system, queue) {
    errorKind_ = MessageKind::InError;
}

PortAudioIn::~PortAudioIn() {
    stopMessenger();
    closeStream(stream_);
}

bool PortAudioIn::open(const WaveFormat& format) {
    started_ = false;
    return openStream(format, false, reinterpret_cast<void*>(inputCallback), this,
                      MessageKind::InOpen);
}

void PortAudioIn::add(WaveHeader& header) {
    std::unique_lock lock(mutex_);
    if (!open_) return;
    makeRoom(lock);
    header.bytesRecorded = 0;
    if (failed_) {
        pushOut({MessageKind::InData, &header, 0, false, nullptr});
    } else {
        enqueue(&header);
    }
    wake_.notify_all();
}

void PortAudioIn::reset() {
    std::lock_guard lock(mutex_);
    started_ = false;
    returnQueued();
    wake_.notify_all();
}

void PortAudioIn::returnQueued() {
    // The block being filled comes back with the bytes recorded so far, the others empty.
    bool first = true;
    while (blockCount_ > 0) {
        WaveHeader* h = blocks_[blockHead_];
        h->bytesRecorded = first ? offset_ : 0;
        first = false;
        pushOut({MessageKind::InData, h, 0, false, nullptr});
        blockHead_ = (blockHead_ + 1) % kSlots;
        --blockCount_;
    }
    offset_ = 0;
}

bool PortAudioIn::close() {
    std::unique_lock lock(mutex_);
    if (!open_ || blockCount_ > 0) return false;
    makeRoom(lock);
    open_ = false;
    pushOut({MessageKind::InClose, nullptr, 0, true, stream_});
    stream_ = nullptr;
    wake_.notify_all();
    return true;
}

int PortAudioIn::callback(const void* input, unsigned long frames) {
    int64_t start = nowNs();
    lastCallbackNs_ = start;
    const auto* in = static_cast<const uint8_t*>(input);
    size_t total = static_cast<size_t>(frames) * frameBytes_;
    size_t used = 0;
    bool posted = false;
    {
        std::lock_guard lock(mutex_);
        while (started_ && in && blockCount_ > 0 && used < total) {
            WaveHeader* h = blocks_[blockHead_];
            size_t n = std::min<size_t>(h->bufferLength - offset_, total - used);
            if (n > 0 && h->data) std::memcpy(h->data + offset_, in + used, n);
            used += n;
            offset_ += static_cast<uint32_t>(n);
            if (offset_ >= h->bufferLength) {
                h->bytesRecorded = h->bufferLength;
                pushOut({MessageKind::InData, h, 0, false, nullptr});
                blockHead_ = (blockHead_ + 1) % kSlots;
                --blockCount_;
                offset_ = 0;
                posted = true;
            }
        }
    }
    if (posted) wake_.notify_all();
    ++callbacks_;
    callbackNs_ += static_cast<uint64_t>(nowNs() - start);
    return paContinue;
}

}  // namespace pelkit

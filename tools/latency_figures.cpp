// pelkit_audio_figures --latency [SECONDS] [SLOTS]: how soon a sub sound started by hand is heard
// in live play, through the real output device and the whole program (the headless front end on
// PortAudio, as `--headless --real-audio` runs it).
//
// A quiet 220 Hz main sound plays in live play. Slot 1 holds a loud burst; the tool starts it
// (`command sub-play-index 0`, as the "all" window does) at least ten times at moments it notes on
// the steady clock, while a PortAudio input stream of its own records the sound server's monitor
// (the default source of scripts/sound-server.sh). Each recorded buffer's arrival is noted on the
// same clock, so a sample's time is bounded by its buffer's arrival (the capture path's own
// buffering is counted as delay). The delay of each start is from the command to the first
// recorded sample of the burst. Then, with SLOTS - 1 quiet sub sounds playing as well and another
// thread keeping a core busy, the play goes on for SECONDS: the device's underruns, the gaps heard
// in the recording (runs of silent samples inside the continuous main sound) and the delays of the
// starts made meanwhile are reported.
#include "latency_figures.h"

#include <portaudio.h>
#include <stdlib.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <deque>
#include <filesystem>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "app/program.h"
#include "devices/portaudio/portaudio_devices.h"
#include "devices/system/system_clock.h"
#include "devices/virtual/virtual_clock.h"
#include "files/file_stream.h"
#include "files/wav_format.h"
#include "hosts/headless/headless_host.h"

namespace {

using namespace pelkit;
using Clock = std::chrono::steady_clock;

constexpr int kRate = 44100;
constexpr int kBurstAmplitude = 16000;
constexpr int kThreshold = 4000;  // the burst's onset; the main sound and the others stay far below
constexpr int kQuietStarts = 12;  // starts over the quiet main sound alone

double seconds(Clock::time_point t) {
    return std::chrono::duration<double>(t.time_since_epoch()).count();
}

// Writes FRAMES stereo frames of 16-bit sound made by SAMPLE(i) to PATH.
template <typename Sample>
void writeSound(const std::string& path, size_t frames, Sample sample) {
    std::vector<int16_t> data(2 * frames);
    for (size_t i = 0; i < frames; ++i)
        data[2 * i] = data[2 * i + 1] = sample(i);
    FileStream out;
    out.open(path, FileStream::Mode::WriteTruncate);
    const auto bytes = static_cast<uint32_t>(data.size() * 2);
    WriteWavHeader(out, makeWaveFormat(1, 2, kRate, 16), bytes);
    out.write(reinterpret_cast<const uint8_t*>(data.data()), bytes);
}

// The monitor recorded by a PortAudio input stream of the tool's own: the left channel, and for
// each buffer the steady-clock time of its arrival and the frames recorded up to its end.
class MonitorRecording {
  public:
    explicit MonitorRecording(size_t maxFrames) : samples_(maxFrames), arrivals_(maxFrames / 16) {}
    ~MonitorRecording() { stop(); }

    bool start(PortAudioSystem& system, std::string& why) {
        system_ = &system;
        std::lock_guard pa(system.lock());
        if (!system.ready(false, why)) return false;
        PaStreamParameters p{};
        p.device = Pa_GetDefaultInputDevice();
        p.channelCount = 2;
        p.sampleFormat = paInt16;
        p.suggestedLatency = 0.005;
        PaError e = Pa_OpenStream(&stream_, &p, nullptr, kRate, 64, paNoFlag, &onAudio, this);
        if (e == paNoError) e = Pa_StartStream(stream_);
        if (e != paNoError) why = Pa_GetErrorText(e);
        return e == paNoError;
    }
    void stop() {
        if (!stream_) return;
        std::lock_guard pa(system_->lock());
        Pa_StopStream(stream_);
        Pa_CloseStream(stream_);
        stream_ = nullptr;
    }
    struct Arrival {
        double time;    // steady clock, seconds
        double frames;  // frames recorded up to the end of the buffer
    };
    size_t frames() const { return frames_.load(); }
    // The buffers' arrivals, in order.
    std::vector<Arrival> arrivals() const {
        return {arrivals_.begin(), arrivals_.begin() + static_cast<long>(arrivalCount_.load())};
    }
    // Buffers PortAudio said had lost input before them.
    size_t overflows() const { return overflows_.load(); }
    const std::vector<int16_t>& samples() const { return samples_; }

  private:
    static int onAudio(const void* input, void*, unsigned long frames,
                       const PaStreamCallbackTimeInfo*, PaStreamCallbackFlags flags, void* self) {
        auto& r = *static_cast<MonitorRecording*>(self);
        const double now = seconds(Clock::now());
        if (flags & paInputOverflow) r.overflows_.fetch_add(1, std::memory_order_relaxed);
        const auto* in = static_cast<const int16_t*>(input);
        size_t at = r.frames_.load(std::memory_order_relaxed);
        for (unsigned long i = 0; i < frames && at < r.samples_.size(); ++i, ++at)
            r.samples_[at] = in ? in[2 * i] : 0;
        r.frames_.store(at, std::memory_order_release);
        const size_t n = r.arrivalCount_.load(std::memory_order_relaxed);
        if (n < r.arrivals_.size()) {
            r.arrivals_[n] = {now, static_cast<double>(at)};
            r.arrivalCount_.store(n + 1, std::memory_order_release);
        }
        return paContinue;
    }

    PortAudioSystem* system_ = nullptr;
    PaStream* stream_ = nullptr;
    std::vector<int16_t> samples_;
    std::vector<Arrival> arrivals_;
    std::atomic<size_t> frames_{0}, arrivalCount_{0}, overflows_{0};
};

// The script the tool plays to the program: set-up lines first, then, until the run ends, the
// starts at their moments and "play-blocks 0" whenever a device message waits (it is handled at
// once); between them the tool sleeps a quarter of a millisecond.
class Performer {
  public:
    Performer(MessageQueue& queue, int slots, int loadSeconds)
        : queue_(queue), slots_(slots), loadSeconds_(loadSeconds) {}

    std::deque<std::string> lines;           // to send before anything else
    std::vector<double> starts;              // steady-clock times of the burst's starts
    std::vector<bool> loaded;                // each start made while the load ran
    std::atomic<bool> busy{false};           // the other core is to be kept busy
    Clock::time_point loadBegan, loadEnded;  // the load phase

    bool next(std::string& line) {
        for (;;) {
            const auto now = Clock::now();
            if (!lines.empty()) {
                line = lines.front();
                lines.pop_front();
                return true;
            }
            if (ended_) {
                if (now < stopAt_) {
                    std::this_thread::sleep_for(std::chrono::microseconds(250));
                    if (!queue_.empty()) {
                        line = "play-blocks 0";
                        return true;
                    }
                    continue;
                }
                if (!stopped_) {
                    stopped_ = true;
                    line = "command play-stop";
                    return true;
                }
                return false;
            }
            if (!began_) {
                began_ = true;
                nextStart_ = now + std::chrono::milliseconds(1500);
            }
            if (now >= nextStart_) {
                plan(now);
                line = "command sub-play-index 0";
                return true;
            }
            if (!queue_.empty()) {
                line = "play-blocks 0";
                return true;
            }
            std::this_thread::sleep_for(std::chrono::microseconds(250));
        }
    }

  private:
    // Notes a start made NOW and plans the next, and what comes with it.
    void plan(Clock::time_point now) {
        const bool underLoad = busy.load();
        starts.push_back(seconds(now));
        loaded.push_back(underLoad);
        // Moments that fall anywhere within a block: 437 ms apart plus a varying part.
        const auto gap = std::chrono::milliseconds(437 + 97 * (starts.size() % 7));
        nextStart_ = now + gap;
        if (!underLoad && static_cast<int>(starts.size()) == kQuietStarts) {
            if (slots_ <= 1 || loadSeconds_ <= 0) {
                finish();
                return;
            }
            busy = true;
            loadBegan = now;
            nextStart_ = now + std::chrono::milliseconds(2000);
        }
        if (underLoad) {
            if (now - loadBegan >= std::chrono::seconds(loadSeconds_)) finish();
        } else if (busy) {
            // The quiet slots start together and last beyond the load.
            for (int k = 1; k < slots_; ++k)
                lines.push_back("command sub-play-index " + std::to_string(k));
        }
    }
    // The last start is heard out before the play stops.
    void finish() {
        loadEnded = Clock::now();
        busy = false;
        stopAt_ = loadEnded + std::chrono::milliseconds(600);
        ended_ = true;
    }

    MessageQueue& queue_;
    int slots_, loadSeconds_;
    bool began_ = false, ended_ = false, stopped_ = false;
    Clock::time_point nextStart_, stopAt_;
};

double median(std::vector<double> v) {
    if (v.empty()) return 0;
    std::sort(v.begin(), v.end());
    const size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

// The delay of each start to the burst's first recorded sample (negative: not heard within a
// second). A sample is taken to have been at the sink when the buffer holding it arrived, less
// the frames after it in that buffer: an upper bound, which also counts the capture path.
std::vector<double> delays(const MonitorRecording& rec, const std::vector<double>& starts) {
    const auto& arrivals = rec.arrivals();
    const auto& s = rec.samples();
    std::vector<double> out;
    for (double t : starts) {
        double found = -1;
        // The buffers that arrived after the start are the first that can hold the burst.
        size_t j = 0;
        while (j < arrivals.size() && arrivals[j].time <= t)
            ++j;
        size_t frame = j > 0 ? static_cast<size_t>(arrivals[j - 1].frames) : 0;
        for (; j < arrivals.size() && arrivals[j].time < t + 1.0 && found < 0; ++j) {
            const auto end = static_cast<size_t>(arrivals[j].frames);
            for (; frame < end; ++frame) {
                if (std::abs(s[frame]) > kThreshold) {
                    found = arrivals[j].time - static_cast<double>(end - frame) / kRate - t;
                    break;
                }
            }
        }
        out.push_back(found);
    }
    return out;
}

// The frames recorded by the steady-clock time T.
size_t frameAt(const std::vector<MonitorRecording::Arrival>& arrivals, double t) {
    size_t frames = 0;
    for (const auto& a : arrivals) {
        if (a.time > t) break;
        frames = static_cast<size_t>(a.frames);
    }
    return frames;
}

// Runs of at least 32 silent samples (|x| <= 1) recorded between FROM and TO (steady clock):
// the continuous main sound never has them, a starved device does.
int gapsHeard(const MonitorRecording& rec, double from, double to) {
    const auto arrivals = rec.arrivals();
    const auto& s = rec.samples();
    int gaps = 0, run = 0;
    for (size_t i = frameAt(arrivals, from), last = frameAt(arrivals, to); i < last; ++i) {
        run = std::abs(s[i]) <= 1 ? run + 1 : 0;
        if (run == 32) ++gaps;
    }
    return gaps;
}

void printDelays(const char* what, const std::vector<double>& all, const std::vector<bool>& loaded,
                 bool underLoad) {
    std::vector<double> found;
    int missed = 0;
    std::string each;
    for (size_t i = 0; i < all.size(); ++i) {
        if (loaded[i] != underLoad) continue;
        if (all[i] < 0) {
            ++missed;
            each += " -";
            continue;
        }
        found.push_back(all[i] * 1000);
        char ms[16];
        std::snprintf(ms, sizeof ms, " %.0f", all[i] * 1000);
        each += ms;
    }
    if (found.empty() && missed == 0) return;
    std::sort(found.begin(), found.end());
    std::printf("%s\n", what);
    std::printf("trigger-to-heard: %.0f ms (median of %zu starts", median(found), found.size());
    if (missed) std::printf(", %d not heard", missed);
    std::printf(")\n");
    if (!found.empty()) {
        std::printf("spread: %.0f to %.0f ms, middle half %.0f to %.0f ms; each (ms):%s\n",
                    found.front(), found.back(), found[found.size() / 4],
                    found[(3 * found.size()) / 4], each.c_str());
    }
}

}  // namespace

int latencyFigures(int argc, char** argv) {
    const int loadSeconds = argc > 1 ? std::atoi(argv[1]) : 60;
    const int slots = argc > 2 ? std::clamp(std::atoi(argv[2]), 1, 200) : 200;
    char name[] = "/tmp/pelkit-latency-XXXXXX";
    if (!mkdtemp(name)) return 1;
    const std::string dir = name;
    const std::filesystem::path before = std::filesystem::current_path();
    std::filesystem::current_path(dir);  // the program's settings file goes there

    const size_t mainFrames = static_cast<size_t>(loadSeconds + 30) * kRate;
    writeSound("main.wav", mainFrames, [](size_t i) {
        return static_cast<int16_t>(std::lround(300 * std::sin(2 * M_PI * 220.0 * i / kRate)));
    });
    writeSound("burst.wav", kRate / 20, [](size_t i) {
        return static_cast<int16_t>((i / 20) % 2 ? kBurstAmplitude : -kBurstAmplitude);
    });
    uint32_t x = 1;
    // Quiet enough that all of them together, started at once, stay far below the threshold.
    writeSound("quiet.wav", static_cast<size_t>(loadSeconds + 10) * kRate, [&x](size_t) {
        x = x * 1664525u + 1013904223u;
        return static_cast<int16_t>(static_cast<int>(x >> 28) - 8);
    });

    PortAudioSystem system;
    MessageQueue queue;
    PortAudioOut out(system, queue);
    PortAudioIn in(system, queue);
    MonitorRecording recording(static_cast<size_t>(loadSeconds + 60) * kRate);
    std::string why;
    if (!recording.start(system, why)) {
        std::fprintf(stderr, "audio_figures: the monitor cannot be recorded: %s\n", why.c_str());
        return 1;
    }

    Performer performer(queue, slots, loadSeconds);
    performer.lines = {"command live", "choose " + dir + "/burst.wav", "command sub-open-index 0"};
    for (int k = 1; k < slots; ++k) {
        performer.lines.push_back("choose " + dir + "/quiet.wav");
        performer.lines.push_back("command sub-open-index " + std::to_string(k));
    }
    performer.lines.push_back("print 1026");
    performer.lines.push_back("command play");

    std::atomic<bool> quit{false};
    std::thread load([&performer, &quit] {
        volatile uint64_t n = 0;
        while (!quit) {
            if (performer.busy) {
                n = n + 1;
            } else {
                std::this_thread::sleep_for(std::chrono::milliseconds(5));
            }
        }
    });

    std::istringstream noScript;
    std::ostringstream shown, problems;
    VirtualClock virtualClock;
    SystemClock systemClock;
    PortAudioDevice::Figures atLoad;
    {
        HeadlessHost host(noScript, shown, problems, queue, virtualClock, out, in, nullptr,
                          nullptr);
        Platform platform{host, out, in, systemClock, queue};
        Program program(platform, "/proc/self/exe", "main.wav");
        host.setCore(HeadlessCore{&program.mainWindow(), &program});
        bool marked = false;
        host.setLineReader([&](std::string& line) {
            if (!marked && performer.busy) {
                marked = true;
                atLoad = out.figures();
            }
            return performer.next(line);
        });
        host.runModal("MAIN_RECORD", program.mainWindow());
    }
    performer.busy = false;
    quit = true;
    load.join();
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    recording.stop();
    const PortAudioDevice::Figures end = out.figures();
    std::filesystem::current_path(before);
    std::error_code ec;
    std::filesystem::remove_all(dir, ec);

    std::printf("%s", shown.str().c_str());
    if (!problems.str().empty()) std::printf("program said: %s", problems.str().c_str());
    std::printf("output latency PortAudio reports: %.1f ms\n", end.streamLatency * 1000);
    const std::vector<double> all = delays(recording, performer.starts);
    if (recording.overflows() > 0)
        std::printf("recording: %zu buffers lost input before them\n", recording.overflows());
    printDelays("quiet main sound alone:", all, performer.loaded, false);
    if (performer.loadBegan.time_since_epoch().count() != 0) {
        const double span =
            std::chrono::duration<double>(performer.loadEnded - performer.loadBegan).count();
        char what[160];
        std::snprintf(what, sizeof what,
                      "with %d sub sounds playing and the other core busy, %.0f s:", slots, span);
        printDelays(what, all, performer.loaded, true);
        std::printf(
            "underruns the device reported: %llu; gaps heard in the recording: %d\n",
            static_cast<unsigned long long>(end.underruns - atLoad.underruns),
            gapsHeard(recording, seconds(performer.loadBegan) + 0.5, seconds(performer.loadEnded)));
    }
    if (!performer.starts.empty()) {
        const double from = performer.starts.front() - 0.5;
        const double to = performer.loadBegan.time_since_epoch().count() != 0
                              ? seconds(performer.loadBegan)
                              : performer.starts.back() + 0.5;
        std::printf(
            "before the load: underruns the device reported: %llu; gaps heard: %d\n",
            static_cast<unsigned long long>(atLoad.callbacks ? atLoad.underruns : end.underruns),
            gapsHeard(recording, from, to));
    }
    return 0;
}

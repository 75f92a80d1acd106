// Measures the real output device: the time from open to the first block done at the default
// block size, the underruns over a play of SECONDS while another thread keeps a core busy, and
// the share of time spent in the audio callback. Needs a sound server (scripts/sound-server.sh).
#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <thread>
#include <vector>

#include "devices/portaudio/portaudio_devices.h"

int main(int argc, char** argv) {
    using namespace std::chrono;
    using namespace pelkit;
    const int seconds = argc > 1 ? std::atoi(argv[1]) : 60;
    constexpr uint32_t kBlock = 49152;
    PortAudioSystem system;
    MessageQueue queue;
    PortAudioOut out(system, queue);
    std::vector<std::vector<uint8_t>> buffers(4, std::vector<uint8_t>(kBlock));
    std::vector<WaveHeader> headers(4);
    uint64_t frame = 0;
    auto fill = [&](WaveHeader& h) {
        auto* s = reinterpret_cast<int16_t*>(h.data);
        for (uint32_t i = 0; i < kBlock / 4; ++i, ++frame) {
            auto v = static_cast<int16_t>(8000 * std::sin(2 * M_PI * 440.0 * frame / 44100));
            s[2 * i] = s[2 * i + 1] = v;
        }
    };
    std::atomic<bool> busy{true};
    std::thread load([&] {
        volatile uint64_t x = 0;
        while (busy)
            x = x + 1;
    });
    auto opened = steady_clock::now();
    if (!out.open(makeWaveFormat(1, 2, 44100, 16))) {
        std::fprintf(stderr, "audio_figures: the output device cannot be opened\n");
        busy = false;
        load.join();
        return 1;
    }
    double firstDone = -1;
    for (auto& h : headers) {
        h = WaveHeader{nullptr, kBlock};
        h.data = buffers[&h - headers.data()].data();
        fill(h);
        out.write(h);
    }
    auto until = opened + std::chrono::seconds(seconds);
    while (steady_clock::now() < until) {
        auto m = queue.waitPop(std::chrono::seconds(5));
        if (!m) break;
        if (m->kind != MessageKind::OutDone) continue;
        if (firstDone < 0) firstDone = duration<double>(steady_clock::now() - opened).count();
        fill(*m->header);
        out.write(*m->header);
    }
    double played = duration<double>(steady_clock::now() - opened).count();
    out.reset();
    while (auto m = queue.waitPop(milliseconds(500))) {
        if (m->kind == MessageKind::OutDone && out.close()) break;
    }
    busy = false;
    load.join();
    auto f = out.figures();
    std::printf("open to first block done: %.0f ms (block of %u bytes, %.0f ms of sound)\n",
                firstDone * 1000, kBlock, kBlock / 176.4);
    std::printf("underruns over %.0f s with the other core busy: %llu\n", played,
                static_cast<unsigned long long>(f.underruns));
    std::printf("audio callback: %llu calls, %.3f s in all, %.3f %% of one core\n",
                static_cast<unsigned long long>(f.callbacks), f.callbackSeconds,
                100 * f.callbackSeconds / played);
    return 0;
}

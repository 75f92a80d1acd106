// Measures the real output device: the time from open to the first block done at the default
// block size, the underruns over a play of SECONDS while another thread keeps a core busy, and
// the share of time spent in the audio callback. With SLOTS, that many sub sounds play over the
// whole of it, each from its own file, mixed into every block as playback mixes them (slots that
// end are started again), and the time of each mixing turn is reported too. Needs a sound server
// (scripts/sound-server.sh). With "hq" after them, every block is made by the high-quality
// stretch stage from a tone at speed 1.25 and pitch 1.26, as playback makes it, and the time the
// stage takes a block is reported.
//
//   pelkit_audio_figures [SECONDS] [SLOTS] [hq]
//   pelkit_audio_figures --latency [SECONDS] [SLOTS]   (live play, see latency_figures.cpp)
#include <stdlib.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "devices/portaudio/portaudio_devices.h"
#include "dsp/hq_stretcher.h"
#include "dsp/speed_pitch.h"
#include "files/file_stream.h"
#include "files/wav_format.h"
#include "latency_figures.h"
#include "playback/hq_stretch_stage.h"
#include "state/byte_buffer.h"
#include "state/mixing_turn.h"
#include "state/playback_state.h"
#include "state/subsound_bank.h"

namespace {

using namespace pelkit;

constexpr uint32_t kBlock = 49152;

// SLOTS sub sound files of eight blocks and a bit of quiet noise in a temporary directory,
// assigned to the first SLOTS slots of BANK and started; removed with the object.
class PlayingSlots {
  public:
    PlayingSlots(SubSoundBank& bank, int slots) : bank_(bank), slots_(slots) {
        char name[] = "/tmp/pelkit-audio-figures-XXXXXX";
        if (slots <= 0 || !mkdtemp(name)) return;
        dir_ = name;
        std::vector<uint8_t> data(8 * kBlock + 1000);
        uint32_t x = 1;
        for (size_t i = 0; i + 1 < data.size(); i += 2) {
            x = x * 1664525u + 1013904223u;
            const auto v = static_cast<int16_t>((x >> 20) - 2048);
            data[i] = static_cast<uint8_t>(v);
            data[i + 1] = static_cast<uint8_t>(static_cast<uint16_t>(v) >> 8);
        }
        for (int i = 0; i < slots; ++i) {
            const std::string path = dir_ + "/slot" + std::to_string(i) + ".wav";
            FileStream out;
            out.open(path, FileStream::Mode::WriteTruncate);
            WriteWavHeader(out, makeWaveFormat(1, 2, 44100, 16),
                           static_cast<uint32_t>(data.size()));
            out.write(data.data(), data.size());
            bank_.entries[static_cast<size_t>(i)].assign(path);
            bank_.entries[static_cast<size_t>(i)].play(0, false);
        }
    }
    ~PlayingSlots() {
        std::error_code ec;
        if (!dir_.empty()) std::filesystem::remove_all(dir_, ec);
    }
    // Starts again the slots that ended.
    void keepPlaying(uint32_t position) {
        for (int i = 0; i < slots_; ++i) {
            SubSoundSlot& slot = bank_.entries[static_cast<size_t>(i)];
            if (!slot.isPlaying) slot.play(position, false);
        }
    }

  private:
    SubSoundBank& bank_;
    int slots_;
    std::string dir_;
};

}  // namespace

int main(int argc, char** argv) {
    using namespace std::chrono;
    if (argc > 1 && std::string(argv[1]) == "--latency") return latencyFigures(argc - 1, argv + 1);
    const int seconds = argc > 1 ? std::atoi(argv[1]) : 60;
    const int slots = argc > 2 ? std::clamp(std::atoi(argv[2]), 0, kSubSoundSlotCount) : 0;
    PortAudioSystem system;
    MessageQueue queue;
    PortAudioOut out(system, queue);
    std::vector<std::vector<uint8_t>> buffers(4, std::vector<uint8_t>(kBlock));
    std::vector<WaveHeader> headers(4);
    SubSoundBank bank;
    PlayingSlots playing(bank, slots);
    std::vector<uint8_t> copyBuffer(kBlock);
    uint64_t frame = 0;
    uint32_t position = 0;
    double turnSeconds = 0, longestTurn = 0;
    uint64_t turns = 0;
    const bool hq = argc > 3 && std::string(argv[3]) == "hq";
    ProcessingSettings processing;
    processing.speedFactor = 1.25f;
    processing.pitchFactor = 1.26f;
    HqStretchWork work;
    ByteBuffer hqSource;
    hqSource.allocate(2 * kBlock);
    HqStretchStage stage(processing, work, hqSource, {16, 2, 44100}, false);
    const uint32_t hqRead = computeReadSize(kBlock, processing.speedFactor, 4, 2 * kBlock);
    double stageSeconds = 0;
    uint64_t stageBlocks = 0;
    auto fill = [&](WaveHeader& h) {
        auto* s = reinterpret_cast<int16_t*>(hq ? hqSource.data() : h.data);
        for (uint32_t i = 0; i < (hq ? hqRead : kBlock) / 4; ++i, ++frame) {
            auto v = static_cast<int16_t>(8000 * std::sin(2 * M_PI * 440.0 * frame / 44100));
            s[2 * i] = s[2 * i + 1] = v;
        }
        if (hq) {
            const auto start = steady_clock::now();
            PlayBlock b;
            b.data = h.data;
            b.capacity = kBlock;
            b.bytesRead = b.fromFile = hqRead;
            stage.process(b);
            std::fill(h.data + b.outputLength, h.data + kBlock, 0);
            stageSeconds += duration<double>(steady_clock::now() - start).count();
            ++stageBlocks;
        }
        if (slots == 0) return;
        const auto start = steady_clock::now();
        runMixingTurn(bank, {h.data, kBlock, 16, false, position}, copyBuffer);
        const double took = duration<double>(steady_clock::now() - start).count();
        turnSeconds += took;
        longestTurn = std::max(longestTurn, took);
        ++turns;
        position += kBlock;
        playing.keepPlaying(position);
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
    if (slots > 0 && turns > 0) {
        std::printf(
            "mixing %d sub sounds: %.1f ms a block on average, %.1f ms at most (%llu "
            "blocks)\n",
            slots, 1000 * turnSeconds / static_cast<double>(turns), 1000 * longestTurn,
            static_cast<unsigned long long>(turns));
    }
    if (hq && stageBlocks > 0) {
        std::printf(
            "high-quality stretch: %.1f ms a block on average (%.1f %% of one core), "
            "%u ms of silence ahead, %u short blocks\n",
            1000 * stageSeconds / static_cast<double>(stageBlocks),
            100 * stageSeconds / (static_cast<double>(stageBlocks) * kBlock / 176400.0),
            static_cast<unsigned>(work.leadFrames * 1000 / 44100), work.shortBlocks);
    }
    return 0;
}

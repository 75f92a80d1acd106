// The CPU cost of the high-quality stretch in real-time playback, per 49,152-byte block of 16-bit
// stereo at 44,100 Hz (278.6 ms of sound), as a share of one core: "core_pct" is CPU time over
// the sound's duration, x 100. Engines R2 ("faster", the one playback uses) and R3 ("finer"),
// with and without formant preservation, at the speeds and pitches the figures name. The source
// is a chord with a little noise, so the stretcher has partials and a noise floor to work on.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>
#include <ctime>
#include <vector>

#include "dsp/hq_stretcher.h"
#include "dsp/speed_pitch.h"
#include "playback/hq_stretch_stage.h"
#include "state/byte_buffer.h"
#include "state/playback_state.h"

namespace pelkit {
namespace {

constexpr int kRate = 44100;
constexpr uint32_t kBlock = 49152;
constexpr uint32_t kFrame = 4;
constexpr double kBlockSeconds = kBlock / kFrame / static_cast<double>(kRate);

// SECONDS of 16-bit stereo: three partials of a chord and quiet noise.
std::vector<uint8_t> music(double seconds) {
    const auto frames = static_cast<size_t>(seconds * kRate);
    std::vector<uint8_t> out(frames * kFrame);
    uint32_t x = 1;
    for (size_t i = 0; i < frames; ++i) {
        const double t = static_cast<double>(i) / kRate;
        for (int c = 0; c < 2; ++c) {
            x = x * 1664525u + 1013904223u;
            const double v = 6000 * std::sin(2 * M_PI * 220 * t) +
                             4000 * std::sin(2 * M_PI * 277.2 * t + c) +
                             3000 * std::sin(2 * M_PI * 329.6 * t) +
                             static_cast<double>(static_cast<int32_t>(x >> 22) - 512);
            const auto s = static_cast<uint16_t>(static_cast<int16_t>(v));
            out[i * 4 + c * 2] = static_cast<uint8_t>(s & 0xff);
            out[i * 4 + c * 2 + 1] = static_cast<uint8_t>(s >> 8);
        }
    }
    return out;
}

// CPU time of the process since START over the sound's duration of the blocks made, x 100.
void reportCorePercent(benchmark::State& state, std::clock_t start) {
    const double cpu = static_cast<double>(std::clock() - start) / CLOCKS_PER_SEC;
    state.counters["core_pct"] =
        100 * cpu / (static_cast<double>(state.iterations()) * kBlockSeconds);
}

// The playback stage as playback runs it: args speed x 100, pitch x 100.
void BM_HqStretchStage(benchmark::State& state) {
    ProcessingSettings p;
    p.hqStretch = true;
    p.speedFactor = static_cast<float>(state.range(0)) / 100;
    p.pitchFactor = static_cast<float>(state.range(1)) / 100;
    const std::vector<uint8_t> source = music(30);
    HqStretchWork work;
    ByteBuffer copy;
    copy.allocate(7864320);
    std::vector<uint8_t> block(kBlock);
    HqStretchStage stage(p, work, copy, {16, 2, kRate}, false);
    stage.reset();
    const uint32_t readSize = computeReadSize(kBlock, p.speedFactor, kFrame, 7864320);
    size_t at = 0;
    const std::clock_t start = std::clock();
    for (auto _ : state) {
        if (at + readSize > source.size()) at = 0;
        std::copy_n(source.data() + at, readSize, copy.data());
        at += readSize;
        PlayBlock b;
        b.data = block.data();
        b.capacity = kBlock;
        b.bytesRead = b.fromFile = readSize;
        stage.process(b);
        benchmark::DoNotOptimize(block.data());
    }
    if (work.shortBlocks != 0) state.SkipWithError("a block came out short");
    reportCorePercent(state, start);
}
BENCHMARK(BM_HqStretchStage)->Args({100, 126})->Args({150, 100})->Args({75, 126})->Args({100, 100});

// The stretcher alone with either engine: args engine (0 R2, 1 R3), formants, speed x 100,
// pitch x 100.
void BM_HqStretcherEngine(benchmark::State& state) {
    HqStretchConfig config;
    config.engine = state.range(0) ? HqEngine::Finer : HqEngine::Faster;
    config.formantsPreserved = state.range(1) != 0;
    HqStretcher s(config);
    const double speed = static_cast<double>(state.range(2)) / 100;
    s.setTimeRatio(1 / speed);
    s.setPitchScale(static_cast<double>(state.range(3)) / 100);
    const std::vector<uint8_t> source = music(30);
    const auto inFrames = static_cast<size_t>(kBlock / kFrame * speed);
    std::vector<float> in(inFrames * 2), out(kBlock / kFrame * 2 * 2);
    size_t at = 0;
    const std::clock_t start = std::clock();
    for (auto _ : state) {
        if ((at + inFrames) * kFrame > source.size()) at = 0;
        pcmToFloat(source.data() + at * kFrame, inFrames * 2, 16, in.data());
        at += inFrames;
        s.push(in.data(), inFrames);
        s.pull(out.data(), out.size() / 2);
    }
    reportCorePercent(state, start);
}
BENCHMARK(BM_HqStretcherEngine)
    ->ArgNames({"engine", "formants", "speed", "pitch"})
    ->Args({0, 0, 100, 126})
    ->Args({0, 1, 100, 126})
    ->Args({1, 0, 100, 126})
    ->Args({1, 1, 100, 126})
    ->Args({0, 0, 150, 100})
    ->Args({1, 0, 150, 100});

}  // namespace
}  // namespace pelkit

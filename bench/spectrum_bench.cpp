// The two spectrum views' work: the FFT view per 49,152-byte block of 16-bit stereo sound (a
// block lasts 278.6 ms at 44,100 Hz, so 1 % of one core is 2.8 ms), and one run of the bars'
// cosine-sum analysis (8,256 cosines in extended precision).
#include <benchmark/benchmark.h>

#include <array>
#include <cmath>
#include <cstdint>
#include <numbers>
#include <vector>

#include "dsp/fft_view.h"
#include "dsp/spectrum.h"

namespace pelkit {
namespace {

std::vector<uint8_t> musicBlock(uint32_t frames) {
    std::vector<uint8_t> b;
    b.reserve(frames * 4);
    for (uint32_t n = 0; n < frames; ++n) {
        for (double hz : {220.0, 1330.0}) {
            double t = n / 44100.0;
            double v = 0.4 * std::sin(2 * std::numbers::pi * hz * t) +
                       0.2 * std::sin(2 * std::numbers::pi * 3.01 * hz * t);
            auto s = static_cast<int16_t>(v * 32767);
            b.push_back(static_cast<uint8_t>(s & 0xFF));
            b.push_back(static_cast<uint8_t>((s >> 8) & 0xFF));
        }
    }
    return b;
}

void BM_FftViewPerBlock(benchmark::State& state) {
    const std::vector<uint8_t> block = musicBlock(49152 / 4);
    FftView view;
    for (auto _ : state) {
        view.compute(block, 16, 2, 44100);
        benchmark::DoNotOptimize(view.bars());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * 49152);
}
BENCHMARK(BM_FftViewPerBlock)->Unit(benchmark::kMicrosecond);

void BM_AnalysePerRun(benchmark::State& state) {
    const std::vector<uint8_t> block = musicBlock(64);
    std::array<uint8_t, kSpectrumInputBytes> input{};
    std::copy_n(block.begin(), input.size(), input.begin());
    SpectrumArea area;
    for (auto _ : state) {
        analyse(input, area, nullptr);
        benchmark::DoNotOptimize(area.output(129));
    }
}
BENCHMARK(BM_AnalysePerRun)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace pelkit

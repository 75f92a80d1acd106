// The spectrum bars' analysis, bit for bit against a reference written here from the formula,
// and the worker that runs it beside the main thread.
#include "dsp/spectrum.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <cmath>
#include <random>
#include <thread>

#include "dsp/spectrum_worker.h"

namespace pelkit {
namespace {

using Input = std::array<uint8_t, kSpectrumInputBytes>;

// 128 little-endian values: all V, or random ones for a nonzero SEED.
Input values(int16_t v, uint32_t seed = 0) {
    std::mt19937 gen(seed);
    Input in{};
    for (size_t j = 0; j < 128; ++j) {
        auto x = static_cast<uint16_t>(seed ? gen() : static_cast<uint16_t>(v));
        in[2 * j] = static_cast<uint8_t>(x & 0xFF);
        in[2 * j + 1] = static_cast<uint8_t>(x >> 8);
    }
    return in;
}

// Output i: |sum_{j < i-1} x[j] cos((k + 1/2)(j + 1/2) 3.14159 / 2048)| / i, k = 16 (i - 1), in
// long double, limited to 65535 and truncated.
uint16_t reference(const Input& in, uint32_t i) {
    long double sum = 0;
    for (uint32_t j = 0; j + 1 < i; ++j) {
        auto x = static_cast<int16_t>(in[2 * j] | (in[2 * j + 1] << 8));
        sum += x * cosl((16.0L * (i - 1) + 0.5L) * (j + 0.5L) * 3.14159L / 2048.0L);
    }
    return static_cast<uint16_t>(fminl(fabsl(sum / i), 65535.0L));
}

// Outputs 1 .. DONE as the formula gives them, zeros after (and between the values).
void expectOutputs(const SpectrumArea& area, const Input& in, uint32_t done) {
    for (uint32_t i = 1; i <= kSpectrumOutputs; ++i) {
        ASSERT_EQ(area.output(i), i <= done ? reference(in, i) : 0) << "output " << i;
        ASSERT_EQ(area.load(4 * (i - 1) + 2), 0) << "after output " << i;
        ASSERT_LE(area.output(i), 32768.0 * (i - 1) / i) << "output " << i;
    }
}

TEST(Spectrum, FullScaleInputGivesTheKnownOutputs) {
    SpectrumArea area;
    EXPECT_TRUE(analyse(values(32767), area, nullptr));
    const std::pair<uint32_t, uint16_t> known[] = {{1, 0},     {2, 16382}, {3, 21810},
                                                   {4, 24377}, {5, 25545}, {129, 12}};
    for (auto [i, value] : known) {
        EXPECT_EQ(reference(values(32767), i), value) << "reference, output " << i;
        EXPECT_EQ(area.output(i), value) << "output " << i;
    }
}

TEST(Spectrum, OutputsFollowTheFormulaAndStopWhereAsked) {
    struct Case {
        Input in;
        uint32_t stopAfter;  // 1000: never stopped
    };
    for (const Case& c :
         {Case{values(32767), 1000}, Case{values(-32768), 1000}, Case{values(0, 1), 1000},
          Case{values(0, 2), 1}, Case{values(0, 3), 40}, Case{values(0, 4), 128}}) {
        SpectrumArea area;
        analyse(values(20000), area, nullptr);  // a previous analysis left its values
        uint32_t asked = 0;
        bool whole = analyse(c.in, area, [&] { return ++asked < c.stopAfter; });
        EXPECT_EQ(whole, c.stopAfter > kSpectrumOutputs);
        EXPECT_EQ(asked, std::min(c.stopAfter, kSpectrumOutputs));
        expectOutputs(area, c.in, std::min(c.stopAfter, kSpectrumOutputs));
    }
}

TEST(SpectrumWorker, InlineRunsToTheEndBeforeStartReturns) {
    SpectrumWorker worker(SpectrumWorker::Mode::Inline);
    const Input in = values(0, 5);
    ASSERT_TRUE(worker.start(in));
    EXPECT_FALSE(worker.running());
    expectOutputs(worker.results(), in, kSpectrumOutputs);
}

// Analyses start, end and are stopped while the display refills the bytes they were started on
// and another thread reads the published results over and over, as paints do; run under
// ThreadSanitizer by scripts/test-tsan.sh.
TEST(SpectrumWorker, PaintsReadWhileAnalysesStartAndStop) {
    SpectrumWorker worker;
    std::atomic<bool> done{false};
    std::thread painter([&] {
        long sum = 0;
        while (!done.load())
            for (size_t b = 0; b < kSpectrumAreaBytes; b += 4)
                sum += worker.results().signedAt(b);
        EXPECT_GE(sum, 0);
    });
    const Input inputs[2] = {values(0, 6), values(32767)};
    std::vector<uint8_t> shown(4096);
    for (int round = 0; round < 40; ++round) {
        const Input& in = inputs[round / 2 % 2];
        std::copy(in.begin(), in.end(), shown.begin());
        ASSERT_TRUE(worker.start(shown));
        std::fill(shown.begin(), shown.end(), 0x7F);  // the input was copied first
        if (round % 2) worker.stop();
        worker.wait();
        EXPECT_FALSE(worker.running());
        // Stopped somewhere or not at all: the outputs so far, zeros after.
        uint32_t computed = 0;
        while (computed < kSpectrumOutputs &&
               worker.results().output(computed + 1) == reference(in, computed + 1))
            ++computed;
        expectOutputs(worker.results(), in, computed);
        if (round % 2 == 0) {
            EXPECT_EQ(computed, kSpectrumOutputs);
        }
    }
    worker.start(shown);  // left running: the destructor stops and waits for it
    done.store(true);
    painter.join();
}

}  // namespace
}  // namespace pelkit

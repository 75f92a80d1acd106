// The spectrum bars' analysis, bit for bit against a reference written here from the formula,
// and the worker that runs it beside the main thread.
#include "dsp/spectrum.h"

#include <gtest/gtest.h>

#include <array>
#include <atomic>
#include <cmath>
#include <cstdint>
#include <random>
#include <thread>
#include <vector>

#include "dsp/spectrum_worker.h"

namespace pelkit {
namespace {

using Input = std::array<uint8_t, kSpectrumInputBytes>;

Input filled(const std::vector<int16_t>& values) {
    Input in{};
    for (size_t j = 0; j < values.size() && 2 * j + 1 < in.size(); ++j) {
        in[2 * j] = static_cast<uint8_t>(values[j] & 0xFF);
        in[2 * j + 1] = static_cast<uint8_t>((values[j] >> 8) & 0xFF);
    }
    return in;
}

Input constant(int16_t v) {
    return filled(std::vector<int16_t>(128, v));
}

Input noise(uint32_t seed) {
    std::mt19937 gen(seed);
    std::uniform_int_distribution<int> d(-32768, 32767);
    std::vector<int16_t> v(128);
    for (auto& x : v)
        x = static_cast<int16_t>(d(gen));
    return filled(v);
}

// Output i from the formula: |sum_{j < i-1} x[j] cos((k + 1/2)(j + 1/2) 3.14159 / 2048)| / i
// with k = 16 (i - 1), in long double, limited to 0 .. 65535 and truncated.
uint16_t reference(const Input& in, uint32_t i) {
    const long double k = 16.0L * (i - 1);
    long double sum = 0;
    for (uint32_t j = 0; j + 1 < i; ++j) {
        int16_t x = static_cast<int16_t>(in[2 * j] | (in[2 * j + 1] << 8));
        sum += x * cosl((k + 0.5L) * (j + 0.5L) * 3.14159L / 2048.0L);
    }
    long double m = fabsl(sum / i);
    return static_cast<uint16_t>(m > 65535.0L ? 65535.0L : m);
}

std::vector<uint16_t> outputs(const SpectrumArea& area) {
    std::vector<uint16_t> v;
    for (uint32_t i = 1; i <= kSpectrumOutputs; ++i)
        v.push_back(area.output(i));
    return v;
}

TEST(Spectrum, FullScaleInputGivesTheKnownOutputs) {
    const Input in = constant(32767);
    SpectrumArea area;
    EXPECT_TRUE(analyse(in, area, nullptr));
    struct Case {
        uint32_t i;
        uint16_t value;
    };
    for (Case c : {Case{1, 0}, Case{2, 16382}, Case{3, 21810}, Case{4, 24377}, Case{5, 25545},
                   Case{129, 12}}) {
        EXPECT_EQ(reference(in, c.i), c.value) << "reference, output " << c.i;
        EXPECT_EQ(area.output(c.i), c.value) << "output " << c.i;
    }
}

TEST(Spectrum, EveryOutputMatchesTheFormulaAndStaysInRange) {
    for (const Input& in : {constant(32767), constant(-32768), constant(0), noise(1), noise(2)}) {
        SpectrumArea area;
        analyse(in, area, nullptr);
        for (uint32_t i = 1; i <= kSpectrumOutputs; ++i) {
            ASSERT_EQ(area.output(i), reference(in, i)) << "output " << i;
            // 32768 (i - 1) / i is the most a sum of i - 1 terms can give.
            ASSERT_LE(area.output(i), 32768.0 * (i - 1) / i);
        }
        // Value i sits at byte 4 (i - 1); the bytes between the values stay zero.
        std::vector<uint8_t> bytes(kSpectrumAreaBytes, 0xAA);
        area.copyTo(bytes);
        for (size_t b = 0; b < bytes.size(); ++b) {
            size_t i = b / 4 + 1;
            uint8_t expected = 0;
            if (b % 4 < 2 && i <= kSpectrumOutputs) {
                uint16_t v = reference(in, static_cast<uint32_t>(i));
                expected = static_cast<uint8_t>(b % 4 == 0 ? v & 0xFF : v >> 8);
            }
            ASSERT_EQ(bytes[b], expected) << "byte " << b;
        }
    }
}

TEST(Spectrum, AreaReadsSignedValuesAtAnyOffset) {
    SpectrumArea area;
    area.store(4, 0x8001);
    area.store(6, 0x7F02);
    struct Case {
        size_t offset;
        int16_t value;
    };
    for (Case c : {Case{4, -32767}, Case{5, 0x0280}, Case{6, 0x7F02}, Case{7, 0x007F},
                   Case{kSpectrumAreaBytes - 1, 0}, Case{kSpectrumAreaBytes, 0}}) {
        EXPECT_EQ(area.signedAt(c.offset), c.value) << "offset " << c.offset;
    }
}

TEST(Spectrum, StoppingKeepsTheOutputsSoFarAndZerosAfter) {
    const Input in = noise(7);
    for (uint32_t stopAfter : {1u, 2u, 40u, 128u}) {
        SpectrumArea area;
        // A previous analysis left its values in the area.
        analyse(constant(20000), area, nullptr);
        uint32_t asked = 0;
        EXPECT_FALSE(analyse(in, area, [&] { return ++asked < stopAfter; }));
        EXPECT_EQ(asked, stopAfter);
        for (uint32_t i = 1; i <= kSpectrumOutputs; ++i) {
            ASSERT_EQ(area.output(i), i <= stopAfter ? reference(in, i) : 0)
                << "stopped after " << stopAfter << ", output " << i;
        }
    }
}

// The outputs of one analysis of IN that ran up to some output and stopped there: a prefix of
// the full result, zeros after it.
void expectPrefixOf(const std::vector<uint16_t>& got, const Input& in) {
    size_t done = 0;
    while (done < got.size() && got[done] == reference(in, static_cast<uint32_t>(done + 1)))
        ++done;
    for (size_t i = done; i < got.size(); ++i)
        ASSERT_EQ(got[i], 0) << "output " << i + 1 << " after " << done << " computed";
}

TEST(SpectrumWorker, InlineRunsToTheEndBeforeStartReturns) {
    SpectrumWorker worker(SpectrumWorker::Mode::Inline);
    const Input in = noise(3);
    // Only the first 256 bytes count; a short input is padded with zeros.
    std::vector<uint8_t> longer(in.begin(), in.end());
    longer.resize(4096, 0x55);
    ASSERT_TRUE(worker.start(longer));
    EXPECT_FALSE(worker.running());
    for (uint32_t i = 1; i <= kSpectrumOutputs; ++i)
        ASSERT_EQ(worker.results().output(i), reference(in, i));

    std::vector<uint8_t> shorter(in.begin(), in.begin() + 10);
    Input padded{};
    std::copy(shorter.begin(), shorter.end(), padded.begin());
    ASSERT_TRUE(worker.start(shorter));
    for (uint32_t i = 1; i <= kSpectrumOutputs; ++i)
        ASSERT_EQ(worker.results().output(i), reference(padded, i));
}

TEST(SpectrumWorker, CopiesItsInputAndRefusesASecondStart) {
    SpectrumWorker worker;
    std::vector<uint8_t> shown(kSpectrumInputBytes);
    const Input in = noise(4);
    std::copy(in.begin(), in.end(), shown.begin());
    ASSERT_TRUE(worker.start(shown));
    // The display refills its bytes at once; the analysis still sees what it was given.
    std::fill(shown.begin(), shown.end(), 0x7F);
    bool second = worker.start(shown);
    worker.wait();
    EXPECT_FALSE(worker.running());
    if (!second) {
        for (uint32_t i = 1; i <= kSpectrumOutputs; ++i)
            ASSERT_EQ(worker.results().output(i), reference(in, i));
    }
    // Once it has ended a new analysis starts.
    ASSERT_TRUE(worker.start(shown));
    worker.wait();
    for (uint32_t i = 1; i <= kSpectrumOutputs; ++i)
        ASSERT_EQ(worker.results().output(i),
                  reference(filled(std::vector<int16_t>(128, 0x7F7F)), i));
}

// Analyses start and are stopped while another thread reads the published results over and
// over, as paints do; run under ThreadSanitizer by scripts/test-tsan.sh.
TEST(SpectrumWorker, PaintsReadWhileAnalysesStartAndStop) {
    SpectrumWorker worker;
    std::atomic<bool> done{false};
    std::atomic<long> reads{0};
    std::thread painter([&] {
        std::vector<uint8_t> bytes(kSpectrumAreaBytes);
        while (!done.load()) {
            worker.results().copyTo(bytes);
            for (size_t b = 0; b < 4 * kSpectrumOutputs; b += 4)
                (void)worker.results().signedAt(b);
            reads.fetch_add(1);
        }
    });
    const Input inputs[2] = {noise(5), constant(32767)};
    for (int round = 0; round < 40; ++round) {
        const Input& in = inputs[round % 2];
        ASSERT_TRUE(worker.start(in));
        if (round % 4 == 1) {
            worker.stop();
            worker.wait();
            expectPrefixOf(outputs(worker.results()), in);
        } else {
            worker.wait();
            EXPECT_EQ(outputs(worker.results())[4], reference(in, 5));
        }
    }
    // The destructor stops and waits for one still running.
    worker.start(inputs[0]);
    done.store(true);
    painter.join();
    EXPECT_GT(reads.load(), 0);
}

}  // namespace
}  // namespace pelkit

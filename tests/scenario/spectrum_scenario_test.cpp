// The spectrum views through the headless runner: the bars of the start of the displayed block,
// worked out here from the formula and the file's samples, and the FFT view of the block being
// heard, one channel per window.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <numbers>
#include <string>
#include <vector>

#include "scenario/scenario_support.h"

namespace pelkit::test {
namespace {

constexpr size_t kBlock = 49152;
constexpr int kRate = 44100;

// Output i (1 .. 129) of the analysis of the 128 values from byte FROM: |sum over j < i - 1 of
// x[j] cos((16 (i - 1) + 0.5)(j + 0.5) 3.14159 / 2048)| / i in extended precision, limited to
// 65535 and truncated.
uint16_t output(const Bytes& data, size_t from, uint32_t i) {
    long double sum = 0;
    for (uint32_t j = 0; j + 1 < i; ++j) {
        sum += value16(data, from + 2 * j) *
               cosl((16.0L * (i - 1) + 0.5L) * (j + 0.5L) * 3.14159L / 2048.0L);
    }
    return static_cast<uint16_t>(fminl(fabsl(sum / i), 65535.0L));
}

std::vector<std::string> paintLines(const std::string& out) {
    std::vector<std::string> lines;
    for (const std::string& l : textLines(out)) {
        if (l.rfind("fill ", 0) == 0 || l.rfind("line ", 0) == 0) lines.push_back(l);
    }
    return lines;
}

TEST(SpectrumScenario, BarsOfTheDisplayedBlockAfterAHeadlessPlay) {
    TempDir dir;
    const Bytes data = patternBytes(8 * kBlock, 3);
    writeFile(dir.file("s.wav"), canonicalWav(2, kRate, 16, data));
    // After the first block is heard, a tick reads block 1 (the one heard now) into the display;
    // the next block's end starts the analysis of its first 256 bytes.
    ProgramRun run = runHeadless(dir.path(), {"s.wav"},
                                 "command record-options\ndlg command spectrum\ndlg command ok\n"
                                 "command play\nplay-blocks 1\ntick\nplay-blocks 1\n"
                                 "paint upper\n");
    ASSERT_EQ(run.status, 0) << run.err;
    std::vector<std::string> expected = {"fill 0 0 248 110", "line trace 0 107 248 107",
                                         "line trace 0 3 248 3"};
    // Bar i is output i + 1 read as a signed value, doubled; beyond output 129 the area is zero.
    for (uint32_t i = 0; i + 2 <= 248; ++i) {
        int s = i < 129 ? static_cast<int16_t>(output(data, kBlock, i + 1)) : 0;
        int height = std::clamp(s * 2, 0, 65535) / 625;
        std::string x = std::to_string(5 * i);
        expected.push_back("line trace " + x + " 107 " + x + " " + std::to_string(107 - height));
    }
    EXPECT_EQ(paintLines(run.out), expected);
}

// The bar heights of each FFT paint in OUT: a bar is three lines up from y 107 at x 4b .. 4b + 2.
std::vector<std::vector<int>> fftPaints(const std::string& out) {
    std::vector<std::vector<int>> paints;
    for (const std::string& l : textLines(out)) {
        if (l.rfind("fill ", 0) == 0) paints.emplace_back(62, 0);
        int x0 = 0, y0 = 0, x1 = 0, y1 = 0;
        if (std::sscanf(l.c_str(), "line trace %d %d %d %d", &x0, &y0, &x1, &y1) == 4 && x0 == x1 &&
            y0 == 107 && x0 % 4 == 0) {
            paints.back()[static_cast<size_t>(x0 / 4)] = 107 - y1;
        }
    }
    return paints;
}

TEST(SpectrumScenario, FftViewShowsEachChannelOfTheBlockBeingHeard) {
    TempDir dir;
    // Block n holds sines of half full scale at bins 50 + 40 n (left) and 300 + 40 n (right) of
    // a 4096-point transform.
    Bytes data;
    for (size_t n = 0; n < 8; ++n) {
        for (size_t f = 0; f < kBlock / 4; ++f) {
            for (size_t bin : {50 + 40 * n, 300 + 40 * n})
                put16(data, static_cast<uint16_t>(static_cast<int16_t>(
                                16384 * std::sin(2 * std::numbers::pi * bin * f / 4096))));
        }
    }
    writeFile(dir.file("s.wav"), canonicalWav(2, kRate, 16, data));
    ProgramRun run = runHeadless(dir.path(), {"s.wav"},
                                 "command record-options\ndlg command spectrum\n"
                                 "dlg command spectrum\ndlg command ok\n"
                                 "command play\nplay-blocks 2\npaint upper\npaint lower\n"
                                 "play-blocks 1\npaint upper\n");
    ASSERT_EQ(run.status, 0) << run.err;
    std::vector<std::vector<int>> p = fftPaints(run.out);
    ASSERT_EQ(p.size(), 3u);
    // After two blocks were heard, block 2 plays; then block 3.
    const std::pair<size_t, size_t> shown[] = {{0, 50 + 80}, {1, 300 + 80}, {2, 50 + 120}};
    for (auto [paint, bin] : shown) {
        const std::vector<int>& h = p[paint];
        int peak = static_cast<int>(std::max_element(h.begin(), h.end()) - h.begin());
        // Bar b of 62 spans 20 Hz x 1000^(b / 62) up to the next.
        double hz = static_cast<double>(bin) * kRate / 4096;
        EXPECT_EQ(peak, static_cast<int>(62 * std::log(hz / 20) / std::log(1000.0))) << paint;
        // Half of full scale is -6 dB: 98 of the 104 pixels for 0 dB.
        EXPECT_NEAR(h[static_cast<size_t>(peak)], 98, 1) << paint;
    }
}

}  // namespace
}  // namespace pelkit::test

// The speed change by the high-quality stretch: the tone keeps its pitch, comes out clean and as
// long as the percent asks; the refusals match the chunk method's.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "edit/speed_change.h"
#include "files/wav_format.h"
#include "support/test_support.h"
#include "support/tone_fit.h"

namespace pelkit {
namespace {

using namespace test;

constexpr int kRate = 44100;

Bytes toneData(double hz, double seconds) {
    std::vector<int16_t> v;
    for (int i = 0; i < static_cast<int>(seconds * kRate); ++i) {
        const auto s = static_cast<int16_t>(16384 * std::sin(2 * M_PI * hz * i / kRate));
        v.push_back(s);
        v.push_back(s);
    }
    return samples16(v);
}

EditResult runHq(const std::string& src, const std::string& out, int32_t percent) {
    EditSource source{src, {}};
    EXPECT_TRUE(ReadWavHeader(src, source.header));
    SpeedChangeSettings settings;
    settings.percent = percent;
    settings.hq = true;
    settings.chunkBytes = 0;  // unused by the stretch: not refused for it
    return makeSpeedChangeJob(source, out, settings)->runToEnd();
}

TEST(HqSpeedChange, ToneKeepsItsPitchAndTakesTheLengthAsked) {
    TempDir dir;
    const Bytes data = toneData(440.0, 2.0);
    writeFile(dir.file("s.wav"), canonicalWav(2, kRate, 16, data));
    for (int32_t percent : {50, 67, 150, 200}) {
        SCOPED_TRACE(percent);
        const EditResult r = runHq(dir.file("s.wav"), dir.file("s-up.wav"), percent);
        ASSERT_EQ(r.outcome, EditOutcome::Done) << r.message;
        const Bytes out = readFile(dir.file("s-up.wav"));
        const uint64_t expected = speedChangedBytes(data.size(), percent);
        ASSERT_EQ(out.size(), 44 + expected);
        EXPECT_EQ(le(out, 40, 4), expected);
        std::vector<double> left;
        for (size_t i = 44; i + 4 <= out.size(); i += 4)
            left.push_back(value16(out, i) / 32768.0);
        const size_t from = left.size() / 2 - kRate / 8;
        const ToneFit fit =
            fitTone(std::vector<double>(left.begin() + from, left.begin() + from + kRate / 4),
                    kRate, 410, 470);
        EXPECT_NEAR(fit.frequency, 440.0, 1.0);
        EXPECT_LT(fit.residualDb, -40.0);
        // The sound runs to the end: no long silence made up the length.
        double peak = 0;
        for (size_t i = left.size() - kRate / 10; i < left.size() - kRate / 50; ++i)
            peak = std::max(peak, std::fabs(left[i]));
        EXPECT_GT(peak, 0.3);
    }
}

TEST(HqSpeedChange, RefusesWhatTheChunkMethodRefuses) {
    TempDir dir;
    writeFile(dir.file("s.wav"), canonicalWav(2, kRate, 16, toneData(440.0, 0.5)));
    EXPECT_EQ(runHq(dir.file("s.wav"), dir.file("o.wav"), 0).outcome, EditOutcome::Refused);
    writeFile(dir.file("e.wav"), canonicalWav(1, kRate, 8, Bytes(1000, 128)));
    EXPECT_EQ(runHq(dir.file("e.wav"), dir.file("o.wav"), 50).outcome, EditOutcome::Refused);
    EXPECT_FALSE(exists(dir.file("o.wav")));
}

}  // namespace
}  // namespace pelkit

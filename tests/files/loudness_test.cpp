// Loudness by EBU R128 on the test signals of EBU Tech 3341, generated here, and the normalised
// copy: its gain, and the true-peak ceiling that holds it down.
#include <gtest/gtest.h>
#include <sndfile.h>

#include <cmath>
#include <vector>

#include "files/loudness.h"
#include "support/test_support.h"

namespace pelkit {
namespace {

using namespace test;

constexpr int kRate = 48000;

struct Segment {
    double seconds;
    double dbfs;  // of the 1 kHz sine in both channels
};

// Writes a 24-bit stereo WAV of the segments; every CLICK_EVERY frames (0: never) one frame of
// both channels is set to CLICK (full scale 1).
void writeTone(const std::string& path, const std::vector<Segment>& segments, int clickEvery = 0,
               double click = 0) {
    SF_INFO info{};
    info.samplerate = kRate;
    info.channels = 2;
    info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_24;
    SNDFILE* sf = sf_open(path.c_str(), SFM_WRITE, &info);
    ASSERT_NE(sf, nullptr);
    long n = 0;
    for (const Segment& s : segments) {
        const double a = std::pow(10.0, s.dbfs / 20);
        const long frames = std::lround(s.seconds * kRate);
        std::vector<double> buf(static_cast<size_t>(frames) * 2);
        for (long i = 0; i < frames; ++i, ++n) {
            double v = a * std::sin(2 * M_PI * 1000.0 * n / kRate);
            if (clickEvery > 0 && n % clickEvery == clickEvery / 2) v = click;
            buf[static_cast<size_t>(i) * 2] = buf[static_cast<size_t>(i) * 2 + 1] = v;
        }
        sf_writef_double(sf, buf.data(), frames);
    }
    sf_close(sf);
}

Loudness measure(const std::string& path) {
    LoudnessMeter m;
    EXPECT_EQ(m.open(path), "");
    while (m.step()) {
    }
    EXPECT_EQ(m.error(), "");
    return m.result();
}

TEST(Loudness, Tech3341CasesWithinATenthOfALoudnessUnit) {
    struct Case {
        int number;
        std::vector<Segment> segments;
        double expected;
    };
    const Case cases[] = {
        {1, {{20, -23}}, -23},
        {2, {{20, -33}}, -33},
        {5, {{20, -26}, {20.1, -20}, {20, -26}}, -23},
    };
    TempDir dir;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.number);
        writeTone(dir.file("case.wav"), c.segments);
        const Loudness l = measure(dir.file("case.wav"));
        EXPECT_NEAR(l.integrated, c.expected, 0.1);
    }
}

TEST(Loudness, NormalisedCopyReachesTheTargetUnlessTheTruePeakCeilingHoldsItDown) {
    struct Case {
        const char* name;
        double click;  // a click's level (0: a plain sine)
        bool limited;
    };
    for (const Case c : {Case{"sine", 0, false}, Case{"clicks", 0.5, true}}) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        writeTone(dir.file("in.wav"), {{10, -30}}, c.click > 0 ? kRate / 2 : 0, c.click);
        const Loudness before = measure(dir.file("in.wav"));
        const NormaliseGain g = normaliseGain(before, -16, -1);
        EXPECT_EQ(g.limited, c.limited);
        if (c.limited) {
            EXPECT_NEAR(g.gainDb, -1 - before.truePeak, 1e-9);
        } else {
            EXPECT_NEAR(g.gainDb, -16 - before.integrated, 1e-9);
        }
        ScaledCopy copy;
        ASSERT_EQ(copy.open(dir.file("in.wav"), dir.file("in_norm.wav"), g.gainDb), "");
        ScaledCopy::Step s;
        while ((s = copy.step()) == ScaledCopy::Step::More) {
        }
        ASSERT_EQ(s, ScaledCopy::Step::Done) << copy.error();
        const Loudness after = measure(dir.file("in_norm.wav"));
        EXPECT_NEAR(after.integrated, before.integrated + g.gainDb, 0.05);
        if (c.limited) {
            EXPECT_LT(after.integrated, -16.5);
            EXPECT_LE(after.truePeak, -1.0 + 0.01);
        } else {
            EXPECT_NEAR(after.integrated, -16, 0.05);
        }
    }
}

TEST(Loudness, ACancelledCopyLeavesNothingAndSilenceHasNoLoudness) {
    TempDir dir;
    writeTone(dir.file("in.wav"), {{5, -30}});
    ScaledCopy copy;
    ASSERT_EQ(copy.open(dir.file("in.wav"), dir.file("in_norm.wav"), 3), "");
    EXPECT_EQ(copy.step(), ScaledCopy::Step::More);
    copy.cancel();
    EXPECT_EQ(listing(dir.path()), std::vector<std::string>{"in.wav"});

    writeTone(dir.file("quiet.wav"), {{2, -200}});
    const Loudness l = measure(dir.file("quiet.wav"));
    EXPECT_FALSE(std::isfinite(l.integrated));
    EXPECT_EQ(normaliseGain(l, -16).gainDb, 0);
    EXPECT_EQ(describe(Loudness{-23.04, 5.26, -1.31}),
              "-23.0 LUFS, range 5.3 LU, true peak -1.3 dBTP");
}

}  // namespace
}  // namespace pelkit

// The high-quality stretch switch through the whole program: kept in the settings across a
// restart, used by the keyboard, and leaving the segment method's output as it was once it is
// off again.
#include <gtest/gtest.h>

#include <cmath>

#include "scenario/scenario_support.h"
#include "support/tone_fit.h"

namespace pelkit::test {
namespace {

constexpr int kRate = 44100;

// 3 s of a 440 Hz tone, 16-bit stereo at 44.1 kHz, half of full scale.
Bytes toneWav() {
    std::vector<int16_t> v;
    for (int i = 0; i < 3 * kRate; ++i) {
        const auto s = static_cast<int16_t>(16384 * std::sin(2 * M_PI * 440.0 * i / kRate));
        v.push_back(s);
        v.push_back(s);
    }
    return canonicalWav(2, kRate, 16, samples16(v));
}

// Runs SCRIPT on tone.wav in DIR; returns the sample data played.
Bytes playTone(const TempDir& dir, const std::string& script) {
    if (!exists(dir.file("tone.wav"))) writeFile(dir.file("tone.wav"), toneWav());
    const ProgramRun run = runHeadless(dir.path(), {"--audio-out", "out.wav", "tone.wav"}, script);
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "");
    const Bytes f = readFile(dir.file("out.wav"));
    return f.size() > 44 ? slice(f, 44, f.size()) : Bytes{};
}

// The fit over 0.25 s in the middle of the sound's left channel (silence at either end left out).
ToneFit middleFit(const Bytes& data, double low, double high) {
    std::vector<double> left;
    for (size_t i = 0; i + 4 <= data.size(); i += 4)
        left.push_back(value16(data, i) / 32768.0);
    size_t first = 0, last = left.size();
    while (first < last && std::fabs(left[first]) < 0.01)
        ++first;
    while (last > first && std::fabs(left[last - 1]) < 0.01)
        --last;
    if (last - first < kRate / 2) return {};
    const size_t from = (first + last) / 2 - kRate / 8;
    return fitTone(std::vector<double>(left.begin() + from, left.begin() + from + kRate / 4), kRate,
                   low, high);
}

constexpr const char* kKey40 = "command keyboard\ndlg keyboard command key40\nrun\n";

TEST(HqStretchScenario, SwitchIsKeptAcrossARestartAndTheKeyboardPlaysThroughIt) {
    TempDir dir;
    playTone(dir, "command hq-stretch\n");
    EXPECT_NE(readText(dir.file("pelkit_recorder.ini")).find("hqstretch=1"), std::string::npos);
    // Four semitones up, 554.4 Hz: clean through the stretcher, which the new run has kept on.
    const ToneFit fit = middleFit(playTone(dir, kKey40), 520, 590);
    EXPECT_NEAR(fit.frequency, 554.4, 1.0);
    EXPECT_LT(fit.residualDb, -40.0);
    // Off again, the next run plays by the segment method, whose splices leave far more.
    playTone(dir, "command hq-stretch\n");
    EXPECT_NE(readText(dir.file("pelkit_recorder.ini")).find("hqstretch=0"), std::string::npos);
    EXPECT_GT(middleFit(playTone(dir, kKey40), 520, 590).residualDb, -20.0);
}

TEST(HqStretchScenario, SegmentMethodIsUnchangedOnceTheSwitchIsOffAgain) {
    TempDir plain, toggled;
    const Bytes expected = playTone(plain, kKey40);
    ASSERT_FALSE(expected.empty());
    EXPECT_EQ(playTone(toggled, std::string("command hq-stretch\ncommand hq-formants\n") +
                                    "command hq-stretch\ncommand hq-formants\n" + kKey40),
              expected);
}

}  // namespace
}  // namespace pelkit::test

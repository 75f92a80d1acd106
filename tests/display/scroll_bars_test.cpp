// The scroll bars: each stepping rule at its limits, the readouts and bar positions that follow a
// scroll action, the range bars, and the position bar while playing and while stopped.
#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>

#include "app/scroll.h"
#include "status/readouts.h"
#include "resources/control_ids.h"
#include "state/app_state.h"
#include "status/scroll_rules.h"
#include "support/fake_platform.h"
#include "support/test_support.h"

namespace pelkit {
namespace {

using namespace test;

TEST(ScrollRules, FloatRulesAtTheirLimits) {
    using Rule = float (*)(float, int, int);
    Rule speed = [](float v, int c, int t) { return factorStep(v, c, t, 0.08f, 4, 0.004f); };
    Rule pitch = [](float v, int c, int t) { return factorStep(v, c, t, 0.04f, 20, 0.004f); };
    Rule boost = [](float v, int c, int t) { return boostStep(v, c, t, 10); };
    Rule volume = [](float v, int c, int t) { return floatStep(v, c, t, 2); };
    struct Case {
        const char* rule;
        Rule step;
        int code;
        float from;
        int thumb;
        float expected;
    };
    const Case cases[] = {
        // Speed root 0.08 .. 4, step 0.004, pages five steps, the thumb 0.002 a position.
        {"speed", speed, kScrollLineLeft, 1.0f, 0, 0.996f},
        {"speed", speed, kScrollLineLeft, 0.082f, 0, 0.08f},
        {"speed", speed, kScrollLineRight, 3.998f, 0, 4.0f},
        {"speed", speed, kScrollPageLeft, 1.0f, 0, 0.98f},
        {"speed", speed, kScrollPageRight, 3.99f, 0, 4.0f},
        {"speed", speed, kScrollThumbDragged, 1.0f, 600, 1.2f},
        {"speed", speed, kScrollThumbDragged, 1.0f, 10, 0.08f},
        {"speed", speed, kScrollTop, 1.0f, 0, 0.08f},
        {"speed", speed, kScrollBottom, 1.0f, 0, 4.0f},
        {"pitch", pitch, kScrollLineLeft, 0.042f, 0, 0.04f},
        {"pitch", pitch, kScrollBottom, 1.0f, 0, 20.0f},
        // Boost: the thumb covers 0.002 .. 2, the arrows reach +-10.
        {"boost", boost, kScrollThumbDragged, 5.0f, 1, 0.002f},
        {"boost", boost, kScrollThumbDragged, 5.0f, 1000, 2.0f},
        {"boost", boost, kScrollLineRight, 9.995f, 0, 10.0f},
        {"boost", boost, kScrollLineLeft, -9.995f, 0, -10.0f},
        {"boost", boost, kScrollPageLeft, -9.97f, 0, -10.0f},
        {"boost", boost, kScrollTop, 5.0f, 0, 0.0f},
        {"boost", boost, kScrollBottom, 5.0f, 0, 10.0f},
        // Volume: never below 0 by the arrows; the thumb is position / (2 x 50).
        {"volume", volume, kScrollLineLeft, 0.005f, 0, 0.0f},
        {"volume", volume, kScrollPageLeft, 0.03f, 0, 0.0f},
        {"volume", volume, kScrollPageRight, 1.96f, 0, 2.0f},
        {"volume", volume, kScrollPageRight, 1.0f, 0, 1.06f},
        {"boost", boost, kScrollPageLeft, 1.0f, 0, 0.94f},
        {"volume", volume, kScrollThumbDragged, 1.0f, 150, 1.5f},
        // Pan: the thumb position is signed; -40 arrives as 65496 in the high word.
        {"pan", panStep, kScrollThumbDragged, 0.0f, 65496, -40.0f},
        {"pan", panStep, kScrollLineLeft, -99.95f, 0, -100.0f},
        {"pan", panStep, kScrollLineRight, 99.95f, 0, 100.0f},
        {"pan", panStep, kScrollPageLeft, 0.0f, 0, -0.6f},
        {"pan", panStep, kScrollPageRight, 99.5f, 0, 100.0f},
        {"pan", panStep, kScrollTop, 0.0f, 0, -100.0f},
    };
    for (const Case& c : cases) {
        EXPECT_FLOAT_EQ(c.step(c.from, c.code, c.thumb), c.expected)
            << c.rule << " code " << c.code << " from " << c.from;
    }
}

class ScrollBarsTest : public ::testing::Test {
  protected:
    ScrollBarsTest() {
        app.windows.mainDialog = kFakeMainWindow;
        app.ring.displayBuffer.assign(kDisplayBufferSize, 0);
        app.ring.displayData = app.ring.displayBuffer.data();
    }
    int bar(int which) { return fake.ui.scrollPositions[{kFakeMainWindow, which}]; }
    std::string text(int id) const { return fake.ui.text(id); }

    FakePlatform fake;
    AppState app{fake.platform(), fake.services};
};

TEST_F(ScrollBarsTest, ReadoutsAndBarPositionsFollowTheValues) {
    // The speed thumb at 600 sets the root 1.2; the speed is its square, 1.44, and the bar
    // shows 720: the thumb moves away from the pointer.
    onMainScroll(app, kBarSpeed, kScrollThumbDragged, 600);
    EXPECT_FLOAT_EQ(app.processing.speedFactor, 1.44f);
    EXPECT_EQ(bar(kBarSpeed), 720);
    EXPECT_EQ(text(id::kFieldSpeed), "144");
    EXPECT_GT(app.playback.readSize, app.blocks.blockSize);  // faster: more read per block
    onMainScroll(app, kBarSpeed, kScrollBottom, 0);          // 16 shows at 1440
    EXPECT_EQ(bar(kBarSpeed), 1440);
    EXPECT_EQ(text(id::kFieldSpeed), "1600");

    onMainScroll(app, kBarPitch, kScrollBottom, 0);
    EXPECT_EQ(bar(kBarPitch), 1800);
    EXPECT_EQ(text(id::kFieldPitch), "2000");

    // Boost: the bar stays at 900 from 1.8 up and at 100 from 0.2 down.
    onMainScroll(app, kBarBoost, kScrollThumbDragged, 1000);
    EXPECT_FLOAT_EQ(app.level.mainBoost, 2.0f);
    EXPECT_EQ(bar(kBarBoost), 900);
    app.scroll.boostValue = -9.995f;
    onMainScroll(app, kBarBoost, kScrollLineLeft, 0);
    EXPECT_FLOAT_EQ(app.level.mainBoost, -10.0f);
    EXPECT_EQ(bar(kBarBoost), 100);
    EXPECT_EQ(text(id::kFieldBoost), "-1000");

    // Volume 1.5: readout 75, bar 150, both channels at trunc(100 x 1.5 x 0.5) = 75 percent.
    onMainScroll(app, kBarVolume, kScrollThumbDragged, 150);
    EXPECT_EQ(text(id::kFieldVolume), "75");
    EXPECT_EQ(bar(kBarVolume), 150);
    const uint32_t percent75 = 75 * 65535 / 100;
    EXPECT_EQ(fake.out.volume, percent75 << 16 | percent75);
}

TEST_F(ScrollBarsTest, RangeBarsAndPositionStep) {
    app.sound.dataSize = 123457;  // 123 bytes an index
    onMainScroll(app, kBarEnd, kScrollLineRight, 0);
    EXPECT_EQ(app.scroll.endIndex, 1000);
    EXPECT_EQ(app.scroll.endShown, 1001);
    EXPECT_EQ(bar(kBarEnd), 1001);
    EXPECT_EQ(app.playback.rangeEnd, 123120u);         // 123 x 1001 = 123123, to a multiple of 12
    onMainScroll(app, kBarStart, kScrollLineLeft, 0);  // from index 0
    EXPECT_EQ(bar(kBarStart), 2);
    EXPECT_EQ(app.playback.rangeStart, 240u);  // 246
    // Pages are 17 steps, within 1 .. 1000.
    for (auto [code, index] :
         {std::pair{kScrollPageRight, 18}, std::pair{kScrollPageLeft, 1},
          std::pair{kScrollThumbDragged, 990}, std::pair{kScrollPageRight, 1000}}) {
        onMainScroll(app, kBarStart, code, 990);
        EXPECT_EQ(app.scroll.startIndex, index) << code;
    }

    // 12 x trunc((rate div 48) / scale, within 16 .. 44100, x 0.0833)
    for (auto [rate, scale, step] :
         {std::tuple{44100, 1.0f, 912u}, std::tuple{8000, 1.0f, 156u},
          std::tuple{44100, 100.0f, 12u}, std::tuple{44100, 0.01f, 44100u}}) {
        app.format.samplesPerSecond = rate;
        app.display.horizontalScale = scale;
        recomputePositionStep(app);
        EXPECT_EQ(app.scroll.positionStep, step) << rate << " at " << scale;
    }
}

// 16-bit stereo of 30,000 frames: frame f holds f on the left and -f on the right.
class ScrollPositionBarTest : public ScrollBarsTest {
  protected:
    static constexpr uint32_t kData = 120000;  // 120 bytes an index

    ScrollPositionBarTest() {
        std::vector<int16_t> v;
        for (int f = 0; f < 30000; ++f)
            v.insert(v.end(), {static_cast<int16_t>(f), static_cast<int16_t>(-f)});
        file = canonicalWav(2, 44100, 16, samples16(v));
        writeFile(dir.file("p.wav"), file);
        app.sound.fileName = app.sound.playFileName = dir.file("p.wav");
        app.sound.dataSize = kData;
        app.sound.playStream.open(dir.file("p.wav"), FileStream::Mode::Read);
        recomputePositionStep(app);  // 912
    }
    void scroll(int code, int thumb = 0) { onMainScroll(app, kBarPosition, code, thumb); }

    TempDir dir;
    Bytes file;
};

TEST_F(ScrollPositionBarTest, StoppedStepsKeepThePositionInsideTheData) {
    const uint32_t cases[][6] = {
        // code, thumb, position before, index before, position after, bar after
        {kScrollLineLeft, 0, 799, 6, 799, 7},  // below 800 nothing moves
        {kScrollLineLeft, 0, 800, 6, 0, 1},    // never below 0
        {kScrollLineLeft, 0, 10000, 0, 9088, 76},
        {kScrollLineRight, 0, kData - 100, 0, kData + 812, 1007},  // past the end
        {kScrollPageRight, 0, 0, 5, 2520, 22},
        {kScrollPageLeft, 0, 5000, 10, 120, 2},  // index -6 kept at 1
        {kScrollPageRight, 0, 0, 995, kData, 1001},
        {kScrollThumbDragged, 500, 0, 0, 60000, 501},
        {kScrollTop, 0, 5000, 40, 120, 2},
        {kScrollBottom, 0, 0, 40, kData, 1001},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "code " << c[0] << " from " << c[2]);
        app.sound.position = c[2];
        app.scroll.positionIndex = static_cast<int32_t>(c[3]);
        app.ring.displayData = nullptr;
        int before = fake.ui.invalidations;
        scroll(static_cast<int>(c[0]), static_cast<int>(c[1]));
        EXPECT_EQ(app.sound.position, c[4]);
        EXPECT_EQ(bar(kBarPosition), static_cast<int>(c[5]));
        EXPECT_EQ(app.ring.displayData, app.ring.displayBuffer.data());
        EXPECT_EQ(fake.ui.invalidations, before + 2);
    }
    // The overview and the time follow: the first record holds frames 630 + 29j, j = 0..7.
    app.scroll.positionIndex = 5;
    scroll(kScrollPageRight);
    const Bytes record = samples16({630 + 203, -630, 630, -(630 + 203)});
    EXPECT_TRUE(std::equal(record.begin(), record.end(), app.ring.displayBuffer.begin()));
    EXPECT_EQ(text(id::kFieldTime), "0000:00.014");  // 2520 / 176400 s
}

TEST_F(ScrollPositionBarTest, PlayingStepsShowTheSoundAtTheNewPosition) {
    app.modes.playing = true;
    auto shows = [&](uint32_t position) {
        EXPECT_EQ(app.sound.position, position);
        auto from = file.begin() + 44 + position;
        EXPECT_TRUE(std::equal(from, from + 49152, app.ring.displayBuffer.begin())) << position;
        EXPECT_EQ(app.sound.playStream.tell(), 44 + position);
    };
    app.scroll.positionIndex = 5;
    scroll(kScrollPageRight);
    shows(2520);
    scroll(kScrollLineRight);
    shows(3432);
    EXPECT_EQ(bar(kBarPosition), 29);  // trunc(3432 / 120000 x 1000) + 1
    scroll(kScrollLineLeft);
    shows(2520);
    scroll(kScrollPageLeft);  // index 21 - 16
    shows(600);
}

}  // namespace
}  // namespace pelkit

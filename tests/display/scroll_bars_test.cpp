// The scroll bars: each stepping rule at its limits, the readouts and bar positions that follow a
// scroll action, the range bars, and the position bar while playing and while stopped.
#include <gtest/gtest.h>

#include <algorithm>

#include "app/app_state.h"
#include "app/control_ids.h"
#include "display/scroll_bars.h"
#include "display/scroll_rules.h"
#include "support/fake_platform.h"
#include "support/test_support.h"

namespace pelkit {
namespace {

using namespace test;

struct FloatCase {
    int code;
    float from;
    int thumb;
    float expected;
};

TEST(ScrollRules, FactorStepsOfSpeedAndPitch) {
    // Speed root: 0.08 .. 4 in steps of 0.004; pages are five steps.
    for (FloatCase c : {
             FloatCase{kScrollLineLeft, 1.0f, 0, 0.996f},
             FloatCase{kScrollLineLeft, 0.082f, 0, 0.08f},
             FloatCase{kScrollLineRight, 3.998f, 0, 4.0f},
             FloatCase{kScrollPageLeft, 1.0f, 0, 0.98f},
             FloatCase{kScrollPageLeft, 0.09f, 0, 0.08f},
             FloatCase{kScrollPageRight, 1.0f, 0, 1.02f},
             FloatCase{kScrollPageRight, 3.99f, 0, 4.0f},
             FloatCase{kScrollThumbDragged, 1.0f, 600, 1.2f},
             FloatCase{kScrollThumbDragged, 1.0f, 10, 0.08f},
             FloatCase{kScrollThumbDragged, 1.0f, 1600, 3.2f},
             FloatCase{kScrollTop, 1.0f, 0, 0.08f},
             FloatCase{kScrollBottom, 1.0f, 0, 4.0f},
             FloatCase{kScrollThumbReleased, 1.5f, 900, 1.5f},
             FloatCase{9, 1.5f, 0, 1.5f},
         }) {
        EXPECT_FLOAT_EQ(factorStep(c.from, c.code, c.thumb, 0.08f, 4.0f, 0.004f), c.expected)
            << "code " << c.code << " from " << c.from;
    }
    // Pitch: 0.04 .. 20.
    EXPECT_FLOAT_EQ(factorStep(1.0f, kScrollThumbDragged, 2000, 0.04f, 20.0f, 0.004f), 4.0f);
    EXPECT_FLOAT_EQ(factorStep(0.042f, kScrollLineLeft, 0, 0.04f, 20.0f, 0.004f), 0.04f);
    EXPECT_FLOAT_EQ(factorStep(1.0f, kScrollBottom, 0, 0.04f, 20.0f, 0.004f), 20.0f);
}

TEST(ScrollRules, BoostThumbReachesTwoWhileArrowsReachTen) {
    for (FloatCase c : {
             FloatCase{kScrollThumbDragged, 5.0f, 1, 0.002f},
             FloatCase{kScrollThumbDragged, 5.0f, 1000, 2.0f},
             FloatCase{kScrollLineRight, 9.995f, 0, 10.0f},
             FloatCase{kScrollLineLeft, -9.995f, 0, -10.0f},
             FloatCase{kScrollLineLeft, 0.0f, 0, -0.01f},
             FloatCase{kScrollPageRight, 1.0f, 0, 1.06f},
             FloatCase{kScrollPageLeft, 1.0f, 0, 0.94f},
             FloatCase{kScrollPageRight, 9.97f, 0, 10.0f},
             FloatCase{kScrollPageLeft, -9.97f, 0, -10.0f},
             FloatCase{kScrollTop, 5.0f, 0, 0.0f},
             FloatCase{kScrollBottom, 5.0f, 0, 10.0f},
         }) {
        EXPECT_FLOAT_EQ(boostStep(c.from, c.code, c.thumb, 10.0f), c.expected)
            << "code " << c.code << " from " << c.from;
    }
}

TEST(ScrollRules, FloatStepNeverBelowZero) {
    for (FloatCase c : {
             FloatCase{kScrollLineLeft, 0.005f, 0, 0.0f},
             FloatCase{kScrollPageLeft, 0.03f, 0, 0.0f},
             FloatCase{kScrollLineRight, 1.995f, 0, 2.0f},
             FloatCase{kScrollPageRight, 1.96f, 0, 2.0f},
             FloatCase{kScrollPageRight, 1.0f, 0, 1.06f},
             FloatCase{kScrollThumbDragged, 1.0f, 150, 1.5f},  // position / 100
             FloatCase{kScrollTop, 1.0f, 0, 0.0f},
             FloatCase{kScrollBottom, 1.0f, 0, 2.0f},
         }) {
        EXPECT_FLOAT_EQ(floatStep(c.from, c.code, c.thumb, 2.0f), c.expected)
            << "code " << c.code << " from " << c.from;
    }
    EXPECT_FLOAT_EQ(floatStep(0.0f, kScrollThumbDragged, 25, 1.0f), 0.5f);  // position / 50
}

TEST(ScrollRules, PanThumbIsSigned) {
    for (FloatCase c : {
             FloatCase{kScrollThumbDragged, 0.0f, 65496, -40.0f},  // -40 in the high word
             FloatCase{kScrollThumbDragged, 0.0f, -40, -40.0f},
             FloatCase{kScrollThumbDragged, 0.0f, 100, 100.0f},
             FloatCase{kScrollLineLeft, 0.0f, 0, -0.1f},
             FloatCase{kScrollLineLeft, -99.95f, 0, -100.0f},
             FloatCase{kScrollLineRight, 99.95f, 0, 100.0f},
             FloatCase{kScrollPageLeft, 0.0f, 0, -0.6f},
             FloatCase{kScrollPageRight, 0.0f, 0, 0.6f},
             FloatCase{kScrollPageRight, 99.5f, 0, 100.0f},
             FloatCase{kScrollTop, 0.0f, 0, -100.0f},
             FloatCase{kScrollBottom, 0.0f, 0, 100.0f},
         }) {
        EXPECT_FLOAT_EQ(panStep(c.from, c.code, c.thumb), c.expected)
            << "code " << c.code << " from " << c.from;
    }
}

TEST(ScrollRules, IntegerStepStaysWithinOneToRange) {
    struct Case {
        int code, from, thumb, expected;
    };
    for (Case c : {
             Case{kScrollLineLeft, 1, 0, 1},
             Case{kScrollLineLeft, 500, 0, 499},
             Case{kScrollLineRight, 1000, 0, 1000},
             Case{kScrollLineRight, 999, 0, 1000},
             Case{kScrollPageLeft, 100, 0, 83},
             Case{kScrollPageLeft, 18, 0, 1},
             Case{kScrollPageRight, 100, 0, 117},
             Case{kScrollPageRight, 990, 0, 1000},
             Case{kScrollThumbDragged, 7, 500, 500},
             Case{kScrollTop, 7, 0, 1},
             Case{kScrollBottom, 7, 0, 1000},
             Case{kScrollThumbReleased, 7, 500, 7},
         }) {
        EXPECT_EQ(integerStep(c.from, c.code, c.thumb, 1000), c.expected)
            << "code " << c.code << " from " << c.from;
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
    AppState app{fake.platform()};
};

TEST_F(ScrollBarsTest, CreatedWithTheirRangesAndFirstPositions) {
    createScrollBars(app);
    struct Case {
        int bar, min, max, pos;
    };
    for (Case c : {Case{kBarPosition, 1, 1000, 1}, Case{kBarStart, 1, 1000, 1},
                   Case{kBarEnd, 1, 1000, 1000}, Case{kBarBoost, 1, 1000, 500},
                   Case{kBarVolume, 1, 200, 140}, Case{kBarSpeed, 1, 1600, 500},
                   Case{kBarPitch, 1, 2000, 500}, Case{kBarPan, -100, 100, 0}}) {
        auto range = fake.ui.scrollRanges[{kFakeMainWindow, c.bar}];
        EXPECT_EQ(range, std::make_pair(c.min, c.max)) << c.bar;
        EXPECT_EQ(bar(c.bar), c.pos) << c.bar;
    }
}

TEST_F(ScrollBarsTest, SpeedAndPitchBars) {
    // The thumb at 600 sets the root 1.2; the speed is its square, shown at 1.44 x 500.
    app.playback.readSize = 0;
    onMainScroll(app, kBarSpeed, kScrollThumbDragged, 600);
    EXPECT_FLOAT_EQ(app.scroll.speedRoot, 1.2f);
    EXPECT_FLOAT_EQ(app.processing.speedFactor, 1.44f);
    EXPECT_EQ(bar(kBarSpeed), 720);
    EXPECT_EQ(text(id::kFieldSpeed), "144");
    EXPECT_GT(app.playback.readSize, app.blocks.blockSize);  // faster: more read per block
    onMainScroll(app, kBarSpeed, kScrollBottom, 0);
    EXPECT_EQ(bar(kBarSpeed), 1440);
    EXPECT_EQ(text(id::kFieldSpeed), "1600");
    onMainScroll(app, kBarSpeed, kScrollTop, 0);
    EXPECT_EQ(bar(kBarSpeed), 100);
    EXPECT_EQ(text(id::kFieldSpeed), "0");

    fake.clock.now = 12345;
    onMainScroll(app, kBarPitch, kScrollThumbDragged, 1000);
    EXPECT_FLOAT_EQ(app.processing.pitchFactor, 2.0f);
    EXPECT_EQ(bar(kBarPitch), 1000);
    EXPECT_EQ(text(id::kFieldPitch), "200");
    EXPECT_EQ(text(id::kFieldSequenceStatus), "000012.345(0012345) pitch 2.0000");
    fake.clock.now = 13000;
    onMainScroll(app, kBarPitch, kScrollBottom, 0);
    EXPECT_EQ(bar(kBarPitch), 1800);
    EXPECT_EQ(text(id::kFieldPitch), "2000");
    EXPECT_EQ(text(id::kFieldSequenceStatus), "000013.000(0000655) pitch 20.0000");
}

TEST_F(ScrollBarsTest, BoostVolumeAndPanBars) {
    onMainScroll(app, kBarBoost, kScrollThumbDragged, 1000);
    EXPECT_FLOAT_EQ(app.level.mainBoost, 2.0f);
    EXPECT_EQ(bar(kBarBoost), 900);
    EXPECT_EQ(text(id::kFieldBoost), "200");
    onMainScroll(app, kBarBoost, kScrollBottom, 0);
    EXPECT_FLOAT_EQ(app.level.mainBoost, 10.0f);
    EXPECT_EQ(bar(kBarBoost), 900);
    EXPECT_EQ(text(id::kFieldBoost), "1000");
    app.scroll.boostValue = -9.995f;
    onMainScroll(app, kBarBoost, kScrollLineLeft, 0);
    EXPECT_FLOAT_EQ(app.level.mainBoost, -10.0f);
    EXPECT_EQ(bar(kBarBoost), 100);
    EXPECT_EQ(text(id::kFieldBoost), "-1000");

    // Volume 1.5: readout 75, bar 150, both channels at trunc(100 x 1.5 x 0.5) = 75 percent.
    onMainScroll(app, kBarVolume, kScrollThumbDragged, 150);
    EXPECT_FLOAT_EQ(app.level.wavVolume, 1.5f);
    EXPECT_EQ(text(id::kFieldVolume), "75");
    EXPECT_EQ(bar(kBarVolume), 150);
    const uint32_t percent75 = 75 * 65535 / 100;
    EXPECT_EQ(fake.out.volume, percent75 << 16 | percent75);

    onMainScroll(app, kBarPan, kScrollThumbDragged, 65496);
    EXPECT_FLOAT_EQ(app.level.mainPan, -40.0f);
    EXPECT_EQ(text(id::kFieldPan), "-40");
    EXPECT_EQ(bar(kBarPan), -40);
}

TEST_F(ScrollBarsTest, StartAndEndBarsSetTheRange) {
    app.sound.dataSize = 123457;  // 123 bytes an index
    onMainScroll(app, kBarEnd, kScrollLineRight, 0);
    EXPECT_EQ(app.scroll.endIndex, 1000);
    EXPECT_EQ(app.scroll.endShown, 1001);
    EXPECT_EQ(bar(kBarEnd), 1001);
    EXPECT_EQ(app.playback.rangeEnd, 123120u);  // 123 x 1001 = 123123, down to a multiple of 12

    onMainScroll(app, kBarStart, kScrollLineLeft, 0);  // from index 0
    EXPECT_EQ(app.scroll.startIndex, 1);
    EXPECT_EQ(bar(kBarStart), 2);
    EXPECT_EQ(app.playback.rangeStart, 240u);  // 246
    onMainScroll(app, kBarStart, kScrollPageRight, 0);
    EXPECT_EQ(app.scroll.startShown, 19);
    EXPECT_EQ(app.playback.rangeStart, 2328u);  // 2337
}

TEST_F(ScrollBarsTest, PositionStepFromRateAndScale) {
    struct Case {
        int32_t rate;
        float scale;
        uint32_t step;
    };
    for (Case c : {Case{44100, 1.0f, 912}, Case{8000, 1.0f, 156}, Case{22050, 2.0f, 228},
                   Case{44100, 100.0f, 12}, Case{44100, 0.01f, 44100}}) {
        app.format.samplesPerSecond = c.rate;
        app.display.horizontalScale = c.scale;
        recomputePositionStep(app);
        EXPECT_EQ(app.scroll.positionStep, c.step) << c.rate << " at " << c.scale;
    }
}

// 16-bit stereo of 30,000 frames: frame f holds f on the left and -f on the right.
class ScrollPositionBarTest : public ScrollBarsTest {
  protected:
    static constexpr uint32_t kData = 120000;  // 120 bytes an index

    ScrollPositionBarTest() {
        std::vector<int16_t> v;
        for (int f = 0; f < 30000; ++f) {
            v.push_back(static_cast<int16_t>(f));
            v.push_back(static_cast<int16_t>(-f));
        }
        file = canonicalWav(2, 44100, 16, samples16(v));
        writeFile(dir.file("p.wav"), file);
        app.sound.fileName = app.sound.playFileName = dir.file("p.wav");
        app.sound.dataSize = kData;
        app.sound.playStream.open(dir.file("p.wav"), FileStream::Mode::Read);
        recomputePositionStep(app);  // 912
    }
    void scroll(int code, int thumb = 0) { onMainScroll(app, kBarPosition, code, thumb); }
    // The first overview record from the position: frames p/4 + 29j, j = 0..7.
    std::vector<int> firstRecord() const {
        const std::vector<uint8_t>& b = app.ring.displayBuffer;
        std::vector<int> r;
        for (int i = 0; i < 8; i += 2)
            r.push_back(static_cast<int16_t>(b[i] | b[i + 1] << 8));
        return r;
    }
    std::vector<int> recordAtFrame(int f) const { return {f + 203, -f, f, -(f + 203)}; }

    TempDir dir;
    Bytes file;
};

TEST_F(ScrollPositionBarTest, StoppedStepsKeepThePositionInsideTheData) {
    struct Case {
        int code, thumb;
        uint32_t from;
        int32_t fromIndex;
        uint32_t position;
        int shown;
    };
    for (Case c : {
             Case{kScrollLineLeft, 0, 799, 6, 799, 7},  // below 800 nothing moves
             Case{kScrollLineLeft, 0, 800, 6, 0, 1},    // never below 0
             Case{kScrollLineLeft, 0, 10000, 0, 9088, 76},
             Case{kScrollLineRight, 0, 10000, 0, 10912, 91},
             Case{kScrollLineRight, 0, kData - 100, 0, kData + 812, 1007},  // past the end
             Case{kScrollPageRight, 0, 0, 5, 2520, 22},
             Case{kScrollPageLeft, 0, 5000, 10, 120, 2},  // index -6 kept at 1
             Case{kScrollPageRight, 0, 0, 995, kData, 1001},
             Case{kScrollThumbDragged, 500, 0, 0, 60000, 501},
             Case{kScrollTop, 0, 5000, 40, 120, 2},
             Case{kScrollBottom, 0, 0, 40, kData, 1001},
         }) {
        SCOPED_TRACE(testing::Message() << "code " << c.code << " from " << c.from);
        app.sound.position = c.from;
        app.scroll.positionIndex = c.fromIndex;
        app.ring.displayData = nullptr;
        int before = fake.ui.invalidations;
        scroll(c.code, c.thumb);
        EXPECT_EQ(app.sound.position, c.position);
        EXPECT_EQ(bar(kBarPosition), c.shown);
        EXPECT_EQ(app.ring.displayData, app.ring.displayBuffer.data());
        EXPECT_EQ(fake.ui.invalidations, before + 2);
    }
    // The overview follows the new position, and the time readout too.
    app.scroll.positionIndex = 5;
    scroll(kScrollPageRight);
    EXPECT_EQ(firstRecord(), recordAtFrame(2520 / 4));
    EXPECT_EQ(text(id::kFieldTime), "0000:00.014");  // 2520 / 176400 s
}

TEST_F(ScrollPositionBarTest, PlayingStepsShowTheSoundAtTheNewPosition) {
    app.modes.playing = true;
    auto shownFrom = [&](uint32_t position) {
        EXPECT_TRUE(std::equal(file.begin() + 44 + position, file.begin() + 44 + position + 49152,
                               app.ring.displayBuffer.begin()));
        EXPECT_EQ(app.sound.playStream.tell(), 44 + position);
    };
    app.scroll.positionIndex = 5;
    scroll(kScrollPageRight);
    EXPECT_EQ(app.sound.position, 2520u);
    shownFrom(2520);
    scroll(kScrollLineRight);
    EXPECT_EQ(app.sound.position, 3432u);
    EXPECT_EQ(bar(kBarPosition), 29);  // trunc(3432 / 120000 x 1000) + 1
    shownFrom(3432);
    scroll(kScrollLineLeft);
    EXPECT_EQ(app.sound.position, 2520u);
    EXPECT_EQ(bar(kBarPosition), 22);
    shownFrom(2520);
    scroll(kScrollPageLeft);  // index 21 - 16
    EXPECT_EQ(app.sound.position, 600u);
    shownFrom(600);
}

}  // namespace
}  // namespace pelkit

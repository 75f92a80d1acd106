// The waveform windows: what each paint draws, the display timer, the display commands and the
// overview read from the file. Every expected line is worked out here from bytes the test wrote.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <ostream>
#include <vector>

#include "app/app_state.h"
#include "display/scroll_bars.h"
#include "display/waveform.h"
#include "support/fake_platform.h"
#include "support/test_support.h"

namespace pelkit {
namespace {

using namespace test;

constexpr uint32_t kBlock = 49152;

struct Op {
    char kind;  // 'f' fill, 'l' line
    Pen pen;
    int x0, y0, x1, y1;
    bool operator==(const Op&) const = default;
};

void PrintTo(const Op& op, std::ostream* os) {
    *os << op.kind << '/' << static_cast<int>(op.pen) << " (" << op.x0 << ',' << op.y0 << ")-("
        << op.x1 << ',' << op.y1 << ')';
}

Op line(Pen pen, int x0, int y0, int x1, int y1) {
    return {'l', pen, x0, y0, x1, y1};
}

class RecordingCanvas final : public Canvas {
  public:
    std::vector<Op> ops;
    void fillBlack(int x0, int y0, int x1, int y1) override {
        ops.push_back({'f', Pen::Black, x0, y0, x1, y1});
    }
    void selectPen(Pen pen) override { pen_ = pen; }
    void moveTo(int x, int y) override {
        x_ = x;
        y_ = y;
    }
    void lineTo(int x, int y) override {
        ops.push_back(line(pen_, x_, y_, x, y));
        x_ = x;
        y_ = y;
    }
    std::vector<Op> lines(Pen pen) const {
        std::vector<Op> out;
        for (const Op& op : ops) {
            if (op.kind == 'l' && op.pen == pen) out.push_back(op);
        }
        return out;
    }

  private:
    Pen pen_ = Pen::Black;
    int x_ = 0, y_ = 0;
};

// Bytes without a period (a 32-bit xorshift).
Bytes noise(size_t n, uint32_t seed) {
    Bytes b(n);
    uint32_t x = 0x9E3779B9u ^ seed;
    for (uint8_t& v : b) {
        x ^= x << 13;
        x ^= x >> 17;
        x ^= x << 5;
        v = static_cast<uint8_t>(x >> 24);
    }
    return b;
}

int value16(const Bytes& b, size_t at) {
    return static_cast<int16_t>(static_cast<uint16_t>(b[at] | b[at + 1] << 8));
}

void set16(Bytes& b, size_t at, int v) {
    b[at] = static_cast<uint8_t>(v & 0xFF);
    b[at + 1] = static_cast<uint8_t>((v >> 8) & 0xFF);
}

// The trace over 16-bit stereo bytes from BASE: it starts at (0, 55 + -s0 / 625), s0 the value
// at BASE; column i goes to (trunc(i x scale), 55 + -v / 625), v the value 4i + 4 bytes on.
std::vector<Op> expectedTrace(const Bytes& data, size_t base, uint32_t lines, double scale) {
    std::vector<Op> out;
    int px = 0, py = 55 + -value16(data, base) / 625;
    for (uint32_t i = 0; i < lines; ++i) {
        int x = static_cast<int>(i * scale);
        int y = 55 + -value16(data, base + 4 * i + 4) / 625;
        out.push_back(line(Pen::Trace, px, py, x, y));
        px = x;
        py = y;
    }
    return out;
}

// The seven cursor lines at X.
std::vector<Op> expectedCursor(int x) {
    return {line(Pen::Mark, x - 5, 107, x, 102), line(Pen::Mark, x + 5, 107, x, 102),
            line(Pen::Mark, x, 107, x, 92),      line(Pen::Mark, x - 5, 3, x, 8),
            line(Pen::Mark, x + 5, 3, x, 8),     line(Pen::Mark, x, 3, x, 18),
            line(Pen::Mark, x, 50, x, 60)};
}

class WaveformTest : public ::testing::Test {
  protected:
    WaveformTest() {
        app.windows.mainDialog = kFakeMainWindow;
        show(noise(kDisplayBufferSize, 7));
    }
    void show(const Bytes& bytes) {
        data = bytes;
        app.ring.displayBuffer = bytes;
        app.ring.displayData = app.ring.displayBuffer.data();
    }
    RecordingCanvas paint(bool upper) {
        RecordingCanvas c;
        upper ? paintUpper(app, c) : paintLower(app, c);
        return c;
    }

    FakePlatform fake;
    AppState app{fake.platform()};
    Bytes data;
};

TEST(WaveformGeometry, DivisorWidthAndColumnValues) {
    EXPECT_EQ(amplitudeDivisor(), 625);
    EXPECT_EQ(visibleWidth(1.0f), 248);
    EXPECT_EQ(visibleWidth(10.0f), 24);
    EXPECT_EQ(visibleWidth(100.0f), 2);

    // 8-bit: byte 2i, times 256, less 32767.
    const uint8_t bytes8[] = {128, 9, 255, 9, 0, 9};
    EXPECT_EQ(columnValue(bytes8, 0, 8), 1);
    EXPECT_EQ(columnValue(bytes8, 1, 8), 32513);
    EXPECT_EQ(columnValue(bytes8, 2, 8), -32767);

    // 16-bit: 4i + 4 bytes on; 24-bit: 6i + 4.
    Bytes b(32, 0);
    set16(b, 12, -1234);
    set16(b, 16, 4321);
    EXPECT_EQ(columnValue(b.data(), 2, 16), -1234);
    EXPECT_EQ(columnValue(b.data(), 2, 24), 4321);
}

TEST_F(WaveformTest, UpperDrawsMarksTraceOfLeftChannelAndCursor) {
    app.display.editCursor = 20;
    RecordingCanvas c = paint(true);
    ASSERT_FALSE(c.ops.empty());
    EXPECT_EQ(c.ops.front(), (Op{'f', Pen::Black, 0, 0, 248, 110}));

    std::vector<Op> marks = {line(Pen::Mark, 0, 55, 248, 55), line(Pen::Mark, 0, 107, 248, 107),
                             line(Pen::Mark, 0, 3, 248, 3)};
    for (const Op& cursor : expectedCursor(20))
        marks.push_back(cursor);
    EXPECT_EQ(c.lines(Pen::Mark), marks);
    // w = 248, n = min((24576 - 0 - 1) div 2, 245) = 245: columns 0 to 243.
    EXPECT_EQ(c.lines(Pen::Trace), expectedTrace(data, 0, 244, 1.0));
    EXPECT_EQ(c.ops.size(), 1u + 3 + 244 + 7);
}

TEST_F(WaveformTest, LowerDrawsLevelLineAndRightChannel) {
    RecordingCanvas c = paint(false);
    EXPECT_EQ(c.ops.front(), (Op{'f', Pen::Black, 0, 0, 248, 110}));
    // skipLevel 1 at scale 1: 55 + 0.524 gives y 55.
    std::vector<Op> marks = {line(Pen::Mark, 0, 55, 248, 55), line(Pen::Mark, 0, 55, 248, 55),
                             line(Pen::Mark, 0, 107, 248, 107), line(Pen::Mark, 0, 3, 248, 3)};
    for (const Op& cursor : expectedCursor(0))
        marks.push_back(cursor);
    EXPECT_EQ(c.lines(Pen::Mark), marks);
    // One sample further: the right channel.
    EXPECT_EQ(c.lines(Pen::Trace), expectedTrace(data, 2, 244, 1.0));

    struct Case {
        int32_t skipLevel;
        float vertical;
        int y;
    };
    // y = trunc(55 + skipLevel x 32767 x 0.01 / 625 x verticalScale)
    for (Case k : {Case{50, 1.0f, 81}, Case{50, 2.0f, 107}, Case{-100, 1.0f, 2}}) {
        app.display.skipLevel = k.skipLevel;
        app.display.verticalScale = k.vertical;
        EXPECT_EQ(paint(false).lines(Pen::Mark)[1], line(Pen::Mark, 0, k.y, 248, k.y))
            << k.skipLevel << " at " << k.vertical;
    }

    // At scale 2 the centre line ends at w = 124 while the others span the window.
    app.display.verticalScale = 1.0f;
    app.display.horizontalScale = 2.0f;
    app.display.editCursor = 30;
    c = paint(false);
    EXPECT_EQ(c.lines(Pen::Mark)[0], line(Pen::Mark, 0, 55, 124, 55));
    EXPECT_EQ(c.lines(Pen::Mark)[2], line(Pen::Mark, 0, 107, 248, 107));
    EXPECT_EQ(c.lines(Pen::Mark)[4], expectedCursor(60)[0]);
    EXPECT_EQ(c.lines(Pen::Trace), expectedTrace(data, 2, 120, 2.0));
}

TEST_F(WaveformTest, TraceAtHorizontalScales) {
    // Scale 10: w = 24, n = 21, twenty columns ten pixels apart.
    app.display.horizontalScale = 10.0f;
    EXPECT_EQ(paint(true).lines(Pen::Trace), expectedTrace(data, 0, 20, 10.0));

    // Nine "-" presses from 1.0 drift to just below 0.1: w = 2480, n = 2477, ten columns an x.
    app.display.horizontalScale = 1.0f;
    for (int i = 0; i < 9; ++i)
        onDisplayCommand(app, 1142);
    show(data);  // the commands refreshed the overview over it
    float nearTenth = app.display.horizontalScale;
    ASSERT_NEAR(nearTenth, 0.1, 1e-6);
    ASSERT_LT(nearTenth, 0.1f);
    std::vector<Op> trace = paint(true).lines(Pen::Trace);
    EXPECT_EQ(trace, expectedTrace(data, 0, 2476, static_cast<double>(nearTenth)));
    ASSERT_EQ(trace.size(), 2476u);
    EXPECT_EQ(trace[10].x1, 0);  // 10 x 0.0999999 is still below 1
    EXPECT_EQ(trace[11].x1, 1);

    // Scale 100: w = 2, and w - 3 read as unsigned no longer limits n = 12287.
    app.display.horizontalScale = 100.0f;
    EXPECT_EQ(paint(true).lines(Pen::Trace), expectedTrace(data, 0, 12286, 100.0));

    // Mono late in a block: 24576 - 63504 - 1 wraps, and the cap w - 3 = 245 limits n.
    // Tick 20 at 44100 Hz mono starts at 144 x trunc(20 x 44.1) = 127008.
    app.format.channels = 1;
    app.display.horizontalScale = 1.0f;
    app.display.tickCount = 20;
    EXPECT_EQ(paint(true).lines(Pen::Trace), expectedTrace(data, 127008, 244, 1.0));
}

TEST_F(WaveformTest, TraceStopsWhereTheDisplayBufferEnds) {
    // Tick 38 of 16-bit stereo starts 144 x trunc(38 x 88.2) = 482544 bytes in, 8976 before the
    // end; n wraps and scale 100 leaves it uncapped. Column i reads bytes 4i + 4 and 4i + 5, so
    // the last column that fits is 2242.
    app.display.horizontalScale = 100.0f;
    app.display.tickCount = 38;
    auto began = std::chrono::steady_clock::now();
    RecordingCanvas c = paint(true);
    auto took = std::chrono::steady_clock::now() - began;
    EXPECT_EQ(c.lines(Pen::Trace), expectedTrace(data, 482544, 2243, 100.0));
    // Some 2,300 lines: a paint on the window's thread must not take a noticeable time.
    EXPECT_LT(std::chrono::duration_cast<std::chrono::milliseconds>(took).count(), 500);
    EXPECT_EQ(c.lines(Pen::Mark).size(), 3u + 7);

    // A start beyond the buffer draws no trace but the marks and the cursor.
    app.display.tickCount = 1000;
    c = paint(true);
    EXPECT_TRUE(c.lines(Pen::Trace).empty());
    EXPECT_EQ(c.lines(Pen::Mark).size(), 3u + 7);
}

TEST_F(WaveformTest, EightBitColumnsAndFullScaleClamp) {
    app.format.bitsPerSample = 8;
    app.format.channels = 1;
    Bytes bytes(kDisplayBufferSize, 128);
    bytes[1] = 0;  // the start point reads a 16-bit value: 128, drawn at the centre
    bytes[2] = 255;
    bytes[4] = 0;
    show(bytes);
    std::vector<Op> trace = paint(true).lines(Pen::Trace);
    ASSERT_EQ(trace.size(), 244u);
    // Columns 1, 32513 and -32767 are drawn at y 55, 3 and 107.
    EXPECT_EQ(trace[0], line(Pen::Trace, 0, 55, 0, 55));
    EXPECT_EQ(trace[1], line(Pen::Trace, 0, 55, 1, 3));
    EXPECT_EQ(trace[2], line(Pen::Trace, 1, 3, 2, 107));
    EXPECT_EQ(trace[3], line(Pen::Trace, 2, 107, 3, 55));

    // 16-bit at vertical scale 100: full scale is clamped to -32768 / 32767 before the division.
    app.format.bitsPerSample = 16;
    app.format.channels = 2;
    app.display.verticalScale = 100.0f;
    bytes.assign(kDisplayBufferSize, 0);
    set16(bytes, 4, 32767);    // left of frame 1
    set16(bytes, 8, -32768);   // left of frame 2
    set16(bytes, 12, 100);     // 10000 after scaling: 16 pixels up
    set16(bytes, 10, -32768);  // right of frame 2
    set16(bytes, 14, 32767);   // right of frame 3
    show(bytes);
    trace = paint(true).lines(Pen::Trace);
    EXPECT_EQ(trace[0], line(Pen::Trace, 0, 55, 0, 3));
    EXPECT_EQ(trace[1], line(Pen::Trace, 0, 3, 1, 107));
    EXPECT_EQ(trace[2], line(Pen::Trace, 1, 107, 2, 39));
    trace = paint(false).lines(Pen::Trace);
    EXPECT_EQ(trace[1], line(Pen::Trace, 0, 55, 1, 107));
    EXPECT_EQ(trace[2], line(Pen::Trace, 1, 107, 2, 3));
}

TEST_F(WaveformTest, SpectrumBarsReplaceTheTrace) {
    app.display.spectrumMode = true;
    app.display.editCursor = 10;
    app.playback.outputLength = 6 * 4;  // n = 6: bars 0 to 4
    std::vector<uint8_t>& bars = app.display.spectrumBuffer;
    const int values[] = {1000, 32767, -5, 40000, 312};
    for (int i = 0; i < 5; ++i) {
        bars[4 * i] = static_cast<uint8_t>(values[i] & 0xFF);
        bars[4 * i + 1] = static_cast<uint8_t>((values[i] >> 8) & 0xFF);
    }
    RecordingCanvas c = paint(true);
    // y = 107 - trunc(clamp(2 s, 0, 65535)) div 625; 40000 reads as negative.
    std::vector<Op> expected = {
        line(Pen::Trace, 0, 107, 248, 107), line(Pen::Trace, 0, 3, 248, 3),
        line(Pen::Trace, 0, 107, 0, 104),   line(Pen::Trace, 5, 107, 5, 3),
        line(Pen::Trace, 10, 107, 10, 107), line(Pen::Trace, 15, 107, 15, 107),
        line(Pen::Trace, 20, 107, 20, 107)};
    EXPECT_EQ(c.lines(Pen::Trace), expected);
    EXPECT_TRUE(c.lines(Pen::Mark).empty());  // no marks, no cursor
}

TEST_F(WaveformTest, DisplayOffOrChannelHiddenLeavesPlainBlack) {
    const Op black{'f', Pen::Black, 0, 0, 248, 110};
    app.display.displayOn = false;
    EXPECT_EQ(paint(true).ops, std::vector<Op>{black});
    EXPECT_EQ(paint(false).ops, std::vector<Op>{black});
    app.display.displayOn = true;
    app.display.showLeft = false;
    EXPECT_EQ(paint(true).ops, std::vector<Op>{black});
    EXPECT_GT(paint(false).ops.size(), 1u);
    app.display.showLeft = true;
    app.display.showRight = false;
    EXPECT_EQ(paint(false).ops, std::vector<Op>{black});
    EXPECT_GT(paint(true).ops.size(), 1u);
}

TEST_F(WaveformTest, DisplayTimerLimitAndTicks) {
    app.display.tickCount = 5;
    startDisplayTimer(app);
    EXPECT_EQ(fake.ui.timerPeriod, 72);
    EXPECT_EQ(app.display.tickCount, 0u);
    EXPECT_EQ(app.display.tickLimit, 2u);  // 49152 / trunc(88200 x 0.144) - 1 = 2.87
    for (uint32_t expected : {1u, 2u, 2u}) {
        int before = fake.ui.invalidations;
        onDisplayTick(app);
        EXPECT_EQ(app.display.tickCount, expected);
        EXPECT_EQ(fake.ui.invalidations, before + 2);
    }
    app.format.samplesPerSecond = 22050;
    app.format.channels = 1;
    startDisplayTimer(app);
    EXPECT_EQ(app.display.tickLimit, 14u);  // 49152 / 3175 - 1 = 14.48
    stopDisplayTimer(app);
    EXPECT_EQ(fake.ui.timerPeriod, 0);
}

TEST_F(WaveformTest, TickRereadsTheBlockBeingHeardUnlessDisplayIsOff) {
    TempDir dir;
    const Bytes file = noise(6 * kBlock + 100, 3);
    writeFile(dir.file("s.raw"), file);
    FileStream& stream = app.sound.playStream;
    ASSERT_TRUE(stream.open(dir.file("s.raw"), FileStream::Mode::Read));
    startDisplayTimer(app);
    const Bytes before = app.ring.displayBuffer;
    auto firstBlock = [&] {
        return Bytes(app.ring.displayBuffer.begin(), app.ring.displayBuffer.begin() + kBlock);
    };

    // Switched off: no read, no step, no repaint.
    app.display.displayOn = false;
    app.sound.position = 5 * kBlock;
    stream.seek(5 * kBlock + 40);
    onDisplayTick(app);
    EXPECT_EQ(app.ring.displayBuffer, before);
    EXPECT_EQ(app.display.tickCount, 0u);
    EXPECT_EQ(fake.ui.invalidations, 0);
    EXPECT_EQ(stream.tell(), 5 * kBlock + 40);

    // Not beyond four blocks: the picture moves within what the buffer holds.
    app.display.displayOn = true;
    app.sound.position = 4 * kBlock;
    onDisplayTick(app);
    EXPECT_EQ(app.ring.displayBuffer, before);
    EXPECT_EQ(app.display.tickCount, 1u);

    // Beyond: the block four behind the stream is read, and the stream ends where it was.
    app.sound.position = 4 * kBlock + 1;
    onDisplayTick(app);
    EXPECT_EQ(firstBlock(), Bytes(file.begin() + kBlock + 40, file.begin() + 2 * kBlock + 40));
    EXPECT_TRUE(
        std::equal(before.begin() + kBlock, before.end(), app.ring.displayBuffer.begin() + kBlock));
    EXPECT_EQ(stream.tell(), 5 * kBlock + 40);
    EXPECT_EQ(app.display.tickCount, 2u);
}

TEST_F(WaveformTest, DisplayCommandsAndTheirLimits) {
    DisplayState& d = app.display;
    onDisplayCommand(app, 1137);  // already at 1.0
    EXPECT_EQ(d.verticalScale, 1.0f);
    onDisplayCommand(app, 1138);
    EXPECT_EQ(d.verticalScale, static_cast<float>(1.0f + 0.1));
    onDisplayCommand(app, 1139);
    EXPECT_EQ(d.verticalScale, 1.0f);
    d.verticalScale = 100.0f;
    onDisplayCommand(app, 1138);
    EXPECT_EQ(d.verticalScale, 100.0f);
    EXPECT_EQ(fake.ui.invalidations, 0);  // the vertical scale waits for the next paint

    onDisplayCommand(app, 1140);
    EXPECT_EQ(d.horizontalScale, static_cast<float>(1.0f + 0.1));
    EXPECT_EQ(app.scroll.positionStep, 828u);  // 12 x trunc(918 / 1.1 x 0.0833)
    EXPECT_EQ(fake.ui.invalidations, 2);
    onDisplayCommand(app, 1141);
    EXPECT_EQ(d.horizontalScale, 1.0f);
    EXPECT_EQ(app.scroll.positionStep, 912u);
    d.horizontalScale = 1000.0f;
    onDisplayCommand(app, 1140);
    EXPECT_EQ(d.horizontalScale, 1000.0f);
    d.horizontalScale = 0.0999f;
    onDisplayCommand(app, 1142);
    EXPECT_EQ(d.horizontalScale, 0.0999f);

    onDisplayCommand(app, 1135);
    EXPECT_FALSE(d.displayOn);
    onDisplayCommand(app, 1136);
    EXPECT_TRUE(d.showWhileRecording);
}

// ----- the overview -----

// 16-bit stereo samples whose left and right values jump about independently, so the largest
// and smallest of a record come from different frames on each side.
Bytes overviewSamples(size_t frames) {
    std::vector<int16_t> v;
    for (size_t f = 0; f < frames; ++f) {
        v.push_back(static_cast<int16_t>(static_cast<int>(f * 7919 % 60001) - 30000));
        v.push_back(static_cast<int16_t>(static_cast<int>(f * 104729 % 50001) - 25000));
    }
    return samples16(v);
}

// Record m from byte START of the data: frames START / 4 + 232m + 29j, j = 0..7 (those that
// lie inside the data), as max left, max right, min left, min right.
std::vector<int> expectedRecord(const Bytes& data, size_t start, size_t m) {
    int maxL = -40000, maxR = -40000, minL = 40000, minR = 40000;
    for (size_t j = 0; j < 8; ++j) {
        size_t at = start + 928 * m + 116 * j;
        if (at + 4 > data.size()) break;
        maxL = std::max(maxL, value16(data, at));
        minL = std::min(minL, value16(data, at));
        maxR = std::max(maxR, value16(data, at + 2));
        minR = std::min(minR, value16(data, at + 2));
    }
    return {maxL, maxR, minL, minR};
}

std::vector<int> recordAt(const std::vector<uint8_t>& buffer, size_t m) {
    Bytes b(buffer.begin() + 8 * m, buffer.begin() + 8 * m + 8);
    return {value16(b, 0), value16(b, 2), value16(b, 4), value16(b, 6)};
}

class WaveformOverviewTest : public WaveformTest {
  protected:
    void writeSound(const Bytes& samples) {
        sound = samples;
        writeFile(dir.file("o.wav"), canonicalWav(2, 44100, 16, samples));
        app.sound.fileName = dir.file("o.wav");
        app.sound.dataSize = static_cast<uint32_t>(samples.size());
        show(Bytes(kDisplayBufferSize, 0xAA));
    }
    TempDir dir;
    Bytes sound;
};

TEST_F(WaveformOverviewTest, RecordsOfEightFramesPer928Bytes) {
    writeSound(overviewSamples(3 * 232 + 50));  // three records and a part of one
    app.sound.position = 0;
    buildOverview(app, 80, 1000);
    for (size_t m = 0; m < 4; ++m) {
        EXPECT_EQ(recordAt(app.ring.displayBuffer, m), expectedRecord(sound, 0, m)) << m;
    }
    // After the end of the file the area asked for stays zero, the rest is untouched.
    for (size_t i = 32; i < 80; ++i)
        ASSERT_EQ(app.ring.displayBuffer[i], 0) << i;
    EXPECT_EQ(app.ring.displayBuffer[80], 0xAA);
    EXPECT_FALSE(app.display.overviewBusy);

    // From the play position.
    writeSound(overviewSamples(20 * 232));
    app.sound.position = 1160;
    buildOverview(app, 80, 1000);
    for (size_t m = 0; m < 10; ++m) {
        EXPECT_EQ(recordAt(app.ring.displayBuffer, m), expectedRecord(sound, 1160, m)) << m;
    }
}

TEST_F(WaveformOverviewTest, RefreshAndWholeWaveformByteCounts) {
    // refreshOverview: trunc(2048 / scale) bytes, here 1024, and only when not playing.
    writeSound(overviewSamples(300 * 232));
    app.display.horizontalScale = 2.0f;
    app.modes.playing = true;
    refreshOverview(app);
    EXPECT_EQ(app.ring.displayBuffer[0], 0xAA);
    app.modes.playing = false;
    refreshOverview(app);
    EXPECT_EQ(recordAt(app.ring.displayBuffer, 127), expectedRecord(sound, 0, 127));
    EXPECT_EQ(app.ring.displayBuffer[1024], 0xAA);

    // Whole waveform of 18560 bytes: 18560 div 124 + 8 = 157 bytes, written as long as fewer
    // than 157 are done: 20 records (160 bytes).
    writeSound(overviewSamples(20 * 232));
    app.ring.displayData = nullptr;
    showWholeWaveform(app);
    EXPECT_EQ(app.ring.displayData, app.ring.displayBuffer.data());
    EXPECT_EQ(fake.ui.invalidations, 2);
    for (size_t m = 0; m < 20; ++m) {
        EXPECT_EQ(recordAt(app.ring.displayBuffer, m), expectedRecord(sound, 0, m)) << m;
    }
    EXPECT_EQ(app.ring.displayBuffer[160], 0xAA);

    // A data size far beyond the file asks for more than the buffer: the whole buffer is used
    // and nothing beyond it.
    app.sound.dataSize = 0xFFFFFFF0u;
    showWholeWaveform(app);
    ASSERT_EQ(app.ring.displayBuffer.size(), kDisplayBufferSize);
    EXPECT_EQ(recordAt(app.ring.displayBuffer, 19), expectedRecord(sound, 0, 19));
    EXPECT_EQ(app.ring.displayBuffer[160], 0);
    EXPECT_EQ(app.ring.displayBuffer[kDisplayBufferSize - 1], 0);
}

TEST_F(WaveformOverviewTest, BusyFlagKeepsASecondBuildOut) {
    writeSound(overviewSamples(20 * 232));
    app.display.overviewBusy = true;
    buildOverview(app, 80, 1000);
    refreshOverview(app);
    EXPECT_EQ(app.ring.displayBuffer, Bytes(kDisplayBufferSize, 0xAA));
    EXPECT_TRUE(app.display.overviewBusy);
    app.display.overviewBusy = false;
    buildOverview(app, 80, 1000);
    EXPECT_EQ(recordAt(app.ring.displayBuffer, 9), expectedRecord(sound, 0, 9));
    EXPECT_FALSE(app.display.overviewBusy);
}

}  // namespace
}  // namespace pelkit

// The waveform windows: what each paint draws, the display timer and the overview read from the
// file. Every expected line is worked out here from bytes the test wrote.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <string>
#include <vector>

#include "display/waveform.h"
#include "state/app_state.h"
#include "support/fake_platform.h"
#include "support/test_support.h"

namespace pelkit {
namespace {

using namespace test;
using Lines = std::vector<std::string>;

constexpr uint32_t kBlock = 49152;

std::string op(char pen, int x0, int y0, int x1, int y1) {
    return std::string(1, pen) + ' ' + std::to_string(x0) + ' ' + std::to_string(y0) + ' ' +
           std::to_string(x1) + ' ' + std::to_string(y1);
}

// Records a paint as text: 'f' for the fill, 'b', 'm' or 't' for a line in the black, mark or
// trace pen.
class RecordingCanvas final : public Canvas {
  public:
    Lines ops;
    char pen_ = 'b';
    int x_ = 0, y_ = 0;
    void fillBlack(int x0, int y0, int x1, int y1) override {
        ops.push_back(op('f', x0, y0, x1, y1));
    }
    void selectPen(Pen p) override { pen_ = p == Pen::Mark ? 'm' : p == Pen::Trace ? 't' : 'b'; }
    void moveTo(int x, int y) override { x_ = x, y_ = y; }
    void lineTo(int x, int y) override {
        ops.push_back(op(pen_, x_, y_, x, y));
        x_ = x, y_ = y;
    }
    Lines with(char pen) const {
        Lines out;
        for (const std::string& s : ops) {
            if (s[0] == pen) out.push_back(s);
        }
        return out;
    }
};

void set16(Bytes& b, size_t at, int v) {
    b[at] = static_cast<uint8_t>(v), b[at + 1] = static_cast<uint8_t>(v >> 8);
}

// The trace over 16-bit bytes from BASE: it starts at (0, 55 + -s0 / 625), s0 the value at BASE;
// column i goes to (trunc(i x scale), 55 + -v / 625), v the value 4i + 4 bytes on.
Lines expectedTrace(const Bytes& data, size_t base, uint32_t count, double scale) {
    Lines out;
    int px = 0, py = 55 + -value16(data, base) / 625;
    for (uint32_t i = 0; i < count; ++i) {
        int x = static_cast<int>(i * scale), y = 55 + -value16(data, base + 4 * i + 4) / 625;
        out.push_back(op('t', px, py, x, y));
        px = x, py = y;
    }
    return out;
}

Lines expectedCursor(int x) {
    return {op('m', x - 5, 107, x, 102), op('m', x + 5, 107, x, 102), op('m', x, 107, x, 92),
            op('m', x - 5, 3, x, 8),     op('m', x + 5, 3, x, 8),     op('m', x, 3, x, 18),
            op('m', x, 50, x, 60)};
}

class WaveformTest : public ::testing::Test {
  protected:
    WaveformTest() { show(patternBytes(kDisplayBufferSize, 7)); }
    void show(const Bytes& bytes) {
        data = app.ring.displayBuffer = bytes;
        app.ring.displayData = app.ring.displayBuffer.data();
    }
    RecordingCanvas paint(bool upper) {
        RecordingCanvas c;
        upper ? paintUpper(app, c) : paintLower(app, c);
        return c;
    }

    FakePlatform fake;
    AppState app{fake.platform(), fake.services};
    Bytes data;
};

TEST_F(WaveformTest, MarksTracesAndCursorOfBothWindows) {
    ASSERT_EQ(amplitudeDivisor(), 625);  // H = 32767 div 625 = 52: lines at 55 - 52 and 55 + 52
    // The cursor mark stands only while the wave micro edit is open.
    app.display.editCursor = 20;
    EXPECT_EQ(paint(true).with('m').size(), 3u);
    app.microEdit.window = 7;
    RecordingCanvas up = paint(true), low = paint(false);
    Lines marks = {op('m', 0, 55, 248, 55), op('m', 0, 107, 248, 107), op('m', 0, 3, 248, 3)};
    Lines cursor = expectedCursor(20);
    marks.insert(marks.end(), cursor.begin(), cursor.end());
    EXPECT_EQ(up.ops.front(), op('f', 0, 0, 248, 110));
    EXPECT_EQ(up.with('m'), marks);
    // w = 248, n = min((24576 - 0 - 1) div 2, 248 - 3) = 245: columns 0 to 243.
    EXPECT_EQ(up.with('t'), expectedTrace(data, 0, 244, 1.0));
    EXPECT_EQ(up.ops.size(), 1u + 3 + 244 + 7);
    // The lower window adds the level line, for skipLevel 1 at 55 + 0.52, and draws the right
    // channel, one sample on.
    marks.insert(marks.begin() + 1, op('m', 0, 55, 248, 55));
    EXPECT_EQ(low.ops.front(), op('f', 0, 0, 248, 110));
    EXPECT_EQ(low.with('m'), marks);
    EXPECT_EQ(low.with('t'), expectedTrace(data, 2, 244, 1.0));

    // y = trunc(55 + skipLevel x 32767 x 0.01 / 625 x verticalScale): 50 at 2 gives 107.4.
    // At scale 2 the centre line alone stops at w = 124.
    app.display.skipLevel = 50;
    app.display.verticalScale = 2.0f;
    app.display.horizontalScale = 2.0f;
    Lines m = paint(false).with('m');
    EXPECT_EQ(
        Lines(m.begin(), m.begin() + 3),
        (Lines{op('m', 0, 55, 124, 55), op('m', 0, 107, 248, 107), op('m', 0, 107, 248, 107)}));
}

// The paint hands the micro edit the frame a write stores (not the picture's base, moved on by
// the ticks), and only a frame inside the display buffer.
TEST_F(WaveformTest, HandsTheFrameUnderTheCursorToTheMicroEditInsideTheBuffer) {
    app.microEdit.window = 7;
    app.display.tickCount = 3;
    for (uint32_t cursor : {10u, kDisplayBufferSize / 4 - 1, kDisplayBufferSize / 4}) {
        app.microEdit.sliders.left.value = app.microEdit.sliders.right.value = 99999;
        app.display.editCursor = cursor;
        paint(true);
        bool inside = cursor < kDisplayBufferSize / 4;
        EXPECT_EQ(app.microEdit.sliders.left.value, inside ? value16(data, 4 * cursor) : 99999);
        EXPECT_EQ(app.microEdit.sliders.right.value,
                  inside ? value16(data, 4 * cursor + 2) : 99999);
    }
}

TEST_F(WaveformTest, TraceAtHorizontalScales) {
    // Scale 10: w = 24, n = 21: twenty columns ten pixels apart.
    app.display.horizontalScale = 10.0f;
    EXPECT_EQ(paint(true).with('t'), expectedTrace(data, 0, 20, 10.0));

    // Nine "-" presses from 1.0 drift just below 0.1: w = 2480, n = 2477, ten columns an x.
    app.display.horizontalScale = 1.0f;
    for (int i = 0; i < 9; ++i)
        CommandTable({displayCommands()}).run(app, 1142);
    show(data);  // the presses refreshed the overview over it
    float nearTenth = app.display.horizontalScale;
    ASSERT_TRUE(nearTenth < 0.1f && nearTenth > 0.0999f) << nearTenth;
    Lines trace = paint(true).with('t');
    EXPECT_EQ(trace, expectedTrace(data, 0, 2476, static_cast<double>(nearTenth)));
    ASSERT_EQ(trace.size(), 2476u);

    // Scale 100: w = 2, and w - 3 read as unsigned no longer limits n = 12287.
    app.display.horizontalScale = 100.0f;
    EXPECT_EQ(paint(true).with('t'), expectedTrace(data, 0, 12286, 100.0));

    // Mono at tick 20: 24576 - 63504 - 1 wraps and the cap w - 3 = 245 holds n; the picture
    // starts 144 x trunc(20 x 44.1) = 127008 bytes in.
    app.format.channels = 1;
    app.display.horizontalScale = 1.0f;
    app.display.tickCount = 20;
    EXPECT_EQ(paint(true).with('t'), expectedTrace(data, 127008, 244, 1.0));
}

TEST_F(WaveformTest, TraceStopsWhereTheDisplayBufferEnds) {
    // Tick 38 of 16-bit stereo starts 144 x trunc(38 x 88.2) = 482544 bytes in, 8976 before the
    // end; n wraps and scale 100 leaves it uncapped. Column 2242 reads bytes 8972 and 8973, the
    // last that fit.
    app.display.horizontalScale = 100.0f;
    app.display.tickCount = 38;
    app.microEdit.window = 7;
    auto began = std::chrono::steady_clock::now();
    RecordingCanvas c = paint(true);
    auto took = std::chrono::steady_clock::now() - began;
    EXPECT_EQ(c.with('t'), expectedTrace(data, 482544, 2243, 100.0));
    EXPECT_EQ(c.with('m').size(), 3u + 7);
    // Some 2,300 lines: the window's thread must not stall on it.
    EXPECT_LT(std::chrono::duration_cast<std::chrono::milliseconds>(took).count(), 2000);

    // A start beyond the buffer draws the marks and the cursor only.
    app.display.tickCount = 1000;
    EXPECT_TRUE(paint(true).with('t').empty());
}

TEST_F(WaveformTest, FullScaleIsClampedAndEightBitColumnValues) {
    // Vertical scale 100: full scale is held at -32768 / 32767 before the division.
    app.display.verticalScale = 100.0f;
    Bytes bytes(kDisplayBufferSize, 0);
    set16(bytes, 4, 32767);   // left of frame 1
    set16(bytes, 8, -32768);  // left of frame 2
    set16(bytes, 12, 100);    // 10000 after scaling: 16 pixels up
    show(bytes);
    Lines trace = paint(true).with('t');
    EXPECT_EQ(Lines(trace.begin(), trace.begin() + 3),
              (Lines{op('t', 0, 55, 0, 3), op('t', 0, 3, 1, 107), op('t', 1, 107, 2, 39)}));

    // 8-bit: byte 2i x 256 - 32767, so silence is 1 and 255 and 0 are 32513 and -32767.
    const uint8_t bytes8[] = {128, 9, 255, 9, 0};
    EXPECT_EQ(columnValue(bytes8, 0, 8), 1);
    EXPECT_EQ(columnValue(bytes8, 1, 8), 32513);
    EXPECT_EQ(columnValue(bytes8, 2, 8), -32767);
}

TEST_F(WaveformTest, TimerStepsAndRereadsTheBlockBeingHeardWhenOn) {
    startDisplayTimer(app);
    EXPECT_EQ(fake.ui.timerPeriod, 72);
    EXPECT_EQ(app.display.tickLimit, 2u);  // 49152 / 12700 - 1 = 2.87

    TempDir dir;
    const Bytes file = patternBytes(6 * kBlock + 100, 3);
    writeFile(dir.file("s.raw"), file);
    FileStream& stream = app.sound.playStream;
    ASSERT_TRUE(stream.open(dir.file("s.raw"), FileStream::Mode::Read));
    stream.seek(5 * kBlock + 40);
    const Bytes before = app.ring.displayBuffer;

    // Switched off: plain black windows, and a tick neither reads nor steps nor repaints.
    app.display.displayOn = false;
    EXPECT_EQ(paint(true).ops, Lines{op('f', 0, 0, 248, 110)});
    EXPECT_EQ(paint(false).ops, Lines{op('f', 0, 0, 248, 110)});
    app.sound.position = 5 * kBlock;
    onDisplayTick(app);
    EXPECT_EQ(app.ring.displayBuffer, before);
    EXPECT_EQ(app.display.tickCount, 0u);
    EXPECT_EQ(fake.ui.invalidations, 0);
    // Not beyond four blocks: the picture moves over what the buffer holds.
    app.display.displayOn = true;
    app.sound.position = 4 * kBlock;
    onDisplayTick(app);
    EXPECT_EQ(app.ring.displayBuffer, before);
    EXPECT_EQ(app.display.tickCount, 1u);
    EXPECT_EQ(fake.ui.invalidations, 2);
    // Beyond: the block four behind the stream is read, and the stream ends where it was.
    app.sound.position = 4 * kBlock + 1;
    onDisplayTick(app);
    EXPECT_EQ(app.display.tickCount, 2u);
    Bytes expected(file.begin() + kBlock + 40, file.begin() + 2 * kBlock + 40);
    expected.insert(expected.end(), before.begin() + kBlock, before.end());
    EXPECT_EQ(app.ring.displayBuffer, expected);
    EXPECT_EQ(stream.tell(), 5 * kBlock + 40);
}

// ----- the overview -----

// Record M of 16-bit stereo DATA from byte START: the frames at START + 928m + 116j, j = 0..7
// (those inside the data), as largest left, largest right, smallest left, smallest right.
std::vector<int> expectedRecord(const Bytes& data, size_t start, size_t m) {
    std::vector<int> r = {-40000, -40000, 40000, 40000};
    for (size_t at = start + 928 * m; at < start + 928 * (m + 1) && at + 4 <= data.size();
         at += 116) {
        int left = value16(data, at), right = value16(data, at + 2);
        r = {std::max(r[0], left), std::max(r[1], right), std::min(r[2], left),
             std::min(r[3], right)};
    }
    return r;
}

class WaveformOverviewTest : public WaveformTest {
  protected:
    void writeSound(size_t bytes) {
        sound = patternBytes(bytes, static_cast<uint32_t>(bytes));
        writeFile(dir.file("o.wav"), canonicalWav(2, 44100, 16, sound));
        app.sound.fileName = dir.file("o.wav");
        app.sound.dataSize = static_cast<uint32_t>(bytes);
        show(Bytes(kDisplayBufferSize, 0xAA));
    }
    std::vector<int> record(size_t m) const {
        const Bytes& b = app.ring.displayBuffer;
        return {value16(b, 8 * m), value16(b, 8 * m + 2), value16(b, 8 * m + 4),
                value16(b, 8 * m + 6)};
    }
    TempDir dir;
    Bytes sound;
};

TEST_F(WaveformOverviewTest, RecordsOfEightFramesPer928Bytes) {
    writeSound(3 * 928 + 200);  // three records and two frames of a fourth
    buildOverview(app, 80, 1000);
    for (size_t m = 0; m < 4; ++m)
        EXPECT_EQ(record(m), expectedRecord(sound, 0, m)) << m;
    // After the end of the file the area asked for stays zero; past it nothing is touched.
    EXPECT_EQ(Bytes(&app.ring.displayBuffer[32], &app.ring.displayBuffer[80]), Bytes(48, 0));
    EXPECT_EQ(app.ring.displayBuffer[80], 0xAA);
}

TEST_F(WaveformOverviewTest, RefreshAndWholeWaveformByteCounts) {
    // refreshOverview: trunc(2048 / scale) bytes, here 1024, and only when not playing and no
    // other build runs.
    writeSound(300 * 928);
    app.display.horizontalScale = 2.0f;
    app.modes.playing = true;
    refreshOverview(app);
    app.modes.playing = false;
    app.display.overviewBusy = true;
    refreshOverview(app);
    EXPECT_EQ(app.ring.displayBuffer, Bytes(kDisplayBufferSize, 0xAA));
    app.display.overviewBusy = false;
    refreshOverview(app);
    EXPECT_FALSE(app.display.overviewBusy);
    EXPECT_EQ(record(127), expectedRecord(sound, 0, 127));
    EXPECT_EQ(app.ring.displayBuffer[1024], 0xAA);

    // Whole waveform of 18560 bytes: 18560 div 124 + 8 = 157 bytes, written while fewer than
    // 157 are done: 20 records.
    writeSound(20 * 928);
    app.ring.displayData = nullptr;
    showWholeWaveform(app);
    EXPECT_EQ(app.ring.displayData, app.ring.displayBuffer.data());
    EXPECT_EQ(fake.ui.invalidations, 2);
    for (size_t m = 0; m < 20; ++m)
        EXPECT_EQ(record(m), expectedRecord(sound, 0, m)) << m;
    EXPECT_EQ(app.ring.displayBuffer[160], 0xAA);

    // A data size far beyond the file asks for more than the buffer: all of it, no more.
    app.sound.dataSize = 0xFFFFFFF0u;
    showWholeWaveform(app);
    EXPECT_EQ(record(19), expectedRecord(sound, 0, 19));
    EXPECT_EQ(app.ring.displayBuffer[160], 0);
    EXPECT_EQ(app.ring.displayBuffer.back(), 0);
}

}  // namespace
}  // namespace pelkit

// Painting the two waveform windows: background, mark lines, the trace of the block being
// heard (or of the overview), the level line, the spectrum bars and the edit cursor.
#include <algorithm>
#include <cmath>

#include "display/spectrum_view.h"
#include "display/waveform.h"
#include "state/app_state.h"
#include "status/micro_edit_readouts.h"

namespace pelkit {

namespace {

constexpr int kTop = 3;
constexpr int kBottom = 107;

int16_t read16(const uint8_t* p) {
    return static_cast<int16_t>(static_cast<uint16_t>(p[0] | (p[1] << 8)));
}

// Offset of the frame the picture starts at: 72 ms per tick of 16-bit sound.
uint32_t tickOffset(const AppState& app) {
    auto t = static_cast<uint32_t>(static_cast<double>(app.display.tickCount) *
                                   app.format.samplesPerSecond * app.format.channels * 0.001);
    return 144u * t;
}

// Number of trace columns for the block size and the tick, capped at w - 3 (compared unsigned).
uint32_t columnCount(const AppState& app, int32_t w) {
    auto tc = static_cast<uint32_t>(static_cast<double>(app.display.tickCount) * 72 *
                                    app.format.samplesPerSecond * 0.001);
    uint32_t n = (app.blocks.blockSize / 2 - tc - 1) / 2;
    auto cap = static_cast<uint32_t>(w - 3);
    return n < cap ? n : cap;
}

// The most columns a trace may draw when LIMIT bytes can be read from its base: column i
// reads 2 bytes at (bits x i) / 4 + 4, or 1 byte at 2i for 8-bit sound; the first point reads
// 2 bytes at the base.
uint64_t columnsWithin(uint64_t limit, int32_t bits) {
    if (limit < 2) return 0;
    if (bits <= 8) return limit >= 1 ? (limit - 1) / 2 + 2 : 0;
    if (limit < 6) return 1;
    return (4 * (limit - 5) - 1) / static_cast<uint64_t>(bits) + 2;
}

// The chain of trace lines from BASE, never reading past LIMIT bytes.
void drawTrace(AppState& app, Canvas& canvas, const uint8_t* base, uint64_t limit, uint32_t n) {
    const int32_t d = amplitudeDivisor();
    const int32_t bits = app.format.bitsPerSample;
    const float vs = app.display.verticalScale;
    const float hs = app.display.horizontalScale;
    if (limit < 2) return;
    // Keep every read inside the buffer: fewer columns where the data ends.
    n = static_cast<uint32_t>(std::min<uint64_t>(n, columnsWithin(limit, bits)));
    canvas.selectPen(Pen::Trace);
    int x0 = 0;
    int y0 = kWaveCentre + (-static_cast<int32_t>(read16(base))) / d;
    for (uint32_t i = 0; n >= 2 && i <= n - 2; ++i) {
        double v = -static_cast<double>(columnValue(base, i, bits)) * vs;
        auto value = static_cast<int32_t>(std::clamp(v, -32768.0, 32767.0));
        int x = static_cast<int>(static_cast<double>(i) * hs);
        int y = kWaveCentre + value / d;
        canvas.moveTo(x0, y0);
        canvas.lineTo(x, y);
        x0 = x;
        y0 = y;
    }
}

// The wave micro edit's cursor, while its window is open.
void drawCursor(AppState& app, Canvas& canvas) {
    if (app.microEdit.window == kNoWindow) return;
    int x =
        static_cast<int>(static_cast<double>(app.display.editCursor) * app.display.horizontalScale);
    canvas.selectPen(Pen::Mark);
    const int lines[7][4] = {
        {x - 5, 107, x, 102}, {x + 5, 107, x, 102}, {x, 107, x, 92}, {x - 5, 3, x, 8},
        {x + 5, 3, x, 8},     {x, 3, x, 18},        {x, 50, x, 60},
    };
    for (const auto& l : lines) {
        canvas.moveTo(l[0], l[1]);
        canvas.lineTo(l[2], l[3]);
    }
}

void line(Canvas& canvas, int x0, int y0, int x1, int y1) {
    canvas.moveTo(x0, y0);
    canvas.lineTo(x1, y1);
}

// The background; false when the window is switched off and stays black.
bool beginPaint(AppState& app, Canvas& canvas, bool shown) {
    canvas.selectPen(Pen::Black);
    canvas.fillBlack(0, 0, kWaveWidth, kWaveHeight);
    return app.display.displayOn && shown;
}

// The start of the drawn data and how many bytes may be read from it.
const uint8_t* traceBase(AppState& app, uint32_t extra, uint64_t& limit) {
    const std::vector<uint8_t>& buffer = app.ring.displayBuffer;
    limit = 0;
    if (buffer.empty() || !app.ring.displayData) return nullptr;
    uint64_t offset = static_cast<uint64_t>(tickOffset(app)) + extra;
    if (offset >= buffer.size()) return nullptr;
    limit = buffer.size() - offset;
    return buffer.data() + offset;
}

// The frame under the cursor goes to the wave micro edit's value sliders: the frame a write
// would store, so what the sliders show is what the file gets.
void handOverFrame(AppState& app) {
    if (const uint8_t* frame = microEditFrame(app)) {
        setFrameValues(app, read16(frame), read16(frame + 2));
    }
    showBufferStart(app);
}

}  // namespace

int32_t amplitudeDivisor() {
    return static_cast<int32_t>(32767.0L * static_cast<long double>(0.0090909088f) * 2.1L);
}

int32_t visibleWidth(float horizontalScale) {
    // A scale worn down to almost nothing by repeated steps still gives a finite width.
    double w = horizontalScale > 0 ? kWaveWidth / static_cast<double>(horizontalScale) : 1e6;
    return static_cast<int32_t>(std::min(w, 1e6));
}

int32_t columnValue(const uint8_t* base, uint32_t column, int32_t bitsPerSample) {
    if (bitsPerSample <= 8) return static_cast<int32_t>(base[2 * column]) * 256 - 32767;
    return read16(base + static_cast<int64_t>(bitsPerSample) * column / 4 + 4);
}

void paintUpper(AppState& app, Canvas& canvas) {
    int32_t w = visibleWidth(app.display.horizontalScale);
    if (!beginPaint(app, canvas, app.display.showLeft)) return;
    if (app.display.spectrumMode) {
        if (app.spectrum.view == SpectrumView::Fft) {
            paintFftView(app, canvas, true);
        } else {
            paintSpectrumBars(app, canvas, w);
        }
        return;
    }
    canvas.selectPen(Pen::Mark);
    line(canvas, 0, kWaveCentre, kWaveWidth, kWaveCentre);
    line(canvas, 0, kBottom, kWaveWidth, kBottom);
    line(canvas, 0, kTop, kWaveWidth, kTop);
    uint64_t limit = 0;
    if (const uint8_t* base = traceBase(app, 0, limit)) {
        drawTrace(app, canvas, base, limit, columnCount(app, w));
    }
    handOverFrame(app);
    drawCursor(app, canvas);
}

void paintLower(AppState& app, Canvas& canvas) {
    int32_t w = visibleWidth(app.display.horizontalScale);
    if (!beginPaint(app, canvas, app.display.showRight)) return;
    if (app.display.spectrumMode && app.spectrum.view == SpectrumView::Fft) {
        paintFftView(app, canvas, false);
        return;
    }
    const int32_t d = amplitudeDivisor();
    canvas.selectPen(Pen::Mark);
    line(canvas, 0, kWaveCentre, w, kWaveCentre);
    double level = app.display.skipLevel * 32767.0 * static_cast<double>(-0.0099999998f) / d *
                   static_cast<double>(app.display.verticalScale);
    int yLevel = static_cast<int>(kWaveCentre - level);
    line(canvas, 0, yLevel, kWaveWidth, yLevel);
    line(canvas, 0, kBottom, kWaveWidth, kBottom);
    line(canvas, 0, kTop, kWaveWidth, kTop);
    uint64_t limit = 0;
    auto extra = static_cast<uint32_t>(std::max(app.format.bitsPerSample / 8, 0));
    if (const uint8_t* base = traceBase(app, extra, limit)) {
        drawTrace(app, canvas, base, limit, columnCount(app, w));
    }
    drawCursor(app, canvas);
}

}  // namespace pelkit

#include "display/spectrum_view.h"

#include <algorithm>
#include <cmath>
#include <span>

#include "display/waveform.h"
#include "services/services.h"
#include "state/app_state.h"

namespace pelkit {

namespace {

constexpr int kTop = 3;
constexpr int kBottom = 107;

void line(Canvas& canvas, int x0, int y0, int x1, int y1) {
    canvas.moveTo(x0, y0);
    canvas.lineTo(x1, y1);
}

// The block the device plays now: blocks come back in the order they were queued, so it is the
// one after DONE in the ring. Nothing while playback drains (a retired block is not queued).
const WaveHeader* blockHeardAfter(const AppState& app, const WaveHeader& done) {
    const auto& headers = app.ring.headers;
    if (app.playback.activeHeaders < kBlockCount) return nullptr;
    for (size_t i = 0; i < headers.size(); ++i) {
        if (&headers[i] != &done) continue;
        const WaveHeader& next = headers[(i + 1) % headers.size()];
        return next.data && next.bufferLength > 0 ? &next : nullptr;
    }
    return nullptr;
}

void computeFftView(AppState& app, const WaveHeader& done) {
    const WaveHeader* heard = blockHeardAfter(app, done);
    if (!heard) return;
    SpectrumState& s = app.spectrum;
    // Made here, on the main thread: the transform planner is not thread-safe.
    if (!s.fft) s.fft = std::make_unique<FftView>();
    const WaveFormat& f = app.format.deviceFormat;
    s.fft->compute(std::span<const uint8_t>(heard->data, heard->bufferLength), f.bitsPerSample,
                   f.channels, f.samplesPerSecond);
    s.fftBars = s.fft->bars();
}

}  // namespace

bool updateSpectrum(AppState& app, const WaveHeader& done) {
    const DisplayState& d = app.display;
    SpectrumState& s = app.spectrum;
    if (!d.spectrumMode) return false;
    if (s.view == SpectrumView::Fft) {
        if (d.displayOn) computeFftView(app, done);
        return false;
    }
    const std::vector<uint8_t>& shown = app.ring.displayBuffer;
    const uint8_t* data = app.ring.displayData;
    SpectrumWorker& worker = app.services.spectrum;
    if (d.displayOn && !worker.running() && data && data >= shown.data() &&
        data < shown.data() + shown.size()) {
        // The worker copies the bytes it needs before start() returns.
        size_t available = static_cast<size_t>(shown.data() + shown.size() - data);
        worker.start(std::span<const uint8_t>(data, std::min(available, kSpectrumInputBytes)));
    }
    return worker.running();
}

void paintSpectrumBars(AppState& app, Canvas& canvas, int32_t w) {
    const int32_t d = amplitudeDivisor();
    const SpectrumArea& bars = app.services.spectrum.results();
    canvas.selectPen(Pen::Trace);
    line(canvas, 0, kBottom, w, kBottom);
    line(canvas, 0, kTop, w, kTop);
    uint32_t n = app.playback.outputLength >> 2;
    if (w >= 0 && n >= static_cast<uint32_t>(w)) n = static_cast<uint32_t>(w);
    // Bar i reads the signed 16-bit value at byte 4 i: output i + 1 of the analysis.
    for (uint32_t i = 0;
         n >= 2 && i <= n - 2 && 4 * static_cast<size_t>(i) + 1 < kSpectrumAreaBytes; ++i) {
        double u = std::clamp(bars.signedAt(4 * static_cast<size_t>(i)) *
                                  static_cast<double>(app.display.verticalScale) * 2,
                              0.0, 65535.0);
        int x = static_cast<int>(5 * i);
        line(canvas, x, kBottom, x, kBottom - static_cast<int32_t>(u) / d);
    }
}

void paintFftView(AppState& app, Canvas& canvas, bool left) {
    const FftBars& bars = app.spectrum.fftBars;
    const auto& heights = left ? bars.left : bars.right;
    canvas.selectPen(Pen::Trace);
    line(canvas, 0, kBottom, kFftViewWidth, kBottom);
    line(canvas, 0, kTop, kFftViewWidth, kTop);
    // Marks: 100 Hz, 1 kHz and 10 kHz along the top, every 20 dB down the right edge.
    canvas.selectPen(Pen::Mark);
    const auto rate = static_cast<uint32_t>(std::max(app.format.deviceFormat.samplesPerSecond, 1u));
    const double low = fftAxisLowHz(rate), high = fftAxisHighHz(rate);
    for (double hz : {100.0, 1000.0, 10000.0}) {
        if (hz <= low || hz >= high) continue;
        auto x = static_cast<int>(kFftViewWidth * std::log(hz / low) / std::log(high / low));
        line(canvas, x, kTop, x, kTop + 6);
    }
    for (int db = 20; db < kFftMaxHeight; db += 20)
        line(canvas, kFftViewWidth - 5, kTop + db, kFftViewWidth, kTop + db);
    canvas.selectPen(Pen::Trace);
    for (int b = 0; b < kFftBarCount; ++b) {
        if (heights[b] <= 0) continue;
        for (int dx = 0; dx < kFftBarPitch - 1; ++dx) {
            int x = b * kFftBarPitch + dx;
            line(canvas, x, kBottom, x, kBottom - heights[b]);
        }
    }
}

}  // namespace pelkit

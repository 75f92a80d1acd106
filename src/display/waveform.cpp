#include "display/waveform.h"

#include <algorithm>
#include <cstring>

#include "display/spectrum_view.h"
#include "files/wav_format.h"
#include "resources/control_ids.h"
#include "state/app_state.h"
#include "status/readouts.h"
#include "status/status_display.h"

namespace pelkit {

namespace {
constexpr int kDisplayTimer = 1;
}  // namespace

void startDisplayTimer(AppState& app) {
    DisplayState& d = app.display;
    d.tickCount = 0;
    d.tickPeriod = 72;
    // Ticks of 72 ms that fit in one block; the inner product is truncated first. In 64 bits,
    // and held within range: an absurd header's rate times its channels overflows 32.
    const float product =
        static_cast<float>(int64_t{app.format.samplesPerSecond} * app.format.channels) * 0.144f;
    auto perTick = static_cast<int32_t>(std::clamp<double>(product, INT32_MIN, INT32_MAX));
    double limit = perTick > 0 ? static_cast<double>(app.blocks.blockSize) / perTick - 1 : 0;
    d.tickLimit = limit > 0 ? static_cast<uint32_t>(limit) : 0;
    app.ui().startTimer(kDisplayTimer, d.tickPeriod);
}

void stopDisplayTimer(AppState& app) {
    app.ui().stopTimer(kDisplayTimer);
}

void onDisplayTick(AppState& app) {
    DisplayState& d = app.display;
    if (!d.displayOn) return;
    uint32_t block = app.blocks.blockSize;
    FileStream& stream = app.sound.playStream;
    std::vector<uint8_t>& shown = app.ring.displayBuffer;
    // Re-read the block now being heard: four blocks are queued ahead of the play position.
    if (app.sound.position > 4 * block && stream.isOpen() && block <= shown.size()) {
        int64_t back = 4 * static_cast<int64_t>(block);
        if (stream.seek(-back, FileStream::Origin::Current)) {
            size_t got = stream.read(shown.data(), block);
            stream.clear();
            stream.seek(static_cast<int64_t>(3 * block) + (static_cast<int64_t>(block) - got),
                        FileStream::Origin::Current);
        } else {
            stream.clear();
        }
    }
    if (d.tickCount < d.tickLimit) d.tickCount += 1;
    invalidateWaveforms(app);
}

void restartDisplayTicks(AppState& app) {
    app.display.tickCount = 0;
    app.ring.displayData = app.ring.displayBuffer.data();
}

void onPlayBlockDone(AppState& app, const WaveHeader& done) {
    // While the bars' analysis of this block runs, its bars are what is shown.
    if (updateSpectrum(app, done)) return;
    invalidateWaveforms(app);
    if (app.ring.processBuffer != app.ring.placeholder) showPlayLevel(app, app.ring.processBuffer);
}

void onRecordBlock(AppState& app, const uint8_t* data, uint32_t length) {
    // The block is copied, so a paint never reads a buffer the device is filling again.
    std::vector<uint8_t>& shown = app.ring.displayBuffer;
    if (shown.empty() || !data) return;
    std::memcpy(shown.data(), data, std::min<size_t>(length, shown.size()));
    app.ring.displayData = shown.data();
    invalidateWaveforms(app);
}

namespace {

// After a change of the horizontal scale: the position step, the overview and the picture.
void horizontalScaleChanged(AppState& app) {
    recomputePositionStep(app);
    refreshOverview(app);
    invalidateWaveforms(app);
}

void verticalScaleDown(AppState& app, int, int32_t) {
    DisplayState& d = app.display;
    if (d.verticalScale > 1.0f) d.verticalScale = static_cast<float>(d.verticalScale - 0.1);
}

void verticalScaleUp(AppState& app, int, int32_t) {
    DisplayState& d = app.display;
    if (d.verticalScale < 100.0f) d.verticalScale = static_cast<float>(d.verticalScale + 0.1);
}

void horizontalScaleUp(AppState& app, int, int32_t) {
    DisplayState& d = app.display;
    if (d.horizontalScale < 1000.0f)
        d.horizontalScale = static_cast<float>(d.horizontalScale + 0.1);
    horizontalScaleChanged(app);
}

void horizontalScaleDown(AppState& app, int, int32_t) {
    DisplayState& d = app.display;
    if (d.horizontalScale > 0.1) d.horizontalScale = static_cast<float>(d.horizontalScale - 0.1);
    horizontalScaleChanged(app);
}

}  // namespace

std::vector<CommandEntry> displayCommands() {
    return {
        command(id::kDisplayOnOff,
                [](AppState& a, int, int32_t) { a.display.displayOn = !a.display.displayOn; }),
        command(id::kShowWhileRecording,
                [](AppState& a, int, int32_t) {
                    a.display.showWhileRecording = !a.display.showWhileRecording;
                }),
        command(id::kVerticalScaleDown, verticalScaleDown),
        command(id::kVerticalScaleUp, verticalScaleUp),
        command(id::kVerticalScaleOne,
                [](AppState& a, int, int32_t) { a.display.verticalScale = 1.0f; }),
        command(id::kHorizontalScaleUp, horizontalScaleUp),
        command(id::kHorizontalScaleOne,
                [](AppState& a, int, int32_t) {
                    a.display.horizontalScale = 1.0f;
                    horizontalScaleChanged(a);
                }),
        command(id::kHorizontalScaleDown, horizontalScaleDown),
        command(id::kWholeWaveform, plain<showWholeWaveform>),
    };
}

void buildOverview(AppState& app, uint32_t byteCount, uint32_t stride) {
    DisplayState& d = app.display;
    std::vector<uint8_t>& out = app.ring.displayBuffer;
    if (d.overviewBusy) return;
    d.overviewBusy = true;
    // The records never run past the display buffer, however long the file.
    byteCount = std::min<uint32_t>(byteCount, static_cast<uint32_t>(out.size()));
    std::memset(out.data(), 0, byteCount);

    FileStream in;  // ends with the sound: chunks after it are not drawn
    OpenSoundStream(app.sound.fileName, in, nullptr, app.sound.dataOffset() + app.sound.position);
    uint32_t divisor = d.overviewDivisor <= 1 ? 1 : d.overviewDivisor;
    uint32_t step = (stride / divisor) / 4 * 4 + 4;

    auto readPair = [&](int16_t& a, int16_t& b) {
        uint8_t v[4];
        if (in.read(v, 4) != 4) return false;
        a = static_cast<int16_t>(static_cast<uint16_t>(v[0] | (v[1] << 8)));
        b = static_cast<int16_t>(static_cast<uint16_t>(v[2] | (v[3] << 8)));
        return true;
    };
    auto put = [&](uint32_t at, int16_t v) {
        out[at] = static_cast<uint8_t>(v);
        out[at + 1] = static_cast<uint8_t>(static_cast<uint16_t>(v) >> 8);
    };
    uint32_t written = 0;
    while (in.good() && written < byteCount && written + 8 <= out.size()) {
        int16_t a = 0, b = 0;
        if (!readPair(a, b)) break;
        int16_t maxA = a, minA = a, maxB = b, minB = b;
        in.seek(7 * static_cast<int64_t>(step), FileStream::Origin::Current);
        for (uint32_t k = 8; k * step < stride; k += 9) {
            if (!readPair(a, b)) break;
            maxA = std::max(maxA, a);
            minA = std::min(minA, a);
            maxB = std::max(maxB, b);
            minB = std::min(minB, b);
            in.seek(7 * static_cast<int64_t>(step), FileStream::Origin::Current);
        }
        put(written, maxA);
        put(written + 2, maxB);
        put(written + 4, minA);
        put(written + 6, minB);
        written += 8;
    }
    d.overviewBusy = false;
}

void refreshOverview(AppState& app) {
    if (app.ring.displayBuffer.empty() || app.modes.playing) return;
    // A scale worn down to almost nothing asks for no more than the buffer holds.
    double count = 2048.0 / std::max(app.display.horizontalScale, 1e-6f);
    count = std::min(count, static_cast<double>(app.ring.displayBuffer.size()));
    buildOverview(app, static_cast<uint32_t>(count), 1000);
}

void showWholeWaveform(AppState& app) {
    if (app.ring.displayBuffer.empty()) return;
    buildOverview(app, app.sound.dataSize / 124 + 8, 1000);
    app.ring.displayData = app.ring.displayBuffer.data();
    invalidateWaveforms(app);
}

}  // namespace pelkit

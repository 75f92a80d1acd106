#include "status/readouts.h"

#include <algorithm>
#include <cstdio>

#include "dsp/keyboard_pitch.h"
#include "resources/control_ids.h"
#include "state/app_state.h"
#include "status/status_display.h"

namespace pelkit {

namespace {

// Bar positions are limited in floating point, then truncated.
int barPosition(float value, float low, float high) {
    return static_cast<int>(std::clamp(value, low, high));
}

void setBar(AppState& app, int bar, int pos) {
    app.ui().setScrollPos(app.windows.mainDialog, bar, pos);
}

}  // namespace

void showSpeed(AppState& app) {
    float s = std::clamp(app.processing.speedFactor, 0.0064f, 16.0f);
    setNumberWithUnit(app, id::kFieldSpeed, static_cast<int32_t>(s * 100), "");
    setBar(app, kBarSpeed, barPosition(s * 500, 100, 1440));
}

void showPitch(AppState& app) {
    // Limited in extended precision: the lower limit 0.04 reads 4.
    const float p = app.processing.pitchFactor;
    setNumberWithUnit(app, id::kFieldPitch, pitchReadout(p), "");
    setBar(app, kBarPitch, pitchBarPosition(p));
}

void showBoost(AppState& app) {
    app.level.mainBoost = app.scroll.boostValue;
    setNumberWithUnit(app, id::kFieldBoost, static_cast<int32_t>(app.level.mainBoost * 100), "");
    setBar(app, kBarBoost, barPosition(app.level.mainBoost * 500, 100, 900));
}

void showVolume(AppState& app) {
    float v = app.level.wavVolume;
    setNumberWithUnit(app, id::kFieldVolume, static_cast<int32_t>(v * 50), "");
    setBar(app, kBarVolume, barPosition(v * 100, 0, 200));
}

void showPan(AppState& app) {
    float pan = app.level.mainPan;
    setNumberWithUnit(app, id::kFieldPan, static_cast<int32_t>(pan), "");
    setBar(app, kBarPan, barPosition(pan, -100, 100));
}

void createScrollBars(AppState& app) {
    Ui& ui = app.ui();
    WindowHandle w = app.windows.mainDialog;
    struct Bar {
        int bar, min, max;
    };
    static const Bar bars[] = {
        {kBarPosition, 1, 1000}, {kBarStart, 1, 1000}, {kBarEnd, 1, 1000},   {kBarBoost, 1, 1000},
        {kBarVolume, 1, 200},    {kBarSpeed, 1, 1600}, {kBarPitch, 1, 2000}, {kBarPan, -100, 100},
    };
    for (const Bar& b : bars)
        ui.setScrollRange(w, b.bar, b.min, b.max);
    ui.setScrollPos(w, kBarPosition, 1);
    ui.setScrollPos(w, kBarStart, 1);
    ui.setScrollPos(w, kBarEnd, 1000);
    ui.setScrollPos(w, kBarBoost, static_cast<int>(app.level.mainBoost * 500));
    ui.setScrollPos(w, kBarVolume, static_cast<int>(app.level.wavVolume * 100));
    showSpeed(app);
    showPitch(app);
    ui.setScrollPos(w, kBarPan, 0);
    // Every readout shows its value from the start, not only after its first change.
    showBoost(app);
    showPan(app);
}

void showPlayProgress(AppState& app, uint32_t position) {
    uint32_t range = app.scroll.positionRange;
    float fraction =
        app.sound.dataSize == 0 ? 0.0f : static_cast<float>(position) / app.sound.dataSize;
    float pos = std::clamp(fraction * static_cast<float>(range), 0.0f, static_cast<float>(range));
    app.ui().setScrollPos(app.windows.mainDialog, kBarPosition, static_cast<int>(pos));
}

void showPitchTiming(AppState& app) {
    PitchClock& c = app.scroll.pitchClock;
    c.now = app.platform.clock.localTime();
    c.previousTick = c.lastTick;
    c.lastTick = app.platform.clock.tickMs();
    c.previousElapsed = c.elapsed;
    uint32_t now = c.lastTick;
    c.elapsed = now >= app.startTick ? static_cast<int64_t>(now - app.startTick)
                                     : static_cast<int64_t>(now) - app.startTick;
    char text[128];
    std::snprintf(text, sizeof text, "%06ld.%03d(%07ld) pitch %0.4f",
                  static_cast<long>(c.elapsed / 1000), static_cast<int>(c.elapsed % 1000),
                  static_cast<long>(c.elapsed - c.previousElapsed),
                  static_cast<double>(app.processing.pitchFactor));
    setStatusText(app, id::kFieldSequenceStatus, text);
}

void recomputePositionStep(AppState& app) {
    float q = static_cast<float>(app.format.samplesPerSecond / 48) / app.display.horizontalScale;
    q = std::clamp(q, 16.0f, 44100.0f);
    app.scroll.positionStep = 12u * static_cast<uint32_t>(q * 0.083333336f);
}

}  // namespace pelkit

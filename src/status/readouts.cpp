#include "status/readouts.h"

#include <algorithm>

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
    float p = std::clamp(app.processing.pitchFactor, 0.04f, 20.0f);
    setNumberWithUnit(app, id::kFieldPitch, static_cast<int32_t>(p * 100), "");
    setBar(app, kBarPitch, barPosition(p * 500, 100, 1800));
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

}  // namespace pelkit

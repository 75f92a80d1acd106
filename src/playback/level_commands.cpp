#include "playback/level_commands.h"

#include <algorithm>

#include "dsp/pitch_steps.h"
#include "playback/device_volume.h"
#include "resources/control_ids.h"
#include "resources/reverb_ids.h"
#include "state/app_state.h"
#include "status/readouts.h"
#include "status/scroll_rules.h"
#include "status/status_display.h"

namespace pelkit {

namespace {

void setPitch(AppState& app, float factor) {
    app.processing.pitchFactor = factor;
    showPitch(app);
}

void resetVolume(AppState& app, int, int32_t) {
    app.level.wavVolume = 1.4f;
    showVolume(app);
    applyOutputVolume(app);
}

void toggleReverb(AppState& app, int, int32_t) {
    LevelSettings& level = app.level;
    level.reverbOn = !level.reverbOn;
    app.ui().setText(app.windows.mainDialog, id::kReverbOnOff, level.reverbOn ? "on" : "off");
}

}  // namespace

void resetPan(AppState& app) {
    LevelSettings& level = app.level;
    level.previousPan = level.mainPan;
    level.mainPan = 0.0f;
    showPan(app);
}

std::vector<CommandEntry> levelCommands() {
    return {
        {id::kSpeedReset, id::kSpeedReset,
         [](AppState& a, int, int32_t) {
             a.processing.speedFactor = 1.0f;
             showSpeed(a);
         }},
        {id::kPitchOnOff, id::kPitchOnOff,
         [](AppState& a, int, int32_t) { a.processing.pitchMode = !a.processing.pitchMode; }},
        {id::kPitchReset, id::kPitchReset, [](AppState& a, int, int32_t) { setPitch(a, 1.0f); }},
        {id::kPitchUp, id::kPitchUp,
         [](AppState& a, int, int32_t) { setPitch(a, semitonesUp(a.processing.pitchFactor, 1)); }},
        {id::kPitchDown, id::kPitchDown,
         [](AppState& a, int, int32_t) {
             setPitch(a, semitonesDown(a.processing.pitchFactor, 1));
         }},
        {id::kPitchUp2, id::kPitchUp2,
         [](AppState& a, int, int32_t) { setPitch(a, semitonesUp(a.processing.pitchFactor, 2)); }},
        {id::kPitchDown2, id::kPitchDown2,
         [](AppState& a, int, int32_t) {
             setPitch(a, semitonesDown(a.processing.pitchFactor, 2));
         }},
        {id::kBoostReset, id::kBoostReset,
         [](AppState& a, int, int32_t) {
             a.scroll.boostValue = 1.0f;
             showBoost(a);
         }},
        {id::kVolumeReset, id::kVolumeReset, resetVolume},
        {id::kReverbOnOff, id::kReverbOnOff, toggleReverb},
        {id::kReverbDialog, id::kReverbDialog,
         [](AppState& a, int, int32_t) {
             ReverbDialog dialog(a);
             a.ui().runModal("reverb", dialog);
         }},
    };
}

void ReverbDialog::showDelay() {
    LevelSettings& level = app_.level;
    level.firstDelay = std::clamp(level.firstDelay, 0, kReverbHistoryLength);
    level.firstDelay = level.firstDelay / 12 * 12;
    app_.ui().setText(window_, id::reverb::kDelayField, std::to_string(level.firstDelay));
    app_.ui().setScrollPos(window_, id::reverb::kDelayBar, level.firstDelay);
}

void ReverbDialog::onInit(WindowHandle window) {
    window_ = window;
    app_.ui().setTitle(window, "reverb");
    app_.ui().setScrollRange(window, id::reverb::kDelayBar, 0, kReverbHistoryLength);
    showDelay();
}

void ReverbDialog::onCommand(WindowHandle window, int id, int32_t, Notify notify) {
    if (notify != Notify::Click) return;
    switch (id) {
        case id::reverb::kReset:
            app_.level.firstDelay = 15000;
            showDelay();
            break;
        case id::reverb::kFeedback:
            app_.level.feedback = !app_.level.feedback;
            break;
        case id::kOk:
        case id::kCancel:
            app_.ui().endDialog(window, 0);
            break;
        default:
            break;
    }
}

void ReverbDialog::onScroll(WindowHandle, int bar, int code, int thumb) {
    if (bar != id::reverb::kDelayBar) return;
    app_.level.firstDelay = integerStep(app_.level.firstDelay, code, thumb, kReverbHistoryLength);
    showDelay();
}

void ReverbDialog::onClose(WindowHandle window) {
    app_.ui().endDialog(window, 0);
}

}  // namespace pelkit

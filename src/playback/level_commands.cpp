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

void levelCommand(AppState& app, int id) {
    ProcessingSettings& p = app.processing;
    LevelSettings& level = app.level;
    switch (id) {
        case id::kSpeedReset:
            p.speedFactor = 1.0f;
            showSpeed(app);
            break;
        case id::kPitchOnOff:
            p.pitchMode = !p.pitchMode;
            break;
        case id::kPitchReset:
            p.pitchFactor = 1.0f;
            showPitch(app);
            break;
        case id::kPitchUp:
            p.pitchFactor = semitonesUp(p.pitchFactor, 1);
            showPitch(app);
            break;
        case id::kPitchDown:
            p.pitchFactor = semitonesDown(p.pitchFactor, 1);
            showPitch(app);
            break;
        case id::kPitchUp2:
            p.pitchFactor = semitonesUp(p.pitchFactor, 2);
            showPitch(app);
            break;
        case id::kPitchDown2:
            p.pitchFactor = semitonesDown(p.pitchFactor, 2);
            showPitch(app);
            break;
        case id::kBoostReset:
            app.scroll.boostValue = 1.0f;
            showBoost(app);
            break;
        case id::kVolumeReset:
            level.wavVolume = 1.4f;
            showVolume(app);
            applyOutputVolume(app);
            break;
        case id::kPanReset:
            level.previousPan = level.mainPan;
            level.mainPan = 0.0f;
            showPan(app);
            break;
        case id::kReverbOnOff:
            level.reverbOn = !level.reverbOn;
            app.ui().setText(app.windows.mainDialog, id::kReverbOnOff,
                             level.reverbOn ? "on" : "off");
            break;
        case id::kReverbDialog: {
            ReverbDialog dialog(app);
            app.ui().runModal("reverb", dialog);
            break;
        }
        default:
            break;
    }
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

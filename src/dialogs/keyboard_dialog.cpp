#include "dialogs/keyboard_dialog.h"

#include <algorithm>
#include <limits>
#include <memory>

#include "dsp/keyboard_pitch.h"
#include "resources/control_ids.h"
#include "resources/keyboard_ids.h"
#include "state/app_state.h"
#include "status/readouts.h"

namespace pelkit {

namespace {

// The shift has no limits of its own; it only stays clear of overflow.
int32_t shifted(int32_t shift, int32_t by) {
    const int64_t v = int64_t{shift} + by;
    return static_cast<int32_t>(std::clamp<int64_t>(v, std::numeric_limits<int32_t>::min(),
                                                    std::numeric_limits<int32_t>::max()));
}

}  // namespace

void KeyboardDialog::onInit(WindowHandle window) {
    app_.keyboard.window = window;
    app_.ui().setTitle(window, "main pitch keyboard");
}

void KeyboardDialog::onCommand(WindowHandle window, int id, int32_t, Notify notify) {
    if (notify != Notify::Click) return;
    if (id == id::kKeyboardCancel) {
        onClose(window);
    } else if (isKeyboardCommand(id)) {
        sendCommand(app_, id);
    }
}

void KeyboardDialog::onClose(WindowHandle window) {
    app_.ui().endDialog(window, 0);
    if (app_.keyboard.window == window) app_.keyboard.window = kNoWindow;
}

void openKeyboard(AppState& app) {
    if (app.keyboard.window != kNoWindow) return;
    app.ui().openModeless("keyboard", std::make_unique<KeyboardDialog>(app));
}

void closeKeyboard(AppState& app) {
    if (app.keyboard.window != kNoWindow) app.ui().endDialog(app.keyboard.window, 0);
    app.keyboard.window = kNoWindow;
}

bool isKeyboardCommand(int id) {
    return id >= id::kKeyboardKey0 && id <= id::kKeyboardOctaveUp2;
}

void keyboardCommand(AppState& app, int id) {
    int32_t& shift = app.keyboard.octaveShift;
    switch (id) {
        case id::kKeyboardOctaveUp:
            shift = shifted(shift, 1);
            return;
        case id::kKeyboardOctaveDown:
            shift = shifted(shift, -1);
            return;
        case id::kKeyboardOctaveReset:
            shift = 0;
            return;
        case id::kKeyboardOctaveDown2:
            shift = shifted(shift, -2);
            return;
        case id::kKeyboardOctaveUp2:
            shift = shifted(shift, 2);
            return;
        default:
            break;
    }
    if (id < id::kKeyboardKey0 || id > id::kKeyboardKeyLast) return;
    app.processing.pitchFactor = keyboardPitch(id - id::kKeyboardKey0, shift);
    showPitch(app);
    // A device still open (opening, draining or closing) is a play under way: the key only
    // changes its pitch.
    if (!app.modes.playing && !app.platform.out.isOpen()) sendCommand(app, id::kPlay);
}

}  // namespace pelkit

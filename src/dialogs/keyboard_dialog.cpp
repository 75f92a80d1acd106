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

namespace {

void shiftOctaves(AppState& app, int32_t by) {
    int32_t& shift = app.keyboard.octaveShift;
    shift = shifted(shift, by);
}

void playKey(AppState& app, int id, int32_t) {
    app.processing.pitchFactor = keyboardPitch(id - id::kKeyboardKey0, app.keyboard.octaveShift);
    showPitch(app);
    // A device still open (opening, draining or closing) is a play under way: the key only
    // changes its pitch.
    if (!app.modes.playing && !app.platform.out.isOpen()) sendCommand(app, id::kPlay);
}

}  // namespace

std::vector<CommandEntry> keyboardCommands() {
    return {
        {id::kKeyboard, id::kKeyboard, [](AppState& a, int, int32_t) { openKeyboard(a); }},
        {id::kKeyboardKey0, id::kKeyboardKeyLast, playKey},
        {id::kKeyboardOctaveUp, id::kKeyboardOctaveUp,
         [](AppState& a, int, int32_t) { shiftOctaves(a, 1); }},
        {id::kKeyboardOctaveDown, id::kKeyboardOctaveDown,
         [](AppState& a, int, int32_t) { shiftOctaves(a, -1); }},
        {id::kKeyboardOctaveReset, id::kKeyboardOctaveReset,
         [](AppState& a, int, int32_t) { a.keyboard.octaveShift = 0; }},
        {id::kKeyboardOctaveDown2, id::kKeyboardOctaveDown2,
         [](AppState& a, int, int32_t) { shiftOctaves(a, -2); }},
        {id::kKeyboardOctaveUp2, id::kKeyboardOctaveUp2,
         [](AppState& a, int, int32_t) { shiftOctaves(a, 2); }},
    };
}

}  // namespace pelkit

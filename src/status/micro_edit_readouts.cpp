#include "status/micro_edit_readouts.h"

#include <string>

#include "resources/wave_edit_ids.h"
#include "state/app_state.h"

namespace pelkit {

uint8_t* microEditFrame(AppState& app) {
    std::vector<uint8_t>& shown = app.ring.displayBuffer;
    const uint8_t* data = app.ring.displayData;
    if (shown.empty() || !data || data < shown.data() || data >= shown.data() + shown.size()) {
        return nullptr;
    }
    const auto start = static_cast<uint64_t>(data - shown.data()) + 4ull * app.display.editCursor;
    if (start + 4 > shown.size()) return nullptr;
    return shown.data() + start;
}

void showValueSlider(AppState& app, const ValueSlider& slider, int bar, int readout) {
    const WindowHandle window = app.microEdit.window;
    if (window == kNoWindow) return;
    app.ui().setScrollPos(window, bar, slider.value);
    app.ui().setText(window, readout, slider.readout());
}

void showCursorSlider(AppState& app) {
    const WindowHandle window = app.microEdit.window;
    if (window == kNoWindow) return;
    const ValueSlider& cursor = app.microEdit.sliders.cursor;
    app.ui().setScrollRange(window, id::kWaveEditCursorBar, cursor.minimum, cursor.maximum);
    showValueSlider(app, cursor, id::kWaveEditCursorBar, id::kWaveEditCursorValue);
}

void setFrameValues(AppState& app, int32_t left, int32_t right) {
    MicroEditSliders& s = app.microEdit.sliders;
    s.left.value = left;
    s.right.value = right;
    showValueSlider(app, s.left, id::kWaveEditLeftBar, id::kWaveEditLeftValue);
    showValueSlider(app, s.right, id::kWaveEditRightBar, id::kWaveEditRightValue);
}

void showBufferStart(AppState& app) {
    if (app.microEdit.window == kNoWindow) return;
    app.ui().setText(app.microEdit.window, id::kWaveEditBufferStart,
                     std::to_string(static_cast<int32_t>(app.sound.position)));
}

}  // namespace pelkit

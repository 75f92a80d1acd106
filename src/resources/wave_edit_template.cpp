// The wave micro edit dialog WAVE_EDIT: three sliders (a bar with a number field beside it) for
// the cursor and the left and right values of the frame under it, the buffer start, write and
// cancel.
#include "resources/templates_data.h"
#include "resources/wave_edit_ids.h"

namespace pelkit::resources {

namespace {

// A bar of 212 x 10 at (x, y) and its disabled number field of 70 x 20 at (x + 230, y).
void slider(std::vector<ControlDef>& c, int bar, int readout, int x, int y) {
    c.push_back({bar, ControlKind::ScrollBar, "", {x, y, 212, 10}, false});
    c.push_back({readout, ControlKind::ReadOnly, "", {x + 230, y, 70, 20}, true});
}

ControlDef label(const char* text, int x, int y, int w) {
    return {-1, ControlKind::Label, text, {x, y, w, 18}, false};
}

}  // namespace

TemplateDef waveEdit() {
    TemplateDef t;
    t.name = "WAVE_EDIT";
    t.caption = "wave micro edit";
    t.rect = {0, 0, 330, 186};
    slider(t.controls, id::kWaveEditCursorBar, id::kWaveEditCursorValue, 15, 15);
    t.controls.push_back(label("現在のバッファ内の位置", 15, 27, 200));
    slider(t.controls, id::kWaveEditLeftBar, id::kWaveEditLeftValue, 15, 50);
    t.controls.push_back(label("left", 15, 62, 60));
    slider(t.controls, id::kWaveEditRightBar, id::kWaveEditRightValue, 15, 85);
    t.controls.push_back(label("right", 15, 97, 60));
    t.controls.push_back(label("バッファ先頭", 15, 124, 90));
    t.controls.push_back(
        {id::kWaveEditBufferStart, ControlKind::ReadOnly, "", {110, 122, 100, 22}, false});
    t.controls.push_back(
        {id::kWaveEditWrite, ControlKind::Button, "書き込み", {168, 154, 72, 24}, false});
    t.controls.push_back(
        {id::kWaveEditCancel, ControlKind::Button, "ｷｬﾝｾﾙ", {245, 154, 72, 24}, false});
    return t;
}

}  // namespace pelkit::resources

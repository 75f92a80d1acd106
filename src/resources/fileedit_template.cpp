// The file edit dialog FILEEDIT.
#include "resources/fileedit_ids.h"
#include "resources/templates_data.h"

namespace pelkit::resources {

namespace {

ControlDef button(int id, const char* text, int x, int y, int w) {
    return {id, ControlKind::Button, text, {x, y, w, 24}, false};
}
ControlDef field(int id, int x, int y, int w) {
    return {id, ControlKind::Field, "", {x, y, w, 22}, false};
}
ControlDef label(const char* text, int x, int y, int w) {
    return {-1, ControlKind::Label, text, {x, y, w, 22}, false};
}
ControlDef group(const char* text, int x, int y, int w, int h) {
    return {-1, ControlKind::Group, text, {x, y, w, h}, false};
}

}  // namespace

TemplateDef fileEdit() {
    TemplateDef t;
    t.name = "FILEEDIT";
    t.caption = "file copy";
    t.rect = {0, 0, 320, 296};
    t.controls = {
        group("cut", 8, 4, 304, 82),
        button(id::kEditCutRange, "start-end", 16, 24, 80),
        button(id::kEditCutAll, "all", 100, 24, 48),
        button(id::kEditLeft, "Left", 152, 24, 48),
        button(id::kEditRight, "Right", 204, 24, 48),
        button(id::kEditCentre, "center", 16, 54, 80),
        label("mix", 104, 54, 28),
        button(id::kEditJoin, "L+R", 134, 54, 48),

        group("boost rate %", 8, 90, 150, 52),
        field(id::kFieldEditBoostRate, 16, 112, 80),
        button(id::kEditRealTime, "real-time", 170, 112, 80),

        field(id::kFieldEditDivisionCount, 16, 150, 60),
        button(id::kEditDivide, "等分", 80, 149, 56),

        group("speed", 8, 180, 304, 78),
        button(id::kEditSpeedChange, "up", 16, 200, 40),
        label("buffer", 64, 200, 44),
        field(id::kFieldEditSpeedBuffer, 110, 200, 76),
        label("%", 194, 200, 16),
        field(id::kFieldEditSpeedPercent, 212, 200, 48),
        button(id::kEditNoiseOff, "noise-off", 16, 228, 80),
        button(id::kEditSpeedHq, "chunks", 104, 228, 80),

        button(1, "OK", 176, 264, 64),
        button(2, "ｷｬﾝｾﾙ", 248, 264, 64),
    };
    return t;
}

}  // namespace pelkit::resources

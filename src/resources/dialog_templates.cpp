// The templates of the secondary dialogs.
#include "resources/templates_data.h"

namespace pelkit::resources {

TemplateDef reverb() {
    TemplateDef t;
    t.name = "REVERB";
    t.caption = "reverb";
    t.rect = {0, 0, 260, 120};
    t.controls = {
        {-1, ControlKind::Label, "first delay", {10, 10, 80, 16}, false},
        {1501, ControlKind::ReadOnly, "", {96, 8, 60, 18}, false},
        {1503, ControlKind::Button, "reset", {162, 8, 50, 20}, false},
        {1502, ControlKind::ScrollBar, "", {10, 36, 240, 12}, false},
        {-1, ControlKind::Label, "feedback", {10, 62, 60, 16}, false},
        {40008, ControlKind::Button, "on-off", {76, 58, 60, 22}, false},
        {1, ControlKind::Button, "OK", {190, 88, 60, 24}, false},
    };
    return t;
}

}  // namespace pelkit::resources

// The templates of the secondary dialogs.
#include "resources/templates_data.h"

namespace pelkit::resources {

TemplateDef reverb() {
    TemplateDef t;
    t.name = "REVERB";
    t.caption = "reverb";
    t.rect = {0, 0, 280, 128};
    t.controls = {
        {-1, ControlKind::Label, "first delay", {12, 10, 80, 22}, false},
        {1501, ControlKind::ReadOnly, "", {96, 10, 70, 22}, false},
        {1503, ControlKind::Button, "reset", {172, 10, 56, 22}, false},
        {1502, ControlKind::ScrollBar, "", {12, 40, 256, 14}, false},
        {-1, ControlKind::Label, "feedback", {12, 64, 80, 20}, false},
        {40008, ControlKind::Button, "on-off", {12, 88, 70, 24}, false},
        {1, ControlKind::Button, "OK", {200, 88, 68, 26}, false},
    };
    return t;
}

}  // namespace pelkit::resources

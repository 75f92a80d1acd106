// The loudness window LOUDNESS: the figures of the last measurement and the normalise target.
#include "resources/loudness_ids.h"
#include "resources/templates_data.h"

namespace pelkit::resources {

TemplateDef loudness() {
    TemplateDef t;
    t.name = "LOUDNESS";
    t.caption = "loudness";
    t.rect = {0, 0, 300, 188};
    t.controls = {
        {-1, ControlKind::Label, "ファイル", {12, 10, 96, 22}, false},
        {id::kLoudnessFile, ControlKind::Name, "", {112, 10, 176, 22}, false},
        {-1, ControlKind::Label, "ラウドネス", {12, 38, 96, 22}, false},
        {id::kLoudnessIntegrated, ControlKind::ReadOnly, "", {112, 38, 80, 22}, false},
        {-1, ControlKind::Label, "LUFS", {198, 38, 50, 22}, false},
        {-1, ControlKind::Label, "レンジ", {12, 66, 96, 22}, false},
        {id::kLoudnessRange, ControlKind::ReadOnly, "", {112, 66, 80, 22}, false},
        {-1, ControlKind::Label, "LU", {198, 66, 50, 22}, false},
        {-1, ControlKind::Label, "トゥルーピーク", {12, 94, 96, 22}, false},
        {id::kLoudnessTruePeak, ControlKind::ReadOnly, "", {112, 94, 80, 22}, false},
        {-1, ControlKind::Label, "dBTP", {198, 94, 50, 22}, false},
        {-1, ControlKind::Label, "目標", {12, 126, 96, 22}, false},
        {id::kLoudnessTarget, ControlKind::Field, "", {112, 126, 80, 22}, false},
        {-1, ControlKind::Label, "LUFS", {198, 126, 50, 22}, false},
        {id::kLoudnessNormaliseButton, ControlKind::Button, "正規化", {136, 156, 74, 24}, false},
        {id::kLoudnessClose, ControlKind::Button, "閉じる", {216, 156, 72, 24}, false},
    };
    return t;
}

}  // namespace pelkit::resources

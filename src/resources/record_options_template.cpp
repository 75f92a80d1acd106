// The record options dialog REC_OPTION.
#include "resources/templates_data.h"

namespace pelkit::resources {

namespace {

ControlDef button(int id, const char* text, int x, int y, int w = 22, int h = 22) {
    return {id, ControlKind::Button, text, {x, y, w, h}, false};
}
ControlDef readOnly(int id, int x, int y, int w = 56) {
    return {id, ControlKind::ReadOnly, "", {x, y, w, 22}, false};
}
ControlDef label(const char* text, int x, int y, int w = 56) {
    return {-1, ControlKind::Label, text, {x, y, w, 22}, false};
}
ControlDef group(const char* text, int x, int y, int w, int h) {
    return {-1, ControlKind::Group, text, {x, y, w, h}, false};
}

}  // namespace

TemplateDef recOption() {
    TemplateDef t;
    t.name = "REC_OPTION";
    t.caption = "record option";
    t.rect = {0, 0, 428, 282};
    t.controls = {
        group("ループ録音", 8, 4, 206, 76),
        label("loop size(byte)", 16, 26, 86),
        {1127, ControlKind::Field, "", {106, 26, 100, 22}, false},
        readOnly(1128, 16, 52, 44),
        label("分", 64, 52, 20),
        button(1126, "start", 150, 52, 56),

        group("（保留中）", 222, 4, 198, 76),
        label("aux", 230, 26, 24),
        readOnly(1097, 256, 26, 40),
        readOnly(1098, 300, 26, 28),
        button(1096, "reset", 332, 26, 56),
        {1180, ControlKind::ScrollBar, "", {230, 56, 182, 14}, false},

        group("波形表示", 8, 84, 206, 102),
        button(1135, "on-off", 16, 106, 56),
        button(1136, "change", 76, 106, 58),
        button(1149, "左", 138, 106, 32),
        button(1150, "右", 174, 106, 32),
        label("たて倍率", 16, 132),
        button(1137, "-", 76, 132),
        button(1138, "+", 100, 132),
        button(1139, "1", 124, 132),
        readOnly(1102, 150, 132),
        label("よこ倍率", 16, 158),
        button(1142, "-", 76, 158),
        button(1140, "+", 100, 158),
        button(1141, "1", 124, 158),
        readOnly(1104, 150, 158),

        group("内部処理", 222, 84, 198, 76),
        label("処理単位", 230, 106, 64),
        button(1146, "+", 298, 106),
        button(1147, "I", 322, 106),
        button(1148, "-", 346, 106),
        readOnly(1106, 372, 106, 40),
        label("継ぎ目長さ", 230, 132, 64),
        button(1143, "+", 298, 132),
        button(1144, "0", 322, 132),
        button(1145, "-", 346, 132),
        readOnly(1101, 372, 132, 40),

        group("音飛び（保留）", 8, 192, 206, 50),
        label("jump max", 16, 214, 60),
        {1134, ControlKind::Field, "", {80, 214, 66, 22}, false},
        {1133, ControlKind::Button, "start", {150, 214, 56, 22}, true},

        group("スキップレベル（保留）", 222, 166, 198, 76),
        readOnly(1100, 230, 188, 40),
        button(1099, "reset", 274, 188, 56),
        {1181, ControlKind::ScrollBar, "", {230, 218, 182, 14}, false},

        button(1152, "add-mode", 8, 252, 70),
        readOnly(1105, 82, 252, 48),
        label("録音モードに変更", 138, 252, 100),
        button(1159, "rec-mode", 242, 252, 68),
        button(1103, "lang.", 314, 252, 48),
        button(1, "OK", 368, 252, 52),
    };
    return t;
}

}  // namespace pelkit::resources

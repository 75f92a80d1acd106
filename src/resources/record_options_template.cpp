// The record options dialog REC_OPTION.
#include "resources/templates_data.h"

namespace pelkit::resources {

namespace {

ControlDef button(int id, const char* text, int x, int y, int w = 22, int h = 20) {
    return {id, ControlKind::Button, text, {x, y, w, h}, false};
}
ControlDef readOnly(int id, int x, int y, int w = 52) {
    return {id, ControlKind::ReadOnly, "", {x, y, w, 18}, false};
}
ControlDef label(const char* text, int x, int y, int w = 56) {
    return {-1, ControlKind::Label, text, {x, y, w, 16}, false};
}
ControlDef group(const char* text, int x, int y, int w, int h) {
    return {-1, ControlKind::Group, text, {x, y, w, h}, false};
}

}  // namespace

TemplateDef recOption() {
    TemplateDef t;
    t.name = "REC_OPTION";
    t.caption = "record option";
    t.rect = {0, 0, 412, 256};
    t.controls = {
        group("ループ録音", 8, 4, 200, 64),
        label("loop size(byte)", 14, 20, 90),
        {1127, ControlKind::Field, "", {106, 18, 90, 18}, false},
        readOnly(1128, 14, 42, 40),
        label("分", 56, 44, 20),
        button(1126, "start", 146, 40, 50, 22),

        group("（保留中）", 214, 4, 190, 64),
        label("aux", 220, 20, 24),
        readOnly(1097, 246, 18, 36),
        readOnly(1098, 286, 18, 24),
        button(1096, "reset", 314, 16, 50, 22),
        {1180, ControlKind::ScrollBar, "", {220, 44, 178, 12}, false},

        group("波形表示", 8, 72, 200, 96),
        button(1135, "on-off", 14, 88, 50, 22),
        button(1136, "change", 68, 88, 50, 22),
        button(1149, "左", 122, 88, 28, 22),
        button(1150, "右", 152, 88, 28, 22),
        label("たて倍率", 14, 116),
        button(1137, "-", 72, 114),
        button(1138, "+", 96, 114),
        button(1139, "1", 120, 114),
        readOnly(1102, 146, 115),
        label("よこ倍率", 14, 140),
        button(1142, "-", 72, 138),
        button(1140, "+", 96, 138),
        button(1141, "1", 120, 138),
        readOnly(1104, 146, 139),

        group("内部処理", 214, 72, 190, 72),
        label("処理単位", 220, 88),
        button(1146, "+", 278, 86),
        button(1147, "I", 300, 86),
        button(1148, "-", 322, 86),
        readOnly(1106, 346, 87),
        label("継ぎ目長さ", 220, 114),
        button(1143, "+", 278, 112),
        button(1144, "0", 300, 112),
        button(1145, "-", 322, 112),
        readOnly(1101, 346, 113),

        group("音飛び（保留）", 8, 172, 200, 44),
        label("jump max", 14, 190),
        {1134, ControlKind::Field, "", {72, 188, 70, 18}, false},
        {1133, ControlKind::Button, "start", {146, 186, 50, 22}, true},

        group("スキップレベル（保留）", 214, 148, 190, 68),
        readOnly(1100, 220, 166, 40),
        button(1099, "reset", 264, 164, 50, 22),
        {1181, ControlKind::ScrollBar, "", {220, 194, 178, 12}, false},

        button(1152, "add-mode", 8, 224, 64, 22),
        readOnly(1105, 76, 226, 50),
        label("録音モードに変更", 134, 228, 100),
        button(1159, "rec-mode", 236, 224, 44, 22),
        button(1103, "lang.", 286, 224, 44, 22),
        button(1, "OK", 344, 224, 60, 22),
    };
    return t;
}

}  // namespace pelkit::resources

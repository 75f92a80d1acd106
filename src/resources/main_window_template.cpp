// The main window MAIN_RECORD, its menu 119 and the variants carried beside it.
#include "resources/templates_data.h"

namespace pelkit::resources {

namespace {

ControlDef button(int id, const char* text, int x, int y, int w = 28, int h = 20) {
    return {id, ControlKind::Button, text, {x, y, w, h}, false};
}
ControlDef field(int id, int x, int y, int w = 56, int h = 18) {
    return {id, ControlKind::Field, "", {x, y, w, h}, false};
}
ControlDef readOnly(int id, int x, int y, int w = 56, int h = 18) {
    return {id, ControlKind::ReadOnly, "", {x, y, w, h}, false};
}
ControlDef label(const char* text, int x, int y, int w = 60, int h = 16) {
    return {-1, ControlKind::Label, text, {x, y, w, h}, false};
}
ControlDef group(const char* text, int x, int y, int w, int h) {
    return {-1, ControlKind::Group, text, {x, y, w, h}, false};
}
ControlDef bar(int handle, int x, int y, int w) {
    return {handle, ControlKind::ScrollBar, "", {x, y, w, 10}, false};
}

std::vector<ControlDef> mainControls(bool withRecordGroup) {
    std::vector<ControlDef> c;
    auto add = [&](ControlDef d) { c.push_back(std::move(d)); };

    // Left column: transport, format and sizes.
    if (withRecordGroup) {
        add(group("rec", 8, 2, 104, 44));
        add(button(1000, "O>", 14, 18, 32));
        add(button(1001, "|", 48, 18));
        add(button(1028, "||", 78, 18));
    }
    add(group("play", 116, 2, 104, 44));
    add(button(1002, ">", 122, 18, 32));
    add(button(1003, "||", 156, 18));
    add(button(1004, "|", 186, 18));

    add(group("rate", 8, 48, 212, 44));
    add(button(1009, "+", 14, 64, 22));
    add(button(1011, "44", 38, 64, 26));
    add(button(1012, "-", 66, 64, 22));
    add(readOnly(1025, 92, 65, 52));
    add(field(1042, 148, 65, 42));
    add(button(1045, "set", 192, 64, 24));

    add(group("bits/sample", 8, 94, 150, 44));
    add(button(1013, "16", 14, 110, 24));
    add(button(1014, "8", 40, 110, 22));
    add(button(1504, "24", 64, 110, 24));
    add(readOnly(1024, 90, 111, 26));
    add(button(1021, "lock-off", 118, 110, 36));

    add(group("channel", 162, 94, 58, 44));
    add(button(1016, "1", 166, 110, 16));
    add(button(1017, "2", 184, 110, 16));
    add(readOnly(1027, 202, 111, 14));

    add(group("buffer (byte)", 8, 140, 150, 40));
    add(button(1022, "+", 14, 155, 22));
    add(button(1023, "-", 38, 155, 22));
    add(button(1020, "||", 62, 155, 22));
    add(readOnly(1026, 88, 156, 64));

    add(group("size", 162, 140, 58, 40));
    add(readOnly(1029, 166, 156, 50));

    add(label("time", 8, 183, 30));
    add(readOnly(1038, 40, 182, 80));
    add(label("level", 124, 183, 30));
    add(readOnly(1048, 156, 182, 14));

    // The position and range bars under the transport.
    add(bar(9001, 16, 200, 227));
    add(button(1155, "set", 246, 214, 24, 14));
    add(label("start", 246, 198, 30, 14));
    add(bar(9002, 16, 220, 227));
    add(button(1156, "set", 246, 236, 24, 14));
    add(bar(9003, 16, 240, 227));
    add(button(1052, "full", 272, 224, 44, 18));

    // The two waveform windows.
    add({-2, ControlKind::Wave, "", {10, 260, 250, 110}, false});
    add({-3, ControlKind::Wave, "", {10, 371, 250, 110}, false});

    // Right column: header, sub sounds, skip marks, positions, then the parameter bars.
    add(group("header", 226, 2, 286, 44));
    add(label("format", 230, 14, 36, 12));
    add(readOnly(1030, 230, 26, 36));
    add(label("channels", 268, 14, 44, 12));
    add(readOnly(1031, 268, 26, 44));
    add(label("smpl/s", 314, 14, 50, 12));
    add(readOnly(1032, 314, 26, 50));
    add(label("byte/s", 366, 14, 56, 12));
    add(readOnly(1033, 366, 26, 56));
    add(label("block", 424, 14, 40, 12));
    add(readOnly(1034, 424, 26, 40));
    add(label("bits/smpl", 466, 14, 44, 12));
    add(readOnly(1035, 466, 26, 42));

    add(group("sub sound", 226, 48, 190, 92));
    for (int k = 0; k < 5; ++k) {
        int y = 60 + 15 * k;
        add(button(1069 + k, "open", 230, y, 40, 14));
        add(button(1090 + k, ">", 272, y, 22, 14));
        add(button(1080 + k, "O", 296, y, 22, 14));
    }
    add(label("block", 324, 60, 30, 14));
    add(readOnly(1099, 356, 60, 30));
    add(button(1100, "+", 324, 78, 22, 16));
    add(button(1101, "0", 348, 78, 22, 16));
    add(button(1102, "all", 324, 98, 40, 16));
    add(button(1108, "setting", 324, 118, 50, 16));

    add(group("skip mark", 420, 48, 92, 44));
    add(button(1129, "start", 424, 64, 28, 18));
    add(button(1130, "end", 454, 64, 26, 18));
    add(button(1131, "on-off", 482, 64, 28, 18));

    add(group("pos", 420, 94, 92, 46));
    add(button(40009, "-", 424, 108, 18, 14));
    add(button(40016, "0", 444, 108, 18, 14));
    add(button(40015, "+", 464, 108, 18, 14));
    add(button(40017, "set", 484, 108, 26, 14));
    add(readOnly(1160, 424, 124, 86, 14));

    add(group("main pan", 280, 142, 232, 24));
    add(button(1074, "reset", 436, 128, 40, 12));
    add(readOnly(1075, 478, 128, 32, 12));
    add(bar(9008, 290, 149, 212));

    add(group("main pitch", 280, 172, 232, 48));
    add(button(1076, "+", 284, 186, 20, 16));
    add(button(1078, "-", 306, 186, 20, 16));
    add(button(1079, "++", 328, 186, 24, 16));
    add(button(1085, "--", 354, 186, 24, 16));
    add(button(1066, "on-off", 380, 186, 40, 16));
    add(button(1067, "reset", 422, 186, 40, 16));
    add(readOnly(1068, 464, 186, 44, 16));
    add(bar(9007, 290, 212, 212));

    add(group("main speed", 280, 244, 232, 40));
    add(button(1064, "reset", 422, 256, 40, 16));
    add(readOnly(1065, 464, 256, 44, 16));
    add(bar(9006, 290, 275, 212));

    add(group("main boost", 280, 306, 232, 40));
    add(button(1044, "reset", 422, 318, 40, 16));
    add(readOnly(1054, 464, 318, 44, 16));
    add(bar(9004, 290, 338, 212));

    add(group("wav volume", 280, 368, 232, 40));
    add(button(1051, "reset", 422, 381, 40, 16));
    add(readOnly(1047, 464, 381, 44, 16));
    add(bar(9005, 290, 401, 212));

    // Status lines at the bottom.
    add(readOnly(1036, 8, 488, 330, 18));
    add(readOnly(1116, 342, 488, 170, 18));
    return c;
}

MenuEntry item(int id, const char* text, bool disabled = false) { return {id, text, {}, disabled}; }
MenuEntry popup(const char* text, std::vector<MenuEntry> children) {
    return {0, text, std::move(children), false};
}

std::vector<MenuEntry> mainMenu() {
    return {
        popup("ファイル",
              {item(1015, "開く"), item(40014, "現在位置保存"), item(40015, "位置読込"),
               item(40018, "位置ファイル編集"), item(40022, "データサイズ上書き"),
               item(40024, "PCMにセット"), item(1057, "コピー"), item(1010, "終了")}),
        popup("再生モード", {item(1005, "逆再生"), item(1006, "繰返し"),
                             item(40012, "連続再生on-off"), item(40027, "16bitに変換して再生")}),
        item(40021, "<<"),
        item(1040, "<-"),
        item(1007, "->"),
        item(1037, ">>"),
        popup("リバーブ", {item(1041, "オン、オフ"), item(40007, "設定")}),
        popup("録音レベル", {item(1056, "オン、オフ"), item(1136, "録音時も表示する、しない"),
                             item(40023, "録音バッファ,スタンバイ"),
                             item(1019, "buffer-reset", true)}),
        popup("シーケンス", {item(1117, "保存"), item(1118, "開く"), item(1121, "再生"),
                             item(1122, "記録")}),
        popup("表示", {item(40013, "波形　全表示"), item(40010, "データ編集"),
                       item(40005, "キーボード")}),
        item(1095, "その他"),
        popup("ヘルプ", {item(40006, "ヘルプ"), item(1018, "ヘルプ")}),
    };
}

}  // namespace

TemplateDef mainRecord() {
    TemplateDef t;
    t.name = "MAIN_RECORD";
    t.caption = "pelkit_recorder";
    t.rect = {0, 0, 520, 512};
    t.controls = mainControls(true);
    t.menu = mainMenu();
    return t;
}

TemplateDef mainNoRecord() {
    TemplateDef t = mainRecord();
    t.name = "MAIN_NO_RECORD";
    t.controls = mainControls(false);
    t.visible = false;
    return t;
}

TemplateDef mainRecordS() {
    TemplateDef t = mainRecord();
    t.name = "MAIN_RECORD_S";
    t.visible = false;
    return t;
}

TemplateDef mainRecordEng() {
    TemplateDef t = mainRecord();
    t.name = "MAIN_RECORD_ENG";
    t.visible = false;
    // The English layout has the "<<" jump and the reverb switch as buttons.
    t.controls.push_back(button(1039, "<<", 116, 183, 24, 16));
    t.controls.push_back(button(1041, "off", 142, 183, 24, 16));
    return t;
}

}  // namespace pelkit::resources

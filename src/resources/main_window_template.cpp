// The main window MAIN_RECORD, its menu 119 and the variants carried beside it.
#include "resources/templates_data.h"

namespace pelkit::resources {

namespace {

// Buttons and fields share one row height; a group holds one row under its caption.
constexpr int kRowHeight = 22;
constexpr int kGroupHeight = 44;

ControlDef button(int id, const char* text, int x, int y, int w = 28, int h = kRowHeight) {
    return {id, ControlKind::Button, text, {x, y, w, h}, false};
}
ControlDef field(int id, int x, int y, int w = 56, int h = kRowHeight) {
    return {id, ControlKind::Field, "", {x, y, w, h}, false};
}
ControlDef readOnly(int id, int x, int y, int w = 56, int h = kRowHeight) {
    return {id, ControlKind::ReadOnly, "", {x, y, w, h}, false};
}
ControlDef label(const char* text, int x, int y, int w = 60, int h = kRowHeight) {
    return {-1, ControlKind::Label, text, {x, y, w, h}, false};
}
ControlDef group(const char* text, int x, int y, int w, int h = kGroupHeight) {
    return {-1, ControlKind::Group, text, {x, y, w, h}, false};
}
ControlDef bar(int handle, int x, int y, int w) {
    return {handle, ControlKind::ScrollBar, "", {x, y, w, 10}, false};
}

// The five parameter groups of the middle column, each above its bar.
void parameterGroup(std::vector<ControlDef>& c, const char* title, int barHandle, int barY) {
    c.push_back(group(title, 286, barY - 42, 220, 59));
    c.push_back(bar(barHandle, 290, barY, 212));
}

std::vector<ControlDef> mainControls(bool withRecordGroup) {
    std::vector<ControlDef> c;
    auto add = [&](ControlDef d) { c.push_back(std::move(d)); };

    // Left column: transport, format and sizes, four rows of groups.
    if (withRecordGroup) {
        add(group("rec", 6, 0, 134));
        add(button(1000, "O>", 12, 18, 40));
        add(button(1001, "|", 54, 18, 40));
        add(button(1028, "||", 96, 18, 40));
    }
    add(group("play", 144, 0, 138));
    add(button(1002, ">", 150, 18, 40));
    add(button(1003, "||", 193, 18, 40));
    add(button(1004, "|", 236, 18, 40));

    add(group("rate", 6, 44, 276));
    add(button(1009, "+", 12, 62, 26));
    add(button(1011, "44", 40, 62, 30));
    add(button(1012, "-", 72, 62, 26));
    add(readOnly(1025, 104, 62, 56));
    add(field(1042, 166, 62, 56));
    add(button(1045, "set", 226, 62, 50));

    add(group("bits/sample", 6, 88, 190));
    add(button(1013, "16", 12, 106, 30));
    add(button(1014, "8", 44, 106, 26));
    add(button(1504, "24", 72, 106, 30));
    add(readOnly(1024, 106, 106, 28));
    add(button(1021, "lock-off", 138, 106, 52));

    add(group("channel", 200, 88, 82));
    add(button(1016, "1", 206, 106, 24));
    add(button(1017, "2", 232, 106, 24));
    add(field(1027, 258, 106, 18));

    add(group("buffer (byte)", 6, 132, 148));
    add(button(1022, "+", 12, 150, 26));
    add(button(1023, "-", 40, 150, 26));
    add(button(1020, "||", 68, 150, 26));
    add(readOnly(1026, 98, 150, 50));

    add(group("size", 158, 132, 124));
    add(readOnly(1029, 164, 150, 112));

    add(label("time", 8, 177, 30));
    add(readOnly(1038, 40, 177, 84));

    // The position and range bars under the transport, with the range buttons beside them.
    add(bar(9001, 16, 200, 227));
    add(bar(9002, 16, 220, 227));
    add(bar(9003, 16, 240, 227));
    add(label("start", 248, 177, 36));
    add(button(1155, "set", 246, 215, 38, 19));
    add(button(1156, "set", 246, 235, 38, 19));
    add(label("end", 262, 255, 24, 16));
    add(button(1052, "full", 180, 177, 60));

    // The two waveform windows.
    add({-2, ControlKind::Wave, "", {10, 260, 250, 110}, false});
    add({-3, ControlKind::Wave, "", {10, 371, 250, 110}, false});

    // Middle column: the header of the sound, then the parameter bars.
    add(group("header", 286, 0, 220, 102));
    const char* headerLabels[] = {"format", "channels", "smpl/s", "byte/s", "block", "bits/smpl"};
    const int headerIds[] = {1030, 1031, 1032, 1033, 1034, 1035};
    for (int k = 0; k < 6; ++k) {
        int x = 292 + 71 * (k % 3);
        int y = 17 + 42 * (k / 3);
        add(label(headerLabels[k], x, y, 68, 17));
        // smpl/s and bits/smpl (with channel 1027) are read back as the next recording's
        // format, so the user may type there.
        bool typed = headerIds[k] == 1032 || headerIds[k] == 1035;
        add(typed ? field(headerIds[k], x, y + 17, 66) : readOnly(headerIds[k], x, y + 17, 66));
    }

    // Pan: with the pan coefficients, -100 (the bar's left end) sends the sound to the right
    // channel and +100 (its right end) to the left; each end is labelled with its side.
    parameterGroup(c, "main pan", 9008, 149);
    c.back().rect = {306, 149, 180, 10};
    add(label("右", 290, 143, 14));
    add(label("左", 490, 143, 14));
    add(button(1074, "reset", 422, 125, 38));
    add(readOnly(1075, 462, 125, 40));

    parameterGroup(c, "main pitch", 9007, 212);
    add(button(1076, "+", 290, 188, 20));
    add(button(1078, "-", 312, 188, 20));
    add(button(1079, "++", 334, 188, 24));
    add(button(1085, "--", 360, 188, 24));
    add(button(1066, "on-off", 386, 188, 42));
    add(button(1067, "reset", 430, 188, 36));
    add(readOnly(1068, 468, 188, 34));

    parameterGroup(c, "main speed", 9006, 275);
    add(button(1064, "reset", 422, 251, 38));
    add(readOnly(1065, 462, 251, 40));

    parameterGroup(c, "main boost", 9004, 338);
    add(readOnly(1048, 402, 314, 18));
    add(button(1044, "reset", 422, 314, 38));
    add(readOnly(1054, 462, 314, 40));

    parameterGroup(c, "wav volume", 9005, 401);
    add(button(1051, "reset", 422, 377, 38));
    add(readOnly(1047, 462, 377, 40));

    // Right column: sub sounds, skip marks and position marks.
    // Each slot row ends with the name of the slot's file; the block controls sit below.
    add(group("sub sound", 512, 0, 242, 202));
    for (int k = 0; k < 5; ++k) {
        int y = 18 + 26 * k;
        add(button(1069 + k, "open", 518, y, 46));
        add(button(1090 + k, ">", 566, y, 28));
        add(button(1080 + k, "O", 596, y, 28));
        add({1170 + k, ControlKind::Name, "", {628, y, 120, kRowHeight}, false});
    }
    add(label("block", 518, 148, 36));
    add(readOnly(1099, 556, 148, 50));
    add(button(1100, "+", 610, 148, 68));
    add(button(1101, "0", 680, 148, 68));
    add(button(1102, "all", 518, 174, 114));
    add(button(1108, "setting", 634, 174, 114));

    add(group("skip mark", 512, 206, 242));
    add(button(1129, "start", 518, 224, 76));
    add(button(1130, "end", 596, 224, 76));
    add(button(1131, "on-off", 674, 224, 74));

    add(group("pos", 512, 254, 242, 70));
    add(button(40009, "-", 518, 272, 44));
    add(button(40016, "0", 564, 272, 44));
    add(button(40015, "+", 610, 272, 44));
    add(button(40017, "set", 656, 272, 92));
    add(readOnly(1160, 518, 296, 230));

    // Status lines at the bottom.
    add(readOnly(1036, 6, 488, 380));
    add(readOnly(1116, 390, 488, 364));
    return c;
}

MenuEntry item(int id, const char* text, bool disabled = false) {
    return {id, text, {}, disabled};
}
MenuEntry popup(const char* text, std::vector<MenuEntry> children) {
    return {0, text, std::move(children), false};
}

std::vector<MenuEntry> mainMenu() {
    return {
        popup("ファイル", {item(1015, "開く"), item(40034, "書き出し"), item(40014, "現在位置保存"),
                           item(40015, "位置読込"), item(40018, "位置ファイル編集"),
                           item(40022, "データサイズ上書き"), item(40024, "PCMにセット"),
                           item(1057, "コピー"), item(1010, "終了")}),
        popup("再生モード",
              {item(1005, "逆再生"), item(1006, "繰返し"), item(40012, "連続再生on-off"),
               item(40027, "16bitに変換して再生"), item(40028, "高音質ストレッチ"),
               item(40029, "フォルマント保持"), item(40030, "ライブ演奏")}),
        item(40021, "<<"),
        item(1040, "<-"),
        item(1007, "->"),
        item(1037, ">>"),
        popup("リバーブ", {item(1041, "オン、オフ"), item(40007, "設定")}),
        popup("録音レベル", {item(1056, "オン、オフ"), item(1136, "録音時も表示する、しない"),
                             item(40023, "録音バッファ,スタンバイ"),
                             item(40035, "録音をFLACでも保存"), item(1019, "buffer-reset", true)}),
        popup("シーケンス",
              {item(1117, "保存"), item(1118, "開く"), item(1121, "再生"), item(1122, "記録")}),
        popup("表示",
              {item(40013, "波形　全表示"), item(40010, "データ編集"), item(40005, "キーボード"),
               item(40031, "ラウドネス測定"), item(40032, "ラウドネス正規化")}),
        item(1095, "その他"),
        popup("ヘルプ", {item(40006, "ヘルプ"), item(1018, "ヘルプ")}),
    };
}

}  // namespace

TemplateDef mainRecord() {
    TemplateDef t;
    t.name = "MAIN_RECORD";
    t.caption = "pelkit_recorder";
    t.rect = {0, 0, 760, 532};
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
    t.controls.push_back(button(1039, "<<", 518, 336, 44));
    t.controls.push_back(button(1041, "off", 564, 336, 44));
    return t;
}

}  // namespace pelkit::resources

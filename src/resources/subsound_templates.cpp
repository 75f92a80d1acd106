// The sub sound dialogs: SUB_SOUND_DLG ("all": one button per slot) and SUB_SOUND_SETTING (one
// slot's boost, pan and state).
#include "resources/subsound_ids.h"
#include "resources/templates_data.h"

namespace pelkit::resources {

namespace {

ControlDef button(int id, const char* text, int x, int y, int w, int h = 22) {
    return {id, ControlKind::Button, text, {x, y, w, h}, false};
}
ControlDef readOnly(int id, int x, int y, int w) {
    return {id, ControlKind::ReadOnly, "", {x, y, w, 20}, false};
}
ControlDef label(const char* text, int x, int y, int w) {
    return {-1, ControlKind::Label, text, {x, y, w, 20}, false};
}
ControlDef group(const char* text, int x, int y, int w, int h) {
    return {-1, ControlKind::Group, text, {x, y, w, h}, false};
}

// The slot buttons: 20 columns by 10 rows, slot 0 at the top left, rows filled first.
constexpr int kColumns = 20;
constexpr int kSlotWidth = 32;
constexpr int kSlotHeight = 22;
constexpr int kSlotGap = 2;

}  // namespace

TemplateDef subSoundDlg() {
    TemplateDef t;
    t.name = "SUB_SOUND_DLG";
    t.caption = "sub sound";
    const int gridWidth = kColumns * (kSlotWidth + kSlotGap) - kSlotGap;
    const int rows = 200 / kColumns;
    const int bottom = 8 + rows * (kSlotHeight + kSlotGap) + 6;
    t.rect = {0, 0, gridWidth + 16, bottom + 34};
    for (int i = 0; i < 200; ++i) {
        const int x = 8 + (i % kColumns) * (kSlotWidth + kSlotGap);
        const int y = 8 + (i / kColumns) * (kSlotHeight + kSlotGap);
        t.controls.push_back(button(id::kSubSoundSlotButton0 + i, "", x, y, kSlotWidth));
    }
    t.controls.push_back(label("mode", 8, bottom + 1, 36));
    t.controls.push_back(button(id::kSubSoundMode, "open", 46, bottom, 56));
    t.controls.push_back(label("main", 116, bottom + 1, 34));
    t.controls.push_back(button(id::kSubSoundMainButton, "open", 152, bottom, 56));
    t.controls.push_back(button(id::kSubSoundAllStop, "all stop", 222, bottom, 70));
    t.controls.push_back(
        {id::kSubSoundAllName, ControlKind::Name, "", {298, bottom, gridWidth - 432, 22}, false});
    t.controls.push_back(button(id::kSubSoundDialogOk, "OK", gridWidth - 128, bottom, 64));
    t.controls.push_back(button(id::kSubSoundDialogCancel, "ｷｬﾝｾﾙ", gridWidth - 58, bottom, 64));
    return t;
}

TemplateDef subSoundSetting() {
    TemplateDef t;
    t.name = "SUB_SOUND_SETTING";
    t.caption = "sub sound setting";
    t.rect = {0, 0, 356, 260};
    t.controls = {
        label("no.", 10, 5, 24),
        button(id::kSettingPreviousSlot, "<", 36, 4, 24),
        {id::kSettingSlot, ControlKind::Field, "", {62, 4, 48, 22}, false},
        button(id::kSettingNextSlot, ">", 112, 4, 24),
        button(id::kSettingSetSlot, "set", 140, 4, 44),

        // The two bars sit where the dialog's opening places them: boost at (45, 50), pan at
        // (45, 120), both 212 x 10.
        group("boost", 8, 30, 340, 46),
        {id::kSettingBoostBar, ControlKind::ScrollBar, "", {45, 50, 212, 10}, false},
        button(id::kSettingBoostReset, "reset", 262, 45, 40, 20),
        readOnly(id::kSettingBoost, 304, 45, 38),

        group("pan", 8, 100, 340, 46),
        {id::kSettingPanBar, ControlKind::ScrollBar, "", {45, 120, 212, 10}, false},
        // The side the sound goes to at each end (-100 right, +100 left).
        {-1, ControlKind::Label, "右", {45, 131, 14, 14}, false},
        {-1, ControlKind::Label, "左", {245, 131, 14, 14}, false},
        button(id::kSettingPanReset, "reset", 262, 115, 40, 20),
        readOnly(id::kSettingPan, 304, 115, 38),

        label("seq.", 10, 156, 34),
        readOnly(id::kSettingArmed, 46, 156, 70),
        label("start", 122, 156, 30),
        readOnly(id::kSettingStartPosition, 154, 156, 76),
        label("time", 236, 156, 30),
        readOnly(id::kSettingPlayedTime, 268, 156, 80),
        label("file", 10, 182, 34),
        readOnly(id::kSettingName, 46, 182, 302),

        button(id::kSubSoundDialogOk, "OK", 214, 226, 64),
        button(id::kSubSoundDialogCancel, "ｷｬﾝｾﾙ", 284, 226, 64),
    };
    return t;
}

}  // namespace pelkit::resources

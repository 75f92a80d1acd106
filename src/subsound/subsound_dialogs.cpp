#include "subsound/subsound_dialogs.h"

#include <algorithm>
#include <cctype>
#include <string>

#include "resources/control_ids.h"
#include "resources/subsound_ids.h"
#include "state/app_state.h"
#include "status/scroll_rules.h"
#include "status/status_display.h"
#include "subsound/subsound_commands.h"

namespace pelkit {

namespace {

constexpr float kSubBoostMaximum = 10.0f;

// The slot number typed into the setting dialog, read as an unsigned number: leading blanks,
// then digits up to the first other character. Nothing readable, a sign or a number past 32 bits
// reads 0.
uint32_t unsignedField(const std::string& text) {
    size_t at = 0;
    while (at < text.size() && (text[at] == ' ' || text[at] == '\t'))
        ++at;
    uint64_t value = 0;
    for (; at < text.size() && std::isdigit(static_cast<unsigned char>(text[at])); ++at) {
        value = value * 10 + static_cast<uint64_t>(text[at] - '0');
        if (value > UINT32_MAX) return 0;
    }
    return static_cast<uint32_t>(value);
}

SubSoundSlot* settingSlot(AppState& app) {
    SubSoundUi& s = app.subSoundUi;
    if (!app.subSounds) return nullptr;
    if (s.settingSlot < 0 || s.settingSlot >= kSubSoundSlotCount) s.settingSlot = 0;
    return &app.subSounds->entries[static_cast<size_t>(s.settingSlot)];
}

// Boost: field 1110 trunc(boost x 100), the bar trunc(boost x 500) limited to 100..900.
void showSlotBoost(AppState& app, const SubSoundSlot& slot) {
    const WindowHandle w = app.subSoundUi.settingWindow;
    const long double boost = slot.boost;
    app.ui().setText(w, id::kSettingBoost, std::to_string(static_cast<int32_t>(boost * 100)));
    app.ui().setScrollPos(w, id::kSettingBoostBar,
                          static_cast<int>(std::clamp(boost * 500, 100.0L, 900.0L)));
}

// Pan: field 1115 trunc(pan), the bar trunc(pan) limited to -100..100.
void showSlotPan(AppState& app, const SubSoundSlot& slot) {
    const WindowHandle w = app.subSoundUi.settingWindow;
    const long double pan = slot.pan;
    app.ui().setText(w, id::kSettingPan, std::to_string(static_cast<int32_t>(pan)));
    app.ui().setScrollPos(w, id::kSettingPanBar,
                          static_cast<int>(std::clamp(pan, -100.0L, 100.0L)));
}

}  // namespace

// ----- "all" -----

void SubSoundAllDialog::onInit(WindowHandle window) {
    app_.subSoundUi.allWindow = window;
    app_.subSoundUi.dialogMode = 2;
    app_.subSoundUi.allNamedSlot = -1;
    app_.ui().setTitle(window, "sub sound");
    showSubSoundSlots(app_);
}

void SubSoundAllDialog::showMode(WindowHandle window) {
    static const char* const kModeText[] = {"play", "stop", "open"};
    static const char* const kMainText[] = {">", "0", "open"};
    const int32_t mode = app_.subSoundUi.dialogMode;
    app_.ui().setText(window, id::kSubSoundMode, kModeText[mode]);
    app_.ui().setText(window, id::kSubSoundMainButton, kMainText[mode]);
}

void SubSoundAllDialog::onCommand(WindowHandle window, int id, int32_t, Notify notify) {
    if (notify != Notify::Click) return;
    int32_t& mode = app_.subSoundUi.dialogMode;
    if (id >= id::kSubSoundSlotButton0 && id <= id::kSubSoundSlotButtonLast) {
        const int32_t index = id - id::kSubSoundSlotButton0;
        app_.subSoundUi.allNamedSlot = index;
        static const int kSlotCommand[] = {id::kSubSoundPlayIndex, id::kSubSoundStopIndex,
                                           id::kSubSoundOpenIndex};
        sendCommand(app_, kSlotCommand[mode], index);
        // A slot that got a file (or was started) shows its number from now on; the name field
        // names the slot's file.
        showSubSoundSlots(app_);
        return;
    }
    switch (id) {
        case id::kSubSoundMode:
            mode = mode >= 2 ? 0 : mode + 1;
            showMode(window);
            break;
        case id::kSubSoundMainButton: {
            static const int kMainCommand[] = {id::kPlay, id::kPlayStop, id::kOpen};
            sendCommand(app_, kMainCommand[mode]);
            break;
        }
        case id::kSubSoundAllStop:
            if (app_.subSounds) app_.subSounds->stopAll();
            break;
        case id::kSubSoundDialogOk:
        case id::kSubSoundDialogCancel:
            onClose(window);
            break;
        default:
            break;
    }
}

void SubSoundAllDialog::onClose(WindowHandle window) {
    app_.ui().endDialog(window, 0);
    if (app_.subSoundUi.allWindow == window) app_.subSoundUi.allWindow = kNoWindow;
}

// ----- "setting" -----

void refreshSubSoundSetting(AppState& app, bool byUser) {
    SubSoundUi& s = app.subSoundUi;
    const WindowHandle w = s.settingWindow;
    SubSoundSlot* slot = settingSlot(app);
    if (w == kNoWindow || !slot) return;
    Ui& ui = app.ui();
    ui.setText(w, id::kSettingArmed,
               slot->armed ? ui.translate("message", "あり") : ui.translate("message", "なし"));
    ui.setText(w, id::kSettingStartPosition, std::to_string(slot->startPosition));
    if (byUser) s.slotFieldEdited = false;
    if (!s.slotFieldEdited) ui.setText(w, id::kSettingSlot, std::to_string(s.settingSlot + 1));
    ui.setText(w, id::kSettingName, slot->name);
    ui.setText(w, id::kSettingPlayedTime,
               timeText(slot->playedBytes, static_cast<uint32_t>(app.format.bytesPerSecond)));
    showSlotBoost(app, *slot);
    showSlotPan(app, *slot);
}

void SubSoundSettingDialog::onInit(WindowHandle window) {
    SubSoundUi& s = app_.subSoundUi;
    s.settingWindow = window;
    s.settingSlot = 0;
    s.slotFieldEdited = false;
    app_.ui().setTitle(window, "sub sound setting");
    app_.ui().setScrollRange(window, id::kSettingPanBar, -100, 100);
    app_.ui().setScrollRange(window, id::kSettingBoostBar, 1, 1000);
    refreshSubSoundSetting(app_, true);
}

void SubSoundSettingDialog::onCommand(WindowHandle window, int id, int32_t, Notify notify) {
    SubSoundUi& s = app_.subSoundUi;
    if (notify == Notify::EditChange) {
        if (id == id::kSettingSlot) s.slotFieldEdited = true;
        return;
    }
    switch (id) {
        case id::kSettingNextSlot:
            s.settingSlot += 1;
            refreshSubSoundSetting(app_, true);
            break;
        case id::kSettingPreviousSlot:
            s.settingSlot -= 1;
            refreshSubSoundSetting(app_, true);
            break;
        case id::kSettingSetSlot: {
            const int64_t slot =
                int64_t{unsignedField(app_.ui().getText(window, id::kSettingSlot))} - 1;
            // A number outside 1..200 shows slot 1.
            s.settingSlot = slot >= 0 && slot < kSubSoundSlotCount ? static_cast<int32_t>(slot) : 0;
            refreshSubSoundSetting(app_, true);
            break;
        }
        case id::kSettingPanReset:
            refreshSubSoundSetting(app_, true);
            break;
        case id::kSubSoundDialogOk:
        case id::kSubSoundDialogCancel:
            onClose(window);
            break;
        default:
            break;  // the boost group's "reset" (1109) among them
    }
}

void SubSoundSettingDialog::onScroll(WindowHandle, int bar, int code, int thumb) {
    SubSoundSlot* slot = settingSlot(app_);
    if (!slot) return;
    if (bar == id::kSettingBoostBar) {
        slot->boost = boostStep(slot->boost, code, thumb, kSubBoostMaximum);
        showSlotBoost(app_, *slot);
    } else if (bar == id::kSettingPanBar) {
        slot->pan = panStep(slot->pan, code, thumb);
        showSlotPan(app_, *slot);
    }
}

void SubSoundSettingDialog::onClose(WindowHandle window) {
    app_.ui().endDialog(window, 0);
    if (app_.subSoundUi.settingWindow == window) app_.subSoundUi.settingWindow = kNoWindow;
}

}  // namespace pelkit

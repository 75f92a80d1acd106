// The two sub sound windows, both beside the main window: "all" (SUB_SOUND_DLG), one button per
// slot that plays, stops or opens it by the dialog's mode, and "setting" (SUB_SOUND_SETTING),
// one slot's boost, pan and state.
#pragma once

#include <cstdint>

#include "platform/ui.h"

namespace pelkit {

struct AppState;

class SubSoundAllDialog final : public DialogHandler {
  public:
    explicit SubSoundAllDialog(AppState& app) : app_(app) {}
    void onInit(WindowHandle window) override;
    void onCommand(WindowHandle window, int id, int32_t param, Notify notify) override;
    void onScroll(WindowHandle, int, int, int) override {}
    void onClose(WindowHandle window) override;

  private:
    void showMode(WindowHandle window);

    AppState& app_;
};

class SubSoundSettingDialog final : public DialogHandler {
  public:
    explicit SubSoundSettingDialog(AppState& app) : app_(app) {}
    void onInit(WindowHandle window) override;
    void onCommand(WindowHandle window, int id, int32_t param, Notify notify) override;
    void onScroll(WindowHandle window, int bar, int code, int thumb) override;
    void onClose(WindowHandle window) override;

  private:
    AppState& app_;
};

// Shows the setting dialog's slot, if the dialog is open: its number, file, start position,
// armed state, time played, boost and pan. BYUSER: asked for in the dialog itself, so the slot
// number field is written even when it was typed into.
void refreshSubSoundSetting(AppState& app, bool byUser);

}  // namespace pelkit

// The main window's commands for speed, pitch, boost, volume, pan and reverb, and the reverb
// dialog.
#pragma once

#include "platform/ui.h"

namespace pelkit {

struct AppState;

// 1064, 1066, 1067, 1076, 1078, 1079, 1085, 1044, 1051, 1074, 1041 and 40007.
void levelCommand(AppState& app, int id);

// The "REVERB" dialog: the first delay bar, its reset, the feedback switch and OK.
class ReverbDialog final : public DialogHandler {
  public:
    explicit ReverbDialog(AppState& app) : app_(app) {}
    void onInit(WindowHandle window) override;
    void onCommand(WindowHandle window, int id, int32_t param, Notify notify) override;
    void onScroll(WindowHandle window, int bar, int code, int thumb) override;
    void onClose(WindowHandle window) override;

  private:
    void showDelay();
    AppState& app_;
    WindowHandle window_ = kNoWindow;
};

}  // namespace pelkit

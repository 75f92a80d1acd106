// The main window's commands for speed, pitch, boost, volume, pan and reverb, and the reverb
// dialog.
#pragma once

#include <vector>

#include "platform/ui.h"
#include "state/command_table.h"

namespace pelkit {

struct AppState;

// The main window's speed, pitch, boost, volume and reverb commands (1064, 1066, 1067, 1076,
// 1078, 1079, 1085, 1044, 1051, 1041 and 40007).
std::vector<CommandEntry> levelCommands();
// 1074: the main pan back to 0 (the application also notes it in a sequence being written).
void resetPan(AppState& app);

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

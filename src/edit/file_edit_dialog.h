// The file edit dialog ("FILEEDIT", title "file copy"), a window beside the main window: it
// collects the numbers the edits take and forwards each button to the main window as a command.
#pragma once

#include <cstdint>
#include <string>

#include "platform/ui.h"

namespace pelkit {

struct AppState;

// A field read as an unsigned number: digits only (blanks around them allowed) and at most
// 4294967295; anything else reads as 0.
uint32_t unsignedFieldValue(const std::string& text);

// A field read as "%d" reads its first 19 characters: blanks, a sign and digits; text that does
// not start with a number reads as 0, and numbers beyond the 32-bit range are held to it.
int32_t signedFieldValue(const std::string& text);

class FileEditDialog final : public DialogHandler {
  public:
    explicit FileEditDialog(AppState& app) : app_(app) {}
    void onInit(WindowHandle window) override;
    void onCommand(WindowHandle window, int id, int32_t param, Notify notify) override;
    void onScroll(WindowHandle, int, int, int) override {}
    void onClose(WindowHandle window) override;

  private:
    // Reads the boost rate field into the main window's boost rate.
    uint32_t readBoostRate();

    AppState& app_;
    WindowHandle window_ = kNoWindow;
};

}  // namespace pelkit

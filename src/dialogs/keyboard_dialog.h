// The keyboard pitch dialog (KEYBOARD, beside the main window): 85 keys set the main pitch in
// equal-tempered semitones and start the sound when it is not playing; five buttons shift the
// keys by octaves. The dialog passes its keys and octave buttons on to the main window.
#pragma once

#include <cstdint>

#include "platform/ui.h"

namespace pelkit {

struct AppState;

class KeyboardDialog final : public DialogHandler {
  public:
    explicit KeyboardDialog(AppState& app) : app_(app) {}
    void onInit(WindowHandle window) override;
    void onCommand(WindowHandle window, int id, int32_t param, Notify notify) override;
    void onScroll(WindowHandle, int, int, int) override {}
    void onClose(WindowHandle window) override;

  private:
    AppState& app_;
};

// Menu 40005: opens the dialog, unless it is open already.
void openKeyboard(AppState& app);
// At the main window's close: the dialog ends with it.
void closeKeyboard(AppState& app);

// Whether ID is a key (1409..1493) or an octave button (1494..1498) of the main window.
bool isKeyboardCommand(int id);
// A key: the pitch of the key, shown, and play started when the sound is not playing. An octave
// button: the shift the next key takes.
void keyboardCommand(AppState& app, int id);

}  // namespace pelkit

// The keyboard pitch dialog (KEYBOARD, beside the main window): 85 keys set the main pitch in
// equal-tempered semitones and start the sound when it is not playing; five buttons shift the
// keys by octaves. The dialog passes its keys and octave buttons on to the main window.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/ui.h"
#include "state/command_table.h"

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

// Whether ID is a key (1409..1493) or an octave button (1494..1498): the dialog passes these on
// to the main window.
bool isKeyboardCommand(int id);
// The main window's keyboard commands: the menu entry that opens the dialog; a key sets the
// pitch of the key, shows it and starts play when the sound is not playing; an octave button
// sets the shift the next key takes.
std::vector<CommandEntry> keyboardCommands();

}  // namespace pelkit

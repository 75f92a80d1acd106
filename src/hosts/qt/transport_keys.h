// The transport keys of the main window: Space plays or stops, R records, Esc stops playing or
// recording. They sit in a menu of their own, which shows them, and press the window's own
// buttons (so a disabled button is not pressed). None fires while a text field that takes
// typing has the focus: the field gets the key.
#pragma once

#include <functional>

#include "resources/control_descriptions.h"

namespace pelkit {

class TemplateDialog;

struct TransportState {
    bool playing = false;
    bool recording = false;
};

// The button of the main window that ACTION presses in STATE, or 0 for none.
int transportButton(TransportAction action, TransportState state);

// Adds the transport menu and its keys to MAIN; STATE tells what the program is doing.
void addTransportKeys(TemplateDialog& main, std::function<TransportState()> state);

}  // namespace pelkit

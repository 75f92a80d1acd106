// The keyboard pitch dialog's state: the octaves its keys are shifted by, and the open dialog.
#pragma once

#include <cstdint>

#include "platform/ui.h"

namespace pelkit {

struct KeyboardState {
    int32_t octaveShift = 0;  // taken by the next key press; the current pitch stays
    WindowHandle window = kNoWindow;
};

}  // namespace pelkit

// Scroll messages of the main window's bars, and the commands that move the range bounds and the
// position bar.
#pragma once

#include <cstdint>

namespace pelkit {

struct AppState;

// A scroll message from one of the main window's bars.
void onMainScroll(AppState& app, int bar, int code, int thumb);

// Commands 1155 and 1156: the range start or end takes the current position.
void setRangeFromPosition(AppState& app, bool start);

// The tail of the position mark commands: the bar shows INDEX, the picture, time and play
// stream follow the new position.
void afterPositionJump(AppState& app, int32_t index);

}  // namespace pelkit

// The main window's eight scroll bars: their creation, the stepping rules of scroll actions,
// and the position bar's progress during playback.
#pragma once

#include <cstdint>

namespace pelkit {

struct AppState;

// Sets the ranges and first positions of the eight bars.
void createScrollBars(AppState& app);

// A scroll message from one of the main window's bars.
void onMainScroll(AppState& app, int bar, int code, int thumb);

// The position bar follows the play position (trunc(position / dataSize x range)).
void showPlayProgress(AppState& app);

// Commands 1155 and 1156: the range start or end takes the current position.
void setRangeFromPosition(AppState& app, bool start);

// The tail of the position mark commands: the bar shows INDEX, the picture, time and play
// stream follow the new position.
void afterPositionJump(AppState& app, int32_t index);

// The pitch timing readout in field 1116.
void showPitchTiming(AppState& app);

// The bytes moved by the position bar's arrows, from the sample rate and the horizontal scale.
void recomputePositionStep(AppState& app);

}  // namespace pelkit

// The readouts beside the main window's scroll bars, and the bars themselves.
#pragma once

#include <cstdint>

namespace pelkit {

struct AppState;

void showSpeed(AppState& app);
void showPitch(AppState& app);
// Hands the boost the bar stepped to the level stage and shows it.
void showBoost(AppState& app);
void showVolume(AppState& app);
void showPan(AppState& app);

// Sets the ranges and first positions of the eight bars.
void createScrollBars(AppState& app);

// The position bar follows the play position (trunc(position / dataSize x range)).
void showPlayProgress(AppState& app, uint32_t position);

// The pitch timing readout in field 1116.
void showPitchTiming(AppState& app);

// The bytes moved by the position bar's arrows, from the sample rate and the horizontal scale.
void recomputePositionStep(AppState& app);

}  // namespace pelkit

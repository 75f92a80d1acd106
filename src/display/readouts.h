// The readouts beside the main window's scroll bars, and the position bar's arrow step.
#pragma once

namespace pelkit {

struct AppState;

// Sets the ranges and first positions of the main window's eight scroll bars.
void createScrollBars(AppState& app);

void showSpeed(AppState& app);
void showPitch(AppState& app);
// Hands the boost the bar stepped to the level stage and shows it.
void showBoost(AppState& app);
void showVolume(AppState& app);
void showPan(AppState& app);

// The bytes moved by the position bar's arrows, from the sample rate and the horizontal scale.
void recomputePositionStep(AppState& app);

}  // namespace pelkit

// The readouts beside the main window's scroll bars.
#pragma once

namespace pelkit {

struct AppState;

void showSpeed(AppState& app);
void showPitch(AppState& app);
// Hands the boost the bar stepped to the level stage and shows it.
void showBoost(AppState& app);
void showVolume(AppState& app);
void showPan(AppState& app);

}  // namespace pelkit

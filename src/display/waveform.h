// The two waveform windows: their painters, the display timer that moves the picture through
// the block being heard, the block events of playback and recording, and the file overview.
#pragma once

#include <cstdint>

#include "platform/canvas.h"
#include "platform/ui.h"

namespace pelkit {

struct AppState;

void invalidateWaveforms(AppState& app);

void startDisplayTimer(AppState& app);
void stopDisplayTimer(AppState& app);
// One tick of the display timer: the picture moves 72 ms further into the block being heard.
void onDisplayTick(AppState& app);

// Fills the display buffer with overview records (the largest and smallest values of eight
// frames per 928 bytes of the file) read from the play position.
void buildOverview(AppState& app, uint32_t byteCount, uint32_t stride);
// The overview at the play position, when nothing plays.
void refreshOverview(AppState& app);
// Command 40013: an overview of the whole rest of the file.
void showWholeWaveform(AppState& app);

}  // namespace pelkit

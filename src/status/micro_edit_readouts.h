// What the wave micro edit dialog shows: its three sliders (a bar with a number field beside
// it), the buffer start, and the frame under the cursor in the display buffer. The values are
// kept while the dialog is closed; only an open dialog is drawn on.
#pragma once

#include <cstdint>

namespace pelkit {

struct AppState;
struct ValueSlider;

// The 4 bytes of frame editCursor at displayData (left then right 16-bit value): the frame a
// write stores. Nothing when they would lie outside the display buffer.
uint8_t* microEditFrame(AppState& app);

// Shows SLIDER on its bar BAR and its number field READOUT, when the dialog is open.
void showValueSlider(AppState& app, const ValueSlider& slider, int bar, int readout);
// The cursor slider's range 0 .. maximum on its bar, and its value.
void showCursorSlider(AppState& app);
// The value sliders take LEFT and RIGHT and show them.
void setFrameValues(AppState& app, int32_t left, int32_t right);
// Field 1499: the play position, the start of the block the cursor counts in.
void showBufferStart(AppState& app);

}  // namespace pelkit

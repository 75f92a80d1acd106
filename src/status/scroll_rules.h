// How a scroll action (a scroll code and, for a drag, the thumb position) changes a value.
// The main window's bars and the bars of the dialogs share these rules.
#pragma once

#include <cstdint>

namespace pelkit {

// Speed root and pitch: arrows move by STEP, pages by five steps, the thumb sets 0.002 x pos.
float factorStep(float v, int code, int thumb, float minimum, float maximum, float step);
// Boosts: arrows +-0.01 within +-MAXIMUM, pages 0.05 more, the thumb sets 0.002 x pos.
float boostStep(float v, int code, int thumb, float maximum);
// Volumes and the like: as boosts, never below 0 by the arrows; the thumb sets pos / (50 x max).
float floatStep(float v, int code, int thumb, float maximum);
// Pans: arrows +-0.1 within +-100, pages 0.5 more, the thumb position is a signed 16-bit value.
float panStep(float v, int code, int thumb);
// Integer bars: arrows +-1 within 1..RANGE, pages 16 more, the thumb sets the index.
int32_t integerStep(int32_t index, int code, int thumb, int32_t range);

}  // namespace pelkit

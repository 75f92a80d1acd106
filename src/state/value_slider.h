// The labelled sliders of the wave micro edit dialog (a scroll bar with a number field beside
// it): the cursor within the current block and the left and right values of the frame under it.
#pragma once

#include <cstdint>
#include <string>

namespace pelkit {

struct ValueSlider {
    int32_t x = 0;  // the bar's place in the dialog, pixels
    int32_t y = 0;
    int32_t width = 230;  // from the bar's left edge to the number field
    int32_t height = 10;
    int32_t maximum = 0;
    int32_t minimum = 0;
    int32_t page = 100;
    int32_t value = 0;

    // One scroll action: arrows move by 1, pages by page + 1 (the page, then an arrow's step),
    // all within minimum .. maximum; a drag sets the thumb position (read as a signed 16-bit
    // number when maximum is below 32768); top and bottom go to the ends; a release does
    // nothing. The value always ends within minimum .. maximum.
    void step(int code, int thumb);
    // The number field's text.
    std::string readout() const { return std::to_string(value); }
};

// The slider over the frames of one block: 0 .. outputLength / 4 - 1, never below 0 (a block of
// fewer than 4 bytes still has frame 0 and no other).
int32_t cursorMaximum(uint32_t outputLength);
// Sets the cursor slider's range for a block of OUTPUTLENGTH bytes, keeping its value inside.
void setCursorRange(ValueSlider& cursor, uint32_t outputLength);

// The three sliders of the dialog, kept for the whole run: the cursor at (15, 15) over 0 .. 0
// until a block is played, the left and right values at (15, 50) and (15, 85) over -32768 ..
// 32767.
struct MicroEditSliders {
    ValueSlider cursor;
    ValueSlider left;
    ValueSlider right;
};
MicroEditSliders makeMicroEditSliders();

}  // namespace pelkit

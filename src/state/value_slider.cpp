#include "state/value_slider.h"

#include <algorithm>

#include "platform/ui.h"

namespace pelkit {

void ValueSlider::step(int code, int thumb) {
    // Wide enough that a page beyond either end of any range cannot overflow.
    int64_t v = value;
    const int64_t lo = minimum, hi = maximum;
    switch (code) {
        case kScrollLineLeft:
            v = std::max(v - 1, lo);
            break;
        case kScrollLineRight:
            v = std::min(v + 1, hi);
            break;
        case kScrollPageLeft:
            v = std::max(v - page - 1, lo);
            break;
        case kScrollPageRight:
            v = std::min(v + page + 1, hi);
            break;
        case kScrollThumbDragged:
            // The bars report whole positions, so wide ranges take the thumb as it is; narrow
            // ones read it as a signed 16-bit number (a thumb at -32768 may come as 32768).
            v = hi < 32768 ? static_cast<int16_t>(static_cast<uint16_t>(thumb))
                           : static_cast<int64_t>(thumb);
            break;
        case kScrollTop:
            v = lo;
            break;
        case kScrollBottom:
            v = hi;
            break;
        default:
            break;
    }
    value = static_cast<int32_t>(std::clamp(v, lo, std::max(lo, hi)));
}

int32_t cursorMaximum(uint32_t outputLength) {
    return outputLength < 4 ? 0 : static_cast<int32_t>(outputLength / 4 - 1);
}

void setCursorRange(ValueSlider& cursor, uint32_t outputLength) {
    cursor.minimum = 0;
    cursor.maximum = cursorMaximum(outputLength);
    cursor.value = std::clamp(cursor.value, cursor.minimum, cursor.maximum);
}

MicroEditSliders makeMicroEditSliders() {
    MicroEditSliders s;
    s.cursor.x = 15;
    s.cursor.y = 15;
    for (ValueSlider* v : {&s.left, &s.right}) {
        v->x = 15;
        v->minimum = -32768;
        v->maximum = 32767;
    }
    s.left.y = 50;
    s.right.y = 85;
    return s;
}

}  // namespace pelkit

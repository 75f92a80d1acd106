#include "status/scroll_rules.h"

#include <algorithm>

#include "platform/ui.h"

namespace pelkit {

float factorStep(float v, int code, int thumb, float minimum, float maximum, float step) {
    double x = v;
    switch (code) {
        case kScrollLineLeft:
            x = std::max(x - step, static_cast<double>(minimum));
            break;
        case kScrollLineRight:
            x = std::min(x + step, static_cast<double>(maximum));
            break;
        case kScrollPageLeft:
            x = std::max(x - 4.0 * step, static_cast<double>(minimum));
            x = std::max(static_cast<double>(static_cast<float>(x)) - step,
                         static_cast<double>(minimum));
            break;
        case kScrollPageRight:
            x = std::min(x + 4.0 * step, static_cast<double>(maximum));
            x = std::min(static_cast<double>(static_cast<float>(x)) + step,
                         static_cast<double>(maximum));
            break;
        case kScrollThumbDragged:
            x = std::clamp(static_cast<uint16_t>(thumb) * 0.002, static_cast<double>(minimum),
                           static_cast<double>(maximum));
            break;
        case kScrollTop:
            x = minimum;
            break;
        case kScrollBottom:
            x = maximum;
            break;
        default:
            break;
    }
    return static_cast<float>(x);
}

namespace {

// The shared shape of the boost, float and pan rules: arrows move by LINE within LOW..HIGH,
// pages first move EXTRA more; the thumb sets THUMBVALUE, top TOP and bottom HIGH.
float armStep(float v, int code, double thumbValue, float low, float high, double line,
              double extra, float top) {
    double x = v;
    auto left = [&] {
        x = std::max(static_cast<double>(static_cast<float>(x)) - line, double{low});
    };
    auto right = [&] {
        x = std::min(static_cast<double>(static_cast<float>(x)) + line, double{high});
    };
    switch (code) {
        case kScrollLineLeft:
            left();
            break;
        case kScrollLineRight:
            right();
            break;
        case kScrollPageLeft:
            x -= extra;
            left();
            break;
        case kScrollPageRight:
            x += extra;
            right();
            break;
        case kScrollThumbDragged:
            x = thumbValue;
            break;
        case kScrollTop:
            x = top;
            break;
        case kScrollBottom:
            x = high;
            break;
        default:
            break;
    }
    return static_cast<float>(x);
}

}  // namespace

float boostStep(float v, int code, int thumb, float maximum) {
    return armStep(v, code, static_cast<uint16_t>(thumb) * 0.002, -maximum, maximum, 0.01, 0.05,
                   0.0f);
}

float floatStep(float v, int code, int thumb, float maximum) {
    return armStep(v, code, static_cast<uint16_t>(thumb) / (maximum * 50.0), 0.0f, maximum, 0.01,
                   0.05, 0.0f);
}

float panStep(float v, int code, int thumb) {
    return armStep(v, code, static_cast<int16_t>(static_cast<uint16_t>(thumb)), -100.0f, 100.0f,
                   0.1, 0.5, -100.0f);
}

int32_t integerStep(int32_t index, int code, int thumb, int32_t range) {
    switch (code) {
        case kScrollLineLeft:
            return std::max(index - 1, 1);
        case kScrollLineRight:
            return std::min(index + 1, range);
        case kScrollPageLeft:
            return std::max(index - 16 - 1, 1);
        case kScrollPageRight:
            return std::min(index + 16 + 1, range);
        case kScrollThumbDragged:
            return static_cast<uint16_t>(thumb);
        case kScrollTop:
            return 1;
        case kScrollBottom:
            return range;
        default:
            return index;
    }
}

}  // namespace pelkit

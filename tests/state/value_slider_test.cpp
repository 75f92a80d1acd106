// The stepping rules of the wave micro edit's sliders and the cursor's range per block.
#include "state/value_slider.h"

#include <gtest/gtest.h>

#include "platform/ui.h"

namespace pelkit {
namespace {

TEST(ValueSlider, Steps) {
    struct Case {
        int32_t minimum, maximum, value;
        int code, thumb;
        int32_t expected;
    };
    const Case cases[] = {
        // The value sliders: a drag reads the thumb as a signed 16-bit number.
        {-32768, 32767, 0, kScrollThumbDragged, -32768, -32768},
        {-32768, 32767, 0, kScrollThumbDragged, 32768, -32768},
        {-32768, 32767, 5, kScrollThumbDragged, 65535, -1},
        {-32768, 32767, 32767, kScrollLineRight, 0, 32767},
        {-32768, 32767, 0, kScrollPageLeft, 0, -101},  // the page, then an arrow's step
        {-32768, 32767, -32700, kScrollPageLeft, 0, -32768},
        {-32768, 32767, 7, kScrollTop, 0, -32768},
        {-32768, 32767, 7, kScrollThumbReleased, 300, 7},
        // The cursor over a 49,152-byte block, 0 .. 12,287.
        {0, 12287, 12000, kScrollPageRight, 0, 12101},
        {0, 12287, 12200, kScrollPageRight, 0, 12287},
        {0, 12287, 50, kScrollThumbDragged, 20000, 12287},
        // Over a block of more than 131,072 bytes the thumb position is taken whole.
        {0, 116735, 0, kScrollThumbDragged, 70000, 70000},
        // A value left outside a narrowed range comes back inside on any action.
        {0, 10, 50, kScrollThumbReleased, 0, 10},
    };
    for (const Case& c : cases) {
        ValueSlider s;
        s.minimum = c.minimum;
        s.maximum = c.maximum;
        s.value = c.value;
        s.step(c.code, c.thumb);
        EXPECT_EQ(s.value, c.expected) << c.value << " code " << c.code << " thumb " << c.thumb;
        EXPECT_EQ(s.readout(), std::to_string(c.expected));
    }
}

TEST(ValueSlider, CursorRangeFollowsTheBlockAndNeverGoesBelowZero) {
    const std::pair<uint32_t, int32_t> maxima[] = {
        {0, 0}, {3, 0}, {4, 0}, {8, 1}, {49152, 12287}, {0xFFFFFFFF, 0x3FFFFFFE}};
    for (auto [length, maximum] : maxima)
        EXPECT_EQ(cursorMaximum(length), maximum) << length;
    MicroEditSliders s = makeMicroEditSliders();
    s.cursor.step(kScrollBottom, 0);
    EXPECT_EQ(s.cursor.value, 0);  // no block played yet
    setCursorRange(s.cursor, 49152);
    s.cursor.step(kScrollBottom, 0);
    EXPECT_EQ(s.cursor.value, 12287);
    setCursorRange(s.cursor, 768);  // a shorter block pulls the cursor inside
    EXPECT_EQ(s.cursor.value, 191);
    setCursorRange(s.cursor, 2);
    EXPECT_EQ(s.cursor.value, 0);
}

}  // namespace
}  // namespace pelkit

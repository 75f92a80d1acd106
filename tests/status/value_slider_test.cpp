// The stepping rules of the wave micro edit's sliders and the cursor's range per block.
#include "status/value_slider.h"

#include <gtest/gtest.h>

#include "platform/ui.h"
#include "resources/templates.h"
#include "resources/wave_edit_ids.h"

namespace pelkit {
namespace {

struct StepCase {
    const char* what;
    int32_t minimum, maximum, value;
    int code, thumb;
    int32_t expected;
};

TEST(ValueSlider, Steps) {
    const StepCase cases[] = {
        // The value sliders, -32768 .. 32767: a drag reads the thumb as a signed 16-bit number.
        {"drag left fully left", -32768, 32767, 0, kScrollThumbDragged, -32768, -32768},
        {"drag left reported as 32768", -32768, 32767, 0, kScrollThumbDragged, 32768, -32768},
        {"drag to the right end", -32768, 32767, 0, kScrollThumbDragged, 32767, 32767},
        {"drag to 65535 reads -1", -32768, 32767, 5, kScrollThumbDragged, 65535, -1},
        {"line left", -32768, 32767, 10, kScrollLineLeft, 0, 9},
        {"line left at the end", -32768, 32767, -32768, kScrollLineLeft, 0, -32768},
        {"line right at the end", -32768, 32767, 32767, kScrollLineRight, 0, 32767},
        {"page left is page + 1", -32768, 32767, 0, kScrollPageLeft, 0, -101},
        {"page left near the end", -32768, 32767, -32700, kScrollPageLeft, 0, -32768},
        {"page right near the end", -32768, 32767, 32700, kScrollPageRight, 0, 32767},
        {"top", -32768, 32767, 7, kScrollTop, 0, -32768},
        {"bottom", -32768, 32767, 7, kScrollBottom, 0, 32767},
        {"released changes nothing", -32768, 32767, 7, kScrollThumbReleased, 300, 7},
        // The cursor over a 49,152-byte block: 0 .. 12,287.
        {"cursor page right stops at the end", 0, 12287, 12200, kScrollPageRight, 0, 12287},
        {"cursor page right", 0, 12287, 12000, kScrollPageRight, 0, 12101},
        {"cursor page left stops at 0", 0, 12287, 50, kScrollPageLeft, 0, 0},
        {"cursor drag below 0", 0, 12287, 50, kScrollThumbDragged, -3, 0},
        {"cursor drag past the end", 0, 12287, 50, kScrollThumbDragged, 20000, 12287},
        // A cursor over a block of more than 131,072 bytes takes the whole thumb position.
        {"wide cursor drag", 0, 116735, 0, kScrollThumbDragged, 70000, 70000},
        {"wide cursor drag past the end", 0, 116735, 0, kScrollThumbDragged, 200000, 116735},
        // A value left outside a narrowed range comes back inside on any action.
        {"outside the range", 0, 10, 50, kScrollThumbReleased, 0, 10},
    };
    for (const StepCase& c : cases) {
        ValueSlider s;
        s.minimum = c.minimum;
        s.maximum = c.maximum;
        s.value = c.value;
        s.step(c.code, c.thumb);
        EXPECT_EQ(s.value, c.expected) << c.what;
        EXPECT_EQ(s.readout(), std::to_string(c.expected)) << c.what;
    }
}

TEST(ValueSlider, CursorRangeFollowsTheBlock) {
    struct Case {
        uint32_t outputLength;
        int32_t maximum;
    };
    // Fewer than 4 bytes still leave frame 0 only (never -1).
    for (Case c : {Case{0, 0}, Case{3, 0}, Case{4, 0}, Case{7, 0}, Case{8, 1}, Case{768, 191},
                   Case{49152, 12287}, Case{466944, 116735}, Case{0xFFFFFFFF, 0x3FFFFFFE}}) {
        EXPECT_EQ(cursorMaximum(c.outputLength), c.maximum) << c.outputLength;
    }
    MicroEditSliders s = makeMicroEditSliders();
    EXPECT_EQ(s.cursor.maximum, 0);
    s.cursor.step(kScrollBottom, 0);
    EXPECT_EQ(s.cursor.value, 0);
    setCursorRange(s.cursor, 49152);
    s.cursor.step(kScrollBottom, 0);
    EXPECT_EQ(s.cursor.value, 12287);
    // A shorter block pulls the cursor back inside it; an empty one leaves frame 0.
    setCursorRange(s.cursor, 768);
    EXPECT_EQ(s.cursor.value, 191);
    setCursorRange(s.cursor, 2);
    EXPECT_EQ(s.cursor.value, 0);
    EXPECT_EQ(s.cursor.maximum, 0);
}

TEST(WaveEditTemplate, SlidersAreAddressableByName) {
    const TemplateDef* t = findTemplate("wave_edit");
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(t->caption, "wave micro edit");
    const MicroEditSliders s = makeMicroEditSliders();
    const ValueSlider* sliders[] = {&s.cursor, &s.left, &s.right};
    for (size_t i = 0; i < id::kWaveEditBars.size(); ++i) {
        const id::NamedBar& b = id::kWaveEditBars[i];
        EXPECT_EQ(id::waveEditBar(b.name), b.bar);
        const ControlDef* bar = findControl(*t, b.bar);
        const ControlDef* readout = findControl(*t, b.readout);
        ASSERT_TRUE(bar && readout) << b.name;
        EXPECT_EQ(bar->kind, ControlKind::ScrollBar);
        // Each bar stands where its slider says, the number field 230 pixels to its right.
        EXPECT_EQ(bar->rect.x, sliders[i]->x);
        EXPECT_EQ(bar->rect.y, sliders[i]->y);
        EXPECT_EQ(readout->rect.x, sliders[i]->x + sliders[i]->width);
    }
    EXPECT_FALSE(id::waveEditBar("middle"));
    for (int control : {id::kWaveEditWrite, id::kWaveEditCancel, id::kWaveEditBufferStart})
        EXPECT_NE(findControl(*t, control), nullptr) << control;
}

}  // namespace
}  // namespace pelkit

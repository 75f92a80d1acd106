// The upper window's paint hands the frame under the wave micro edit's cursor to the value
// sliders: the frame a write would store, and only when it lies inside the display buffer.
#include <gtest/gtest.h>

#include <string>

#include "display/waveform.h"
#include "resources/wave_edit_ids.h"
#include "state/app_state.h"
#include "support/fake_platform.h"
#include "support/test_support.h"

namespace pelkit {
namespace {

using namespace test;

class NullCanvas final : public Canvas {
  public:
    void fillBlack(int, int, int, int) override {}
    void selectPen(Pen) override {}
    void moveTo(int, int) override {}
    void lineTo(int, int) override {}
};

TEST(MicroEditHandOver, ThePaintHandsOverTheFrameAWriteStoresOnlyInsideTheDisplayBuffer) {
    constexpr WindowHandle kDialog = 7;
    FakePlatform fake;
    AppState app(fake.platform());
    app.ring.displayBuffer = patternBytes(kDisplayBufferSize, 8);
    app.ring.displayData = app.ring.displayBuffer.data();
    app.microEdit.window = kDialog;
    app.sound.position = 98304;
    app.display.tickCount = 3;  // the picture starts further on; the frame handed over does not
    const Bytes& shown = app.ring.displayBuffer;
    auto value = [&](size_t at) {
        return static_cast<int16_t>(static_cast<uint16_t>(shown[at] | shown[at + 1] << 8));
    };
    const struct {
        uint32_t cursor;
        bool inside;
    } cases[] = {{0, true},
                 {10, true},
                 {kDisplayBufferSize / 4 - 1, true},
                 {kDisplayBufferSize / 4, false},
                 {kDisplayBufferSize / 2, false}};
    NullCanvas canvas;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.cursor);
        MicroEditSliders& s = app.microEdit.sliders;
        s.left.value = s.right.value = 12345;
        fake.ui.texts.clear();
        app.display.editCursor = c.cursor;
        paintUpper(app, canvas);
        const size_t at = 4 * static_cast<size_t>(c.cursor);
        EXPECT_EQ(s.left.value, c.inside ? value(at) : 12345);
        EXPECT_EQ(s.right.value, c.inside ? value(at + 2) : 12345);
        EXPECT_EQ(fake.ui.text(id::kWaveEditLeftValue, kDialog),
                  c.inside ? std::to_string(value(at)) : "");
        EXPECT_EQ(fake.ui.text(id::kWaveEditBufferStart, kDialog), "98304");
    }
}

}  // namespace
}  // namespace pelkit

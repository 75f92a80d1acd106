// The bars' analysis on its own thread while the main window plays: blocks come back and are
// refilled, the timer re-reads the display, both windows paint from the published results, the
// mode is switched off and on, and the window closes while an analysis may still run. Run under
// ThreadSanitizer by scripts/test-tsan.sh.
#include <gtest/gtest.h>

#include "app/program.h"
#include "resources/control_ids.h"
#include "services/services.h"
#include "support/fake_platform.h"
#include "support/test_support.h"

namespace pelkit {
namespace {

using namespace test;

class NullCanvas final : public Canvas {
  public:
    long lines = 0;
    void fillBlack(int, int, int, int) override {}
    void selectPen(Pen) override {}
    void moveTo(int, int) override {}
    void lineTo(int, int) override { ++lines; }
};

TEST(SpectrumWorkerInPlay, PaintsAndRefillsBesideTheWorkerAndTheCloseWaitsForIt) {
    constexpr uint32_t kBlock = 49152;
    TempDir dir;
    WorkingDirectory cwd{dir.path()};
    writeFile(dir.file("s.wav"), canonicalWav(2, 44100, 16, patternBytes(64 * kBlock, 9)));
    FakePlatform fake;
    Program program{fake.platform(), "", "s.wav", SpectrumWorker::Mode::Threaded};
    AppState& app = program.state();
    MainWindow& window = program.mainWindow();
    window.onInit(kFakeMainWindow);
    app.display.spectrumMode = true;

    sendCommand(app, id::kPlay);
    window.onDeviceMessage({MessageKind::OutOpen, nullptr, 0});
    ASSERT_TRUE(app.modes.playing);
    NullCanvas canvas;
    int started = 0;
    for (int block = 0; block < 48; ++block) {
        window.onDeviceMessage({MessageKind::OutDone, &app.ring.headers[block % kBlockCount], 0});
        started += app.services.spectrum.running();
        for (int tick = 0; tick < 3; ++tick) {
            window.onTimer();
            program.paint(WaveWindow::Upper, canvas);
            program.paint(WaveWindow::Lower, canvas);
        }
        // Off for a while: a running analysis ends after its current output.
        if (block % 8 == 5) app.display.spectrumMode = false, app.services.spectrum.stop();
        if (block % 8 == 7) app.display.spectrumMode = true;
    }
    EXPECT_GT(started, 0);
    EXPECT_GT(canvas.lines, 0);

    // An analysis started by the last block, then the close: it switches the mode off and waits.
    window.onDeviceMessage({MessageKind::OutDone, &app.ring.headers[0], 0});
    window.onClose(kFakeMainWindow);
    EXPECT_FALSE(app.display.spectrumMode);
    EXPECT_FALSE(app.services.spectrum.running());
}

}  // namespace
}  // namespace pelkit

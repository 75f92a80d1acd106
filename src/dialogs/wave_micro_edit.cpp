#include "dialogs/wave_micro_edit.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <memory>
#include <optional>
#include <string>
#include <tuple>

#include "files/file_stream.h"
#include "files/frame_write.h"
#include "platform/ui.h"
#include "resources/wave_edit_ids.h"
#include "state/app_state.h"
#include "status/micro_edit_readouts.h"
#include "status/shown_block.h"
#include "status/status_display.h"

namespace pelkit {

namespace {

int16_t read16(const uint8_t* p) {
    return static_cast<int16_t>(static_cast<uint16_t>(p[0] | (p[1] << 8)));
}

void put16(uint8_t* p, int32_t v) {
    p[0] = static_cast<uint8_t>(v & 0xFF);
    p[1] = static_cast<uint8_t>((v >> 8) & 0xFF);
}

class WaveMicroEditDialog final : public DialogHandler {
  public:
    explicit WaveMicroEditDialog(AppState& app) : app_(app) {}
    void onInit(WindowHandle window) override;
    void onCommand(WindowHandle window, int id, int32_t param, Notify notify) override;
    void onScroll(WindowHandle window, int bar, int code, int thumb) override;
    void onClose(WindowHandle window) override;

  private:
    // Reads the block at the play position into the display and hands its frame under the
    // cursor to the value sliders.
    void readBlockAtPosition();
    void write();

    AppState& app_;
};

void WaveMicroEditDialog::onInit(WindowHandle window) {
    app_.microEdit.window = window;
    app_.ui().setTitle(window, "wave micro edit");
    MicroEditSliders& s = app_.microEdit.sliders;
    // The cursor's range is never below 0 (0 .. 0 before the first block is played).
    s.cursor.value = static_cast<int32_t>(
        std::min(app_.display.editCursor, static_cast<uint32_t>(s.cursor.maximum)));
    showCursorSlider(app_);
    for (auto [slider, bar, readout] :
         {std::tuple{&s.left, id::kWaveEditLeftBar, id::kWaveEditLeftValue},
          std::tuple{&s.right, id::kWaveEditRightBar, id::kWaveEditRightValue}}) {
        app_.ui().setScrollRange(window, bar, slider->minimum, slider->maximum);
        showValueSlider(app_, *slider, bar, readout);
    }
    // While nothing plays or records, the dialog starts on the frames it edits: the sliders
    // show the file's own values, whatever the display held before.
    if (!app_.modes.playing && !app_.modes.recording && !app_.recorder.closing) {
        readBlockAtPosition();
    } else {
        showBufferStart(app_);
    }
}

void WaveMicroEditDialog::onCommand(WindowHandle window, int id, int32_t, Notify notify) {
    if (notify != Notify::Click) return;
    if (id == id::kWaveEditWrite) write();
    if (id == id::kWaveEditCancel) onClose(window);
}

void WaveMicroEditDialog::onScroll(WindowHandle, int bar, int code, int thumb) {
    MicroEditSliders& s = app_.microEdit.sliders;
    switch (bar) {
        case id::kWaveEditLeftBar:
            s.left.step(code, thumb);
            showValueSlider(app_, s.left, id::kWaveEditLeftBar, id::kWaveEditLeftValue);
            break;
        case id::kWaveEditRightBar:
            s.right.step(code, thumb);
            showValueSlider(app_, s.right, id::kWaveEditRightBar, id::kWaveEditRightValue);
            break;
        case id::kWaveEditCursorBar:
            s.cursor.step(code, thumb);
            app_.display.editCursor = static_cast<uint32_t>(s.cursor.value);
            showCursorSlider(app_);
            readBlockAtPosition();
            break;
        default:
            break;
    }
}

void WaveMicroEditDialog::onClose(WindowHandle window) {
    app_.ui().endDialog(window, 0);
    app_.microEdit.window = kNoWindow;
    // Its cursor mark goes with it.
    invalidateWaveforms(app_);
}

void WaveMicroEditDialog::readBlockAtPosition() {
    if (app_.ring.displayBuffer.empty()) return;
    showBlockAtPosition(app_);
    if (const uint8_t* frame = microEditFrame(app_)) {
        setFrameValues(app_, read16(frame), read16(frame + 2));
    }
    showBufferStart(app_);
}

void WaveMicroEditDialog::write() {
    AppState& app = app_;
    if (app.modes.playing) {
        // The display shows a block behind the play position: the frame on screen is not the
        // one the position names.
        showWarning(app, "A frame cannot be written while playing. Stop playing, then write.");
        return;
    }
    if (app.modes.recording || app.recorder.closing) {
        showWarning(app, "A frame cannot be written while recording: " + app.sound.fileName +
                             " is the file the take will be finished into.");
        return;
    }
    uint8_t* shownFrame = microEditFrame(app);
    if (!shownFrame) {
        showWarning(app, "The frame was not written: the cursor lies beyond the display.");
        return;
    }
    const MicroEditSliders& s = app.microEdit.sliders;
    std::array<uint8_t, 4> frame{};
    put16(frame.data(), s.left.value);
    put16(frame.data() + 2, s.right.value);
    const uint64_t offset =
        static_cast<uint64_t>(app.sound.position) + 4ull * app.display.editCursor;

    // The sliders started from the frame on display; unless that is the file's frame at the
    // cursor, a value the user did not set would be written over the sound.
    FileStream in;
    std::array<uint8_t, 4> onDisk{};
    if (in.open(app.sound.fileName, FileStream::Mode::Read) &&
        in.seek(app.sound.dataOffset() + static_cast<int64_t>(offset)) &&
        in.read(onDisk.data(), onDisk.size()) == onDisk.size() &&
        std::memcmp(onDisk.data(), shownFrame, onDisk.size()) != 0) {
        showWarning(app,
                    "The frame was not written: the display does not show the sound at the "
                    "play position. Move the cursor to read it, then write.");
        return;
    }
    in.close();

    if (std::optional<std::string> failed =
            writeFrameInPlace(app.sound.fileName, app.sound.dataOffset(), offset, frame)) {
        showWarning(app, *failed);
        return;
    }
    std::memcpy(shownFrame, frame.data(), frame.size());
    invalidateWaveforms(app);
}

}  // namespace

void openMicroEdit(AppState& app) {
    if (app.microEdit.window != kNoWindow) return;
    app.ui().openModeless("wave_edit", std::make_unique<WaveMicroEditDialog>(app));
}

}  // namespace pelkit

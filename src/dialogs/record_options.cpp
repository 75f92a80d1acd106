#include "dialogs/record_options.h"

#include "resources/control_ids.h"
#include "resources/record_options_ids.h"

#include <algorithm>
#include <cstdlib>
#include <limits>
#include <memory>
#include <string>

#include "services/services.h"
#include "state/app_state.h"
#include "status/check_marks.h"
#include "status/scroll_rules.h"
#include "status/status_display.h"

namespace pelkit {

namespace {

constexpr int kAuxMaximumPos = 200;
constexpr int kSkipLevelRange = 100;
constexpr uint32_t kDefaultProcessingUnit = 4096;
constexpr uint32_t kSmallestProcessingUnit = 16;

// The leading decimal integer of TEXT as "%d" reads it (blanks and a sign allowed), or nothing
// when the text does not start with one.
bool leadingInteger(const std::string& text, int32_t& value) {
    const char* begin = text.c_str();
    char* end = nullptr;
    long long v = std::strtoll(begin, &end, 10);
    if (end == begin) return false;
    v = std::clamp<long long>(v, std::numeric_limits<int32_t>::min(),
                              std::numeric_limits<int32_t>::max());
    value = static_cast<int32_t>(v);
    return true;
}

// The display switch and the scale buttons: the main window's own commands, whose result the
// scale fields show.
bool changesScales(int id) {
    switch (id) {
        case id::options::kDisplayOnOff:
        case id::options::kVerticalDown:
        case id::options::kVerticalUp:
        case id::options::kVerticalOne:
        case id::options::kHorizontalUp:
        case id::options::kHorizontalOne:
        case id::options::kHorizontalDown:
            return true;
        default:
            return false;
    }
}

// The processing unit buttons: up or down by 8 (not below the smallest unit) or back to the
// default. False for any other button.
bool stepUnit(uint32_t& unit, int id) {
    switch (id) {
        case id::options::kUnitUp:
            unit += 8;
            return true;
        case id::options::kUnitDefault:
            unit = kDefaultProcessingUnit;
            return true;
        case id::options::kUnitDown:
            if (unit >= kSmallestProcessingUnit + 8) unit -= 8;
            return true;
        default:
            return false;
    }
}

// The seam length buttons: up or down by 4 (not below 0) or to 0. False for any other button.
bool stepSeam(uint32_t& seam, int id) {
    switch (id) {
        case id::options::kSeamUp:
            seam += 4;
            return true;
        case id::options::kSeamZero:
            seam = 0;
            return true;
        case id::options::kSeamDown:
            if (seam > 3) seam -= 4;
            return true;
        default:
            return false;
    }
}

// The switches of the channels the waveform shows. False for any other button.
bool toggleChannel(DisplayState& d, int id) {
    switch (id) {
        case id::options::kShowLeft:
            d.showLeft = !d.showLeft;
            return true;
        case id::options::kShowRight:
            d.showRight = !d.showRight;
            return true;
        default:
            return false;
    }
}

}  // namespace

void RecordOptionsDialog::setNumber(int id, int64_t value) {
    app_.ui().setText(window_, id, std::to_string(value));
}

void RecordOptionsDialog::showAux() {
    setNumber(id::options::kAuxField, static_cast<int32_t>(aux_ * 50));
    float pos = std::clamp(aux_ * 100, 0.0f, static_cast<float>(kAuxMaximumPos));
    app_.ui().setScrollPos(window_, id::options::kAuxBar, static_cast<int>(pos));
}

void RecordOptionsDialog::showSkipLevel() {
    int32_t level = app_.display.skipLevel;
    setNumber(id::options::kSkipLevelField, level);
    app_.ui().setScrollPos(window_, id::options::kSkipLevelBar,
                           std::clamp(level, 0, kSkipLevelRange));
}

void RecordOptionsDialog::showScales() {
    setNumber(id::options::kVerticalField, static_cast<int32_t>(app_.display.verticalScale * 100));
    setNumber(id::options::kHorizontalField,
              static_cast<int32_t>(app_.display.horizontalScale * 100));
}

void RecordOptionsDialog::showMixing() {
    app_.ui().setText(window_, id::options::kMixingField, app_.level.timesMode ? "times" : "add");
}

void RecordOptionsDialog::showWriteMode() {
    app_.ui().setText(window_, id::options::kWriteMode,
                      app_.modes.writeMode == WriteMode::Disk ? "HDD" : "mem");
}

void RecordOptionsDialog::showUnit() {
    setNumber(id::options::kUnitField, app_.processing.processingUnit);
}

void RecordOptionsDialog::showSeam() {
    setNumber(id::options::kSeamField, app_.processing.seamLength);
}

void RecordOptionsDialog::readLoopSize() {
    RecorderState& r = app_.recorder;
    int32_t typed = 0;
    if (leadingInteger(app_.ui().getText(window_, id::options::kLoopSizeField), typed)) {
        r.loopSize = static_cast<uint32_t>(typed);
    }
    // The field keeps what was typed; only the setting is raised to the minimum.
    r.loopSize = std::max(r.loopSize, kMinimumLoopSize);
    const FormatSettings& f = app_.format;
    uint32_t bytesPerSecond = static_cast<uint32_t>(f.soundBitsPerSample / 8) *
                              static_cast<uint32_t>(f.channels) *
                              static_cast<uint32_t>(f.samplesPerSecond);
    uint32_t minutes = bytesPerSecond == 0 ? 0 : r.loopSize / bytesPerSecond / 60;
    setNumber(id::options::kMinutesField, minutes);
}

void RecordOptionsDialog::onInit(WindowHandle window) {
    window_ = window;
    app_.windows.recordOptions = window;
    Ui& ui = app_.ui();
    ui.setTitle(window, "record option");
    ui.setScrollRange(window, id::options::kAuxBar, 0, kAuxMaximumPos);
    ui.setScrollRange(window, id::options::kSkipLevelBar, 0, kSkipLevelRange);
    showAux();
    showSkipLevel();
    setNumber(id::options::kAuxDevices, app_.platform.in.auxDeviceCount());
    showWriteMode();
    setNumber(id::options::kLoopSizeField, app_.recorder.loopSize);
    // Writing the loop size is a change of the field: the minutes follow it.
    readLoopSize();
    showScales();
    showMixing();
    showUnit();
    showSeam();
    refreshCheckMarks(app_);
}

void RecordOptionsDialog::onCommand(WindowHandle window, int id, int32_t param, Notify notify) {
    // The loop size field answers every notification; everything else only clicks.
    if (id == id::options::kLoopSizeField) {
        readLoopSize();
        return;
    }
    if (notify != Notify::Click) return;
    handleClick(window, id, param);
    // The switches of this window (and of the main window) follow what the click changed.
    refreshCheckMarks(app_);
}

void RecordOptionsDialog::handleClick(WindowHandle window, int id, int32_t param) {
    if (changesScales(id)) {
        sendCommand(app_, id, param);
        showScales();
        return;
    }
    if (stepUnit(app_.processing.processingUnit, id)) {
        showUnit();
        return;
    }
    if (stepSeam(app_.processing.seamLength, id)) {
        showSeam();
        return;
    }
    if (toggleChannel(app_.display, id)) return;
    switch (id) {
        case id::options::kAuxReset:
            aux_ = kAuxDefault;
            showAux();
            break;
        case id::options::kLoopStart:
            readLoopSize();
            sendCommand(app_, id::options::kLoopStart, param);
            endWindow(window);
            break;
        case id::options::kSpectrum:
            changeSpectrumView();
            break;
        case id::options::kSkipLevelReset:
            app_.display.skipLevel = 1;
            showSkipLevel();
            break;
        case id::options::kMixingToggle:
            app_.level.timesMode = !app_.level.timesMode;
            [[fallthrough]];
        case id::options::kMixingShow:
            showMixing();
            break;
        case id::options::kWriteMode:
            app_.modes.writeMode = otherWriteMode(app_.modes.writeMode);
            showWriteMode();
            break;
        case id::options::kLanguage:
            toggleCaptions(app_);
            break;
        case id::kOk:
        case id::kCancel:
            endWindow(window);
            break;
        case id::options::kJumpStart:  // jump max is used by nothing: the button stays disabled
        default:
            break;
    }
}

void RecordOptionsDialog::changeSpectrumView() {
    // "change" steps from the trace to the bars, on to the FFT view, and back to the trace.
    DisplayState& d = app_.display;
    SpectrumState& s = app_.spectrum;
    if (!d.spectrumMode) {
        d.spectrumMode = true;
        s.view = SpectrumView::Bars;
    } else {
        if (s.view == SpectrumView::Bars) {
            s.view = SpectrumView::Fft;
        } else {
            d.spectrumMode = false;
            s.view = SpectrumView::Bars;
        }
        // The bars are no longer shown: a running analysis ends after its current output.
        app_.services.spectrum.stop();
    }
    invalidateWaveforms(app_);
}

void RecordOptionsDialog::onScroll(WindowHandle, int bar, int code, int thumb) {
    if (bar == id::options::kAuxBar) {
        aux_ = floatStep(aux_, code, thumb, 2.0f);
        showAux();
    } else if (bar == id::options::kSkipLevelBar) {
        app_.display.skipLevel = integerStep(app_.display.skipLevel, code, thumb, kSkipLevelRange);
        showSkipLevel();
    }
}

void RecordOptionsDialog::onClose(WindowHandle window) {
    endWindow(window);
}

void RecordOptionsDialog::endWindow(WindowHandle window) {
    app_.ui().endDialog(window, 0);
    if (app_.windows.recordOptions == window) app_.windows.recordOptions = kNoWindow;
}

RecordOptionsDialog::~RecordOptionsDialog() {
    if (app_.windows.recordOptions == window_) app_.windows.recordOptions = kNoWindow;
}

void openRecordOptions(AppState& app) {
    if (app.windows.recordOptions != kNoWindow) return;
    app.ui().openModeless("rec_option", std::make_unique<RecordOptionsDialog>(app));
}

void closeRecordOptions(AppState& app) {
    if (app.windows.recordOptions != kNoWindow) app.ui().endDialog(app.windows.recordOptions, 0);
    app.windows.recordOptions = kNoWindow;
}

}  // namespace pelkit

#include "dialogs/record_options.h"

#include <algorithm>
#include <cstdlib>
#include <limits>
#include <string>

#include "state/app_state.h"
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

}  // namespace

void RecordOptionsDialog::setNumber(int id, int64_t value) {
    app_.ui().setText(window_, id, std::to_string(value));
}

void RecordOptionsDialog::showAux() {
    setNumber(kAuxField, static_cast<int32_t>(aux_ * 50));
    float pos = std::clamp(aux_ * 100, 0.0f, static_cast<float>(kAuxMaximumPos));
    app_.ui().setScrollPos(window_, kAuxBar, static_cast<int>(pos));
}

void RecordOptionsDialog::showSkipLevel() {
    int32_t level = app_.display.skipLevel;
    setNumber(kSkipLevelField, level);
    app_.ui().setScrollPos(window_, kSkipLevelBar, std::clamp(level, 0, kSkipLevelRange));
}

void RecordOptionsDialog::showScales() {
    setNumber(kVerticalField, static_cast<int32_t>(app_.display.verticalScale * 100));
    setNumber(kHorizontalField, static_cast<int32_t>(app_.display.horizontalScale * 100));
}

void RecordOptionsDialog::showMixing() {
    app_.ui().setText(window_, kMixingField, app_.level.timesMode ? "times" : "add");
}

void RecordOptionsDialog::showWriteMode() {
    app_.ui().setText(window_, kWriteMode, app_.modes.writeMode == 1 ? "HDD" : "mem");
}

void RecordOptionsDialog::showUnit() {
    setNumber(kUnitField, app_.processing.processingUnit);
}

void RecordOptionsDialog::showSeam() {
    setNumber(kSeamField, app_.processing.seamLength);
}

void RecordOptionsDialog::readLoopSize() {
    RecorderState& r = app_.recorder;
    int32_t typed = 0;
    if (leadingInteger(app_.ui().getText(window_, kLoopSizeField), typed)) {
        r.loopSize = static_cast<uint32_t>(typed);
    }
    // The field keeps what was typed; only the setting is raised to the minimum.
    r.loopSize = std::max(r.loopSize, kMinimumLoopSize);
    const FormatSettings& f = app_.format;
    uint32_t bytesPerSecond = static_cast<uint32_t>(f.soundBitsPerSample / 8) *
                              static_cast<uint32_t>(f.channels) *
                              static_cast<uint32_t>(f.samplesPerSecond);
    uint32_t minutes = bytesPerSecond == 0 ? 0 : r.loopSize / bytesPerSecond / 60;
    setNumber(kMinutesField, minutes);
}

void RecordOptionsDialog::onInit(WindowHandle window) {
    window_ = window;
    Ui& ui = app_.ui();
    ui.setTitle(window, "record option");
    ui.setScrollRange(window, kAuxBar, 0, kAuxMaximumPos);
    ui.setScrollRange(window, kSkipLevelBar, 0, kSkipLevelRange);
    showAux();
    showSkipLevel();
    setNumber(kAuxDevices, app_.platform.in.auxDeviceCount());
    showWriteMode();
    setNumber(kLoopSizeField, app_.recorder.loopSize);
    // Writing the loop size is a change of the field: the minutes follow it.
    readLoopSize();
    showScales();
    showMixing();
    showUnit();
    showSeam();
}

void RecordOptionsDialog::onCommand(WindowHandle window, int id, int32_t param, Notify notify) {
    // The loop size field answers every notification; everything else only clicks.
    if (id == kLoopSizeField) {
        readLoopSize();
        return;
    }
    if (notify != Notify::Click) return;
    ProcessingSettings& p = app_.processing;
    DisplayState& d = app_.display;
    switch (id) {
        case kAuxReset:
            aux_ = kAuxDefault;
            showAux();
            break;
        case kLoopStart:
            readLoopSize();
            sendCommand(app_, kLoopStart, param);
            app_.ui().endDialog(window, 0);
            break;
        case kJumpStart:
            break;  // jump max is used by nothing: the button stays disabled
        case kDisplayOnOff:
        case kVerticalDown:
        case kVerticalUp:
        case kVerticalOne:
        case kHorizontalUp:
        case kHorizontalOne:
        case kHorizontalDown:
            sendCommand(app_, id, param);
            showScales();
            break;
        case kSpectrum:
            d.spectrumMode = !d.spectrumMode;
            break;
        case kShowLeft:
            d.showLeft = !d.showLeft;
            break;
        case kShowRight:
            d.showRight = !d.showRight;
            break;
        case kUnitUp:
            p.processingUnit += 8;
            showUnit();
            break;
        case kUnitDefault:
            p.processingUnit = kDefaultProcessingUnit;
            showUnit();
            break;
        case kUnitDown:
            if (p.processingUnit >= kSmallestProcessingUnit + 8) p.processingUnit -= 8;
            showUnit();
            break;
        case kSeamUp:
            p.seamLength += 4;
            showSeam();
            break;
        case kSeamZero:
            p.seamLength = 0;
            showSeam();
            break;
        case kSeamDown:
            if (p.seamLength > 3) p.seamLength -= 4;
            showSeam();
            break;
        case kSkipLevelReset:
            d.skipLevel = 1;
            showSkipLevel();
            break;
        case kMixingToggle:
            app_.level.timesMode = !app_.level.timesMode;
            showMixing();
            break;
        case kMixingShow:
            showMixing();
            break;
        case kWriteMode:
            app_.modes.writeMode = 1 - app_.modes.writeMode;
            showWriteMode();
            break;
        case kLanguage:
            toggleCaptions(app_);
            break;
        case 1:
        case 2:
            app_.ui().endDialog(window, 0);
            break;
        default:
            break;
    }
}

void RecordOptionsDialog::onScroll(WindowHandle, int bar, int code, int thumb) {
    if (bar == kAuxBar) {
        aux_ = floatStep(aux_, code, thumb, 2.0f);
        showAux();
    } else if (bar == kSkipLevelBar) {
        app_.display.skipLevel = integerStep(app_.display.skipLevel, code, thumb, kSkipLevelRange);
        showSkipLevel();
    }
}

void RecordOptionsDialog::onClose(WindowHandle window) {
    app_.ui().endDialog(window, 0);
}

}  // namespace pelkit

#include "edit/file_edit_dialog.h"

#include <cctype>
#include <limits>

#include "resources/control_ids.h"
#include "resources/fileedit_ids.h"
#include "state/app_state.h"

namespace pelkit {

namespace {

constexpr size_t kNumberFieldChars = 19;

}  // namespace

uint32_t unsignedFieldValue(const std::string& text) {
    size_t at = 0, end = text.size();
    while (at < end && std::isspace(static_cast<unsigned char>(text[at])))
        ++at;
    while (end > at && std::isspace(static_cast<unsigned char>(text[end - 1])))
        --end;
    if (at == end) return 0;
    uint64_t value = 0;
    for (size_t i = at; i < end; ++i) {
        if (!std::isdigit(static_cast<unsigned char>(text[i]))) return 0;
        value = value * 10 + static_cast<uint64_t>(text[i] - '0');
        if (value > std::numeric_limits<uint32_t>::max()) return 0;
    }
    return static_cast<uint32_t>(value);
}

int32_t signedFieldValue(const std::string& full) {
    const std::string text = full.substr(0, kNumberFieldChars);
    size_t at = 0;
    while (at < text.size() && std::isspace(static_cast<unsigned char>(text[at])))
        ++at;
    bool negative = false;
    if (at < text.size() && (text[at] == '-' || text[at] == '+')) negative = text[at++] == '-';
    int64_t value = 0;
    for (; at < text.size() && std::isdigit(static_cast<unsigned char>(text[at])); ++at) {
        // 19 characters hold at most 19 digits: the sum stays within 64 bits until held below.
        value = value * 10 + (text[at] - '0');
        if (value > static_cast<int64_t>(std::numeric_limits<int32_t>::max()) + 1) {
            value = static_cast<int64_t>(std::numeric_limits<int32_t>::max()) + 1;
        }
    }
    if (negative) value = -value;
    if (value > std::numeric_limits<int32_t>::max()) value = std::numeric_limits<int32_t>::max();
    return static_cast<int32_t>(value);
}

uint32_t FileEditDialog::readBoostRate() {
    app_.edits.boostRate = unsignedFieldValue(app_.ui().getText(window_, id::kFieldEditBoostRate));
    return app_.edits.boostRate;
}

void FileEditDialog::onInit(WindowHandle window) {
    window_ = window;
    app_.edits.dialog = window;
    Ui& ui = app_.ui();
    ui.setTitle(window, "file copy");
    ui.setText(window, id::kFieldEditSpeedBuffer, "16384");
    // Filling the percent field is a change of it: the speed percent becomes 50 as well.
    ui.setText(window, id::kFieldEditSpeedPercent, "50");
    onCommand(window, id::kFieldEditSpeedPercent, 0, Notify::EditChange);
    ui.setText(window, id::kFieldEditBoostRate, "100");
    // The main window cleared the noise-off flag before opening the dialog: this sets it.
    onCommand(window, id::kEditNoiseOff, 0, Notify::Click);
    ui.setText(window, id::kEditSpeedHq, app_.edits.speedHq ? "hq" : "chunks");
}

void FileEditDialog::onCommand(WindowHandle window, int id, int32_t, Notify notify) {
    Ui& ui = app_.ui();
    if (id == id::kFieldEditSpeedPercent) {
        sendCommand(app_, id, signedFieldValue(ui.getText(window, id)));
        return;
    }
    if (notify != Notify::Click) return;
    switch (id) {
        case id::kEditCutRange:
        case id::kEditCutAll:
        case id::kEditLeft:
        case id::kEditRight:
        case id::kEditCentre:
        case id::kEditJoin:
        case id::kEditRealTime:
            sendCommand(app_, id, static_cast<int32_t>(readBoostRate()));
            break;
        case id::kEditDivide:
            sendCommand(app_, id,
                        signedFieldValue(ui.getText(window, id::kFieldEditDivisionCount)));
            break;
        case id::kEditSpeedChange: {
            int32_t buffer = signedFieldValue(ui.getText(window, id::kFieldEditSpeedBuffer));
            readBoostRate();
            sendCommand(app_, id, buffer);
            break;
        }
        case id::kEditNoiseOff:
            // The caption names the mode in force once the command has inverted the flag.
            ui.setText(window, id, app_.edits.noiseOff ? "cut-only" : "noise-off");
            sendCommand(app_, id, 0);
            break;
        case id::kEditSpeedHq:
            ui.setText(window, id, app_.edits.speedHq ? "chunks" : "hq");
            sendCommand(app_, id, 0);
            break;
        case id::kOk:
        case id::kCancel:
            onClose(window);
            break;
        default:
            break;
    }
}

void FileEditDialog::onClose(WindowHandle window) {
    if (app_.edits.dialog == window) app_.edits.dialog = kNoWindow;
    app_.ui().endDialog(window, 0);
}

}  // namespace pelkit

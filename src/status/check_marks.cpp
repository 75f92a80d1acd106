#include "status/check_marks.h"

#include "resources/control_ids.h"
#include "resources/record_options_ids.h"
#include "state/app_state.h"

namespace pelkit {

const std::vector<CheckMark>& checkMarks() {
    using W = CheckWindow;
    static const std::vector<CheckMark> rows{
        {W::Main, id::kReverse, [](const AppState& a) { return a.playback.reversePlay; }},
        {W::Main, id::kRepeat,
         [](const AppState& a) { return a.playback.repeatMode == RepeatMode::Repeat; }},
        {W::Main, id::kContinuousPlay, [](const AppState& a) { return a.playback.continuousPlay; }},
        {W::Main, id::kConvertTo16, [](const AppState& a) { return a.playback.convertTo16; }},
        {W::Main, id::kRangeToggle, [](const AppState& a) { return a.playback.rangeMode; }},
        {W::Main, id::kSkipOnOff, [](const AppState& a) { return a.playback.skipMode; }},
        {W::Main, id::kPitchOnOff, [](const AppState& a) { return a.processing.pitchMode; }},
        {W::Main, id::kReverbOnOff, [](const AppState& a) { return a.level.reverbOn; }},
        {W::Main, id::kLevelCheck, [](const AppState& a) { return a.modes.levelCheck; }},
        {W::Main, id::kShowWhileRecording,
         [](const AppState& a) { return a.display.showWhileRecording; }},
        {W::Main, id::kSequenceRecord, [](const AppState& a) { return a.sequence.recording; }},
        {W::Main, id::kHqStretch, [](const AppState& a) { return a.processing.hqStretch; }},
        {W::Main, id::kHqFormants, [](const AppState& a) { return a.processing.hqFormants; }},
        {W::Main, id::kLivePlay, [](const AppState& a) { return a.playback.livePlay; }},
        {W::Main, id::kFlacTakes, [](const AppState& a) { return a.tools.takesAsFlac; }},
        {W::RecordOptions, id::options::kDisplayOnOff,
         [](const AppState& a) { return a.display.displayOn; }},
        {W::RecordOptions, id::options::kSpectrum,
         [](const AppState& a) { return a.display.spectrumMode; }},
        {W::RecordOptions, id::options::kShowLeft,
         [](const AppState& a) { return a.display.showLeft; }},
        {W::RecordOptions, id::options::kShowRight,
         [](const AppState& a) { return a.display.showRight; }},
    };
    return rows;
}

bool isSwitch(CheckWindow window, int id) {
    for (const CheckMark& row : checkMarks()) {
        if (row.window == window && row.id == id) return true;
    }
    return false;
}

void refreshCheckMarks(AppState& app) {
    if (app.windows.mainDialogEnded) return;
    for (const CheckMark& row : checkMarks()) {
        const WindowHandle window =
            row.window == CheckWindow::Main ? app.windows.mainDialog : app.windows.recordOptions;
        if (window != kNoWindow) app.ui().setChecked(window, row.id, row.on(app));
    }
}

}  // namespace pelkit

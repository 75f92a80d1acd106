#include "resources/control_names.h"

#include <cctype>
#include <cstdlib>
#include <string>

#include "resources/control_ids.h"
#include "resources/fileedit_ids.h"
#include "resources/keyboard_ids.h"
#include "resources/loudness_ids.h"
#include "resources/position_comment_ids.h"
#include "resources/record_options_ids.h"
#include "resources/reverb_ids.h"
#include "resources/subsound_ids.h"
#include "resources/wave_edit_ids.h"

namespace pelkit {

namespace {

// Controls that come in numbered runs: the sub sound rows of the main window ("sub-open1" ..
// "sub-open5" for rows 1 to 5), the slot buttons of the "all" dialog ("slot1" .. "slot200", by
// the numbers they show) and the keyboard's keys ("key0" .. "key84").
std::vector<ControlName> withNumberedRuns(std::vector<ControlName> names) {
    auto run = [&names](const char* window, const char* prefix, int firstId, int count,
                        int firstNumber) {
        for (int i = 0; i < count; ++i)
            names.push_back({window, firstId + i, prefix + std::to_string(firstNumber + i)});
    };
    run("MAIN_RECORD", "sub-open", id::kSubSoundOpen0, 5, 1);
    run("MAIN_RECORD", "sub-stop", id::kSubSoundStop0, 5, 1);
    run("MAIN_RECORD", "sub-play", id::kSubSoundPlay0, 5, 1);
    run("MAIN_RECORD", "sub-name", id::kSubSoundName0, 5, 1);
    run("SUB_SOUND_DLG", "slot", id::kSubSoundSlotButton0, 200, 1);
    run("KEYBOARD", "key", id::kKeyboardKey0, 85, 0);
    return names;
}

// The names a script may use for a control, window by window.
const std::vector<ControlName>& table() {
    static const std::vector<ControlName> names = withNumberedRuns({
        {"MAIN_RECORD", id::kRecord, "record"},
        {"MAIN_RECORD", id::kRecordStop, "record-stop"},
        {"MAIN_RECORD", id::kPlay, "play"},
        {"MAIN_RECORD", id::kPlayPause, "play-pause"},
        {"MAIN_RECORD", id::kPlayStop, "play-stop"},
        {"MAIN_RECORD", id::kReverse, "reverse"},
        {"MAIN_RECORD", id::kRepeat, "repeat"},
        {"MAIN_RECORD", id::kJumpToQuiet, "jump-to-quiet"},
        {"MAIN_RECORD", id::kRateUp, "rate-up"},
        {"MAIN_RECORD", id::kExit, "exit"},
        {"MAIN_RECORD", id::kRate44, "rate44"},
        {"MAIN_RECORD", id::kRateDown, "rate-down"},
        {"MAIN_RECORD", id::kBits16, "bits16"},
        {"MAIN_RECORD", id::kBits8, "bits8"},
        {"MAIN_RECORD", id::kOpen, "open"},
        {"MAIN_RECORD", id::kChannels1, "channels1"},
        {"MAIN_RECORD", id::kChannels2, "channels2"},
        {"MAIN_RECORD", id::kShowExtraHeader, "show-extra-header"},
        {"MAIN_RECORD", id::kBufferReset, "buffer-reset"},
        {"MAIN_RECORD", id::kBlockReset, "block-reset"},
        {"MAIN_RECORD", id::kLockOff, "lock-off"},
        {"MAIN_RECORD", id::kBlockUp, "block-up"},
        {"MAIN_RECORD", id::kBlockDown, "block-down"},
        {"MAIN_RECORD", id::kRecordPause, "record-pause"},
        {"MAIN_RECORD", id::kJumpForward, "jump-forward"},
        {"MAIN_RECORD", id::kJumpBack, "jump-back"},
        {"MAIN_RECORD", id::kStepBackToQuiet, "step-back-to-quiet"},
        {"MAIN_RECORD", id::kReverbOnOff, "reverb-on-off"},
        {"MAIN_RECORD", id::kBoostReset, "boost-reset"},
        {"MAIN_RECORD", id::kRateSet, "rate-set"},
        {"MAIN_RECORD", id::kVolumeReset, "volume-reset"},
        {"MAIN_RECORD", id::kRangeToggle, "range-toggle"},
        {"MAIN_RECORD", id::kLevelCheck, "level-check"},
        {"MAIN_RECORD", id::kFileEdit, "file-edit"},
        {"MAIN_RECORD", id::kSpeedReset, "speed-reset"},
        {"MAIN_RECORD", id::kPitchOnOff, "pitch-on-off"},
        {"MAIN_RECORD", id::kPitchReset, "pitch-reset"},
        {"MAIN_RECORD", id::kPanReset, "pan-reset"},
        {"MAIN_RECORD", id::kPitchUp, "pitch-up"},
        {"MAIN_RECORD", id::kPitchDown, "pitch-down"},
        {"MAIN_RECORD", id::kPitchUp2, "pitch-up2"},
        {"MAIN_RECORD", id::kPitchDown2, "pitch-down2"},
        {"MAIN_RECORD", id::kRecordOptions, "record-options"},
        {"MAIN_RECORD", id::kSubSoundAll, "sub-sound-all"},
        {"MAIN_RECORD", id::kSubSoundSetting, "sub-sound-setting"},
        {"MAIN_RECORD", id::kSubSoundSettingRefresh, "sub-sound-setting-refresh"},
        {"MAIN_RECORD", id::kRefreshNames, "refresh-names"},
        {"MAIN_RECORD", id::kLoopStandby, "loop-standby"},
        {"MAIN_RECORD", id::kSkipStart, "skip-start"},
        {"MAIN_RECORD", id::kSkipEnd, "skip-end"},
        {"MAIN_RECORD", id::kSkipOnOff, "skip-on-off"},
        {"MAIN_RECORD", id::kSequenceSave, "sequence-save"},
        {"MAIN_RECORD", id::kSequenceOpen, "sequence-open"},
        {"MAIN_RECORD", id::kSequenceReplay, "sequence-replay"},
        {"MAIN_RECORD", id::kSequenceRecord, "sequence-record"},
        {"MAIN_RECORD", id::kReplaySequenceFile, "replay-sequence-file"},
        {"MAIN_RECORD", id::kDisplayOnOff, "display-on-off"},
        {"MAIN_RECORD", id::kShowWhileRecording, "show-while-recording"},
        {"MAIN_RECORD", id::kVerticalScaleDown, "vertical-scale-down"},
        {"MAIN_RECORD", id::kVerticalScaleUp, "vertical-scale-up"},
        {"MAIN_RECORD", id::kVerticalScaleOne, "vertical-scale-one"},
        {"MAIN_RECORD", id::kHorizontalScaleUp, "horizontal-scale-up"},
        {"MAIN_RECORD", id::kHorizontalScaleOne, "horizontal-scale-one"},
        {"MAIN_RECORD", id::kHorizontalScaleDown, "horizontal-scale-down"},
        {"MAIN_RECORD", id::kRangeStartSet, "range-start-set"},
        {"MAIN_RECORD", id::kRangeEndSet, "range-end-set"},
        {"MAIN_RECORD", id::kBits24, "bits24"},
        {"MAIN_RECORD", id::kKeyboard, "keyboard"},
        {"MAIN_RECORD", id::kHelp, "help"},
        {"MAIN_RECORD", id::kLoudness, "loudness"},
        {"MAIN_RECORD", id::kNormalise, "normalise"},
        {"MAIN_RECORD", id::kExport, "export"},
        {"MAIN_RECORD", id::kFlacTakes, "flac-takes"},
        {"MAIN_RECORD", id::kReverbDialog, "reverb-dialog"},
        {"MAIN_RECORD", id::kMicroEdit, "micro-edit"},
        {"MAIN_RECORD", id::kNextNumberedCheck, "next-numbered-check"},
        {"MAIN_RECORD", id::kContinuousPlay, "continuous-play"},
        {"MAIN_RECORD", id::kWholeWaveform, "whole-waveform"},
        {"MAIN_RECORD", id::kMarkPrevious, "mark-previous"},
        {"MAIN_RECORD", id::kMarkSave, "mark-save"},
        {"MAIN_RECORD", id::kMarkNext, "mark-next"},
        {"MAIN_RECORD", id::kMarkFirst, "mark-first"},
        {"MAIN_RECORD", id::kMarkSet, "mark-set"},
        {"MAIN_RECORD", id::kMarkEditFile, "mark-edit-file"},
        {"MAIN_RECORD", id::kMenuJumpBack, "menu-jump-back"},
        {"MAIN_RECORD", id::kOverwriteDataSize, "overwrite-data-size"},
        {"MAIN_RECORD", id::kStandby, "standby"},
        {"MAIN_RECORD", id::kSetPcm, "set-pcm"},
        {"MAIN_RECORD", id::kShowPositionRange, "show-position-range"},
        {"MAIN_RECORD", id::kConvertTo16, "convert-to16"},
        {"MAIN_RECORD", id::kHqStretch, "hq-stretch"},
        {"MAIN_RECORD", id::kHqFormants, "hq-formants"},
        {"MAIN_RECORD", id::kLivePlay, "live"},
        {"MAIN_RECORD", id::kFieldBits, "field-bits"},
        {"MAIN_RECORD", id::kFieldRate, "field-rate"},
        {"MAIN_RECORD", id::kFieldBlockSize, "field-block-size"},
        {"MAIN_RECORD", id::kFieldChannels, "field-channels"},
        {"MAIN_RECORD", id::kFieldSize, "field-size"},
        {"MAIN_RECORD", id::kFieldHeaderFormat, "field-header-format"},
        {"MAIN_RECORD", id::kFieldHeaderChannels, "field-header-channels"},
        {"MAIN_RECORD", id::kFieldHeaderRate, "field-header-rate"},
        {"MAIN_RECORD", id::kFieldHeaderByteRate, "field-header-byte-rate"},
        {"MAIN_RECORD", id::kFieldHeaderBlockAlign, "field-header-block-align"},
        {"MAIN_RECORD", id::kFieldHeaderBits, "field-header-bits"},
        {"MAIN_RECORD", id::kFieldStatus, "field-status"},
        {"MAIN_RECORD", id::kFieldTime, "field-time"},
        {"MAIN_RECORD", id::kFieldRateEntry, "field-rate-entry"},
        {"MAIN_RECORD", id::kFieldVolume, "field-volume"},
        {"MAIN_RECORD", id::kFieldLevelReport, "field-level-report"},
        {"MAIN_RECORD", id::kFieldBoost, "field-boost"},
        {"MAIN_RECORD", id::kFieldSpeed, "field-speed"},
        {"MAIN_RECORD", id::kFieldPitch, "field-pitch"},
        {"MAIN_RECORD", id::kFieldPan, "field-pan"},
        {"MAIN_RECORD", id::kFieldSubSoundBlock, "field-sub-sound-block"},
        {"MAIN_RECORD", id::kFieldSequenceStatus, "field-sequence-status"},
        {"MAIN_RECORD", id::kFieldPositionComment, "field-position-comment"},
        {"REC_OPTION", id::kOk, "ok"},
        {"REC_OPTION", id::options::kAuxBar, "aux-bar"},
        {"REC_OPTION", id::options::kSkipLevelBar, "skip-level-bar"},
        {"REC_OPTION", id::options::kAuxReset, "aux-reset"},
        {"REC_OPTION", id::options::kSkipLevelReset, "skip-level-reset"},
        {"REC_OPTION", id::options::kLanguage, "language"},
        {"REC_OPTION", id::options::kLoopStart, "loop-start"},
        {"REC_OPTION", id::options::kJumpStart, "jump-start"},
        {"REC_OPTION", id::options::kDisplayOnOff, "display-on-off"},
        {"REC_OPTION", id::options::kSpectrum, "spectrum"},
        {"REC_OPTION", id::options::kVerticalDown, "vertical-down"},
        {"REC_OPTION", id::options::kVerticalUp, "vertical-up"},
        {"REC_OPTION", id::options::kVerticalOne, "vertical-one"},
        {"REC_OPTION", id::options::kHorizontalUp, "horizontal-up"},
        {"REC_OPTION", id::options::kHorizontalOne, "horizontal-one"},
        {"REC_OPTION", id::options::kHorizontalDown, "horizontal-down"},
        {"REC_OPTION", id::options::kSeamUp, "seam-up"},
        {"REC_OPTION", id::options::kSeamZero, "seam-zero"},
        {"REC_OPTION", id::options::kSeamDown, "seam-down"},
        {"REC_OPTION", id::options::kUnitUp, "unit-up"},
        {"REC_OPTION", id::options::kUnitDefault, "unit-default"},
        {"REC_OPTION", id::options::kUnitDown, "unit-down"},
        {"REC_OPTION", id::options::kShowLeft, "show-left"},
        {"REC_OPTION", id::options::kShowRight, "show-right"},
        {"REC_OPTION", id::options::kMixingToggle, "mixing-toggle"},
        {"REC_OPTION", id::options::kMixingShow, "mixing-show"},
        {"REC_OPTION", id::options::kWriteMode, "write-mode"},
        {"REC_OPTION", id::options::kAuxField, "aux-field"},
        {"REC_OPTION", id::options::kAuxDevices, "aux-devices"},
        {"REC_OPTION", id::options::kSkipLevelField, "skip-level-field"},
        {"REC_OPTION", id::options::kSeamField, "seam-field"},
        {"REC_OPTION", id::options::kVerticalField, "vertical-field"},
        {"REC_OPTION", id::options::kHorizontalField, "horizontal-field"},
        {"REC_OPTION", id::options::kMixingField, "mixing-field"},
        {"REC_OPTION", id::options::kUnitField, "unit-field"},
        {"REC_OPTION", id::options::kLoopSizeField, "loop-size-field"},
        {"REC_OPTION", id::options::kMinutesField, "minutes-field"},
        {"REC_OPTION", id::options::kJumpMaxField, "jump-max-field"},
        {"POSITION_COMMENT", id::kPositionCommentSave, "save"},
        {"POSITION_COMMENT", id::kPositionCommentCancel, "cancel"},
        {"POSITION_COMMENT", id::kPositionCommentPosition, "position"},
        {"POSITION_COMMENT", id::kPositionCommentText, "comment"},
        {"LOUDNESS", id::kLoudnessFile, "file"},
        {"LOUDNESS", id::kLoudnessIntegrated, "integrated"},
        {"LOUDNESS", id::kLoudnessRange, "range"},
        {"LOUDNESS", id::kLoudnessTruePeak, "true-peak"},
        {"LOUDNESS", id::kLoudnessTarget, "target"},
        {"LOUDNESS", id::kLoudnessNormaliseButton, "normalise"},
        {"LOUDNESS", id::kLoudnessClose, "close"},
        {"FILEEDIT", id::kOk, "ok"},
        {"FILEEDIT", id::kCancel, "cancel"},
        {"FILEEDIT", id::kEditCutRange, "edit-cut-range"},
        {"FILEEDIT", id::kEditCutAll, "edit-cut-all"},
        {"FILEEDIT", id::kEditLeft, "edit-left"},
        {"FILEEDIT", id::kEditRight, "edit-right"},
        {"FILEEDIT", id::kEditCentre, "edit-centre"},
        {"FILEEDIT", id::kEditJoin, "edit-join"},
        {"FILEEDIT", id::kEditRealTime, "edit-real-time"},
        {"FILEEDIT", id::kEditDivide, "edit-divide"},
        {"FILEEDIT", id::kEditSpeedChange, "edit-speed-change"},
        {"FILEEDIT", id::kEditNoiseOff, "edit-noise-off"},
        {"FILEEDIT", id::kEditSpeedHq, "edit-speed-hq"},
        {"FILEEDIT", id::kFieldEditBoostRate, "field-edit-boost-rate"},
        {"FILEEDIT", id::kFieldEditDivisionCount, "field-edit-division-count"},
        {"FILEEDIT", id::kFieldEditSpeedBuffer, "field-edit-speed-buffer"},
        {"FILEEDIT", id::kFieldEditSpeedPercent, "field-edit-speed-percent"},
        {"REVERB", id::kOk, "ok"},
        {"REVERB", id::reverb::kDelayField, "delay-field"},
        {"REVERB", id::reverb::kDelayBar, "delay-bar"},
        {"REVERB", id::reverb::kReset, "reset"},
        {"REVERB", id::reverb::kFeedback, "feedback"},
        {"WAVE_EDIT", id::kWaveEditWrite, "write"},
        {"WAVE_EDIT", id::kWaveEditCancel, "cancel"},
        {"WAVE_EDIT", id::kWaveEditBufferStart, "buffer-start"},
        {"WAVE_EDIT", id::kWaveEditCursorBar, "cursor"},
        {"WAVE_EDIT", id::kWaveEditLeftBar, "left"},
        {"WAVE_EDIT", id::kWaveEditRightBar, "right"},
        {"WAVE_EDIT", id::kWaveEditCursorValue, "cursor-value"},
        {"WAVE_EDIT", id::kWaveEditLeftValue, "left-value"},
        {"WAVE_EDIT", id::kWaveEditRightValue, "right-value"},
        {"MAIN_RECORD", id::kSubSoundNextBlock, "sub-next-block"},
        {"MAIN_RECORD", id::kSubSoundFirstBlock, "sub-first-block"},
        {"MAIN_RECORD", id::kSubSoundPlayIndex, "sub-play-index"},
        {"MAIN_RECORD", id::kSubSoundStopIndex, "sub-stop-index"},
        {"MAIN_RECORD", id::kSubSoundOpenIndex, "sub-open-index"},
        {"MAIN_RECORD", id::kKeyboardOctaveUp, "octave-up"},
        {"MAIN_RECORD", id::kKeyboardOctaveDown, "octave-down"},
        {"MAIN_RECORD", id::kKeyboardOctaveReset, "octave-reset"},
        {"MAIN_RECORD", id::kKeyboardOctaveDown2, "octave-down2"},
        {"MAIN_RECORD", id::kKeyboardOctaveUp2, "octave-up2"},
        {"SUB_SOUND_DLG", id::kSubSoundMode, "mode"},
        {"SUB_SOUND_DLG", id::kSubSoundMainButton, "main"},
        {"SUB_SOUND_DLG", id::kSubSoundAllStop, "all-stop"},
        {"SUB_SOUND_DLG", id::kSubSoundAllName, "slot-name"},
        {"SUB_SOUND_DLG", id::kSubSoundDialogOk, "ok"},
        {"SUB_SOUND_DLG", id::kSubSoundDialogCancel, "cancel"},
        {"SUB_SOUND_SETTING", id::kSettingBoostReset, "boost-reset"},
        {"SUB_SOUND_SETTING", id::kSettingBoost, "boost-field"},
        {"SUB_SOUND_SETTING", id::kSettingSlot, "slot-field"},
        {"SUB_SOUND_SETTING", id::kSettingNextSlot, "next-slot"},
        {"SUB_SOUND_SETTING", id::kSettingPanReset, "pan-reset"},
        {"SUB_SOUND_SETTING", id::kSettingSetSlot, "set-slot"},
        {"SUB_SOUND_SETTING", id::kSettingPan, "pan-field"},
        {"SUB_SOUND_SETTING", id::kSettingPreviousSlot, "previous-slot"},
        {"SUB_SOUND_SETTING", id::kSettingName, "name-field"},
        {"SUB_SOUND_SETTING", id::kSettingStartPosition, "start-field"},
        {"SUB_SOUND_SETTING", id::kSettingArmed, "armed-field"},
        {"SUB_SOUND_SETTING", id::kSettingPlayedTime, "time-field"},
        {"SUB_SOUND_SETTING", id::kSettingBoostBar, "boost-bar"},
        {"SUB_SOUND_SETTING", id::kSettingPanBar, "pan-bar"},
        {"SUB_SOUND_SETTING", id::kSubSoundDialogOk, "ok"},
        {"SUB_SOUND_SETTING", id::kSubSoundDialogCancel, "cancel"},
        {"KEYBOARD", id::kKeyboardOctaveUp, "octave-up"},
        {"KEYBOARD", id::kKeyboardOctaveDown, "octave-down"},
        {"KEYBOARD", id::kKeyboardOctaveReset, "octave-reset"},
        {"KEYBOARD", id::kKeyboardOctaveDown2, "octave-down2"},
        {"KEYBOARD", id::kKeyboardOctaveUp2, "octave-up2"},
        {"KEYBOARD", id::kKeyboardCancel, "cancel"},
    });
    return names;
}

}  // namespace

const std::vector<ControlName>& controlNames() {
    return table();
}

std::optional<int> controlId(const std::string& templateName, const std::string& text) {
    char* end = nullptr;
    long number = std::strtol(text.c_str(), &end, 10);
    if (!text.empty() && end && *end == '\0') return static_cast<int>(number);
    std::string window;
    for (char ch : templateName)
        window += static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
    for (const ControlName& c : table()) {
        if (c.name == text && c.templateName == window) return c.id;
    }
    return std::nullopt;
}

}  // namespace pelkit

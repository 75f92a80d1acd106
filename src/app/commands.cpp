#include "app/commands.h"

#include "app/load_file.h"
#include "app/main_commands.h"
#include "app/main_sound.h"
#include "app/scroll.h"
#include "app/startup.h"
#include "dialogs/keyboard_dialog.h"
#include "dialogs/record_options.h"
#include "dialogs/wave_micro_edit.h"
#include "display/waveform.h"
#include "edit/file_edits.h"
#include "files/wav_format.h"
#include "marks/marks.h"
#include "playback/level_commands.h"
#include "playback/playback.h"
#include "record/recorder.h"
#include "resources/control_ids.h"
#include "resources/fileedit_ids.h"
#include "sequence/sequence.h"
#include "state/app_state.h"
#include "status/status_display.h"
#include "subsound/subsound_commands.h"

namespace pelkit {

void dispatchCommand(AppState& app, int id, int32_t param) {
    // The keyboard's keys and octave buttons, and the sub sound rows and slot commands.
    if (isKeyboardCommand(id)) {
        keyboardCommand(app, id);
        return;
    }
    if (isSubSoundCommand(id)) {
        subSoundCommand(app, id, param);
        return;
    }
    switch (id) {
        // Recording.
        case id::kRecord:
            recordStart(app);
            break;
        case id::kRecordStop:
            recordStop(app);
            break;
        case id::kRecordPause:
            recordPause(app);
            break;
        case id::kBufferReset:
            bufferReset(app);
            break;
        case id::kStandby:
            enterStandby(app);
            break;
        case id::kLoopStandby:
            app.modes.loopRecording = true;
            enterStandby(app);
            break;
        case id::kLevelCheck:
            toggleLevelCheck(app);
            break;
        case id::kRecordOptions: {
            RecordOptionsDialog d(app);
            app.ui().runModal("rec_option", d);
            break;
        }

        // Playback.
        case id::kPlay:
            playStart(app);
            break;
        case id::kPlayPause:
            playPauseToggle(app);
            break;
        case id::kPlayStop:
            playStop(app);
            break;
        case id::kReverse:
            toggleReverse(app);
            break;
        case id::kRepeat:
            toggleRepeat(app);
            break;
        case id::kRangeToggle:
            toggleRange(app);
            break;
        case id::kRangeStartSet:
            setRangeFromPosition(app, true);
            break;
        case id::kRangeEndSet:
            setRangeFromPosition(app, false);
            break;
        case id::kSkipStart:
            skipMarkStart(app);
            break;
        case id::kSkipEnd:
            skipMarkEnd(app);
            break;
        case id::kSkipOnOff:
            toggleSkipMode(app);
            break;
        case id::kContinuousPlay:
            toggleContinuousPlay(app);
            break;
        case id::kConvertTo16:
            requestConvertTo16(app);
            break;

        // Speed, pitch, level and reverb.
        case id::kSpeedReset:
        case id::kPitchOnOff:
        case id::kPitchReset:
        case id::kPitchUp:
        case id::kPitchDown:
        case id::kPitchUp2:
        case id::kPitchDown2:
        case id::kBoostReset:
        case id::kVolumeReset:
        case id::kReverbOnOff:
        case id::kReverbDialog:
            levelCommand(app, id);
            break;
        case id::kPanReset:
            levelCommand(app, id);
            recordPanChange(app);
            break;
        case id::kKeyboard:
            openKeyboard(app);
            break;

        // Files and format.
        case id::kOpen:
            loadWavFile(app);
            break;
        case id::kRefreshNames:
            refreshNames(app);
            break;
        case id::kBits16:
            setBitsPerSample(app, 16);
            break;
        case id::kBits8:
            setBitsPerSample(app, 8);
            break;
        case id::kBits24:
            setBitsPerSample(app, 24);
            break;
        case id::kChannels1:
            setChannelCount(app, 1);
            break;
        case id::kChannels2:
            setChannelCount(app, 2);
            break;
        case id::kLockOff:
            setBitsButtons(app, true);
            break;
        case id::kBlockReset:
        case id::kBlockUp:
        case id::kBlockDown:
            changeBlockSize(app, id);
            break;
        case id::kRateUp:
        case id::kRate44:
        case id::kRateDown:
        case id::kRateSet:
            changeRate(app, id);
            break;
        case id::kSetPcm:
            app.format.formatTag = 1;
            break;
        case id::kOverwriteDataSize:
            OverwriteDataSize(app);
            break;
        case id::kNextNumberedCheck:
            showNextNumberedFile(app);
            break;

        // Operation sequences.
        case id::kSequenceSave:
            saveSequence(app);
            break;
        case id::kSequenceOpen:
            openSequence(app);
            break;
        case id::kSequenceRecord:
            recordSequence(app);
            break;
        case id::kSequenceReplay:
            replaySequence(app);
            break;
        case id::kReplaySequenceFile: {
            SequenceLoad loaded;
            if (loadSequenceSetup(app, loaded)) {
                if (loaded.mainFile) loadSoundFile(app, *loaded.mainFile);
                sendCommand(app, id::kRefreshNames);
                showLoaded(app);
                warnUnplayableSlots(app, loaded.slots);
            }
            break;
        }

        // Position marks.
        case id::kMarkSave:
            savePositionMark(app);
            break;
        case id::kMarkNext:
        case id::kMarkPrevious:
        case id::kMarkFirst:
        case id::kMarkSet: {
            MarkCommand step = id == id::kMarkNext       ? MarkCommand::Next
                               : id == id::kMarkPrevious ? MarkCommand::Previous
                               : id == id::kMarkFirst    ? MarkCommand::First
                                                         : MarkCommand::Set;
            if (stepMark(app, step)) {
                afterPositionJump(app, markScrollIndex(app.sound.position, app.sound.dataSize,
                                                       app.scroll.positionRange));
            }
            break;
        }
        case id::kMarkEditFile:
            editPositionFile(app);
            break;
        // File edits and the real-time capture.
        case id::kFileEdit:
            openFileEditDialog(app);
            break;
        case id::kEditNoiseOff:
            app.edits.noiseOff = !app.edits.noiseOff;
            break;
        case id::kFieldEditSpeedPercent:
            app.edits.speedPercent = param;
            break;
        case id::kEditCutRange:
        case id::kEditCutAll:
        case id::kEditLeft:
        case id::kEditRight:
        case id::kEditCentre:
        case id::kEditJoin:
        case id::kEditDivide:
        case id::kEditSpeedChange:
            requestEdit(app, id, param);
            break;
        case id::kEditRealTime:
            startCapture(app);
            break;

        // Position jumps.
        case id::kJumpToQuiet:
            jumpToNextQuiet(app);
            break;
        case id::kJumpForward:
            jumpForward(app);
            break;
        case id::kJumpBack:
        case id::kMenuJumpBack:
            jumpBack(app);
            break;
        case id::kStepBackToQuiet:
            stepBackToQuiet(app);
            break;

        // Display.
        case id::kDisplayOnOff:
        case id::kShowWhileRecording:
        case id::kVerticalScaleDown:
        case id::kVerticalScaleUp:
        case id::kVerticalScaleOne:
        case id::kHorizontalScaleUp:
        case id::kHorizontalScaleOne:
        case id::kHorizontalScaleDown:
            onDisplayCommand(app, id);
            break;
        case id::kWholeWaveform:
            showWholeWaveform(app);
            break;
        case id::kMicroEdit:
            openMicroEdit(app);
            break;

        // Readouts, help and the end.
        case id::kShowExtraHeader:
            setNumberText(app, id::kFieldStatus, app.sound.extraHeaderBytes);
            break;
        case id::kShowPositionRange:
            setNumberText(app, id::kFieldStatus, static_cast<int32_t>(app.scroll.positionRange));
            break;
        case id::kHelp:
            openHelp(app);
            break;
        case id::kExit:
            setStatusText(app, id::kFieldStatus, "good-bye");
            closeMainWindow(app);
            break;
        default:
            break;  // identifiers without an action have no effect
    }
}

}  // namespace pelkit

#include "app/commands.h"

#include "app/load_file.h"
#include "app/main_commands.h"
#include "app/scroll.h"
#include "app/startup.h"
#include "dialogs/dialog_commands.h"
#include "dialogs/keyboard_dialog.h"
#include "display/waveform.h"
#include "edit/file_edits.h"
#include "formats/export_command.h"
#include "formats/flac_takes.h"
#include "formats/loudness_commands.h"
#include "formats/working_copy.h"
#include "marks/marks.h"
#include "playback/level_commands.h"
#include "playback/playback_commands.h"
#include "record/recorder.h"
#include "resources/control_ids.h"
#include "sequence/sequence.h"
#include "state/app_state.h"
#include "status/check_marks.h"
#include "status/status_display.h"
#include "subsound/subsound_commands.h"

namespace pelkit {

namespace {

// 1132: the set-up of a sequence file, its main file loaded, and the slots that cannot play named.
void replaySequenceFile(AppState& app, int, int32_t) {
    SequenceLoad loaded;
    if (!loadSequenceSetup(app, loaded)) return;
    if (loaded.mainFile) {
        loadSoundFile(app, *loaded.mainFile);
        showLoadedSound(app);
    }
    sendCommand(app, id::kRefreshNames);
    showLoaded(app);
    // The slots the file gave files can be started by hand at once.
    showSubSoundSlots(app);
    warnUnplayableSlots(app, loaded.slots);
}

// A sub sound slot's chosen file in another format: its working copy becomes the slot's file.
void subSoundWorkingCopy(AppState& app, int, int32_t index) {
    startWorkingCopy(app, app.chosenFile, [index](AppState& a, const std::string& copy) {
        assignSlotFile(a, index, copy);
    });
}

// A step through the position marks that set the position is applied as a position jump.
template <MarkCommand Step>
void stepThroughMarks(AppState& app, int, int32_t) {
    if (stepMark(app, Step)) {
        afterPositionJump(
            app, markScrollIndex(app.sound.position, app.sound.dataSize, app.scroll.positionRange));
    }
}

// The commands that tie one feature to another.
std::vector<CommandEntry> crossFeatureCommands() {
    return {
        command(id::kPanReset,
                [](AppState& a, int, int32_t) {
                    resetPan(a);
                    recordPanChange(a);
                }),
        command(id::kRangeStartSet,
                [](AppState& a, int, int32_t) { setRangeFromPosition(a, true); }),
        command(id::kRangeEndSet,
                [](AppState& a, int, int32_t) { setRangeFromPosition(a, false); }),
        command(id::kReplaySequenceFile, replaySequenceFile),
        command(id::kSubSoundWorkingCopy, subSoundWorkingCopy),
        command(id::kMarkNext, stepThroughMarks<MarkCommand::Next>),
        command(id::kMarkPrevious, stepThroughMarks<MarkCommand::Previous>),
        command(id::kMarkFirst, stepThroughMarks<MarkCommand::First>),
        command(id::kMarkSet, stepThroughMarks<MarkCommand::Set>),
        command(id::kExit,
                [](AppState& a, int, int32_t) {
                    setStatusText(a, id::kFieldStatus, "good-bye");
                    closeMainWindow(a);
                }),
    };
}

}  // namespace

const CommandTable& mainWindowCommands() {
    static const CommandTable table{
        recordCommands(),   playbackCommands(), levelCommands(),    keyboardCommands(),
        subSoundCommands(), displayCommands(),  editCommands(),     sequenceCommands(),
        markCommands(),     dialogCommands(),   mainCommands(),     crossFeatureCommands(),
        loudnessCommands(), exportCommands(),   flacTakeCommands(),
    };
    return table;
}

void dispatchCommand(AppState& app, int id, int32_t param) {
    // Identifiers without an entry have no effect.
    mainWindowCommands().run(app, id, param);
    // The switches show what the command left on or off.
    refreshCheckMarks(app);
}

}  // namespace pelkit

#include "app/main_window.h"

#include "app/commands.h"
#include "app/main_commands.h"
#include "app/main_sound.h"
#include "app/scroll.h"
#include "app/startup.h"
#include "display/waveform.h"
#include "edit/file_edits.h"
#include "formats/flac_takes.h"
#include "playback/playback.h"
#include "record/recorder.h"
#include "resources/control_ids.h"
#include "sequence/sequence.h"
#include "state/app_state.h"
#include "status/check_marks.h"
#include "status/status_display.h"

namespace pelkit {

void MainWindow::onInit(WindowHandle window) {
    initMainWindow(app_, window);
}

void MainWindow::onCommand(WindowHandle, int id, int32_t param, Notify notify) {
    // Typing into the main window's fields runs no command.
    if (notify == Notify::EditChange) return;
    sendCommand(app_, id, param);
}

void MainWindow::onScroll(WindowHandle, int bar, int code, int thumb) {
    onMainScroll(app_, bar, code, thumb);
}

void MainWindow::onClose(WindowHandle) {
    closeMainWindow(app_);
}

void MainWindow::onTimer() {
    onDisplayTick(app_);
}

void MainWindow::onDrop(const std::string& path) {
    onDroppedFile(app_, path);
}

void MainWindow::onDeviceMessage(const Message& m) {
    if (app_.windows.mainDialogEnded) return;
    handleDeviceMessage(m);
    // A play run's end turns the sequence recording off, among others.
    refreshCheckMarks(app_);
}

void MainWindow::handleDeviceMessage(const Message& m) {
    switch (m.kind) {
        case MessageKind::OutOpen:
            if (onOutputOpen(app_)) {
                app_.ring.displayData = app_.ring.displayBuffer.data();
                invalidateWaveforms(app_);
                startDisplayTimer(app_);
            }
            break;
        case MessageKind::OutDone:
            restartDisplayTicks(app_);
            onOutputDone(app_, *m.header);
            onPlayBlockDone(app_, *m.header);
            break;
        case MessageKind::OutClose:
            onOutputClose(app_);
            // A sequence being recorded or replayed ends with the play run.
            if (app_.sequence.recording) {
                app_.sequence.recording = false;
                showSequenceStatus(app_);
            }
            app_.sequence.replaying = false;
            finishCapture(app_);
            stopDisplayTimer(app_);
            if (app_.modes.exitPending) closeMainWindow(app_);
            if (!app_.windows.mainDialogEnded) showPlaybackEnded(app_);
            break;
        case MessageKind::InOpen:
            onInputOpen(app_);
            break;
        case MessageKind::InData:
            if (onInputData(app_, *m.header)) {
                onRecordBlock(app_, m.header->data, m.header->bufferLength);
            }
            requeueInputBlock(app_, *m.header);
            break;
        case MessageKind::InClose:
            onInputClose(app_);
            continueTakeClose();
            break;
        case MessageKind::RecordWritten:
            onRecordWritten(app_, *m.header);
            continueTakeClose();
            break;
        case MessageKind::TakeFinished:
            takeEnded(completeTakeFinish(app_));
            break;
        case MessageKind::OutError:
            onOutputError(app_);
            break;
        case MessageKind::InError:
            onInputError(app_);
            break;
        case MessageKind::Custom:
            break;
    }
}

void MainWindow::continueTakeClose() {
    RecorderState& r = app_.recorder;
    if (!r.closing || r.finishScheduled || takeWritesPending(app_.services)) return;
    // The take is finished a second after its last write, from the event loop: the window
    // goes on meanwhile.
    r.finishScheduled = true;
    app_.ui().callAfter(1000, [this] { endTake(); });
}

void MainWindow::endTake() {
    app_.recorder.finishScheduled = false;
    // The files are finished beside the window (syncs, perhaps a copy); takeEnded follows.
    if (!startTakeFinish(app_)) takeEnded(std::nullopt);
}

void MainWindow::takeEnded(std::optional<TakeFinish> take) {
    if (take) {
        keepTakesAsFlac(app_, take->savedAs, app_.modes.recordPaused);
        app_.sound.reopenPlayStream();
        // The sum of every part, which can pass 4 GiB.
        setNumberWithUnit(app_, id::kFieldSize, static_cast<int64_t>(take->dataSize), "");
        showTime(app_, take->dataSize);
        if (take->firstMoved) {
            // The header just written is known: no need to read it back.
            adoptHeader(app_, app_.format.deviceFormat, take->firstSize, 0);
        } else {
            readMainHeader(app_, app_.sound.fileName);
        }
    }
    showTakeEnded(app_);
    if (app_.modes.exitPending) closeMainWindow(app_);
}

bool MainWindow::ended() const {
    return app_.windows.mainDialogEnded;
}

}  // namespace pelkit

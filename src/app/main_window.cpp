#include "app/main_window.h"

#include "app/commands.h"
#include "app/main_commands.h"
#include "app/startup.h"
#include "app/scroll.h"
#include "display/waveform.h"
#include "playback/playback.h"
#include "record/recorder.h"
#include "state/app_state.h"

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
    switch (m.kind) {
        case MessageKind::OutOpen:
            onOutputOpen(app_);
            break;
        case MessageKind::OutDone:
            onOutputDone(app_, *m.header);
            break;
        case MessageKind::OutClose:
            onOutputClose(app_);
            break;
        case MessageKind::InOpen:
            onInputOpen(app_);
            break;
        case MessageKind::InData:
            onInputData(app_, *m.header);
            break;
        case MessageKind::InClose:
            onInputClose(app_);
            break;
        case MessageKind::RecordWritten:
            onRecordWritten(app_, *m.header);
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

bool MainWindow::ended() const {
    return app_.windows.mainDialogEnded;
}

}  // namespace pelkit

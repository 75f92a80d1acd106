#include "app/main_window.h"

#include "app/app_state.h"
#include "app/commands.h"
#include "app/startup.h"

namespace pelkit {

void MainWindow::onInit(WindowHandle window) { initMainWindow(app_, window); }

void MainWindow::onCommand(WindowHandle, int id, int32_t param, Notify notify) {
    // Typing into the main window's fields runs no command.
    if (notify == Notify::EditChange) return;
    sendCommand(app_, id, param);
}

void MainWindow::onScroll(WindowHandle, int, int, int) {}

void MainWindow::onClose(WindowHandle) { closeMainWindow(app_); }

void MainWindow::onTimer() {}

void MainWindow::onDrop(const std::string&) {}

void MainWindow::onDeviceMessage(const Message&) {}

bool MainWindow::ended() const { return app_.windows.mainDialogEnded; }

}  // namespace pelkit

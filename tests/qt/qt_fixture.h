// What the Qt tests share: a host that answers message boxes and file dialogs in place of a
// person, and the core on virtual sound devices, run inside the main window's message loop.
#pragma once

#include <QFileDialog>
#include <QMessageBox>
#include <QString>
#include <QStringList>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/program.h"
#include "devices/virtual/virtual_clock.h"
#include "devices/virtual/virtual_sound.h"
#include "hosts/qt/qt_host.h"
#include "platform/message_queue.h"
#include "state/app_state.h"
#include "support/test_support.h"

namespace pelkit::test {

// A message box or file dialog as the host built it.
struct SeenDialog {
    bool fileDialog = false;
    QString caption;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QStringList buttons;
    QStringList nameFilters;
    QString selectedFilter;
    QString defaultSuffix;
    QString directory;
    QString preselected;  // the file the dialog opened on
    bool saves = false;   // a save dialog (not an open one)
};

class AnsweringHost final : public QtHost {
  public:
    using QtHost::QtHost;

    std::deque<std::optional<QString>> fileAnswers;      // none left: cancel
    std::deque<QMessageBox::StandardButton> boxAnswers;  // none left: OK
    std::vector<SeenDialog> seen;
    // Runs while a box is "open", as a person would look at the window meanwhile.
    std::function<void()> whileOpen;
    // Runs while a file dialog is "open", before it is answered, as a person would set its
    // fields.
    std::function<void(QFileDialog&)> whileFileDialogOpen;
    // The documents the program asked the desktop to open, instead of opening them.
    std::vector<std::string> openedDocuments;
    bool openDocument(const std::string& path) override {
        openedDocuments.push_back(path);
        return true;
    }

  protected:
    int execDialog(QDialog& dialog) override;
};

class CoreUnderTest {
  public:
    CoreUnderTest();
    ~CoreUnderTest();

    // Runs the main window with COMMANDLINE; BODY runs inside its message loop, then the window
    // is closed through the core. Returns false if the window had to be ended by force.
    bool run(const std::function<void()>& body, const std::string& commandLine = {});

    TemplateDialog& window() const { return *window_; }
    WindowHandle handle() const { return handle_; }
    QString text(int id) const;
    int barValue(int bar) const;

    // Plays queued blocks on the virtual output until it closes or LIMIT blocks were played,
    // letting the event loop deliver the messages and run the timer between blocks.
    int playToEnd(int limit, int waitMsPerBlock = 0);

    TempDir dir;
    MessageQueue queue;
    VirtualClock clock;
    VirtualSoundOut out{queue};
    VirtualSoundIn in{queue};
    AnsweringHost host{queue};
    Platform platform{host, out, in, clock, queue};
    Program program{platform, "", ""};
    AppState& app = program.state();
    MainWindow& mainWindow = program.mainWindow();

  private:
    WorkingDirectory cwd_{dir.path()};
    TemplateDialog* window_ = nullptr;
    WindowHandle handle_ = kNoWindow;
};

// A stereo 16-bit 44.1 kHz WAV of FRAMES frames: a loud square wave on the left, a quiet one on
// the right.
Bytes stereoTestSound(int frames);

}  // namespace pelkit::test

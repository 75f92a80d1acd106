// The Qt 6 window system for the core: windows built from templates as modal QDialogs, the
// main window's timer, drops and device messages, message boxes, the file choice and the shell.
#pragma once

#include <QObject>
#include <QPointer>
#include <QProgressDialog>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "hosts/qt/template_dialog.h"
#include "hosts/qt/wave_view.h"
#include "platform/message_queue.h"
#include "platform/ui.h"

class QDialog;
class QSocketNotifier;
class QTimer;

namespace pelkit {

class MainWindow;
class StopSignals;

class QtHost : public Ui {
  public:
    explicit QtHost(MessageQueue& queue);
    ~QtHost() override;
    QtHost(const QtHost&) = delete;
    QtHost& operator=(const QtHost&) = delete;

    // The main window's procedure (timer, drops, device messages) and the waveform painter.
    void setMainWindow(MainWindow* mainWindow) { mainWindow_ = mainWindow; }
    void setWavePainter(WavePainter painter) { painter_ = std::move(painter); }
    // Called with each window once it is built and initialised, before it is shown.
    void setWindowObserver(std::function<void(WindowHandle, TemplateDialog&)> observer) {
        observer_ = std::move(observer);
    }

    // The folder the file choice opens in before anything was chosen (default: the current one).
    void setDefaultFolder(const std::string& folder) { defaultFolder_ = folder; }
    // STOP's signals close the program as its close box does (quitFromSignal).
    void watchStopSignals(StopSignals& stop);
    // Ends the program on a signal: boxes and file choices, open or to come, are answered
    // "cancel" (their texts go to standard error), dialogs over the main window get their close
    // request, then the main window gets its own. A take in progress is finished into its file.
    void quitFromSignal();

    // The open window with HANDLE, or nullptr; the innermost open window, or nullptr.
    TemplateDialog* dialog(WindowHandle handle) const;
    TemplateDialog* topDialog() const;
    WindowHandle topHandle() const;
    bool timerRunning(int id) const;

    // Hands every queued device message to the main window, in order.
    void deliverMessages();

    // Ui.
    void setText(WindowHandle window, int id, const std::string& text) override;
    std::string getText(WindowHandle window, int id) override;
    void enable(WindowHandle window, int id, bool on) override;
    void focus(WindowHandle window, int id) override;
    void setChecked(WindowHandle window, int id, bool on) override;
    void setHint(WindowHandle window, int id, const std::string& text) override;
    void setTitle(WindowHandle window, const std::string& title) override;
    void setScrollRange(WindowHandle window, int bar, int min, int max) override;
    void setScrollPos(WindowHandle window, int bar, int pos) override;
    void invalidate(WaveWindow which) override;
    BoxAnswer messageBox(WindowHandle owner, const std::string& text, const std::string& caption,
                         BoxIcon icon, BoxButtons buttons) override;
    void beep() override;
    std::optional<std::string> chooseFile(WindowHandle owner, FileKind kind,
                                          const std::string& initial) override;
    void setExportQualityRow(const ExportQualityRow& row) override { exportRow_ = row; }
    std::optional<ExportQualityRow> exportQualityRow() override { return exportChosen_; }
    void startTimer(int id, int periodMs) override;
    void stopTimer(int id) override;
    void callAfter(int ms, std::function<void()> fn) override;
    int runModal(const std::string& templateName, DialogHandler& handler) override;
    WindowHandle openModeless(const std::string& templateName,
                              std::unique_ptr<DialogHandler> handler) override;
    void endDialog(WindowHandle window, int result) override;
    void showProgress(const std::string& text, int percent,
                      std::function<void()> onCancel) override;
    void hideProgress() override;
    // The progress window while it is shown, or nullptr.
    QProgressDialog* progress() const;
    bool openDocument(const std::string& path) override;
    bool startProgram(const std::string& commandLine) override;
    std::string translate(const char* context, const char* text) override;
    // A stop signal has come (its notifier may not have run yet, as during a long load), or the
    // program is already closing on one.
    bool stopPending() override;

  protected:
    // Runs a message box or the file dialog modally and returns its result. Tests answer here
    // in place of a person.
    virtual int execDialog(QDialog& dialog);

  private:
    struct OpenWindow {
        WindowHandle handle = kNoWindow;
        std::unique_ptr<TemplateDialog> dialog;
        std::unique_ptr<DialogHandler> owned;  // the handler of a modeless window
        bool modeless = false;
        bool ended = false;
        int result = 0;
    };

    OpenWindow* find(WindowHandle handle) const;
    // The events of a window driven by HANDLER.
    DialogEvents eventsFor(DialogHandler& handler, WindowHandle handle, bool isMain);
    // Drops the modeless windows that have ended (from the event loop, never inside their calls).
    void reapModeless();
    QWidget* ownerWidget(WindowHandle owner) const;
    void scheduleDelivery();
    // One step of quitFromSignal, retried from the event loop while something is closing.
    void closeForQuit(int turn);
    // Runs a box or file dialog with execDialog, known to quitFromSignal while it is open.
    int execTracked(QDialog& dialog);

    MessageQueue& queue_;
    ExportQualityRow exportRow_;                    // shown in the next export dialog
    std::optional<ExportQualityRow> exportChosen_;  // left in the last one that chose a path
    MainWindow* mainWindow_ = nullptr;
    WavePainter painter_;
    std::function<void(WindowHandle, TemplateDialog&)> observer_;
    std::vector<std::unique_ptr<OpenWindow>> windows_;  // main window first
    WindowHandle nextHandle_ = 1;
    std::map<int, std::unique_ptr<QTimer>> timers_;
    // A child of the main window, so it goes with it.
    QPointer<QProgressDialog> progress_;
    std::function<void()> progressCancel_;
    // Receives the queued delivery calls; lives on the main thread.
    std::unique_ptr<QObject> context_;
    std::string defaultFolder_;
    std::unique_ptr<QSocketNotifier> stopNotifier_;
    StopSignals* stopSignals_ = nullptr;
    bool quitting_ = false;
    std::vector<QDialog*> openBoxes_;  // boxes and file dialogs now waiting for an answer
    struct DeliveryLink;
    std::shared_ptr<DeliveryLink> link_;
};

}  // namespace pelkit

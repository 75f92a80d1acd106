// The window system as the core sees it: windows built from templates, controls addressed by
// id, message boxes, the file choice, the timer, modal dialogs and the desktop shell.
//
// Threads: every method of Ui is called on the logic (main window's) thread only, and every
// call of a DialogHandler or of a function given here comes on that thread. Lifetimes: texts
// are copied during the call; what is kept beyond it is said at the method.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace pelkit {

using WindowHandle = int;
inline constexpr WindowHandle kNoWindow = 0;

// The eight scroll bars of the main window. They share control ids in the templates, so the
// boundary names them by these handles instead.
enum MainBar : int {
    kBarPosition = 9001,
    kBarStart = 9002,
    kBarEnd = 9003,
    kBarBoost = 9004,
    kBarVolume = 9005,
    kBarSpeed = 9006,
    kBarPitch = 9007,
    kBarPan = 9008,
};

// Scroll codes of a scroll message.
enum ScrollCode : int {
    kScrollLineLeft = 0,
    kScrollLineRight = 1,
    kScrollPageLeft = 2,
    kScrollPageRight = 3,
    kScrollThumbReleased = 4,
    kScrollThumbDragged = 5,
    kScrollTop = 6,
    kScrollBottom = 7,
};

enum class WaveWindow { Upper, Lower };
enum class BoxIcon { Warning, Error, Information };
enum class BoxButtons { Ok, OkCancel };
enum class BoxAnswer { Ok, Cancel };
// The file choice: a sound or a sequence file to open, a sequence file to write, or the name of
// an export (its extension picks the format).
enum class FileKind { Sound, Sequence, SequenceToSave, Export };

// Notification carried with a command: a click (or a command sent by the program) or a change
// of an edit field's text by the user.
enum class Notify { Click = 0, EditChange = 1 };

// The procedure of a window built from a template. All calls arrive on the logic (main
// window's) thread, from the front end's event loop or from within runModal/openModeless
// (onInit).
class DialogHandler {
  public:
    virtual ~DialogHandler() = default;
    virtual void onInit(WindowHandle window) = 0;
    virtual void onCommand(WindowHandle window, int id, int32_t param, Notify notify) = 0;
    virtual void onScroll(WindowHandle window, int bar, int code, int thumb) = 0;
    // The window's close request (the title bar's close box, or Esc in a dialog).
    virtual void onClose(WindowHandle window) = 0;
};

class Ui {
  public:
    virtual ~Ui() = default;

    // Controls by id; logic thread.
    virtual void setText(WindowHandle window, int id, const std::string& text) = 0;
    virtual std::string getText(WindowHandle window, int id) = 0;
    virtual void enable(WindowHandle window, int id, bool on) = 0;
    // Moves the keyboard focus to the control; a text field so focused offers its text
    // selected, so that typing replaces it.
    virtual void focus(WindowHandle window, int id) = 0;
    // Shows a button or menu entry that switches something on and off as on (a check mark, a
    // pressed button) or off. A front end without marks ignores it.
    virtual void setChecked(WindowHandle window, int id, bool on) {
        (void)window;
        (void)id;
        (void)on;
    }
    // A short text about the control's current content (a slot's file), shown after its
    // description when the pointer rests on it. A front end without such texts ignores it.
    virtual void setHint(WindowHandle window, int id, const std::string& text) {
        (void)window;
        (void)id;
        (void)text;
    }
    virtual void setTitle(WindowHandle window, const std::string& title) = 0;
    virtual void setScrollRange(WindowHandle window, int bar, int min, int max) = 0;
    virtual void setScrollPos(WindowHandle window, int bar, int pos) = 0;
    // Logic thread. Asks for a repaint of a waveform window; a window front end then calls the
    // core's painter later, from its event loop.
    virtual void invalidate(WaveWindow which) = 0;

    // Logic thread. Message boxes; the warning form is preceded by beep() at the caller. A
    // window front end waits in a nested event loop, so device messages, timer ticks and
    // callAfter functions may run before it returns.
    virtual BoxAnswer messageBox(WindowHandle owner, const std::string& text,
                                 const std::string& caption, BoxIcon icon, BoxButtons buttons) = 0;
    // Logic thread.
    virtual void beep() = 0;

    // Logic thread. The open-file dialog. INITIAL is the last chosen path; the result is the
    // chosen path, or nothing when the user cancelled. Waits as messageBox does.
    virtual std::optional<std::string> chooseFile(WindowHandle owner, FileKind kind,
                                                  const std::string& initial) = 0;

    // Logic thread. The quality row of the export dialog: the next chooseFile(FileKind::Export)
    // shows ROW in it, and exportQualityRow() gives what the user left there once that call
    // returned a path; nothing from a front end without the row.
    struct ExportQualityRow {
        int flacLevel = 5;  // 0 to 8
        int quality = 6;    // of the lossy formats, 0 smallest to 10 best
    };
    virtual void setExportQualityRow(const ExportQualityRow& row) { (void)row; }
    virtual std::optional<ExportQualityRow> exportQualityRow() { return std::nullopt; }

    // Logic thread. Timer 1 of the main window; its ticks reach the main window's timer
    // handler, on the logic thread.
    virtual void startTimer(int id, int periodMs) = 0;
    virtual void stopTimer(int id) = 0;
    // Logic thread. Runs FN on the logic thread once MS milliseconds have passed (a one-shot
    // timer of the window's event loop); the caller goes on at once. Work that must wait never
    // blocks the window this way. FN is kept until it runs, so what it refers to must live until
    // then; it may never run if the program ends first.
    virtual void callAfter(int ms, std::function<void()> fn) = 0;

    // Logic thread. Shows the template as a modal dialog driven by HANDLER and returns when the
    // dialog ends (device messages keep being delivered meanwhile). HANDLER must live until it
    // returns. Returns -1 if it cannot be created.
    virtual int runModal(const std::string& templateName, DialogHandler& handler) = 0;
    // Logic thread. Shows the template as a window that leaves the main window usable (a
    // dialog without an owner) and returns its handle at once, or kNoWindow if it cannot be
    // created. The window keeps HANDLER until it ends (endDialog, usually from the handler's
    // onClose), then drops it once the call that ended it has returned.
    virtual WindowHandle openModeless(const std::string& templateName,
                                      std::unique_ptr<DialogHandler> handler) = 0;
    // Logic thread; also from within the window's own handler.
    virtual void endDialog(WindowHandle window, int result) = 0;

    // Logic thread. A progress bar for long work, beside the main window: shown (or brought up
    // to date) with TEXT and PERCENT (0 to 100); ON_CANCEL runs, on the logic thread, when the
    // user asks to stop the work. It is kept until it runs, the next showProgress replaces it,
    // or hideProgress drops it. hideProgress takes the bar away. A front end without one
    // ignores both.
    virtual void showProgress(const std::string& text, int percent,
                              std::function<void()> onCancel) {
        (void)text;
        (void)percent;
        (void)onCancel;
    }
    virtual void hideProgress() {}

    // Logic thread. Whether the program was asked to end (a stop signal) and its event loop has
    // yet to close it. Long work that runs without returning to the event loop asks now and
    // then, and ends early, changing nothing, when it is so. Never waits.
    virtual bool stopPending() { return false; }

    // Logic thread. The desktop shell: open a document with its program; start a program
    // without waiting.
    virtual bool openDocument(const std::string& path) = 0;
    virtual bool startProgram(const std::string& commandLine) = 0;

    // Logic thread. TEXT as the user reads it. The program's texts are written in the
    // templates' language; a front end may show them translated. CONTEXT is the text's group:
    // a template's name, or "message" for the texts of message boxes.
    virtual std::string translate(const char* context, const char* text) {
        (void)context;
        return text;
    }
};

}  // namespace pelkit

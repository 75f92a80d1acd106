// The headless front end: a text-driven window system. Script lines play the user (commands,
// scroll bars, typing, drops, answers to dialogs) and say when the virtual sound devices finish
// blocks; prints and message boxes go to standard output. Nothing advances by itself.
#pragma once

#include <deque>
#include <functional>
#include <iosfwd>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "devices/virtual/virtual_clock.h"
#include "devices/virtual/virtual_sound.h"
#include "hosts/headless/script_reader.h"
#include "platform/canvas.h"
#include "platform/message_queue.h"
#include "platform/ui.h"

namespace pelkit {

class MainWindow;
class Program;

// What the host needs of the core beyond the dialog procedures.
struct HeadlessCore {
    MainWindow* mainWindow = nullptr;
    Program* program = nullptr;  // paints the waveform windows
};

class HeadlessHost final : public Ui {
  public:
    HeadlessHost(std::istream& script, std::ostream& out, std::ostream& err, MessageQueue& queue,
                 VirtualClock& clock, SoundOut& soundOut, SoundIn& soundIn,
                 VirtualSoundOut* virtualOut, VirtualSoundIn* virtualIn);
    ~HeadlessHost() override;

    void setCore(const HeadlessCore& core) { core_ = core; }
    // The texts the windows show, translated by TRANSLATE (context, text); unset: the template
    // texts as they are.
    using Translate = std::function<std::string(const char* context, const char* text)>;
    void setTranslator(Translate translate) { translate_ = std::move(translate); }
    // Script lines come from READ (false at the end) instead of the stream.
    void setLineReader(std::function<bool(std::string&)> read) {
        reader_.setSource(std::move(read));
    }
    // STOPPED tells when the run was asked to end: loops that wait for the devices then give up,
    // and the reader above ends the script.
    void setStopCheck(std::function<bool()> stopped) { stopped_ = std::move(stopped); }
    // 0, or 2 after a malformed script line, or 1 after a run that hit its bound.
    int exitStatus() const { return exitStatus_; }

    // Ui.
    void setText(WindowHandle window, int id, const std::string& text) override;
    std::string getText(WindowHandle window, int id) override;
    void enable(WindowHandle window, int id, bool on) override;
    void focus(WindowHandle window, int id) override;
    void setChecked(WindowHandle window, int id, bool on) override;
    void setTitle(WindowHandle window, const std::string& title) override;
    void setScrollRange(WindowHandle window, int bar, int min, int max) override;
    void setScrollPos(WindowHandle window, int bar, int pos) override;
    void invalidate(WaveWindow which) override;
    BoxAnswer messageBox(WindowHandle owner, const std::string& text, const std::string& caption,
                         BoxIcon icon, BoxButtons buttons) override;
    void beep() override {}
    std::optional<std::string> chooseFile(WindowHandle owner, FileKind kind,
                                          const std::string& initial) override;
    void startTimer(int id, int periodMs) override;
    void stopTimer(int id) override;
    void callAfter(int ms, std::function<void()> fn) override;
    int runModal(const std::string& templateName, DialogHandler& handler) override;
    WindowHandle openModeless(const std::string& templateName,
                              std::unique_ptr<DialogHandler> handler) override;
    void endDialog(WindowHandle window, int result) override;
    bool openDocument(const std::string& path) override;
    bool startProgram(const std::string& commandLine) override;
    std::string translate(const char* context, const char* text) override;
    bool stopPending() override { return stopped_ && stopped_(); }

  private:
    struct Control {
        std::string text;
        bool enabled = true;
        bool menuOnly = false;  // a menu entry: printed, but not a control to write to
        bool checked = false;   // a switch that is on
    };
    struct Bar {
        int min = 0, max = 100, pos = 0;
    };
    struct Window {
        WindowHandle handle = kNoWindow;
        std::string templateName;
        bool fromTemplate = false;
        std::string title;
        std::map<int, Control> controls;
        std::map<int, Bar> bars;
        int focus = 0;
        DialogHandler* handler = nullptr;
        std::unique_ptr<DialogHandler> owned;  // the handler of a modeless window
        bool modeless = false;
        bool ended = false;
        int result = 0;
    };
    // The window a script verb acts on: the main window, or a dialog of a "dlg" line.
    struct Target {
        Window& window;
        DialogHandler& handler;
        bool dialog;
    };
    // A script line as a verb sees it: the words from FIRST on are its arguments.
    struct VerbLine {
        const std::vector<std::string>& words;
        const std::string& text;
        size_t first;
        const std::string& usage;  // the verb's usage line for this target
        size_t count() const { return words.size() - first; }
        const std::string& arg(size_t i) const { return words[first + i]; }
        // The text after the first N arguments.
        std::string restAfter(size_t n) const;
        ScriptError usageError() const { return ScriptError{"usage: " + usage}; }
    };
    using VerbHandler = void (HeadlessHost::*)(Target&, const VerbLine&);
    // One script verb. The verbs with a dialog usage serve "dlg [NAME] ..." lines as well.
    struct Verb {
        const char* name;
        const char* usage;
        const char* dialogUsage;  // nullptr: the main window only
        size_t minArgs, maxArgs;  // how many words follow the verb
        VerbHandler handler;
    };
    static const std::vector<Verb>& verbs();
    static const Verb* findVerb(const std::string& name, bool dialog);

    Window* find(WindowHandle handle);
    // Builds the window of TEMPLATENAME (controls and menu from its template) for HANDLER.
    std::unique_ptr<Window> makeWindow(const std::string& templateName, DialogHandler& handler);
    // The open dialog named NAME (its template's name, any case), innermost first, or nullptr.
    Window* findDialog(const std::string& name);
    // Drops the modeless windows that have ended.
    void reapModeless();
    Window& mainWindowModel();
    Window& topDialog();
    void runLoop(Window& window);
    // The end of the script closes what is open, innermost first.
    void endOfScript(Window& window);
    void processLine(const ScriptLine& line);
    void dispatch(const Verb& verb, Target& target, const std::vector<std::string>& words,
                  const std::string& text, size_t first);
    // The verbs; the first five serve dialogs too.
    void verbCommand(Target& t, const VerbLine& line);
    void verbType(Target& t, const VerbLine& line);
    void verbScroll(Target& t, const VerbLine& line);
    void verbPrint(Target& t, const VerbLine& line);
    void verbClose(Target& t, const VerbLine& line);
    void verbDrop(Target& t, const VerbLine& line);
    void verbChoose(Target& t, const VerbLine& line);
    void verbAnswer(Target& t, const VerbLine& line);
    void verbBlocks(Target& t, const VerbLine& line);
    void verbRun(Target& t, const VerbLine& line);
    void verbTick(Target& t, const VerbLine& line);
    void verbPaint(Target& t, const VerbLine& line);
    void verbDialog(Target& t, const VerbLine& line);
    // The bar NAME of the target: one of the main window's bar names, or a dialog's control.
    std::optional<int> barOf(const Target& t, const std::string& name) const;
    void deliver();
    void run();
    void waitForMessages(MessageKind kind, long count);
    // While the input device is open, waits for the next message (the record writer's); false
    // when none comes.
    bool awaitWriter();
    void finishUntilEnded();
    bool mainEnded() const;

    ScriptReader reader_;
    std::ostream& out_;
    std::ostream& err_;
    MessageQueue& queue_;
    VirtualClock& clock_;
    SoundOut& soundOut_;
    SoundIn& soundIn_;
    VirtualSoundOut* virtualOut_;
    VirtualSoundIn* virtualIn_;
    HeadlessCore core_;
    Translate translate_;
    std::function<bool()> stopped_;

    std::vector<std::unique_ptr<Window>> windows_;  // the stack of open windows, main first
    WindowHandle nextHandle_ = 1;
    // Work the core asked to run later, with its delay; run once the device messages are
    // delivered, the virtual clock moving by the delay.
    std::deque<std::pair<int, std::function<void()>>> later_;
    std::deque<std::optional<std::string>> choices_;
    std::deque<BoxAnswer> answers_;
    bool timerRunning_ = false;
    bool closing_ = false;  // the main window's close request was made
    int exitStatus_ = 0;
};

}  // namespace pelkit

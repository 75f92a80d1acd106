// The headless script's verbs: one table for the main window and the dialogs ("dlg ..." lines).
#include <ostream>

#include "app/main_window.h"
#include "app/program.h"
#include "hosts/headless/headless_host.h"
#include "resources/control_names.h"

namespace pelkit {

namespace {

constexpr int kTimerPeriodMs = 72;
constexpr size_t kAny = static_cast<size_t>(-1);

struct BarName {
    const char* name;
    int handle;
};
constexpr BarName kBarNames[] = {
    {"position", kBarPosition}, {"start", kBarStart}, {"end", kBarEnd},     {"boost", kBarBoost},
    {"volume", kBarVolume},     {"speed", kBarSpeed}, {"pitch", kBarPitch}, {"pan", kBarPan},
};

std::optional<int> barHandle(const std::string& name) {
    for (const BarName& b : kBarNames) {
        if (name == b.name) return b.handle;
    }
    return std::nullopt;
}

// Prints the lines a paint draws, one per line.
class PrintingCanvas final : public Canvas {
  public:
    explicit PrintingCanvas(std::ostream& out) : out_(out) {}
    void fillBlack(int x0, int y0, int x1, int y1) override {
        out_ << "fill " << x0 << ' ' << y0 << ' ' << x1 << ' ' << y1 << '\n';
    }
    void selectPen(Pen pen) override { pen_ = pen; }
    void moveTo(int x, int y) override {
        x_ = x;
        y_ = y;
    }
    void lineTo(int x, int y) override {
        const char* name = pen_ == Pen::Mark ? "mark" : pen_ == Pen::Trace ? "trace" : "black";
        out_ << "line " << name << ' ' << x_ << ' ' << y_ << ' ' << x << ' ' << y << '\n';
        x_ = x;
        y_ = y;
    }

  private:
    std::ostream& out_;
    Pen pen_ = Pen::Black;
    int x_ = 0, y_ = 0;
};

}  // namespace

const std::vector<HeadlessHost::Verb>& HeadlessHost::verbs() {
    using H = HeadlessHost;
    static const std::vector<Verb> table = {
        {"command", "command ID|NAME [PARAM]", "dlg command ID|NAME [PARAM]", 1, 2,
         &H::verbCommand},
        {"type", "type ID|NAME TEXT", "dlg type ID|NAME TEXT", 1, kAny, &H::verbType},
        {"scroll", "scroll BAR CODE [POS]", "dlg scroll ID|NAME CODE [POS]", 2, 3, &H::verbScroll},
        {"print", "print ID | print title | print scroll BAR", "dlg print ID", 1, 2, &H::verbPrint},
        // A dialog's close takes no notice of words after it.
        {"close", "close", "dlg close", 0, kAny, &H::verbClose},
        {"drop", "drop PATH", nullptr, 0, kAny, &H::verbDrop},
        {"choose", "choose PATH | choose cancel", nullptr, 1, kAny, &H::verbChoose},
        {"answer", "answer ok | answer cancel", nullptr, 1, 1, &H::verbAnswer},
        {"play-blocks", "play-blocks N", nullptr, 1, 1, &H::verbBlocks},
        {"record-blocks", "record-blocks N", nullptr, 1, 1, &H::verbBlocks},
        {"run", "run", nullptr, 0, 0, &H::verbRun},
        {"tick", "tick [N]", nullptr, 0, 1, &H::verbTick},
        {"paint", "paint upper | paint lower", nullptr, 1, 1, &H::verbPaint},
        {"dlg", "dlg [NAME] command|type|scroll|print|close ...", nullptr, 1, kAny, &H::verbDialog},
    };
    return table;
}

const HeadlessHost::Verb* HeadlessHost::findVerb(const std::string& name, bool dialog) {
    for (const Verb& v : verbs()) {
        if (name == v.name && (!dialog || v.dialogUsage)) return &v;
    }
    return nullptr;
}

std::string HeadlessHost::VerbLine::restAfter(size_t n) const {
    return restAfterWords(text, static_cast<int>(first + n));
}

void HeadlessHost::dispatch(const Verb& verb, Target& target, const std::vector<std::string>& words,
                            const std::string& text, size_t first) {
    const std::string usage = target.dialog ? verb.dialogUsage : verb.usage;
    VerbLine line{words, text, first, usage};
    if (line.count() < verb.minArgs || line.count() > verb.maxArgs) throw line.usageError();
    (this->*verb.handler)(target, line);
}

void HeadlessHost::processLine(const ScriptLine& line) {
    const Verb* verb = findVerb(line.words[0], false);
    if (!verb) throw ScriptError{"unknown line: " + line.text};
    Target main{mainWindowModel(), *core_.mainWindow, false};
    dispatch(*verb, main, line.words, line.text, 1);
}

// "dlg NAME ..." addresses the open dialog of that template; plain "dlg ..." the innermost.
void HeadlessHost::verbDialog(Target&, const VerbLine& line) {
    const bool named = !findVerb(line.arg(0), true);
    Window* window = named ? findDialog(line.arg(0)) : &topDialog();
    if (!window) throw ScriptError{"dlg: no open dialog named " + line.arg(0)};
    // The line without its dialog name: "dlg VERB ...".
    std::vector<std::string> words = line.words;
    std::string text = line.text;
    if (named) {
        words.erase(words.begin() + 1);
        text = "dlg " + restAfterWords(line.text, 2);
    }
    if (words.size() < 2) throw line.usageError();
    const Verb* verb = findVerb(words[1], true);
    if (!verb) throw ScriptError{"unknown dialog line: " + text};
    Target dialog{*window, *window->handler, true};
    dispatch(*verb, dialog, words, text, 2);
}

std::optional<int> HeadlessHost::barOf(const Target& t, const std::string& name) const {
    // A dialog's bars go by their control id or name (the micro edit's cursor, left and right).
    return t.dialog ? controlId(t.window.templateName, name) : barHandle(name);
}

void HeadlessHost::verbCommand(Target& t, const VerbLine& line) {
    std::optional<int> id = controlId(t.window.templateName, line.arg(0));
    long param = 0;
    if (!id || (line.count() == 2 && !parseInt(line.arg(1), param))) throw line.usageError();
    t.handler.onCommand(t.window.handle, *id, static_cast<int32_t>(param), Notify::Click);
}

void HeadlessHost::verbType(Target& t, const VerbLine& line) {
    std::optional<int> id = controlId(t.window.templateName, line.arg(0));
    if (!id) throw line.usageError();
    setText(t.window.handle, *id, line.restAfter(1));
    // Only a dialog is told of the edit.
    if (t.dialog) t.handler.onCommand(t.window.handle, *id, 0, Notify::EditChange);
}

void HeadlessHost::verbScroll(Target& t, const VerbLine& line) {
    std::optional<int> bar = barOf(t, line.arg(0));
    long code = 0, pos = 0;
    if (!bar || !parseInt(line.arg(1), code) || code < 0 || code > 7 ||
        (line.count() == 3 && !parseInt(line.arg(2), pos))) {
        throw line.usageError();
    }
    t.handler.onScroll(t.window.handle, *bar, static_cast<int>(code), static_cast<int>(pos));
}

void HeadlessHost::verbPrint(Target& t, const VerbLine& line) {
    Window& w = t.window;
    if (line.count() == 1 && line.arg(0) == "title") {
        out_ << "title: " << w.title << '\n';
    } else if (line.count() == 2 && line.arg(0) == "scroll") {
        const std::string& name = line.arg(1);
        std::optional<int> bar = barOf(t, name);
        if (!bar) {
            throw ScriptError{t.dialog ? "usage: dlg print scroll ID|NAME"
                                       : "print scroll: no bar named " + name};
        }
        const Bar& b = w.bars[*bar];
        out_ << name << ": " << b.min << ".." << b.max << " @ " << b.pos << '\n';
    } else if (line.count() == 1) {
        std::optional<int> id = controlId(w.templateName, line.arg(0));
        if (!id) throw ScriptError{"print: not a control id or name: " + line.arg(0)};
        auto it = w.controls.find(*id);
        if (it == w.controls.end()) {
            out_ << *id << ": (no such control)\n";
            return;
        }
        out_ << *id << ": " << it->second.text << (it->second.enabled ? "" : " (disabled)")
             << (it->second.checked ? " (checked)" : "") << '\n';
    } else {
        throw line.usageError();
    }
}

void HeadlessHost::verbClose(Target& t, const VerbLine& line) {
    if (t.dialog) {
        t.handler.onClose(t.window.handle);
        return;
    }
    if (line.count() != 0) throw line.usageError();
    closing_ = true;
    t.handler.onClose(t.window.handle);
    finishUntilEnded();
}

void HeadlessHost::verbDrop(Target&, const VerbLine& line) {
    core_.mainWindow->onDrop(line.restAfter(0));
}

void HeadlessHost::verbChoose(Target&, const VerbLine& line) {
    std::string path = line.restAfter(0);
    if (path == "cancel") {
        choices_.push_back(std::nullopt);
    } else {
        choices_.push_back(path);
    }
}

void HeadlessHost::verbAnswer(Target&, const VerbLine& line) {
    if (line.arg(0) != "ok" && line.arg(0) != "cancel") throw line.usageError();
    answers_.push_back(line.arg(0) == "ok" ? BoxAnswer::Ok : BoxAnswer::Cancel);
}

// play-blocks N / record-blocks N: the output device finishes, or the input device fills, its N
// oldest blocks.
void HeadlessHost::verbBlocks(Target&, const VerbLine& line) {
    long n = 0;
    if (!parseInt(line.arg(0), n) || n < 0) throw line.usageError();
    const bool play = line.words[0] == "play-blocks";
    if (!virtualOut_) {
        // Real devices advance by themselves: wait for their messages.
        waitForMessages(play ? MessageKind::OutDone : MessageKind::InData, n);
        return;
    }
    for (long i = 0; i < n; ++i) {
        bool advanced = false;
        if (play) {
            advanced = virtualOut_->finishOne();
        } else {
            advanced = virtualIn_ && virtualIn_->fillOne();
            // Blocks at the record writer come back when their write ends.
            while (!advanced && awaitWriter())
                advanced = virtualIn_->fillOne();
        }
        if (!advanced) break;
        deliver();
    }
}

void HeadlessHost::verbRun(Target&, const VerbLine&) {
    run();
}

void HeadlessHost::verbTick(Target&, const VerbLine& line) {
    long n = 1;
    if (line.count() == 1 && (!parseInt(line.arg(0), n) || n < 0)) throw line.usageError();
    for (long i = 0; i < n; ++i) {
        clock_.advance(kTimerPeriodMs);
        if (timerRunning_) core_.mainWindow->onTimer();
        deliver();
    }
}

void HeadlessHost::verbPaint(Target&, const VerbLine& line) {
    if (line.arg(0) != "upper" && line.arg(0) != "lower") throw line.usageError();
    if (!core_.program) throw ScriptError{"paint: the waveform windows are not painted here"};
    PrintingCanvas canvas(out_);
    core_.program->paint(line.arg(0) == "upper" ? WaveWindow::Upper : WaveWindow::Lower, canvas);
}

}  // namespace pelkit

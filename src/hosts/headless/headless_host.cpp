#include "hosts/headless/headless_host.h"

#include <algorithm>
#include <cctype>
#include <chrono>
#include <cstdlib>
#include <istream>
#include <ostream>
#include <sstream>

#include "app/main_window.h"
#include "app/program.h"
#include "files/file_stream.h"
#include "resources/control_names.h"
#include "resources/templates.h"

namespace pelkit {

namespace {

constexpr long kRunBound = 10000000;
constexpr int kTimerPeriodMs = 72;

std::vector<std::string> splitWords(const std::string& line) {
    std::istringstream in(line);
    std::vector<std::string> words;
    std::string w;
    while (in >> w)
        words.push_back(w);
    return words;
}

bool parseInt(const std::string& text, long& value) {
    if (text.empty()) return false;
    char* end = nullptr;
    value = std::strtol(text.c_str(), &end, 10);
    return end && *end == '\0';
}

// The text after the first N words of LINE (one separating blank taken off).
std::string restAfterWords(const std::string& line, int n) {
    size_t at = 0;
    for (int i = 0; i < n; ++i) {
        while (at < line.size() && (line[at] == ' ' || line[at] == '\t'))
            ++at;
        while (at < line.size() && line[at] != ' ' && line[at] != '\t')
            ++at;
    }
    if (at < line.size()) ++at;
    return at <= line.size() ? line.substr(at) : std::string();
}

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

HeadlessHost::HeadlessHost(std::istream& script, std::ostream& out, std::ostream& err,
                           MessageQueue& queue, VirtualClock& clock, SoundOut& soundOut,
                           SoundIn& soundIn, VirtualSoundOut* virtualOut, VirtualSoundIn* virtualIn)
    : script_(script),
      out_(out),
      err_(err),
      queue_(queue),
      clock_(clock),
      soundOut_(soundOut),
      soundIn_(soundIn),
      virtualOut_(virtualOut),
      virtualIn_(virtualIn) {}

HeadlessHost::~HeadlessHost() = default;

HeadlessHost::Window* HeadlessHost::find(WindowHandle handle) {
    for (auto& w : windows_) {
        if (w->handle == handle) return w.get();
    }
    return nullptr;
}

HeadlessHost::Window& HeadlessHost::mainWindowModel() {
    return *windows_.front();
}

HeadlessHost::Window& HeadlessHost::topDialog() {
    for (size_t i = windows_.size(); i-- > 1;) {
        if (!windows_[i]->ended) return *windows_[i];
    }
    throw ScriptError{"no dialog is open"};
}

bool HeadlessHost::mainEnded() const {
    return !windows_.empty() && windows_.front()->ended;
}

// ----- Ui -----

void HeadlessHost::setText(WindowHandle window, int id, const std::string& text) {
    Window* w = find(window);
    if (!w) return;
    auto it = w->controls.find(id);
    if (it == w->controls.end()) {
        // Windows without a template grow their controls as they are written.
        if (!w->fromTemplate) w->controls[id].text = text;
        return;
    }
    if (!it->second.menuOnly) it->second.text = text;
}

std::string HeadlessHost::getText(WindowHandle window, int id) {
    Window* w = find(window);
    if (!w) return {};
    auto it = w->controls.find(id);
    return it == w->controls.end() || it->second.menuOnly ? std::string() : it->second.text;
}

void HeadlessHost::enable(WindowHandle window, int id, bool on) {
    Window* w = find(window);
    if (!w) return;
    auto it = w->controls.find(id);
    if (it != w->controls.end() && !it->second.menuOnly) it->second.enabled = on;
    if (it == w->controls.end() && !w->fromTemplate) w->controls[id].enabled = on;
}

void HeadlessHost::focus(WindowHandle window, int id) {
    if (Window* w = find(window)) w->focus = id;
}

void HeadlessHost::setTitle(WindowHandle window, const std::string& title) {
    if (Window* w = find(window)) w->title = title;
}

void HeadlessHost::setScrollRange(WindowHandle window, int bar, int min, int max) {
    if (Window* w = find(window)) {
        w->bars[bar].min = min;
        w->bars[bar].max = max;
    }
}

void HeadlessHost::setScrollPos(WindowHandle window, int bar, int pos) {
    if (Window* w = find(window)) w->bars[bar].pos = pos;
}

void HeadlessHost::invalidate(WaveWindow) {}

BoxAnswer HeadlessHost::messageBox(WindowHandle, const std::string& text,
                                   const std::string& caption, BoxIcon, BoxButtons buttons) {
    out_ << "box: " << caption << ": " << text;
    BoxAnswer answer = BoxAnswer::Ok;
    if (buttons == BoxButtons::OkCancel) {
        if (!answers_.empty()) {
            answer = answers_.front();
            answers_.pop_front();
        }
        out_ << (answer == BoxAnswer::Ok ? " -> ok" : " -> cancel");
    }
    out_ << '\n';
    return answer;
}

std::optional<std::string> HeadlessHost::chooseFile(WindowHandle, FileKind, const std::string&) {
    if (choices_.empty()) return std::nullopt;
    std::optional<std::string> choice = choices_.front();
    choices_.pop_front();
    return choice;
}

void HeadlessHost::startTimer(int, int) {
    timerRunning_ = true;
}

void HeadlessHost::stopTimer(int) {
    timerRunning_ = false;
}

void HeadlessHost::callAfter(int ms, std::function<void()> fn) {
    later_.emplace_back(ms, std::move(fn));
}

std::unique_ptr<HeadlessHost::Window> HeadlessHost::makeWindow(const std::string& templateName,
                                                               DialogHandler& handler) {
    auto window = std::make_unique<Window>();
    window->handle = nextHandle_++;
    window->templateName = templateName;
    window->handler = &handler;
    if (const TemplateDef* def = findTemplate(templateName)) {
        window->fromTemplate = true;
        auto shown = [&](const std::string& text) {
            return text.empty() ? text : translate(def->name.c_str(), text.c_str());
        };
        window->title = shown(def->caption);
        for (const ControlDef& c : def->controls) {
            if (c.id <= 0 || c.kind == ControlKind::ScrollBar || c.kind == ControlKind::Wave) {
                continue;
            }
            window->controls[c.id] = Control{shown(c.text), !c.disabled, false};
        }
        std::vector<const MenuEntry*> stack;
        for (const MenuEntry& e : def->menu)
            stack.push_back(&e);
        while (!stack.empty()) {
            const MenuEntry* e = stack.back();
            stack.pop_back();
            for (const MenuEntry& child : e->children)
                stack.push_back(&child);
            if (e->id > 0 && e->children.empty() && !window->controls.count(e->id)) {
                window->controls[e->id] = Control{shown(e->text), !e->disabled, true};
            }
        }
    } else if (windows_.empty()) {
        return nullptr;  // the main window cannot be built without its template
    }
    return window;
}

int HeadlessHost::runModal(const std::string& templateName, DialogHandler& handler) {
    std::unique_ptr<Window> window = makeWindow(templateName, handler);
    if (!window) return -1;
    Window& w = *window;
    const WindowHandle handle = w.handle;
    windows_.push_back(std::move(window));
    w.handler->onInit(w.handle);
    deliver();
    runLoop(w);
    int result = w.result;
    if (windows_.size() > 1) {
        for (auto it = windows_.begin() + 1; it != windows_.end(); ++it) {
            if ((*it)->handle == handle) {
                windows_.erase(it);
                break;
            }
        }
    }
    return result;
}

WindowHandle HeadlessHost::openModeless(const std::string& templateName,
                                        std::unique_ptr<DialogHandler> handler) {
    if (!handler || windows_.empty()) return kNoWindow;
    std::unique_ptr<Window> window = makeWindow(templateName, *handler);
    if (!window) return kNoWindow;
    window->owned = std::move(handler);
    window->modeless = true;
    Window& w = *window;
    windows_.push_back(std::move(window));
    w.handler->onInit(w.handle);
    return w.handle;
}

HeadlessHost::Window* HeadlessHost::findDialog(const std::string& name) {
    auto same = [&](const std::string& other) {
        return other.size() == name.size() &&
               std::equal(other.begin(), other.end(), name.begin(), [](char a, char b) {
                   return std::toupper(static_cast<unsigned char>(a)) ==
                          std::toupper(static_cast<unsigned char>(b));
               });
    };
    for (size_t i = windows_.size(); i-- > 1;) {
        if (!windows_[i]->ended && same(windows_[i]->templateName)) return windows_[i].get();
    }
    return nullptr;
}

void HeadlessHost::reapModeless() {
    for (size_t i = windows_.size(); i-- > 1;) {
        if (windows_[i]->modeless && windows_[i]->ended) windows_.erase(windows_.begin() + i);
    }
}

void HeadlessHost::endDialog(WindowHandle window, int result) {
    if (Window* w = find(window)) {
        w->ended = true;
        w->result = result;
    }
}

bool HeadlessHost::openDocument(const std::string& path) {
    out_ << "open: " << path << '\n';
    return isRegularFile(path);
}

bool HeadlessHost::startProgram(const std::string& commandLine) {
    out_ << "start: " << commandLine << '\n';
    return true;
}

std::string HeadlessHost::translate(const char* context, const char* text) {
    return translate_ ? translate_(context, text) : std::string(text);
}

// ----- the script -----

bool HeadlessHost::readLine(std::string& line) {
    if (inputEnded_) return false;
    if (!(readLine_ ? readLine_(line) : static_cast<bool>(std::getline(script_, line)))) {
        inputEnded_ = true;
        return false;
    }
    ++lineNumber_;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    return true;
}

void HeadlessHost::runLoop(Window& window) {
    bool isMain = &window == windows_.front().get();
    while (!window.ended && !mainEnded()) {
        std::string line;
        if (!readLine(line)) {
            // The end of the script closes what is open, innermost first.
            if (isMain) {
                for (size_t i = windows_.size(); i-- > 1;) {
                    Window& open = *windows_[i];
                    if (open.modeless && !open.ended) open.handler->onClose(open.handle);
                    deliver();
                }
                reapModeless();
                closing_ = true;
                window.handler->onClose(window.handle);
                finishUntilEnded();
            } else {
                window.handler->onClose(window.handle);
                deliver();
                window.ended = true;
            }
            return;
        }
        try {
            processLine(line);
        } catch (const ScriptError& e) {
            err_ << "script line " << lineNumber_ << ": " << e.what << '\n';
            exitStatus_ = 2;
            inputEnded_ = true;
        }
        deliver();
        reapModeless();
    }
    if (mainEnded()) window.ended = true;
}

void HeadlessHost::deliver() {
    if (!core_.mainWindow) return;
    for (;;) {
        while (auto m = queue_.tryPop())
            core_.mainWindow->onDeviceMessage(*m);
        // Once a stop signal has come, work that goes on in slices (a file edit) waits: the
        // script ends and the close request cancels it. What the close itself puts off (the
        // end of a take) runs.
        if (!later_.empty() && (closing_ || !stopPending())) {
            auto [ms, fn] = std::move(later_.front());
            later_.pop_front();
            clock_.advance(static_cast<uint32_t>(ms));
            fn();
            continue;
        }
        // Blocks at the record writer come back when their write ends: wait for them, so a
        // script sees every block it let the device fill on disk.
        if (core_.program && core_.program->awaitingWriter()) {
            if (auto m = queue_.waitPop(std::chrono::seconds(30))) {
                core_.mainWindow->onDeviceMessage(*m);
                continue;
            }
            err_ << "no word from the record writer for 30 s\n";
        }
        return;
    }
}

bool HeadlessHost::awaitWriter() {
    if (!virtualIn_ || !virtualIn_->isOpen()) return false;
    auto m = queue_.waitPop(std::chrono::seconds(10));
    if (!m) return false;
    core_.mainWindow->onDeviceMessage(*m);
    deliver();
    return true;
}

void HeadlessHost::waitForMessages(MessageKind kind, long count) {
    for (long seen = 0; seen < count && !(stopped_ && stopped_());) {
        auto m = queue_.waitPop(std::chrono::seconds(30));
        if (!m) {
            err_ << "no message from the sound device for 30 s\n";
            return;
        }
        core_.mainWindow->onDeviceMessage(*m);
        if (m->kind == kind) ++seen;
    }
    deliver();
}

void HeadlessHost::run() {
    for (long n = 0; n < kRunBound; ++n) {
        deliver();
        if (stopped_ && stopped_()) return;
        if (!soundOut_.isOpen() && !soundIn_.isOpen()) return;
        if (!virtualOut_) {
            // Real devices advance by themselves: wait for their next message.
            if (auto m = queue_.waitPop(std::chrono::seconds(30))) {
                core_.mainWindow->onDeviceMessage(*m);
                continue;
            }
            err_ << "run: no message from the sound device for 30 s\n";
            return;
        }
        if (virtualOut_->canAdvance()) {
            virtualOut_->finishOne();
            continue;
        }
        if (virtualIn_ && virtualIn_->canAdvance()) {
            if (virtualIn_->inputUsedUp()) return;  // the recording waits for a stop
            virtualIn_->fillOne();
            continue;
        }
        if (queue_.empty()) {
            if (awaitWriter()) continue;
            if (virtualOut_->paused()) {
                err_ << "run: the output device is paused\n";
            } else {
                err_ << "run: the devices are open but nothing can advance\n";
            }
            return;
        }
    }
    err_ << "run: stopped after " << kRunBound << " blocks\n";
    exitStatus_ = exitStatus_ ? exitStatus_ : 1;
}

void HeadlessHost::finishUntilEnded() {
    for (long n = 0; n < kRunBound && !mainEnded(); ++n) {
        deliver();
        if (mainEnded()) return;
        if (!virtualOut_) {
            if (auto m = queue_.waitPop(std::chrono::seconds(30))) {
                core_.mainWindow->onDeviceMessage(*m);
                continue;
            }
            break;
        }
        if (virtualOut_->canAdvance()) {
            virtualOut_->finishOne();
        } else if (virtualIn_ && virtualIn_->canAdvance()) {
            virtualIn_->fillOne();
        } else if (queue_.empty() && !awaitWriter()) {
            break;
        }
    }
    if (!mainEnded()) err_ << "close: the program could not end\n";
}

std::string HeadlessHost::barText(Window& w, int bar, const std::string& name) {
    Bar& b = w.bars[bar];
    return name + ": " + std::to_string(b.min) + ".." + std::to_string(b.max) + " @ " +
           std::to_string(b.pos);
}

void HeadlessHost::printControl(Window& w, const std::string& idText) {
    std::optional<int> named = controlId(w.templateName, idText);
    if (!named) throw ScriptError{"print: not a control id or name: " + idText};
    int id = *named;
    auto it = w.controls.find(id);
    if (it == w.controls.end()) {
        out_ << id << ": (no such control)\n";
        return;
    }
    out_ << id << ": " << it->second.text << (it->second.enabled ? "" : " (disabled)") << '\n';
}

void HeadlessHost::processLine(const std::string& raw) {
    std::vector<std::string> words = splitWords(raw);
    if (words.empty() || words[0][0] == '#') return;
    const std::string& verb = words[0];
    Window& main = mainWindowModel();
    MainWindow& mw = *core_.mainWindow;
    long a = 0, b = 0;

    if (verb == "command") {
        std::optional<int> id =
            words.size() >= 2 ? controlId(main.templateName, words[1]) : std::nullopt;
        if (words.size() < 2 || words.size() > 3 || !id ||
            (words.size() == 3 && !parseInt(words[2], b))) {
            throw ScriptError{"usage: command ID|NAME [PARAM]"};
        }
        mw.onCommand(main.handle, *id, static_cast<int32_t>(b), Notify::Click);
    } else if (verb == "scroll") {
        auto bar = words.size() >= 3 ? barHandle(words[1]) : std::nullopt;
        if (!bar || words.size() > 4 || !parseInt(words[2], a) || a < 0 || a > 7 ||
            (words.size() == 4 && !parseInt(words[3], b))) {
            throw ScriptError{"usage: scroll BAR CODE [POS]"};
        }
        mw.onScroll(main.handle, *bar, static_cast<int>(a), static_cast<int>(b));
    } else if (verb == "type") {
        std::optional<int> id =
            words.size() >= 2 ? controlId(main.templateName, words[1]) : std::nullopt;
        if (!id) throw ScriptError{"usage: type ID|NAME TEXT"};
        setText(main.handle, *id, restAfterWords(raw, 2));
    } else if (verb == "drop") {
        mw.onDrop(restAfterWords(raw, 1));
    } else if (verb == "choose") {
        if (words.size() < 2) throw ScriptError{"usage: choose PATH | choose cancel"};
        std::string path = restAfterWords(raw, 1);
        if (path == "cancel") {
            choices_.push_back(std::nullopt);
        } else {
            choices_.push_back(path);
        }
    } else if (verb == "answer") {
        if (words.size() != 2 || (words[1] != "ok" && words[1] != "cancel")) {
            throw ScriptError{"usage: answer ok | answer cancel"};
        }
        answers_.push_back(words[1] == "ok" ? BoxAnswer::Ok : BoxAnswer::Cancel);
    } else if (verb == "play-blocks" || verb == "record-blocks") {
        if (words.size() != 2 || !parseInt(words[1], a) || a < 0) {
            throw ScriptError{"usage: " + verb + " N"};
        }
        if (!virtualOut_) {
            // Real devices advance by themselves: wait for their messages.
            waitForMessages(verb == "play-blocks" ? MessageKind::OutDone : MessageKind::InData, a);
            return;
        }
        for (long i = 0; i < a; ++i) {
            bool advanced = false;
            if (verb == "play-blocks") {
                advanced = virtualOut_ && virtualOut_->finishOne();
            } else {
                advanced = virtualIn_ && virtualIn_->fillOne();
                // Blocks at the record writer come back when their write ends.
                while (!advanced && awaitWriter())
                    advanced = virtualIn_->fillOne();
            }
            if (!advanced) break;
            deliver();
        }
    } else if (verb == "run") {
        if (words.size() != 1) throw ScriptError{"usage: run"};
        run();
    } else if (verb == "tick") {
        if (words.size() > 2 || (words.size() == 2 && (!parseInt(words[1], a) || a < 0))) {
            throw ScriptError{"usage: tick [N]"};
        }
        long n = words.size() == 2 ? a : 1;
        for (long i = 0; i < n; ++i) {
            clock_.advance(kTimerPeriodMs);
            if (timerRunning_) mw.onTimer();
            deliver();
        }
    } else if (verb == "print") {
        if (words.size() == 2 && words[1] == "title") {
            out_ << "title: " << main.title << '\n';
        } else if (words.size() == 3 && words[1] == "scroll") {
            auto bar = barHandle(words[2]);
            if (!bar) throw ScriptError{"print scroll: no bar named " + words[2]};
            out_ << barText(main, *bar, words[2]) << '\n';
        } else if (words.size() == 2) {
            printControl(main, words[1]);
        } else {
            throw ScriptError{"usage: print ID | print title | print scroll BAR"};
        }
    } else if (verb == "paint") {
        if (words.size() != 2 || (words[1] != "upper" && words[1] != "lower")) {
            throw ScriptError{"usage: paint upper | paint lower"};
        }
        if (!core_.program) throw ScriptError{"paint: the waveform windows are not painted here"};
        PrintingCanvas canvas(out_);
        core_.program->paint(words[1] == "upper" ? WaveWindow::Upper : WaveWindow::Lower, canvas);
    } else if (verb == "dlg") {
        processDialogLine(words, raw);
    } else if (verb == "close") {
        if (words.size() != 1) throw ScriptError{"usage: close"};
        closing_ = true;
        mw.onClose(main.handle);
        finishUntilEnded();
    } else {
        throw ScriptError{"unknown line: " + raw};
    }
}

void HeadlessHost::processDialogLine(const std::vector<std::string>& allWords,
                                     const std::string& allRaw) {
    if (allWords.size() < 2)
        throw ScriptError{"usage: dlg [NAME] command|type|scroll|print|close ..."};
    // "dlg NAME ..." addresses the open dialog of that template; plain "dlg ..." the innermost.
    static const char* const kVerbs[] = {"command", "type", "scroll", "print", "close"};
    bool named = std::find(std::begin(kVerbs), std::end(kVerbs), allWords[1]) == std::end(kVerbs);
    Window* target = named ? findDialog(allWords[1]) : &topDialog();
    if (!target) throw ScriptError{"dlg: no open dialog named " + allWords[1]};
    Window& d = *target;
    std::vector<std::string> words = allWords;
    std::string raw = allRaw;
    if (named) {
        words.erase(words.begin() + 1);
        raw = "dlg " + restAfterWords(allRaw, 2);
    }
    if (words.size() < 2)
        throw ScriptError{"usage: dlg [NAME] command|type|scroll|print|close ..."};
    const std::string& verb = words[1];
    long b = 0, c = 0;
    if (verb == "command") {
        std::optional<int> id =
            words.size() >= 3 ? controlId(d.templateName, words[2]) : std::nullopt;
        if (words.size() < 3 || words.size() > 4 || !id ||
            (words.size() == 4 && !parseInt(words[3], b))) {
            throw ScriptError{"usage: dlg command ID|NAME [PARAM]"};
        }
        d.handler->onCommand(d.handle, *id, static_cast<int32_t>(b), Notify::Click);
    } else if (verb == "type") {
        std::optional<int> id =
            words.size() >= 3 ? controlId(d.templateName, words[2]) : std::nullopt;
        if (!id) throw ScriptError{"usage: dlg type ID|NAME TEXT"};
        setText(d.handle, *id, restAfterWords(raw, 3));
        d.handler->onCommand(d.handle, *id, 0, Notify::EditChange);
    } else if (verb == "scroll") {
        // A bar by its id or by name (the micro edit's cursor, left and right).
        std::optional<int> bar =
            words.size() >= 3 ? controlId(d.templateName, words[2]) : std::nullopt;
        if (words.size() < 4 || words.size() > 5 || !bar || !parseInt(words[3], b) || b < 0 ||
            b > 7 || (words.size() == 5 && !parseInt(words[4], c))) {
            throw ScriptError{"usage: dlg scroll ID|NAME CODE [POS]"};
        }
        d.handler->onScroll(d.handle, *bar, static_cast<int>(b), static_cast<int>(c));
    } else if (verb == "print") {
        if (words.size() == 3 && words[2] == "title") {
            out_ << "title: " << d.title << '\n';
        } else if (words.size() == 4 && words[2] == "scroll") {
            std::optional<int> bar = controlId(d.templateName, words[3]);
            if (!bar) throw ScriptError{"usage: dlg print scroll ID|NAME"};
            out_ << barText(d, *bar, words[3]) << '\n';
        } else if (words.size() == 3) {
            printControl(d, words[2]);
        } else {
            throw ScriptError{"usage: dlg print ID"};
        }
    } else if (verb == "close") {
        d.handler->onClose(d.handle);
    } else {
        throw ScriptError{"unknown dialog line: " + raw};
    }
}

}  // namespace pelkit

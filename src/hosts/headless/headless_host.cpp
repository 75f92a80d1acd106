#include "hosts/headless/headless_host.h"

#include <algorithm>
#include <cctype>
#include <chrono>
#include <ostream>

#include "app/main_window.h"
#include "app/program.h"
#include "files/file_stream.h"
#include "resources/templates.h"

namespace pelkit {

namespace {

constexpr long kRunBound = 10000000;

}  // namespace

HeadlessHost::HeadlessHost(std::istream& script, std::ostream& out, std::ostream& err,
                           MessageQueue& queue, VirtualClock& clock, SoundOut& soundOut,
                           SoundIn& soundIn, VirtualSoundOut* virtualOut, VirtualSoundIn* virtualIn)
    : reader_(script),
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

void HeadlessHost::setChecked(WindowHandle window, int id, bool on) {
    Window* w = find(window);
    if (!w) return;
    auto it = w->controls.find(id);
    if (it != w->controls.end()) it->second.checked = on;
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

void HeadlessHost::runLoop(Window& window) {
    while (!window.ended && !mainEnded()) {
        ScriptLine line;
        if (!reader_.next(line)) {
            endOfScript(window);
            return;
        }
        if (!reader_.perform(
                line, [this](const ScriptLine& l) { processLine(l); }, err_)) {
            exitStatus_ = 2;
        }
        deliver();
        reapModeless();
    }
    if (mainEnded()) window.ended = true;
}

void HeadlessHost::endOfScript(Window& window) {
    if (&window != windows_.front().get()) {
        window.handler->onClose(window.handle);
        deliver();
        window.ended = true;
        return;
    }
    for (size_t i = windows_.size(); i-- > 1;) {
        Window& open = *windows_[i];
        if (open.modeless && !open.ended) open.handler->onClose(open.handle);
        deliver();
    }
    reapModeless();
    closing_ = true;
    window.handler->onClose(window.handle);
    finishUntilEnded();
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

}  // namespace pelkit

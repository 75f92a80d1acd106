#include "support/fake_platform.h"

namespace pelkit::test {

std::string FakeUi::text(int id, WindowHandle w) const {
    auto it = texts.find({w, id});
    return it == texts.end() ? std::string() : it->second;
}

std::optional<bool> FakeUi::isEnabled(int id, WindowHandle w) const {
    auto it = enabled.find({w, id});
    if (it == enabled.end()) return std::nullopt;
    return it->second;
}

int FakeUi::focusedId(WindowHandle w) const {
    auto it = focused.find(w);
    return it == focused.end() ? 0 : it->second;
}

void FakeUi::setText(WindowHandle window, int id, const std::string& t) {
    texts[{window, id}] = t;
}

std::string FakeUi::getText(WindowHandle window, int id) {
    return text(id, window);
}

void FakeUi::enable(WindowHandle window, int id, bool on) {
    enabled[{window, id}] = on;
}

void FakeUi::focus(WindowHandle window, int id) {
    focused[window] = id;
}

void FakeUi::setTitle(WindowHandle window, const std::string& title) {
    titles[window] = title;
}

void FakeUi::setScrollRange(WindowHandle window, int bar, int min, int max) {
    scrollRanges[{window, bar}] = {min, max};
}

void FakeUi::setScrollPos(WindowHandle window, int bar, int pos) {
    scrollPositions[{window, bar}] = pos;
}

BoxAnswer FakeUi::messageBox(WindowHandle, const std::string& t, const std::string& caption,
                             BoxIcon icon, BoxButtons buttons) {
    boxes.push_back(BoxRecord{caption, t, buttons, icon});
    if (buttons == BoxButtons::Ok) return BoxAnswer::Ok;
    if (answers.empty()) return BoxAnswer::Ok;
    BoxAnswer a = answers.front();
    answers.pop_front();
    return a;
}

std::optional<std::string> FakeUi::chooseFile(WindowHandle, FileKind, const std::string&) {
    if (choices.empty()) return std::nullopt;
    std::optional<std::string> c = choices.front();
    choices.pop_front();
    return c;
}

int FakeUi::runModal(const std::string& templateName, DialogHandler&) {
    modalTemplates.push_back(templateName);
    return 0;
}

WindowHandle FakeUi::openModeless(const std::string& templateName,
                                  std::unique_ptr<DialogHandler> handler) {
    WindowHandle handle = 100 + static_cast<WindowHandle>(modelessTemplates.size());
    modelessTemplates[handle] = templateName;
    DialogHandler& h = *handler;
    modeless[handle] = std::move(handler);
    h.onInit(handle);
    return handle;
}

void FakeUi::endDialog(WindowHandle window, int result) {
    endedDialogs.push_back({window, result});
}

bool FakeUi::openDocument(const std::string& path) {
    openedDocuments.push_back(path);
    return true;
}

bool FakeUi::startProgram(const std::string& commandLine) {
    startedPrograms.push_back(commandLine);
    return true;
}

bool FakeSoundOut::open(const WaveFormat&) {
    calls.push_back("open");
    opened = openSucceeds;
    return openSucceeds;
}

bool FakeSoundOut::close() {
    calls.push_back("close");
    opened = false;
    return true;
}

void FakeSoundOut::setVolume(uint32_t word) {
    calls.push_back("setVolume");
    volume = word;
}

bool FakeSoundIn::open(const WaveFormat&) {
    calls.push_back("open");
    opened = openSucceeds;
    return openSucceeds;
}

bool FakeSoundIn::close() {
    calls.push_back("close");
    opened = false;
    return true;
}

}  // namespace pelkit::test

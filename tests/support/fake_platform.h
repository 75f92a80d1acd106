// A recording stand-in for the platform: the window system remembers what the core wrote to it
// and answers message boxes and file choices from queues; the sound devices only log their
// calls; the clock moves when told or when the core waits.
#pragma once

#include <deque>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/clock.h"
#include "platform/message_queue.h"
#include "platform/platform.h"
#include "platform/sound_device.h"
#include "platform/ui.h"
#include "services/services.h"

namespace pelkit::test {

// The handle the tests give the main window.
inline constexpr WindowHandle kFakeMainWindow = 1;

struct BoxRecord {
    std::string caption;
    std::string text;
    BoxButtons buttons = BoxButtons::Ok;
    BoxIcon icon = BoxIcon::Warning;
};

class FakeUi final : public Ui {
  public:
    using Key = std::pair<WindowHandle, int>;

    std::map<Key, std::string> texts;
    std::map<Key, bool> enabled;
    std::map<WindowHandle, int> focused;
    std::map<WindowHandle, std::string> titles;
    std::map<Key, std::pair<int, int>> scrollRanges;
    std::map<Key, int> scrollPositions;
    std::vector<BoxRecord> boxes;
    std::deque<BoxAnswer> answers;                   // next OK/Cancel answers; OK when empty
    std::deque<std::optional<std::string>> choices;  // next file choices; cancel when empty
    int beeps = 0;
    int invalidations = 0;
    std::vector<std::string> openedDocuments;
    std::vector<std::string> startedPrograms;
    std::vector<std::string> modalTemplates;
    std::vector<std::pair<WindowHandle, int>> endedDialogs;
    int timerPeriod = 0;  // 0 while timer 1 is stopped

    // Reading back what the main window shows.
    std::string text(int id, WindowHandle w = kFakeMainWindow) const;
    // Whether the control was last enabled or disabled; nothing when never touched.
    std::optional<bool> isEnabled(int id, WindowHandle w = kFakeMainWindow) const;
    int focusedId(WindowHandle w = kFakeMainWindow) const;

    void setText(WindowHandle window, int id, const std::string& text) override;
    std::string getText(WindowHandle window, int id) override;
    void enable(WindowHandle window, int id, bool on) override;
    void focus(WindowHandle window, int id) override;
    void setTitle(WindowHandle window, const std::string& title) override;
    void setScrollRange(WindowHandle window, int bar, int min, int max) override;
    void setScrollPos(WindowHandle window, int bar, int pos) override;
    void invalidate(WaveWindow) override { ++invalidations; }
    BoxAnswer messageBox(WindowHandle owner, const std::string& text, const std::string& caption,
                         BoxIcon icon, BoxButtons buttons) override;
    void beep() override { ++beeps; }
    std::optional<std::string> chooseFile(WindowHandle owner, FileKind kind,
                                          const std::string& initial) override;
    void startTimer(int, int periodMs) override { timerPeriod = periodMs; }
    void stopTimer(int) override { timerPeriod = 0; }
    // Runs at once: the tests see the whole of a command's work when it returns.
    void callAfter(int, std::function<void()> fn) override { fn(); }
    int runModal(const std::string& templateName, DialogHandler& handler) override;
    // Keeps the handler and calls its onInit; the test drives it through modeless.at(handle).
    WindowHandle openModeless(const std::string& templateName,
                              std::unique_ptr<DialogHandler> handler) override;
    std::map<WindowHandle, std::unique_ptr<DialogHandler>> modeless;
    std::map<WindowHandle, std::string> modelessTemplates;
    void endDialog(WindowHandle window, int result) override;
    bool openDocument(const std::string& path) override;
    bool startProgram(const std::string& commandLine) override;
};

class FakeSoundOut final : public SoundOut {
  public:
    std::vector<std::string> calls;
    bool opened = false;
    bool openSucceeds = true;
    uint32_t volume = 0;

    bool open(const WaveFormat&) override;
    bool isOpen() const override { return opened; }
    void prepare(WaveHeader&) override { calls.push_back("prepare"); }
    void write(WaveHeader&) override { calls.push_back("write"); }
    void pause() override { calls.push_back("pause"); }
    void restart() override { calls.push_back("restart"); }
    void reset() override { calls.push_back("reset"); }
    void unprepare(WaveHeader&) override { calls.push_back("unprepare"); }
    bool close() override;
    void setVolume(uint32_t word) override;
};

class FakeSoundIn final : public SoundIn {
  public:
    std::vector<std::string> calls;
    bool opened = false;
    bool openSucceeds = true;

    bool open(const WaveFormat&) override;
    bool isOpen() const override { return opened; }
    void prepare(WaveHeader&) override { calls.push_back("prepare"); }
    void add(WaveHeader&) override { calls.push_back("add"); }
    void start() override { calls.push_back("start"); }
    void reset() override { calls.push_back("reset"); }
    void unprepare(WaveHeader&) override { calls.push_back("unprepare"); }
    bool close() override;
    int auxDeviceCount() const override { return 0; }
};

class FakeClock final : public Clock {
  public:
    uint32_t now = 0;
    uint32_t slept = 0;  // total of all waits

    uint32_t tickMs() override { return now; }
    LocalTime localTime() override { return LocalTime{2024, 5, 6, 7, 8, 9, 10}; }
    void sleepMs(uint32_t ms) override {
        slept += ms;
        now += ms;
    }
};

struct FakePlatform {
    FakeUi ui;
    FakeSoundOut out;
    FakeSoundIn in;
    FakeClock clock;
    MessageQueue queue;
    Platform bundle{ui, out, in, clock, queue};
    Services services;

    // AppState keeps a reference to this record, so the fake must outlive it.
    Platform& platform() { return bundle; }
};

}  // namespace pelkit::test

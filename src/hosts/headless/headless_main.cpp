#include "hosts/headless/headless_main.h"

#include <fcntl.h>
#include <unistd.h>

#include <fstream>
#include <iostream>
#include <memory>

#include "app/program.h"
#include "app/startup.h"
#include "devices/system/stop_signals.h"
#include "devices/system/system_clock.h"
#include "devices/system/user_folders.h"
#include "devices/virtual/virtual_clock.h"
#include "devices/virtual/virtual_sound.h"
#include "hosts/headless/headless_host.h"
#include "hosts/headless/headless_options.h"
#include "hosts/headless/script_lines.h"
#include "resources/control_descriptions.h"
#include "resources/control_names.h"

namespace pelkit {

namespace {

using Translate = std::function<std::string(const char*, const char*)>;

// The names scripts may use in place of control ids, window by window, each with what the
// control does (in English when TRANSLATE is set).
void listControls(std::ostream& out, const Translate& translate) {
    for (const ControlName& c : controlNames()) {
        out << c.templateName << ' ' << c.name << ' ' << c.id;
        if (const ControlDescription* d = findDescription(c.templateName, c.id)) {
            const std::string text =
                translate ? translate(kDescriptionContext, d->description) : d->description;
            out << ' ' << numbered(text, *d, c.id);
        }
        out << '\n';
    }
}

// Where the script comes from. With stop signals watched, it is read from its descriptor, so
// that a signal ends the wait for the next line.
class ScriptInput {
  public:
    explicit ScriptInput(std::istream& standardInput) : standardInput_(standardInput) {}
    ScriptInput(const ScriptInput&) = delete;
    ScriptInput& operator=(const ScriptInput&) = delete;
    ~ScriptInput() {
        if (descriptor_ > 0) ::close(descriptor_);
    }

    // PATH empty: standard input. False (with the message on ERR) when PATH cannot be read.
    bool open(const std::string& path, StopSignals* stop, std::ostream& err) {
        if (!path.empty()) {
            file_.open(path);
            if (!file_) {
                err << "pelkit_recorder: cannot read the script " << path << '\n';
                return false;
            }
        }
        usesFile_ = !path.empty();
        if (stop) descriptor_ = path.empty() ? 0 : ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
        if (descriptor_ >= 0)
            lines_ = std::make_unique<DescriptorLines>(descriptor_, stop->descriptor());
        return true;
    }
    std::istream& stream() { return usesFile_ ? file_ : standardInput_; }
    DescriptorLines* lines() { return lines_.get(); }

  private:
    std::istream& standardInput_;
    std::ifstream file_;
    bool usesFile_ = false;
    int descriptor_ = -1;
    std::unique_ptr<DescriptorLines> lines_;
};

// The sound devices and clock of the run: the virtual ones, or the real devices given.
struct Devices {
    explicit Devices(RealDevices* real)
        : real(real), queue(real ? real->queue : ownQueue), virtualOut(queue), virtualIn(queue) {}
    SoundOut& out() { return real ? real->out : static_cast<SoundOut&>(virtualOut); }
    SoundIn& in() { return real ? real->in : static_cast<SoundIn&>(virtualIn); }
    Clock& clock() { return real ? static_cast<Clock&>(systemClock) : virtualClock; }

    RealDevices* real;
    MessageQueue ownQueue;
    MessageQueue& queue;
    VirtualClock virtualClock;
    SystemClock systemClock;
    VirtualSoundOut virtualOut;
    VirtualSoundIn virtualIn;
};

// Runs the program on the script to its end and finishes the output file; the exit status.
int runProgram(const HeadlessOptions& options, Devices& devices, ScriptInput& script,
               const Translate& english, const std::string& programPath, StopSignals* stop,
               std::ostream& out, std::ostream& err) {
    std::vector<const char*> words = {"pelkit_recorder"};
    for (const std::string& a : options.programArgs)
        words.push_back(a.c_str());
    HeadlessHost host(script.stream(), out, err, devices.queue, devices.virtualClock, devices.out(),
                      devices.in(), devices.real ? nullptr : &devices.virtualOut,
                      devices.real ? nullptr : &devices.virtualIn);
    Platform platform{host, devices.out(), devices.in(), devices.clock(), devices.queue};
    Program program(platform, programPath,
                    joinArguments(static_cast<int>(words.size()), words.data()));
    host.setCore(HeadlessCore{&program.mainWindow(), &program});
    if (english) host.setTranslator(english);
    if (options.desktop) program.state().folders = desktopFolders(thisDesktop());
    if (DescriptorLines* lines = script.lines())
        host.setLineReader([lines](std::string& line) { return lines->next(line); });
    if (stop) host.setStopCheck([stop] { return stop->pending(); });

    if (host.runModal("MAIN_RECORD", program.mainWindow()) == -1) {
        host.messageBox(kNoWindow, "error", kCaption, BoxIcon::Error, BoxButtons::Ok);
    }
    devices.virtualOut.finishFile();
    return host.exitStatus();
}

}  // namespace

int runHeadless(const std::vector<std::string>& args, const std::string& programPath,
                std::istream& standardInput, std::ostream& out, std::ostream& err,
                RealDevices* real, const HeadlessServices& services) {
    const HeadlessOptions options = parseHeadlessOptions(args);
    if (!options.error.empty()) {
        err << "pelkit_recorder: " << options.error << '\n';
        return 2;
    }
    Translate english;
    if (options.language == "en") {
        if (services.englishTexts) english = services.englishTexts();
        if (!english) {
            err << "pelkit_recorder: this build has no English texts\n";
            return 2;
        }
    }
    if (options.listControls) {
        listControls(out, english);
        return 0;
    }
    StopSignals* stop =
        services.stopSignals && services.stopSignals->active() ? services.stopSignals : nullptr;
    ScriptInput script(standardInput);
    if (!script.open(options.scriptPath, stop, err)) return 2;

    Devices devices(real);
    if (!options.audioOut.empty()) devices.virtualOut.setOutputFile(options.audioOut);
    if (!options.audioIn.empty() && !devices.virtualIn.setInputFile(options.audioIn)) {
        err << "pelkit_recorder: " << options.audioIn << " is not a readable WAV file\n";
        return 2;
    }
    const int status = runProgram(options, devices, script, english, programPath, stop, out, err);
    const int signal = stop ? stop->take() : 0;
    return signal ? 128 + signal : status;
}

}  // namespace pelkit

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
#include "hosts/headless/script_lines.h"
#include "resources/control_names.h"

namespace pelkit {

int runHeadless(const std::vector<std::string>& args, const std::string& programPath,
                std::istream& standardInput, std::ostream& out, std::ostream& err,
                RealDevices* real, const HeadlessServices& services) {
    std::string scriptPath, audioOut, audioIn, language;
    bool desktop = false;
    size_t i = 0;
    for (; i < args.size(); ++i) {
        const std::string& a = args[i];
        auto value = [&](std::string& into) {
            if (i + 1 >= args.size()) return false;
            into = args[++i];
            return true;
        };
        if (a == "--headless" || a == "--real-audio") continue;
        if (a == "--desktop") {
            desktop = true;
            continue;
        }
        if (a == "--lang") {
            if (!value(language) || (language != "en" && language != "ja")) {
                err << "pelkit_recorder: --lang takes en or ja\n";
                return 2;
            }
            continue;
        }
        if (a == "--list-controls") {
            // The names scripts may use in place of control ids, window by window.
            for (const ControlName& c : controlNames())
                out << c.templateName << ' ' << c.name << ' ' << c.id << '\n';
            return 0;
        }
        if (a == "--script" || a == "--audio-out" || a == "--audio-in") {
            std::string& into = a == "--script"      ? scriptPath
                                : a == "--audio-out" ? audioOut
                                                     : audioIn;
            if (!value(into)) {
                err << "pelkit_recorder: " << a << " needs a file name\n";
                return 2;
            }
            continue;
        }
        break;
    }
    std::vector<const char*> rest = {"pelkit_recorder"};
    for (size_t k = i; k < args.size(); ++k)
        rest.push_back(args[k].c_str());

    std::function<std::string(const char*, const char*)> english;
    if (language == "en") {
        if (services.englishTexts) english = services.englishTexts();
        if (!english) {
            err << "pelkit_recorder: this build has no English texts\n";
            return 2;
        }
    }

    std::ifstream scriptFile;
    if (!scriptPath.empty()) {
        scriptFile.open(scriptPath);
        if (!scriptFile) {
            err << "pelkit_recorder: cannot read the script " << scriptPath << '\n';
            return 2;
        }
    }
    std::istream& script = scriptPath.empty() ? standardInput : scriptFile;
    // With stop signals watched, the script is read from its descriptor, so that a signal ends
    // the wait for the next line.
    StopSignals* stop =
        services.stopSignals && services.stopSignals->active() ? services.stopSignals : nullptr;
    int scriptDescriptor = -1;
    if (stop) {
        scriptDescriptor =
            scriptPath.empty() ? 0 : ::open(scriptPath.c_str(), O_RDONLY | O_CLOEXEC);
    }
    std::unique_ptr<DescriptorLines> lines;
    if (scriptDescriptor >= 0)
        lines = std::make_unique<DescriptorLines>(scriptDescriptor, stop->descriptor());

    MessageQueue ownQueue;
    MessageQueue& queue = real ? real->queue : ownQueue;
    VirtualClock virtualClock;
    SystemClock systemClock;
    VirtualSoundOut virtualOut(queue);
    VirtualSoundIn virtualIn(queue);
    if (!audioOut.empty()) virtualOut.setOutputFile(audioOut);
    if (!audioIn.empty() && !virtualIn.setInputFile(audioIn)) {
        err << "pelkit_recorder: " << audioIn << " is not a readable WAV file\n";
        return 2;
    }
    SoundOut& soundOut = real ? real->out : static_cast<SoundOut&>(virtualOut);
    SoundIn& soundIn = real ? real->in : static_cast<SoundIn&>(virtualIn);
    Clock& clock = real ? static_cast<Clock&>(systemClock) : virtualClock;
    HeadlessHost host(script, out, err, queue, virtualClock, soundOut, soundIn,
                      real ? nullptr : &virtualOut, real ? nullptr : &virtualIn);
    Platform platform{host, soundOut, soundIn, clock, queue};
    Program program(platform, programPath,
                    joinArguments(static_cast<int>(rest.size()), rest.data()));
    host.setCore(HeadlessCore{&program.mainWindow(), &program});
    if (english) host.setTranslator(english);
    if (desktop) program.state().folders = desktopFolders(thisDesktop());
    if (lines) host.setLineReader([&lines](std::string& line) { return lines->next(line); });
    if (stop) host.setStopCheck([stop] { return stop->pending(); });

    if (host.runModal("MAIN_RECORD", program.mainWindow()) == -1) {
        host.messageBox(kNoWindow, "error", kCaption, BoxIcon::Error, BoxButtons::Ok);
    }
    virtualOut.finishFile();
    if (scriptDescriptor > 0) ::close(scriptDescriptor);
    const int signal = stop ? stop->take() : 0;
    return signal ? 128 + signal : host.exitStatus();
}

}  // namespace pelkit

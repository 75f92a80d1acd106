// The program entry: the window program, or the headless runner with --headless (on virtual
// sound devices, or on the real ones with --real-audio).
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <optional>
#include <string>
#include <system_error>
#include <vector>

#include "devices/system/stop_signals.h"
#include "devices/virtual/virtual_sound.h"
#include "hosts/headless/headless_main.h"
#include "platform/message_queue.h"

#if PELKIT_HAVE_PORTAUDIO
#include "devices/portaudio/portaudio_devices.h"
#endif
#if PELKIT_HAVE_QT
#include "hosts/qt/qt_language.h"
#include "hosts/qt/qt_program.h"
#endif

namespace {

std::string programPath(const char* argv0) {
    std::error_code ec;
    auto self = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (!ec) return self.string();
    return std::filesystem::absolute(argv0, ec).string();
}

bool hasArgument(const std::vector<std::string>& args, const char* name) {
    for (const std::string& a : args) {
        if (a == name) return true;
    }
    return false;
}

#if PELKIT_HAVE_QT
// The window program's own options, taken out of its arguments: --desktop (the desktop entry
// starts the program so) and --lang en|ja. The rest is the program's command line.
struct WindowArguments {
    std::vector<char*> argv;
    pelkit::WindowOptions options;
    std::string error;
};

WindowArguments windowArguments(int argc, char** argv) {
    WindowArguments result;
    result.argv.push_back(argv[0]);
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--desktop") {
            result.options.desktop = true;
        } else if (a == "--lang") {
            result.options.language =
                i + 1 < argc ? pelkit::languageNamed(argv[++i]) : std::nullopt;
            if (!result.options.language) result.error = "--lang takes en or ja";
        } else {
            result.argv.push_back(argv[i]);
        }
    }
    result.argv.push_back(nullptr);
    return result;
}

// The window program's arguments, ending with STOPSIGNALS; nothing, with the reason told on
// standard error, when they are wrong.
std::optional<WindowArguments> checkedWindowArguments(int argc, char** argv,
                                                      pelkit::StopSignals& stopSignals) {
    WindowArguments window = windowArguments(argc, argv);
    if (!window.error.empty()) {
        std::cerr << "pelkit_recorder: " << window.error << '\n';
        return std::nullopt;
    }
    window.options.stopSignals = &stopSignals;
    return window;
}
#endif

// What the headless runner is given: the signals that end it and, where the build has them,
// the English texts.
pelkit::HeadlessServices headlessServices(pelkit::StopSignals& stopSignals) {
    pelkit::HeadlessServices services;
    services.stopSignals = &stopSignals;
#if PELKIT_HAVE_QT
    services.englishTexts = [] { return pelkit::englishTexts(); };
#endif
    return services;
}

#if PELKIT_HAVE_PORTAUDIO
// STATUS, once the program has closed. PortAudio still starting then (a sound server that is
// slow to answer) would hold the process in its destructors for as long as the server makes it
// wait: the process ends at once instead, as nothing is left to write or close.
int finish(pelkit::PortAudioSystem& system, int status) {
    if (system.stillStartingAtEnd()) {
        std::fflush(nullptr);
        std::_Exit(status);
    }
    return status;
}
#endif

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    std::string self = programPath(argv[0]);
    // From here on a logout, Ctrl+C or a closed terminal ends the program as its close does.
    pelkit::StopSignals stopSignals;
    pelkit::MessageQueue queue;
#if PELKIT_HAVE_PORTAUDIO
    pelkit::PortAudioSystem system;
    pelkit::PortAudioOut realOut(system, queue);
    pelkit::PortAudioIn realIn(system, queue);
    pelkit::SoundOut& out = realOut;
    pelkit::SoundIn& in = realIn;
#else
    pelkit::VirtualSoundOut virtualOut(queue);
    pelkit::VirtualSoundIn virtualIn(queue);
    pelkit::SoundOut& out = virtualOut;
    pelkit::SoundIn& in = virtualIn;
#endif
    if (hasArgument(args, "--headless")) {
        // Each line the script prints is out as soon as it is complete, also into a pipe or a
        // file: a run that is killed loses none of what it printed.
        std::setvbuf(stdout, nullptr, _IOLBF, BUFSIZ);
        const pelkit::HeadlessServices services = headlessServices(stopSignals);
        if (hasArgument(args, "--real-audio")) {
#if PELKIT_HAVE_PORTAUDIO
            system.startInBackground();
            pelkit::RealDevices real{out, in, queue};
            return finish(system, pelkit::runHeadless(args, self, std::cin, std::cout, std::cerr,
                                                      &real, services));
#else
            std::cerr << "pelkit_recorder: this build has no real sound devices\n";
            return 2;
#endif
        }
        return pelkit::runHeadless(args, self, std::cin, std::cout, std::cerr, nullptr, services);
    }
#if PELKIT_HAVE_QT
    std::optional<WindowArguments> window = checkedWindowArguments(argc, argv, stopSignals);
    if (!window) return 2;
#if PELKIT_HAVE_PORTAUDIO
    window->options.afterFirstPaint = [&system] { system.startInBackground(); };
#endif
    const int status =
        pelkit::runWindowProgram(static_cast<int>(window->argv.size()) - 1, window->argv.data(),
                                 self, out, in, queue, window->options);
#if PELKIT_HAVE_PORTAUDIO
    return finish(system, status);
#else
    return status;
#endif
#else
    (void)out;
    (void)in;
    std::cerr << "pelkit_recorder: this build has no window program; run it with --headless\n";
    return 2;
#endif
}

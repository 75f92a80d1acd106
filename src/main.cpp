// The program entry: the window program, or the headless runner with --headless (on virtual
// sound devices, or on the real ones with --real-audio).
#include <filesystem>
#include <iostream>
#include <string>
#include <system_error>
#include <vector>

#include "devices/virtual/virtual_sound.h"
#include "hosts/headless/headless_main.h"
#include "platform/message_queue.h"

#if PELKIT_HAVE_PORTAUDIO
#include "devices/portaudio/portaudio_devices.h"
#endif
#if PELKIT_HAVE_QT
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

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    std::string self = programPath(argv[0]);
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
        if (hasArgument(args, "--real-audio")) {
#if PELKIT_HAVE_PORTAUDIO
            pelkit::RealDevices real{out, in, queue};
            return pelkit::runHeadless(args, self, std::cin, std::cout, std::cerr, &real);
#else
            std::cerr << "pelkit_recorder: this build has no real sound devices\n";
            return 2;
#endif
        }
        return pelkit::runHeadless(args, self, std::cin, std::cout, std::cerr);
    }
#if PELKIT_HAVE_QT
    return pelkit::runWindowProgram(argc, argv, self, out, in, queue);
#else
    (void)out;
    (void)in;
    std::cerr << "pelkit_recorder: this build has no window program; run it with --headless\n";
    return 2;
#endif
}

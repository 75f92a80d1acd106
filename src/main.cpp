// The program entry: the window program, or the headless runner with --headless.
#include <filesystem>
#include <iostream>
#include <string>
#include <system_error>
#include <vector>

#include "platform/headless/headless_main.h"

#if PELKIT_HAVE_QT
#include "platform/headless/virtual_sound.h"
#include "platform/message_queue.h"
#include "platform/qt/qt_program.h"
#endif

namespace {

std::string programPath(const char* argv0) {
    std::error_code ec;
    auto self = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (!ec) return self.string();
    return std::filesystem::absolute(argv0, ec).string();
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    bool headless = false;
    for (const std::string& a : args) headless = headless || a == "--headless";
    if (headless) {
        return pelkit::runHeadless(args, programPath(argv[0]), std::cin, std::cout, std::cerr);
    }
#if PELKIT_HAVE_QT
    pelkit::MessageQueue queue;
    pelkit::VirtualSoundOut out(queue);
    pelkit::VirtualSoundIn in(queue);
    return pelkit::runWindowProgram(argc, argv, programPath(argv[0]), out, in, queue);
#else
    std::cerr << "pelkit_recorder: this build has no window program; run it with --headless\n";
    return 2;
#endif
}

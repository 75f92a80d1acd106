// The headless program: pelkit_recorder --headless [--script FILE] [--audio-out OUT.wav]
// [--audio-in IN.wav] [ARGS...], where ARGS is the program's own command line.
#pragma once

#include <functional>
#include <iosfwd>
#include <string>
#include <vector>

#include "platform/message_queue.h"
#include "platform/sound_device.h"

namespace pelkit {

// Real sound devices to use instead of the virtual ones (--real-audio); they post to QUEUE.
struct RealDevices {
    SoundOut& out;
    SoundIn& in;
    MessageQueue& queue;
};

class StopSignals;

// What the program entry gives the runner besides the devices.
struct HeadlessServices {
    // Makes the English texts of --lang en (context, text -> text); unset when the build has none.
    std::function<std::function<std::string(const char*, const char*)>()> englishTexts;
    // The signals that end the run as the end of its script does (the take is finished); the
    // script is then read from the descriptor of standard input or of --script's file.
    StopSignals* stopSignals = nullptr;
};

// ARGS are the words after the program name. Returns the exit status: after a stop signal,
// 128 + its number once the program has closed.
int runHeadless(const std::vector<std::string>& args, const std::string& programPath,
                std::istream& standardInput, std::ostream& out, std::ostream& err,
                RealDevices* real = nullptr, const HeadlessServices& services = {});

}  // namespace pelkit

// The headless program: pelkit_recorder --headless [--script FILE] [--audio-out OUT.wav]
// [--audio-in IN.wav] [ARGS...], where ARGS is the program's own command line.
#pragma once

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

// ARGS are the words after the program name. Returns the exit status.
int runHeadless(const std::vector<std::string>& args, const std::string& programPath,
                std::istream& standardInput, std::ostream& out, std::ostream& err,
                RealDevices* real = nullptr);

}  // namespace pelkit

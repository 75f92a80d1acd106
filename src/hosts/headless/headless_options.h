// The headless program's own options, before the program's command line:
// [--script FILE] [--audio-out OUT.wav] [--audio-in IN.wav] [--lang en|ja] [--desktop]
// [--list-controls] [ARGS...]
#pragma once

#include <string>
#include <vector>

namespace pelkit {

struct HeadlessOptions {
    std::string scriptPath;  // empty: standard input
    std::string audioOut;
    std::string audioIn;
    std::string language;  // "", "en" or "ja"
    bool desktop = false;
    bool listControls = false;             // the words after it are not read
    std::vector<std::string> programArgs;  // ARGS: from the first word that is no option on
    std::string error;                     // why the options are unusable; empty when they are
};

// Reads ARGS, the words after the program name ("--headless" and "--real-audio" are passed over).
HeadlessOptions parseHeadlessOptions(const std::vector<std::string>& args);

}  // namespace pelkit

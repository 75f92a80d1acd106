// The headless program: pelkit_recorder --headless [--script FILE] [--audio-out OUT.wav]
// [--audio-in IN.wav] [ARGS...], where ARGS is the program's own command line.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace pelkit {

// ARGS are the words after the program name. Returns the exit status.
int runHeadless(const std::vector<std::string>& args, const std::string& programPath,
                std::istream& standardInput, std::ostream& out, std::ostream& err);

}  // namespace pelkit

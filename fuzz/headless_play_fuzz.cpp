// The whole program, headless, loading a fuzzed file and playing it with processing: reverse,
// speed and pitch, reverb, 24-bit played as 16-bit, a jump, the display timer and both paints.
// The first three bytes choose the processing, the rest is the file. Nothing may crash, leak,
// overflow or hang, and the run ends cleanly.
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "fuzz_support.h"
#include "hosts/headless/headless_main.h"

using namespace pelkit;

namespace {

// The script of one run for the three choice bytes.
std::string scriptFor(uint8_t switches, uint8_t speed, uint8_t pitch) {
    std::string s;
    if (switches & 1) s += "command reverse\n";
    if (switches & 2) s += "command convert-to16\n";
    if (switches & 4) s += "command reverb-on-off\n";
    if (switches & 8) s += "command pitch-on-off\n";
    if (switches & 16) s += "command repeat\n";
    // Thumb positions spread over the bars' whole ranges, then released there.
    s += "scroll speed 5 " + std::to_string(speed * 4) + "\nscroll speed 4 " +
         std::to_string(speed * 4) + "\n";
    s += "scroll pitch 5 " + std::to_string(pitch * 4) + "\nscroll pitch 4 " +
         std::to_string(pitch * 4) + "\n";
    if (switches & 32) s += "scroll position 5 " + std::to_string(speed * 3) + "\n";
    s += "command play\nplay-blocks 3\ntick 2\npaint upper\npaint lower\n";
    if (switches & 64) s += "scroll position 3\n";
    s += "play-blocks 3\ntick\npaint upper\n";
    if (switches & 128) s += "command 40013\npaint lower\n";
    s += "command play-stop\nrun\n";
    return s;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 3) return 0;
    // The program works in the current directory: the scratch one, for every run.
    static const bool inScratch = chdir(fuzz::scratchDirectory().c_str()) == 0;
    fuzz::check(inScratch, "the scratch directory is the working directory");
    fuzz::writeScratchFile("in.wav", data + 3, size - 3);

    std::istringstream script(scriptFor(data[0], data[1], data[2]));
    std::ostringstream out, err;
    int status = runHeadless({"--headless", "--audio-out", "out.wav", "in.wav"}, "", script, out,
                             err, nullptr);
    fuzz::check(status == 0, "the run ends cleanly");
    fuzz::check(err.str().empty() || err.str().find("script line") == std::string::npos,
                "every script line is understood");
    return 0;
}

// Crash recovery of a fuzzed temporary file: the whole program starts headless in a folder where
// an earlier run left pelkit_record.wav and numbered parts, with the settings in one of four
// states, and ends. Whatever the files hold, no sound is lost: every file that held sound is
// finished, byte for byte, under the take's name (recovered) or a "_kept" name (not recovered),
// with a header that gives its real size.
//
// Input: byte 0 chooses the settings (bits 0-1: "start", "ok", none, "OK") and the number of
// numbered parts (bits 2-3); then one 16-bit length per part; the parts take their bytes from
// the rest in order, and the temporary file gets what remains.
#include <unistd.h>

#include <cstdint>
#include <cstring>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "fuzz_support.h"
#include "hosts/headless/headless_main.h"

using namespace pelkit;

namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<uint8_t>;

Bytes readAll(const std::string& path) {
    Bytes bytes;
    if (std::FILE* f = std::fopen(path.c_str(), "rb")) {
        uint8_t buffer[4096];
        size_t n = 0;
        while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0)
            bytes.insert(bytes.end(), buffer, buffer + n);
        std::fclose(f);
    }
    return bytes;
}

uint32_t le32(const Bytes& b, size_t at) {
    return static_cast<uint32_t>(b[at]) | static_cast<uint32_t>(b[at + 1]) << 8 |
           static_cast<uint32_t>(b[at + 2]) << 16 | static_cast<uint32_t>(b[at + 3]) << 24;
}

// The name the n-th file (0: the temporary file itself) goes by after the run.
std::string numbered(const std::string& stem, int n) {
    if (n == 0) return stem + ".wav";
    char suffix[16];
    std::snprintf(suffix, sizeof suffix, "_%03d.wav", n);
    return stem + suffix;
}

// FINISHED holds SOURCE's sound after a canonical header that gives its size.
void checkFinished(const Bytes& source, const std::string& finished) {
    Bytes b = readAll(finished);
    fuzz::check(b.size() == source.size(), "a finished file keeps every byte of its take");
    fuzz::check(
        std::memcmp(b.data(), "RIFF", 4) == 0 && std::memcmp(b.data() + 8, "WAVEfmt ", 8) == 0,
        "a finished file has a WAV header");
    fuzz::check(le32(b, 40) == b.size() - 44 && le32(b, 4) == b.size() - 8,
                "a finished header gives the real sizes");
    fuzz::check(std::equal(b.begin() + 44, b.end(), source.begin() + 44),
                "a finished file holds the take's sound");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1) return 0;
    static const bool inScratch = chdir(fuzz::scratchDirectory().c_str()) == 0;
    fuzz::check(inScratch, "the scratch directory is the working directory");
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(".", ec))
        fs::remove_all(entry.path(), ec);

    const int settings = data[0] & 3;
    const int parts = (data[0] >> 2) & 3;
    size_t at = 1;
    std::vector<Bytes> files(parts + 1);
    std::vector<size_t> lengths;
    for (int i = 0; i < parts; ++i, at += 2)
        lengths.push_back(at + 1 < size ? data[at] | data[at + 1] << 8 : 0);
    for (int i = 1; i <= parts; ++i) {
        size_t n = std::min(lengths[i - 1], at < size ? size - at : 0);
        files[i].assign(data + at, data + at + n);
        at += n;
    }
    if (at < size) files[0].assign(data + at, data + size);
    for (int i = 0; i <= parts; ++i)
        fuzz::writeScratchFile(numbered("pelkit_record", i), files[i].data(), files[i].size());
    const char* status[] = {"start", "ok", nullptr, "OK"};
    if (status[settings]) {
        std::string ini =
            std::string("[init]\nendstatus=") + status[settings] + "\nfile=take.wav\n";
        fuzz::writeScratchFile("pelkit_recorder.ini", reinterpret_cast<const uint8_t*>(ini.data()),
                               ini.size());
    }

    std::istringstream script;
    std::ostringstream out, err;
    fuzz::check(runHeadless({"--headless"}, "", script, out, err, nullptr) == 0,
                "the run ends cleanly");

    // The numbered parts follow on without gaps; a part without sound is where it was.
    const bool recovered = settings != 1;
    // Without settings the take's name is the default one.
    const std::string stem = settings == 2 ? "record" : "take";
    int kept = 0;
    for (int i = 0; i <= parts; ++i) {
        if (files[i].size() <= 44) {
            if (i > 0)
                fuzz::check(readAll(numbered("pelkit_record", i)) == files[i],
                            "a part without sound is left as it was");
            continue;
        }
        checkFinished(files[i],
                      recovered ? numbered(stem, i) : numbered("pelkit_record_kept", ++kept));
    }
    return 0;
}

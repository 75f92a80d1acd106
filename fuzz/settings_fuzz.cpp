// The settings file on arbitrary contents: reading never fails, and writing one key leaves the
// values of the other keys as they were and reads back as written.
#include <cstdint>
#include <string>

#include "files/settings_file.h"
#include "fuzz_support.h"

using namespace pelkit;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string path = fuzz::writeScratchFile("pelkit_recorder.ini", data, size);
    SettingsFile settings(path);
    int limit = settings.readInt("init", "limitmega", 2000);
    std::string file = settings.readString("init", "file", "record.wav");
    settings.readString("init", "endstatus", "");

    fuzz::check(settings.writeString("init", "endstatus", "start"), "the settings are written");
    fuzz::check(settings.readString("init", "endstatus", "") == "start",
                "a written value reads back");
    fuzz::check(settings.readInt("init", "limitmega", 2000) == limit,
                "writing one key keeps another's value");
    fuzz::check(settings.readString("init", "file", "record.wav") == file,
                "writing one key keeps another's text");
    return 0;
}

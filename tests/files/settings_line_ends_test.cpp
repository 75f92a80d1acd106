// Settings files whose lines end with a CR alone: a key written into one must read back, or crash
// recovery never sees "endstatus=start".
#include <gtest/gtest.h>

#include "files/settings_file.h"
#include "support/test_support.h"

namespace pelkit {
namespace {

using namespace test;

TEST(SettingsFile, CrLineEndsKeepWrittenKeysReadable) {
    struct Case {
        const char* before;
        const char* after;
    };
    const Case cases[] = {
        {"[init]\rendstatus=ok\r", "[init]\rendstatus=start\r"},
        {"[init]\rfile=a.wav\r", "[init]\rfile=a.wav\rendstatus=start\r"},
        {"[init]\nfile=a.wav\r", "[init]\nfile=a.wav\rendstatus=start\n"},
        {"[init]\r\nfile=a.wav\r[x]\r\n", "[init]\r\nfile=a.wav\rendstatus=start\r\n[x]\r\n"},
    };
    TempDir dir;
    std::string path = dir.file("pelkit_recorder.ini");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.before);
        writeText(path, c.before);
        SettingsFile settings(path);
        std::string file = settings.readString("init", "file", "none");
        ASSERT_TRUE(settings.writeString("init", "endstatus", "start"));
        EXPECT_EQ(readText(path), c.after);
        EXPECT_EQ(settings.readString("init", "endstatus", ""), "start");
        EXPECT_EQ(settings.readString("init", "file", "none"), file);
    }
}

}  // namespace
}  // namespace pelkit

// The desktop folders: what the environment and xdg-user-dir give, the fallbacks when they give
// nothing usable, and the folders made at start-up.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include "files/app_folders.h"
#include "support/test_support.h"

namespace pelkit {
namespace {

using namespace test;

TEST(DesktopFolders, FromTheEnvironmentOrItsFallbacks) {
    struct Case {
        const char* what;
        DesktopEnvironment env;
        AppFolders expected;
    };
    const Case cases[] = {
        {"everything given",
         {"/home/u", "/cfg", "/st", "/home/u/Musik"},
         {"/cfg/pelkit_recorder", "/st/pelkit_recorder", "/home/u/Musik/pelkit_recorder"}},
        {"nothing but HOME (no variables, no tool)",
         {"/home/u", "", "", ""},
         {"/home/u/.config/pelkit_recorder", "/home/u/.local/state/pelkit_recorder",
          "/home/u/Music/pelkit_recorder"}},
        {"relative values count as missing",
         {"/home/u/", "cfg", "./st", "Music"},
         {"/home/u/.config/pelkit_recorder", "/home/u/.local/state/pelkit_recorder",
          "/home/u/Music/pelkit_recorder"}},
        {"a music folder that is the home folder itself",
         {"/home/u", "", "", "/home/u"},
         {"/home/u/.config/pelkit_recorder", "/home/u/.local/state/pelkit_recorder",
          "/home/u/pelkit_recorder"}},
        {"no usable home: the current folder", {"", "/cfg", "/st", "/m"}, {}},
        {"relative home: the current folder", {"home", "", "", ""}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        AppFolders f = desktopFolders(c.env);
        EXPECT_EQ(f.config, c.expected.config);
        EXPECT_EQ(f.state, c.expected.state);
        EXPECT_EQ(f.work, c.expected.work);
    }
}

mode_t modeOf(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 ? (info.st_mode & 0777) : 0;
}

TEST(DesktopFolders, MissingFoldersAreMadePrivateWhereTheyHoldSettings) {
    TempDir dir;
    AppFolders f{dir.file("a/cfg/pelkit_recorder"), dir.file("b/pelkit_recorder"),
                 dir.file("Music/pelkit_recorder")};
    const mode_t oldMask = ::umask(022);
    EXPECT_EQ(makeFolders(f), "");
    EXPECT_EQ(makeFolders(f), "");  // already there
    ::umask(oldMask);
    EXPECT_EQ(modeOf(dir.file("a")), 0700u);
    EXPECT_EQ(modeOf(f.config), 0700u);
    EXPECT_EQ(modeOf(f.state), 0700u);
    EXPECT_EQ(modeOf(f.work), 0755u);

    // A file where a folder should be is named in the message.
    writeText(dir.file("blocked"), "x");
    AppFolders blocked{dir.file("ok"), dir.file("blocked/pelkit_recorder"), ""};
    EXPECT_NE(makeFolders(blocked).find(dir.file("blocked")), std::string::npos);
}

}  // namespace
}  // namespace pelkit

// The INI settings file: reading with defaults, and writing one key without disturbing the rest.
#include <gtest/gtest.h>

#include <filesystem>

#include "files/settings_file.h"
#include "support/test_support.h"

namespace pelkit {
namespace {

using namespace test;

TEST(SettingsFile, ReadsValuesAndDefaults) {
    TempDir dir;
    SettingsFile missing(dir.file("none.ini"));
    EXPECT_EQ(missing.readInt("init", "limitmega", 0), 0);
    EXPECT_EQ(missing.readString("init", "endstatus", ""), "");
    EXPECT_FALSE(exists(dir.file("none.ini")));

    writeText(dir.file("a.ini"),
              "; settings\n[other]\nlimitmega=9\nfile=other.wav\n[init]\nlimitmega = 5\n"
              "endstatus=ok\nfile=/a b/c.wav\nbad=x12\n");
    SettingsFile s(dir.file("a.ini"));
    EXPECT_EQ(s.readInt("init", "limitmega", 0), 5);
    EXPECT_EQ(s.readInt("other", "limitmega", 0), 9);
    EXPECT_EQ(s.readInt("init", "absent", 7), 7);
    EXPECT_EQ(s.readInt("init", "bad", 7), 0);  // present but not a number
    EXPECT_EQ(s.readString("init", "endstatus", ""), "ok");
    EXPECT_EQ(s.readString("init", "file", "record.wav"), "/a b/c.wav");
    EXPECT_EQ(s.readString("nosection", "file", "record.wav"), "record.wav");
}

TEST(SettingsFile, WritingOneKeyKeepsEveryOtherLine) {
    TempDir dir;
    std::string path = dir.file("s.ini");
    const std::string before =
        "; pelkit settings\r\n[other]\r\nendstatus=keep\r\n\r\n[init]\r\nlimitmega = 5\r\n"
        "endstatus=ok\r\nfile=a.wav\r\n[tail]\r\nx=1\r\n";
    writeText(path, before);
    SettingsFile s(path);
    ASSERT_TRUE(s.writeString("init", "endstatus", "start"));
    EXPECT_EQ(readText(path),
              "; pelkit settings\r\n[other]\r\nendstatus=keep\r\n\r\n[init]\r\nlimitmega = 5\r\n"
              "endstatus=start\r\nfile=a.wav\r\n[tail]\r\nx=1\r\n");

    // A key new to an existing section goes into that section.
    writeText(path, "[init]\nendstatus=ok\n\n[other]\ny=2\n");
    ASSERT_TRUE(s.writeString("init", "file", "b.wav"));
    EXPECT_EQ(readText(path), "[init]\nendstatus=ok\nfile=b.wav\n\n[other]\ny=2\n");

    // A missing section is added at the end, after a last line without its line ending.
    writeText(path, "[other]\ny=2");
    ASSERT_TRUE(s.writeString("init", "endstatus", "start"));
    EXPECT_EQ(readText(path), "[other]\ny=2\n[init]\nendstatus=start\n");

    // A missing file is created.
    SettingsFile fresh(dir.file("new.ini"));
    ASSERT_TRUE(fresh.writeString("init", "endstatus", "start"));
    EXPECT_EQ(readText(dir.file("new.ini")), "[init]\nendstatus=start\n");
    EXPECT_EQ(fresh.readString("init", "endstatus", ""), "start");
}

// A write never costs the user what the file held: a file that cannot be read is not replaced, a
// symbolic link keeps naming its file, the file keeps its mode, and a byte-order mark hides
// nothing.
TEST(SettingsFile, WritesKeepWhatTheUserHad) {
    namespace fs = std::filesystem;
    TempDir dir;
    fs::permissions(dir.path(), fs::perms::all);
    const std::string held = "[init]\nlimitmega=5\nendstatus=ok\n";
    const std::string updated = "[init]\nlimitmega=5\nendstatus=start\n";

    std::string unreadable = dir.file("unreadable.ini");
    writeText(unreadable, held);
    fs::permissions(unreadable, fs::perms::owner_write);
    {
        AsUnprivilegedUser user;
        EXPECT_FALSE(SettingsFile(unreadable).writeString("init", "endstatus", "start"));
    }
    EXPECT_EQ(readText(unreadable), held);
    EXPECT_EQ(fs::status(unreadable).permissions(), fs::perms::owner_write);

    fs::create_directory(dir.file("conf"));
    writeText(dir.file("conf/real.ini"), held);
    fs::create_symlink("conf/real.ini", dir.file("link.ini"));
    ASSERT_TRUE(SettingsFile(dir.file("link.ini")).writeString("init", "endstatus", "start"));
    EXPECT_TRUE(fs::is_symlink(dir.file("link.ini")));
    EXPECT_EQ(readText(dir.file("conf/real.ini")), updated);

    for (fs::perms mode :
         {fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read,
          fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read}) {
        std::string path = dir.file("mode.ini");
        writeText(path, held);
        fs::permissions(path, mode);
        ASSERT_TRUE(SettingsFile(path).writeString("init", "endstatus", "start"));
        EXPECT_EQ(readText(path), updated);
        EXPECT_EQ(fs::status(path).permissions(), mode);
        fs::remove(path);
    }

    std::string marked = dir.file("bom.ini");
    writeText(marked, "\xEF\xBB\xBF" + held);
    SettingsFile bom(marked);
    EXPECT_EQ(bom.readString("init", "endstatus", ""), "ok");
    EXPECT_EQ(bom.readInt("init", "limitmega", 0), 5);
    ASSERT_TRUE(bom.writeString("init", "endstatus", "start"));
    EXPECT_EQ(readText(marked), "\xEF\xBB\xBF" + updated);
}

}  // namespace
}  // namespace pelkit

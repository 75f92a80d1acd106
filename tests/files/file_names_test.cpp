// Names built by rule from the main file, the extension test and the next numbered part.
#include <gtest/gtest.h>

#include "files/file_names.h"
#include "support/test_support.h"

namespace pelkit {
namespace {

using namespace test;

TEST(FileNames, DerivedNumberedAndSequenceNames) {
    EXPECT_EQ(DerivedName("/snd/talk.wav", "_L"), "/snd/talk_L.wav");
    EXPECT_EQ(DerivedName("talk.wav", "-real"), "talk-real.wav");
    EXPECT_EQ(DerivedName("talk.wav", "-up"), "talk-up.wav");
    EXPECT_EQ(DerivedName("talk", "_L"), "talk_L.");
    EXPECT_EQ(DerivedName("/my.dir/talk", "_R"), "/my.dir/talk_R.");
    EXPECT_EQ(DerivedName("/my.dir/a.b.wav", "_R"), "/my.dir/a.b_R.wav");
    EXPECT_EQ(DerivedName("x.abcdefgh", "_M"), "x_M.abcde");

    EXPECT_EQ(NumberedName("talk.wav", 1), "talk_001.wav");
    EXPECT_EQ(NumberedName("talk.wav", 12), "talk_012.wav");
    EXPECT_EQ(NumberedName("talk.wav", 1000), "talk_1000.wav");
    EXPECT_EQ(NumberedName("talk", 1), "talk_001.");
    EXPECT_EQ(NumberedName("/my.dir/talk", 2), "/my.dir/talk_002.");

    EXPECT_EQ(SequenceName("/snd/talk.wav"), "/snd/talk.ts1");
    EXPECT_EQ(SequenceName("talk"), "talk.ts1");
    EXPECT_EQ(SequenceName("/my.dir/talk"), "/my.dir/talk.ts1");
}

TEST(FileNames, HasExtension) {
    EXPECT_TRUE(HasExtension("a.ts1", "ts1"));
    EXPECT_TRUE(HasExtension("a.ts1x", "ts1"));
    EXPECT_TRUE(HasExtension("/x/a.b.ts1", "ts1"));
    EXPECT_FALSE(HasExtension("a.TS1", "ts1"));
    EXPECT_FALSE(HasExtension("a.ts", "ts1"));
    EXPECT_FALSE(HasExtension("ts1", "ts1"));
    EXPECT_FALSE(HasExtension("a.ts1.wav", "ts1"));
}

TEST(FileNames, NextNumberedFile) {
    TempDir dir;
    writeText(dir.file("x_001.wav"), "1");
    writeText(dir.file("x_002.wav"), "2");
    writeText(dir.file("x_010.wav"), "10");
    writeText(dir.file("talk_001.wav"), "t");

    NextNumbered next = NextNumberedFile(dir.file("x_001.wav"));
    EXPECT_TRUE(next.exists);
    EXPECT_EQ(next.name, dir.file("x_002.wav"));

    next = NextNumberedFile(dir.file("x_009.wav"));
    EXPECT_TRUE(next.exists);
    EXPECT_EQ(next.name, dir.file("x_010.wav"));

    next = NextNumberedFile(dir.file("x_002.wav"));  // x_003.wav is missing
    EXPECT_FALSE(next.exists);
    EXPECT_EQ(next.name, dir.file("x_002.wav"));

    next = NextNumberedFile(dir.file("talk_abc.wav"));
    EXPECT_FALSE(next.exists);
    EXPECT_EQ(next.name, dir.file("talk_001.wav"));

    next = NextNumberedFile("/music/rec take.wav");
    EXPECT_FALSE(next.exists);
    EXPECT_EQ(next.name, "rec");
}

}  // namespace
}  // namespace pelkit

// The temporary files of staged outputs that a killed run left: which names are theirs, and the
// sweep at start-up that removes them and nothing else.
#include "files/left_parts.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "files/staged_file.h"
#include "support/test_support.h"

namespace pelkit {
namespace {

using namespace test;
namespace fs = std::filesystem;

TEST(LeftParts, OnlyTheStagedFilesOwnNames) {
    struct Case {
        const char* name;
        bool staged;
    };
    for (Case c : {Case{"x.wav.0123456789ab.part", true}, Case{"a b.ini.ffffffffffff.part", true},
                   Case{"x.0123456789ab.part", true}, Case{"x.wav.0123456789AB.part", false},
                   Case{"x.wav.0123456789a.part", false}, Case{"x.wav.0123456789abc.part", false},
                   Case{"x.wav.0123456789ag.part", false}, Case{".0123456789ab.part", false},
                   Case{"x.wav_0123456789ab.part", false}, Case{"x.wav.0123456789ab.part~", false},
                   Case{"x.wav.0123456789ab.PART", false}, Case{"notes.part", false}}) {
        EXPECT_EQ(StagedFile::isTempName(c.name), c.staged) << c.name;
    }
    // What the staged file really makes is recognised.
    for (int i = 0; i < 20; ++i) {
        const std::string made = StagedFile::tempPathFor("/a/b.c/take.wav", StagedFile::newToken());
        EXPECT_TRUE(StagedFile::isTempName(fs::path(made).filename().string())) << made;
    }
}

TEST(LeftParts, SweepRemovesRegularFilesOfThePatternOnce) {
    TempDir a, b, cwd;
    WorkingDirectory in(cwd.path());
    const Bytes some = patternBytes(10);
    writeFile(a.file("x.wav.0123456789ab.part"), some);
    writeFile(a.file("y.wav.aaaaaaaaaaaa.part"), some);
    writeFile(a.file("x.wav"), some);
    writeFile(cwd.file("pelkit_recorder.ini.0123456789ab.part"), some);
    // A folder and a link of the pattern are not files the program wrote: they stay.
    fs::create_directory(b.file("d.wav.0123456789ab.part"));
    fs::create_symlink(a.file("x.wav"), b.file("l.wav.0123456789ab.part"));

    const LeftParts left = removeLeftParts({a.path(), b.path(), "", a.path() + "/"});
    EXPECT_EQ(left.removed, 3u);
    EXPECT_EQ(left.folders, (std::vector<std::string>{fs::canonical(a.path()).string(),
                                                      fs::canonical(cwd.path()).string()}));
    EXPECT_EQ(listing(a.path()), std::vector<std::string>{"x.wav"});
    EXPECT_EQ(listing(b.path()),
              (std::vector<std::string>{"d.wav.0123456789ab.part", "l.wav.0123456789ab.part"}));
    EXPECT_TRUE(listing(cwd.path()).empty());
    EXPECT_EQ(removeLeftParts({a.path(), "/no/such/folder"}).removed, 0u);
}

}  // namespace
}  // namespace pelkit

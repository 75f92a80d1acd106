// The headless program when it is stopped from outside: what it printed before is out, even into
// a file, and a stop signal during a long file edit ends the run at once without the edit's
// output.
#include <gtest/gtest.h>

#include "scenario/scenario_support.h"

namespace pelkit::test {
namespace {

TEST(HeadlessStop, EachPrintedLineIsOutBeforeTheProgramIsKilled) {
    TempDir dir;
    writeFile(dir.file("a.wav"), canonicalWav(1, 8000, 8, Bytes(800, 128)));
    const std::string out = dir.file("out.txt");
    LiveProgram live(dir.path(), {"a.wav"}, out);
    ASSERT_TRUE(live.send("print title\n"));
    const std::string line = "title: a.wav" + kTitleTail + "\n";
    EXPECT_TRUE(eventually([&] { return readText(out) == line; })) << readText(out);
    live.signal(SIGKILL);
    EXPECT_NE(live.wait(std::chrono::seconds(10)), -1);
    EXPECT_EQ(readText(out), line);
}

TEST(HeadlessStop, SigtermDuringALongEditEndsTheRunAndRemovesWhatTheEditWrote) {
    TempDir dir;
    // A speed change of 40 MB in 4-byte chunks: a few tenths of a second of slices.
    writeFile(dir.file("x.wav"), canonicalWav(2, 44100, 16, patternBytes(40000000)));
    LiveProgram live(dir.path(), {"x.wav"});
    ASSERT_TRUE(
        live.send("command file-edit\ndlg fileedit type field-edit-speed-buffer 4\n"
                  "dlg fileedit type field-edit-speed-percent 205\n"
                  "dlg fileedit command edit-speed-change\n"));
    auto writing = [&] {
        for (const std::string& name : listing(dir.path()))
            if (name.starts_with("x-up.wav") && name.ends_with(".part")) return true;
        return false;
    };
    for (int i = 0; i < 10000 && !writing(); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    ASSERT_TRUE(writing());
    live.signal(SIGTERM);
    const int status = live.wait(std::chrono::seconds(5));
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 128 + SIGTERM) << status;
    EXPECT_EQ(listing(dir.path()), (std::vector<std::string>{"pelkit_recorder.ini", "x.wav"}));
}

}  // namespace
}  // namespace pelkit::test

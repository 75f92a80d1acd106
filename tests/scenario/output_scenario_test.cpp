// What the headless program prints reaches its standard output line by line, even into a file,
// so a run that is killed keeps every line it printed before.
#include <gtest/gtest.h>

#include "scenario/scenario_support.h"

namespace pelkit::test {
namespace {

TEST(HeadlessOutput, EachPrintedLineIsOutBeforeTheProgramIsKilled) {
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

}  // namespace
}  // namespace pelkit::test

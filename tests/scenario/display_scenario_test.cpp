// The waveform windows while the headless program plays: the display timer re-reads the block
// being heard and each tick moves the picture 72 ms further into it. Every line the program
// prints is worked out here from the samples of the file.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "scenario/scenario_support.h"

namespace pelkit::test {
namespace {

constexpr size_t kBlock = 49152;
constexpr int kRate = 44100;
constexpr int kChannels = 2;

std::string lineText(const char* pen, int x0, int y0, int x1, int y1) {
    return "line " + std::string(pen) + " " + std::to_string(x0) + " " + std::to_string(y0) + " " +
           std::to_string(x1) + " " + std::to_string(y1);
}

// What a paint of 16-bit stereo at scale 1 prints when the display holds DATA from byte FROM and
// the timer has ticked TICK times in the block.
std::vector<std::string> expectedPaint(const Bytes& data, size_t from, unsigned tick, bool upper) {
    std::vector<std::string> out = {"fill 0 0 248 110"};
    out.push_back(lineText("mark", 0, 55, 248, 55));
    if (!upper) out.push_back(lineText("mark", 0, 55, 248, 55));  // level line of skipLevel 1
    out.push_back(lineText("mark", 0, 107, 248, 107));
    out.push_back(lineText("mark", 0, 3, 248, 3));

    auto t = static_cast<size_t>(tick * kRate * kChannels * 0.001);
    size_t base = from + 144 * t + (upper ? 0 : 2);
    auto tc = static_cast<uint32_t>(tick * 72 * kRate * 0.001);
    uint32_t n = std::min<uint32_t>((kBlock / 2 - tc - 1) / 2, 248 - 3);
    int px = 0, py = 55 + -value16(data, base) / 625;
    for (uint32_t i = 0; i + 1 < n; ++i) {
        int x = static_cast<int>(i), y = 55 + -value16(data, base + 4 * i + 4) / 625;
        out.push_back(lineText("trace", px, py, x, y));
        px = x, py = y;
    }
    // No cursor mark: the wave micro edit is not open.
    return out;
}

// The program's output cut into paints, each beginning with its fill; other lines go to OTHER.
std::vector<std::vector<std::string>> paints(const std::string& out,
                                             std::vector<std::string>& other) {
    std::vector<std::vector<std::string>> p;
    for (const std::string& line : textLines(out)) {
        if (line.rfind("fill ", 0) == 0) {
            p.push_back({line});
        } else if (line.rfind("line ", 0) == 0 && !p.empty()) {
            p.back().push_back(line);
        } else {
            other.push_back(line);
        }
    }
    return p;
}

TEST(DisplayScenario, PictureMovesThroughTheBlockBeingHeard) {
    TempDir dir;
    const Bytes data = noiseBytes(8 * kBlock, 11);
    writeFile(dir.file("s.wav"), canonicalWav(kChannels, kRate, 16, data));
    // Four blocks are queued at the start. After the first is heard the position is five blocks
    // in, and each tick reads the block now heard, block 1, four blocks behind it.
    ProgramRun run = runHeadless(dir.path(), {"s.wav"},
                                 "command 1002\n"
                                 "play-blocks 1\n"
                                 "tick\npaint upper\n"
                                 "tick\npaint upper\n"
                                 "tick\npaint upper\n"  // the last tick of a block: it stays
                                 "play-blocks 1\npaint upper\n"
                                 "tick\npaint upper\npaint lower\n"
                                 "scroll position 5 500\nprint scroll position\npaint upper\n");
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "");
    std::vector<std::string> other;
    auto p = paints(run.out, other);
    ASSERT_EQ(p.size(), 7u) << run.out.substr(0, 2000);

    EXPECT_EQ(p[0], expectedPaint(data, kBlock, 1, true));
    EXPECT_EQ(p[1], expectedPaint(data, kBlock, 2, true));
    EXPECT_EQ(p[2], expectedPaint(data, kBlock, 2, true));
    // Block 1 heard: the tick count starts again over the bytes last read.
    EXPECT_EQ(p[3], expectedPaint(data, kBlock, 0, true));
    EXPECT_EQ(p[4], expectedPaint(data, 2 * kBlock, 1, true));
    EXPECT_EQ(p[5], expectedPaint(data, 2 * kBlock, 1, false));

    // Dragging the position thumb while playing shows the sound at the new position at once:
    // (393216 div 1000) x 500 = 196500.
    EXPECT_EQ(other, std::vector<std::string>{"position: 1..1000 @ 501"});
    EXPECT_EQ(p[6], expectedPaint(data, 196500, 1, true));
}

// A file shows its sound at once, stopped: the one named at start-up, and one opened later in
// its place (not the sound before it), from its play position.
TEST(DisplayScenario, LoadedFileIsShownWithoutPlaying) {
    TempDir dir;
    const Bytes first = noiseBytes(2 * kBlock, 3), second = noiseBytes(2 * kBlock, 4);
    writeFile(dir.file("a.wav"), canonicalWav(kChannels, kRate, 16, first));
    writeFile(dir.file("b.wav"), canonicalWav(kChannels, kRate, 16, second));
    ProgramRun run = runHeadless(dir.path(), {"a.wav"},
                                 "paint upper\nchoose b.wav\ncommand 1015\npaint upper\n"
                                 "paint lower\n");
    ASSERT_EQ(run.status, 0) << run.err;
    std::vector<std::string> other;
    auto p = paints(run.out, other);
    ASSERT_EQ(p.size(), 3u) << run.out.substr(0, 2000);
    EXPECT_EQ(p[0], expectedPaint(first, 0, 0, true));
    EXPECT_EQ(p[1], expectedPaint(second, 0, 0, true));
    EXPECT_EQ(p[2], expectedPaint(second, 0, 0, false));
}

}  // namespace
}  // namespace pelkit::test

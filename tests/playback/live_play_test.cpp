// The size of a live block: a power of two frames of at most 12.5 ms, whole frames of the device
// format.
#include <gtest/gtest.h>

#include "playback/live_play.h"

namespace pelkit {
namespace {

TEST(LivePlay, BlockIsAPowerOfTwoFramesOfAtMostAnEightiethOfASecond) {
    const struct {
        uint32_t rate;
        uint16_t channels, bits;
        uint32_t frames, bytes;
    } cases[] = {
        {44100, 2, 16, 512, 2048},  {48000, 2, 16, 512, 2048}, {22050, 1, 16, 256, 512},
        {96000, 2, 24, 1024, 6144}, {8000, 1, 8, 64, 64},      {40960, 2, 16, 512, 2048},
        {40959, 2, 16, 256, 1024},  {1000, 2, 16, 32, 128},    {0, 2, 16, 32, 128},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.rate);
        EXPECT_EQ(liveBlockFrames(c.rate), c.frames);
        EXPECT_EQ(
            liveBlockSize(makeWaveFormat(1, c.channels, static_cast<int32_t>(c.rate), c.bits)),
            c.bytes);
    }
}

}  // namespace
}  // namespace pelkit

// The micro edit's in-place frame write: exactly 4 bytes change, never past the sound data, and
// the file's size never changes.
#include "files/frame_write.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "support/test_support.h"

namespace pelkit {
namespace {

using namespace test;

TEST(FrameWrite, WritesTheFourBytesOrRefusesAndLeavesTheFile) {
    struct Case {
        uint64_t offset;      // position + 4 x cursor
        int64_t extraHeader;  // bytes of other chunks before the samples
        int64_t firstByte;    // where the frame lands; -1: refused, the file unchanged
        const char* message;
    };
    // 400 bytes of samples.
    const Case cases[] = {
        {40, 0, 84, nullptr},  // cursor 10 at position 0
        {396, 0, 440, nullptr},
        {40, 26, 110, nullptr},
        {400, 0, -1, "beyond its end"},
        {398, 0, -1, "beyond its end"},
        {~0ull - 1, 0, -1, "beyond its end"},
    };
    const std::array<uint8_t, 4> frame = {0x11, 0x22, 0x33, 0x44};
    for (const Case& c : cases) {
        TempDir dir;
        const std::string path = dir.file("a.wav");
        // The header, the extra bytes, the samples; sized once, as GCC 12 at -O3 wrongly reports
        // an out-of-bounds fill when bytes are inserted into a built vector.
        const Bytes wav = canonicalWav(2, 44100, 16, patternBytes(400));
        Bytes original(wav.size() + static_cast<size_t>(c.extraHeader), uint8_t{0xEE});
        std::copy(wav.begin(), wav.begin() + 44, original.begin());
        std::copy(wav.begin() + 44, wav.end(), original.begin() + 44 + c.extraHeader);
        writeFile(path, original);
        auto message = writeFrameInPlace(path, 44 + c.extraHeader, c.offset, frame);
        Bytes expected = original;
        if (c.firstByte >= 0) std::copy(frame.begin(), frame.end(), expected.begin() + c.firstByte);
        EXPECT_EQ(readFile(path), expected) << c.offset;
        EXPECT_EQ(message.has_value(), c.message != nullptr) << c.offset;
        if (message && c.message) {
            EXPECT_NE(message->find(c.message), std::string::npos) << *message;
        }
    }
    // A missing file is reported, not created; a directory is reported.
    TempDir dir;
    auto message = writeFrameInPlace(dir.file("missing.wav"), 44, 0, frame);
    ASSERT_TRUE(message.has_value());
    EXPECT_NE(message->find("cannot be opened"), std::string::npos) << *message;
    EXPECT_FALSE(exists(dir.file("missing.wav")));
    EXPECT_TRUE(writeFrameInPlace(dir.path(), 44, 0, frame).has_value());
}

}  // namespace
}  // namespace pelkit

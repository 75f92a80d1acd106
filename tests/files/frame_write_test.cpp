// The micro edit's in-place frame write: exactly 4 bytes change, never past the sound data, and
// the file's size never changes.
#include "files/frame_write.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include "support/test_support.h"

namespace pelkit {
namespace {

using namespace test;

const std::array<uint8_t, 4> kFrame = {0x11, 0x22, 0x33, 0x44};

TEST(FrameWrite, ChangesExactlyTheFourBytesOfTheFrame) {
    struct Case {
        const char* what;
        uint32_t dataBytes;
        int64_t extraHeader;  // bytes of other chunks before the samples
        uint64_t offset;      // position + 4 x cursor
        int64_t firstByte;    // where the frame lands in the file
    };
    const Case cases[] = {
        {"cursor 10 at position 0", 400, 0, 40, 84},
        {"first frame", 400, 0, 0, 44},
        {"last frame", 400, 0, 396, 440},
        {"after a 26-byte chunk", 400, 26, 40, 110},
        {"position 1000, cursor 3", 2000, 0, 1012, 1056},
    };
    for (const Case& c : cases) {
        TempDir dir;
        const std::string path = dir.file("a.wav");
        Bytes original = canonicalWav(2, 44100, 16, patternBytes(c.dataBytes));
        original.insert(original.begin() + 44, static_cast<size_t>(c.extraHeader), uint8_t{0xEE});
        writeFile(path, original);

        EXPECT_EQ(writeFrameInPlace(path, 44 + c.extraHeader, c.offset, kFrame), std::nullopt)
            << c.what;
        Bytes expected = original;
        std::copy(kFrame.begin(), kFrame.end(), expected.begin() + c.firstByte);
        EXPECT_EQ(readFile(path), expected) << c.what;
    }
}

TEST(FrameWrite, RefusesWhatWouldLeaveTheDataAndLeavesTheFileAsItWas) {
    struct Case {
        const char* what;
        uint64_t offset;
    };
    // 400 bytes of samples: frames start at 0 .. 396.
    const Case cases[] = {
        {"at the end", 400},
        {"straddling the end", 398},
        {"far past the end", 1ull << 40},
        {"past every 64-bit sum", ~0ull - 1},
    };
    for (const Case& c : cases) {
        TempDir dir;
        const std::string path = dir.file("a.wav");
        const Bytes original = canonicalWav(2, 44100, 16, patternBytes(400));
        writeFile(path, original);
        auto message = writeFrameInPlace(path, 44, c.offset, kFrame);
        ASSERT_TRUE(message.has_value()) << c.what;
        EXPECT_NE(message->find("beyond its end"), std::string::npos) << *message;
        EXPECT_EQ(readFile(path), original) << c.what;
    }
}

TEST(FrameWrite, AFileThatCannotBeWrittenIsReported) {
    TempDir dir;
    // Missing: not created.
    const std::string missing = dir.file("missing.wav");
    auto message = writeFrameInPlace(missing, 44, 0, kFrame);
    ASSERT_TRUE(message.has_value());
    EXPECT_NE(message->find("cannot be opened"), std::string::npos) << *message;
    EXPECT_FALSE(exists(missing));
    // A directory of that name.
    EXPECT_TRUE(writeFrameInPlace(dir.path(), 44, 0, kFrame).has_value());
    // Read-only (unless the tests run as root, who may write anyway).
    const std::string locked = dir.file("locked.wav");
    const Bytes original = canonicalWav(1, 8000, 8, patternBytes(64));
    writeFile(locked, original);
    ASSERT_EQ(chmod(locked.c_str(), 0444), 0);
    if (geteuid() != 0) {
        EXPECT_TRUE(writeFrameInPlace(locked, 44, 0, kFrame).has_value());
        EXPECT_EQ(readFile(locked), original);
    }
}

}  // namespace
}  // namespace pelkit

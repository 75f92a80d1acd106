// The private read stream of the edits: reads of any size, served from its read-ahead buffer or
// straight from the file, give the sound's bytes in order; a file cut short says so.
#include <gtest/gtest.h>

#include <filesystem>

#include "files/sound_reader.h"
#include "support/test_support.h"

namespace pelkit {
namespace {

using namespace test;

TEST(SoundReader, ReadsOfEverySizeGiveTheSoundInOrder) {
    TempDir dir;
    const std::string path = dir.file("s.wav");
    const Bytes data = patternBytes(300001);
    writeFile(path, canonicalWav(1, 8000, 16, data));
    WavHeaderInfo header;
    ASSERT_TRUE(ReadWavHeader(path, header));

    // Small reads cross the read-ahead buffer's ends; large ones mix with them.
    for (size_t size : {size_t{3}, size_t{4}, size_t{4095}, size_t{16383}, size_t{16384},
                        size_t{49152}, size_t{70001}}) {
        SoundReader reader;
        ASSERT_TRUE(reader.open(path, header, 5));
        Bytes got(data.size());
        size_t at = 5, small = 0;
        while (reader.remaining() > 0) {
            // Every third read is of 7 bytes, so the two kinds of read take turns.
            const size_t n = ++small % 3 == 0 ? 7 : size;
            const size_t k = reader.read(got.data() + at, n);
            ASSERT_EQ(k, std::min(n, data.size() - at)) << size;
            at += k;
        }
        EXPECT_FALSE(reader.failed());
        EXPECT_EQ(reader.position(), data.size());
        EXPECT_TRUE(std::equal(data.begin() + 5, data.end(), got.begin() + 5)) << size;
    }

    // Cut short while it is read: what was there comes, then the reader says why it stopped.
    SoundReader reader;
    ASSERT_TRUE(reader.open(path, header));
    Bytes got(100);
    ASSERT_EQ(reader.read(got.data(), 100), 100u);
    std::filesystem::resize_file(path, 44 + 100000);
    size_t total = 100;
    while (!reader.failed() && total < data.size())
        total += reader.read(got.data(), 100);
    EXPECT_EQ(total, 100000u);
    EXPECT_NE(reader.error().find("the file ended early"), std::string::npos) << reader.error();
    EXPECT_EQ(reader.read(got.data(), 100), 0u);
}

}  // namespace
}  // namespace pelkit

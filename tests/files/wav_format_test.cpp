// The 44-byte header this program writes, and the reading of headers with extra chunks,
// foreign RIFF files and bad input.
#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <vector>

#include "files/file_stream.h"
#include "files/wav_format.h"
#include "support/test_support.h"

namespace pelkit {
namespace {

using namespace test;

Bytes hexBytes(std::initializer_list<int> values) {
    Bytes b;
    for (int v : values)
        b.push_back(static_cast<uint8_t>(v));
    return b;
}

Bytes concat(Bytes a, const Bytes& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

TEST(WavHeaderWrite, ExactBytes) {
    TempDir dir;
    std::string path = dir.file("h.wav");
    const Bytes fmt = hexBytes({'f',  'm',  't',  ' ', 16, 0, 0, 0,  // fmt chunk of 16 bytes
                                1,    0,    2,    0,                 // PCM, stereo
                                0x44, 0xAC, 0,    0,                 // 44100 Hz
                                0x10, 0xB1, 0x02, 0,                 // 176400 bytes/s
                                4,    0,    16,   0,                 // block align, bits
                                'd',  'a',  't',  'a'});
    const Bytes riff36 = hexBytes({'R', 'I', 'F', 'F', 36, 0, 0, 0, 'W', 'A', 'V', 'E'});
    const Bytes riff1036 = hexBytes({'R', 'I', 'F', 'F', 0x0C, 0x04, 0, 0, 'W', 'A', 'V', 'E'});

    // Written over a longer file from a later place: the header lands at byte 0, the rest stays.
    writeFile(path, patternBytes(100));
    {
        FileStream out;
        ASSERT_TRUE(out.open(path, FileStream::Mode::WriteKeep));
        out.seek(60);
        ASSERT_TRUE(WriteWavHeader(out, makeWaveFormat(1, 2, 44100, 16), 0));
        EXPECT_EQ(out.tell(), 44);
    }
    Bytes expected = concat(concat(riff36, fmt), hexBytes({0xFF, 0xFF, 0xFF, 0xFF}));
    Bytes rest = patternBytes(100);
    expected.insert(expected.end(), rest.begin() + 44, rest.end());
    EXPECT_EQ(readFile(path), expected);

    auto h1000 = makeWavHeader(makeWaveFormat(1, 2, 44100, 16), 1000);
    EXPECT_EQ(Bytes(h1000.begin(), h1000.end()),
              concat(concat(riff1036, fmt), hexBytes({0xE8, 0x03, 0, 0})));

    // An extensible 6-channel record is still written as plain PCM, tag 1.
    WaveFormat six{0xFFFE, 6, 48000, 864000, 18, 24, 0};
    auto h = makeWavHeader(six, 1000);
    EXPECT_EQ(Bytes(h.begin() + 20, h.begin() + 36),
              hexBytes({1, 0, 6, 0, 0x80, 0xBB, 0, 0, 0x00, 0x2F, 0x0D, 0, 18, 0, 24, 0}));
}

// Sizes that do not fit the 32-bit fields are written as the largest each field holds, never
// wrapped round to a small number.
TEST(WavHeader, SizesBeyondFourGibibytesAreHeldAtTheLargest) {
    struct Case {
        uint64_t size;
        uint32_t riff, data;
    };
    for (const Case& c : {Case{0xFFFFFFDBull, 0xFFFFFFFFu, 0xFFFFFFDBu},
                          Case{0xFFFFFFDCull, 0xFFFFFFFFu, 0xFFFFFFDCu},
                          Case{0xFFFFFFFFull, 0xFFFFFFFFu, 0xFFFFFFFFu},
                          Case{5000000000ull, 0xFFFFFFFFu, 0xFFFFFFFFu}}) {
        SCOPED_TRACE(c.size);
        auto h = makeWavHeader(makeWaveFormat(1, 2, 44100, 16), c.size);
        Bytes expected;
        put32(expected, c.riff);
        put32(expected, c.data);
        EXPECT_EQ(Bytes({h[4], h[5], h[6], h[7], h[40], h[41], h[42], h[43]}), expected);
    }
}

// A RIFF/WAVE file of the given chunks in order; an odd-sized body gets its pad byte.
struct Chunk {
    const char* tag;
    Bytes body;
};
Bytes riffFile(const std::vector<Chunk>& chunks) {
    Bytes b;
    putTag(b, "RIFF");
    put32(b, 0);
    putTag(b, "WAVE");
    for (const Chunk& c : chunks) {
        putTag(b, c.tag);
        put32(b, static_cast<uint32_t>(c.body.size()));
        b.insert(b.end(), c.body.begin(), c.body.end());
        if (c.body.size() % 2) b.push_back(0);
    }
    uint32_t riffSize = static_cast<uint32_t>(b.size() - 8);
    for (int i = 0; i < 4; ++i)
        b[4 + i] = static_cast<uint8_t>(riffSize >> (8 * i));
    return b;
}

// A mono 22050 Hz 16-bit fmt body of SIZE bytes (zeros after the first 16).
Bytes fmtBody(size_t size) {
    Bytes b;
    put16(b, 1);
    put16(b, 1);
    put32(b, 22050);
    put32(b, 44100);
    put16(b, 2);
    put16(b, 16);
    b.resize(size, 0);
    return b;
}

TEST(ReadWavHeader, CanonicalAndExactly44Bytes) {
    TempDir dir;
    std::string path = dir.file("c.wav");
    Bytes file = canonicalWav(2, 44100, 16, patternBytes(100));
    for (int i = 40; i < 44; ++i)
        file[i] = 0xFF;  // a placeholder size is never read
    writeFile(path, file);
    WavHeaderInfo info;
    ASSERT_TRUE(ReadWavHeader(path, info));
    EXPECT_EQ(info.dataSize, 100u);
    EXPECT_EQ(info.extraHeaderBytes, 0);
    EXPECT_EQ(info.frameSize, 4u);
    EXPECT_EQ(info.format, (WaveFormat{1, 2, 44100, 176400, 4, 16, 0}));

    writeFile(path, canonicalWav(1, 8000, 8, {}));
    info = WavHeaderInfo{};
    ASSERT_TRUE(ReadWavHeader(path, info));
    EXPECT_EQ(info.dataSize, 0u);
    EXPECT_EQ(info.extraHeaderBytes, 0);
    EXPECT_EQ(info.frameSize, 1u);
    EXPECT_EQ(info.format.samplesPerSecond, 8000u);
}

TEST(ReadWavHeader, ChunksBeforeTheData) {
    TempDir dir;
    const Bytes data = patternBytes(64, 9);
    struct Case {
        const char* name;
        std::vector<Chunk> chunks;
        int32_t extra;
    };
    const std::vector<Case> cases = {
        {"fmt 18, data", {{"fmt ", fmtBody(18)}, {"data", data}}, 2},
        {"fmt 18, fact, data", {{"fmt ", fmtBody(18)}, {"fact", Bytes(4, 7)}, {"data", data}}, 14},
        {"fmt 16, LIST, data",
         {{"fmt ", fmtBody(16)}, {"LIST", Bytes(10, 'i')}, {"data", data}},
         18},
        {"fmt 16, odd junk, data",
         {{"fmt ", fmtBody(16)}, {"junk", Bytes(3, 1)}, {"data", data}},
         12},
        {"fmt 16, odd LIST, fact, data",
         {{"fmt ", fmtBody(16)}, {"LIST", Bytes(5, 'i')}, {"fact", Bytes(4, 0)}, {"data", data}},
         26},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::string path = dir.file("x.wav");
        Bytes file = riffFile(c.chunks);
        writeFile(path, file);
        WavHeaderInfo info;
        ASSERT_TRUE(ReadWavHeader(path, info));
        EXPECT_EQ(info.extraHeaderBytes, c.extra);
        EXPECT_EQ(info.dataSize, file.size() - 44);  // still the length less 44
        EXPECT_EQ(info.format.samplesPerSecond, 22050u);
        EXPECT_EQ(info.frameSize, 2u);
        ASSERT_EQ(file.size(), 44u + c.extra + data.size());
        EXPECT_TRUE(std::equal(data.begin(), data.end(), file.begin() + 44 + c.extra));
    }
}

TEST(ReadWavHeader, RefusedFilesAreMeasuredButNotChanged) {
    TempDir dir;
    std::filesystem::create_directory(dir.file("folder.wav"));
    Bytes canonical = canonicalWav(2, 44100, 16, patternBytes(100));
    Bytes rifx = canonical;
    rifx[3] = 'X';
    Bytes avi = canonical;
    std::copy_n("AVI ", 4, avi.begin() + 8);
    Bytes absurd = canonical;
    for (int i = 16; i < 20; ++i)
        absurd[i] = i == 19 ? 0x7F : 0xF0;  // fmt size 0x7FFFFFF0
    std::string text = "This is a text file that only has a .wav name, nothing more inside.\n";

    struct Case {
        const char* name;
        std::optional<Bytes> content;  // nothing: no such file written
        uint32_t dataSize;
    };
    const std::vector<Case> cases = {
        {"missing.wav", std::nullopt, 0},
        {"empty.wav", Bytes{}, 0},
        {"short.wav", Bytes(canonical.begin(), canonical.begin() + 43), 0},
        {"rifx.wav", rifx, 100},
        {"avi.wav", avi, 100},
        {"absurd.wav", absurd, 100},
        {"text.wav", Bytes(text.begin(), text.end()), static_cast<uint32_t>(text.size() - 44)},
        {"folder.wav", std::nullopt, 0},
    };
    const WaveFormat sentinel{7, 3, 1234, 5678, 9, 24, 0};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::string path = dir.file(c.name);
        if (c.content) writeFile(path, *c.content);
        WavHeaderInfo info;
        info.format = sentinel;
        info.dataSize = 999;
        info.extraHeaderBytes = 5;
        EXPECT_FALSE(ReadWavHeader(path, info));
        EXPECT_EQ(info.dataSize, c.dataSize);
        EXPECT_EQ(WavDataSize(path), c.dataSize);
        EXPECT_EQ(info.extraHeaderBytes, 0);
        EXPECT_EQ(info.format, sentinel);
        if (c.content) {
            EXPECT_EQ(readFile(path), *c.content);
        }
    }
    EXPECT_FALSE(exists(dir.file("missing.wav")));
    EXPECT_TRUE(std::filesystem::is_directory(dir.file("folder.wav")));
}

}  // namespace
}  // namespace pelkit

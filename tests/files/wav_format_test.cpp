// The 44-byte header this program writes, and the reading of headers with extra chunks,
// foreign RIFF files and bad input.
#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <vector>

#include "files/byte_source.h"
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
    // Float samples keep their tag: written as PCM they would read back as integers.
    auto f = makeWavHeader(makeWaveFormat(3, 1, 8000, 32), 8);
    EXPECT_EQ(Bytes(f.begin() + 20, f.begin() + 24), hexBytes({3, 0, 1, 0}));
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
        EXPECT_EQ(info.dataSize, data.size());  // the data chunk's own size
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

// A 40-byte extensible fmt body: stereo 48000 Hz, BITS per sample in the container, VALID bits
// and the sub-format GUID as stored (first three fields little-endian).
Bytes extensibleFmt(uint16_t bits, uint16_t valid, const Bytes& guid) {
    Bytes b;
    put16(b, 0xFFFE);
    put16(b, 2);
    put32(b, 48000);
    put32(b, 48000u * 2 * bits / 8);
    put16(b, static_cast<uint16_t>(2 * bits / 8));
    put16(b, bits);
    put16(b, 22);
    put16(b, valid);
    put32(b, 3);  // front left and right
    b.insert(b.end(), guid.begin(), guid.end());
    return b;
}

// The sub-format GUID {0000TTTT-0000-0010-8000-00AA00389B71} of the ordinary format tag TAG.
Bytes tagGuid(uint16_t tag) {
    return hexBytes(
        {tag & 0xFF, tag >> 8, 0, 0, 0, 0, 0x10, 0, 0x80, 0, 0, 0xAA, 0, 0x38, 0x9B, 0x71});
}

TEST(ReadWavHeader, ExtensibleHeadersReadAsTheirSubFormat) {
    TempDir dir;
    const Bytes data = patternBytes(96, 4);
    const Bytes otherGuid =
        hexBytes({0x78, 0x56, 0x34, 0x12, 0xBC, 0x9A, 0xF0, 0xDE, 1, 2, 3, 4, 5, 6, 7, 8});
    Bytes shortFmt = fmtBody(18);
    shortFmt[0] = 0xFE;
    shortFmt[1] = 0xFF;
    struct Case {
        const char* name;
        Bytes fmt;
        uint16_t tag;         // the tag read; 0 when refused
        const char* refusal;  // a part of the refusal text
    };
    const std::vector<Case> cases = {
        {"PCM 16", extensibleFmt(16, 16, tagGuid(1)), 1, ""},
        {"PCM 24", extensibleFmt(24, 24, tagGuid(1)), 1, ""},
        {"PCM 20 in 24", extensibleFmt(24, 20, tagGuid(1)), 1, ""},
        {"PCM 24 in 32", extensibleFmt(32, 24, tagGuid(1)), 1, ""},
        {"PCM, valid bits unset", extensibleFmt(8, 0, tagGuid(1)), 1, ""},
        {"float", extensibleFmt(32, 32, tagGuid(3)), 3, ""},
        {"A-law", extensibleFmt(8, 8, tagGuid(6)), 0, "holds sound in A-law encoding"},
        {"tag 0x1234", extensibleFmt(16, 16, tagGuid(0x1234)), 0,
         "format tag 4660 encoding (sub-format 00001234-0000-0010-8000-00AA00389B71)"},
        {"foreign GUID", extensibleFmt(16, 16, otherGuid), 0,
         "unknown here (sub-format 12345678-9ABC-DEF0-0102-030405060708)"},
        {"valid bits above the container", extensibleFmt(16, 24, tagGuid(1)), 0,
         "24 valid bits in 16-bit samples"},
        {"extension missing", shortFmt, 0, "too short"},
    };
    const WaveFormat sentinel{7, 3, 1234, 5678, 9, 24, 0};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::string path = dir.file("x.wav");
        Bytes file = riffFile({{"fmt ", c.fmt}, {"fact", Bytes(4, 0)}, {"data", data}});
        writeFile(path, file);
        WavHeaderInfo info;
        info.format = sentinel;
        bool valid = ReadWavHeader(path, info);
        EXPECT_EQ(readFile(path), file);
        EXPECT_EQ(info.dataSize, data.size());
        if (c.tag == 0) {
            EXPECT_FALSE(valid);
            EXPECT_EQ(info.format, sentinel);
            EXPECT_NE(info.refusal.find(path + " "), std::string::npos) << info.refusal;
            EXPECT_NE(info.refusal.find(c.refusal), std::string::npos) << info.refusal;
            continue;
        }
        ASSERT_TRUE(valid) << info.refusal;
        EXPECT_EQ(info.refusal, "");
        uint16_t bits = static_cast<uint16_t>(c.fmt[14] | c.fmt[15] << 8);
        WaveFormat expected = makeWaveFormat(c.tag, 2, 48000, bits);
        EXPECT_EQ(info.format, expected);
        EXPECT_EQ(info.frameSize, 2u * bits / 8);
        EXPECT_EQ(info.extraHeaderBytes, 24 + 12);  // the extension and the fact chunk
        EXPECT_TRUE(std::equal(data.begin(), data.end(), file.begin() + 44 + 36));
    }
}

// The reader parses bytes in memory exactly as it parses the same bytes in a file, refusals,
// measures and chunks after the sound included.
TEST(ReadWavHeader, MemoryAndFileReadTheSame) {
    TempDir dir;
    const Bytes data = patternBytes(40, 3);
    Bytes canonical = canonicalWav(2, 44100, 16, data);
    Bytes tagged = canonical;
    tagged.insert(tagged.end(), {'L', 'I', 'S', 'T', 2, 0, 0, 0, 'a', 'b'});
    Bytes unpadded = riffFile({{"fmt ", fmtBody(16)}, {"junk", Bytes(3, 1)}, {"data", data}});
    unpadded.erase(unpadded.begin() + 36 + 8 + 3);
    Bytes alaw = canonical;
    alaw[20] = 6;
    Bytes longData = canonical;
    longData[41] = 1;  // 296 bytes declared, 40 held
    Bytes noExtension = fmtBody(18);
    noExtension[0] = 0xFE;  // extensible, but an 18-byte fmt
    noExtension[1] = 0xFF;
    struct Case {
        const char* name;
        Bytes file;
    };
    const std::vector<Case> cases = {
        {"canonical", canonical},
        {"tagged after the data", tagged},
        {"fmt 18, fact", riffFile({{"fmt ", fmtBody(18)}, {"fact", Bytes(4, 7)}, {"data", data}})},
        {"unpadded odd chunk", unpadded},
        {"no data chunk", riffFile({{"fmt ", fmtBody(20)}, {"junk", Bytes(6, 2)}})},
        {"data past the end", longData},
        {"A-law", alaw},
        {"extensible A-law", riffFile({{"fmt ", extensibleFmt(8, 8, tagGuid(6))}, {"data", data}})},
        {"extension missing", riffFile({{"fmt ", noExtension}, {"data", data}})},
        {"43 bytes", Bytes(canonical.begin(), canonical.begin() + 43)},
        {"empty", Bytes{}},
        {"RIFX",
         concat(hexBytes({'R', 'I', 'F', 'X'}), Bytes(canonical.begin() + 4, canonical.end()))},
    };
    const WaveFormat sentinel{7, 3, 1234, 5678, 9, 24, 0};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::string path = dir.file("m.wav");
        writeFile(path, c.file);
        WavHeaderInfo fromFile, fromMemory;
        fromFile.format = fromMemory.format = sentinel;
        bool fileValid = ReadWavHeader(path, fromFile);
        MemoryBytes bytes(c.file);
        bool memoryValid = ReadWavHeader(bytes, path, fromMemory);
        EXPECT_EQ(memoryValid, fileValid);
        EXPECT_EQ(fromMemory.dataSize, fromFile.dataSize);
        EXPECT_EQ(fromMemory.sizeDeclared, fromFile.sizeDeclared);
        EXPECT_EQ(fromMemory.format, fromFile.format);
        EXPECT_EQ(fromMemory.extraHeaderBytes, fromFile.extraHeaderBytes);
        EXPECT_EQ(fromMemory.frameSize, fromFile.frameSize);
        EXPECT_EQ(fromMemory.refusal, fromFile.refusal);
        EXPECT_EQ(chunksFollowTheData(bytes, fromMemory), chunksFollowTheData(path, fromFile));
    }
    // The cases above reach each outcome, so the sameness is not that of two empty results.
    MemoryBytes tagBytes(tagged);
    WavHeaderInfo info;
    ASSERT_TRUE(ReadWavHeader(tagBytes, "t.wav", info));
    EXPECT_TRUE(chunksFollowTheData(tagBytes, info));
    MemoryBytes alawBytes(alaw);
    EXPECT_FALSE(ReadWavHeader(alawBytes, "name.wav", info));
    EXPECT_EQ(info.refusal.rfind("name.wav holds sound in A-law", 0), 0u) << info.refusal;
}

}  // namespace
}  // namespace pelkit

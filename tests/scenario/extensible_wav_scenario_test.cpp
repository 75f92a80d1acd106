// WAV files in the extensible layout that common tools write (tag 0xFFFE, 40-byte fmt with a
// sub-format GUID), built here byte by byte, played to the end through the headless program.
// What --audio-out receives must be the source's samples, bit for bit, and libsndfile must read
// the program's output file as the same samples it reads from the source.
#include <gtest/gtest.h>
#include <sndfile.h>

#include <cstring>

#include "scenario/scenario_support.h"

namespace pelkit::test {
namespace {

constexpr size_t kBlock = 49152;  // the default block size

// 1.5 blocks of stereo frames; float samples are real values in [-1, 1).
Bytes sourceData(uint16_t bits, bool isFloat) {
    Bytes b(kBlock + kBlock / 2);
    uint32_t x = 0x2545F491u + bits;
    for (size_t i = 0; i < b.size(); i += isFloat ? 4 : 1) {
        x ^= x << 13;
        x ^= x >> 17;
        x ^= x << 5;
        if (isFloat) {
            float v = static_cast<float>(static_cast<int32_t>(x)) / 2147483648.0f;
            std::memcpy(b.data() + i, &v, 4);
        } else {
            b[i] = static_cast<uint8_t>(x >> 24);
        }
    }
    return b;
}

// A stereo 44100 Hz extensible file: fmt of 40 bytes with sub-format TAG, a fact chunk, DATA.
Bytes extensibleWav(uint16_t bits, uint16_t tag, const Bytes& data) {
    Bytes body;
    putTag(body, "WAVE");
    putTag(body, "fmt ");
    put32(body, 40);
    put16(body, 0xFFFE);
    put16(body, 2);
    put32(body, 44100);
    put32(body, 44100u * 2 * bits / 8);
    put16(body, static_cast<uint16_t>(2 * bits / 8));
    put16(body, bits);
    put16(body, 22);
    put16(body, bits);
    put32(body, 3);
    put16(body, tag);
    for (int v : {0, 0, 0, 0, 0x10, 0, 0x80, 0, 0, 0xAA, 0, 0x38, 0x9B, 0x71})
        body.push_back(static_cast<uint8_t>(v));
    putTag(body, "fact");
    put32(body, 4);
    put32(body, static_cast<uint32_t>(data.size() / (2 * bits / 8)));
    putTag(body, "data");
    put32(body, static_cast<uint32_t>(data.size()));
    body.insert(body.end(), data.begin(), data.end());
    Bytes file;
    putTag(file, "RIFF");
    put32(file, static_cast<uint32_t>(body.size()));
    file.insert(file.end(), body.begin(), body.end());
    return file;
}

struct Decoded {
    int subtype = 0;
    sf_count_t frames = 0;
    std::vector<int> ints;
    std::vector<float> floats;
};

// PATH as libsndfile decodes it.
Decoded decode(const std::string& path, bool isFloat) {
    Decoded d;
    SF_INFO info{};
    SNDFILE* sf = sf_open(path.c_str(), SFM_READ, &info);
    if (!sf) {
        ADD_FAILURE() << path << ": " << sf_strerror(nullptr);
        return d;
    }
    d.subtype = info.format & SF_FORMAT_SUBMASK;
    d.frames = info.frames;
    size_t n = static_cast<size_t>(info.frames * info.channels);
    if (isFloat) {
        d.floats.resize(n);
        EXPECT_EQ(sf_read_float(sf, d.floats.data(), static_cast<sf_count_t>(n)),
                  static_cast<sf_count_t>(n));
    } else {
        d.ints.resize(n);
        EXPECT_EQ(sf_read_int(sf, d.ints.data(), static_cast<sf_count_t>(n)),
                  static_cast<sf_count_t>(n));
    }
    sf_close(sf);
    return d;
}

TEST(ExtensibleWav, PlaysBitExactAndLibsndfileReadsTheOutputAsTheSource) {
    struct Case {
        uint16_t bits;
        uint16_t tag;  // sub-format: 1 PCM, 3 IEEE float
        int subtype;   // as libsndfile names it
    };
    for (const Case c : {Case{8, 1, SF_FORMAT_PCM_U8}, Case{16, 1, SF_FORMAT_PCM_16},
                         Case{24, 1, SF_FORMAT_PCM_24}, Case{32, 3, SF_FORMAT_FLOAT}}) {
        SCOPED_TRACE(c.bits);
        const bool isFloat = c.tag == 3;
        const Bytes data = sourceData(c.bits, isFloat);
        TempDir dir;
        writeFile(dir.file("in.wav"), extensibleWav(c.bits, c.tag, data));
        ProgramRun run =
            runHeadless(dir.path(), {"--audio-out", "out.wav", "in.wav"}, "command 1002\nrun\n");
        EXPECT_EQ(run.status, 0) << run.err;
        EXPECT_EQ(run.out, "") << "no message box";

        Bytes out = readFile(dir.file("out.wav"));
        ASSERT_GE(out.size(), 44u);
        EXPECT_EQ(le(out, 20, 2), c.tag);
        EXPECT_EQ(le(out, 22, 2), 2u);
        EXPECT_EQ(le(out, 24, 4), 44100u);
        EXPECT_EQ(le(out, 34, 2), c.bits);
        Bytes expected = data;
        expected.resize(2 * kBlock, 0);  // the last block is completed with zero bytes
        EXPECT_TRUE(Bytes(out.begin() + 44, out.end()) == expected) << "played bytes differ";

        Decoded source = decode(dir.file("in.wav"), isFloat);
        Decoded played = decode(dir.file("out.wav"), isFloat);
        EXPECT_EQ(source.subtype, c.subtype);
        EXPECT_EQ(played.subtype, c.subtype);
        ASSERT_EQ(played.frames, static_cast<sf_count_t>(2 * kBlock / (2 * c.bits / 8)));
        if (isFloat) {
            ASSERT_EQ(source.floats.size(), data.size() / 4);
            EXPECT_TRUE(
                std::equal(source.floats.begin(), source.floats.end(), played.floats.begin()));
        } else {
            ASSERT_EQ(source.ints.size(), data.size() / (c.bits / 8));
            EXPECT_TRUE(std::equal(source.ints.begin(), source.ints.end(), played.ints.begin()));
        }
    }
}

}  // namespace
}  // namespace pelkit::test

namespace pelkit::test {
namespace {

TEST(ExtensibleWav, AnEncodingThatCannotBePlayedIsNamedAndTheFileKept) {
    TempDir dir;
    // Sub-format 6 is A-law: readable, but not a sound the devices can take.
    Bytes alaw = extensibleWav(8, 6, Bytes(1000, 0xD5));
    writeFile(dir.file("in.wav"), alaw);
    ProgramRun run = runHeadless(dir.path(), {"in.wav"}, "");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find("box: pelkit_recorder: in.wav holds sound in A-law encoding"),
              std::string::npos)
        << run.out;
    EXPECT_EQ(readFile(dir.file("in.wav")), alaw);
}

}  // namespace
}  // namespace pelkit::test

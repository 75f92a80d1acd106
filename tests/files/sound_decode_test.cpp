// Sound in other formats decoded into WAV working copies: lossless formats sample for sample,
// lossy ones by length and level, files written by sox, and inputs that cannot be decoded or a
// decode cancelled leave nothing behind.
#include <gtest/gtest.h>
#include <sndfile.h>

#include <cmath>
#include <cstdlib>
#include <vector>

#include "files/sound_decode.h"
#include "files/wav_format.h"
#include "support/test_support.h"

namespace pelkit {
namespace {

using namespace test;

constexpr int kRate = 48000;
constexpr int kFrames = 3 * kRate / 2 + 123;  // more than one decode block, not a whole one

// A stereo tone with some noise, full scale 2^31 (libsndfile's int scale).
std::vector<int> toneSamples(int bits) {
    std::vector<int> v(static_cast<size_t>(kFrames) * 2);
    uint32_t x = 12345;
    for (int i = 0; i < kFrames; ++i) {
        for (int c = 0; c < 2; ++c) {
            x = x * 1664525u + 1013904223u;
            double s = 0.5 * std::sin(2 * M_PI * (440 + 220 * c) * i / kRate) +
                       0.01 * (static_cast<int32_t>(x) / 2147483648.0);
            // Whole values of BITS bits, left-aligned.
            auto q = static_cast<int32_t>(std::lround(s * std::ldexp(1.0, bits - 1)));
            v[static_cast<size_t>(i) * 2 + c] = static_cast<int>(q * std::ldexp(1.0, 32 - bits));
        }
    }
    return v;
}

void writeSound(const std::string& path, int format, const std::vector<int>& samples) {
    SF_INFO info{};
    info.samplerate = kRate;
    info.channels = 2;
    info.format = format;
    SNDFILE* sf = sf_open(path.c_str(), SFM_WRITE, &info);
    ASSERT_NE(sf, nullptr) << sf_strerror(nullptr);
    sf_writef_int(sf, samples.data(), static_cast<sf_count_t>(samples.size() / 2));
    sf_close(sf);
}

// The samples of a WAV file as libsndfile reads them.
std::vector<int> readInts(const std::string& path, SF_INFO& info) {
    info = {};
    SNDFILE* sf = sf_open(path.c_str(), SFM_READ, &info);
    if (!sf) return {};
    std::vector<int> v(static_cast<size_t>(info.frames * info.channels));
    sf_readf_int(sf, v.data(), info.frames);
    sf_close(sf);
    return v;
}

// The level of PATH's samples as libsndfile reads them in floating point (full scale 1).
double fileRms(const std::string& path, SF_INFO& info) {
    info = {};
    SNDFILE* sf = sf_open(path.c_str(), SFM_READ, &info);
    if (!sf) return 0;
    std::vector<double> v(static_cast<size_t>(info.frames * info.channels));
    sf_readf_double(sf, v.data(), info.frames);
    sf_close(sf);
    double sum = 0;
    for (double s : v)
        sum += s * s;
    return std::sqrt(sum / static_cast<double>(v.size()));
}

double rms(const std::vector<int>& v) {
    double sum = 0;
    for (int s : v)
        sum += (s / 2147483648.0) * (s / 2147483648.0);
    return std::sqrt(sum / static_cast<double>(v.size()));
}

std::string decodeAll(const std::string& source, const std::string& output) {
    SoundDecode d;
    if (std::string why = d.open(source, output); !why.empty()) return why;
    SoundDecode::Step s;
    while ((s = d.step()) == SoundDecode::Step::More) {
    }
    return s == SoundDecode::Step::Done ? std::string() : d.error();
}

TEST(SoundDecode, EachFormatDecodesIntoTheNearestWavTheProgramPlays) {
    struct Case {
        const char* name;
        int format;
        int bits;         // of the source's samples
        int wavBits;      // of the working copy
        uint16_t wavTag;  // 1 PCM, 3 float
        bool exact;
    };
    const Case cases[] = {
        {"a.flac", SF_FORMAT_FLAC | SF_FORMAT_PCM_16, 16, 16, 1, true},
        {"b.flac", SF_FORMAT_FLAC | SF_FORMAT_PCM_24, 24, 24, 1, true},
        {"c.aiff", SF_FORMAT_AIFF | SF_FORMAT_PCM_24, 24, 24, 1, true},
        {"d.ogg", SF_FORMAT_OGG | SF_FORMAT_VORBIS, 16, 32, 3, false},
        {"e.opus", SF_FORMAT_OGG | SF_FORMAT_OPUS, 16, 32, 3, false},
        {"f.mp3", SF_FORMAT_MPEG | SF_FORMAT_MPEG_LAYER_III, 16, 32, 3, false},
    };
    TempDir dir;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::vector<int> source = toneSamples(c.bits);
        writeSound(dir.file(c.name), c.format, source);
        ASSERT_TRUE(needsDecoding(dir.file(c.name)));
        const std::string copy = workingCopyName(dir.file(c.name));
        ASSERT_EQ(decodeAll(dir.file(c.name), copy), "");

        WavHeaderInfo h;
        ASSERT_TRUE(ReadWavHeader(copy, h));
        EXPECT_EQ(h.format.formatTag, c.wavTag);
        EXPECT_EQ(h.format.bitsPerSample, c.wavBits);
        EXPECT_EQ(h.format.samplesPerSecond, static_cast<uint32_t>(kRate));
        SF_INFO info;
        if (c.exact) {
            EXPECT_TRUE(readInts(copy, info) == source) << "samples differ";
        } else {
            // Lossy codecs may add a little at the start and end (encoder delay, padding).
            const double level = fileRms(copy, info);
            EXPECT_NEAR(static_cast<double>(info.frames), kFrames, 0.05 * kRate);
            EXPECT_NEAR(20 * std::log10(level / rms(source)), 0.0, 0.5);
        }
    }
}

TEST(SoundDecode, AFlacWrittenBySoxDecodesToTheSamplesSoxWasGiven) {
    TempDir dir;
    const std::vector<int> tone = toneSamples(16);
    writeSound(dir.file("src.wav"), SF_FORMAT_WAV | SF_FORMAT_PCM_16, tone);
    const std::string command = "sox '" + dir.file("src.wav") + "' '" + dir.file("s.flac") + "'";
    ASSERT_EQ(std::system(command.c_str()), 0);
    ASSERT_EQ(decodeAll(dir.file("s.flac"), dir.file("s.wav")), "");
    const Bytes wav = readFile(dir.file("src.wav"));
    const Bytes copy = readFile(dir.file("s.wav"));
    ASSERT_EQ(copy.size(), 44 + tone.size() * 2);
    EXPECT_TRUE(Bytes(copy.begin() + 44, copy.end()) ==
                Bytes(wav.end() - tone.size() * 2, wav.end()));
}

TEST(SoundDecode, WhatCannotBeDecodedIsNamedAndLeavesNothing) {
    TempDir dir;
    writeSound(dir.file("good.flac"), SF_FORMAT_FLAC | SF_FORMAT_PCM_16, toneSamples(16));
    const Bytes flac = readFile(dir.file("good.flac"));
    Bytes flipped = flac;
    for (size_t i = flipped.size() / 3; i < flipped.size(); i += 7)
        flipped[i] ^= 0x5A;
    struct Case {
        const char* name;
        Bytes bytes;
    };
    const Case cases[] = {
        {"empty.flac", {}},
        {"text.flac", Bytes{'h', 'e', 'l', 'l', 'o', ' ', 'w', 'o', 'r', 'l', 'd', '\n'}},
        {"header.flac", slice(flac, 0, 40)},
        {"noise.ogg", patternBytes(5000, 9)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        writeFile(dir.file(c.name), c.bytes);
        writeFile(dir.file("out.wav"), Bytes{'o', 'l', 'd'});
        const std::string why = decodeAll(dir.file(c.name), dir.file("out.wav"));
        EXPECT_NE(why.find(dir.file(c.name)), std::string::npos) << why;
        EXPECT_TRUE(holds(dir.file("out.wav"), Bytes{'o', 'l', 'd'}));
        EXPECT_EQ(listing(dir.path()).size(), 3u) << "no partial file is left";
        std::remove(dir.file(c.name).c_str());
    }
}

TEST(SoundDecode, ACancelledDecodeLeavesTheOlderFileAsItWas) {
    TempDir dir;
    writeSound(dir.file("a.flac"), SF_FORMAT_FLAC | SF_FORMAT_PCM_16, toneSamples(16));
    writeFile(dir.file("a.wav"), Bytes{1, 2, 3});
    SoundDecode d;
    ASSERT_EQ(d.open(dir.file("a.flac"), dir.file("a.wav")), "");
    EXPECT_EQ(d.step(), SoundDecode::Step::More);
    EXPECT_EQ(listing(dir.path()).size(), 3u);  // the staged file beside them
    d.cancel();
    EXPECT_EQ(listing(dir.path()).size(), 2u);
    EXPECT_TRUE(holds(dir.file("a.wav"), Bytes{1, 2, 3}));
}

TEST(SoundDecode, OnlyFilesThatAreNotWavTakeTheDecoder) {
    TempDir dir;
    writeSound(dir.file("a.wav"), SF_FORMAT_WAV | SF_FORMAT_PCM_16, toneSamples(16));
    writeSound(dir.file("flac-named.wav"), SF_FORMAT_FLAC | SF_FORMAT_PCM_16, toneSamples(16));
    writeFile(dir.file("notes.txt"), Bytes{'x', 'y', 'z'});
    EXPECT_FALSE(needsDecoding(dir.file("a.wav")));
    EXPECT_FALSE(needsDecoding(dir.file("notes.txt")));
    EXPECT_FALSE(needsDecoding(dir.file("missing.flac")));
    EXPECT_TRUE(needsDecoding(dir.file("flac-named.wav")));
    EXPECT_EQ(workingCopyName(dir.file("flac-named.wav")), dir.file("flac-named_dec.wav"));
    EXPECT_EQ(workingCopyName("x/song.Flac"), "x/song.wav");
}

}  // namespace
}  // namespace pelkit

// WAV files exchanged with other programs: what this program writes must read back in
// libsndfile, and headers libsndfile and sox write (LIST, fact, PEAK, 18- and 40-byte fmt) must
// give the right data start here.
#include <gtest/gtest.h>
#include <sndfile.h>

#include <cstdlib>
#include <cstring>
#include <vector>

#include "files/file_stream.h"
#include "files/wav_format.h"
#include "support/test_support.h"

namespace pelkit {
namespace {

using namespace test;

// The sample at byte OFFSET of BYTES as libsndfile's int scale (full scale in the top bits).
int32_t rawSample(const Bytes& bytes, size_t offset, int bits) {
    const uint8_t* p = bytes.data() + offset;
    if (bits == 8) return (static_cast<int32_t>(p[0]) - 128) * (1 << 24);
    if (bits == 16) return static_cast<int16_t>(p[0] | (p[1] << 8)) * (1 << 16);
    int32_t v = p[0] | (p[1] << 8) | (p[2] << 16);
    if (v & 0x800000) v -= 0x1000000;
    return v * (1 << 8);
}

TEST(WavInterop, OwnFilesReadByLibsndfile) {
    TempDir dir;
    struct Case {
        int channels, rate, bits, subtype;
    };
    for (const Case c :
         {Case{1, 8000, 8, SF_FORMAT_PCM_U8}, Case{2, 44100, 16, SF_FORMAT_PCM_16},
          Case{2, 48000, 24, SF_FORMAT_PCM_24}, Case{6, 48000, 16, SF_FORMAT_PCM_16}}) {
        SCOPED_TRACE(c.bits * 100 + c.channels);
        const int frameBytes = c.channels * c.bits / 8;
        const Bytes data = patternBytes(static_cast<size_t>(frameBytes) * 300, 3);
        std::string path = dir.file("own.wav");
        {
            FileStream out;
            ASSERT_TRUE(out.open(path, FileStream::Mode::WriteTruncate));
            ASSERT_TRUE(WriteWavHeader(out, makeWaveFormat(1, c.channels, c.rate, c.bits),
                                       static_cast<uint32_t>(data.size())));
            ASSERT_TRUE(out.write(data.data(), data.size()));
        }
        SF_INFO info{};
        SNDFILE* sf = sf_open(path.c_str(), SFM_READ, &info);
        ASSERT_NE(sf, nullptr) << sf_strerror(nullptr);
        EXPECT_EQ(info.channels, c.channels);
        EXPECT_EQ(info.samplerate, c.rate);
        EXPECT_EQ(info.frames, 300);
        EXPECT_EQ(info.format, SF_FORMAT_WAV | c.subtype);
        std::vector<int> got(static_cast<size_t>(c.channels) * 4);
        EXPECT_EQ(sf_read_int(sf, got.data(), static_cast<sf_count_t>(got.size())),
                  static_cast<sf_count_t>(got.size()));
        sf_close(sf);
        for (size_t i = 0; i < got.size(); ++i) {
            EXPECT_EQ(got[i], rawSample(data, i * (c.bits / 8), c.bits)) << i;
        }
    }
}

const std::vector<int16_t> kSamples = {1000, -2000, 3000, -4000, 32767, -32768, 5, -5};

// Writes kSamples with libsndfile in FORMAT, with an INFO title when TITLE is set.
std::string writeWithLibsndfile(const TempDir& dir, const char* name, int format,
                                const char* title) {
    std::string path = dir.file(name);
    SF_INFO info{};
    info.samplerate = 8000;
    info.channels = 2;
    info.format = format;
    SNDFILE* sf = sf_open(path.c_str(), SFM_WRITE, &info);
    if (!sf) return path;
    if (title) sf_set_string(sf, SF_STR_TITLE, title);
    if ((format & SF_FORMAT_SUBMASK) == SF_FORMAT_FLOAT) {
        std::vector<float> scaled;
        for (int16_t v : kSamples)
            scaled.push_back(v / 32768.0f);
        sf_write_float(sf, scaled.data(), static_cast<sf_count_t>(scaled.size()));
    } else {
        sf_write_short(sf, kSamples.data(), static_cast<sf_count_t>(kSamples.size()));
    }
    sf_close(sf);
    return path;
}

// Checks that PATH's header is read with the data starting where the samples are.
void expectDataStart(const std::string& path, uint16_t bits, bool isFloat) {
    WavHeaderInfo info;
    ASSERT_TRUE(ReadWavHeader(path, info));
    EXPECT_EQ(info.format.channels, 2);
    EXPECT_EQ(info.format.samplesPerSecond, 8000u);
    EXPECT_EQ(info.format.bitsPerSample, bits);
    EXPECT_GT(info.extraHeaderBytes, 0);
    Bytes file = readFile(path);
    size_t start = 44 + static_cast<size_t>(info.extraHeaderBytes);
    ASSERT_LE(start + kSamples.size() * bits / 8, file.size());
    for (size_t i = 0; i < kSamples.size(); ++i) {
        const uint8_t* p = file.data() + start + i * bits / 8;
        if (isFloat) {
            float f;
            std::memcpy(&f, p, 4);
            EXPECT_FLOAT_EQ(f, kSamples[i] / 32768.0f) << i;
        } else {
            EXPECT_EQ(rawSample(file, start + i * bits / 8, bits), kSamples[i] * 65536) << i;
        }
    }
}

TEST(WavInterop, LibsndfileHeadersWithExtraChunks) {
    TempDir dir;
    // 16-byte fmt followed by a LIST INFO chunk.
    expectDataStart(
        writeWithLibsndfile(dir, "list.wav", SF_FORMAT_WAV | SF_FORMAT_PCM_16, "take one"), 16,
        false);
    // 16-byte fmt followed by fact and PEAK chunks.
    expectDataStart(writeWithLibsndfile(dir, "float.wav", SF_FORMAT_WAV | SF_FORMAT_FLOAT, nullptr),
                    32, true);
    // 40-byte extensible fmt, 24-bit, with a title.
    expectDataStart(
        writeWithLibsndfile(dir, "wavex.wav", SF_FORMAT_WAVEX | SF_FORMAT_PCM_24, "odd"), 24,
        false);
}

TEST(WavInterop, SoxHeadersWithExtraChunks) {
    TempDir dir;
    writeFile(dir.file("in.wav"), canonicalWav(2, 8000, 16, samples16(kSamples)));
    auto sox = [&](const std::string& options, const char* out) {
        std::string command = "/usr/bin/sox -D '" + dir.file("in.wav") + "' " + options + " '" +
                              dir.file(out) + "' 2>/dev/null";
        return std::system(command.c_str());
    };
    ASSERT_EQ(sox("-b 24", "sox24.wav"), 0);  // extensible fmt and a fact chunk
    expectDataStart(dir.file("sox24.wav"), 24, false);
    ASSERT_EQ(sox("-e floating-point -b 32", "soxf.wav"), 0);  // 18-byte fmt and a fact chunk
    expectDataStart(dir.file("soxf.wav"), 32, true);
}

}  // namespace
}  // namespace pelkit

// Exports of a WAV file: lossless formats sample for sample (also as sox reads them), lossy ones
// by length and level, Opus at the rates it takes; a cancel or a full disk leaves nothing.
#include <gtest/gtest.h>
#include <sndfile.h>

#include <cmath>
#include <cstdlib>
#include <vector>

#include "files/sound_export.h"
#include "support/test_support.h"

namespace pelkit {
namespace {

using namespace test;

// A tone with a little noise, as WAV sample bytes of BITS bits (little-endian), FRAMES frames.
Bytes toneBytes(int channels, int rate, int bits, int frames) {
    Bytes b;
    uint32_t x = 777;
    for (int i = 0; i < frames; ++i) {
        for (int c = 0; c < channels; ++c) {
            x = x * 1664525u + 1013904223u;
            const double s = 0.4 * std::sin(2 * M_PI * (300 + 200 * c) * i / rate) +
                             0.01 * (static_cast<int32_t>(x) / 2147483648.0);
            const auto v = static_cast<int32_t>(std::lround(s * std::ldexp(1.0, bits - 1)));
            for (int k = 0; k < bits / 8; ++k)
                b.push_back(static_cast<uint8_t>(v >> (8 * k)));
        }
    }
    return b;
}

struct Sound {
    SF_INFO info{};
    std::vector<int> ints;  // left-aligned, as libsndfile reads integers
    double rms = 0;
};

Sound readSound(const std::string& path) {
    Sound s;
    SNDFILE* sf = sf_open(path.c_str(), SFM_READ, &s.info);
    if (!sf) return s;
    s.ints.resize(static_cast<size_t>(s.info.frames * s.info.channels));
    s.ints.resize(static_cast<size_t>(sf_readf_int(sf, s.ints.data(), s.info.frames)) *
                  static_cast<size_t>(s.info.channels));
    sf_close(sf);
    double sum = 0;
    for (int v : s.ints)
        sum += (v / 2147483648.0) * (v / 2147483648.0);
    s.rms = s.ints.empty() ? 0 : std::sqrt(sum / static_cast<double>(s.ints.size()));
    return s;
}

std::string exportAll(const std::string& source, const std::string& output) {
    SoundExport e;
    const auto format = exportFormatFor(output);
    if (!format) return "no format";
    if (std::string why = e.open(source, output, *format); !why.empty()) return why;
    SoundExport::Step s;
    while ((s = e.step()) == SoundExport::Step::More) {
    }
    return s == SoundExport::Step::Done ? std::string() : e.error();
}

TEST(SoundExport, EachFormatRoundTrips) {
    struct Case {
        const char* name;
        int channels, rate, bits;
        int readRate;  // the rate the export is read back at
        bool exact;
    };
    const Case cases[] = {
        {"a.flac", 2, 44100, 16, 44100, true},
        {"b.flac", 1, 48000, 24, 48000, true},
        {"c.wav", 2, 22050, 16, 22050, true},
        {"d.ogg", 2, 44100, 16, 44100, false},
        {"e.mp3", 2, 44100, 16, 44100, false},
        {"f.opus", 2, 44100, 16, 48000, false},  // resampled: Opus takes no 44.1 kHz
        {"g.opus", 1, 16000, 16, 16000, false},
        {"h.opus", 1, 11025, 16, 12000, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        const int frames = c.rate * 3 / 2 + 123;  // several blocks, not a whole number of them
        writeFile(dir.file("src.wav"),
                  canonicalWav(static_cast<uint16_t>(c.channels), static_cast<uint32_t>(c.rate),
                               static_cast<uint16_t>(c.bits),
                               toneBytes(c.channels, c.rate, c.bits, frames)));
        ASSERT_EQ(exportAll(dir.file("src.wav"), dir.file(c.name)), "");
        EXPECT_EQ(listing(dir.path()).size(), 2u) << "no staged file is left";
        const Sound in = readSound(dir.file("src.wav"));
        const Sound out = readSound(dir.file(c.name));
        EXPECT_EQ(out.info.channels, c.channels);
        EXPECT_EQ(out.info.samplerate, c.readRate);
        if (c.exact) {
            EXPECT_TRUE(out.ints == in.ints) << "samples differ";
            continue;
        }
        const double expected = static_cast<double>(frames) * c.readRate / c.rate;
        EXPECT_NEAR(static_cast<double>(out.ints.size() / c.channels), expected,
                    2);  // the whole length, the resampler drained
        EXPECT_NEAR(20 * std::log10(out.rms / in.rms), 0.0, 0.5) << "level changed";
    }
}

TEST(SoundExport, AnExportedFlacReadBySoxHoldsTheWavSamples) {
    TempDir dir;
    writeFile(dir.file("src.wav"), canonicalWav(2, 48000, 24, toneBytes(2, 48000, 24, 70000)));
    ASSERT_EQ(exportAll(dir.file("src.wav"), dir.file("out.flac")), "");
    const std::string sox = "sox '" + dir.file("out.flac") + "' '" + dir.file("back.wav") + "'";
    ASSERT_EQ(std::system(sox.c_str()), 0);
    EXPECT_TRUE(readSound(dir.file("back.wav")).ints == readSound(dir.file("src.wav")).ints);
}

TEST(SoundExport, ACancelOrAFullDiskLeavesTheOlderFileAsItWas) {
    for (const char* name : {"x.flac", "x.opus", "x.wav"}) {
        SCOPED_TRACE(name);
        TempDir dir;
        writeFile(dir.file("src.wav"), canonicalWav(2, 44100, 16, toneBytes(2, 44100, 16, 90000)));
        writeFile(dir.file(name), Bytes{'o', 'l', 'd'});
        {
            SoundExport e;
            ASSERT_EQ(e.open(dir.file("src.wav"), dir.file(name), *exportFormatFor(name)), "");
            EXPECT_EQ(e.step(), SoundExport::Step::More);
            EXPECT_EQ(listing(dir.path()).size(), 3u);  // the staged file beside them
            e.cancel();
            EXPECT_EQ(listing(dir.path()).size(), 2u);
        }
        {
            FileSizeLimit full(20000);
            const std::string why = exportAll(dir.file("src.wav"), dir.file(name));
            EXPECT_NE(why.find(dir.file(name)), std::string::npos) << why;
        }
        EXPECT_EQ(listing(dir.path()).size(), 2u);
        EXPECT_TRUE(holds(dir.file(name), Bytes{'o', 'l', 'd'}));
    }
}

TEST(SoundExport, FormatsByExtensionAndOpusRates) {
    EXPECT_EQ(exportFormatFor("a/b.FLAC"), ExportFormat::Flac);
    EXPECT_EQ(exportFormatFor("b.oga"), ExportFormat::Vorbis);
    EXPECT_EQ(exportFormatFor("b.flac.txt"), std::nullopt);
    EXPECT_EQ(exportFormatFor("flac"), std::nullopt);
    const int rates[][2] = {{8000, 8000},   {11025, 12000}, {12000, 12000}, {22050, 24000},
                            {32000, 48000}, {44100, 48000}, {96000, 48000}};
    for (const auto& r : rates)
        EXPECT_EQ(opusRateFor(r[0]), r[1]) << r[0];
}

}  // namespace
}  // namespace pelkit

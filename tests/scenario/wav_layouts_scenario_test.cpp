// WAV files laid out as other programs write them, generated here chunk by chunk and played to
// the end through the headless program: chunks before and after the data, odd sizes with and
// without their pad byte, data sizes that cannot be believed, and encodings that cannot be
// played. What --audio-out receives is the sound alone, or the file is refused by name with
// nothing played; the file is never changed.
#include <gtest/gtest.h>

#include <optional>

#include "scenario/scenario_support.h"

namespace pelkit::test {
namespace {

constexpr size_t kBlock = 49152;  // bytes per played block at the default settings

Chunk fmt(uint16_t tag, uint16_t channels, uint32_t rate, uint16_t bits, size_t size = 16) {
    Bytes b;
    put16(b, tag);
    put16(b, channels);
    put32(b, rate);
    put32(b, rate * channels * bits / 8);
    put16(b, static_cast<uint16_t>(channels * bits / 8));
    put16(b, bits);
    b.resize(size, 0);
    return {"fmt ", b};
}

// An extensible fmt body whose sub-format is the format tag TAG.
Chunk extensible(uint16_t tag, uint16_t channels, uint16_t bits) {
    Chunk p = fmt(0xFFFE, channels, 44100, bits, 18);
    p.body[16] = 22;
    put16(p.body, bits);
    put32(p.body, 0);
    put16(p.body, tag);
    for (int v : {0, 0, 0, 0, 0x10, 0, 0x80, 0, 0, 0xAA, 0, 0x38, 0x9B, 0x71})
        p.body.push_back(static_cast<uint8_t>(v));
    return p;
}

Chunk text(const char* tag, size_t n) {
    return {tag, Bytes(n, 'x')};
}

const Bytes kSound = noiseBytes(3000, 1);  // 16-bit stereo: 750 frames
const Bytes kOdd = noiseBytes(2999, 2);    // 8-bit mono, an odd count

struct Case {
    const char* name;
    Bytes file;
    Bytes sound;          // what is played; with a refusal, nothing
    std::string refusal;  // the words after the file's name in the message, or nothing
    bool asSubSound;      // also played as a sub sound over a silent main sound
};

std::vector<Case> cases() {
    const Chunk pcm16 = fmt(1, 2, 44100, 16);
    const Chunk pcm8 = fmt(1, 1, 44100, 8);
    const Chunk data{"data", kSound};
    const Chunk list = text("LIST", 20);
    Bytes soundAndList = kSound;  // the sound and the LIST chunk after it, as they lie in the file
    putTag(soundAndList, "LIST");
    put32(soundAndList, 20);
    append(soundAndList, list.body);
    const std::string pcmOnly = "; only 8-, 16-, 24- and 32-bit PCM and 32-bit float can be played";
    const std::string float64 = "holds 64-bit IEEE float samples" + pcmOnly;
    const std::string tagOnly = "; only PCM and IEEE float WAV files can be played";
    return {
        {"LIST before, smpl after", riffFile({pcm16, text("LIST", 13), data, text("smpl", 36)}),
         kSound, "", false},
        {"id3 and cue after", riffFile({pcm16, data, text("id3 ", 27), text("cue ", 28)}), kSound,
         "", true},
        {"JUNK before, bext after, 18-byte fmt and fact",
         riffFile({fmt(1, 2, 44100, 16, 18), text("fact", 4), text("JUNK", 10), data,
                   text("bext", 602)}),
         kSound, "", false},
        {"odd data with its pad, LIST after", riffFile({pcm8, {"data", kOdd}, text("LIST", 20)}),
         kOdd, "", false},
        {"odd data without its pad, id3 after",
         riffFile({pcm8, {"data", kOdd, std::nullopt, false}, text("id3 ", 20)}), kOdd, "", false},
        {"odd LIST before without its pad",
         riffFile({pcm16, {"LIST", Bytes(9, 'i'), std::nullopt, false}, data, text("JUNK", 8)}),
         kSound, "", false},
        {"extensible 24-bit, LIST after", riffFile({extensible(1, 2, 24), data, text("LIST", 20)}),
         kSound, "", false},
        {"declared smaller than the file", riffFile({pcm16, {"data", kSound, 1000}}),
         Bytes(kSound.begin(), kSound.begin() + 1000), "", true},
        {"declared larger than the file (cut short)", riffFile({pcm16, {"data", kSound, 9000}}),
         kSound, "", false},
        {"declared 0, chunk after: all after the header",
         riffFile({pcm16, {"data", kSound, 0}, list}), soundAndList, "", false},
        {"declared FF FF FF FF, chunk after: all after the header",
         riffFile({pcm16, {"data", kSound, 0xFFFFFFFFu}, list}), soundAndList, "", true},
        {"64-bit float",
         riffFile({fmt(3, 2, 44100, 64), text("fact", 4), data}),
         {},
         float64,
         false},
        {"64-bit float, extensible", riffFile({extensible(3, 2, 64), data}), {}, float64, false},
        {"20-bit",
         riffFile({fmt(1, 2, 44100, 20), data}),
         {},
         "holds 20-bit PCM samples" + pcmOnly,
         false},
        {"ADPCM",
         riffFile({fmt(2, 2, 44100, 4, 20), text("fact", 4), data}),
         {},
         "holds sound in ADPCM encoding (format tag 2)" + tagOnly,
         false},
        {"µ-law",
         riffFile({fmt(7, 1, 8000, 8, 18), data}),
         {},
         "holds sound in µ-law encoding (format tag 7)" + tagOnly,
         false},
        {"A-law",
         riffFile({fmt(6, 1, 8000, 8), data}),
         {},
         "holds sound in A-law encoding (format tag 6)" + tagOnly,
         false},
        {"20 channels, extensible",
         riffFile({extensible(1, 20, 16), data}),
         {},
         "holds 20 channels; the sound output takes at most 8",
         false},
        {"rate 0",
         riffFile({fmt(1, 2, 0, 16), data}),
         {},
         "says its rate is 0 samples per second",
         false},
        {"0 channels",
         riffFile({fmt(1, 0, 44100, 16), data}),
         {},
         "says it holds 0 channels",
         false},
    };
}

// SOUND followed by zero bytes up to a whole number of blocks.
Bytes inBlocks(Bytes sound) {
    sound.resize((sound.size() + kBlock - 1) / kBlock * kBlock, 0);
    return sound;
}

Bytes playedBy(const TempDir& dir) {
    Bytes out = readFile(dir.file("out.wav"));
    return out.size() < 44 ? Bytes{} : Bytes(out.begin() + 44, out.end());
}

TEST(WavLayouts, TheSoundIsTheDataChunkAndWhatCannotBePlayedIsNamed) {
    for (const Case& c : cases()) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        writeFile(dir.file("f.wav"), c.file);
        ProgramRun run =
            runHeadless(dir.path(), {"--audio-out", "out.wav", "f.wav"}, "command play\nrun\n");
        EXPECT_EQ(run.status, 0) << run.err;
        EXPECT_EQ(readFile(dir.file("f.wav")), c.file) << "the file was changed";
        if (!c.refusal.empty()) {
            // Named when loaded and again when play is asked for; nothing reaches the device.
            const std::string box =
                "box: pelkit_recorder: f.wav " + c.refusal + ". The file is left as it is.\n";
            EXPECT_EQ(run.out, box + box);
            EXPECT_FALSE(exists(dir.file("out.wav")));
            continue;
        }
        EXPECT_EQ(run.out, "");
        EXPECT_TRUE(playedBy(dir) == inBlocks(c.sound)) << "played bytes differ";

        if (!c.asSubSound) continue;
        // As sub sound 1 over a silent main sound the mix is the sub sound itself.
        TempDir sub;
        writeFile(sub.file("main.wav"), canonicalWav(2, 44100, 16, Bytes(kBlock / 2, 0)));
        writeFile(sub.file("slot.wav"), c.file);
        run = runHeadless(sub.path(), {"--audio-out", "out.wav", "main.wav"},
                          "choose slot.wav\ncommand sub-open1\ncommand sub-play1\n"
                          "command play\nrun\n");
        EXPECT_EQ(run.status, 0) << run.err;
        EXPECT_TRUE(playedBy(sub) == inBlocks(c.sound)) << "sub sound bytes differ";
        EXPECT_EQ(readFile(sub.file("slot.wav")), c.file);
    }
}

}  // namespace
}  // namespace pelkit::test

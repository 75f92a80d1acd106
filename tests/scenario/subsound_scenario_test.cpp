// Sub sounds mixed into playback, through the headless runner: every played block is compared
// with what the mixing rules make of the main file and the slot files, worked out here from the
// files themselves (samples clamped and truncated toward zero, pans ramped across a block).
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "scenario/scenario_support.h"

namespace pelkit::test {
namespace {

constexpr size_t kBlock = 49152;  // bytes per played block at the default settings
constexpr size_t kBlockSamples = kBlock / 2;

using Samples = std::vector<int32_t>;

Samples samplesOf(const Bytes& b) {
    Samples s;
    for (size_t i = 0; i + 1 < b.size(); i += 2)
        s.push_back(static_cast<int16_t>(b[i] | (b[i + 1] << 8)));
    return s;
}

Bytes bytesOf(const Samples& s) {
    Bytes b;
    for (int32_t v : s)
        put16(b, static_cast<uint16_t>(v));
    return b;
}

// Loud 16-bit samples that differ from frame to frame and clip when added; the first frame is
// (FIRSTLEFT, FIRSTRIGHT).
Samples loud(size_t n, int32_t firstLeft, int32_t firstRight, uint32_t seed) {
    Samples s(n);
    uint32_t x = 2463534242u ^ seed;
    for (size_t i = 0; i < n; ++i) {
        x ^= x << 13;
        x ^= x >> 17;
        x ^= x << 5;
        s[i] = static_cast<int32_t>(x % 65536) - 32768;
    }
    s[0] = firstLeft;
    s[1] = firstRight;
    return s;
}

int32_t clamp16(long double v) {
    return static_cast<int32_t>(std::clamp<long double>(v, -32768, 32767));
}

struct Coefficients {
    long double ll, lr, rl, rr;
};

Coefficients panOf(float pan) {
    const auto p = static_cast<float>(pan * 0.01L);
    if (pan > 0) return {1 + p, 0, -p, 1};
    return {1, p, 0, 1 - p};
}

// Adds COUNT samples of SUB (from FROM) into MAIN at AT, boosted, with the pan ramped from
// PANFROM to PANTO over those samples; in times mode multiplies instead.
struct Mixing {
    float boost = 1.0f;
    float panFrom = 0, panTo = 0;
    bool times = false;
};

void mixInto(Samples& main, size_t at, const Samples& sub, size_t from, size_t count,
             const Mixing& m) {
    const Coefficients now = panOf(m.panTo), before = panOf(m.panFrom);
    auto ramp = [count](long double c, long double p, size_t i) {
        return (c * i + p * (count - i)) / count;
    };
    for (size_t i = 0; i + 1 < count; i += 2) {
        const int32_t u = clamp16(static_cast<long double>(m.boost) * sub[from + i]);
        const int32_t w = clamp16(static_cast<long double>(m.boost) * sub[from + i + 1]);
        int32_t& l = main[at + i];
        int32_t& r = main[at + i + 1];
        if (m.times) {
            l = clamp16(int64_t{l} * u / 32767);
            r = clamp16(int64_t{r} * w / 32767);
        } else {
            const long double newL =
                l + ramp(now.ll, before.ll, i) * u + ramp(now.lr, before.lr, i) * w;
            const auto newR = static_cast<float>(r + ramp(now.rl, before.rl, i) * u +
                                                 ramp(now.rr, before.rr, i) * w);
            l = clamp16(newL);
            r = clamp16(newR);
        }
    }
}

// The played blocks: the main samples cut into blocks, the last one completed with zeros.
Samples inBlocks(const Samples& main) {
    Samples out = main;
    out.resize((out.size() + kBlockSamples - 1) / kBlockSamples * kBlockSamples, 0);
    return out;
}

struct Played {
    TempDir dir;
    ProgramRun run;
    Samples played;
};

// Plays MAIN (16-bit stereo, or 8-bit with BITS 8) with the slot files SLOTS (slot.wav,
// slot2.wav ...) in the directory, by SCRIPT.
void play(Played& r, const Bytes& main, const std::vector<Samples>& slots,
          const std::string& script, uint16_t bits = 16) {
    writeFile(r.dir.file("main.wav"), canonicalWav(2, 44100, bits, main));
    for (size_t k = 0; k < slots.size(); ++k) {
        const std::string name = k == 0 ? "slot.wav" : "slot" + std::to_string(k + 1) + ".wav";
        writeFile(r.dir.file(name), canonicalWav(2, 44100, 16, bytesOf(slots[k])));
    }
    r.run = runHeadless(r.dir.path(), {"--audio-out", "out.wav", "main.wav"}, script);
    EXPECT_EQ(r.run.status, 0) << r.run.err;
    EXPECT_EQ(r.run.err, "");
    const Bytes out = readFile(r.dir.file("out.wav"));
    ASSERT_GE(out.size(), 44u);
    r.played = bits == 16 ? samplesOf(Bytes(out.begin() + 44, out.end())) : Samples{};
    if (bits == 8) {
        Bytes whole = main;
        whole.resize((main.size() + kBlock - 1) / kBlock * kBlock, 0);
        EXPECT_TRUE(Bytes(out.begin() + 44, out.end()) == whole);
    }
}

// Slot 1 (index 0) gets slot.wav and starts before the main sound.
const std::string kOpenAndStartSlot1 = "choose slot.wav\ncommand sub-open1\ncommand sub-play1\n";

// One slot at the centre, with boost and pan set in the setting dialog, in times mode (set in
// the record options dialog), and two slots added one after the other. The main sound is 2.5
// blocks and slot 1 is 1.5 blocks: it ends inside the second block, whose rest is the main
// sound alone, and is idle in the third.
TEST(SubSoundMixing, SlotsAddedMultipliedBoostedAndPanned) {
    const Samples main = loud(5 * kBlockSamples / 2, 1000, 30000, 1);
    const Samples slot = loud(3 * kBlockSamples / 2, 2000, 30000, 2);
    const Samples second = loud(kBlockSamples, -7000, 5000, 3);
    struct Case {
        const char* name;
        std::string script;
        Mixing mixing;
        bool twoSlots;
    };
    const Case cases[] = {
        {"centre", kOpenAndStartSlot1, {}, false},
        // Thumb 1000 is boost 2.0; the pan thumb at 50 is pan 50, reached across the first block.
        {"boost and pan",
         kOpenAndStartSlot1 + "command sub-sound-setting\n"
                              "dlg sub_sound_setting scroll boost-bar 5 1000\n"
                              "dlg sub_sound_setting scroll pan-bar 5 50\n",
         {2.0f, 0, 50, false},
         false},
        {"times",
         kOpenAndStartSlot1 + "command record-options\ndlg command mixing-toggle\n"
                              "dlg command ok\n",
         {1.0f, 0, 0, true},
         false},
        {"two slots",
         kOpenAndStartSlot1 + "choose slot2.wav\ncommand sub-open2\ncommand sub-play2\n",
         {},
         true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Played r;
        std::vector<Samples> files = {slot};
        if (c.twoSlots) files.push_back(second);
        play(r, bytesOf(main), files, c.script + "command play\nrun\n");

        Samples want = main;
        Mixing steady = c.mixing;
        steady.panFrom = steady.panTo;
        mixInto(want, 0, slot, 0, kBlockSamples, c.mixing);
        mixInto(want, kBlockSamples, slot, kBlockSamples, kBlockSamples / 2, steady);
        if (c.twoSlots) mixInto(want, 0, second, 0, kBlockSamples, {});
        ASSERT_EQ(r.played.size(), 3 * kBlockSamples);
        EXPECT_TRUE(r.played == inBlocks(want));
        if (std::string(c.name) == "centre") {
            // 1000 + 2000 and 30000 + 30000 clamped.
            EXPECT_EQ(r.played[0], 3000);
            EXPECT_EQ(r.played[1], 32767);
        }
    }
}

// A slot started while the main sound plays records the main position and is mixed from its
// first sample into the next block refilled; half a block long, it ends inside that block and
// rewinds, so ">" starts it from its beginning again.
TEST(SubSoundMixing, SlotStartedMidPlayBeginsAtTheNextBlockAndRewindsAtItsEnd) {
    const Samples main = loud(15 * kBlockSamples / 2, 5, 6, 4);
    const Samples slot = loud(kBlockSamples / 2, 7, 8, 5);
    Played r;
    // Four blocks are refilled when the device opens: the first press is heard in block 4 and
    // records position 4 blocks; the second, after two more blocks, in block 6.
    play(r, bytesOf(main), {slot},
         "choose slot.wav\ncommand sub-open1\ncommand play\ncommand sub-play1\n"
         "command sub-sound-setting\ndlg sub_sound_setting print start-field\n"
         "play-blocks 2\ncommand sub-play1\ndlg sub_sound_setting command pan-reset\n"
         "dlg sub_sound_setting print start-field\nrun\n");
    Samples want = main;
    mixInto(want, 4 * kBlockSamples, slot, 0, slot.size(), {});
    mixInto(want, 6 * kBlockSamples, slot, 0, slot.size(), {});
    EXPECT_TRUE(r.played == inBlocks(want));
    EXPECT_EQ(r.run.out, "1123: " + std::to_string(4 * kBlock) +
                             "\n1123: " + std::to_string(6 * kBlock) + "\n");
}

// An 8-bit main sound takes nothing from its slots, but they advance: after the four blocks
// primed at the open the slot has played 4 x 49,152 bytes, shown at 88,200 bytes a second.
TEST(SubSoundMixing, EightBitSoundIsLeftAsItIsWhileTheSlotsAdvance) {
    Bytes main(5 * kBlock + kBlock / 2);
    for (size_t i = 0; i < main.size(); ++i)
        main[i] = static_cast<uint8_t>(i * 7 + i / 253);
    Played r;
    play(r, main, {loud(5 * kBlockSamples, 30000, -30000, 6)},
         kOpenAndStartSlot1 +
             "command sub-sound-setting\ncommand play\n"
             "dlg sub_sound_setting command pan-reset\n"
             "dlg sub_sound_setting print time-field\nrun\n",
         8);
    EXPECT_EQ(r.run.out, "1125: 0000:02.229\n");  // 196,608 / 88,200 s
}

// A slot file that cannot be played is named when it is given to the slot, by "open" or by a
// sequence file, rather than the slot only falling silent when started.
TEST(SubSoundFiles, FilesThatCannotBePlayedAreNamed) {
    TempDir dir;
    writeFile(dir.file("song.wav"), canonicalWav(2, 44100, 16, Bytes(4 * kBlock, 0)));
    writeFile(dir.file("good.wav"), canonicalWav(2, 44100, 16, Bytes(400, 0)));
    writeText(dir.file("notes.txt"), "not a sound\n");
    writeText(dir.file("set.ts1"), "main:song.wav\nt 1:good.wav\nt 3:missing.wav\nt 5:notes.txt\n");
    const std::string box = "box: pelkit_recorder: The file ";
    struct Case {
        std::string script;
        std::string out;  // the boxes shown, in order
    };
    const Case cases[] = {
        {"choose good.wav\ncommand sub-open1\n", ""},
        {"choose missing.wav\ncommand sub-open2\n",
         box + "missing.wav of sub sound slot 2 cannot be played: it cannot be opened.\n"},
        {"choose notes.txt\ncommand sub-open1\n",
         box + "notes.txt of sub sound slot 1 cannot be played: it is not a readable WAV file.\n"},
        {"choose set.ts1\ncommand sequence-open\n",
         box + "missing.wav of sub sound slot 3 cannot be played: it cannot be opened. The file " +
             "notes.txt of sub sound slot 5 cannot be played: it is not a readable WAV file.\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.script);
        ProgramRun r = runHeadless(dir.path(), {"song.wav"}, c.script);
        ASSERT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(r.out, c.out);
    }
}

}  // namespace
}  // namespace pelkit::test

// Whole playback through the headless runner. The virtual output device writes every block it
// finishes to --audio-out, so the played sound can be compared byte for byte with what the play
// rules make of the source file. At the default settings a played block is its source bytes
// followed by zero bytes up to the block size; every expectation below is assembled from slices
// of the source data.
#include <gtest/gtest.h>

#include <initializer_list>

#include "scenario/scenario_support.h"

namespace pelkit::test {
namespace {

constexpr size_t kBlock = 49152;  // default block size; at speed 1 also the bytes read per block
constexpr size_t kHeader = 44;

// What a run plays: each piece is a run of consecutive blocks, its last block completed with
// zero bytes.
Bytes blocks(std::initializer_list<Bytes> pieces) {
    Bytes out;
    for (const Bytes& p : pieces) {
        out.insert(out.end(), p.begin(), p.end());
        out.resize((out.size() + kBlock - 1) / kBlock * kBlock, 0);
    }
    return out;
}

// The 2-byte units of B in reverse order.
Bytes reversedUnits(const Bytes& b) {
    Bytes r(b.size());
    for (size_t i = 0; i + 1 < b.size(); i += 2) {
        r[i] = b[b.size() - 2 - i];
        r[i + 1] = b[b.size() - 1 - i];
    }
    return r;
}

struct Played {
    uint32_t channels = 0, rate = 0, bits = 0, blockAlign = 0;
    Bytes data;
};

// The output file: its format and the concatenated blocks.
Played readPlayed(const std::string& path) {
    Bytes f = readFile(path);
    Played p;
    if (f.size() < kHeader) {
        ADD_FAILURE() << path << " holds " << f.size() << " bytes";
        return p;
    }
    p.channels = le(f, 22, 2);
    p.rate = le(f, 24, 4);
    p.blockAlign = le(f, 32, 2);
    p.bits = le(f, 34, 2);
    p.data = slice(f, kHeader, f.size());
    EXPECT_EQ(le(f, 40, 4), p.data.size()) << "data size field";
    EXPECT_EQ(p.data.size() % kBlock, 0u) << "blocks are written whole";
    return p;
}

// Plays FILE (written into a fresh directory as NAME) with SCRIPT; returns what was played.
struct Session {
    TempDir dir;
    ProgramRun run;
    Played played;
};

void play(Session& s, const std::string& name, const Bytes& file, const std::string& script) {
    writeFile(s.dir.file(name), file);
    s.run = runHeadless(s.dir.path(), {"--audio-out", "out.wav", name}, script);
    EXPECT_EQ(s.run.status, 0) << s.run.err;
    EXPECT_EQ(s.run.err, "");
    s.played = readPlayed(s.dir.file("out.wav"));
}

// The time readout of field 1038 for BYTES of 16-bit stereo at 8000 Hz (32,000 bytes a second).
std::string timeAt32k(size_t bytes) {
    char text[32];
    std::snprintf(text, sizeof text, "1038: %04zu:%06.3f\n", bytes / 32000 / 60,
                  static_cast<double>(bytes % (32000 * 60)) / 32000);
    return text;
}

Bytes stereo16(const Bytes& data) {
    return canonicalWav(2, 8000, 16, data);
}

// ----- the end of the file -----

TEST(PlaybackEnd, FileEndingInsideABlockPlaysItsRestThenZerosAndStops) {
    // 4.5 blocks and 2 bytes: the half frame at the end is not played. The last block reuses the
    // buffer of the first, so nothing of that may show through.
    Bytes data = noiseBytes(4 * kBlock + kBlock / 2 + 2, 1);
    Bytes heard = slice(data, 0, data.size() - 2);
    struct Case {
        const char* name;
        Bytes file;
    };
    const Case cases[] = {
        {"canonical header", canonicalWav(2, 44100, 16, data)},
        // The sound starts after the fmt chunk's two extra bytes and the fact chunk.
        {"header with fact chunk", wavWithChunks(18, {{"fact", {9, 9, 9, 9}}}, data)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Session s;
        play(s, "s.wav", c.file, "command 1002\nrun\n");
        EXPECT_EQ(s.played.channels, 2u);
        EXPECT_EQ(s.played.rate, 44100u);
        EXPECT_EQ(s.played.bits, 16u);
        EXPECT_EQ(s.played.data, blocks({heard}));
    }
}

TEST(PlaybackEnd, DataOfWholeReadsEndsWithOneSilentBlockWithOrWithoutRepeat) {
    // The read after the last full block obtains nothing: that block is all zero bytes, and
    // play ends even when repeating.
    Bytes data = noiseBytes(2 * kBlock, 2);
    for (const char* start : {"command 1002\n", "command 1006\n"}) {
        SCOPED_TRACE(start);
        Session s;
        play(s, "s.wav", stereo16(data), std::string(start) + "play-blocks 8\nprint 1038\n");
        EXPECT_EQ(s.played.data, blocks({data, Bytes(kBlock, 0)}));
        // Idle again: the time readout shows the whole sound.
        EXPECT_EQ(s.run.out, timeAt32k(data.size()));
    }
}

TEST(PlaybackEnd, RepeatCompletesTheLastBlockWithZerosAndGoesOnFromTheFirstByte) {
    Bytes data = noiseBytes(2 * kBlock + kBlock / 2, 3);
    Session s;
    // Repeat chosen while idle starts playing.
    play(s, "s.wav", stereo16(data), "command 1006\nplay-blocks 7\ncommand 1004\n");
    EXPECT_EQ(s.played.data, blocks({data, data, slice(data, 0, kBlock)}));
}

TEST(PlaybackEnd, StopResetsRepeatAndPosition) {
    Bytes data = noiseBytes(2 * kBlock + kBlock / 2, 4);
    Session s;
    // Stopped while repeating after two blocks; the next play starts at the first byte and
    // plays once: three blocks, however many are asked for.
    play(s, "s.wav", stereo16(data),
         "command 1006\nplay-blocks 2\ncommand 1004\nprint 1038\n"
         "command 1002\nplay-blocks 9\nprint 1038\n");
    EXPECT_EQ(s.played.data, blocks({slice(data, 0, 2 * kBlock), data}));
    EXPECT_EQ(s.run.out, timeAt32k(data.size()) + timeAt32k(data.size()));
}

TEST(PlaybackEnd, ClosingWhilePlayingEndsTheProgramAfterTheFinishedBlocks) {
    Bytes data = noiseBytes(8 * kBlock, 17);
    Session s;
    // The blocks still queued at the close are never heard.
    play(s, "s.wav", stereo16(data), "command 1002\nplay-blocks 2\nclose\nprint 1038\n");
    EXPECT_EQ(s.played.data, slice(data, 0, 2 * kBlock));
    EXPECT_EQ(s.run.out, "");
    EXPECT_EQ(textLines(readText(s.dir.file(kIniName))),
              (std::vector<std::string>{"[init]", "endstatus=ok"}));
}

// ----- pause -----

TEST(PlaybackPause, NoBlockFinishesWhilePausedAndPlayGoesOn) {
    Bytes data = noiseBytes(8 * kBlock, 5);
    Session s;
    // Four blocks are primed when the device opens, so after K finished blocks the readout
    // shows the position of block 3 + K.
    play(s, "s.wav", stereo16(data),
         "command 1002\nplay-blocks 1\ncommand 1003\nprint 1038\nplay-blocks 3\nprint 1038\n"
         "command 1003\nplay-blocks 2\nprint 1038\ncommand 1004\n"
         // Stopped while paused: the next play is not paused.
         "command 1002\ncommand 1003\ncommand 1004\ncommand 1002\nplay-blocks 1\n"
         "command 1004\n");
    EXPECT_EQ(s.played.data, blocks({slice(data, 0, 3 * kBlock), slice(data, 0, kBlock)}));
    EXPECT_EQ(s.run.out, timeAt32k(4 * kBlock) + timeAt32k(4 * kBlock) + timeAt32k(6 * kBlock));
}

// ----- formats -----

TEST(PlaybackFormats, EightBitAndMonoFilesPlayTheirBytesInTheirOwnFormat) {
    struct Case {
        uint16_t channels, bits;
    };
    for (Case c : {Case{1, 8}, Case{2, 8}, Case{1, 16}}) {
        SCOPED_TRACE(std::to_string(c.channels) + " channels, " + std::to_string(c.bits) + " bit");
        uint32_t frame = c.channels * c.bits / 8u;
        Bytes data = noiseBytes(4 * kBlock + 1001, 6);
        Session s;
        play(s, "s.wav", canonicalWav(c.channels, 22050, c.bits, data), "command 1002\nrun\n");
        EXPECT_EQ(s.played.channels, c.channels);
        EXPECT_EQ(s.played.bits, c.bits);
        EXPECT_EQ(s.played.rate, 22050u);
        // Whole frames of the short last read; the tail is zero bytes, for 8-bit sound too.
        EXPECT_EQ(s.played.data, blocks({slice(data, 0, 4 * kBlock + 1001 / frame * frame)}));
    }
}

TEST(PlaybackFormats, TwentyFourBitPlayedAsSixteenBit) {
    // A 24-bit stereo block reads 1.5 x 49,152 bytes: six full reads and 30,000 bytes more.
    const size_t read24 = kBlock * 3 / 2;
    Bytes data = noiseBytes(6 * read24 + 30000, 7);
    Bytes high;  // the two high-order bytes of every 3-byte sample
    for (size_t i = 0; i < data.size(); i += 3) {
        high.push_back(data[i + 1]);
        high.push_back(data[i + 2]);
    }
    Session s;
    play(s, "s.wav", canonicalWav(2, 48000, 24, data),
         "command 40027\ncommand 1002\nprint scroll position\nrun\n");
    EXPECT_EQ(s.played.bits, 16u);
    EXPECT_EQ(s.played.channels, 2u);
    EXPECT_EQ(s.played.blockAlign, 4u);
    EXPECT_EQ(s.played.data, blocks({high}));
    // The position counts the converted bytes: 3 x 49,152 when the fourth block is read.
    EXPECT_EQ(s.run.out,
              "position: 1..1000 @ " + std::to_string(3 * kBlock * 1000 / data.size()) + "\n");
}

TEST(PlaybackFormats, TwentyFourBitWithoutConversionIsPlayedAsItIs) {
    Bytes data = noiseBytes(kBlock * 3 / 2 + 600, 8);
    Session s;
    play(s, "s.wav", canonicalWav(2, 48000, 24, data), "command 1002\nrun\n");
    EXPECT_EQ(s.played.bits, 24u);
    // 49,152 is a whole number of 6-byte frames: one full block, then the rest.
    EXPECT_EQ(s.played.data, blocks({data}));
}

// ----- reverse -----

TEST(PlaybackReverse, PlaysBlocksBackwardsWithUnitsExchangedAndStopsBeforeTheHeader) {
    // Three blocks less 20 bytes: after two blocks the step back would take 20 header bytes.
    Bytes data = noiseBytes(3 * kBlock - 20, 9);
    const size_t d = data.size();
    Session s;
    // Reverse chosen while idle starts playing, from the end of the file.
    play(s, "s.wav", stereo16(data), "command 1005\nprint 1038\nrun\nprint 1038\n");
    EXPECT_EQ(s.played.data, blocks({reversedUnits(slice(data, d - kBlock, d)),
                                     reversedUnits(slice(data, d - 2 * kBlock, d - kBlock))}));
    // The position counts upwards by the bytes read.
    EXPECT_EQ(s.run.out, timeAt32k(2 * kBlock) + timeAt32k(d));

    // Reverse lasts one run: the next play goes forwards.
    Session again;
    play(again, "s.wav", stereo16(data), "command 1005\nrun\ncommand 1002\nplay-blocks 1\n");
    EXPECT_EQ(again.played.data.size(), 3 * kBlock);
    EXPECT_EQ(slice(again.played.data, 2 * kBlock, 3 * kBlock), slice(data, 0, kBlock));
}

// ----- range -----

// D = 480,000 bytes: a bar index i stands for 480 x i bytes.
constexpr size_t kRangeData = 480000;

TEST(PlaybackRange, PlaysWholeBlocksFromStartWhileTheyFitBeforeEnd) {
    Bytes data = noiseBytes(kRangeData, 10);
    Session s;
    // Bars at 100 and 400: the range is 48,000 .. 192,000. The third block would pass its end.
    play(s, "s.wav", stereo16(data),
         "scroll start 5 99\nscroll end 5 399\ncommand 1052\nprint 1052\ncommand 1002\nrun\n");
    EXPECT_EQ(s.run.out, "1052: start-end (checked)\n");
    EXPECT_EQ(s.played.data, blocks({slice(data, 48000, 48000 + 2 * kBlock)}));
}

TEST(PlaybackRange, WithRepeatGoesBackToStart) {
    Bytes data = noiseBytes(kRangeData, 11);
    Session s;
    // The bounds taken from the position: 96,000 and 244,800 (three blocks fit).
    play(s, "s.wav", stereo16(data),
         "command 1052\nscroll position 5 200\ncommand 1155\nscroll position 5 510\n"
         "command 1156\ncommand 1006\nplay-blocks 5\ncommand 1004\n"
         // Range off again: the whole file plays.
         "command 1052\nprint 1052\ncommand 1002\nrun\n");
    Bytes range = slice(data, 96000, 96000 + 3 * kBlock);
    EXPECT_EQ(s.run.out, "1052: full\n");
    EXPECT_EQ(s.played.data, blocks({range, slice(range, 0, 2 * kBlock), data}));
}

// ----- skip marks -----

// Marks a pair with the position bar at indexes FROM and TO.
std::string skipPair(int from, int to) {
    return "scroll position 5 " + std::to_string(from) + "\ncommand 1129\nscroll position 5 " +
           std::to_string(to) + "\ncommand 1130\n";
}

TEST(PlaybackSkip, PairsAreTakenInListOrder) {
    Bytes data = noiseBytes(kRangeData, 12);
    Session s;
    // First pair 300,000 .. 350,400, then 100,800 .. 201,600; the stop button puts the position
    // back to 0.
    play(s, "s.wav", stereo16(data),
         skipPair(625, 730) + skipPair(210, 420) +
             "print 1036\ncommand 1004\ncommand 1131\ncommand 1002\nrun\n");
    EXPECT_EQ(s.run.out, "1036: skip 100800,201600, num 2\n");
    // The second pair's start is passed early but it waits for the first, which is taken once
    // a block begins beyond 300,000 (the eighth); the next block then takes the second pair.
    EXPECT_EQ(s.played.data,
              blocks({slice(data, 0, 7 * kBlock), slice(data, 350400, 350400 + kBlock),
                      slice(data, 201600, data.size())}));
}

TEST(PlaybackSkip, PairsBehindTheStartPositionAreNotTaken) {
    Bytes data = noiseBytes(kRangeData, 13);
    Session s;
    // Pairs 100,320 .. 150,240 and 300,000 .. 399,840 in this order; play starts at 240,000,
    // so the cursor starts at the second pair and the first is never taken.
    play(s, "s.wav", stereo16(data),
         skipPair(209, 313) + skipPair(625, 833) + "print 1036\ncommand 1131\n" +
             "scroll position 5 500\ncommand 1002\nrun\n");
    EXPECT_EQ(s.run.out, "1036: skip 300000,399840, num 2\n");
    EXPECT_EQ(s.played.data,
              blocks({slice(data, 240000, 240000 + 2 * kBlock), slice(data, 399840, data.size())}));
}

TEST(PlaybackSkip, MarksAreIgnoredWithSkipOffAndPairsMustRunForwards) {
    Bytes data = noiseBytes(kRangeData, 14);
    Session s;
    // A pair whose end lies before its start is not made; the other is off with 1131 twice.
    play(s, "s.wav", stereo16(data),
         skipPair(400, 100) + "print 1036\n" + skipPair(100, 400) +
             "command 1131\ncommand 1131\ncommand 1004\ncommand 1002\nrun\n");
    EXPECT_EQ(s.run.out, "1036: skip 192000,48000, num 0\n");
    EXPECT_EQ(s.played.data, blocks({data}));
}

// ----- continuous play -----

TEST(PlaybackContinuous, GoesOnIntoTheNextNumberedFileAndReturnsToTheFirstName) {
    Bytes first = noiseBytes(kBlock + kBlock / 2, 15);
    Bytes second = noiseBytes(3 * kBlock + kBlock / 4, 16);
    Session s;
    writeFile(s.dir.file("x_002.wav"), stereo16(second));
    play(s, "x_001.wav", stereo16(first),
         "print title\ncommand 40012\ncommand 1002\nprint title\nprint 1038\nrun\nprint title\n");
    Bytes both = first;
    both.insert(both.end(), second.begin(), second.end());
    // The block that reaches the end of x_001 goes on with x_002's first bytes.
    EXPECT_EQ(s.played.data, blocks({both}));

    // Printed: the title before, the title and the time while x_002 plays, the title after.
    std::vector<std::string> lines = textLines(s.run.out);
    ASSERT_EQ(lines.size(), 4u) << s.run.out;
    std::string during = lines[0];
    size_t at = during.find("x_001.wav");
    ASSERT_NE(at, std::string::npos) << during;
    during.replace(at, 9, "x_002.wav");
    EXPECT_EQ(lines[1], during);
    EXPECT_EQ(lines[3], lines[0]);
    // The position is the place in x_002 once it plays: the fourth block is read after half a
    // block of x_002 (in the second block) and one whole block (the third).
    EXPECT_EQ(lines[2] + "\n", timeAt32k(kBlock + kBlock / 2));

    // Without continuous play the first file plays alone.
    Session alone;
    writeFile(alone.dir.file("x_002.wav"), stereo16(second));
    play(alone, "x_001.wav", stereo16(first), "command 1002\nrun\n");
    EXPECT_EQ(alone.played.data, blocks({first}));
}

}  // namespace
}  // namespace pelkit::test

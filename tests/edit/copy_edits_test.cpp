// The copy edits run through their jobs on real files: every boosted sample, cut ranges, a missing
// join file, division, sources with extra chunks, and failures that must leave no partial output.
// The exact output files of each edit are checked through the program in
// scenario/file_edit_scenario_test.cpp.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <vector>

#include "edit/copy_edits.h"
#include "edit/sample_blocks.h"
#include "files/wav_format.h"
#include "support/test_support.h"

namespace pelkit {
namespace {

using namespace test;
namespace fs = std::filesystem;

EditSource sourceFor(const std::string& path) {
    EditSource s{path, {}};
    EXPECT_TRUE(ReadWavHeader(path, s.header));
    return s;
}

TEST(EditBoost, FactorsAndSamples) {
    struct Case {
        uint32_t rate;
        int16_t in, out;
    };
    const Case cases[] = {
        {33, 100, 32},   {33, 1000, 329},       {70, 100, 69},         {150, -3, -4},
        {200, 100, 200}, {200, 20000, 32767},   {200, -20000, -32768}, {0, 12345, 0},
        {0, -32768, 0},  {100, -32768, -32768}, {100, 32767, 32767},   {50, -3, -1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(boostSample(c.in, boostFactor(c.rate)), c.out) << c.rate << " " << c.in;

    // Every sample through the table the edits use, against the product in extended precision.
    std::vector<int16_t> all;
    for (int s = -32768; s <= 32767; ++s)
        all.push_back(static_cast<int16_t>(s));
    for (uint32_t rate : {1u, 33u, 70u, 99u, 100u, 150u, 333u, 1000u}) {
        Bytes bytes = samples16(all);
        Booster(rate).apply(bytes.data(), all.size());
        const long double f = boostFactor(rate);
        for (size_t i = 0; i < all.size(); ++i) {
            long double v = std::clamp(all[i] * f, -32768.0L, 32767.0L);
            ASSERT_EQ(value16(bytes, 2 * i), static_cast<int>(v)) << rate << " " << all[i];
        }
    }
}

TEST(EditCut, Ranges) {
    TempDir dir;
    const std::string src = dir.file("x.wav"), out = dir.file("x_Rif.wav");
    const Bytes data = patternBytes(100000);
    writeFile(src, canonicalWav(2, 44100, 16, data));
    const EditSource source = sourceFor(src);

    // Ranges: bytes start..end (cut at the sound's end) under a header of their count, boosted.
    struct Range {
        uint32_t start, end, rate, header, copied;
    };
    for (Range r :
         {Range{1000, 51000, 100, 50000, 50000}, Range{4, 12, 100, 8, 8},
          Range{90000, 200000, 100, 10000, 10000}, Range{2000, 62000, 50, 60000, 60000}}) {
        auto job = makeCutRangeJob(source, out, r.rate, r.start, r.end);
        ASSERT_EQ(job->runToEnd().outcome, EditOutcome::Done);
        EXPECT_EQ(job->progress().done, r.copied);
        Bytes got = readFile(out);
        ASSERT_EQ(got.size(), 44 + r.copied);
        EXPECT_EQ(le(got, 40, 4), r.header);
        for (size_t i = 0; i < r.copied; i += 2) {
            int s = value16(data, r.start + i);
            int expected = r.rate == 100 ? s : static_cast<int>(s * 0.5);
            ASSERT_EQ(value16(got, 44 + i), expected) << i;
        }
    }

    // Refusals write nothing; an 8-bit sound is refused naming its file and sample size.
    fs::remove(out);
    writeFile(dir.file("b8.wav"), canonicalWav(1, 8000, 8, patternBytes(100)));
    struct Refusal {
        EditSource source;
        uint32_t start, end;
        std::string message;
    };
    for (const Refusal& r :
         {Refusal{source, 500, 500, "position error."},
          Refusal{source, 600, 500, "position error."},
          Refusal{source, 100000, 100004, "position error."},
          Refusal{sourceFor(dir.file("b8.wav")), 0, 10,
                  "This edit needs 16-bit sound; " + dir.file("b8.wav") + " is 8-bit."}}) {
        auto job = makeCutRangeJob(r.source, out, 100, r.start, r.end);
        EXPECT_TRUE(job->finished());
        EXPECT_EQ(job->runToEnd().outcome, EditOutcome::Refused);
        EXPECT_EQ(job->result().message, r.message);
        EXPECT_FALSE(exists(out));
    }
}

// A missing right file says which file failed and leaves no output.
TEST(EditJoin, MissingRightFile) {
    TempDir dir;
    writeFile(dir.file("L.wav"), canonicalWav(1, 22050, 16, patternBytes(4000)));
    auto missing = makeJoinJob(dir.file("L.wav"), dir.file("none.wav"), dir.file("o.wav"));
    EXPECT_EQ(missing->runToEnd().outcome, EditOutcome::Failed);
    EXPECT_NE(missing->result().message.find("none.wav"), std::string::npos);
    EXPECT_FALSE(exists(dir.file("o.wav")));
}

TEST(EditDivision, EqualPartsAndNoTemporaryFile) {
    TempDir dir;
    const std::string src = dir.file("d.wav");
    const Bytes data = patternBytes(1000);
    writeFile(src, canonicalWav(2, 44100, 16, data));
    const EditSource source = sourceFor(src);

    ASSERT_EQ(makeDivisionJob(source, src, 3, 100)->runToEnd().outcome, EditOutcome::Done);
    const size_t part = 1000 / 3 / 12 * 12;  // 324: the last 28 bytes are dropped
    for (int i = 1; i <= 3; ++i) {
        Bytes got = readFile(dir.file("d_00" + std::to_string(i) + ".wav"));
        ASSERT_EQ(got.size(), 368u);
        EXPECT_EQ(le(got, 40, 4), part);
        EXPECT_EQ(slice(got, 44, SIZE_MAX), slice(data, (i - 1) * part, i * part));
    }
    EXPECT_EQ(listing(dir.path()).size(), 4u);  // no temporary file left
}

// Extra chunks before the sound are skipped, and chunks after it never become sound.
TEST(EditSourceChunks, OnlyTheSoundIsRead) {
    TempDir dir;
    const Bytes data = samples16({-3, -3, 32767, 32767, 100, 200, -7, 9});
    Bytes file = wavWithChunks(18, {{"LIST", Bytes(6, 0x55)}}, data);
    putTag(file, "id3 ");
    put32(file, 4);
    file.resize(file.size() + 4, 0x77);
    writeFile(dir.file("c.wav"), file);
    const EditSource source = sourceFor(dir.file("c.wav"));

    ASSERT_EQ(makeCutAllJob(source, dir.file("all.wav"), 100)->runToEnd().outcome,
              EditOutcome::Done);
    EXPECT_EQ(slice(readFile(dir.file("all.wav")), 44, SIZE_MAX), data);
    ASSERT_EQ(makeCentreMixJob(source, dir.file("M.wav"))->runToEnd().outcome, EditOutcome::Done);
    Bytes mixed = readFile(dir.file("M.wav"));
    EXPECT_EQ(le(mixed, 40, 4), data.size() / 2);
    EXPECT_EQ(slice(mixed, 44, SIZE_MAX), samples16({-2, 32766, 150, 1}));
}

TEST(EditFailure, NoPartialOutputAndTheOlderFileKept) {
    TempDir dir;
    const std::string src = dir.file("x.wav"), out = dir.file("x_L.wav");
    writeFile(src, canonicalWav(2, 44100, 16, patternBytes(400000)));
    const Bytes older = canonicalWav(1, 8000, 16, patternBytes(64));
    writeFile(out, older);
    const EditSource source = sourceFor(src);
    const auto before = listing(dir.path());

    struct Case {
        const char* name;
        int breakAfterSteps;  // -1: the disk fills up
        const char* says;
    };
    for (Case c : {Case{"disk full", -1, "x_L.wav: File too large"},
                   Case{"source cut short", 3, "x.wav: the file ended early"},
                   Case{"cancelled", 2, "cancelled"}}) {
        writeFile(out, older);
        writeFile(src, canonicalWav(2, 44100, 16, patternBytes(400000)));
        auto job = makeChannelJob(source, Channel::Left, out, 100);
        if (c.breakAfterSteps < 0) {
            FileSizeLimit limit(100000);
            job->runToEnd();
        } else {
            for (int i = 0; i < c.breakAfterSteps; ++i)
                ASSERT_TRUE(job->step());
            if (std::string(c.name) == "cancelled") {
                job->cancel();
            } else {
                fs::resize_file(src, 100000);
                job->runToEnd();
            }
        }
        EXPECT_EQ(job->result().outcome, EditOutcome::Failed) << c.name;
        EXPECT_NE(job->result().message.find(c.says), std::string::npos) << job->result().message;
        EXPECT_EQ(readFile(out), older) << c.name;
        EXPECT_EQ(listing(dir.path()), before) << c.name;
    }

    // A division whose source is cut short in its second part removes the first part as well.
    fs::remove(out);
    writeFile(src, canonicalWav(2, 44100, 16, patternBytes(400000)));
    auto division = makeDivisionJob(source, src, 2, 100);
    while (division->progress().done < 250000)
        ASSERT_TRUE(division->step());
    fs::resize_file(src, 300000);
    EXPECT_EQ(division->runToEnd().outcome, EditOutcome::Failed);
    EXPECT_EQ(listing(dir.path()), std::vector<std::string>{"x.wav"});

    // So does one dropped unfinished, as when its window closes.
    division = makeDivisionJob(sourceFor(src), src, 4, 100);
    while (division->progress().done < 100000)
        ASSERT_TRUE(division->step());
    division.reset();
    EXPECT_EQ(listing(dir.path()), std::vector<std::string>{"x.wav"});
}

}  // namespace
}  // namespace pelkit

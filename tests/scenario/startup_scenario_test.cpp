// Start-up and shut-down of the real program: the settings file, the recovery of a take left by a
// run that did not end, and what a clean end leaves in the working directory.
#include <gtest/gtest.h>
#include <sndfile.h>

#include <filesystem>

#include "scenario/scenario_support.h"

namespace pelkit::test {
namespace {

TEST(FirstStart, EmptyDirectoryShowsDefaultsAndEndsCleanly) {
    TempDir dir;
    ProgramRun run = runHeadless(dir.path(), {},
                                 "print title\nprint 1027\nprint 1025\nprint 1024\nprint 1029\n"
                                 "print 1033\nprint 1034\nprint 1038\n");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(run.out, "title: record.wav" + kTitleTail +
                           "\n1027: 2\n1025: 44100\n1024: 16\n1029: 0\n1033: 176400\n1034: 4\n"
                           "1038: 0000:00.000\n");
    EXPECT_EQ(textLines(readText(dir.file(kIniName))),
              (std::vector<std::string>{"[init]", "endstatus=ok"}));
    EXPECT_FALSE(exists(dir.file(kTempName)));
    EXPECT_FALSE(exists(dir.file("record.wav")));
}

TEST(Recovery, KilledRunFinishesTakeAndPartsWithTheirOwnFormat) {
    TempDir dir;
    writeText(dir.file(kIniName), "[init]\nendstatus=start\nfile=take.wav\n");
    Bytes sound = patternBytes(1001), part = patternBytes(300, 5);
    writeFile(dir.file(kTempName), placeholderWav(1, 22050, 8, sound));
    writeFile(dir.file("pelkit_record_001.wav"), placeholderWav(1, 22050, 8, part));
    writeFile(dir.file("take.wav"), Bytes{'o', 'l', 'd'});

    ProgramRun run = runHeadless(dir.path(), {}, "print title\n");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "title: take.wav" + kTitleTail + "\n");

    // Finished headers carry the real sizes and the take's own format.
    EXPECT_EQ(readFile(dir.file("take.wav")), canonicalWav(1, 22050, 8, sound));
    EXPECT_EQ(readFile(dir.file("take_001.wav")), canonicalWav(1, 22050, 8, part));
    EXPECT_FALSE(exists(dir.file(kTempName)));
    EXPECT_FALSE(exists(dir.file("pelkit_record_001.wav")));
    EXPECT_EQ(textLines(readText(dir.file(kIniName))),
              (std::vector<std::string>{"[init]", "endstatus=ok", "file=take.wav"}));

    SF_INFO info{};
    SNDFILE* f = sf_open(dir.file("take.wav").c_str(), SFM_READ, &info);
    ASSERT_NE(f, nullptr) << sf_strerror(nullptr);
    EXPECT_EQ(info.frames, 1001);
    EXPECT_EQ(info.channels, 1);
    EXPECT_EQ(info.samplerate, 22050);
    EXPECT_EQ(info.format, SF_FORMAT_WAV | SF_FORMAT_PCM_U8);
    Bytes samples(1001);
    EXPECT_EQ(sf_read_raw(f, samples.data(), 1001), 1001);
    EXPECT_EQ(samples, sound);
    sf_close(f);
}

TEST(Recovery, HeaderlessTakeGetsTheDefaultFormat) {
    TempDir dir;
    // "OK" is not "ok": the previous run counts as not ended. The quotes around the name go.
    writeText(dir.file(kIniName), "[init]\nendstatus=OK\nfile=\"my take.wav\"\n");
    Bytes raw = patternBytes(144, 9);
    writeFile(dir.file(kTempName), raw);

    ProgramRun run = runHeadless(dir.path(), {}, "print title\n");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "title: my take.wav" + kTitleTail + "\n");
    // Stereo 44100 Hz 16-bit over the first 44 bytes; the other 100 are the take.
    EXPECT_EQ(readFile(dir.file("my take.wav")),
              canonicalWav(2, 44100, 16, Bytes(raw.begin() + 44, raw.end())));
}

TEST(Recovery, NothingIsMovedAfterACleanEndOrWithoutATake) {
    Bytes previous = canonicalWav(2, 44100, 16, samples16({1, -1, 2, -2}));
    // A clean end leaves nothing to recover; a header without sound is no take.
    for (const auto& [status, temp] :
         {std::pair{"ok", placeholderWav(1, 22050, 8, patternBytes(500))},
          std::pair{"start", placeholderWav(1, 22050, 8)}}) {
        SCOPED_TRACE(status);
        TempDir dir;
        writeText(dir.file(kIniName),
                  std::string("[init]\nendstatus=") + status + "\nfile=t.wav\n");
        writeFile(dir.file("t.wav"), previous);
        writeFile(dir.file(kTempName), temp);
        ProgramRun run = runHeadless(dir.path(), {}, "");
        EXPECT_EQ(run.status, 0);
        EXPECT_EQ(readFile(dir.file("t.wav")), previous);
    }
}

TEST(Recovery, TakeThatCannotReachItsNameIsKeptAndReported) {
    TempDir dir;
    writeText(dir.file(kIniName), "[init]\nendstatus=start\nfile=no_such_dir/take.wav\n");
    Bytes sound = patternBytes(1001);
    writeFile(dir.file(kTempName), placeholderWav(1, 22050, 8, sound));

    ProgramRun run = runHeadless(dir.path(), {}, "");
    EXPECT_EQ(run.status, 0);
    // The finished take survives under some name in the directory, and the box names it.
    int kept = 0;
    for (const auto& entry : std::filesystem::directory_iterator(dir.path())) {
        if (readFile(entry.path().string()) != canonicalWav(1, 22050, 8, sound)) continue;
        ++kept;
        EXPECT_NE(run.out.find("box: pelkit_recorder: "), std::string::npos) << run.out;
        EXPECT_NE(run.out.find(entry.path().filename().string()), std::string::npos) << run.out;
    }
    EXPECT_EQ(kept, 1) << run.out;
}

TEST(Settings, EveryOtherLineSurvivesARun) {
    const std::string lf =
        "; recorder settings\n[other]\nendstatus=keep\nname=x\n\n[init]\nlimitmega=5\n"
        "; the last take\nfile=take.wav\nendstatus=ok\nextra=1\n[tail]\nk=v\n";
    const std::string crlfBefore =
        "; written elsewhere\r\n[init]\r\nendstatus=start\r\nlimitmega=5\r\n[x]\r\ny=1\r\n";
    const std::string crlfAfter =
        "; written elsewhere\r\n[init]\r\nendstatus=ok\r\nlimitmega=5\r\n[x]\r\ny=1\r\n";
    struct Case {
        std::string before, after;
    };
    for (const Case& c : {Case{lf, lf}, Case{crlfBefore, crlfAfter}}) {
        TempDir dir;
        writeText(dir.file(kIniName), c.before);
        ProgramRun run = runHeadless(dir.path(), {}, "");
        EXPECT_EQ(run.status, 0);
        EXPECT_EQ(readText(dir.file(kIniName)), c.after);
    }

    // A missing key goes into its own section, not into the one that follows.
    TempDir dir;
    writeText(dir.file(kIniName), "[init]\nfile=a.wav\n\n[other]\nx=1\n");
    runHeadless(dir.path(), {}, "");
    std::vector<std::string> lines = textLines(readText(dir.file(kIniName)));
    std::erase(lines, "");
    EXPECT_EQ(lines,
              (std::vector<std::string>{"[init]", "file=a.wav", "endstatus=ok", "[other]", "x=1"}));
}

TEST(Settings, KilledRunLeavesStartAndTheNextStartKeepsTheNamedFile) {
    TempDir dir;
    writeText(dir.file(kIniName), "[init]\nendstatus=ok\nfile=take.wav\n");
    Bytes previous = canonicalWav(1, 8000, 8, patternBytes(64));
    writeFile(dir.file("take.wav"), previous);

    {
        LiveProgram live(dir.path(), {});
        ASSERT_TRUE(eventually([&] { return startedIn(dir.path()); }));
        live.signal(SIGKILL);
    }
    EXPECT_EQ(textLines(readText(dir.file(kIniName))),
              (std::vector<std::string>{"[init]", "endstatus=start", "file=take.wav"}));
    EXPECT_EQ(readFile(dir.file(kTempName)), Bytes{});

    ProgramRun run = runHeadless(dir.path(), {}, "print title\n");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "title: take.wav" + kTitleTail + "\n");
    EXPECT_EQ(readFile(dir.file("take.wav")), previous);
    EXPECT_EQ(textLines(readText(dir.file(kIniName))),
              (std::vector<std::string>{"[init]", "endstatus=ok", "file=take.wav"}));
}

}  // namespace
}  // namespace pelkit::test

// Sound files in other formats, opened by each path a WAV file opens by, through the headless
// program: the working copy beside the source plays the source's exact samples; an existing copy
// is replaced only after the question; a file that cannot be decoded is named and changes
// nothing.
#include <gtest/gtest.h>
#include <sndfile.h>

#include <cstdlib>
#include <vector>

#include "scenario/scenario_support.h"

namespace pelkit::test {
namespace {

constexpr size_t kBlock = 49152;

// The samples of PATH as libsndfile reads them (left-aligned integers); empty when unreadable.
std::vector<int> soundInts(const std::string& path) {
    SF_INFO info{};
    SNDFILE* sf = sf_open(path.c_str(), SFM_READ, &info);
    if (!sf) return {};
    std::vector<int> v(static_cast<size_t>(info.frames * info.channels));
    sf_readf_int(sf, v.data(), info.frames);
    sf_close(sf);
    return v;
}

// A 16-bit stereo 44,100 Hz WAV of 1.5 blocks and the FLAC sox makes of it, in DIR.
Bytes makeFlacBySox(const TempDir& dir) {
    const Bytes data = noiseBytes(kBlock + kBlock / 2, 77);
    writeFile(dir.file("src.wav"), canonicalWav(2, 44100, 16, data));
    const std::string command = "sox '" + dir.file("src.wav") + "' '" + dir.file("song.flac") + "'";
    EXPECT_EQ(std::system(command.c_str()), 0);
    return data;
}

TEST(SoundFormatsScenario, AFlacOpenedByEachPathPlaysItsExactSamples) {
    struct Case {
        const char* path;
        std::vector<std::string> args;
        std::string script;
    };
    const Case cases[] = {
        {"command line", {"--audio-out", "out.wav", "song.flac"}, "command play\nrun\n"},
        {"command line /p", {"--audio-out", "out.wav", "/p", "song.flac"}, "run\n"},
        {"open", {"--audio-out", "out.wav"}, "choose song.flac\ncommand open\ncommand play\nrun\n"},
        {"drop", {"--audio-out", "out.wav"}, "drop song.flac\ncommand play\nrun\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        TempDir dir;
        const Bytes data = makeFlacBySox(dir);
        ProgramRun run = runHeadless(dir.path(), c.args, c.script + "print title\n");
        EXPECT_EQ(run.status, 0) << run.err;
        EXPECT_EQ(run.out.rfind("title: song.wav..", 0), 0u) << "no message box: " << run.out;
        EXPECT_TRUE(holds(dir.file("song.wav"), canonicalWav(2, 44100, 16, data)));
        Bytes expected = data;
        expected.resize(2 * kBlock, 0);  // the last block is completed with zero bytes
        const Bytes out = readFile(dir.file("out.wav"));
        ASSERT_GE(out.size(), 44u);
        EXPECT_TRUE(Bytes(out.begin() + 44, out.end()) == expected) << "played bytes differ";
    }
}

TEST(SoundFormatsScenario, AnExistingCopyIsReplacedOnlyAfterTheQuestion) {
    for (const char* answer : {"cancel", "ok"}) {
        SCOPED_TRACE(answer);
        TempDir dir;
        const Bytes data = makeFlacBySox(dir);
        const Bytes older = canonicalWav(1, 8000, 16, noiseBytes(800, 3));
        writeFile(dir.file("song.wav"), older);
        ProgramRun run = runHeadless(
            dir.path(), {},
            std::string("answer ") + answer + "\nchoose song.flac\ncommand open\nprint title\n");
        EXPECT_EQ(run.status, 0) << run.err;
        const bool ok = std::string(answer) == "ok";
        EXPECT_NE(run.out.find("box: pelkit_recorder: song.wav already exists. Replace it with "
                               "the sound of song.flac? -> " +
                               std::string(answer)),
                  std::string::npos)
            << run.out;
        EXPECT_NE(run.out.find(ok ? "title: song.wav.." : "title: record.wav.."), std::string::npos)
            << run.out;
        EXPECT_TRUE(holds(dir.file("song.wav"), ok ? canonicalWav(2, 44100, 16, data) : older));
    }
}

TEST(SoundFormatsScenario, AFileThatCannotBeDecodedIsNamedAndNothingChanges) {
    TempDir dir;
    writeFile(dir.file("bad.flac"), patternBytes(3000, 5));
    ProgramRun run = runHeadless(dir.path(), {"bad.flac"}, "print title\n");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find("box: pelkit_recorder: bad.flac is not a sound file that can be read"),
              std::string::npos)
        << run.out;
    EXPECT_FALSE(exists(dir.file("bad.wav")));
    EXPECT_TRUE(holds(dir.file("bad.flac"), patternBytes(3000, 5)));
}

TEST(SoundFormatsScenario, LoudnessIsOneBoxLineAndNormaliseWritesTheNormCopy) {
    TempDir dir;
    const std::string make =
        "cd '" + dir.path() + "' && sox -n -r 48000 -c 2 -b 24 t.wav synth 20 sine 1000 gain -23";
    ASSERT_EQ(std::system(make.c_str()), 0);
    ProgramRun run = runHeadless(dir.path(), {"t.wav"},
                                 "command loudness\ncommand normalise\ncommand normalise -30\n");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out,
              "box: pelkit_recorder: Loudness of t.wav: -23.0 LUFS, range 0.0 LU, true peak -23.0 "
              "dBTP.\n"
              "box: pelkit_recorder: t_norm.wav written: gain +7.0 dB from -23.0 LUFS, range 0.0 "
              "LU, true peak -23.0 dBTP.\n"
              "box: pelkit_recorder: t_norm.wav already holds sound. Replace it? -> ok\n"
              "box: pelkit_recorder: t_norm.wav written: gain -7.0 dB from -23.0 LUFS, range 0.0 "
              "LU, true peak -23.0 dBTP.\n");
    EXPECT_TRUE(exists(dir.file("t_norm.wav")));
}

TEST(SoundFormatsScenario, TheLoudnessWindowShowsTheFiguresAndNormalisesToTheTypedTarget) {
    TempDir dir;
    const std::string make =
        "cd '" + dir.path() + "' && sox -n -r 48000 -c 2 -b 24 t.wav synth 20 sine 1000 gain -23";
    ASSERT_EQ(std::system(make.c_str()), 0);
    ProgramRun run = runHeadless(dir.path(), {"t.wav"},
                                 "command loudness\n"
                                 "dlg loudness print integrated\ndlg loudness print range\n"
                                 "dlg loudness print true-peak\ndlg loudness print target\n"
                                 "dlg loudness type target -20.5\ndlg loudness command normalise\n"
                                 "dlg loudness type target 3\ndlg loudness command normalise\n"
                                 "dlg loudness close\ncommand normalise\n");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out,
              "box: pelkit_recorder: Loudness of t.wav: -23.0 LUFS, range 0.0 LU, true peak -23.0 "
              "dBTP.\n"
              "1601: -23.0\n1602: 0.0\n1603: -23.0\n1604: -16\n"
              "box: pelkit_recorder: t_norm.wav written: gain +2.5 dB from -23.0 LUFS, range 0.0 "
              "LU, true peak -23.0 dBTP.\n"
              "box: pelkit_recorder: \"3\" is not a loudness target: type LUFS from -70 to 0. "
              "Nothing was written.\n"
              // The typed target is kept for the next normalise.
              "box: pelkit_recorder: t_norm.wav already holds sound. Replace it? -> ok\n"
              "box: pelkit_recorder: t_norm.wav written: gain +2.5 dB from -23.0 LUFS, range 0.0 "
              "LU, true peak -23.0 dBTP.\n");
}

TEST(SoundFormatsScenario, ExportWritesTheChosenFormatAfterTheQuestion) {
    TempDir dir;
    writeFile(dir.file("t.wav"), canonicalWav(2, 44100, 16, noiseBytes(3 * kBlock, 9)));
    writeFile(dir.file("old.flac"), Bytes{'o', 'l', 'd'});
    ProgramRun run = runHeadless(dir.path(), {"t.wav"},
                                 "choose t.flac\ncommand export\n"
                                 "answer cancel\nchoose old.flac\ncommand export\n"
                                 "choose t.opus\ncommand export\n"
                                 "choose t.aac\ncommand export\n"
                                 "choose t.wav\ncommand export\n");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out,
              "box: pelkit_recorder: t.flac written (FLAC, level 5).\n"
              "box: pelkit_recorder: old.flac already exists. Replace it? -> cancel\n"
              "box: pelkit_recorder: t.opus written (Opus, quality 6). Opus is written only at "
              "8, 12, 16, 24 or 48 kHz: the sound was resampled from 44100 Hz to 48000 Hz.\n"
              "box: pelkit_recorder: t.aac: the export writes .flac, .ogg, .opus, .mp3 or .wav "
              "files; choose one of them. Nothing was written.\n"
              "box: pelkit_recorder: t.wav is the file being exported: choose another name. "
              "Nothing was written.\n");
    EXPECT_TRUE(soundInts(dir.file("t.flac")) == soundInts(dir.file("t.wav")));
    EXPECT_TRUE(holds(dir.file("old.flac"), Bytes{'o', 'l', 'd'}));
    EXPECT_FALSE(exists(dir.file("t.aac")));
}

TEST(SoundFormatsScenario, TakesAreAlsoKeptAsFlacWhenTheSwitchIsOn) {
    TempDir dir;
    writeFile(dir.file("in.wav"), canonicalWav(2, 44100, 16, noiseBytes(8 * kBlock, 4)));
    const std::vector<std::string> args = {"--audio-in", "in.wav", "take.wav"};
    // Off at first: no FLAC file.
    ProgramRun run = runHeadless(dir.path(), args,
                                 "command record\nrecord-blocks 2\n"
                                 "command record-stop\n");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_FALSE(exists(dir.file("take.flac")));
    // On: the switch is kept in the settings, and each take leaves its FLAC beside it; the next
    // take asks before the FLAC is replaced.
    run = runHeadless(dir.path(), args,
                      "command flac-takes\ncommand record\nrecord-blocks 3\n"
                      "command record-stop\n");
    EXPECT_EQ(run.status, 0) << run.err;
    ASSERT_EQ(soundInts(dir.file("take.wav")).size(), 3 * kBlock / 2);
    EXPECT_TRUE(soundInts(dir.file("take.flac")) == soundInts(dir.file("take.wav")));
    run = runHeadless(dir.path(), args,
                      "answer ok\nanswer cancel\ncommand record\nrecord-blocks 1\n"
                      "command record-stop\n");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find("take.flac already exists. Replace it? -> cancel"), std::string::npos)
        << run.out;
    EXPECT_EQ(soundInts(dir.file("take.wav")).size(), kBlock / 2);
    EXPECT_EQ(soundInts(dir.file("take.flac")).size(), 3 * kBlock / 2) << "kept after Cancel";
}

}  // namespace
}  // namespace pelkit::test

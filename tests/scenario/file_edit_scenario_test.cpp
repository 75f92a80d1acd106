// The file edits through the real program: the edit dialog driven by "dlg fileedit" lines, every
// operation's output compared byte for byte with what the test builds from the source data, the
// refusals, files with extra chunks, a full disk, and the capture of a processed play.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "scenario/scenario_support.h"

namespace pelkit::test {
namespace {

constexpr size_t kBlock = 49152;

const std::string kOpen = "command file-edit\n";
std::string press(const std::string& control) {
    return "dlg fileedit command " + control + "\n";
}
std::string type(const std::string& field, const std::string& text) {
    return "dlg fileedit type " + field + " " + text + "\n";
}

// A 16-bit stereo 44100 Hz file of DATA, as the edits write it.
Bytes stereoWav(const Bytes& data) {
    return canonicalWav(2, 44100, 16, data);
}

// The files in DIR, without the settings file and the temporary record file.
std::vector<std::string> files(const TempDir& dir) {
    std::vector<std::string> names = listing(dir.path());
    std::erase_if(names, [](const std::string& n) { return n == kIniName || n == kTempName; });
    return names;
}

ProgramRun edit(const TempDir& dir, const std::vector<std::string>& args,
                const std::string& script) {
    ProgramRun run = runHeadless(dir.path(), args, script);
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "");
    return run;
}

TEST(FileEditDialog, OpensWithItsNumbersAndNamesTheSpeedMode) {
    TempDir dir;
    writeFile(dir.file("x.wav"), canonicalWav(2, 44100, 16, patternBytes(4000)));
    ProgramRun run =
        edit(dir, {"x.wav"},
             kOpen +
                 "dlg fileedit print title\n"
                 "dlg fileedit print field-edit-speed-buffer\n"
                 "dlg fileedit print field-edit-speed-percent\n"
                 "dlg fileedit print field-edit-boost-rate\n"
                 "dlg fileedit print edit-noise-off\n" +
                 press("edit-noise-off") + "dlg fileedit print edit-noise-off\n" +
                 press("edit-noise-off") + "dlg fileedit print edit-noise-off\n" +
                 // A second 1057 leaves the open dialog as it is.
                 kOpen + press("edit-noise-off") + "dlg fileedit print edit-noise-off\n" +
                 press("ok") + kOpen + "dlg fileedit print edit-noise-off\n");
    EXPECT_EQ(run.out,
              "title: file copy\n1059: 16384\n1061: 50\n1158: 100\n1060: noise-off\n"
              "1060: cut-only\n1060: noise-off\n1060: cut-only\n1060: noise-off\n");
}

// Cut all with each boost rate: the samples become trunc(clamp(s x rate x 0.01)).
TEST(FileEditCut, BoostRatesAndTheHeaderOfCutAll) {
    TempDir dir;
    struct Case {
        const char* rate;  // as typed
        std::vector<int16_t> in, out;
    };
    const std::vector<Case> cases = {
        {"33", {100, 1000}, {32, 329}},
        {"70", {100, -100}, {69, -69}},
        {"150", {-3, 3}, {-4, 4}},
        {"200", {100, 20000, -20000, -32768}, {200, 32767, -32768, -32768}},
        {"100", {-32768, 32767}, {-32768, 32767}},
        {"0", {12345, -32768}, {0, 0}},
        {"", {500, -500}, {0, 0}},  // an empty field, or text that is not a number, reads as 0
        {"-5", {500, -500}, {0, 0}},
        {"12x", {500, -500}, {0, 0}},
    };
    std::string script = kOpen;
    for (size_t i = 0; i < cases.size(); ++i) {
        const std::string name = "r" + std::to_string(i) + ".wav";
        writeFile(dir.file(name), canonicalWav(1, 8000, 16, samples16(cases[i].in)));
        script += "drop " + name + "\n" + type("field-edit-boost-rate", cases[i].rate) +
                  press("edit-cut-all");
    }
    edit(dir, {}, script);
    for (size_t i = 0; i < cases.size(); ++i) {
        EXPECT_TRUE(holds(dir.file("r" + std::to_string(i) + "_Rif.wav"),
                          canonicalWav(1, 8000, 16, samples16(cases[i].out))))
            << "rate " << cases[i].rate;
    }

    // 1000 data bytes: 1044 bytes, RIFF size 1036, data size 1000, the bytes as they were.
    const Bytes data = patternBytes(1000);
    writeFile(dir.file("k.wav"), canonicalWav(2, 44100, 16, data));
    edit(dir, {"k.wav"}, kOpen + press("edit-cut-all"));
    Bytes got = readFile(dir.file("k_Rif.wav"));
    ASSERT_EQ(got.size(), 1044u);
    EXPECT_EQ(le(got, 4, 4), 1036u);
    EXPECT_EQ(le(got, 40, 4), 1000u);
    EXPECT_EQ(slice(got, 44, got.size()), data);
}

// The start and end bars set the range: with 12,000 data bytes one step is 12 bytes. The edit
// goes by the file's header, not by the channels and bits set for the next recording, and the
// header read again becomes the window's.
TEST(FileEditCut, StartEndRange) {
    TempDir dir;
    const Bytes data = patternBytes(12000);
    writeFile(dir.file("x.wav"), canonicalWav(2, 44100, 16, data));
    // Thumb at 99: bound (12000 / 1000) x 100 = 1200; at 499: 6000.
    ProgramRun run =
        edit(dir, {"x.wav"},
             "scroll start 5 99\nscroll end 5 499\ncommand channels1\n"
             "command bits8\n" +
                 kOpen + press("edit-cut-range") + "print field-channels\nprint field-bits\n");
    EXPECT_EQ(run.out, "1027: 2\n1024: 16\n");
    EXPECT_TRUE(holds(dir.file("x_Rif.wav"), stereoWav(slice(data, 1200, 6000))));
}

TEST(FileEditChannels, LeftRightCentreAndTheJoinOfThem) {
    TempDir dir;
    // k frames over several copy blocks, and the centre figures in the first frames.
    std::vector<int16_t> left = {-3, 32767, -32768, 3, -5}, right = {-3, 32767, -32768, 4, 2};
    for (int i = 0; left.size() < 30001; ++i) {
        left.push_back(static_cast<int16_t>(i * 7 - 20000));
        right.push_back(static_cast<int16_t>(12345 - i * 3));
    }
    const size_t k = left.size();
    std::vector<int16_t> frames, centre;
    for (size_t i = 0; i < k; ++i) {
        frames.push_back(left[i]);
        frames.push_back(right[i]);
        centre.push_back(static_cast<int16_t>(right[i] / 2 + left[i] / 2));
    }
    EXPECT_EQ(std::vector<int16_t>(centre.begin(), centre.begin() + 5),
              (std::vector<int16_t>{-2, 32766, -32768, 3, -1}));
    writeFile(dir.file("x.wav"), canonicalWav(2, 44100, 16, samples16(frames)));
    edit(dir, {"x.wav"},
         kOpen + press("edit-left") + press("edit-right") + press("edit-centre") +
             press("edit-join"));

    // Left k samples, right k - 1 (read from the second sample on).
    auto mono = [](const std::vector<int16_t>& s) {
        return canonicalWav(1, 44100, 16, samples16(s));
    };
    EXPECT_TRUE(holds(dir.file("x_L.wav"), mono(left)));
    EXPECT_TRUE(
        holds(dir.file("x_R.wav"), mono(std::vector<int16_t>(right.begin(), right.end() - 1))));
    EXPECT_TRUE(holds(dir.file("x_M.wav"), mono(centre)));
    // The join of the two: the sound again, the right sample the shorter file lacks silent.
    frames.back() = 0;
    EXPECT_TRUE(holds(dir.file("x_LR.wav"), canonicalWav(2, 44100, 16, samples16(frames))));
}

TEST(FileEditJoin, ShorterRightFileGivesSilence) {
    TempDir dir;
    std::vector<int16_t> left(70000), right(25000), joined;
    for (size_t i = 0; i < left.size(); ++i)
        left[i] = static_cast<int16_t>(i * 11);
    for (size_t i = 0; i < right.size(); ++i)
        right[i] = static_cast<int16_t>(-1 - static_cast<int>(i));
    for (size_t i = 0; i < left.size(); ++i) {
        joined.push_back(left[i]);
        joined.push_back(i < right.size() ? right[i] : 0);
    }
    writeFile(dir.file("x.wav"), canonicalWav(2, 22050, 16, Bytes(400)));
    writeFile(dir.file("x_L.wav"), canonicalWav(1, 22050, 16, samples16(left)));
    writeFile(dir.file("x_R.wav"), canonicalWav(1, 22050, 16, samples16(right)));
    edit(dir, {"x.wav"}, kOpen + press("edit-join"));
    EXPECT_TRUE(holds(dir.file("x_LR.wav"), canonicalWav(2, 22050, 16, samples16(joined))));
}

TEST(FileEditDivision, ThreePartsOf324Bytes) {
    TempDir dir;
    const Bytes data = patternBytes(1000);
    writeFile(dir.file("x.wav"), canonicalWav(2, 44100, 16, data));
    edit(dir, {"x.wav"},
         kOpen + type("field-edit-boost-rate", "50") + press("edit-cut-all") +
             type("field-edit-division-count", "3") + press("edit-divide"));
    // ((1000 / 3) / 12) x 12 = 324 bytes each, at the boost rate of the last button that read it
    // (50 %, from the cut); the last 28 bytes are dropped.
    for (size_t i = 0; i < 3; ++i) {
        std::vector<int16_t> part;
        for (size_t at = 324 * i; at < 324 * (i + 1); at += 2) {
            auto s = static_cast<int16_t>(data[at] | (data[at + 1] << 8));
            part.push_back(static_cast<int16_t>(s * 0.5));
        }
        const std::string name = dir.file("x_00" + std::to_string(i + 1) + ".wav");
        EXPECT_EQ(readFile(name).size(), 368u);
        EXPECT_TRUE(holds(name, canonicalWav(2, 44100, 16, samples16(part))));
    }
    EXPECT_FALSE(exists(dir.file("x_004.wav")));
}

class FileEditSpeed : public ::testing::Test {
  protected:
    // The output of the speed change of DATA (16-bit stereo) with SCRIPT before "up". The output
    // of an earlier call is replaced (the question answered OK).
    Bytes speedChange(const Bytes& data, const std::string& settings) {
        writeFile(dir.file("s.wav"), canonicalWav(2, 44100, 16, data));
        const bool replaces = exists(dir.file("s-up.wav"));
        ProgramRun run = edit(dir, {"s.wav"}, kOpen + settings + press("edit-speed-change"));
        EXPECT_EQ(run.out,
                  std::string(replaces ? "box: pelkit_recorder: s-up.wav already holds sound. "
                                         "Replace it? -> ok\n"
                                       : "") +
                      "box: file: ok\n");
        return readFile(dir.file("s-up.wav"));
    }
    TempDir dir;
};

// 50 %: each 16,384-byte chunk keeps its first 8,192 bytes, or with noise-off (on when the
// dialog opens) its first 8,176 and a 16-byte seam from the first frame left out, (0, 0),
// toward the chunk's last frame, (100, -100). The chunk that reaches the end is dropped.
TEST_F(FileEditSpeed, HalfWithSeamOrCut) {
    Bytes data = patternBytes(32768);
    for (size_t at : {size_t{8176}, size_t{16380}}) {
        Bytes frame =
            samples16(at == 8176 ? std::vector<int16_t>{0, 0} : std::vector<int16_t>{100, -100});
        std::copy(frame.begin(), frame.end(), data.begin() + static_cast<std::ptrdiff_t>(at));
    }
    const std::string seam16 =
        "command record-options\ndlg rec_option command seam-zero\n"
        "dlg rec_option command seam-up\ndlg rec_option command seam-up\n"
        "dlg rec_option command seam-up\ndlg rec_option command seam-up\n"
        "dlg rec_option command ok\n";
    Bytes seamed = slice(data, 0, 8176);
    append(seamed, samples16({0, 0, 25, -25, 50, -50, 75, -75}));
    EXPECT_EQ(speedChange(data, seam16), stereoWav(seamed));
    EXPECT_EQ(speedChange(data, seam16 + press("edit-noise-off")), stereoWav(slice(data, 0, 8192)));
}

// A chunk keeps 4 x trunc(size x (percent x 0.01) x 0.25) bytes, in double precision.
TEST_F(FileEditSpeed, TwentyNinePercent) {
    const Bytes data = patternBytes(1764000);
    Bytes expected;
    // 107 whole chunks keep 4 x trunc(16384 x 0.29 x 0.25) = 4,748 bytes; the 108th reaches the
    // end and is dropped.
    for (size_t at = 0; at + 16384 < data.size(); at += 16384)
        append(expected, slice(data, at, at + 4748));
    EXPECT_EQ(speedChange(data, type("field-edit-speed-percent", "29") + press("edit-noise-off")),
              stereoWav(expected));
}

// Stretching: each chunk, then up to a chunk of the sound after it (read again as the next
// chunk); at the end only the bytes there are.
TEST_F(FileEditSpeed, TwoHundredFivePercent) {
    const Bytes data = patternBytes(4000000);
    Bytes expected;
    for (size_t at = 0; at + 16384 < data.size(); at += 16384) {
        append(expected, slice(data, at, at + 16384));
        append(expected, slice(data, at + 16384, at + 32768));
    }
    EXPECT_EQ(speedChange(data, type("field-edit-speed-percent", "205")), stereoWav(expected));
}

// Chunks of 12 bytes: at 50 % each keeps its first frame, at 205 % each is followed by the 12
// bytes after it; the last chunk (8 bytes) is dropped, and the last read ahead gets only those.
TEST_F(FileEditSpeed, SmallChunks) {
    const Bytes data = patternBytes(200000);
    Bytes shortened, stretched;
    for (size_t at = 0; at + 12 < data.size(); at += 12) {
        append(shortened, slice(data, at, at + 4));
        append(stretched, slice(data, at, at + 24));
    }
    const std::string buffer12 = type("field-edit-speed-buffer", "12");
    EXPECT_EQ(speedChange(data, buffer12), stereoWav(shortened));
    EXPECT_EQ(speedChange(data, buffer12 + type("field-edit-speed-percent", "205")),
              stereoWav(stretched));
}

// Every refusal says what the text says (or nothing) and writes no file.
TEST(FileEditRefusals, MessagesAndNoFile) {
    struct Case {
        const char* what;
        Bytes source;  // x.wav; empty: none
        std::string script;
        std::string says;
        Bytes leftFile = {};  // x_L.wav; empty: none
    };
    const Bytes stereo = canonicalWav(2, 44100, 16, patternBytes(1000));
    const Bytes mono = canonicalWav(1, 44100, 16, patternBytes(1000));
    const std::string notStereo = "box: pelkit_recorder: This is not stereo.\n";
    const std::string position = "box: pelkit_recorder: position error.\n";
    const std::string speed = "box: pelkit_recorder: buffer and % must be more than 0.\n";
    const std::string needs16 = "box: pelkit_recorder: This edit needs 16-bit sound; x.wav is ";
    const std::vector<Case> cases = {
        {"range not set", stereo, press("edit-cut-range"), position},
        {"range backwards", stereo,
         "scroll start 5 500\nscroll end 5 100\n" + press("edit-cut-range"), position},
        {"division 0", stereo, type("field-edit-division-count", "0") + press("edit-divide"),
         position},
        {"division -2", stereo, type("field-edit-division-count", "-2") + press("edit-divide"),
         position},
        {"division text", stereo, type("field-edit-division-count", "abc") + press("edit-divide"),
         position},
        {"division of empty parts", stereo,
         type("field-edit-division-count", "84") + press("edit-divide"), position},
        {"left of mono", mono, press("edit-left"), notStereo},
        {"right of mono", mono, press("edit-right"), notStereo},
        {"centre of mono", mono, press("edit-centre"), notStereo},
        {"join of a stereo left file", stereo, press("edit-join"),
         "box: pelkit_recorder: x_L.wav is not 16-bit mono: the join needs two 16-bit mono "
         "files.\n",
         stereo},
        {"8-bit sound", canonicalWav(2, 44100, 8, patternBytes(1000)),
         press("edit-cut-all") + press("edit-left") + press("edit-speed-change"),
         needs16 + "8-bit.\n" + needs16 + "8-bit.\n" + needs16 + "8-bit.\n"},
        {"24-bit sound", canonicalWav(2, 44100, 24, patternBytes(1200)),
         "scroll start 5 99\nscroll end 5 499\n" + press("edit-cut-range") + press("edit-right") +
             press("edit-centre") + type("field-edit-division-count", "2") + press("edit-divide"),
         needs16 + "24-bit.\n" + needs16 + "24-bit.\n" + needs16 + "24-bit.\n" + needs16 +
             "24-bit.\n"},
        {"speed buffer 0", stereo,
         type("field-edit-speed-buffer", "0") + press("edit-speed-change"), speed},
        {"speed buffer of 3 bytes", stereo,
         type("field-edit-speed-buffer", "3") + press("edit-speed-change"), speed},
        {"speed percent -5", stereo,
         type("field-edit-speed-percent", "-5") + press("edit-speed-change"), speed},
        {"speed percent 0", stereo,
         type("field-edit-speed-percent", "0") + press("edit-speed-change"), speed},
        {"no main file",
         {},
         press("edit-cut-all"),
         "box: pelkit_recorder: cannot read the WAV header of record.wav; nothing was written.\n"},
        {"join without its files", stereo, press("edit-join"),
         "box: pelkit_recorder: cannot read x_L.wav\n"},
    };
    for (const Case& c : cases) {
        TempDir dir;
        std::vector<std::string> args;
        if (!c.source.empty()) {
            writeFile(dir.file("x.wav"), c.source);
            args = {"x.wav"};
        }
        if (!c.leftFile.empty()) writeFile(dir.file("x_L.wav"), c.leftFile);
        const auto before = files(dir);
        ProgramRun run = edit(dir, args, kOpen + c.script);
        EXPECT_EQ(run.out, c.says) << c.what;
        EXPECT_EQ(files(dir), before) << c.what;
    }
}

// An 18-byte fmt chunk and a LIST chunk before the sound, a tag chunk after it: the edits read
// the sound alone, and the range counts from the sound's start, as playback does.
TEST(FileEditChunks, OnlyTheSoundIsEdited) {
    TempDir dir;
    const Bytes data = patternBytes(12000);
    Bytes file = wavWithChunks(18, {{"LIST", Bytes(6, 0x55)}}, data);
    putTag(file, "id3 ");
    put32(file, 10);
    file.resize(file.size() + 10, 0x77);
    writeFile(dir.file("x.wav"), file);
    // The bars count in the file's length - 44 (12,040 bytes): still 12 bytes a step.
    edit(dir, {"x.wav"},
         "scroll start 5 99\nscroll end 5 499\n" + kOpen + press("edit-cut-range") +
             press("edit-left") + type("field-edit-division-count", "2") + press("edit-divide"));
    EXPECT_TRUE(holds(dir.file("x_Rif.wav"), stereoWav(slice(data, 1200, 6000))));
    Bytes left;
    for (size_t at = 0; at < data.size(); at += 4)
        append(left, slice(data, at, at + 2));
    Bytes expectedLeft = canonicalWav(1, 44100, 16, left);
    EXPECT_TRUE(holds(dir.file("x_L.wav"), expectedLeft));
    EXPECT_TRUE(holds(dir.file("x_001.wav"), stereoWav(slice(data, 0, 6000))));
    EXPECT_TRUE(holds(dir.file("x_002.wav"), stereoWav(slice(data, 6000, 12000))));
}

TEST(FileEditFailure, FullDiskLeavesTheOlderFilesAsTheyWere) {
    TempDir dir;
    writeFile(dir.file("x.wav"), canonicalWav(2, 44100, 16, patternBytes(1000000)));
    const Bytes older = canonicalWav(1, 8000, 16, patternBytes(64, 9));
    for (const char* name : {"x_Rif.wav", "x_001.wav"})
        writeFile(dir.file(name), older);
    const auto before = files(dir);
    ProgramRun run;
    {
        FileSizeLimit limit(300000);
        run = runHeadless(dir.path(), {"x.wav"},
                          kOpen + press("edit-cut-all") + type("field-edit-division-count", "2") +
                              press("edit-divide"));
    }
    EXPECT_EQ(run.status, 0) << run.err;
    const std::string tooLarge = ": File too large\n";
    const std::string replace = " already holds sound. Replace it? -> ok\n";
    EXPECT_EQ(run.out, "box: pelkit_recorder: x_Rif.wav" + replace +
                           "box: pelkit_recorder: cannot write x_Rif.wav" + tooLarge +
                           "box: pelkit_recorder: x_001.wav" + replace +
                           "box: pelkit_recorder: cannot write x_001.wav" + tooLarge);
    EXPECT_EQ(files(dir), before);  // nothing half written is left
    EXPECT_TRUE(holds(dir.file("x_Rif.wav"), older));
    EXPECT_TRUE(holds(dir.file("x_001.wav"), older));
}

// Whether the file at PATH has a 44-byte header whose sizes say what it holds: RIFF size = file
// size - 8, data size = the bytes after the header.
::testing::AssertionResult trueSizes(const std::string& path) {
    const Bytes b = readFile(path);
    if (b.size() < 44) return ::testing::AssertionFailure() << path << " has no header";
    if (le(b, 4, 4) != b.size() - 8 || le(b, 40, 4) != b.size() - 44) {
        return ::testing::AssertionFailure() << path << " of " << b.size() << " bytes says RIFF "
                                             << le(b, 4, 4) << ", data " << le(b, 40, 4);
    }
    return ::testing::AssertionSuccess();
}

// Every edit's header says what it wrote: the right channel of whole frames (one sample short),
// channel copies of a sound that ends in half a frame (40,002 bytes: 10,000 samples each), and a
// speed change whose last chunk is dropped.
TEST(FileEditHeaders, SizesSayWhatWasWritten) {
    TempDir dir;
    writeFile(dir.file("x.wav"), canonicalWav(2, 44100, 16, patternBytes(12000)));
    writeFile(dir.file("y.wav"), canonicalWav(2, 44100, 16, patternBytes(40002, 5)));
    ProgramRun run =
        edit(dir, {"x.wav"},
             "scroll start 5 99\nscroll end 5 499\n" + kOpen + press("edit-cut-range") +
                 press("edit-right") + "drop y.wav\n" + press("edit-cut-all") + press("edit-left") +
                 press("edit-right") + press("edit-centre") + press("edit-join") +
                 type("field-edit-division-count", "3") + press("edit-divide") +
                 press("edit-speed-change"));
    EXPECT_EQ(run.out, "box: file: ok\n");
    for (const char* name : {"x_Rif.wav", "x_R.wav", "y_Rif.wav", "y_L.wav", "y_R.wav", "y_M.wav",
                             "y_LR.wav", "y_001.wav", "y_002.wav", "y_003.wav", "y-up.wav"}) {
        EXPECT_TRUE(trueSizes(dir.file(name)));
    }
    EXPECT_EQ(readFile(dir.file("x_R.wav")).size(), 44u + 6000 - 2);
    EXPECT_EQ(readFile(dir.file("y_R.wav")).size(), 44u + 20000);
    EXPECT_EQ(readFile(dir.file("y-up.wav")).size(), 44u + 2 * 8192);
}

// An edit that would replace a file holding sound asks first: Cancel leaves every file as it
// was and says nothing more, OK replaces. One question covers a division's parts; a file
// without sound is replaced unasked.
TEST(FileEditReplace, AsksBeforeReplacingSound) {
    struct Case {
        const char* what;
        std::string script;
        std::vector<std::string> asked;       // the files that hold sound and would be replaced
        std::vector<std::string> quiet = {};  // outputs that exist without sound
    };
    const std::string main = "x.wav";
    const std::vector<Case> cases = {
        {"cut all", press("edit-cut-all"), {"x_Rif.wav"}},
        {"cut range",
         "scroll start 5 99\nscroll end 5 499\n" + press("edit-cut-range"),
         {"x_Rif.wav"}},
        {"left", press("edit-left"), {"x_L.wav"}},
        {"right", press("edit-right"), {"x_R.wav"}},
        {"centre", press("edit-centre"), {"x_M.wav"}},
        {"join", press("edit-join"), {"x_LR.wav"}},
        {"speed change", press("edit-speed-change"), {"x-up.wav"}},
        // A split take: its parts are what the division into 3 would write over.
        {"division of a split take",
         type("field-edit-division-count", "3") + press("edit-divide"),
         {"x_001.wav", "x_002.wav"}},
        {"capture", press("edit-real-time") + "command play\nrun\n", {"x-real.wav"}},
        {"header only", press("edit-cut-all"), {}, {"x_Rif.wav"}},
    };
    const Bytes older = canonicalWav(1, 44100, 16, patternBytes(4000, 7));
    for (const Case& c : cases) {
        for (const std::string answer : {"cancel", "ok"}) {
            TempDir dir;
            writeFile(dir.file(main), canonicalWav(2, 44100, 16, patternBytes(12000)));
            // The join's inputs, mono; the join's output among the cases' files.
            writeFile(dir.file("x_L.wav"), older);
            writeFile(dir.file("x_R.wav"), older);
            for (const std::string& name : c.asked)
                writeFile(dir.file(name), older);
            for (const std::string& name : c.quiet)
                writeFile(dir.file(name), canonicalWav(1, 44100, 16, {}));
            const auto before = files(dir);
            ProgramRun run = edit(dir, {main}, "answer " + answer + "\n" + kOpen + c.script);
            std::string says;
            if (!c.asked.empty()) {
                const bool one = c.asked.size() == 1;
                says = "box: pelkit_recorder: " + c.asked[0] +
                       (one ? " already holds sound. Replace it?"
                            : " and " + c.asked[1] + " already hold sound. Replace them?") +
                       " -> " + answer + "\n";
            }
            if (answer == "ok" && c.script.find("speed") != std::string::npos) {
                says += "box: file: ok\n";
            }
            EXPECT_EQ(run.out, says) << c.what << " " << answer;
            for (const std::string& name : c.asked) {
                EXPECT_EQ(readFile(dir.file(name)) == older, answer == "cancel")
                    << c.what << " " << answer << " " << name;
            }
            for (const std::string& name : c.quiet)
                EXPECT_TRUE(trueSizes(dir.file(name))) << c.what;
            if (answer == "cancel" && !c.asked.empty()) {
                EXPECT_EQ(files(dir), before) << c.what;
            }
        }
    }
}

// The temporary files of outputs that a killed run left unfinished are removed at the next
// start, with one message; nothing else is touched.
TEST(FileEditLeftovers, UnfinishedOutputsRemovedAtStart) {
    TempDir dir;
    const Bytes some = patternBytes(100);
    const std::vector<std::string> left = {"x_Rif.wav.0123456789ab.part",
                                           "pelkit_recorder.ini.fedcba987654.part"};
    // Names of the pattern's kind that the program never makes (tested one by one beside the
    // sweep itself).
    const std::vector<std::string> kept = {"notes.part", "x.wav", "x_L.wav.0123456789AB.part"};
    writeFile(dir.file("x.wav"), canonicalWav(2, 44100, 16, patternBytes(400)));
    for (const std::string& name : left)
        writeFile(dir.file(name), some);
    for (const std::string& name : kept) {
        if (name != "x.wav") writeFile(dir.file(name), some);
    }
    ProgramRun run = edit(dir, {"x.wav"}, "");
    EXPECT_EQ(run.out,
              "box: pelkit_recorder: 2 unfinished files that an earlier run left "
              "behind were removed from " +
                  std::filesystem::canonical(dir.path()).string() + ".\n");
    std::vector<std::string> expected = kept;
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(files(dir), expected);
    for (const std::string& name : kept) {
        if (name != "x.wav") {
            EXPECT_TRUE(holds(dir.file(name), some)) << name;
        }
    }

    // Nothing left: nothing said.
    EXPECT_EQ(edit(dir, {"x.wav"}, "").out, "");
}

// Speed 1.5, pitch 1.2 and the reverb: the capture holds exactly what the sound card got. Its
// name is fixed when "real-time" is pressed, whatever is loaded after; a capture is refused
// while recording, and the takes after a capture are recorded as ever.
TEST(FileEditCapture, EqualsWhatWasPlayed) {
    TempDir dir;
    writeFile(dir.file("a.wav"), canonicalWav(2, 44100, 16, patternBytes(300000, 1)));
    writeFile(dir.file("b.wav"), canonicalWav(2, 44100, 16, patternBytes(250000, 2)));
    const Bytes input = patternBytes(4 * kBlock, 3);
    writeFile(dir.file("in.wav"), canonicalWav(2, 44100, 16, input));
    ProgramRun run = edit(dir, {"--audio-out", "played.wav", "--audio-in", "in.wav", "a.wav"},
                          kOpen + press("edit-real-time") +
                              "drop b.wav\nscroll speed 5 612\nscroll pitch 5 600\ncommand 1041\n"
                              "command play\nrun\n"
                              "command record\nrecord-blocks 1\n" +
                              press("edit-real-time") + "record-blocks 2\ncommand record-stop\n");
    EXPECT_EQ(run.out,
              "box: pelkit_recorder: The new recording will replace b.wav, which already holds "
              "sound. OK records over it; Cancel keeps it and records nothing. -> ok\n"
              "box: pelkit_recorder: The real-time capture cannot start while recording.\n");
    const Bytes played = readFile(dir.file("played.wav"));
    EXPECT_GT(played.size(), 4 * kBlock);  // 250,000 bytes played at speed 1.5
    EXPECT_TRUE(holds(dir.file("a-real.wav"), played));
    EXPECT_FALSE(exists(dir.file("b-real.wav")));
    // The take went to the file loaded last.
    EXPECT_TRUE(holds(dir.file("b.wav"), canonicalWav(2, 44100, 16, slice(input, 0, 3 * kBlock))));
}

// An edit during a play reads through a stream of its own: the play goes on undisturbed.
TEST(FileEditCapture, EditsBesidePlaybackLeaveItAlone) {
    TempDir dir;
    const Bytes data = patternBytes(600000, 4);
    writeFile(dir.file("x.wav"), canonicalWav(2, 44100, 16, data));
    edit(dir, {"--audio-out", "alone.wav", "x.wav"}, "command play\nrun\n");
    edit(dir, {"--audio-out", "beside.wav", "x.wav"},
         "command play\nplay-blocks 3\n" + kOpen + press("edit-cut-all") + press("edit-right") +
             "play-blocks 2\n" + press("edit-left") + "run\n");
    EXPECT_TRUE(holds(dir.file("beside.wav"), readFile(dir.file("alone.wav"))));
    EXPECT_TRUE(holds(dir.file("x_Rif.wav"), canonicalWav(2, 44100, 16, data)));
    EXPECT_EQ(readFile(dir.file("x_L.wav")).size(), 44 + data.size() / 2);
}

}  // namespace
}  // namespace pelkit::test

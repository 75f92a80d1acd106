// Recording through the real program: the input device plays a WAV file written here, and every
// finished take is compared byte for byte with the slice of that input it must hold.
#include <gtest/gtest.h>
#include <signal.h>
#include <sndfile.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <thread>

#include "scenario/scenario_support.h"

namespace pelkit::test {
namespace {

constexpr size_t kBlock = 49152;
const std::string kTake = "take.wav";

Bytes join(std::initializer_list<Bytes> parts) {
    Bytes all;
    for (const Bytes& p : parts)
        all.insert(all.end(), p.begin(), p.end());
    return all;
}

// A take as the program must finish it: 16-bit stereo 44100 Hz with DATA.
Bytes takeOf(const Bytes& data) {
    return canonicalWav(2, 44100, 16, data);
}

// Writes in.wav (16-bit stereo 44100 Hz) into DIR and returns its sample bytes.
Bytes writeInput(const TempDir& dir, size_t bytes, uint32_t seed = 0) {
    Bytes data = patternBytes(bytes, seed);
    writeFile(dir.file("in.wav"), takeOf(data));
    return data;
}

ProgramRun record(const TempDir& dir, const std::string& script) {
    return runHeadless(dir.path(), {"--audio-in", "in.wav", kTake}, script);
}

// The question before a take replaces NAMES, as the program prints it with ANSWER.
std::string replaceQuestion(const std::string& names, const std::string& answer) {
    return "box: pelkit_recorder: The new recording will replace " + names +
           " sound. OK records over it; Cancel keeps it and records nothing. -> " + answer + "\n";
}

const std::string kHddMode = "command 1095\ndlg command 1159\ndlg command 1\n";

TEST(RecordTake, BlocksLandByteForByteAndTheSizeShowsWhatWasWritten) {
    TempDir dir;
    Bytes input = writeInput(dir, 10 * kBlock + 1000);
    // The reset of the stop brings the three queued blocks back empty: nothing more is written,
    // and the size field ends at the bytes of the take, not at a count of blocks.
    ProgramRun run = record(dir,
                            "command 1000\nrecord-blocks 5\nprint 1029\nprint 1036\n"
                            "command 1001\nprint 1029\nprint 1036\nprint 1002\n");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "1029: 245760\n1036: recording\n1029: 245760\n1036: rec.end\n1002: >\n");
    EXPECT_TRUE(holds(dir.file(kTake), takeOf(slice(input, 0, 5 * kBlock))));
    EXPECT_EQ(textLines(readText(dir.file(kIniName))),
              (std::vector<std::string>{"[init]", "endstatus=ok", "file=take.wav"}));

    // Past the end of the input the device delivers silence.
    run = record(dir, "command 1000\nrecord-blocks 12\ncommand 1001\n");
    EXPECT_EQ(run.status, 0) << run.err;
    Bytes expected = input;
    expected.resize(12 * kBlock, 0);
    EXPECT_TRUE(holds(dir.file(kTake), takeOf(expected)));
}

TEST(RecordTake, TakeWithoutDataShowsZeroAndKeepsTheEarlierFile) {
    TempDir dir;
    writeInput(dir, 4 * kBlock);
    Bytes earlier = canonicalWav(1, 8000, 8, patternBytes(777, 3));
    writeFile(dir.file(kTake), earlier);
    ProgramRun run = record(dir, "command 1000\ncommand 1001\nprint 1036\nprint 1002\n");
    EXPECT_EQ(run.status, 0) << run.err;
    // The earlier file's header is read again: it has sound, so it can be played.
    EXPECT_EQ(run.out,
              replaceQuestion("take.wav, which already holds", "ok") + "1036: zero\n1002: >\n");
    EXPECT_TRUE(holds(dir.file(kTake), earlier));
}

// Record, pause, record, stop is one take: the blocks after the pause follow the paused ones in
// the same file (and its parts), in both write modes and across a part boundary; the readouts
// after the pause show the take as written.
TEST(RecordTake, PauseThenRecordGoesOnWithTheSameTake) {
    struct Case {
        const char* name;
        std::string mode;
        int before, after;  // blocks recorded before and after the pause
        bool split;         // limitmega=1: parts of 20 blocks
    };
    const Case cases[] = {
        {"mem", "", 2, 3, false},
        {"HDD", kHddMode, 2, 3, false},
        {"across parts", "", 15, 10, true},
        {"paused in the second part", kHddMode, 22, 4, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        if (c.split) writeText(dir.file(kIniName), "[init]\nlimitmega=1\n");
        const int total = c.before + c.after;
        Bytes input = writeInput(dir, (total + 1) * kBlock);
        const std::string n = std::to_string(c.before), m = std::to_string(c.after);
        ProgramRun run = record(dir, c.mode + "command 1000\nrecord-blocks " + n +
                                         "\ncommand 1028\nrun\nprint 1029\nprint 1038\n"
                                         "command 1000\nrecord-blocks " +
                                         m + "\nprint 1029\ncommand 1001\nrun\nprint 1029\n");
        ASSERT_EQ(run.status, 0) << run.err;
        // No question: the take goes on. The fields show the whole take as written.
        auto size = [](int blocks) { return std::to_string(blocks * kBlock); };
        char time[16];
        std::snprintf(time, sizeof time, "%06.3f", c.before * kBlock / 176400.0);
        EXPECT_EQ(run.out, "1029: " + size(c.before) + "\n1038: 0000:" + time +
                               "\n1029: " + size(total) + "\n1029: " + size(total) + "\n");
        const Bytes recorded = slice(input, 0, total * kBlock);
        const int perPart = c.split ? 20 : total;
        for (int part = 0; part * perPart < total; ++part) {
            char name[16];
            std::snprintf(name, sizeof name, part == 0 ? "take.wav" : "take_%03d.wav", part);
            SCOPED_TRACE(name);
            const size_t to = std::min<size_t>((part + 1) * perPart, total) * kBlock;
            EXPECT_TRUE(
                holds(dir.file(name), takeOf(slice(recorded, part * perPart * kBlock, to))));
        }
        EXPECT_FALSE(exists(dir.file("pelkit_record_001.wav")));
    }
}

// A take that would replace sound asks first: Cancel starts nothing and changes nothing; OK
// records, and the numbered parts of the older take past the new one's go with it. Stop, then
// record, is a new take and asks again; a file without sound is replaced without a word.
TEST(RecordTake, ATakeAsksBeforeItReplacesSound) {
    struct Case {
        const char* name;
        std::vector<std::string> existing;  // files holding sound before the take
        std::string script;
        std::string question;  // the names the question gives, or empty for none
        bool recorded;
    };
    const std::string take2 = "command 1000\nrecord-blocks 2\ncommand 1001\n";
    const Case cases[] = {
        {"cancel", {kTake}, "answer cancel\n" + take2, "take.wav, which already holds", false},
        {"ok", {kTake}, "answer ok\n" + take2, "take.wav, which already holds", true},
        {"parts",
         {kTake, "take_001.wav", "take_002.wav"},
         "answer cancel\n" + take2,
         "take.wav, take_001.wav and take_002.wav (3 files), which already hold",
         false},
        {"parts ok",
         {kTake, "take_001.wav", "take_002.wav"},
         take2,
         "take.wav, take_001.wav and take_002.wav (3 files), which already hold",
         true},
        {"a part alone",
         {"take_003.wav"},
         "answer cancel\n" + take2,
         "take_003.wav, which already holds",
         false},
        {"standby asks before the wait",
         {kTake},
         "answer cancel\ncommand 40023\nprint 1036\n",
         "take.wav, which already holds",
         false},
        {"stop after pause",
         {},
         "command 1000\nrecord-blocks 1\ncommand 1028\nrun\n"
         "command 1001\nanswer cancel\ncommand 1000\nrecord-blocks 2\ncommand 1001\n",
         "take.wav, which already holds",
         false},
        {"nothing to replace", {}, take2, "", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        Bytes input = writeInput(dir, 4 * kBlock);
        std::vector<Bytes> before;
        for (size_t i = 0; i < c.existing.size(); ++i) {
            before.push_back(takeOf(patternBytes(400 + 4 * i, 7 + i)));
            writeFile(dir.file(c.existing[i]), before.back());
        }
        ProgramRun run = record(dir, c.script);
        ASSERT_EQ(run.status, 0) << run.err;
        const bool asked = !c.question.empty();
        EXPECT_EQ(run.out.find(replaceQuestion(c.question, c.recorded ? "ok" : "cancel")) !=
                      std::string::npos,
                  asked)
            << run.out;
        if (!asked) {
            EXPECT_EQ(run.out.find("box:"), std::string::npos) << run.out;
        }
        if (c.recorded) {
            EXPECT_TRUE(holds(dir.file(kTake), takeOf(slice(input, 0, 2 * kBlock))));
            for (const std::string& name : c.existing) {
                if (name != kTake) {
                    EXPECT_FALSE(exists(dir.file(name))) << name;
                }
            }
        } else {
            for (size_t i = 0; i < c.existing.size(); ++i) {
                EXPECT_TRUE(holds(dir.file(c.existing[i]), before[i])) << c.existing[i];
            }
        }
    }
}

// A paused take that goes on is the temporary file again: a kill during the second half loses
// neither half, and the next start finishes the whole take.
TEST(RecordTake, AKillAfterThePauseKeepsTheWholeTake) {
    TempDir dir;
    Bytes input = writeInput(dir, 6 * kBlock);
    {
        LiveProgram live(dir.path(), {"--audio-in", "in.wav", kTake});
        ASSERT_TRUE(
            live.send("command 1000\nrecord-blocks 3\ncommand 1028\nrun\n"
                      "command 1000\nrecord-blocks 2\n"));
        ASSERT_TRUE(eventually([&] { return fileSize(dir.file(kTempName)) == 44 + 5 * kBlock; }));
        live.signal(SIGKILL);
    }
    EXPECT_EQ(runHeadless(dir.path(), {}, "").status, 0);
    EXPECT_TRUE(holds(dir.file(kTake), takeOf(slice(input, 0, 5 * kBlock))));
}

// The settings file names the take's file before the take starts; when it cannot be written
// (here it became a folder after start-up) nothing is recorded, so a crash could never finish
// a take into a stale name.
TEST(RecordTake, NoTakeStartsWhenTheSettingsCannotNameIt) {
    TempDir dir;
    writeInput(dir, 4 * kBlock);
    LiveProgram live(dir.path(), {"--audio-in", "in.wav", kTake});
    ASSERT_TRUE(eventually([&] { return startedIn(dir.path()); }));
    std::filesystem::remove(dir.file(kIniName));
    std::filesystem::create_directory(dir.file(kIniName));
    ASSERT_TRUE(live.send("command 1000\nrecord-blocks 2\ncommand 1001\n"));
    live.endScript();
    EXPECT_EQ(live.wait(std::chrono::seconds(20)), 0);
    EXPECT_FALSE(exists(dir.file(kTake)));
}

TEST(RecordTake, LongTakeIsSplitIntoNumberedPartsInBothWriteModes) {
    for (const std::string& mode : {std::string(), kHddMode}) {
        SCOPED_TRACE(mode.empty() ? "mem" : "HDD");
        TempDir dir;
        writeText(dir.file(kIniName), "[init]\nlimitmega=1\n");
        Bytes input = writeInput(dir, 30 * 176400);  // 30 seconds
        // A part closes after the block that takes it past 1,000,000 - 49,152 bytes: 20 blocks.
        ProgramRun run = record(dir, mode +
                                         "command 1000\nrun\ncommand 1001\nprint 1029\n"
                                         "command 1120\nprint 1038\n");
        EXPECT_EQ(run.status, 0) << run.err;
        // 108 blocks in all (the last one ends in silence); the size field shows their sum, and the
        // current sound is then the first part (983,040 bytes, 5.573 s).
        EXPECT_EQ(run.out, "1029: 5308416\n1038: 0000:05.573\n");

        Bytes recorded = input;
        recorded.resize(108 * kBlock, 0);
        const size_t partBytes = 20 * kBlock;
        const std::string names[] = {"take.wav",     "take_001.wav", "take_002.wav",
                                     "take_003.wav", "take_004.wav", "take_005.wav"};
        for (size_t i = 0; i < 6; ++i) {
            SCOPED_TRACE(names[i]);
            size_t from = i * partBytes;
            EXPECT_TRUE(holds(dir.file(names[i]), takeOf(slice(recorded, from, from + partBytes))));
        }
        EXPECT_FALSE(exists(dir.file("take_006.wav")));
        EXPECT_FALSE(exists(dir.file("pelkit_record_001.wav")));
    }
}

TEST(RecordTake, LoopRecordingWrapsAtTheLoopSizeSetInTheDialog) {
    TempDir dir;
    Bytes input = writeInput(dir, 12 * kBlock);
    auto block = [&](size_t k) { return slice(input, k * kBlock, (k + 1) * kBlock); };
    ProgramRun run = record(dir,
                            "command 1095\ndlg type 1127 100000\ndlg command 1126\nprint 1036\n"
                            "command 1000\nprint 1036\nrecord-blocks 7\ncommand 1001\n");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "1036: standby\n1036: loop recording\n");
    // Once the position has passed 100,000 bytes (after the third block) the next block goes
    // to the start of the data again: blocks 3 and 6 overwrote block 0, the newest comes first.
    EXPECT_TRUE(holds(dir.file(kTake), takeOf(join({block(6), block(4), block(5)}))));
    EXPECT_LE(readFile(dir.file(kTake)).size() - 44, 100000 + kBlock);

    // The stop ended loop recording: the next take is a plain one, asked for over the last.
    run = record(dir, "command 1000\nrecord-blocks 4\ncommand 1001\nprint 1036\n");
    EXPECT_EQ(run.out, replaceQuestion("take.wav, which already holds", "ok") + "1036: rec.end\n");
    EXPECT_TRUE(holds(dir.file(kTake), takeOf(join({block(0), block(1), block(2), block(3)}))));
}

TEST(LevelCheck, WritesNothingAndRestoresTheChosenBlockSize) {
    TempDir dir;
    Bytes input = writeInput(dir, 4 * kBlock);
    Bytes earlier = canonicalWav(2, 44100, 16, samples16({5, -5, 6, -6}));
    writeFile(dir.file(kTake), earlier);
    // A chosen block size of 73,728 bytes; the level check reads 768-byte blocks (1011 shows the
    // block size in use in field 1026).
    ProgramRun run = record(dir,
                            "command 1022\ncommand 1056\nprint 1036\nrecord-blocks 5\n"
                            "command 1011\nprint 1026\ncommand 1056\ncommand 1011\nprint 1026\n");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "1036: level check\n1026: 768\n1026: 73728\n");
    EXPECT_TRUE(holds(dir.file(kTake), earlier));

    // A take after a level check holds only its own blocks, of the chosen size.
    run = record(dir,
                 "command 1022\ncommand 1056\nrecord-blocks 5\ncommand 1056\n"
                 "command 1000\nrecord-blocks 2\ncommand 1001\n");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(holds(dir.file(kTake), takeOf(slice(input, 5 * 768, 5 * 768 + 2 * 73728))));
}

TEST(RecordTake, HddTakeEndsWhenStoppedWithEveryBlockAtTheWriter) {
    // Right after the device filled its four blocks they may all still be with the writer
    // thread: the stop must end the take all the same. The timing varies, so try it often.
    for (int attempt = 0; attempt < 10; ++attempt) {
        SCOPED_TRACE(attempt);
        TempDir dir;
        Bytes input = writeInput(dir, 6 * kBlock, 2);
        ProgramRun run = record(dir, kHddMode + "command 1000\nrecord-blocks 4\ncommand 1001\n");
        EXPECT_EQ(run.err, "");
        EXPECT_TRUE(holds(dir.file(kTake), takeOf(slice(input, 0, 4 * kBlock))));
        if (HasFailure()) break;
    }
}

TEST(RecordTake, ClosingWhileRecordingFinishesTheTake) {
    TempDir dir;
    Bytes input = writeInput(dir, 6 * kBlock);
    ProgramRun run = record(dir, "command 1000\nrecord-blocks 3\nclose\n");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(holds(dir.file(kTake), takeOf(slice(input, 0, 3 * kBlock))));
    EXPECT_EQ(textLines(readText(dir.file(kIniName))),
              (std::vector<std::string>{"[init]", "endstatus=ok", "file=take.wav"}));
    EXPECT_FALSE(exists(dir.file(kTempName)));
}

TEST(Recovery, TakeOfAKilledRunIsFinishedWithEveryBlock) {
    TempDir dir;
    Bytes input = writeInput(dir, 10 * kBlock, 7);
    const size_t blocks = 6;
    {
        LiveProgram live(dir.path(), {"--audio-in", "in.wav", kTake});
        ASSERT_TRUE(live.send("command 1000\nrecord-blocks " + std::to_string(blocks) + "\n"));
        // Each block reached the file before its buffer went back to the device.
        bool written =
            eventually([&] { return fileSize(dir.file(kTempName)) == 44 + blocks * kBlock; });
        live.signal(SIGKILL);
        ASSERT_TRUE(written) << fileSize(dir.file(kTempName));
    }
    EXPECT_FALSE(exists(dir.file(kTake)));

    ProgramRun run = runHeadless(dir.path(), {}, "print title\n");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "title: take.wav" + kTitleTail + "\n");
    Bytes expected = slice(input, 0, blocks * kBlock);
    EXPECT_TRUE(holds(dir.file(kTake), takeOf(expected)));

    SF_INFO info{};
    SNDFILE* f = sf_open(dir.file(kTake).c_str(), SFM_READ, &info);
    ASSERT_NE(f, nullptr) << sf_strerror(nullptr);
    EXPECT_EQ(info.frames, static_cast<sf_count_t>(blocks * kBlock / 4));
    EXPECT_EQ(info.channels, 2);
    EXPECT_EQ(info.samplerate, 44100);
    EXPECT_EQ(info.format, SF_FORMAT_WAV | SF_FORMAT_PCM_16);
    Bytes samples(expected.size());
    EXPECT_EQ(sf_read_raw(f, samples.data(), static_cast<sf_count_t>(samples.size())),
              static_cast<sf_count_t>(samples.size()));
    EXPECT_EQ(samples, expected);
    sf_close(f);
}

// A second program started in the folder of a running one may play, but it neither "recovers"
// the first one's live take nor records over it.
TEST(Recovery, ASecondProgramInTheSameFolderLeavesTheFirstOnesTakeAlone) {
    TempDir dir;
    Bytes input = writeInput(dir, 8 * kBlock, 3);
    Bytes song = patternBytes(kBlock, 4);
    writeFile(dir.file("song.wav"), takeOf(song));
    LiveProgram first(dir.path(), {"--audio-in", "in.wav", kTake});
    ASSERT_TRUE(first.send("command 1000\nrecord-blocks 3\n"));
    ASSERT_TRUE(eventually([&] { return fileSize(dir.file(kTempName)) == 44 + 3 * kBlock; }));

    ProgramRun second =
        runHeadless(dir.path(), {"--audio-in", "in.wav", "--audio-out", "played.wav", "song.wav"},
                    "command 1000\ncommand 1001\ncommand 1002\nrun\n");
    EXPECT_EQ(second.status, 0) << second.err;
    EXPECT_NE(second.out.find("box: pelkit_recorder: "), std::string::npos) << second.out;
    EXPECT_NE(second.out.find(dir.path()), std::string::npos) << second.out;
    EXPECT_EQ(fileSize(dir.file(kTempName)), 44 + 3 * kBlock);
    EXPECT_FALSE(exists(dir.file(kTake)));
    EXPECT_EQ(readFile(dir.file("song.wav")), takeOf(song));
    EXPECT_NE(readText(dir.file(kIniName)).find("endstatus=start"), std::string::npos);
    Bytes played = readFile(dir.file("played.wav"));
    ASSERT_GE(played.size(), 44 + song.size());
    EXPECT_EQ(slice(played, 44, 44 + song.size()), song);

    ASSERT_TRUE(first.send("record-blocks 1\ncommand 1001\n"));
    first.endScript();
    EXPECT_TRUE(
        eventually([&] { return holds(dir.file(kTake), takeOf(slice(input, 0, 4 * kBlock))); }));
}

// The take reaches the disk, not only the operating system: every two seconds of sound during
// the take, and when it ends its data and then the folder entry of its name are synced before
// the window shows the finished take. Seen in the system calls the program makes.
TEST(RecordTake, TheTakeIsSyncedToDiskWhileItRunsAndBeforeItIsShownSaved) {
    if (std::system("command -v strace > /dev/null") != 0) GTEST_SKIP() << "strace is missing";
    for (const std::string& mode : {std::string(), kHddMode}) {
        SCOPED_TRACE(mode.empty() ? "mem" : "HDD");
        TempDir dir;
        Bytes input = writeInput(dir, 40 * kBlock);  // 11.1 s of sound
        // Four blocks (1.1 s of sound) at a time, 50 ms apart: a sound card's pace, sped up.
        std::string script = "printf '" + mode + "command 1000\\n'; for i in $(seq 10); do " +
                             "printf 'record-blocks 4\\n'; sleep 0.05; done; " +
                             "printf 'command 1001\\nprint 1029\\n'";
        std::string command =
            "cd '" + dir.path() + "' && (" + script + ") | strace -f -qq -y " +
            "-o trace -e trace=fsync,fdatasync,rename,renameat,renameat2,write '" + programPath() +
            "' --headless --audio-in in.wav " + kTake + " > out 2> err";
        ASSERT_EQ(std::system(command.c_str()), 0) << readText(dir.file("err"));
        ASSERT_TRUE(holds(dir.file(kTake), takeOf(input)));

        const std::string temp = "<" + dir.file(kTempName) + ">", folder = "<" + dir.path() + ">";
        int periodicSyncs = 0;
        size_t lastWrite = 0, lastSync = 0, renamed = 0, folderSync = 0, shown = 0;
        std::vector<std::string> lines = textLines(readText(dir.file("trace")));
        for (size_t i = 1; i <= lines.size(); ++i) {
            const std::string& l = lines[i - 1];
            auto has = [&l](const std::string& part) { return l.find(part) != std::string::npos; };
            bool sync = has("fsync(") || has("fdatasync(");
            if (!renamed && sync && has(temp)) {
                periodicSyncs += lastWrite != 0;
                lastSync = i;
            }
            if (!renamed && has("write(") && has(temp)) lastWrite = i;
            if (!renamed && has("rename") && has(kTake)) renamed = i;
            if (renamed && !folderSync && sync && has(folder)) folderSync = i;
            if (has("write(1<") && has("1029: ")) shown = i;
        }
        EXPECT_GE(periodicSyncs, 5);     // at least one sync per two seconds of sound
        EXPECT_GT(lastSync, lastWrite);  // the finished header is synced ...
        EXPECT_GT(renamed, lastSync);    // ... before the take gets its name,
        EXPECT_GT(folderSync, renamed);  // the name is synced,
        EXPECT_GT(shown, folderSync);    // and only then does the window show the take
    }
}

TEST(BufferReset, BitsChangesEmptyTheRecordFileWhenNothingWasRecorded) {
    TempDir dir;
    LiveProgram live(dir.path(), {});
    ASSERT_TRUE(eventually([&] { return startedIn(dir.path()); }));
    for (int id : {1014, 1504, 1013}) {
        SCOPED_TRACE(id);
        {
            std::ofstream stale(dir.file(kTempName), std::ios::binary | std::ios::app);
            stale << std::string(1000, 'x');
        }
        ASSERT_EQ(fileSize(dir.file(kTempName)), 1000u);
        ASSERT_TRUE(live.send("command " + std::to_string(id) + "\n"));
        EXPECT_TRUE(eventually([&] { return fileSize(dir.file(kTempName)) == 0; }));
    }
}

}  // namespace
}  // namespace pelkit::test

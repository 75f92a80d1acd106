// Takes on disk: the finishing of the temporary file and its parts into the take's name, and the
// writer in both modes (direct and threaded), with parts, loop rewinds and a full disk.
#include "files/take_writer.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>

#include "files/file_names.h"
#include "files/take_journal.h"
#include "platform/message_queue.h"
#include "support/test_support.h"

namespace pelkit {
namespace {

using namespace test;
namespace fs = std::filesystem;

class TakeFilesTest : public ::testing::Test {
  protected:
    TempDir dir;
    WorkingDirectory cwd{dir.path()};
};

TEST_F(TakeFilesTest, FinishingMovesEveryPartOrLeavesEmptyOnesAlone) {
    const WaveFormat format = makeWaveFormat(1, 2, 8000, 8);
    const Bytes a = patternBytes(100, 1), b = patternBytes(200, 2), c = patternBytes(300, 3);
    writeFile("pelkit_record.wav", placeholderWav(2, 8000, 8, a));
    writeFile("pelkit_record_001.wav", placeholderWav(2, 8000, 8, b));
    writeFile("pelkit_record_002.wav", placeholderWav(2, 8000, 8, c));
    writeText("x.wav", "an older take");

    TakeFinish done = finishTakeFiles("pelkit_record.wav", 2, format, "x.wav");
    EXPECT_EQ(done.dataSize, 600u);
    EXPECT_TRUE(done.firstMoved);
    EXPECT_EQ(done.firstSize, 100u);
    EXPECT_TRUE(done.warnings.empty());
    EXPECT_EQ(readFile("x.wav"), canonicalWav(2, 8000, 8, a));
    EXPECT_EQ(readFile("x_001.wav"), canonicalWav(2, 8000, 8, b));
    EXPECT_EQ(readFile("x_002.wav"), canonicalWav(2, 8000, 8, c));
    for (const char* temp : {"pelkit_record.wav", "pelkit_record_001.wav", "pelkit_record_002.wav"})
        EXPECT_FALSE(exists(temp)) << temp;

    // Nothing recorded: neither file changes.
    for (const Bytes& empty : {Bytes{}, placeholderWav(2, 8000, 8, {})}) {
        writeFile("pelkit_record.wav", empty);
        done = finishTakeFiles("pelkit_record.wav", 0, format, "x.wav");
        EXPECT_TRUE(done.emptyPart);
        EXPECT_EQ(done.dataSize, 0u);
        EXPECT_EQ(readFile("x.wav"), canonicalWav(2, 8000, 8, a));
        EXPECT_EQ(readFile("pelkit_record.wav"), empty);
    }
}

// The parts a take left on disk are found by their exact numbered names, gaps and all; kept
// takes, the next takes' files and other names are not parts.
TEST_F(TakeFilesTest, EveryNumberedPartOnDiskIsFoundAndNothingElse) {
    for (const char* name :
         {"pelkit_record_003.wav", "pelkit_record_001.wav", "pelkit_record_1000.wav",
          "pelkit_record_01.wav", "pelkit_record_0002.wav", "pelkit_record_kept_001.wav",
          "pelkit_record_next_001.wav", "pelkit_record_next_001_002.wav",
          "pelkit_record_004.wav.journal", "pelkit_record_005.txt", "take_006.wav"}) {
        writeText(name, "x");
    }
    EXPECT_EQ(numberedPartsOf("pelkit_record.wav"), (std::vector<int32_t>{1, 3, 1000}));
    EXPECT_EQ(numberedPartsOf(dir.file("pelkit_record_next_001.wav")), std::vector<int32_t>{2});
}

TEST_F(TakeFilesTest, TakeThatCannotReachItsNameIsKeptAndNamed) {
    const WaveFormat format = makeWaveFormat(1, 2, 44100, 16);
    Bytes data = patternBytes(500, 4);
    writeFile("pelkit_record.wav", placeholderWav(2, 44100, 16, data));

    std::string target = dir.file("no/such/dir/x.wav");
    TakeFinish done = finishTakeFiles("pelkit_record.wav", 0, format, target);
    EXPECT_FALSE(exists(target));
    EXPECT_FALSE(done.firstMoved);
    ASSERT_EQ(done.warnings.size(), 1u);
    EXPECT_TRUE(exists("pelkit_record_kept_001.wav"));
    EXPECT_EQ(readFile("pelkit_record_kept_001.wav"), canonicalWav(2, 44100, 16, data));
    EXPECT_NE(done.warnings[0].find("pelkit_record_kept_001.wav"), std::string::npos);
    EXPECT_NE(done.warnings[0].find(target), std::string::npos);
}

TEST_F(TakeFilesTest, APartedTakePastFourGibibytesIsCountedWhole) {
    // Two sparse parts of 2.2 GB: their sum does not fit 32 bits.
    for (const char* name : {"pelkit_record.wav", "pelkit_record_001.wav"}) {
        writeFile(name, placeholderWav(2, 44100, 16, {}));
        fs::resize_file(name, 2200000000);
    }
    TakeFinish done =
        finishTakeFiles("pelkit_record.wav", 1, makeWaveFormat(1, 2, 44100, 16), "big.wav");
    EXPECT_EQ(done.dataSize, 2 * 2199999956ull);
    EXPECT_EQ(done.firstSize, 2199999956u);
    EXPECT_EQ(fs::file_size("big_001.wav"), 2200000000u);
}

TEST_F(TakeFilesTest, FinishingOntoAFullDiskElsewhereKeepsBothTakes) {
    // The temporary file in memory (/dev/shm), the take's name on disk: a rename cannot cross.
    struct stat memory {
    }, disk{};
    if (stat("/dev/shm", &memory) != 0 || stat(dir.path().c_str(), &disk) != 0 ||
        memory.st_dev == disk.st_dev) {
        GTEST_SKIP() << "needs /dev/shm on a file system of its own";
    }
    std::string shm = "/dev/shm/pelkit-test-XXXXXX";
    ASSERT_NE(mkdtemp(shm.data()), nullptr);
    const WaveFormat format = makeWaveFormat(1, 2, 44100, 16);
    const Bytes sound = patternBytes(20000, 8),
                older = canonicalWav(2, 44100, 16, patternBytes(500));
    const std::string temp = shm + "/pelkit_record.wav";
    writeFile("take.wav", older);

    // The disk has room for 8,000 bytes more: the copy fails, the older take stays as it was.
    writeFile(temp, placeholderWav(2, 44100, 16, sound));
    TakeFinish done;
    {
        FileSizeLimit full(8000);
        done = finishTakeFiles(temp, 0, format, "take.wav");
    }
    EXPECT_FALSE(done.firstMoved);
    EXPECT_EQ(readFile("take.wav"), older);
    EXPECT_EQ(readFile(shm + "/pelkit_record_kept_001.wav"), canonicalWav(2, 44100, 16, sound));
    ASSERT_EQ(done.warnings.size(), 1u);
    EXPECT_NE(done.warnings[0].find("File too large"), std::string::npos) << done.warnings[0];
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 1);

    // With room, the take replaces the older one.
    writeFile(temp, placeholderWav(2, 44100, 16, sound));
    done = finishTakeFiles(temp, 0, format, "take.wav");
    EXPECT_TRUE(done.firstMoved);
    EXPECT_EQ(readFile("take.wav"), canonicalWav(2, 44100, 16, sound));
    EXPECT_FALSE(exists(temp));
    fs::remove_all(shm);
}

// Runs a take of BLOCKS blocks of SIZE bytes through a writer in MODE, with a rewind before
// block REWINDAT (never when negative); returns the writer's part count.
int32_t writeTake(TakeWriter& w, TakeWriter::Mode mode, const Bytes& source, uint32_t size,
                  int rewindAt = -1) {
    MessageQueue queue;
    std::vector<WaveHeader> headers(source.size() / size);
    w.prepare(false);
    EXPECT_TRUE(w.begin(makeWaveFormat(1, 2, 44100, 16), mode, queue));
    for (size_t i = 0; i < headers.size(); ++i) {
        if (static_cast<int>(i) == rewindAt) w.rewind();
        w.append(source.data() + i * size, size, &headers[i]);
    }
    if (mode == TakeWriter::Mode::Threaded) {
        // Every block comes back once, in order.
        for (size_t i = 0; i < headers.size(); ++i) {
            auto m = queue.waitPop(std::chrono::seconds(10));
            EXPECT_TRUE(m && m->kind == MessageKind::RecordWritten && m->header == &headers[i]);
        }
    }
    w.stopThread();
    EXPECT_EQ(w.inFlight(), 0);
    return w.parts();
}

TEST_F(TakeFilesTest, BothModesCutTheTakeIntoTheSameParts) {
    const Bytes source = patternBytes(40 * 100, 9);
    for (auto mode : {TakeWriter::Mode::Direct, TakeWriter::Mode::Threaded}) {
        SCOPED_TRACE(mode == TakeWriter::Mode::Direct ? "direct" : "threaded");
        fs::remove_all("out");
        fs::create_directory("out");
        TakeWriter w;
        w.setPartLimit(1000);
        // A part closes after the block that takes it past 1000 - 100 bytes: ten blocks each.
        EXPECT_EQ(writeTake(w, mode, source, 100), 4);
        EXPECT_EQ(w.bytesWritten(), source.size());
        TakeFinish done = w.finish("out/take.wav");
        EXPECT_EQ(done.dataSize, source.size());
        for (int part = 0; part < 4; ++part) {
            std::string name = part == 0 ? "out/take.wav" : NumberedName("out/take.wav", part);
            EXPECT_EQ(readFile(name), canonicalWav(2, 44100, 16,
                                                   Bytes(source.begin() + part * 1000,
                                                         source.begin() + (part + 1) * 1000)))
                << name;
        }
        // The part after the last block is empty and left alone; the next take starts clean.
        EXPECT_TRUE(done.emptyPart);
        EXPECT_TRUE(readFile("pelkit_record.wav").empty());
    }
}

TEST_F(TakeFilesTest, LoopRewindOverwritesTheTakeFromItsStart) {
    const Bytes source = patternBytes(8 * 100, 5);
    for (auto mode : {TakeWriter::Mode::Direct, TakeWriter::Mode::Threaded}) {
        TakeWriter w;
        writeTake(w, mode, source, 100, 6);
        EXPECT_EQ(w.bytesWritten(), 200u);  // counted again from the rewind
        w.finish("take.wav");
        Bytes expected(source.begin() + 600, source.end());
        expected.insert(expected.end(), source.begin() + 200, source.begin() + 600);
        EXPECT_EQ(readFile("take.wav"), canonicalWav(2, 44100, 16, expected));
    }
}

TEST_F(TakeFilesTest, AFullDiskStopsTheTakeWithWhatReachedTheFile) {
    // The process may write files of at most 2,000 bytes: the "disk" is full beyond that.
    FileSizeLimit full(2000);
    const Bytes source = patternBytes(30 * 100, 2);
    for (auto mode : {TakeWriter::Mode::Direct, TakeWriter::Mode::Threaded}) {
        TakeWriter w;
        writeTake(w, mode, source, 100);
        EXPECT_TRUE(w.failed());
        EXPECT_LE(w.bytesWritten(), 2000u - 44);
    }
}

}  // namespace
}  // namespace pelkit

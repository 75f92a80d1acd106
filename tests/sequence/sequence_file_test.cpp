// Sequence files: what a save writes reads back as the same set-up, and damaged or foreign files
// give one message naming their first bad line while every good line still counts.
#include <gtest/gtest.h>

#include "sequence/sequence_file.h"
#include "support/test_support.h"

namespace pelkit {
namespace {

using namespace test;
using Kind = SequenceActionKind;

SequenceAction act(Kind kind, int32_t line) {
    SequenceAction a;
    a.kind = kind;
    a.line = line;
    return a;
}
SequenceAction mainFile(const std::string& path, int32_t line = 1) {
    SequenceAction a = act(Kind::MainFile, line);
    a.path = path;
    return a;
}
SequenceAction slotFile(int32_t slot, const std::string& path, int32_t line) {
    SequenceAction a = act(Kind::SlotFile, line);
    a.slot = slot;
    a.path = path;
    return a;
}
SequenceAction arm(int32_t slot, uint32_t position, int32_t line) {
    SequenceAction a = act(Kind::ArmSlot, line);
    a.slot = slot;
    a.position = position;
    return a;
}
SequenceAction pair(uint32_t start, uint32_t end, int32_t line) {
    SequenceAction a = act(Kind::SkipPair, line);
    a.start = start;
    a.end = end;
    return a;
}
SequenceAction pan(float value, int32_t line) {
    SequenceAction a = act(Kind::Pan, line);
    a.pan = value;
    return a;
}

std::string lf(std::string text) {
    std::string out;
    for (char c : text)
        if (c != '\r') out += c;
    return out;
}

TEST(SequenceFile, WrittenSetupReadsBackInBothLineEndings) {
    SequenceSetup setup;
    setup.mainFile = "/snd/talk: take 2.wav";
    setup.slots = {{0, "/snd/bell.wav"}, {6, "/snd/clap.wav"}};
    setup.arms = {{6, 88200}, {3, 5}};  // slot 3 holds no file: no arm line
    setup.pairs = {{88200, 132300}, {4294967295u, 0}};
    SequenceText written = writeSequenceText(setup);
    const std::string expected =
        "main:/snd/talk: take 2.wav\r\nt 1:/snd/bell.wav\r\nt 7:/snd/clap.wav\r\n"
        "arm 7:88200\r\nskip 1:88200:132300\r\nskip 2:4294967295:0\r\n";
    EXPECT_EQ(written.text, expected);
    EXPECT_EQ(written.message, "");

    const std::vector<SequenceAction> actions = {mainFile("/snd/talk: take 2.wav"),
                                                 slotFile(0, "/snd/bell.wav", 2),
                                                 slotFile(6, "/snd/clap.wav", 3),
                                                 arm(6, 88200, 4),
                                                 pair(88200, 132300, 5),
                                                 pair(4294967295u, 0, 6)};
    for (const std::string& text : {expected, lf(expected)}) {
        SequenceRead read = readSequenceText(text, "a.ts1");
        EXPECT_TRUE(read.readable);
        EXPECT_EQ(read.actions, actions);
        EXPECT_EQ(read.firstBadLine, 0);
        EXPECT_EQ(read.message, "");
    }
}

TEST(SequenceFile, PanAndSlotNumbers) {
    EXPECT_EQ(*sequencePanLine(-12.5f), "pan:-12.500000\r\n");
    const std::string text =
        "main:m.wav\npan:250\npan\npan: -12.500000 \nt 0:a.wav\nt 201:b.wav\nt -3:c.wav\n"
        "t 200:d.wav\nmain:other.wav\narmour:1\nx\n\n";
    SequenceRead read = readSequenceText(text, "a.ts1");
    // 250 is passed on as written: the caller limits pan to -100 .. 100. The bare "pan", a second
    // "main", unknown keys and an empty line are passed over without a message.
    EXPECT_EQ(read.actions,
              (std::vector<SequenceAction>{mainFile("m.wav"), pan(250.0f, 2), pan(-12.5f, 4),
                                           slotFile(0, "a.wav", 5), slotFile(0, "b.wav", 6),
                                           slotFile(0, "c.wav", 7), slotFile(199, "d.wav", 8)}));
    EXPECT_EQ(read.message, "");
}

TEST(SequenceFile, BadLinesAreSkippedWithOneMessage) {
    const std::string head = "main:m.wav\r\n";
    const std::string tail = "skip 1:10:20\r\n";
    struct Case {
        const char* what;
        std::string middle;  // line 2; line 3 is TAIL
        const char* problem;
    };
    const Case cases[] = {
        {"letters", "skip 2:abc:5\r\n", "not unsigned 32-bit numbers"},
        {"offset beyond 32 bits", "skip 2:4294967296:5\r\n", "not unsigned 32-bit numbers"},
        {"negative offset", "skip 2:-5:10\r\n", "not unsigned 32-bit numbers"},
        {"no end", "skip 2:5\r\n", "between start and end"},
        {"slot beyond 32 bits", "t 99999999999:x.wav\r\n", "slot number"},
        {"slot without file", "t 2:\r\n", "file name is empty"},
        {"pan without number", "pan:loud\r\n", "pan value"},
        {"pan not finite", "pan:nan\r\n", "pan value"},
        {"arm of slot 0", "arm 0:5\r\n", "1 to 200"},
        {"arm beyond 32 bits", "arm 3:4294967296\r\n", "unsigned 32-bit"},
        {"100 KB line", "t 2:" + std::string(100000, 'x') + "\r\n", "longer than 8192"},
        {"binary", std::string("t 2:a\0b\x01.wav\r\n", 14), "binary data"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SequenceRead read = readSequenceText(head + c.middle + tail, "/x/a.ts1");
        EXPECT_EQ(read.actions, (std::vector<SequenceAction>{mainFile("m.wav"), pair(10, 20, 3)}));
        EXPECT_EQ(read.firstBadLine, 2);
        EXPECT_EQ(read.badLines, 1);
        EXPECT_NE(read.message.find("Line 2 of the sequence file /x/a.ts1 was skipped"),
                  std::string::npos)
            << read.message;
        EXPECT_NE(read.message.find(c.problem), std::string::npos) << read.message;
    }
}

TEST(SequenceFile, TruncatedAndBinaryFiles) {
    // Cut in the middle of a skip line: the lines before it count.
    SequenceRead cut = readSequenceText("main:m.wav\r\nt 1:b.wav\r\nskip 1:882", "c.ts1");
    EXPECT_EQ(cut.actions,
              (std::vector<SequenceAction>{mainFile("m.wav"), slotFile(0, "b.wav", 2)}));
    EXPECT_EQ(cut.firstBadLine, 3);

    // A WAV file opened as a sequence: no main file, every line bad but the one good one.
    Bytes wav = canonicalWav(2, 44100, 16, samples16({0, 10, -10, 1000, 2570, 13}));
    std::string text(wav.begin(), wav.end());
    text += "\nskip 1:4:8\n\x7f\xff\n";
    SequenceRead binary = readSequenceText(text, "w.ts1");
    EXPECT_TRUE(binary.readable);
    EXPECT_EQ(binary.actions.size(), 1u);
    EXPECT_EQ(binary.actions.at(0).kind, Kind::SkipPair);
    EXPECT_EQ(binary.firstBadLine, 1);
    EXPECT_GE(binary.badLines, 2);
    EXPECT_NE(binary.message.find("Line 1 of the sequence file w.ts1 was skipped: it holds binary"),
              std::string::npos)
        << binary.message;
    EXPECT_NE(binary.message.find("more line"), std::string::npos) << binary.message;
}

TEST(SequenceFile, FilesThatCannotBeRead) {
    TempDir dir;
    writeText(dir.file("ok.ts1"), "main:m.wav\r\n");
    EXPECT_EQ(readSequenceFile(dir.file("ok.ts1")).actions,
              (std::vector<SequenceAction>{mainFile("m.wav")}));

    writeText(dir.file("big.ts1"), std::string(kSequenceMaxFileBytes + 1, '\n'));
    writeText(dir.file("empty.ts1"), "");
    struct Case {
        std::string path;
        const char* message;
    };
    const Case cases[] = {{dir.file("none.ts1"), "was not found"},
                          {dir.path(), "could not be opened"},
                          {dir.file("big.ts1"), "larger than 16 MiB"},
                          {dir.file("empty.ts1"), "is empty"}};
    for (const Case& c : cases) {
        SequenceRead read = readSequenceFile(c.path);
        EXPECT_FALSE(read.readable) << c.path;
        EXPECT_TRUE(read.actions.empty());
        EXPECT_NE(read.message.find(c.message), std::string::npos) << read.message;
    }
}

TEST(SequenceFile, AStopEndsTheReadingWithNothingToApply) {
    // 10,000 skip lines: the stop is asked before line 1 and every 4096 lines after it.
    std::string text = "main:m.wav\n";
    for (int k = 0; k < 10000; ++k)
        text += "s:" + std::to_string(k) + ":1\n";
    struct Case {
        int stopAtQuestion;  // 0: never
        bool stopped;
        size_t handedOver;  // actions seen before the stop
    };
    const Case cases[] = {{0, false, 10001}, {1, true, 0}, {2, true, 4096}, {3, true, 8192}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.stopAtQuestion);
        int questions = 0;
        size_t seen = 0;
        SequenceRead read = scanSequenceText(
            text, "s.ts1", [&](SequenceAction&&) { ++seen; },
            [&] { return ++questions == c.stopAtQuestion; });
        EXPECT_EQ(read.stopped, c.stopped);
        EXPECT_EQ(read.readable, !c.stopped);
        EXPECT_EQ(seen, c.handedOver);
    }
}

TEST(SequenceFile, NamesThatCannotBeWrittenAreLeftOutAndNamed) {
    SequenceSetup setup;
    setup.mainFile = "m.wav";
    setup.slots = {{1, "a\nb.wav"}, {2, "c.wav"}, {4, std::string(4096, 'x')}};
    setup.arms = {{1, 10}, {2, 20}};
    SequenceText written = writeSequenceText(setup);
    EXPECT_EQ(written.text, "main:m.wav\r\nt 3:c.wav\r\narm 3:20\r\n");
    EXPECT_NE(written.message.find("slots 2, 5 "), std::string::npos) << written.message;

    setup.mainFile = "";
    written = writeSequenceText(setup);
    EXPECT_EQ(written.text, "");
    EXPECT_NE(written.message.find("nothing was saved"), std::string::npos);
}

}  // namespace
}  // namespace pelkit

// Position marks: stepping through the file's lines, what each line gives, appending a mark, and
// the positions a step applies.
#include <gtest/gtest.h>

#include "marks/position_file.h"
#include "resources/position_comment_ids.h"
#include "resources/templates.h"
#include "support/test_support.h"

namespace pelkit {
namespace {

using namespace test;

TEST(PositionFile, PlusFourTimesSelectsEachLineThenNothing) {
    TempDir dir;
    std::string path = dir.file(kPositionFileName);
    writeText(path, "176400,intro\r\n352800,two words\r\n529200,3rd\r\n");
    struct Expect {
        uint32_t index, position;
        const char* field;
    };
    const Expect steps[] = {
        {1, 176400, "1>intro"}, {2, 352800, "2>two"}, {3, 529200, "3>3rd"}, {0, 0, "0>"}};
    uint32_t index = 0, position = 1000;
    for (const Expect& e : steps) {
        MarkStep step = planMarkStep(MarkCommand::Next, index, MarkDevice::Idle);
        ASSERT_TRUE(step.readMark && step.apply);
        ASSERT_EQ(step.target, MarkTarget::Position);
        MarkSelection s = selectMarkFromFile(path, step.index, position);
        index = s.index;
        position = alignToFrame(s.target, 4);
        EXPECT_EQ(index, e.index);
        EXPECT_EQ(position, e.position);
        EXPECT_EQ(markField(s.index, s.comment), e.field);
    }
}

TEST(PositionFile, WhatEachLineGives) {
    struct Case {
        const char* what;
        std::optional<std::string> text;  // nullopt: no file
        uint32_t index;
        uint32_t index2, target;  // the selection; the target was 77 before
        const char* comment;
    };
    const std::string lf = "10,a\n20,b\n30,c\n";
    const Case cases[] = {
        {"LF only", lf, 3, 3, 30, "c"},
        {"past the last line", lf, 4, 0, 0, ""},
        {"index 0", lf, 0, 0, 0, ""},
        {"no file", std::nullopt, 2, 0, 0, ""},
        {"empty file", std::string(), 1, 0, 0, ""},
        {"last line without its end", "10,a\n20,bb", 2, 2, 20, "bb"},
        {"blanks", " 12 , x\r\n", 1, 1, 12, ""},
        {"first word only", "12,  x y\tz\r\n", 1, 1, 12, "x"},
        {"largest 32-bit", "4294967295,max\r\n", 1, 1, 4294967295u, "max"},
        {"beyond 32 bits keeps the earlier line's", "10,a\r\n4294967296,big\r\n", 2, 2, 10, ""},
        {"beyond 32 bits on line 1 keeps the target", "99999999999999999999,x\n", 1, 1, 77, ""},
        {"negative", "10,a\n-5,neg\n", 2, 2, 10, ""},
        {"a bare word", "intro\n", 1, 1, 77, ""},
        {"empty line", "10,a\n\n30,c\n", 2, 2, 10, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::optional<std::string_view> text;
        if (c.text) text = *c.text;
        MarkSelection s = selectMark(text, c.index, 77);
        EXPECT_EQ(s.index, c.index2);
        EXPECT_EQ(s.target, c.target);
        EXPECT_EQ(s.comment, c.comment);
    }
}

TEST(PositionFile, FileReadMatchesTextAcrossLongLines) {
    TempDir dir;
    std::string path = dir.file(kPositionFileName);
    // Lines longer than the read chunk, and a comment longer than the mark comment holds
    // (three-byte characters: the cut never splits one).
    std::string longWord;
    for (int i = 0; i < 120; ++i)
        longWord += "あ";
    std::string text = "1," + std::string(70000, 'y') + "\r\n2," + longWord + " tail\r\n" +
                       std::string(140000, ' ') + "\r\n5,five";
    writeText(path, text);
    for (uint32_t index = 1; index <= 5; ++index) {
        MarkSelection fromFile = selectMarkFromFile(path, index, 9);
        MarkSelection fromText = selectMark(text, index, 9);
        EXPECT_EQ(fromFile.index, fromText.index) << index;
        EXPECT_EQ(fromFile.target, fromText.target) << index;
        EXPECT_EQ(fromFile.comment, fromText.comment) << index;
    }
    EXPECT_EQ(selectMark(text, 2, 0).comment, longWord.substr(0, 297));
    EXPECT_EQ(selectMark(text, 1, 0).comment.size(), kMarkCommentMax);
    EXPECT_EQ(selectMark(text, 4, 0).target, 5u);
}

TEST(PositionFile, AppendWritesOneLineWithCrLf) {
    TempDir dir;
    std::string path = dir.file(kPositionFileName);
    ASSERT_TRUE(appendPositionMark(path, 176400, "intro"));
    ASSERT_TRUE(appendPositionMark(path, 4294967295u, "two\r\nlines"));
    EXPECT_EQ(readText(path), "176400,intro\r\n4294967295,two  lines\r\n");

    // A hand edit left the last line open: the mark still starts a line of its own.
    writeText(path, "10,a");
    ASSERT_TRUE(appendPositionMark(path, 20, "b"));
    EXPECT_EQ(readText(path), "10,a\r\n20,b\r\n");
    EXPECT_EQ(selectMarkFromFile(path, 2, 0).target, 20u);

    EXPECT_FALSE(appendPositionMark(dir.path(), 1, "x"));
}

TEST(PositionFile, StepPlans) {
    struct Case {
        MarkCommand command;
        uint32_t index;
        MarkDevice device;
        MarkStep expected;
    };
    using T = MarkTarget;
    const Case cases[] = {
        {MarkCommand::Next,
         2,
         MarkDevice::Playing,
         {3, true, T::DialogPosition, false, false, false}},
        {MarkCommand::Previous, 0, MarkDevice::Idle, {0, false, T::None, false, false, true}},
        {MarkCommand::Previous, 2, MarkDevice::Idle, {1, true, T::Position, false, false, true}},
        {MarkCommand::Previous,
         0,
         MarkDevice::Playing,
         {0, true, T::DialogPosition, false, false, false}},
        {MarkCommand::First, 3, MarkDevice::Idle, {0, false, T::None, true, true, true}},
        {MarkCommand::First, 3, MarkDevice::Recording, {0, false, T::None, true, false, false}},
        {MarkCommand::Set, 2, MarkDevice::Playing, {2, true, T::Position, false, false, true}},
        // During a take the byte counter is never moved: "+" and "set" only show the mark.
        {MarkCommand::Next,
         2,
         MarkDevice::Recording,
         {3, true, T::DialogPosition, false, false, false}},
        {MarkCommand::Set,
         2,
         MarkDevice::Recording,
         {2, true, T::DialogPosition, false, false, false}},
    };
    for (const Case& c : cases) {
        MarkStep s = planMarkStep(c.command, c.index, c.device);
        SCOPED_TRACE(static_cast<int>(c.command) * 100 + static_cast<int>(c.device));
        EXPECT_EQ(s.index, c.expected.index);
        EXPECT_EQ(s.readMark, c.expected.readMark);
        EXPECT_EQ(s.target, c.expected.target);
        EXPECT_EQ(s.clearSelection, c.expected.clearSelection);
        EXPECT_EQ(s.positionToZero, c.expected.positionToZero);
        EXPECT_EQ(s.apply, c.expected.apply);
    }
}

TEST(PositionFile, AppliedPositionArithmetic) {
    EXPECT_EQ(markScrollIndex(176400, 0, 1000), 0);  // no sound loaded
    EXPECT_EQ(markScrollIndex(1, 3, 1000), 333);
    EXPECT_EQ(markScrollIndex(2, 3, 1000), 666);
    EXPECT_EQ(markScrollIndex(4294967294u, 4294967295u, 1000), 999);
    EXPECT_EQ(markScrollIndex(500, 100, 1000), 1000);  // a mark past the end of this sound
    EXPECT_EQ(alignToFrame(176403, 4), 176400u);
    EXPECT_EQ(alignToFrame(4294967295u, 6), 4294967292u);
    EXPECT_EQ(alignToFrame(13, 0), 13u);
}

TEST(PositionFile, CommentDialogTemplate) {
    const TemplateDef* t = findTemplate("position_comment");
    ASSERT_NE(t, nullptr);
    const ControlDef* save = findControl(*t, id::kPositionCommentSave);
    const ControlDef* cancel = findControl(*t, id::kPositionCommentCancel);
    ASSERT_TRUE(save && cancel);
    EXPECT_EQ(save->text, "保存");
    EXPECT_EQ(cancel->text, "ｷｬﾝｾﾙ");
    EXPECT_EQ(findControl(*t, id::kPositionCommentPosition)->kind, ControlKind::ReadOnly);
    EXPECT_EQ(findControl(*t, id::kPositionCommentText)->kind, ControlKind::Field);
}

}  // namespace
}  // namespace pelkit

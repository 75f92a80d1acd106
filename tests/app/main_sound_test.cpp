// The data size repair of the main file.
#include <gtest/gtest.h>

#include "app/main_sound.h"
#include "state/app_state.h"
#include "support/fake_platform.h"
#include "support/test_support.h"

namespace pelkit {
namespace {

using namespace test;

class MainSoundTest : public ::testing::Test {
  protected:
    MainSoundTest() : cwd_(dir.path()) { app.windows.mainDialog = kFakeMainWindow; }

    TempDir dir;
    WorkingDirectory cwd_;
    FakePlatform fake;
    AppState app{fake.platform(), fake.services};
};

// A canonical header announcing DECLARED data bytes in front of DATA.
Bytes wavDeclaring(uint32_t declared, const Bytes& data) {
    Bytes b = canonicalWav(2, 44100, 16, data);
    for (int i = 0; i < 4; ++i)
        b[40 + i] = static_cast<uint8_t>(declared >> (8 * i));
    return b;
}

TEST_F(MainSoundTest, OverwriteDataSizeOfCanonicalFile) {
    app.sound.fileName = dir.file("talk.wav");
    Bytes before = wavDeclaring(0, patternBytes(200));
    before[36] = 'X';  // a damaged chunk tag is repaired too
    writeFile(app.sound.fileName, before);

    // Cancel: only the data size changes.
    fake.ui.answers.push_back(BoxAnswer::Cancel);
    OverwriteDataSize(app);
    EXPECT_EQ(app.sound.dataSize, 200u);
    EXPECT_EQ(readFile(app.sound.fileName), before);
    ASSERT_EQ(fake.ui.boxes.size(), 1u);
    EXPECT_EQ(fake.ui.boxes[0].caption, app.sound.fileName);
    EXPECT_EQ(fake.ui.boxes[0].text, "200 バイト ...header以外すべてwaveとして");
    EXPECT_EQ(fake.ui.boxes[0].buttons, BoxButtons::OkCancel);
    EXPECT_EQ(fake.ui.boxes[0].icon, BoxIcon::Warning);

    // OK: "data" and 200 (C8 00 00 00) at byte 36; the RIFF size and everything else stay.
    OverwriteDataSize(app);
    Bytes expected = before;
    const uint8_t tail[8] = {'d', 'a', 't', 'a', 0xC8, 0, 0, 0};
    std::copy(tail, tail + 8, expected.begin() + 36);
    EXPECT_EQ(readFile(app.sound.fileName), expected);
    ASSERT_EQ(fake.ui.boxes.size(), 3u);
    EXPECT_EQ(fake.ui.boxes[2].caption, app.sound.fileName);
    EXPECT_EQ(fake.ui.boxes[2].text, "wave サイズ書き込みました。");
    EXPECT_EQ(fake.ui.boxes[2].buttons, BoxButtons::Ok);

    // A file of only a header gets the placeholder size.
    writeFile(app.sound.fileName, wavDeclaring(1000, {}));
    OverwriteDataSize(app);
    Bytes header = readFile(app.sound.fileName);
    ASSERT_EQ(header.size(), 44u);
    EXPECT_EQ(Bytes(header.begin() + 36, header.end()),
              (Bytes{'d', 'a', 't', 'a', 0xFF, 0xFF, 0xFF, 0xFF}));
}

TEST_F(MainSoundTest, OverwriteDataSizeOfHeaderWithMoreChunks) {
    // fmt of 18 bytes, a fact chunk, then the data chunk whose size field (at 54) says 0.
    Bytes file = canonicalWav(2, 44100, 16, patternBytes(100));
    file[16] = 18;
    const Bytes cbSizeAndFact = {0, 0, 'f', 'a', 'c', 't', 4, 0, 0, 0, 25, 0, 0, 0};
    file.insert(file.begin() + 36, cbSizeAndFact.begin(), cbSizeAndFact.end());
    std::fill(file.begin() + 54, file.begin() + 58, 0);
    app.sound.fileName = dir.file("long.wav");
    writeFile(app.sound.fileName, file);

    OverwriteDataSize(app);
    EXPECT_EQ(app.sound.dataSize, 100u);  // all after the header is now the sound
    // Only the data chunk's own size field changes, to the 100 bytes that really follow it: a
    // size reaching past the end of the file would be no repair.
    Bytes after = readFile(app.sound.fileName);
    ASSERT_EQ(after.size(), file.size());
    EXPECT_EQ(Bytes(after.begin() + 54, after.begin() + 58), (Bytes{100, 0, 0, 0}));
    std::fill(after.begin() + 54, after.begin() + 58, 0);
    EXPECT_EQ(after, file);
}

// Chunks after the data are not sound until the repair makes everything after the header
// sound; the question says so.
TEST_F(MainSoundTest, OverwriteDataSizeOfFileWithChunksAfterTheData) {
    Bytes file = canonicalWav(2, 44100, 16, patternBytes(100));
    const Bytes list = {'L', 'I', 'S', 'T', 4, 0, 0, 0, 'I', 'N', 'F', 'O'};
    file.insert(file.end(), list.begin(), list.end());
    app.sound.fileName = dir.file("tagged.wav");
    writeFile(app.sound.fileName, file);

    fake.ui.answers.push_back(BoxAnswer::Cancel);
    OverwriteDataSize(app);
    EXPECT_EQ(app.sound.dataSize, 100u);  // the data chunk, as the file still says
    EXPECT_EQ(readFile(app.sound.fileName), file);
    ASSERT_EQ(fake.ui.boxes.size(), 1u);
    EXPECT_EQ(fake.ui.boxes[0].text,
              "112 バイト ...header以外すべてwaveとして (The data chunk holds 100 bytes; the 12 "
              "bytes of other chunks after it will be played as sound too.)");

    OverwriteDataSize(app);
    EXPECT_EQ(app.sound.dataSize, 112u);
    Bytes expected = file;
    expected[40] = 112;
    EXPECT_EQ(readFile(app.sound.fileName), expected);
}

TEST_F(MainSoundTest, OverwriteDataSizeRefusesOtherFiles) {
    app.sound.fileName = dir.file("notes.wav");
    std::string text(120, 'n');
    writeText(app.sound.fileName, text);
    OverwriteDataSize(app);
    EXPECT_EQ(readText(app.sound.fileName), text);
    ASSERT_FALSE(fake.ui.boxes.empty());
    EXPECT_EQ(fake.ui.boxes.back().caption, kCaption);
    EXPECT_EQ(fake.ui.boxes.back().icon, BoxIcon::Warning);
    EXPECT_GE(fake.ui.beeps, 1);
}

}  // namespace
}  // namespace pelkit

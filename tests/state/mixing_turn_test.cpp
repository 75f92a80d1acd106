#include "state/mixing_turn.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "support/test_support.h"

namespace pelkit {
namespace {

using test::Bytes;
using test::values16;
using Values = std::vector<int16_t>;

int16_t clamp16(long double v) {
    return static_cast<int16_t>(std::clamp<long double>(v, -32768, 32767));
}

// A bank whose slots play 16-bit stereo files written into a temporary directory.
class MixingTurn : public ::testing::Test {
  protected:
    std::string soundFile(const std::string& name, const Values& samples) {
        std::string path = dir_.file(name);
        test::writeFile(path, test::canonicalWav(2, 44100, 16, test::samples16(samples)));
        return path;
    }
    // Runs one turn over BLOCK (all of it processed) and returns the block's samples.
    Values turn(Values block, int32_t bits = 16, bool times = false, uint32_t position = 0) {
        Bytes data = test::samples16(block);
        last_ = runMixingTurn(
            bank_, {data.data(), static_cast<uint32_t>(data.size()), bits, times, position},
            scratch_);
        return values16(data);
    }

    test::TempDir dir_;
    SubSoundBank bank_;
    std::vector<uint8_t> scratch_ = std::vector<uint8_t>(1 << 16);
    MixingTurnResult last_;
};

// Add mode at pan 0 is a clamped sum; times mode an integer product / 32767 truncated toward
// zero; boost 2 at a steady pan 50 gives L + 1.5 u and R - 0.5 u + w (u, w the boosted samples),
// truncated toward zero.
TEST_F(MixingTurn, AddsOrMultipliesOneSlot) {
    const Values main = {1000, 30000, -32768, 1, -30000, 7, 12345, -3};
    const Values sub = {2000, 30000, 20000, 3, -30000, -7, 9999, -20001};
    SubSoundSlot& slot = bank_.entries[7];
    slot.assign(soundFile("a.wav", sub));
    for (int mode = 0; mode < 3; ++mode) {
        slot.boost = mode == 2 ? 2.0f : 1.0f;
        slot.pan = slot.panState = mode == 2 ? 50.0f : 0.0f;
        slot.play(0, false);
        const Values got = turn(main, 16, mode == 1);
        for (size_t i = 0; i < main.size(); i += 2) {
            const int64_t l = main[i], r = main[i + 1];
            const int u = clamp16(slot.boost * sub[i]), w = clamp16(slot.boost * sub[i + 1]);
            Values want = {clamp16(l + u), clamp16(r + w)};
            if (mode == 1) want = {clamp16(l * u / 32767), clamp16(r * w / 32767)};
            if (mode == 2) want = {clamp16(l + 1.5L * u), clamp16(r - 0.5L * u + w)};
            EXPECT_EQ(got[i], want[0]) << "mode " << mode << " frame " << i / 2;
            EXPECT_EQ(got[i + 1], want[1]) << "mode " << mode << " frame " << i / 2;
        }
    }
    EXPECT_EQ(turn(main), main);  // the file ended exactly with the block: nothing more
    EXPECT_FALSE(slot.isPlaying);
}

// Slots are mixed in index order, each sum clamped before the next is added.
TEST_F(MixingTurn, SlotsMixInIndexOrder) {
    bank_.entries[3].assign(soundFile("up.wav", {10000, -10000}));
    bank_.entries[150].assign(soundFile("down.wav", {-10000, 10000}));
    bank_.entries[3].play(0, false);
    bank_.entries[150].play(0, false);
    const Values main = {30000, -30000};
    EXPECT_EQ(turn(main), (Values{clamp16(clamp16(30000 + 10000) - 10000),
                                  clamp16(clamp16(-30000 - 10000) + 10000)}));
    EXPECT_EQ(last_.mixed, 2);
}

// A slot mixes from its first sample at the block after it is started, also when started again
// mid-way; shorter than the block, it leaves the rest of it, goes idle and rewinds. One exactly
// a block long ends at the next turn, which obtains nothing.
TEST_F(MixingTurn, SlotsStartAtTheirFirstSampleAndRewindAtTheEnd) {
    const Values main(4, 100);
    SubSoundSlot& slot = bank_.entries[199];
    slot.assign(soundFile("six.wav", {1, 2, 3, 4, 5, 6}));
    EXPECT_EQ(turn(main), main);  // assigned, not started
    slot.play(49152, false);
    EXPECT_EQ(turn(main, 16, false, 49152), (Values{101, 102, 103, 104}));
    slot.play(49160, false);
    EXPECT_EQ(turn(main, 16, false, 49160), (Values{101, 102, 103, 104}));
    EXPECT_EQ(turn(main, 16, false, 49168), (Values{105, 106, 100, 100}));
    EXPECT_TRUE(!slot.isPlaying && slot.assigned && slot.playedBytes == 0 && last_.ended == 1);
    EXPECT_EQ(slot.startPosition, 49160u);

    slot.assign(soundFile("four.wav", Values(4, 1)));
    slot.play(0, false);
    EXPECT_EQ(turn(main), Values(4, 101));
    EXPECT_TRUE(slot.isPlaying && slot.playedBytes == 8);
    EXPECT_EQ(turn(main), main);
    EXPECT_FALSE(slot.isPlaying);
}

// 8-bit sound takes nothing from the slots, but they still advance and end; a file that cannot
// be opened mixes nothing and leaves the slot idle.
TEST_F(MixingTurn, EightBitAndUnreadableSlotsAddNothing) {
    SubSoundSlot& slot = bank_.entries[1];
    slot.assign(soundFile("eight.wav", Values(6, 1000)));
    slot.play(0, false);
    const Values main = {0x7F80, 0x7F80, 0x7F80, 0x7F80};
    EXPECT_EQ(turn(main, 8), main);
    EXPECT_EQ(slot.playedBytes, 8u);
    EXPECT_EQ(turn(main, 8), main);
    EXPECT_FALSE(slot.isPlaying);

    for (const std::string& path : {dir_.file("missing.wav"), dir_.path()}) {
        slot.assign(path);
        slot.play(0, false);
        EXPECT_EQ(turn(Values{5, 6}), (Values{5, 6})) << path;
        EXPECT_TRUE(!slot.isPlaying && slot.playedBytes == 0 && last_.ended == 1) << path;
    }
}

// In a replay an armed slot starts once the position is strictly past its start, once per
// replay; a slot started by hand while recording does not restart by itself when it ends.
TEST_F(MixingTurn, ArmedSlotsStartOncePerReplay) {
    SubSoundSlot& slot = bank_.entries[42];
    slot.assign(soundFile("armed.wav", {7, 7}));
    slot.play(1000, true);
    EXPECT_TRUE(slot.armed && slot.triggered);
    EXPECT_EQ(turn({0, 0}, 16, false, 1000), (Values{7, 7}));
    EXPECT_EQ(turn({0, 0}, 16, false, 1004), (Values{0, 0}));
    EXPECT_EQ(turn({0, 0}, 16, false, 1008), (Values{0, 0}));
    EXPECT_EQ(last_.started, 0);

    bank_.stopAll();
    bank_.rewindAll();
    EXPECT_EQ(turn({0, 0}, 16, false, 1000), (Values{0, 0}));
    EXPECT_EQ(turn({0, 0}, 16, false, 1001), (Values{7, 7}));
    EXPECT_EQ(last_.started, 1);
    EXPECT_EQ(turn({0, 0}, 16, false, 2000), (Values{0, 0}));
    EXPECT_EQ(turn({0, 0}, 16, false, 3000), (Values{0, 0}));
    EXPECT_TRUE(slot.triggered && !slot.isPlaying && last_.started == 0);
}

TEST(SubSoundBank, RewindAllKeepsAssignedAndOnlyIndexesOfTheBankAddressSlots) {
    SubSoundBank bank;
    bank.entries[5].assign("whatever.wav");
    bank.entries[6].triggered = true;
    bank.entries[6].playedBytes = 96;
    bank.rewindAll();
    EXPECT_EQ(std::count_if(bank.entries.begin(), bank.entries.end(),
                            [](const SubSoundSlot& s) { return s.assigned; }),
              1);
    EXPECT_TRUE(!bank.entries[6].triggered && bank.entries[6].playedBytes == 0);
    EXPECT_EQ(bank.slot(-1), nullptr);
    EXPECT_EQ(bank.slot(200), nullptr);
    EXPECT_EQ(bank.slot(199), &bank.entries[199]);
}

}  // namespace
}  // namespace pelkit

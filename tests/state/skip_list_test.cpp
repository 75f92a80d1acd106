// The skip list: pairs put in by the marks (at the cursor) and by sequence files (at the end)
// keep their order, the terminal node stays last and empty, and the cursor keeps its index.
#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "state/skip_list.h"

namespace pelkit {
namespace {

using Pairs = std::vector<std::pair<uint32_t, uint32_t>>;

Pairs pairsOf(SkipList& list) {
    Pairs pairs;
    SkipNode* n = list.head();
    for (int32_t i = 0; i < list.pairCount(); ++i, n = n->next.get())
        pairs.push_back({n->mark.start, n->mark.end});
    EXPECT_EQ(n, list.nodeAt(list.pairCount()));
    EXPECT_EQ(n->next, nullptr);
    EXPECT_EQ(n->mark.start + n->mark.end, 0u) << "the terminal node is not empty";
    return pairs;
}

TEST(SkipList, MarksAndAppendedPairsMixInOrder) {
    SkipList list;
    list.insertAtCursor(10, 20);  // at the end: the cursor stays on the terminal node
    list.append(30, 40);
    list.append(50, 60);
    EXPECT_EQ(pairsOf(list), (Pairs{{10, 20}, {30, 40}, {50, 60}}));
    EXPECT_EQ(list.cursorIndex(), 3);

    list.placeCursor(1);
    EXPECT_EQ(list.cursor()->mark.start, 30u);
    list.insertAtCursor(25, 26);  // before the cursor's pair, which stays ahead of it
    EXPECT_EQ(list.cursor()->mark.start, 30u);
    list.append(70, 80);
    list.placeCursor(4);  // forward from index 2
    EXPECT_EQ(list.cursor()->mark.start, 70u);
    list.placeCursor(0);  // back
    EXPECT_EQ(list.cursor()->mark.start, 10u);
    list.placeCursor(99);  // limited to the terminal node
    EXPECT_EQ(list.cursorIndex(), 5);
    EXPECT_EQ(list.cursor(), list.nodeAt(5));
    EXPECT_EQ(pairsOf(list), (Pairs{{10, 20}, {25, 26}, {30, 40}, {50, 60}, {70, 80}}));

    // Moved into another list, the pairs go on growing there; the one left behind is empty.
    SkipList other;
    other = std::move(list);
    other.append(90, 95);
    list.append(1, 2);
    EXPECT_EQ(pairsOf(other).back(), (std::pair<uint32_t, uint32_t>{90, 95}));
    EXPECT_EQ(pairsOf(other).size(), 6u);
    EXPECT_EQ(pairsOf(list), (Pairs{{1, 2}}));
}

}  // namespace
}  // namespace pelkit

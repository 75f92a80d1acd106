// The skip marks: pairs (start, end) of byte offsets into the sound data that playback jumps
// over, kept as a singly linked list that always ends with an empty terminal node (0, 0).
#pragma once

#include <cstdint>
#include <memory>

namespace pelkit {

struct SkipMark {
    uint32_t start = 0;
    uint32_t end = 0;
};

struct SkipNode {
    SkipMark mark;
    std::unique_ptr<SkipNode> next;
};

class SkipList {
  public:
    SkipList() { reset(); }
    ~SkipList();
    SkipList(const SkipList&) = delete;
    SkipList& operator=(const SkipList&) = delete;
    // Takes OTHER's pairs; OTHER is left empty.
    SkipList& operator=(SkipList&& other);

    // Discards every pair: a new terminal node, which is also the cursor, and no pairs.
    void reset();

    SkipNode* head() { return head_.get(); }
    SkipNode* cursor() { return cursor_; }
    int32_t cursorIndex() const { return cursorIndex_; }
    int32_t pairCount() const { return pairCount_; }

    // The node at INDEX (0-based); the terminal node when INDEX is at or past the pair count.
    SkipNode* nodeAt(int32_t index);
    // Moves the cursor to INDEX (limited to 0 .. pair count). A move forward walks on from the
    // cursor, so stepping to the next pair costs one link.
    void placeCursor(int32_t index);

    // Puts the pair (START, END) at the cursor; the node that was there (the terminal node when
    // the cursor is at the end) follows it and becomes the cursor. The pair count grows by one.
    void insertAtCursor(uint32_t start, uint32_t end);

    // Appends a pair before the terminal node, in constant time (sequence files rebuild the
    // list this way, one pair per line).
    void append(uint32_t start, uint32_t end);

    uint32_t pendingStart = 0;
    bool pairOpen = false;

  private:
    std::unique_ptr<SkipNode> head_;
    SkipNode* terminal_ = nullptr;  // the last node, always empty
    SkipNode* cursor_ = nullptr;
    int32_t cursorIndex_ = 0;
    int32_t pairCount_ = 0;
};

}  // namespace pelkit

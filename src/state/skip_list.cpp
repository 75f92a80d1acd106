#include "state/skip_list.h"

namespace pelkit {

SkipList::~SkipList() {
    // Unlink iteratively so that a long list cannot exhaust the stack.
    while (head_)
        head_ = std::move(head_->next);
}

SkipList& SkipList::operator=(SkipList&& other) {
    if (this == &other) return *this;
    while (head_)
        head_ = std::move(head_->next);
    head_ = std::move(other.head_);
    terminal_ = other.terminal_;
    cursor_ = other.cursor_;
    cursorIndex_ = other.cursorIndex_;
    pairCount_ = other.pairCount_;
    pendingStart = other.pendingStart;
    pairOpen = other.pairOpen;
    other.reset();
    return *this;
}

void SkipList::reset() {
    while (head_)
        head_ = std::move(head_->next);
    head_ = std::make_unique<SkipNode>();
    terminal_ = head_.get();
    cursor_ = head_.get();
    cursorIndex_ = 0;
    pairCount_ = 0;
    pendingStart = 0;
    pairOpen = false;
}

SkipNode* SkipList::nodeAt(int32_t index) {
    if (index >= pairCount_) return terminal_;
    SkipNode* node = head_.get();
    for (int32_t i = 0; i < index && node->next; ++i)
        node = node->next.get();
    return node;
}

void SkipList::placeCursor(int32_t index) {
    if (index < 0) index = 0;
    if (index > pairCount_) index = pairCount_;
    if (index < cursorIndex_) {
        cursor_ = nodeAt(index);
    } else {
        for (int32_t i = cursorIndex_; i < index; ++i)
            cursor_ = cursor_->next.get();
    }
    cursorIndex_ = index;
}

void SkipList::insertAtCursor(uint32_t start, uint32_t end) {
    // The cursor's own pair (the empty terminal pair in the usual case) moves into the new node
    // after it, so a pair ahead of the cursor is never overwritten.
    auto node = std::make_unique<SkipNode>();
    node->mark = cursor_->mark;
    node->next = std::move(cursor_->next);
    cursor_->mark = {start, end};
    cursor_->next = std::move(node);
    if (cursor_ == terminal_) terminal_ = cursor_->next.get();
    cursor_ = cursor_->next.get();
    ++cursorIndex_;
    ++pairCount_;
}

void SkipList::append(uint32_t start, uint32_t end) {
    SkipNode* terminal = terminal_;
    terminal->mark = {start, end};
    terminal->next = std::make_unique<SkipNode>();
    terminal_ = terminal->next.get();
    ++pairCount_;
    if (cursor_ == terminal) {
        cursor_ = terminal_;
        cursorIndex_ = pairCount_;
    }
}

}  // namespace pelkit

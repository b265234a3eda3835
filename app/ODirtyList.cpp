#include "app/ODirtyList.h"

#include <algorithm>

void ODirtyList::add(const ORect& rect) {
  ORect merged = rect;
  Node* prev = nullptr;
  Node* n = head_;
  while (n) {
    Node* next = n->next;
    if (overlaps(merged, n->rect)) {
      merged.left = std::min(merged.left, n->rect.left);
      merged.top = std::min(merged.top, n->rect.top);
      merged.right = std::max(merged.right, n->rect.right);
      merged.bottom = std::max(merged.bottom, n->rect.bottom);
      (prev ? prev->next : head_) = next;
      if (tail_ == n) tail_ = prev;
      n->next = free_;
      free_ = n;
      --count_;
    } else {
      prev = n;
    }
    n = next;
  }
  if (merged.empty()) return;
  Node* node = takeNode();
  node->rect = merged;
  node->next = nullptr;
  (tail_ ? tail_->next : head_) = node;
  tail_ = node;
  ++count_;
}

void ODirtyList::clear() {
  if (tail_) {
    tail_->next = free_;
    free_ = head_;
  }
  head_ = tail_ = nullptr;
  count_ = 0;
}

ODirtyList::Node* ODirtyList::takeNode() {
  if (!free_) grow();
  Node* n = free_;
  free_ = n->next;
  return n;
}

void ODirtyList::grow() {
  int size = capacity_ == 0 ? 2 : capacity_;
  blocks_.push_back(std::make_unique<Node[]>(size));
  Node* block = blocks_.back().get();
  for (int i = 0; i < size; ++i) {
    block[i].next = free_;
    free_ = &block[i];
  }
  capacity_ += size;
}

#pragma once
#include <memory>
#include <vector>

#include "gfx/ORect.h"

// The areas of a back buffer that must be redrawn, in the order they were
// added. Nodes come from a pool that grows in blocks (2 nodes, then double
// the size each time) and recycles freed nodes, so once grown a frame adds
// and clears rectangles without allocating.
class ODirtyList {
public:
  ODirtyList() = default;
  ODirtyList(const ODirtyList&) = delete;
  ODirtyList& operator=(const ODirtyList&) = delete;

  // Merges `rect` with every rectangle it overlaps (open intervals on both
  // axes: touching edges do not merge), removing those, then appends the
  // union unless it is empty.
  void add(const ORect& rect);
  void clear();
  bool empty() const { return head_ == nullptr; }
  int size() const { return count_; }
  // Nodes allocated so far, free or used.
  int capacity() const { return capacity_; }

  template <typename Fn>
  void forEach(Fn&& fn) const {
    for (const Node* n = head_; n; n = n->next) fn(n->rect);
  }

  // Strict overlap of two rectangles.
  static bool overlaps(const ORect& a, const ORect& b) {
    // Without short-circuits: hot loops test many rectangles and the
    // branches would mispredict.
    return (a.left < b.right) & (b.left < a.right) & (a.top < b.bottom) & (b.top < a.bottom);
  }

private:
  struct Node {
    ORect rect;
    Node* next = nullptr;
  };
  Node* takeNode();
  void grow();

  std::vector<std::unique_ptr<Node[]>> blocks_;
  Node* free_ = nullptr;
  Node* head_ = nullptr;
  Node* tail_ = nullptr;
  int count_ = 0;
  int capacity_ = 0;
};

#pragma once
#include <cstddef>
#include <string>
#include <vector>

namespace SpaceTessel {

// The record of one game as a flat list of integers: the board snapshot,
// then each launch with the colours in force and whether new cubes
// followed, then each batch of new cubes. Its text form ("%d " per value)
// goes into the saved game and is read back from disk, so it is bounded:
// a record that would grow past kMaxValues is dropped (that game cannot be
// replayed), and a text that is not a plain list of at most kMaxValues
// integers is refused.
class AReplayBuffer {
public:
  static constexpr size_t kMaxValues = size_t(1) << 20;
  // Longest text taken from disk: kMaxValues values of up to 11 characters
  // and a space.
  static constexpr size_t kMaxTextBytes = kMaxValues * 12;

  void clear();
  void append(int value);
  // Checks the bound after something appended directly to values().
  void checkBound();
  // Cuts the record back to its first `count` values.
  void truncate(size_t count);

  std::vector<int>& values() { return values_; }
  const std::vector<int>& values() const { return values_; }
  size_t size() const { return values_.size(); }
  // The record outgrew its bound and was dropped.
  bool overflowed() const { return overflowed_; }

  // Each value followed by one space.
  std::string text() const;
  // Reads a text of decimal integers separated by spaces. False, leaving the
  // buffer empty, for a piece that is not an integer, a number outside the
  // int range, or too many values.
  bool parse(const std::string& text);
  // Whether a text is short enough to be taken from disk at all.
  static bool acceptableText(const std::string& text) { return text.size() <= kMaxTextBytes; }

private:
  std::vector<int> values_;
  bool overflowed_ = false;
};

}  // namespace SpaceTessel

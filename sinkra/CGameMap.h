#pragma once
#include <memory>
#include <vector>

class OEngine;

namespace SpaceSinkra {

class CPiece;

// The grid of the board: owned blocks by cell (row-major, row 0 on top),
// the board's phase flags and the group searches. It knows nothing of
// clips or the screen beyond the engine pointer it carries for the field.
class CGameMap {
public:
  // The largest side a grid accepts; saved games are bounded by it too.
  // It keeps every score of a group (up to n^3 / 3) within int.
  static constexpr int kMaxSide = 32;

  CGameMap();
  ~CGameMap();
  CGameMap(const CGameMap&) = delete;
  CGameMap& operator=(const CGameMap&) = delete;

  // Drops every block and makes width x height empty cells. A side of 0 or
  // less, or above kMaxSide, leaves no cells and returns false.
  bool resize(int width, int height);

  int width() const { return width_; }
  int height() const { return height_; }
  int size() const { return static_cast<int>(cells_.size()); }
  bool valid(int cell) const { return cell >= 0 && cell < size(); }

  CPiece* at(int cell) const { return valid(cell) ? cells_[cell].get() : nullptr; }
  // Puts a block into an empty cell; false (block dropped) for an invalid
  // or occupied cell so that no block is ever silently overwritten.
  bool put(int cell, std::unique_ptr<CPiece> piece);
  std::unique_ptr<CPiece> take(int cell);

  // Number of same-coloured blocks connected to the cell; 0 when empty.
  int groupSize(int cell);
  // The cells of that group, the start cell first.
  std::vector<int> sameColourGroup(int cell);
  // Flags the group a click explodes: blocks not yet exploding of the start
  // block's colour or of any special colour (10 and above), continuing
  // through special blocks. Returns the cells newly flagged.
  std::vector<int> explosionFill(int cell);

  int blockCount() const;
  bool anyMoving() const;
  int explodingCount() const;
  // True when some cell lies in a group of two or more.
  bool hasGroup() const;
  // The size of the largest same-colour group on the board.
  int largestGroup();

  bool highlightActive = false;
  bool exploding = false;
  bool normalizing = false;
  OEngine* engine = nullptr;
  unsigned gap = 0;
  double cellSize = 0;

private:
  int width_ = 0;
  int height_ = 0;
  std::vector<std::unique_ptr<CPiece>> cells_;
};

}  // namespace SpaceSinkra

#pragma once
#include <cstddef>
#include <list>
#include <vector>

namespace SpaceSinkra {

class CGameField;
class CGameMap;

// The snapshot stack of the board, newest first. A snapshot keeps the
// grid's flags, dimensions, cell size and the colour of every cell.
class CUndo {
public:
  void push(const CGameMap& grid);
  // Rebuilds the cells that differ from the newest snapshot and drops it.
  // Does nothing when the stack is empty or the snapshot's size differs.
  void restore(CGameField& field);
  void clear() { snapshots_.clear(); }
  size_t size() const { return snapshots_.size(); }

private:
  struct Snapshot {
    bool highlightActive = false;
    bool exploding = false;
    bool normalizing = false;
    int width = 0;
    int height = 0;
    double cellSize = 0;
    std::vector<int> colours;  // -1 empty
  };
  std::list<Snapshot> snapshots_;
};

}  // namespace SpaceSinkra

#include "sinkra/CUndo.h"

#include "sinkra/CGameField.h"
#include "sinkra/CGameMap.h"
#include "sinkra/CPiece.h"

namespace SpaceSinkra {

void CUndo::push(const CGameMap& grid) {
  Snapshot s;
  s.highlightActive = grid.highlightActive;
  s.exploding = grid.exploding;
  s.normalizing = grid.normalizing;
  s.width = grid.width();
  s.height = grid.height();
  s.cellSize = grid.cellSize;
  s.colours.assign(static_cast<size_t>(grid.size()), -1);
  for (int i = 0; i < grid.size(); ++i)
    if (const CPiece* p = grid.at(i)) s.colours[i] = p->colour;
  snapshots_.push_front(std::move(s));
}

void CUndo::restore(CGameField& field) {
  if (snapshots_.empty()) return;
  Snapshot& s = snapshots_.front();
  CGameMap& grid = field.grid_;
  if (s.width == grid.width() && s.height == grid.height()) {
    for (int i = 0; i < grid.size(); ++i) {
      const CPiece* p = grid.at(i);
      int now = p ? p->colour : -1;
      if (now == s.colours[i]) continue;
      field.deleteBlock(i);
      if (s.colours[i] != -1) field.placeBlock(i, field.makeBlock(s.colours[i], i));
    }
  }
  snapshots_.pop_front();
}

}  // namespace SpaceSinkra

#pragma once
#include <memory>

class OClip;

namespace SpaceSinkra {

// One block of the board. Owned by the grid cell that holds it (or by a
// tray slot); owns its clip, which is also registered with the screen while
// the block is shown.
class CPiece {
public:
  CPiece();
  explicit CPiece(int colour);
  ~CPiece();
  CPiece(const CPiece&) = delete;
  CPiece& operator=(const CPiece&) = delete;

  // 0..5 ordinary colours, 10 and above special blocks, -1 not yet set.
  int colour = -1;
  bool highlighted = false;
  bool exploding = false;
  bool chameleon = false;
  bool moving = false;
  bool counted = false;
  // Cells of the current slide, -1 when unset.
  int startCell = -1;
  int endCell = -1;
  std::unique_ptr<OClip> clip;

  bool special() const { return colour >= 10; }
};

}  // namespace SpaceSinkra

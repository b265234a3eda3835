#pragma once
#include <functional>
#include <utility>
#include <vector>

namespace SpaceSinkra {

// The grid geometry shared by the board and the computer opponent. Both must
// compact a board identically, so the planning steps live here once and work
// on any cell storage through small callbacks. Cells are row-major, row 0 at
// the top.
class CGridOps {
public:
  // Visits cells reachable from `start` through the four neighbours in the
  // order right, down, left, up (depth first, like a recursive fill). A cell
  // is entered when enter(cell) is true; enter must mark the cell so it is
  // not entered twice. The start cell itself is entered without a test.
  // Returns the entered cells in entry order.
  static std::vector<int> flood(int width, int height, int start,
                                const std::function<bool(int)>& enter);

  // A slide of one block from cell `from` to cell `to`.
  using Move = std::pair<int, int>;

  // The fall of a board: every block above an empty cell drops by the
  // number of empty cells below it in its column. Cells are scanned from the
  // last to the first; a block for which skip(cell) is true (already moving)
  // is not sent again.
  static std::vector<Move> planFall(int width, int height,
                                    const std::function<bool(int)>& occupied,
                                    const std::function<bool(int)>& skip);

  // One closing slide to the left: the shift is the number of empty bottom
  // cells before the first block that follows an empty one; `first` is the
  // first empty bottom column. shift 0 when the bottom row has no gap.
  struct Closing {
    int first = -1;
    int shift = 0;
  };
  static Closing closeLeft(int width, int height, const std::function<bool(int)>& occupied);

  // Closing towards the middle. The right part is the last width/2 columns:
  // its gap closes to the left as closeLeft does within the part. The left
  // part is scanned from its rightmost column leftwards; `first` is then the
  // first empty column met and the blocks in it and left of it move right.
  static Closing closeRightPart(int width, int height, const std::function<bool(int)>& occupied);
  static Closing closeLeftPart(int width, int height, const std::function<bool(int)>& occupied);

  // The slides of one closing: every block of every row in columns
  // [fromCol, toCol] moves by `dx` columns.
  static std::vector<Move> shiftColumns(int width, int height, int fromCol, int toCol, int dx,
                                        const std::function<bool(int)>& occupied);
};

}  // namespace SpaceSinkra

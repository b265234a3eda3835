#pragma once
#include <memory>

#include "sinkra/CFloatingNumbers.h"
#include "sinkra/CGameField.h"

namespace SpaceSinkra {

// The static board that pays 100 points per block and a bonus for clearing
// the whole board in few moves.
class CRemoverGame : public CGameField {
public:
  void loadState(OConfig& config) override;
  void saveState(OConfig& config) override;
  void update(int ms) override;
  void clear() override;
  void newField() override;
  void click(int cell) override;
  int hover(int cell) override;
  bool setup(int width, int height) override;
  // 1 when blocks remain on the finished board, 2 when it was cleared.
  int result() const override { return finished ? (grid_.blockCount() > 0 ? 1 : 2) : 0; }

  // The bonus for clearing a board of `cells` cells in `moves` moves.
  static int clearBonus(int cells, int moves);

  int moves() const { return moves_; }
  const CNumberView* preview() const { return preview_.get(); }
  const CFloatingNumbers& floatingNumbers() const { return floats_; }

private:
  void setPreview(int value);
  void finishBoard();

  std::unique_ptr<CNumberView> preview_;
  int moves_ = 0;
  CFloatingNumbers floats_;
};

}  // namespace SpaceSinkra

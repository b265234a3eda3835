#pragma once
#include <memory>

#include "sinkra/CGameField.h"

namespace SpaceSinkra {

// The static board that rewards large groups steeply: a group of n blocks
// scores trunc(n^3 / 3). The game ends when no group of two is left.
class CCollectorGame : public CGameField {
public:
  void loadState(OConfig& config) override;
  void update(int ms) override;
  void clear() override;
  void click(int cell) override;
  int hover(int cell) override;
  bool setup(int width, int height) override;
  int result() const override { return finished ? 2 : 0; }

  static int scoreFor(int n) { return static_cast<int>(static_cast<long long>(n) * n * n / 3); }
  const CNumberView* preview() const { return preview_.get(); }

protected:
  // The computer's move: the largest group, small ones taken from the
  // bottom; true when a click was made.
  bool demoMove();
  void setPreview(int value);
  std::unique_ptr<CNumberView> makePreview();
  std::unique_ptr<CNumberView> preview_;
};

}  // namespace SpaceSinkra

#pragma once
#include <array>
#include <memory>
#include <vector>

#include "sinkra/ASinkraWnd.h"
#include "storage/OConfig.h"

class OClip;

namespace SpaceSinkra {

class CGameField;
class CTextView;

// The Sinkra game object: one board of each variant, the picture table
// they share, and the frame operations that drive the current variant.
class AMyGame : public ASinkraWnd {
public:
  static constexpr int kPictureCount = 50;
  static constexpr int kVariantCount = 5;
  // Board area of every variant.
  static constexpr int kBoardX = 10, kBoardY = 10, kBoardSize = 580;

  explicit AMyGame(AGameHost& main);
  ~AMyGame() override;

  void loadGameResources() override;
  void tick(int elapsed) override;
  OClipControl* onMouseMove(int x, int y) override;
  OClipControl* onLButtonDown(int x, int y) override;
  void newGame() override;
  void saveGame() override;
  void loadGame(int flag) override;
  void saveUndoPoint() override;
  void restoreUndoPoint() override;
  void startDemo(bool takeSnapshot) override;
  void stopDemo(bool restore) override;
  void pause() override;
  void resume() override;
  void applyOptions() override;
  int gameResult() override;
  // The arrows move a cell cursor (from the middle of the board), Return
  // and Space take the group under it, lit as pointing at it lights it.
  int onKeyDown(int key, int mods) override;
  bool keyFocusRect(ORect& rect) const override;
  // The cell under the key cursor, -1 before the first key.
  int cursorCell() const { return cursor_; }

  // The board of a variant (nullptr for one not in this build).
  CGameField* variant(int v) const;
  CGameField* current() const { return current_; }
  // Entry i of the picture table (nullptr outside it).
  const OClip* pictureAt(int i) const {
    return i >= 0 && i < int(pictures_.size()) ? pictures_[size_t(i)].get() : nullptr;
  }
  // The saved-game number of a variant: variant + 1.
  static int gameKindKey(int v) { return v + 1; }

private:
  bool loadPictures();
  // Deals a fresh board of the current variant at the skill level; a demo
  // plays the Classic levels from the first, whatever the start level option.
  void startVariant(bool forDemo = false);
  // The speed factor of the speed option (the rules' play speed at 3).
  void applySpeed();
  void hideBlocks(bool hidden);
  // The cursor on the board, the middle cell when it is not yet or no longer on it.
  void fitCursor();
  // Lights the group under the cursor again once a move has settled.
  void relightCursor();

  std::array<std::unique_ptr<CGameField>, kVariantCount> variants_;
  CGameField* current_ = nullptr;
  std::vector<std::unique_ptr<OClip>> pictures_;
  std::unique_ptr<OClip> separator_;
  std::unique_ptr<CTextView> caption_;
  OConfig undoTree_;
  int undoScore_ = 0;
  int cursor_ = -1;
  bool fieldWasIdle_ = true;
};

}  // namespace SpaceSinkra

#pragma once
#include <memory>
#include <vector>

#include "sinkra/CFloatingNumbers.h"
#include "sinkra/CGameField.h"

namespace SpaceSinkra {

// The rising-row variant: blocks arrive one by one in a tray under the
// board; each full row is pushed in from below, lifting the board, and the
// game ends when a row cannot be pushed because the top row is occupied.
// Special blocks (colours 10..17) arrive now and then and act when clicked.
class CSinkraGame : public CGameField {
public:
  CSinkraGame();
  ~CSinkraGame() override;

  void refreshSkins() override;
  void setVisible(bool visible) override;
  void loadState(OConfig& config) override;
  void saveState(OConfig& config) override;
  void update(int ms) override;
  void clear() override;
  void undo() override {}
  void pushUndo() override {}
  void explodeAll() override;
  void removeAllBlocks() override;
  void newField() override;
  void updateExplosion(int ms) override;
  void click(int cell) override;
  int hover(int cell) override;
  bool setup(int width, int height) override;
  // Won once the game has ended: the rising rows always end the game.
  int result() const override { return ended_ ? 2 : 0; }

  // The separator-bar picture (not owned); bars are placed when a game starts.
  void setSeparatorPicture(const OClip* picture) { separator_ = picture; }

  // Pushes the tray into the bottom row; false when the top row is occupied.
  bool pushRow();
  // The cells a click on the special block at `cell` removes (without it).
  std::vector<int> specialTargets(int cell);
  // The same for the variant's own table of specials.
  virtual std::vector<int> clickTargets(int cell) { return specialTargets(cell); }
  // Empty rows above the first block: floor((n - 2) / width) for n empty
  // cells before the first block in index order, 0 when n is below 2.
  int emptyTopRows() const;

  int rowTime() const { return rowTime_; }
  int interval() const { return interval_; }
  int elapsed() const { return elapsed_; }
  int rowsPushed() const { return rowsPushed_; }
  int trayFill() const { return trayFill_; }
  const CPiece* trayAt(int slot) const;
  const CNumberView* preview() const { return preview_.get(); }
  const CFloatingNumbers& floatingNumbers() const { return floats_; }
  // The game was lost by a failed push.
  bool ended() const { return ended_; }
  void setRowTiming(int rowTime, int rowTimeStep);

protected:
  // Lights a special block and the cells its click takes (nothing while the
  // board moves or when it is lit already).
  void lightSpecial(CPiece& p, int cell);
  // Lights what pointing at `cell` shows: a special's targets, or the
  // block's group, whose size it returns (0 on a special).
  int lightPointed(int cell);
  // Flags the cells exploding; returns how many were not yet.
  static int flagExploding(CGameMap& grid, const std::vector<int>& cells);
  void buildFrames(CPiece& piece) override;
  // The block that arrives in tray slot `slot` (placed by the caller).
  virtual std::unique_ptr<CPiece> makeIncoming(int slot);
  // What a successful push changes: row time, interval, counters, sound.
  virtual void afterPush();
  // The picture of a special colour (10 and above), nullptr for none.
  virtual const OClip* specialPicture(int colour) const;
  // Floating bonus numbers: rise per step and the delay between steps.
  virtual double floatSpeed() const;
  virtual int floatDelay() const;

  void arrive(int ms);
  void tryPush();
  void demoMove(int ms);
  void scaleSpecialPictures();
  void placeSeparators();
  void deleteTray(bool onlyExploding);
  // One tray slot per column, whatever changed the board's width.
  void fitTray();
  void emitAllSparks();
  void addBonus(int value, int cell);
  // The tray block of a slot at its place under the board, on the screen.
  void showInTray(int slot, std::unique_ptr<CPiece> piece);

private:
  void clickSpecial(int cell);
  void setPreview(int value);
  void rotateBoard();
  void recolour(int cell);
  int scoreFor(int n) const;

protected:
  std::vector<std::unique_ptr<CPiece>> tray_;
  int trayFill_ = 0;
  std::vector<std::unique_ptr<OBitmap>> specialBitmaps_;
  double specialFor_ = 0;  // cell size the special bitmaps were made for
  int initialRowTime_ = 300;
  int rowTimeStep_ = 200;
  int rowTime_ = 300;
  int interval_ = 0;
  int elapsed_ = 0;
  int rowsPushed_ = 0;
  int trayProgress_ = 0;
  bool specialPreview_ = false;
  bool ended_ = false;
  std::unique_ptr<CNumberView> preview_;
  CFloatingNumbers floats_;
  const OClip* separator_ = nullptr;
};

}  // namespace SpaceSinkra

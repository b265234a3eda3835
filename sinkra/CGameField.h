#pragma once
#include <memory>
#include <span>
#include <vector>

#include "sinkra/CFieldHost.h"
#include "sinkra/CGameMap.h"
#include "sinkra/CUndo.h"

class OBitmap;
class OClip;
class OConfig;
class OEngine;

namespace SpaceSinkra {

class CGlobal;
class CPiece;

// The board shared by every Sinkra variant: point at a group of touching
// blocks of one colour, click it, watch it fade out with sparks, let the
// blocks above fall and the columns close. Variants override the virtual
// operations. The field draws nothing itself: each block's clip lives on
// the engine and the field moves, fades and re-frames it. The engine must
// outlive the field (the field takes its clips back off it on destruction).
class CGameField {
public:
  CGameField();
  virtual ~CGameField();
  CGameField(const CGameField&) = delete;
  CGameField& operator=(const CGameField&) = delete;

  // Re-selects every block's frame after a skin change.
  virtual void refreshSkins();
  virtual void setVisible(bool visible);
  // Restores the board from a saved-game tree; see saveState for the keys.
  virtual void loadState(OConfig& config);
  // Writes size, dimensions, phase flags, score and every cell.
  virtual void saveState(OConfig& config);
  // Called whenever the board comes to rest after a move.
  virtual void onSettled();
  virtual void stopDemo();
  virtual void startDemo();
  // One frame: the explosion, then the movement step. `ms` is already scaled.
  virtual void update(int ms);
  // Empties the undo stack, frees the bitmaps, blocks and extra clips.
  virtual void clear();
  // True when no cell lies in a group of two or more.
  virtual bool hasNoMoves();
  virtual void undo();
  virtual void pushUndo();
  // Every block starts exploding.
  virtual void explodeAll();
  // Deletes every block (off the engine) and the extra clips.
  virtual void removeAllBlocks();
  // Empties the undo stack and deals a full board of random colours.
  virtual void newField();
  // Sends every block above an empty cell down.
  virtual void startFall();
  virtual void updateExplosion(int ms);
  // Explodes the group at the cell (ignored while busy).
  virtual void click(int cell);
  // Highlights the group at the cell and returns its size (see the source).
  virtual int hover(int cell);
  // Base: clears picturesScaled and the demo flag; variants size the grid.
  virtual bool setup(int width, int height);
  virtual void setLevel(int n);
  // Stores the screen, the picture table (50 entries: 36 blocks from 0,
  // specials from 36), the special base and the board area.
  virtual bool attach(OEngine* engine, std::span<OClip* const> pictures,
                      std::span<OClip* const> specialPictures, unsigned x0, unsigned y0,
                      unsigned areaWidth, unsigned areaHeight);

  // What the finished game means for the frame: 0 while it runs; variants
  // return their own non-zero codes once finished.
  virtual int result() const { return 0; }
  // Number of boards dealt by newField so far (a demo deals a new board
  // when one ends, so observers count games by it).
  int deals() const { return deals_; }
  // Whether the last loadState rebuilt the board from the saved tree (false
  // when the tree was refused or held no board).
  bool stateLoaded() const { return stateLoaded_; }

  // Replaces the board by width x height cells of the given colours (-1
  // empty), at rest; for tools, tests and benchmarks. False when the size
  // is refused (the board is then empty).
  bool setBoard(int width, int height, const std::vector<int>& colours);

  // Cell under a screen point, or -1.
  int cellAt(int x, int y) const;
  int groupSize(int cell) { return grid_.groupSize(cell); }
  int blockCount() const { return grid_.blockCount(); }
  bool anyMoving() const { return grid_.anyMoving(); }
  // Neither exploding nor normalizing.
  bool idle() const { return !grid_.exploding && !grid_.normalizing; }

  CGameMap& grid() { return grid_; }
  const CGameMap& grid() const { return grid_; }
  void setHost(CFieldHost* host);
  CFieldHost& host() const { return *host_; }
  OEngine* engine() const { return engine_; }
  double cellSize() const { return grid_.cellSize; }
  // Side of a block picture: the cell size rounded up, so blocks standing
  // at the whole-pixel part of fractional cell positions meet without a gap.
  int blockPixels() const;
  int normalizeMode() const { return normalizeMode_; }
  bool centreClosing() const { return centreClosing_; }
  // Extra clips owned by the field (dropped by removeAllBlocks and clear).
  size_t extraClipCount() const { return extraClips_.size(); }

  bool finished = false;
  bool demo = false;

  // Screen position of a cell's top-left corner.
  double cellX(int cell) const;
  double cellY(int cell) const;

protected:
  friend class CUndo;

  // A new block with its twelve frames, placed at `cell` (not on the grid,
  // not on the engine yet).
  std::unique_ptr<CPiece> makeBlock(int colour, int cell, bool chameleon = false);
  // Builds the frames of a block into its clip: twelve for an ordinary
  // colour (normal and inset per skin); variants add their special blocks.
  virtual void buildFrames(CPiece& piece);
  // Puts a block into an empty cell and onto the engine; false if refused.
  bool placeBlock(int cell, std::unique_ptr<CPiece> piece);
  // Deletes the block of a cell, taking its clip off the engine.
  void deleteBlock(int cell);
  void showClip(OClip* clip);
  void hideClip(OClip* clip);
  void addExtraClip(std::unique_ptr<OClip> clip);
  void removeExtraClips();
  // Frame 2 x skin, +1 while highlighted.
  void selectFrame(CPiece& piece);
  void removeHighlight();
  void scalePictures();
  // A scaled block picture: 0..35 normal, 36..71 inset; null when unscaled.
  const OBitmap* scaledPicture(int index) const;
  // Scales the pictures unless they are already made for this cell size.
  void ensureScaled();
  void freeScaledPictures();
  void recomputeCellSize();
  // Sends a block on a slide; false when refused.
  bool moveBlock(int from, int to);
  void startClosing();
  void movementStep();
  // `count` sparks around a block; `opacityStep` their first fade step.
  void emitSparks(const CPiece& piece, int count, int opacityStep);
  // Sparks per block for a number, with the thresholds of the running
  // explosion (n counts the blocks plus one).
  static int sparksFor(int n);
  void playEffect(int id, bool restart = false);
  // Pointing feedback of the scoring variants after hovering a group of n:
  // the pointing sound and `score` for a group of two or more, 0 once no
  // group is lit; -1 leaves the preview as it is.
  int groupPreview(int n, int score);
  CGlobal& global() const;
  // The computer's pick: the first cell of the largest group; when that
  // group has 2 or 3 blocks, the last such cell counting down to cell 1
  // instead, so small groups are taken from the bottom. `best` gets the
  // size; any highlight is removed.
  int chooseDemoGroup(int& best);
  // A bonus number over a cell: centred on its column, above its row, kept
  // inside the board area, at depth 4.
  std::unique_ptr<CNumberView> makeFloatingNumber(int value, int cell);
  // Digit cells a number needs to show `value` whole.
  static int digitsFor(long long value);

  CGameMap grid_;
  OEngine* engine_ = nullptr;
  std::vector<OClip*> pictures_;
  std::vector<OClip*> specialPictures_;
  unsigned x0_ = 0, y0_ = 0, areaWidth_ = 0, areaHeight_ = 0;
  CUndo undo_;
  std::vector<std::unique_ptr<OBitmap>> scaled_;  // 36 normal then 36 inset
  int normalizeMode_ = 2;  // 2 falling, 1 closing
  bool centreClosing_ = false;
  bool picturesScaled_ = false;
  double scaledFor_ = 0;  // cell size the scaled bitmaps were made for
  std::vector<std::unique_ptr<OClip>> extraClips_;
  CFieldHost* host_ = nullptr;
  int deals_ = 0;
  bool stateLoaded_ = false;

  // A saved board of this size can be rebuilt without breaking the grid.
  static bool stateAcceptable(OConfig& config, int width, int height);

private:
  void landFalling();
  void landClosing();
  void landBlocks(const std::vector<int>& cells);
  bool closingGapLeft();
};

}  // namespace SpaceSinkra

// The curtain of tiles the main screen lowers before another screen opens
// over it and raises again when that screen has closed.
#include "app/AMainWnd.h"
#include "app/OMainWindow.h"
#include "platform/Random.h"

void AMainWnd::buildCurtainCells() {
  freeCells_.clear();
  const OClip* frame = app().frame.get();
  if (!frame || frame->width <= 0 || frame->height <= 0) {
    tileColumns_ = tileRows_ = tileCount_ = 0;
    return;
  }
  tileColumns_ = (width() - 20) / frame->width;
  tileRows_ = (height() - 20) / frame->height;
  tileCount_ = tileColumns_ * tileRows_;
  // Cells under a tile already on the screen stay taken.
  std::vector<bool> taken(size_t(tileCount_), false);
  for (const Tile& t : tiles_) {
    if (t.cell >= 0 && t.cell < tileCount_) taken[size_t(t.cell)] = true;
  }
  for (int cell = 0; cell < tileCount_; ++cell) {
    if (!taken[size_t(cell)]) freeCells_.push_back(cell);
  }
}

OClip* AMainWnd::makeTile(int cell, double depth) {
  const OClip* frame = app().frame.get();
  auto* tile = new OClip();
  tile->copyFrom(*frame);
  int frames = frame->sequenceCount > 0 ? frame->sequenceCount : frame->imageCount;
  int pick = frames > 0 ? zb::random(frames) : 0;
  if (frame->sequenceCount > 0) {
    tile->showFrame(0, pick);
  } else {
    tile->showFrame(pick);
  }
  tile->stopped = true;
  tile->visible = true;
  tile->x = frame->width * (cell % tileColumns_) + 10;
  tile->y = frame->height * (cell / tileColumns_) + 11;
  tile->z = depth;
  tile->vx = tile->vy = tile->vz = 0;
  addClip(tile);
  return tile;
}

void AMainWnd::addTiles(int count) {
  for (int i = 0; i < count && !freeCells_.empty(); ++i) {
    size_t pick = size_t(zb::random(int(freeCells_.size())));
    int cell = freeCells_[pick];
    freeCells_.erase(freeCells_.begin() + long(pick));
    tiles_.push_back({makeTile(cell, -5000000), cell});
  }
}

void AMainWnd::removeTiles(int count) {
  for (int i = 0; i < count && !tiles_.empty(); ++i) {
    size_t pick = size_t(zb::random(int(tiles_.size())));
    OClip* clip = tiles_[pick].clip;
    tiles_.erase(tiles_.begin() + long(pick));
    removeClip(clip, true);
  }
}

void AMainWnd::coverScreen() {
  state_ = kCovering;
  buildCurtainCells();
  // Already fully covered (a screen follows straight after another).
  if (freeCells_.empty()) state_ = kCovered;
}

// The sprites of the visual field: one per segment, the cursor, their
// places at rest and during the fall, slide and rise animations, and the
// sparkles of a destruction.
#include <algorithm>

#include "app/OEngine.h"
#include "game/AStar.h"
#include "gfx/OClip.h"
#include "gyrex/RVisualField.h"
#include "platform/Random.h"

namespace SpaceGyrex {
namespace {

// Offsets of the segment pictures inside an element: top, right, bottom, left.
constexpr int kDx[kSegments] = {0, 20, 0, 0};
constexpr int kDy[kSegments] = {0, 0, 20, 0};
constexpr int kSparkleChance = 30;  // in 100, per marked segment and frame
constexpr int kSparkleStep = -30;

// A sprite showing one frame per colour choice: a copy of the picture's
// first sequence (or of the picture itself), sharing its pixels.
std::unique_ptr<OClip> makeSprite(const OClip* picture, double depth) {
  auto clip = std::make_unique<OClip>();
  if (picture) {
    if (picture->sequenceCount > 0 && !picture->sequences.empty()) {
      clip->copyFrom(*picture->sequences[0]);
    } else {
      clip->copyFrom(*picture);
    }
  }
  clip->moves = false;  // the field places its sprites itself
  clip->stopped = true;
  clip->vx = clip->vy = clip->vz = 0;
  clip->z = depth;
  clip->visible = false;
  return clip;
}

void setOpacityOnce(OClip& clip, int level) {
  if (clip.opacity != level) clip.setOpacity(level);
}

}  // namespace

RVisualField::RVisualField() = default;

RVisualField::~RVisualField() { dropSprites(); }

void RVisualField::dropSprites() {
  if (screen_) {
    for (auto& s : sprites_) screen_->removeClip(s.get(), false);
    for (auto& c : cursor_) screen_->removeClip(c.get(), false);
  }
  sprites_.clear();
  cursor_.clear();
}

void RVisualField::attach(OEngine* screen, const RPictures& pictures) {
  dropSprites();
  screen_ = screen;
  pictures_ = pictures;
  makeSprites();
  refreshSprites();
}

void RVisualField::makeSprites() {
  int rows = isRow ? 1 : kRows;
  sprites_.resize(size_t(kColumns * rows * kSegments));
  for (int c = 0; c < kColumns; ++c) {
    for (int r = 0; r < rows; ++r) {
      for (int s = 0; s < kSegments; ++s) {
        auto& slot = sprites_[size_t(spriteIndex(c, r, s))];
        slot = makeSprite(pictures_.segments[size_t(s)], kSpriteDepth);
        slot->x = elementX(c) + kDx[s];
        slot->y = elementY(r) + kDy[s];
      }
    }
  }
  if (!isRow) {
    for (int i = 0; i < kRows; ++i) cursor_.push_back(makeSprite(pictures_.cursor, kCursorDepth));
    // The cursor glows: it runs its own frames.
    for (auto& c : cursor_) c->stopped = false;
  }
  if (!screen_) return;
  for (auto& s : sprites_) {
    if (!s->empty()) screen_->addClip(s.get());
  }
  for (auto& c : cursor_) {
    if (!c->empty()) screen_->addClip(c.get());
  }
}

int RVisualField::spriteIndex(int column, int row, int segment) const {
  return (column * (isRow ? 1 : kRows) + row) * kSegments + segment;
}

OClip* RVisualField::sprite(int column, int row, int segment) const {
  if (column < 0 || column >= kColumns || row < 0 || row >= (isRow ? 1 : kRows) || segment < 0 ||
      segment >= kSegments) {
    return nullptr;
  }
  size_t i = size_t(spriteIndex(column, row, segment));
  return i < sprites_.size() ? sprites_[i].get() : nullptr;
}

OClip* RVisualField::cursorSprite(int i) const {
  return i >= 0 && i < int(cursor_.size()) ? cursor_[size_t(i)].get() : nullptr;
}

void RVisualField::setChoices(const std::array<int, kMaxColour>& choices) {
  pictures_.choices = choices;
  refreshSprites();
}

void RVisualField::placeSprite(int column, int row, int segment, double dx, double dy, int opacity) {
  OClip* clip = sprite(column, row, segment);
  if (!clip) return;
  int colour = Colour(column, row, segment);
  clip->x = elementX(column) + kDx[segment] + dx;
  clip->y = elementY(row) + kDy[segment] + dy;
  bool shown = colour > 0 && (!isRow || IsRevealed(column * kSegments + segment));
  clip->visible = shown && !hidden_;
  if (shown) {
    int choice = pictures_.choices[size_t(std::clamp(colour, 1, kMaxColour) - 1)];
    if (clip->imageCount > 0 && clip->currentFrame != choice % clip->imageCount) clip->showFrame(choice % clip->imageCount);
  }
  setOpacityOnce(*clip, opacity);
}

void RVisualField::refreshSprites() {
  int rows = isRow ? 1 : kRows;
  for (int c = 0; c < kColumns; ++c) {
    for (int r = 0; r < rows; ++r) {
      for (int s = 0; s < kSegments; ++s) placeSprite(c, r, s, 0, 0, -1);
    }
  }
}

void RVisualField::placeMoving() {
  for (int c = 0; c < kColumns; ++c) {
    for (int r = 0; r < kRows; ++r) {
      double dx = 0, dy = 0;
      if (state == kSliding && c >= shiftColumn && c <= rightColumn) {
        dx = c < movingColumn ? -kElementSize : c == movingColumn ? -animOffset : 0;
      } else if (state == kRising) {
        // Rows above the first moving one are empty.
        dy = r < movingRow ? -kElementSize : r == movingRow ? -animOffset : 0;
      }
      for (int s = 0; s < kSegments; ++s) {
        double fall = state == kFalling && Marked(c, r, s) ? animOffset : 0;
        const OClip* clip = sprite(c, r, s);
        placeSprite(c, r, s, dx, dy + fall, clip ? clip->opacity : -1);
      }
    }
  }
}

void RVisualField::setMarkedOpacity(int level) {
  for (int c = 0; c < kColumns; ++c) {
    for (int r = 0; r < kRows; ++r) {
      for (int s = 0; s < kSegments; ++s) {
        if (!Marked(c, r, s)) continue;
        if (OClip* clip = sprite(c, r, s)) setOpacityOnce(*clip, level);
      }
    }
  }
}

void RVisualField::emitSparkles() {
  if (!sparkles || !screen_ || !pictures_.star || pictures_.star->empty() || hidden_) return;
  for (int c = 0; c < kColumns; ++c) {
    for (int r = 0; r < kRows; ++r) {
      for (int s = 0; s < kSegments; ++s) {
        if (!Marked(c, r, s) || zb::random(100) >= kSparkleChance) continue;
        const OClip* clip = sprite(c, r, s);
        if (!clip) continue;
        int choice = pictures_.choices[size_t(std::clamp(Colour(c, r, s), 1, kMaxColour) - 1)];
        auto* star = new AStar(*pictures_.star, clip->x, clip->y, std::max(1, clip->width),
                               std::max(1, clip->height), choice, kSparkleStep);
        screen_->addClip(star);  // the screen owns sparkles and drops them once faded
      }
    }
  }
}

void RVisualField::setHidden(bool hidden) {
  hidden_ = hidden;
  refreshSprites();
  if (hidden) hideCursor();
}

void RVisualField::hideCursor() {
  for (auto& c : cursor_) c->visible = false;
}

void RVisualField::cursorOn(int column, int row) {
  hideCursor();
  if (cursor_.empty() || hidden_ || column < 0 || column >= kColumns || row < 0 || row >= kRows) return;
  OClip& c = *cursor_[0];
  c.x = elementX(column);
  c.y = elementY(row);
  c.visible = true;
}

void RVisualField::cursorOnColumn(int column) {
  hideCursor();
  if (hidden_ || column < 0 || column >= kColumns) return;
  for (int r = 0; r < int(cursor_.size()); ++r) {
    OClip& c = *cursor_[size_t(r)];
    c.x = elementX(column);
    c.y = elementY(r);
    c.visible = true;
  }
}

void RVisualField::PointAt(int x, int y) {
  pointerX_ = x;
  pointerY_ = y;
  if (state != kIdle || isRow || demo) return;
  if (x < originX || y < originY || x >= originX + kSquare || y >= originY + kSquare) {
    hideCursor();
    return;
  }
  cursorOn((x - originX) / kElementSize, (y - originY) / kElementSize);
}

void RVisualField::ShowHint() {
  if (state != kIdle || isRow || gameOver) return;
  // The hint is looked for again: a turn that changed nothing leaves the
  // one of the last settle out of date.
  if (!FindHint()) return;
  if (hintRow < 0) {
    cursorOnColumn(hintColumn);
  } else {
    cursorOn(hintColumn, hintRow);
  }
}

}  // namespace SpaceGyrex

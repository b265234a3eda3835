// The move-and-animation state machine of the visual field: clicks, the
// destroy, fall, slide and rise animations, reveals and the settle step.
#include "gyrex/RVisualField.h"

#include <algorithm>

#include "gfx/OClip.h"
#include "gyrex/RRecorder.h"
#include "storage/OConfig.h"

namespace SpaceGyrex {
namespace {

constexpr int kMaxFrame = 30;

}  // namespace

void RVisualField::New() {
  RField::New();
  scoring.Start(*this, true);
  clock = 0;
  addTimer = 0;
  addInterval = rules.addTimeMax;
  revealPending = rowPending = false;
  gameOver = false;
  recording = false;
  state = kIdle;
  animOffset = 0;
  fadeLevel = 0;
  playbackDone_ = false;
  restAfterPlayback_ = 0;
  hideCursor();
  refreshSprites();
}

void RVisualField::SaveTo(OConfig& tree) {
  RField::SaveTo(tree);
  if (isRow) return;
  tree.setInt(name + ".record_timer", clock);
  tree.setInt(name + ".score", scoring.score);
}

bool RVisualField::LoadFrom(OConfig& tree) {
  if (!RField::LoadFrom(tree)) return false;
  state = kIdle;
  animOffset = 0;
  fadeLevel = 0;
  addTimer = 0;
  revealPending = rowPending = false;
  gameOver = false;
  playbackDone_ = false;
  scoring.Start(*this, false);
  addInterval = rules.AddInterval(rightColumn);
  if (!isRow) {
    // A damaged file cannot give a negative score or a clock outside the game.
    clock = std::clamp(tree.getInt(name + ".record_timer", 0), 0, kMaxClock);
    scoring.score = std::max(0, tree.getInt(name + ".score", 0));
    FindHint();
    recording = true;
  }
  hideCursor();
  refreshSprites();
  return true;
}

double RVisualField::moveStep(int elapsed) const {
  int s = std::clamp(speed, 0, 4) + 1;
  return std::min(double(kElementSize), (0.075 + 0.10625 * (s - 1)) * elapsed);
}

int RVisualField::fadeStep(int elapsed) const {
  int s = std::clamp(speed, 0, 4) + 1;
  // At least one level, so a fade always ends.
  return std::clamp(int((0.15 + 0.2125 * (s - 1)) * elapsed), 1, 255);
}

void RVisualField::sound(int slot, bool restart) {
  if (playSound) playSound(slot, restart);
}

bool RVisualField::Click(int x, int y, bool clockwise) {
  if (state != kIdle || isRow) return false;
  if (x < originX || y < originY || x >= originX + kSquare || y >= originY + kSquare) return false;
  hideCursor();
  // The settle step puts the cursor back under the pointer, which is here.
  pointerX_ = x;
  pointerY_ = y;
  return applyMove((x - originX) / kElementSize, (y - originY) / kElementSize, clockwise);
}

bool RVisualField::applyMove(int column, int row, bool clockwise) {
  // A row waiting to rise comes first, so a recording replays in order.
  if (state != kIdle || gameOver || rowPending) return false;
  if (column < 0 || column >= kColumns || row < 0 || row >= kRows || IsEmpty(column, row)) return false;
  Rotate(column, row, clockwise);
  refreshSprites();
  if (int n = DestroyPassElement(column, row); n > 0) {
    state = kDestroying;
    scoring.chainTotal += n;
    fadeLevel = 0;
  } else if (MarkFall()) {
    state = kFalling;
    animOffset = 0;
  } else if (FindSlide()) {
    state = kSliding;
    animOffset = 0;
    movingColumn = shiftColumn;
  }
  if (variant == 1 && state != kIdle) revealPending = true;
  sound(kSoundRotate, true);
  if (state == kDestroying) sound(kSoundDestroy);
  if (recording && recorder) recorder->AddMove(column, row, clockwise, clock);
  if (state == kIdle) {
    // A turn that sets nothing off still ends in the settle step, so the
    // position kept for a save (and the recording with it) includes it.
    cursorOn(column, row);
    state = kSettling;
  }
  return true;
}

void RVisualField::Update(int elapsed) {
  if (isRow || gameOver) return;
  elapsed = std::clamp(elapsed, 0, kMaxFrame);
  clock = std::min(clock + elapsed, kMaxClock);
  switch (state) {
    case kIdle: updateIdle(elapsed); break;
    case kDestroying: updateDestroying(elapsed); break;
    case kFalling: updateFalling(elapsed); break;
    case kSliding: updateSliding(elapsed); break;
    case kRising: updateRising(elapsed); break;
    case kSettling: settle(); break;
    case kPlayMove: updatePlayMove(); break;
    case kPlayLead: updatePlayLead(); break;
    case kPreviewFade: updatePreviewFade(elapsed); break;
    case kRowFadeIn: updateRowFadeIn(elapsed); break;
    default: state = kIdle; break;
  }
}

void RVisualField::updateIdle(int elapsed) {
  // A pending row rises before the reveal timer runs on: a reveal step
  // taken now would reveal nothing here but a segment of the next row when
  // the recording is played back.
  if (rowPending) {
    rowPending = false;
    startRise();
  } else {
    addTimer += elapsed;
    bool revealed = false;
    if (addTimer >= addInterval) {
      addTimer -= addInterval;
      revealed = variant == 2;
      if (variant == 2) {
        if (recording && recorder) recorder->AddReveal(clock);
        if (!demo) reveal();
      }
    }
    if (rowPending) {
      rowPending = false;
      startRise();
    } else if (revealed && !demo && onSettled) {
      // The field rests with one more preview segment: keep it for a save.
      onSettled();
    }
  }
  if (state != kIdle || gameOver || !demo) return;
  if (recorder && recorder->EventsLeft()) {
    state = kPlayLead;
  } else {
    updatePlaybackEnd(elapsed);
  }
}

void RVisualField::startRise() {
  if (TopRowOccupied()) {
    gameOver = true;
    return;
  }
  sound(kSoundRise);
  hideCursor();
  movingRow = TopmostRow();
  animOffset = 0;
  state = kRising;
  if (movingRow >= kRows) {
    fadeLevel = 0;
    state = kPreviewFade;
  }
}

void RVisualField::updateDestroying(int elapsed) {
  fadeLevel = std::min(255, fadeLevel + fadeStep(elapsed));
  setMarkedOpacity(fadeLevel);
  if (fadeLevel < 255) {
    emitSparkles();
    return;
  }
  ClearMarked();
  refreshSprites();
  afterClear();
}

void RVisualField::afterClear() {
  animOffset = 0;
  if (MarkFall()) {
    state = kFalling;
  } else if (FindSlide()) {
    state = kSliding;
    movingColumn = shiftColumn;
  } else {
    state = kSettling;
  }
}

void RVisualField::updateFalling(int elapsed) {
  animOffset = std::min(double(kElementSize), animOffset + moveStep(elapsed));
  if (animOffset < kElementSize - 0.1) {
    placeMoving();
    return;
  }
  ApplyFall();
  refreshSprites();
  animOffset = 0;
  if (!MarkFall()) afterFall();
}

void RVisualField::afterFall() {
  if (int n = DestroyPassAll(); n > 0) {
    scoring.chainTotal += n;
    fadeLevel = 0;
    state = kDestroying;
    sound(kSoundDestroy);
  } else if (FindSlide()) {
    state = kSliding;
    animOffset = 0;
    movingColumn = shiftColumn;
  } else {
    state = kSettling;
  }
}

void RVisualField::updateSliding(int elapsed) {
  animOffset = std::min(double(kElementSize), animOffset + moveStep(elapsed));
  if (animOffset >= kElementSize - 0.01) {
    ++movingColumn;
    animOffset = 0;
  }
  if (movingColumn <= rightColumn) {
    placeMoving();
    return;
  }
  ApplySlide();
  refreshSprites();
  afterSlide();
}

void RVisualField::afterSlide() {
  animOffset = 0;
  if (FindSlide()) {
    state = kSliding;
    movingColumn = shiftColumn;
  } else if (int n = DestroyPassAll(); n > 0) {
    scoring.chainTotal += n;
    fadeLevel = 0;
    state = kDestroying;
    sound(kSoundDestroy);
  } else {
    state = kSettling;
  }
}

void RVisualField::updateRising(int elapsed) {
  animOffset = std::min(double(kElementSize), animOffset + moveStep(elapsed));
  if (animOffset >= kElementSize - 0.01) {
    ++movingRow;
    animOffset = 0;
  }
  if (movingRow < kRows) {
    placeMoving();
    return;
  }
  placeMoving();
  fadeLevel = 0;
  state = kPreviewFade;
}

void RVisualField::updatePreviewFade(int elapsed) {
  fadeLevel = std::min(255, fadeLevel + fadeStep(elapsed));
  if (preview) {
    for (int i = 0; i < preview->visibleElems && i < kRowTextLength; ++i) {
      if (OClip* s = preview->sprite(i / kSegments, 0, i % kSegments)) s->setOpacity(fadeLevel);
    }
  }
  if (fadeLevel < 255) return;
  pushRow();
  fadeLevel = 255;
  state = kRowFadeIn;
}

void RVisualField::pushRow() {
  if (preview) {
    PushRow(*preview);
    preview->New();
    if (recorder && demo) {
      recorder->NextRow(*preview);
    } else if (recorder && recording) {
      recorder->AddRow(*preview);
    }
    preview->refreshSprites();
  }
  refreshSprites();
  for (int c = 0; c < kColumns; ++c) {
    for (int s = 0; s < kSegments; ++s) {
      if (OClip* sp = sprite(c, kRows - 1, s)) sp->setOpacity(255);
    }
  }
}

void RVisualField::updateRowFadeIn(int elapsed) {
  fadeLevel = std::max(0, fadeLevel - fadeStep(elapsed));
  for (int c = 0; c < kColumns; ++c) {
    for (int s = 0; s < kSegments; ++s) {
      if (OClip* sp = sprite(c, kRows - 1, s)) sp->setOpacity(fadeLevel == 0 ? -1 : fadeLevel);
    }
  }
  if (fadeLevel > 0) return;
  // What the new row completes is cleared without score or doublings.
  scoring.noScoreOnSettle = true;
  if (int n = DestroyPassBottomRow(); n > 0) {
    scoring.chainTotal += n;
    state = kDestroying;
    sound(kSoundDestroy);
  } else {
    state = kSettling;
  }
}

void RVisualField::reveal() {
  if (!preview) return;
  for (int k = 0; k < rules.elemsToAdd && !rowPending; ++k) {
    if (!preview->RevealNext(rightColumn)) rowPending = true;
  }
  preview->refreshSprites();
}

void RVisualField::settle() {
  state = kIdle;
  int colours = ColoursInPlay();
  for (int d = scoring.Settle(colours, rightColumn); d > 0; --d) sound(kSoundDouble);
  addInterval = rules.AddInterval(rightColumn);
  if (revealPending) {
    revealPending = false;
    reveal();
  }
  if (preview && preview->visibleElems > rightColumn * kSegments + kSegments) rowPending = true;
  if (rowPending) return;
  if (!FindHint()) gameOver = true;
  if (demo) {
    if (recorder && recorder->EventsLeft() && !gameOver) {
      jumpToNextEvent();
      state = kPlayLead;
    }
    return;
  }
  PointAt(pointerX_, pointerY_);
  if (onSettled) onSettled();
}

}  // namespace SpaceGyrex

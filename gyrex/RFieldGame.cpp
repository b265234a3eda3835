#include "gyrex/RFieldGame.h"

#include <cmath>

namespace SpaceGyrex {
namespace {

constexpr double kElementPixels = 42.0;

// Animation rates of the visual field for speed s = setting + 1.
double moveRate(int s) { return 0.075 + 0.10625 * (s - 1); }
double fadeRate(int s) { return 0.15 + 0.2125 * (s - 1); }

}  // namespace

void RFieldGame::resetState() {
  clock = addTimer = 0;
  revealPending = rowPending = gameOver = false;
  moves = pushes = doublings = 0;
  field.name = "gamefield";
  preview.name = "gamerow";
  preview.isRow = true;
  field.rules = preview.rules = rules;
}

void RFieldGame::Start(int gameKind, int gameLevel, const RRules& gameRules) {
  kind = gameKind, level = gameLevel, rules = gameRules;
  rules.Bound();  // a zero reveal interval would never let the clock pass
  resetState();
  field.New();
  preview.New();
  score.Start(field, true);
  addInterval = rules.addTimeMax;
  recorder.Reset();
  recorder.TakeField(field);
  if (kind != 0) recorder.AddRow(preview);
  recorder.gameKind = kind;
  recorder.level = level;
  recording = true;
  playback = false;
  field.FindHint();
}

bool RFieldGame::StartPlayback(const RRecorder& recording_, const RRules& gameRules) {
  recording_.CopyTo(recorder);
  kind = recorder.gameKind, level = recorder.level, rules = gameRules;
  rules.Bound();
  resetState();
  field.New();
  recorder.Rewind();
  if (!recorder.RestoreField(field)) return false;
  score.Start(field, true);
  addInterval = rules.addTimeMax;
  field.FindHint();
  preview.New();
  if (kind != 0) recorder.NextRow(preview);
  recording = false;
  playback = true;
  return true;
}

bool RFieldGame::PlayNextEvent() {
  if (recorder.finished) return false;
  clock = std::max(clock, recorder.time);
  if (recorder.isAdd) {
    revealPending = true;
    settle();
    pushRows();
  } else {
    Move(recorder.column, recorder.row, recorder.clockwise);
  }
  recorder.Advance();
  return true;
}

RFieldGame::Step RFieldGame::StartMove(RField& f, int column, int row, bool clockwise, int& destroyed) {
  f.Rotate(column, row, clockwise);
  destroyed = f.DestroyPassElement(column, row);
  if (destroyed > 0) return kDestroy;
  if (f.MarkFall()) return kFall;
  if (f.FindSlide()) return kSlide;
  return kNothing;
}

void RFieldGame::Resolve(RField& f, Step step, RResolve& out) {
  while (step != kSettle && step != kNothing) {
    switch (step) {
      case kDestroy:
        ++out.fades;
        f.ClearMarked();
        step = f.MarkFall() ? kFall : f.FindSlide() ? kSlide : kSettle;
        break;
      case kFall: {
        do {
          f.ApplyFall();
          ++out.fallSteps;
        } while (f.MarkFall());
        const int n = f.DestroyPassAll();
        out.destroyed += n;
        step = n > 0 ? kDestroy : f.FindSlide() ? kSlide : kSettle;
        break;
      }
      case kSlide: {
        out.slideColumns += f.rightColumn - f.shiftColumn + 1;
        f.ApplySlide();
        if (f.FindSlide()) break;
        const int n = f.DestroyPassAll();
        out.destroyed += n;
        step = n > 0 ? kDestroy : kSettle;
        break;
      }
      default: step = kSettle;
    }
  }
}

bool RFieldGame::Move(int column, int row, bool clockwise) {
  if (gameOver || column < 0 || column >= kColumns || row < 0 || row >= kRows) return false;
  if (field.IsEmpty(column, row)) return false;
  if (recording) recorder.AddMove(column, row, clockwise, clock);
  ++moves;
  int destroyed = 0;
  const Step first = StartMove(field, column, row, clockwise, destroyed);
  if (first == kNothing) return true;
  score.chainTotal += destroyed;
  if (kind == 1) revealPending = true;
  resolveAndSettle(first);
  pushRows();
  return true;
}

void RFieldGame::resolveAndSettle(Step step) {
  RResolve r;
  Resolve(field, step, r);
  score.chainTotal += r.destroyed;
  clock += animationMs(r);
  settle();
}

void RFieldGame::settle() {
  doublings += score.Settle(field.ColoursInPlay(), field.rightColumn);
  addInterval = rules.AddInterval(field.rightColumn);
  if (revealPending) {
    revealPending = false;
    reveal();
  }
  if (preview.visibleElems > field.rightColumn * kSegments + kSegments) rowPending = true;
  if (!rowPending && !field.FindHint()) gameOver = true;
}

void RFieldGame::reveal() {
  for (int i = 0; i < rules.elemsToAdd && !rowPending; ++i)
    if (!preview.RevealNext(field.rightColumn)) rowPending = true;
}

// Each pending row rises in (or ends the game on an occupied top row); the
// groups it completes are destroyed without score.
void RFieldGame::pushRows() {
  while (rowPending && !gameOver) {
    rowPending = false;
    if (field.TopRowOccupied()) {
      gameOver = true;
      return;
    }
    clock += riseMs(field.TopmostRow());
    field.PushRow(preview);
    preview.New();
    if (playback) recorder.NextRow(preview);
    if (recording) recorder.AddRow(preview);
    ++pushes;
    score.noScoreOnSettle = true;
    const int n = field.DestroyPassBottomRow();
    score.chainTotal += n;
    resolveAndSettle(n > 0 ? kDestroy : kSettle);
  }
}

void RFieldGame::Idle(int ms) {
  if (gameOver || ms <= 0) return;
  if (kind != 2) {
    clock += ms;
    return;
  }
  while (!gameOver && addTimer + ms >= addInterval) {
    const int step = addInterval - addTimer;
    clock += step;
    ms -= step;
    addTimer = 0;
    if (recording) recorder.AddReveal(clock);
    if (!playback) {
      reveal();
      pushRows();
    }
  }
  if (gameOver) return;
  clock += ms;
  addTimer += ms;
}

int RFieldGame::animationMs(const RResolve& r) const {
  const int s = speed + 1;
  const double element = kElementPixels / moveRate(s);
  return static_cast<int>(std::lround(r.fades * 255.0 / fadeRate(s) + (r.fallSteps + r.slideColumns) * element));
}

int RFieldGame::riseMs(int topRow) const {
  const int s = speed + 1;
  return static_cast<int>(std::lround((kRows - topRow) * kElementPixels / moveRate(s) + 2 * 255.0 / fadeRate(s)));
}

}  // namespace SpaceGyrex

#pragma once
#include "gyrex/RField.h"
#include "gyrex/RFieldRules.h"
#include "gyrex/RFieldScore.h"
#include "gyrex/RRecorder.h"

namespace SpaceGyrex {

// What a move set off, from the turn to the settle.
struct RResolve {
  int destroyed = 0;     // segments destroyed
  int fallSteps = 0;     // one-element fall steps
  int slideColumns = 0;  // columns moved by slides
  int fades = 0;         // destroy fades
};

// A whole Gyrex game on the model alone: the main field, the preview row,
// the score, the reveal timer and the recorder, with each move carried
// straight through destroying, falling and sliding to its settle, in the
// order the visual field's states run them. The data generator records
// the shipped demos with it and tests play recordings back on it.
//
// Row pushes are handled right after the settle that asks for them, before
// any further idle time: a reveal step taken while a row is pending would
// be recorded but reveal nothing, and would then reveal a segment when
// played back after the push.
class RFieldGame {
public:
  // Steps of a move's resolution.
  enum Step { kNothing = -1, kDestroy = 0, kFall = 1, kSlide = 2, kSettle = 3 };

  // A new game: New on both fields, recording started (kinds 1 and 2 record
  // the preview's first row), clock 0.
  void Start(int gameKind, int gameLevel, const RRules& gameRules);
  // Starts playing a recording back: the recorded starting position and
  // preview rows, nothing recorded. False when the recording's field does
  // not restore.
  bool StartPlayback(const RRecorder& recording, const RRules& gameRules);
  // Plays the next recorded event; false when none is left.
  bool PlayNextEvent();

  // A click on an element: false (nothing recorded) for an empty element,
  // an element outside the field, or after the game ended. Otherwise the
  // turn is recorded and resolved to its settle, rows pushed included.
  bool Move(int column, int row, bool clockwise);
  // Idle time between moves: the clock runs and, in "Time Mania", the
  // reveal timer reveals (recorded) and pushes rows.
  void Idle(int ms);

  // Turns the element and returns the first step of what follows
  // (kNothing when the turn changed nothing).
  static Step StartMove(RField& field, int column, int row, bool clockwise, int& destroyed);
  // Runs a move's consequences from `step` up to the settle.
  static void Resolve(RField& field, Step step, RResolve& out);

  RField field;
  RField preview;
  RRules rules;
  RScore score;
  RRecorder recorder;
  int kind = 0, level = 0;
  int speed = 2;  // speed setting 0..4, for the animation times the clock counts
  int clock = 0;
  int addTimer = 0;
  int addInterval = 1000;
  bool revealPending = false, rowPending = false, gameOver = false;
  bool recording = false, playback = false;
  int moves = 0, pushes = 0, doublings = 0;

private:
  void resetState();
  void resolveAndSettle(Step step);
  void settle();
  void reveal();
  void pushRows();
  int animationMs(const RResolve& r) const;
  int riseMs(int topRow) const;
};

}  // namespace SpaceGyrex

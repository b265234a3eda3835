#pragma once
#include <array>
#include <map>
#include <memory>
#include <ostream>
#include <string>

#include "gfx/OClip.h"
#include "gyrex/RRecorder.h"
#include "gyrex/RVisualField.h"

namespace gyrextest {

// A main field linked to its preview and a live recorder, with sprites made
// from small stand-in pictures (eight frames each) and kept off-screen.
struct VisualRig {
  explicit VisualRig(int kind = 0, const SpaceGyrex::RRules& rules = {});
  // Sets the rules of both fields and the variant.
  void use(int kind, const SpaceGyrex::RRules& rules);
  // New game on both fields, recording into `recorder` as the game does.
  void newGame();
  // Updates in steps of `step` ms until the field rests (idle, no row
  // pending) or the game ended; false when `limitMs` ran out first.
  bool runToRest(int limitMs = 60000, int step = 30);

  std::array<std::unique_ptr<OClip>, SpaceGyrex::kSegments> segments;
  std::unique_ptr<OClip> cursor;
  SpaceGyrex::RVisualField field;
  SpaceGyrex::RVisualField preview;
  SpaceGyrex::RRecorder recorder;
  int kind = 0;
};

// What must hold after every update: segment values in range, each sprite
// shown exactly when its segment is (revealed and) non-empty, at rest in its
// element, showing its colour's choice. Empty string when all holds.
std::string brokenInvariant(const SpaceGyrex::RVisualField& field);

// The position as compared between a game and its replay.
struct Snapshot {
  std::string elements;
  std::string previewRow;
  int visible = 0;
  int rightColumn = 0;
  int score = 0;
  bool operator==(const Snapshot&) const = default;
};
Snapshot snapshot(const SpaceGyrex::RVisualField& field);
void PrintTo(const Snapshot& s, std::ostream* out);

}  // namespace gyrextest

#pragma once
#include <string>

class OConfig;

namespace SpaceGyrex {

// The rules of one kind and level, as read from "cfg/Gyrex.dat".
struct RRules {
  int colorCount = 2;       // colours of new segments: 1..colorCount
  int maxNear = 2;          // largest group in a fresh layout
  int colorDestroy = 4;     // smallest group destroyed
  int elemsToAdd = 1;       // preview segments per reveal step
  int startLineCount = 12;  // rows filled in a new main field
  int addTimeMin = 100;     // reveal interval of a one-column field, ms
  int addTimeMax = 1000;    // and of a full-width field

  // Reveal interval for a field whose last column is rightColumn.
  int AddInterval(int rightColumn) const;
  // Pulls every value into the range the field can play with (see
  // docs/DATA.md); a value outside it cannot hang or break a game.
  void Bound();

  // Reads "Game<kind>.<Novice|Expert|Master>.<Rule>" with the defaults above,
  // then bounds them. Kind and level outside 0..2 read kind/level 0.
  static RRules Read(OConfig& tree, int kind, int level);
  static const char* LevelName(int level);
};

constexpr const char* kRulesFile = "cfg/Gyrex.dat";
constexpr const char* kDemoFile = "cfg/Gyx_demo.dat";
// Key text of the Gyrex rules and demo containers.
constexpr const char* kRulesKeyText = "KLOVKLOV";

// The message for a Gyrex data file that would not load (missing, cut,
// under another key, a folder): `message`, then the file read, and for the
// player's own copy in the per-user folder a word that a reinstall would
// not replace it.
std::string dataFileMessage(const char* message, const char* file);

}  // namespace SpaceGyrex

#pragma once
#include <string>
#include <vector>

class OConfig;

namespace SpaceSinkra {

// One level of the Classic variant. A level with no rows to push, none to
// start with and no special kinds is a bonus level played on its own board.
struct CClassicLevel {
  int rowCount = 0;      // rows that rise during the level
  int rowBegin = 0;      // rows filled at the start
  int colors = 1;        // blocks take colours 0 .. colors - 1
  int timeRowBegin = 0;  // row time at the start, ms
  int timeRowEnd = 0;    // row time at the end, ms
  int bonusesCount = 0;  // special kinds drawn from (5 is the chameleon)
  int timeOnLevel = 0;   // playing time of a bonus level, ms

  bool bonus() const { return rowCount == 0 && rowBegin == 0 && bonusesCount == 0; }
};

// The Classic keys of the rules file for one skill level: the level table
// and the shared Classic tuning, each value held to a range the game can
// run with whatever the file says.
class CClassicRules {
public:
  static constexpr int kMaxLevels = 200;

  // Reads the rules file; false (nothing changed) when it cannot be read.
  bool load(const std::string& path, int skill, int height);
  // Takes the values from a parsed tree for a skill level (0..2) and a
  // board of `height` rows.
  void read(OConfig& rules, int skill, int height);

  int levelCount() const { return static_cast<int>(levels_.size()); }
  // The level of an index, wrapped into the table.
  const CClassicLevel& level(int index) const;

  int bonusFragments = 0;
  int delayShowBonusEffect = 0;
  double speedShowBonusEffect = 0;
  int timeDoBonus5 = 0;
  int probabilityBegin = 0;
  int probabilityEnd = 0;

private:
  std::vector<CClassicLevel> levels_{CClassicLevel{}};
};

}  // namespace SpaceSinkra

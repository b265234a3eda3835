#include "tools/data/gen/Rules.h"

#include <algorithm>
#include <cstdio>
#include <string>

namespace zbgen {
namespace {

const char* const kSkill[3] = {"easy", "medium", "hard"};

std::string fmt(const char* f, auto... args) {
  char buf[256];
  std::snprintf(buf, sizeof buf, f, args...);
  return buf;
}

// Board width and height per skill. Cells are 580 / width pixels; the
// rising-row variants keep (height + 1) cells within 574 pixels so the tray
// fits under the board.
struct Size {
  int w, h;
};
const Size kCollector[3] = {{10, 10}, {12, 12}, {15, 15}};
const Size kRemover[3] = {{10, 10}, {12, 12}, {14, 14}};
const Size kTurn[3] = {{8, 8}, {10, 10}, {12, 12}};
const Size kRising[3] = {{10, 8}, {12, 10}, {14, 12}};

void sizes(std::string& t, const char* variant, const Size* s) {
  t += fmt("%s = {\n", variant);
  for (int k = 0; k < 3; ++k) t += fmt("\t%s = {\n\t\tw=%d\n\t\th=%d\n\t}\n", kSkill[k], s[k].w, s[k].h);
}

bool isBonusLevel(int i) { return i % 5 == 3; }

// Classic row time per block of a row at the first level, and how much
// each level takes off it, per skill level.
const int kClassicBlockMs[3] = {900, 650, 520};
const int kClassicBlockStep[3] = {14, 12, 10};

// One Classic level: more rows, colours, speed and special kinds as the
// index grows; every fifth level (4, 9, ...) is a bonus board. Every skill
// level starts with three colours and few rows; the higher skills add
// colours sooner and give less time per block.
std::string classicLevel(int skill, int i) {
  std::string t = fmt("\t\tlevel%d = {\n", i);
  if (isBonusLevel(i)) {
    int colours = std::min(5, 3 + i / 10 + (skill == 2 ? 1 : 0));
    t += fmt("\t\t\trowCount=0\n\t\t\trowBegin=0\n\t\t\tbonusesCount=0\n\t\t\tcolors=%d\n", colours);
    t += fmt("\t\t\ttimeOnLevel=%d\n\t\t\ttimeRowBegin=0\n\t\t\ttimeRowEnd=0\n", 30000 - skill * 4000 - i * 200);
    return t + "\t\t}\n";
  }
  const int width = kRising[skill].w, height = kRising[skill].h;
  int rowCount = 8 + (i * 4) / 5 + skill * 2;
  int rowBegin = std::min(height / 2, 2 + i / 8 + skill);
  int colours = std::min(6, 3 + (i + 2 * skill) / (7 - skill));
  int perBlock = kClassicBlockMs[skill] - i * kClassicBlockStep[skill];
  int begin = perBlock * width;
  int end = begin * 3 / 5;
  int kinds = i < 2 ? 0 : i < 5 ? 2 : i < 10 ? 4 : i < 15 ? 5 : i < 20 ? 6 : 7;
  t += fmt("\t\t\trowCount=%d\n\t\t\trowBegin=%d\n\t\t\tcolors=%d\n", rowCount, rowBegin, colours);
  t += fmt("\t\t\ttimeRowBegin=%d\n\t\t\ttimeRowEnd=%d\n\t\t\tbonusesCount=%d\n\t\t\ttimeOnLevel=0\n", begin, end, kinds);
  return t + "\t\t}\n";
}

}  // namespace

std::string sinkraRulesText() {
  std::string t = "// Sinkra family rules\n";
  t += "kvmin=1.0\nkvmax=2.0\n";
  const int alpha[3] = {12, 15, 18}, speed[3] = {8, 10, 12}, endLevel[3] = {25, 20, 15};
  for (int k = 0; k < 3; ++k)
    t += fmt("%s = {\n\talphaStep=%d\n\tspeed=%d\n\ttimeEndLevel=%d\n}\n", kSkill[k], alpha[k], speed[k], endLevel[k]);

  sizes(t, "CollectorGame", kCollector);
  t += "}\n";
  sizes(t, "RemoverGame", kRemover);
  t += "}\n";
  sizes(t, "TurnGame", kTurn);
  t += "}\n";

  // The rising-row game: milliseconds per row, shortened by each push.
  t += "SinkraGame = {\n";
  const int build[3] = {9000, 7000, 6500}, step[3] = {120, 160, 180};
  for (int k = 0; k < 3; ++k)
    t += fmt("\t%s = {\n\t\tw=%d\n\t\th=%d\n\t\ttimeBuildLine=%d\n\t\ttimeBuildLineStep=%d\n\t}\n", kSkill[k],
             kRising[k].w, kRising[k].h, build[k], step[k]);
  t += "\tBonusFragments=6\n\tdelayShowBonusEffect=40\n\tspeedShowBonusEffect=2.0\n";
  t += "\tProbability = {\n\t\tbegin=10\n\t\tend=70\n\t}\n}\n";

  t += "CClassicSinkraGame = {\n";
  t += fmt("\tlevelsCount=%d\n", kClassicLevels);
  t += "\tBonusFragments=8\n\tdelayShowBonusEffect=40\n\tspeedShowBonusEffect=2.0\n\ttimeDoBonus5=1500.0\n";
  t += "\tProbability = {\n\t\tbegin=20\n\t\tend=60\n\t}\n";
  for (int k = 0; k < 3; ++k) {
    t += fmt("\t%s = {\n\t\tw=%d\n\t\th=%d\n", kSkill[k], kRising[k].w, kRising[k].h);
    for (int i = 0; i < kClassicLevels; ++i) t += classicLevel(k, i);
    t += "\t}\n";
  }
  t += "}\n";
  return t;
}

std::string gyrexRulesText() {
  // Per kind (Strip, Shift, Time) and level: colours, largest group in a
  // fresh layout, smallest group destroyed, segments revealed per step,
  // starting rows and the reveal interval for one column and full width.
  struct Rule {
    int colours, maxNear, destroy, add, lines, tmin, tmax;
  };
  // Four colours proved too many for groups of four to be found reliably;
  // Novice plays two, the higher levels three with more rows and less time.
  const Rule rules[3][3] = {
      {{2, 3, 4, 1, 8, 100, 1000}, {3, 2, 4, 1, 6, 100, 1000}, {3, 2, 4, 1, 7, 100, 1000}},
      {{2, 3, 4, 2, 6, 100, 1000}, {3, 2, 4, 2, 5, 100, 1000}, {3, 2, 4, 3, 6, 100, 1000}},
      {{2, 3, 4, 1, 6, 900, 3200}, {3, 2, 4, 1, 6, 700, 2600}, {3, 2, 4, 1, 7, 500, 2000}},
  };
  const char* const levels[3] = {"Novice", "Expert", "Master"};
  std::string t = "// Gyrex family rules\n";
  for (int kind = 0; kind < 3; ++kind) {
    t += fmt("Game%d = {\n", kind);
    for (int l = 0; l < 3; ++l) {
      const Rule& r = rules[kind][l];
      t += fmt("\t%s = {\n\t\tColorCount=%d\n\t\tMaxNear=%d\n\t\tColorDestroy=%d\n\t\tElemsToAdd=%d\n", levels[l],
               r.colours, r.maxNear, r.destroy, r.add);
      t += fmt("\t\tStartLineCount=%d\n\t\tAddTimeMin=%d\n\t\tAddTimeMax=%d\n\t}\n", r.lines, r.tmin, r.tmax);
    }
    t += "}\n";
  }
  return t;
}

}  // namespace zbgen

#pragma once
#include <functional>
#include <memory>
#include <string>

#include "sinkra/CFieldHost.h"

class OClip;
class OConfig;

namespace SpaceSinkra {

// Tuning of one skill level.
struct CDifficulty {
  int alphaStep = 15;     // explosion fade per 30 ms
  int timeEndLevel = 209; // end-of-level fill period
  double speed = 8;       // block slide speed, pixels per update
};

// Variant numbers of the family; they index the board-size table.
enum CVariant : int { kCollector = 0, kAdvanced = 1, kRemover = 2, kTurnPlay = 3, kClassic = 4 };

// The family's shared tuning and running state: rules, skins, score, speed
// factor and the family-wide timers and counters every variant shares. One
// object per process (instance()); reset() restores the start-up state.
class CGlobal {
public:
  static CGlobal& instance();

  // Back to the values of program start (rules defaults, counters 0).
  void reset();

  // Reads the rules file at rulesPath. False (nothing changed) when it
  // cannot be read.
  bool loadRules();
  // loadRules, and when that fails shows the reinstall message through
  // `fatal` (which ends the program unless a test replaced it).
  bool requireRules();
  // Takes every rules key from a parsed tree, defaults for missing ones.
  void readRules(OConfig& rules);
  // The current difficulty for a skill level (0..2, clamped), and the speed
  // factor a game runs with.
  void beginGame(int skillLevel);

  // Board width and height of a variant at a skill level (-1 when unset).
  int boardWidth(int variant, int level) const;
  int boardHeight(int variant, int level) const;

  int blockDepth = 5;
  struct BoardSize {
    int w = -1;
    int h = -1;
  } boardSizes[5][3];
  CDifficulty difficulty[3];
  CDifficulty* current = &difficulty[0];
  int skillLevel = 0;
  bool soundEnabled = true;
  int skins[6] = {0, 0, 0, 0, 0, 0};
  const OClip* star = nullptr;
  int score = 0;
  // Adds points to a score, stopping at the largest int rather than wrapping.
  static void addPoints(int& to, long long points);
  void addScore(long long points) { addPoints(score, points); }
  double kvmin = 0.5;
  double kvmax = 1.5;
  double speedFactor = 1.0;

  // The side-panel caption shared by the variants; the window may install
  // its own drawn one, else a silent one is used.
  CTextView* caption();
  void setCaption(CTextView* view) { caption_ = view; }

  // Rising-row rules.
  int bonusFragments = 0;
  int delayShowBonusEffect = 0;
  double speedShowBonusEffect = 0;
  int probabilityBegin = 0;
  int probabilityEnd = 0;
  int timeBuildLine[3] = {300, 300, 300};
  int timeBuildLineStep[3] = {200, 200, 200};
  // Classic rules (kept for the level game).
  int levelsCount = 0;
  int classicBonusFragments = 0;
  int classicDelayShowBonusEffect = 0;
  double classicSpeedShowBonusEffect = 0;
  int timeDoBonus5 = 0;
  int classicProbabilityBegin = 0;
  int classicProbabilityEnd = 0;

  // Family-wide running values.
  int explosionProgress = 0;
  int rowTimeResets = 0;
  int demoTimer = 0;
  int floatTimer = 0;
  int turnTimer = 0;
  int turnDemoTimer = 0;

  std::string rulesPath = "cfg/sinkra.cfg";
  // Shows a fatal message and ends the program with the code; tests replace it.
  std::function<void(const std::string& message, int code)> fatal;

  static constexpr const char* kRulesKey = "58207413";
  static const char* const kMissingRulesMessage;

private:
  CGlobal();
  std::unique_ptr<CTextView> ownCaption_;
  CTextView* caption_ = nullptr;
};

}  // namespace SpaceSinkra

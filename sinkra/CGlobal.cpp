#include "sinkra/CGlobal.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <cstdio>
#include <cstdlib>

#include "storage/Container.h"
#include "storage/OConfig.h"
#include "platform/Language.h"

namespace SpaceSinkra {

const char* const CGlobal::kMissingRulesMessage =
    N_("Unable loading game resources! (\"cfg/sinkra.cfg\")\n Please reinstall.");

namespace {
const char* const kLevelWords[3] = {"easy", "medium", "hard"};
const char* const kSizePrefixes[5] = {"CollectorGame", "SinkraGame", "RemoverGame", "TurnGame",
                                      "CClassicSinkraGame"};

// What the game can run with: beyond these, speeds and timers overflow or
// freeze the board. A value outside its range is moved to the nearest end;
// a number that is not one (nan) takes the default. docs/DATA.md lists them.
struct IntRange {
  int lo, hi;
};
struct DoubleRange {
  double lo, hi;
};
constexpr DoubleRange kSpeedFactorRange{0.1, 10.0};
constexpr IntRange kAlphaStepRange{1, 255};
constexpr IntRange kSlideSpeedRange{1, 64};
constexpr IntRange kPeriodRange{0, 60000};
constexpr IntRange kEndLevelRange{1, 60000};
constexpr IntRange kRowTimeRange{1, 600000};
constexpr IntRange kRowTimeStepRange{0, 600000};
constexpr IntRange kGroupSizeRange{0, 1024};
constexpr DoubleRange kFloatSpeedRange{-100.0, 100.0};
constexpr IntRange kPerMilleRange{0, 1000};
constexpr IntRange kLevelsCountRange{0, 1000};
constexpr DoubleRange kChameleonPeriodRange{0.0, 600000.0};

int readRule(OConfig& rules, const std::string& key, int def, IntRange r) {
  return std::clamp(static_cast<int>(rules.getInt(key, def)), r.lo, r.hi);
}

double readRule(OConfig& rules, const std::string& key, double def, DoubleRange r) {
  const double v = rules.getDouble(key, def);
  return std::isnan(v) ? def : std::clamp(v, r.lo, r.hi);
}

void defaultFatal(const std::string& message, int code) {
  std::fprintf(stderr, "%s\n", message.c_str());
  std::exit(code);
}
}  // namespace

CGlobal::CGlobal() { reset(); }

CGlobal& CGlobal::instance() {
  static CGlobal global;
  return global;
}

void CGlobal::reset() {
  blockDepth = 5;
  for (auto& variant : boardSizes)
    for (auto& s : variant) s = BoardSize{};
  for (auto& d : difficulty) d = CDifficulty{};
  current = &difficulty[0];
  skillLevel = 0;
  soundEnabled = true;
  std::fill(std::begin(skins), std::end(skins), 0);
  star = nullptr;
  score = 0;
  kvmin = 0.5;
  kvmax = 1.5;
  speedFactor = 1.0;
  bonusFragments = delayShowBonusEffect = 0;
  speedShowBonusEffect = 0;
  probabilityBegin = probabilityEnd = 0;
  std::fill(std::begin(timeBuildLine), std::end(timeBuildLine), 300);
  std::fill(std::begin(timeBuildLineStep), std::end(timeBuildLineStep), 200);
  levelsCount = classicBonusFragments = classicDelayShowBonusEffect = timeDoBonus5 = 0;
  classicSpeedShowBonusEffect = 0;
  classicProbabilityBegin = classicProbabilityEnd = 0;
  explosionProgress = rowTimeResets = demoTimer = floatTimer = turnTimer = turnDemoTimer = 0;
  rulesPath = "cfg/sinkra.cfg";
  fatal = defaultFatal;
  ownCaption_ = std::make_unique<CTextView>();
  ownCaption_->visible = false;
  caption_ = nullptr;
}

void CGlobal::addPoints(int& to, long long points) {
  long long sum = static_cast<long long>(to) + points;
  to = static_cast<int>(std::clamp<long long>(sum, 0, std::numeric_limits<int>::max()));
}

CTextView* CGlobal::caption() { return caption_ ? caption_ : ownCaption_.get(); }

bool CGlobal::loadRules() {
  std::string text;
  if (!LoadEncryptedText(rulesPath, text, kRulesKey)) return false;
  OConfig rules;
  rules.parse(text);  // a syntax error keeps what was read; defaults cover the rest
  readRules(rules);
  return true;
}

bool CGlobal::requireRules() {
  if (loadRules()) return true;
  if (fatal) fatal(zb::tr(kMissingRulesMessage), 255);
  return false;
}

void CGlobal::readRules(OConfig& rules) {
  kvmin = readRule(rules, "kvmin", 0.5, kSpeedFactorRange);
  kvmax = readRule(rules, "kvmax", 1.5, kSpeedFactorRange);
  speedFactor = kvmax - kvmin;
  char key[96];
  for (int l = 0; l < 3; ++l) {
    std::string w = kLevelWords[l];
    difficulty[l].alphaStep = readRule(rules, w + ".alphaStep", 15, kAlphaStepRange);
    difficulty[l].speed = readRule(rules, w + ".speed", 8, kSlideSpeedRange);
    difficulty[l].timeEndLevel = readRule(rules, w + ".timeEndLevel", 209, kEndLevelRange);
    for (int v = 0; v < 5; ++v) {
      // Sizes the board cannot take leave the variant empty, as a missing size does.
      std::snprintf(key, sizeof key, "%s.%s.w", kSizePrefixes[v], kLevelWords[l]);
      boardSizes[v][l].w = rules.getInt(key, -1);
      std::snprintf(key, sizeof key, "%s.%s.h", kSizePrefixes[v], kLevelWords[l]);
      boardSizes[v][l].h = rules.getInt(key, -1);
    }
    timeBuildLine[l] = readRule(rules, "SinkraGame." + w + ".timeBuildLine", 300, kRowTimeRange);
    timeBuildLineStep[l] = readRule(rules, "SinkraGame." + w + ".timeBuildLineStep", 200, kRowTimeStepRange);
  }
  bonusFragments = readRule(rules, "SinkraGame.BonusFragments", 0, kGroupSizeRange);
  delayShowBonusEffect = readRule(rules, "SinkraGame.delayShowBonusEffect", 0, kPeriodRange);
  speedShowBonusEffect = readRule(rules, "SinkraGame.speedShowBonusEffect", 0.0, kFloatSpeedRange);
  probabilityBegin = readRule(rules, "SinkraGame.Probability.begin", 0, kPerMilleRange);
  probabilityEnd = readRule(rules, "SinkraGame.Probability.end", 0, kPerMilleRange);
  levelsCount = readRule(rules, "CClassicSinkraGame.levelsCount", 0, kLevelsCountRange);
  classicBonusFragments = readRule(rules, "CClassicSinkraGame.BonusFragments", 0, kGroupSizeRange);
  classicDelayShowBonusEffect = readRule(rules, "CClassicSinkraGame.delayShowBonusEffect", 0, kPeriodRange);
  classicSpeedShowBonusEffect = readRule(rules, "CClassicSinkraGame.speedShowBonusEffect", 0.0, kFloatSpeedRange);
  timeDoBonus5 = static_cast<int>(readRule(rules, "CClassicSinkraGame.timeDoBonus5", 0.0, kChameleonPeriodRange));
  classicProbabilityBegin = readRule(rules, "CClassicSinkraGame.Probability.begin", 0, kPerMilleRange);
  classicProbabilityEnd = readRule(rules, "CClassicSinkraGame.Probability.end", 0, kPerMilleRange);
}

void CGlobal::beginGame(int level) {
  skillLevel = std::clamp(level, 0, 2);
  current = &difficulty[skillLevel];
  speedFactor = kvmin;
}

int CGlobal::boardWidth(int variant, int level) const {
  if (variant < 0 || variant > 4 || level < 0 || level > 2) return -1;
  return boardSizes[variant][level].w;
}

int CGlobal::boardHeight(int variant, int level) const {
  if (variant < 0 || variant > 4 || level < 0 || level > 2) return -1;
  return boardSizes[variant][level].h;
}

}  // namespace SpaceSinkra

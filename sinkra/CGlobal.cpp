#include "sinkra/CGlobal.h"

#include <algorithm>
#include <limits>
#include <cstdio>
#include <cstdlib>

#include "storage/Container.h"
#include "storage/OConfig.h"

namespace SpaceSinkra {

const char* const CGlobal::kMissingRulesMessage =
    "Unable loading game resources! (\"cfg/sinkra.cfg\")\n Please reinstall.";

namespace {
const char* const kLevelWords[3] = {"easy", "medium", "hard"};
const char* const kSizePrefixes[5] = {"CollectorGame", "SinkraGame", "RemoverGame", "TurnGame",
                                      "CClassicSinkraGame"};

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
  if (fatal) fatal(kMissingRulesMessage, 255);
  return false;
}

void CGlobal::readRules(OConfig& rules) {
  kvmin = rules.getDouble("kvmin", 0.5);
  kvmax = rules.getDouble("kvmax", 1.5);
  speedFactor = kvmax - kvmin;
  char key[96];
  for (int l = 0; l < 3; ++l) {
    std::string w = kLevelWords[l];
    difficulty[l].alphaStep = rules.getInt(w + ".alphaStep", 15);
    difficulty[l].speed = rules.getInt(w + ".speed", 8);
    difficulty[l].timeEndLevel = rules.getInt(w + ".timeEndLevel", 209);
    for (int v = 0; v < 5; ++v) {
      std::snprintf(key, sizeof key, "%s.%s.w", kSizePrefixes[v], kLevelWords[l]);
      boardSizes[v][l].w = rules.getInt(key, -1);
      std::snprintf(key, sizeof key, "%s.%s.h", kSizePrefixes[v], kLevelWords[l]);
      boardSizes[v][l].h = rules.getInt(key, -1);
    }
    timeBuildLine[l] = rules.getInt("SinkraGame." + w + ".timeBuildLine", 300);
    timeBuildLineStep[l] = rules.getInt("SinkraGame." + w + ".timeBuildLineStep", 200);
  }
  bonusFragments = rules.getInt("SinkraGame.BonusFragments", 0);
  delayShowBonusEffect = rules.getInt("SinkraGame.delayShowBonusEffect", 0);
  speedShowBonusEffect = rules.getDouble("SinkraGame.speedShowBonusEffect", 0);
  probabilityBegin = rules.getInt("SinkraGame.Probability.begin", 0);
  probabilityEnd = rules.getInt("SinkraGame.Probability.end", 0);
  levelsCount = rules.getInt("CClassicSinkraGame.levelsCount", 0);
  classicBonusFragments = rules.getInt("CClassicSinkraGame.BonusFragments", 0);
  classicDelayShowBonusEffect = rules.getInt("CClassicSinkraGame.delayShowBonusEffect", 0);
  classicSpeedShowBonusEffect = rules.getDouble("CClassicSinkraGame.speedShowBonusEffect", 0);
  timeDoBonus5 = static_cast<int>(rules.getDouble("CClassicSinkraGame.timeDoBonus5", 0));
  classicProbabilityBegin = rules.getInt("CClassicSinkraGame.Probability.begin", 0);
  classicProbabilityEnd = rules.getInt("CClassicSinkraGame.Probability.end", 0);
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

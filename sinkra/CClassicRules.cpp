#include "sinkra/CClassicRules.h"

#include <algorithm>
#include <cmath>

#include "sinkra/CGlobal.h"
#include "storage/Container.h"
#include "storage/OConfig.h"

namespace SpaceSinkra {

namespace {
const char* const kSkillWords[3] = {"easy", "medium", "hard"};
constexpr int kHour = 3600 * 1000;

int bounded(OConfig& rules, const std::string& key, int low, int high) {
  return std::clamp(rules.getInt(key, 0), low, high);
}
}  // namespace

bool CClassicRules::load(const std::string& path, int skill, int height) {
  std::string text;
  if (!LoadEncryptedText(path, text, CGlobal::kRulesKey)) return false;
  OConfig rules;
  rules.parse(text);
  read(rules, skill, height);
  return true;
}

void CClassicRules::read(OConfig& rules, int skill, int height) {
  const std::string game = "CClassicSinkraGame.";
  bonusFragments = bounded(rules, game + "BonusFragments", 0, 1024);
  delayShowBonusEffect = bounded(rules, game + "delayShowBonusEffect", 0, 10000);
  double speed = rules.getDouble(game + "speedShowBonusEffect", 0);
  speedShowBonusEffect = std::isfinite(speed) ? std::clamp(speed, 0.0, 100.0) : 0.0;
  double period = rules.getDouble(game + "timeDoBonus5", 0);
  timeDoBonus5 = std::isfinite(period) ? static_cast<int>(std::clamp(period, 0.0, 600000.0)) : 0;
  probabilityBegin = bounded(rules, game + "Probability.begin", -1000, 1000);
  probabilityEnd = bounded(rules, game + "Probability.end", -1000, 1000);
  // At least one level, so that an index always names one.
  int count = bounded(rules, game + "levelsCount", 1, kMaxLevels);
  const std::string prefix = game + kSkillWords[std::clamp(skill, 0, 2)] + ".level";
  levels_.assign(static_cast<size_t>(count), CClassicLevel{});
  for (int i = 0; i < count; ++i) {
    const std::string p = prefix + std::to_string(i) + ".";
    CClassicLevel& l = levels_[static_cast<size_t>(i)];
    l.rowCount = bounded(rules, p + "rowCount", 0, 999);
    // The top row stays free, or the first push would end the game.
    l.rowBegin = bounded(rules, p + "rowBegin", 0, std::max(0, height - 1));
    l.colors = bounded(rules, p + "colors", 1, 6);
    l.timeRowBegin = bounded(rules, p + "timeRowBegin", 0, kHour);
    l.timeRowEnd = bounded(rules, p + "timeRowEnd", 0, kHour);
    l.bonusesCount = bounded(rules, p + "bonusesCount", 0, 7);
    l.timeOnLevel = bounded(rules, p + "timeOnLevel", 0, kHour);
  }
}

const CClassicLevel& CClassicRules::level(int index) const {
  int n = levelCount();
  return levels_[static_cast<size_t>(((index % n) + n) % n)];
}

}  // namespace SpaceSinkra

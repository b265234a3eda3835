#include <gtest/gtest.h>

#include "storage/Container.h"
#include "storage/OConfig.h"
#include "tests/tools/PackFixture.h"

namespace {

OConfig loadRules(const char* name, const char* key) {
  std::string text;
  EXPECT_TRUE(LoadEncryptedText(zbtest::packPath(name), text, key)) << name;
  // The real rules are good seeds for the container and configuration fuzzers.
  std::string base = std::string("pack-") + (name[4] == 's' ? "sinkra" : "gyrex");
  zbtest::writeBytes(zbtest::fuzzSeedDir("fuzz_container") + "/" + base, zbtest::readBytes(zbtest::packPath(name)));
  zbtest::writeBytes(zbtest::fuzzSeedDir("fuzz_config") + "/" + base, std::vector<unsigned char>(text.begin(), text.end()));
  OConfig cfg;
  EXPECT_TRUE(cfg.parse(text)) << name;
  return cfg;
}

const char* const kSkills[3] = {"easy", "medium", "hard"};

void SinkraBoardsFitTheBoardArea() {
  OConfig cfg = loadRules("cfg/sinkra.cfg", "58207413");
  const char* variants[5] = {"CollectorGame", "SinkraGame", "RemoverGame", "TurnGame", "CClassicSinkraGame"};
  for (int v = 0; v < 5; ++v)
    for (const char* skill : kSkills) {
      std::string k = std::string(variants[v]) + "." + skill;
      int w = cfg.getInt(k + ".w", -1), h = cfg.getInt(k + ".h", -1);
      ASSERT_GT(w, 2) << k;
      ASSERT_GT(h, 2) << k;
      double cell = 580.0 / w;
      EXPECT_LE(h * cell, 580.0 + 1e-9) << k;
      bool rising = v == 1 || v == 4;  // a tray row sits under the board
      if (rising) {
        EXPECT_LE((h + 1) * cell, 574.0) << k;
      }
    }
  // Harder levels never get fewer cells.
  for (const char* v : variants)
    EXPECT_LE(cfg.getInt(std::string(v) + ".easy.w", 0), cfg.getInt(std::string(v) + ".hard.w", 0)) << v;
}

void SinkraTuningKeysAreAllPresent() {
  OConfig cfg = loadRules("cfg/sinkra.cfg", "58207413");
  for (const char* key : {"kvmin", "kvmax", "SinkraGame.BonusFragments", "SinkraGame.delayShowBonusEffect",
                          "SinkraGame.speedShowBonusEffect", "SinkraGame.Probability.begin",
                          "SinkraGame.Probability.end", "CClassicSinkraGame.levelsCount",
                          "CClassicSinkraGame.BonusFragments", "CClassicSinkraGame.delayShowBonusEffect",
                          "CClassicSinkraGame.speedShowBonusEffect", "CClassicSinkraGame.timeDoBonus5",
                          "CClassicSinkraGame.Probability.begin", "CClassicSinkraGame.Probability.end"})
    EXPECT_TRUE(cfg.has(key)) << key;
  EXPECT_GT(cfg.getDouble("kvmin", 0), 0);
  for (int s = 0; s < 3; ++s) {
    std::string k = kSkills[s];
    for (const char* f : {".alphaStep", ".speed", ".timeEndLevel"}) EXPECT_GT(cfg.getInt(k + f, 0), 0) << k + f;
    // Row times are milliseconds per row, well above the 300 fallback.
    EXPECT_GE(cfg.getInt("SinkraGame." + k + ".timeBuildLine", 0), 3000);
    EXPECT_GT(cfg.getInt("SinkraGame." + k + ".timeBuildLineStep", 0), 0);
  }
  // Master is harder than Novice.
  EXPECT_LT(cfg.getInt("SinkraGame.hard.timeBuildLine", 0), cfg.getInt("SinkraGame.easy.timeBuildLine", 0));
  EXPECT_GT(cfg.getInt("hard.alphaStep", 0), 0);
}

void ClassicLevelTableRisesAndHasBonusLevels() {
  OConfig cfg = loadRules("cfg/sinkra.cfg", "58207413");
  int count = cfg.getInt("CClassicSinkraGame.levelsCount", 0);
  ASSERT_GE(count, 25);  // the start-level option reaches level 25
  for (int s = 0; s < 3; ++s) {
    int bonus = 0, firstColours = -1, lastColours = 0, firstRows = -1, lastRows = 0, kinds = 0;
    int height = cfg.getInt(std::string("CClassicSinkraGame.") + kSkills[s] + ".h", 0);
    for (int i = 0; i < count; ++i) {
      std::string p = OConfig::key("CClassicSinkraGame.%s.level%d.", kSkills[s], i);
      ASSERT_TRUE(cfg.has(p + "colors")) << p;
      int rows = cfg.getInt(p + "rowCount", 0), begin = cfg.getInt(p + "rowBegin", 0);
      int b = cfg.getInt(p + "bonusesCount", 0), colours = cfg.getInt(p + "colors", 0);
      EXPECT_GE(colours, 2) << p;
      EXPECT_LE(colours, 6) << p;
      if (rows == 0 && begin == 0 && b == 0) {
        ++bonus;
        EXPECT_GT(cfg.getInt(p + "timeOnLevel", 0), 5000) << p;
        continue;
      }
      EXPECT_LT(begin, height) << p;
      EXPECT_GE(cfg.getInt(p + "timeRowBegin", 0), cfg.getInt(p + "timeRowEnd", 0)) << p;
      EXPECT_GT(cfg.getInt(p + "timeRowEnd", 0), 0) << p;
      EXPECT_LE(b, 7) << p;
      if (firstColours < 0) firstColours = colours, firstRows = rows;
      lastColours = colours, lastRows = rows, kinds = std::max(kinds, b);
    }
    EXPECT_GE(bonus, 3) << kSkills[s];
    EXPECT_GT(lastColours, firstColours) << kSkills[s];
    EXPECT_GT(lastRows, firstRows) << kSkills[s];
    EXPECT_EQ(kinds, 7) << kSkills[s];
    // The levels the start-level option picks (index 0, 4, 9, ...) are row levels.
    for (int opt = 1; opt <= 5; ++opt)
      EXPECT_NE(cfg.getInt(OConfig::key("CClassicSinkraGame.%s.level%d.rowCount", kSkills[s], 5 * opt - 1), 0), 0);
  }
}

void GyrexRulesCoverEveryKindAndLevel() {
  OConfig cfg = loadRules("cfg/Gyrex.dat", "KLOVKLOV");
  for (int kind = 0; kind < 3; ++kind)
    for (const char* level : {"Novice", "Expert", "Master"}) {
      std::string p = OConfig::key("Game%d.%s.", kind, level);
      for (const char* f : {"ColorCount", "MaxNear", "ColorDestroy", "ElemsToAdd", "StartLineCount", "AddTimeMin",
                            "AddTimeMax"})
        EXPECT_TRUE(cfg.has(p + f)) << p + f;
      int colours = cfg.getInt(p + "ColorCount", 0);
      EXPECT_GE(colours, 2);
      EXPECT_LE(colours, 4);  // the window has four colour choices
      EXPECT_LT(cfg.getInt(p + "MaxNear", 0), cfg.getInt(p + "ColorDestroy", 0));
      int lines = cfg.getInt(p + "StartLineCount", 0);
      EXPECT_GE(lines, 1);
      EXPECT_LE(lines, 12);
      EXPECT_LE(cfg.getInt(p + "AddTimeMin", 0), cfg.getInt(p + "AddTimeMax", 0));
    }
}

void HelpPagesAreNumberedFromZeroAndReadable() {
  int pages = 0;
  for (;; ++pages) {
    std::string text;
    if (!LoadEncryptedText(zbtest::packPath("help/help" + std::to_string(pages) + ".dat"), text, "ZenHelp!")) break;
    EXPECT_GT(text.size(), 100u);
    EXPECT_EQ(text.find('\r'), std::string::npos);
  }
  EXPECT_GE(pages, 5);  // controls, then each family
}

// Each test process generates the pack once; related checks share a test.
TEST(DataPackRules, SinkraRulesFitTheBoardsAndRise) {
  SinkraBoardsFitTheBoardArea();
  SinkraTuningKeysAreAllPresent();
  ClassicLevelTableRisesAndHasBonusLevels();
}

TEST(DataPackRules, GyrexRulesAndHelpPagesLoad) {
  GyrexRulesCoverEveryKindAndLevel();
  HelpPagesAreNumberedFromZeroAndReadable();
}

}  // namespace

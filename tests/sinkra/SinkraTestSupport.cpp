#include "tests/sinkra/SinkraTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>

#include "game/AStar.h"
#include "platform/Random.h"
#include "sinkra/CGlobal.h"
#include "sinkra/CPiece.h"
#include "storage/Container.h"

using namespace SpaceSinkra;

namespace sinkratest {

int RecordingHost::count(int id) const {
  return static_cast<int>(std::count_if(effects.begin(), effects.end(),
                                        [id](const auto& e) { return e.first == id; }));
}

std::unique_ptr<OClip> makeStar() { return zb::makeSparkPicture(3, 6, 0xFFFF00); }

std::vector<int> colours(const std::vector<std::string>& rows) {
  std::vector<int> out;
  for (auto& r : rows)
    for (char ch : r) out.push_back(ch == '.' ? -1 : ch >= 'a' ? 10 + (ch - 'a') : ch - '0');
  return out;
}

std::vector<std::string> rows(const CGameField& field) {
  const CGameMap& g = field.grid();
  std::vector<std::string> out;
  for (int r = 0; r < g.height(); ++r) {
    std::string line;
    for (int c = 0; c < g.width(); ++c) {
      const CPiece* p = g.at(c + r * g.width());
      line += !p ? '.' : p->colour >= 10 ? char('a' + p->colour - 10) : char('0' + p->colour);
    }
    out.push_back(line);
  }
  return out;
}

std::string testRulesText() {
  return "kvmin=0.5\nkvmax=1.5\n"
         "easy = {\n alphaStep=15\n speed=8\n timeEndLevel=209\n}\n"
         "medium = {\n alphaStep=20\n speed=10\n timeEndLevel=180\n}\n"
         "hard = {\n alphaStep=25\n speed=12\n timeEndLevel=150\n}\n"
         "CollectorGame = {\n easy = { w=10 h=10 }\n medium = { w=12 h=12 }\n hard = { w=14 h=14 }\n}\n"
         "SinkraGame = {\n easy = { w=10 h=12 timeBuildLine=6000 timeBuildLineStep=150 }\n"
         " medium = { w=12 h=12 timeBuildLine=5000 timeBuildLineStep=200 }\n"
         " hard = { w=14 h=14 timeBuildLine=4000 timeBuildLineStep=250 }\n"
         " BonusFragments=6\n delayShowBonusEffect=30\n speedShowBonusEffect=2.0\n"
         " Probability = { begin=10 end=60 }\n}\n"
         "RemoverGame = {\n easy = { w=10 h=10 }\n medium = { w=12 h=12 }\n hard = { w=16 h=14 }\n}\n"
         "TurnGame = {\n easy = { w=8 h=8 }\n medium = { w=10 h=10 }\n hard = { w=12 h=12 }\n}\n"
         "CClassicSinkraGame = {\n delayShowBonusEffect=30\n speedShowBonusEffect=2.0\n levelsCount=2\n"
         " timeDoBonus5=300.0\n Probability = { begin=0 end=400 }\n"
         " easy = { w=8 h=8\n"
         "  level0 = { rowCount=6 rowBegin=3 colors=4 timeRowBegin=800 timeRowEnd=400 bonusesCount=7 }\n"
         "  level1 = { colors=3 timeOnLevel=3000 }\n }\n}\n";
}

void writeRules(const std::string& path, const std::string& text) {
  if (!SaveEncryptedText(path, text, CGlobal::kRulesKey)) throw std::runtime_error("rules not written");
}

Rig::Rig() {
  star = makeStar();
  CGlobal& g = CGlobal::instance();
  g.reset();
  rulesPath = dir.file("sinkra.cfg");
  writeRules(rulesPath, testRulesText());
  g.rulesPath = rulesPath;
  g.fatal = [](const std::string& message, int) { throw std::runtime_error(message); };
  g.loadRules();
  g.beginGame(0);
  g.star = star.get();
  zb::seedRandom(12345);
}

Rig::~Rig() {
  CGlobal& g = CGlobal::instance();
  g.star = nullptr;
  engine.reset();
  g.reset();
}

void Rig::attach(CGameField& field) {
  field.setHost(&host);
  field.attach(engine.get(), {}, {}, 10, 10, 580, 580);
}

void Rig::run(CGameField& field, int updates, int ms) {
  for (int i = 0; i < updates; ++i) {
    field.update(ms);
    engine->tick(30);
  }
}

int Rig::settle(CGameField& field, int limit) {
  int n = 0;
  while (n < limit && !field.idle()) {
    run(field, 1);
    ++n;
  }
  return n;
}

int Rig::blockClipsOnScreen(const CGameField& field) const {
  const CGameMap& g = field.grid();
  const auto& clips = engine->clips();
  int n = 0;
  for (int i = 0; i < g.size(); ++i) {
    const CPiece* p = g.at(i);
    if (!p) continue;
    if (std::count(clips.begin(), clips.end(), p->clip.get()) != 1) return -1;
    ++n;
  }
  return n;
}

int Rig::sparksOnScreen() const {
  const auto& clips = engine->clips();
  return static_cast<int>(std::count_if(clips.begin(), clips.end(), [](OClip* c) {
    return dynamic_cast<AStar*>(c) != nullptr;
  }));
}

void reloadDamaged(Rig& rig, CGameField& field, const OConfig& good, int rounds) {
  std::vector<std::string> keys;
  for (auto& kv : good.values()) keys.push_back(kv.first);
  const int values[] = {-1000000, -2, -1, 0, 1, 2, 5, 6, 9, 10, 17, 18, 29, 30, 31, 64, 65, 4096, 2147483647};
  for (int round = 0; round < rounds; ++round) {
    OConfig bad = good;
    int changes = 1 + zb::random(4);
    for (int k = 0; k < changes; ++k) {
      const std::string& key = keys[static_cast<size_t>(zb::random(static_cast<int>(keys.size())))];
      bad.setInt(key, values[zb::random(static_cast<int>(std::size(values)))]);
    }
    field.loadState(bad);
    for (int i = 0; i < 60; ++i) {
      rig.run(field, 1);
      field.hover(zb::random(40));
      if (i % 7 == 0) field.click(zb::random(40));
    }
    ASSERT_EQ(rig.blockClipsOnScreen(field), field.blockCount()) << "round " << round;
    ASSERT_LE(field.grid().size(), CGameMap::kMaxSide * CGameMap::kMaxSide);
  }
}

}  // namespace sinkratest

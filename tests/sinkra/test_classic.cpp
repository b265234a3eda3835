#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <limits>
#include <set>
#include <span>

#include "gfx/OClip.h"
#include "platform/Random.h"
#include "sinkra/CClassicSinkraGame.h"
#include "sinkra/CGlobal.h"
#include "sinkra/CPiece.h"
#include "storage/OConfig.h"
#include "tests/sinkra/SinkraTestSupport.h"

using namespace SpaceSinkra;
using sinkratest::colours;

namespace {

// Three levels on a 6 x 8 board: two short row levels and a bonus board
// (or a third row level).
// `rowTime`: level 0's starting row time (it ends at half of it).
std::string classicRules(int bonusesCount, bool bonusBoard = true, int rowTime = 60) {
  std::string third = bonusBoard ? "colors=3 timeOnLevel=4000" : "rowCount=4 rowBegin=1 colors=3 timeRowBegin=600";
  return sinkratest::testRulesText() +
         "CClassicSinkraGame = {\n levelsCount=3\n BonusFragments=5\n timeDoBonus5=400.0\n"
         " Probability = { begin=0 end=5000 }\n"
         " easy = { w=6 h=8\n"
         "  level0 = { rowCount=5 rowBegin=2 colors=3 timeRowBegin=" + std::to_string(rowTime) +
         " timeRowEnd=" + std::to_string(rowTime / 2) + " bonusesCount=" + std::to_string(bonusesCount) +
         " }\n"
         "  level1 = { rowCount=1 rowBegin=1 colors=4 timeRowBegin=60 timeRowEnd=60 }\n"
         "  level2 = { " + third + " }\n"
         " }\n}\n";
}

// Reaches the protected parts a test sets up directly.
class Probe : public CClassicSinkraGame {
public:
  using CClassicSinkraGame::makeIncoming;
  using CClassicSinkraGame::tray_;
  std::unique_ptr<CPiece> block(int colour, bool chameleon = false) { return makeBlock(colour, 0, chameleon); }
};

class Classic : public ::testing::Test {
protected:
  void SetUp() override { useRules(classicRules(0)); }
  void useRules(const std::string& text) {
    sinkratest::writeRules(rig.rulesPath, text);
    rig.attach(game);
  }
  // Starts level index `index` and lays out the board.
  void start(int index, const std::vector<std::string>& rows = {}) {
    game.setLevel(index);
    ASSERT_TRUE(game.setup(6, 8));
    if (!rows.empty()) {
      ASSERT_TRUE(game.setBoard(6, 8, colours(rows)));
    }
    rig.host.effects.clear();
  }
  // Updates of 30 ms until `done` holds (at most `limit`).
  bool runUntil(const std::function<bool()>& done, int limit = 20000) { return runUntil(game, done, limit); }
  bool runUntil(CClassicSinkraGame& field, const std::function<bool()>& done, int limit = 20000) {
    for (int i = 0; i < limit; ++i) {
      if (done()) return true;
      field.update(30);
      rig.engine->tick(30);
    }
    return done();
  }
  int score() const { return CGlobal::instance().score; }

  sinkratest::Rig rig;
  Probe game;
};

const std::vector<std::string> kPairAndTriple = {"......", "......", "......", "......",
                                                 "......", "......", "001222", "120101"};

}  // namespace

TEST_F(Classic, PairsAreNeitherLitNorTakenTriplesAre) {
  start(0, kPairAndTriple);
  game.hover(36);  // the pair of 0s
  EXPECT_FALSE(game.grid().highlightActive);
  EXPECT_FALSE(game.grid().at(36)->highlighted);
  game.click(36);
  EXPECT_FALSE(game.grid().exploding);
  EXPECT_EQ(score(), 0);
  game.hover(39);  // three 2s
  EXPECT_TRUE(game.grid().at(41)->highlighted);
  EXPECT_EQ(rig.host.count(12), 1);
  game.click(39);
  EXPECT_TRUE(game.grid().exploding);
  EXPECT_EQ(score(), 6);
}

TEST_F(Classic, SpecialKindsFollowTheLevelsBonusesCount) {
  for (int count : {6, 7}) {
    useRules(classicRules(count));
    start(0);
    game.tray_[0] = game.block(0);
    std::set<int> kinds;
    bool chameleon = false;
    for (int i = 0; i < 3000; ++i) {
      auto p = game.makeIncoming(1);
      if (p->special()) kinds.insert(p->colour);
      chameleon = chameleon || p->chameleon;
      EXPECT_TRUE(p->special() || p->colour < 3);
    }
    game.tray_[0].reset();
    EXPECT_TRUE(chameleon) << count;
    std::set<int> expected = {10, 11, 12, 13, 14};
    if (count == 7) expected.insert(16);
    EXPECT_EQ(kinds, expected) << count;
  }
}

TEST_F(Classic, ClearingTheBoardPaysByLevel) {
  const std::vector<std::string> triple = {"......", "......", "......", "......",
                                           "......", "......", "......", "222..."};
  start(0, triple);
  game.click(42);
  EXPECT_EQ(score(), 6);  // level index 0: no clear bonus
  useRules(classicRules(0, false));
  start(2, triple);
  ASSERT_EQ(game.levelIndex(), 2);
  game.click(42);
  EXPECT_EQ(score(), 6 + 2 * 8 * 100);
}

TEST_F(Classic, ThreeRowsLeftSoundOnceThenTheLevelFillsAndTheNextBegins) {
  start(0);
  ASSERT_TRUE(runUntil([&] { return game.endLevelEffect(); }));
  EXPECT_EQ(rig.host.count(16), 1);
  EXPECT_EQ(game.levelIndex(), 1);  // advanced with the last row pushed
  ASSERT_TRUE(game.completeCaption()->visible);
  // The fill: colour-5 blocks into every empty cell, then the whole board
  // explodes and the next level starts.
  ASSERT_TRUE(runUntil([&] { return game.levelDone(); }));
  EXPECT_EQ(game.grid().explodingCount(), game.grid().size());
  for (int i = 0; i < 6; ++i) EXPECT_EQ(game.grid().at(i)->colour, 5);
  ASSERT_TRUE(runUntil([&] { return !game.levelDone(); }));
  EXPECT_EQ(game.levelCaption()->text, "Level 2");
  EXPECT_FALSE(game.completeCaption()->visible);
  EXPECT_EQ(game.rowsOfLevel(), 1);
}

TEST_F(Classic, TheLevelIndexWrapsAndAFailedPushResetsIt) {
  // Level 1 is the last row level; after it the bonus board, then level 0.
  start(1);
  ASSERT_TRUE(runUntil([&] { return game.bonusRunning(); }));
  EXPECT_EQ(game.levelIndex(), 2);
  CGlobal::instance().score = 500;
  ASSERT_TRUE(runUntil([&] { return !game.bonusRunning(); }, 40000));
  EXPECT_GE(score(), 500);
  EXPECT_EQ(game.levelIndex(), 0);
  ASSERT_TRUE(runUntil([&] { return !game.levelDone(); }));
  EXPECT_EQ(game.rowsOfLevel(), 5);

  start(1, {"012012", "......", "......", "......", "......", "......", "......", "120120"});
  ASSERT_TRUE(runUntil([&] { return game.finished; }));
  EXPECT_TRUE(game.ended());
  EXPECT_EQ(game.levelIndex(), 0);
  EXPECT_EQ(game.result(), 2);
}

TEST_F(Classic, ChameleonsChangeColourOnlyAtRest) {
  start(0, kPairAndTriple);
  CPiece* resting = game.grid().at(42);
  resting->chameleon = true;
  game.grid().at(43)->chameleon = true;
  game.grid().at(43)->exploding = true;
  game.grid().at(44)->chameleon = true;
  game.grid().at(44)->moving = true;  // sliding, as in a fall
  int restingColour = resting->colour;
  game.grid().exploding = true;
  CGlobal::instance().explosionProgress = -100000;  // the explosion holds
  for (int i = 0; i < 20; ++i) game.update(30);      // past the 400 ms period
  ASSERT_TRUE(game.grid().at(43) && game.grid().at(42));
  EXPECT_EQ(game.grid().at(43)->colour, 2);
  EXPECT_EQ(game.grid().at(44)->colour, 0);
  EXPECT_TRUE(game.grid().at(42)->chameleon);
  EXPECT_EQ(game.grid().at(42)->colour, (restingColour + 1) % 3);
  CGlobal::instance().explosionProgress = 0;
}

// Chameleons wear the pack's chameleon mark over their block in every skin
// and keep it through their colour changes; ordinary blocks never show it.
TEST_F(Classic, ChameleonsWearTheirMarkInEverySkin) {
  std::vector<std::unique_ptr<OClip>> owned;
  std::vector<OClip*> table;
  auto picture = [&](uint32_t colour, bool withMark) {
    auto bmp = std::make_unique<OBitmap>();
    bmp->create(16, 16, colour);
    if (withMark) {
      bmp->createAlpha(255);  // transparent but for the middle
      for (int y = 6; y < 10; ++y)
        for (int x = 6; x < 10; ++x) bmp->alphaPlane()[y * 16 + x] = 0;
    }
    auto clip = std::make_unique<OClip>();
    clip->addImage(std::move(bmp));
    table.push_back(clip.get());
    owned.push_back(std::move(clip));
  };
  for (int i = 0; i < 36; ++i) picture(0x101010u * uint32_t(i % 6 + 1) + 0x000040u * uint32_t(i / 6), false);
  for (int i = 0; i < 14; ++i) picture(0x808080, false);  // specials, removers, sparkle
  picture(0xFFFFFF, true);                                 // the mark
  game.attach(rig.engine.get(), table, std::span<OClip* const>(table).subspan(36), 10, 10, 580, 580);
  start(0, kPairAndTriple);

  auto middle = [](const CPiece& p, int frame) {
    const OBitmap& b = *p.clip->images.at(size_t(frame));
    return b.pixel(b.width() / 2, b.height() / 2);
  };
  auto plain = game.block(1);
  auto chameleon = game.block(1, true);
  ASSERT_EQ(chameleon->clip->imageCount, 12);
  for (int frame = 0; frame < 12; ++frame) {
    EXPECT_EQ(middle(*chameleon, frame), 0xFFFFFFu) << frame;
    EXPECT_NE(middle(*plain, frame), 0xFFFFFFu) << frame;
    // The corner keeps the block's own colour and skin.
    EXPECT_EQ(chameleon->clip->images.at(size_t(frame))->pixel(0, 0), plain->clip->images.at(size_t(frame))->pixel(0, 0));
  }
  game.grid().at(42)->chameleon = true;
  game.grid().exploding = true;
  CGlobal::instance().explosionProgress = -100000;  // the explosion holds, no row rises
  for (int i = 0; i < 20; ++i) game.update(30);      // past the 400 ms period
  CGlobal::instance().explosionProgress = 0;
  const CPiece* changed = game.grid().at(42);
  ASSERT_TRUE(changed && changed->chameleon);
  for (int frame = 0; frame < 12; ++frame) EXPECT_EQ(middle(*changed, frame), 0xFFFFFFu) << frame;
  EXPECT_NE(middle(*game.grid().at(43), 0), 0xFFFFFFu);
}

TEST_F(Classic, SavedStateKeepsTheLevelAndRefusesOneOutsideTheTable) {
  start(1);
  ASSERT_TRUE(runUntil([&] { return game.trayFill() > 2; }));
  OConfig saved;
  game.saveState(saved);
  for (const char* key : {"currentLevel", "rowCount", "timeStep", "isEndLevelEffect", "rowAdded", "n0.color"})
    EXPECT_TRUE(saved.has(key)) << key;
  Probe other;
  rig.attach(other);
  ASSERT_TRUE(other.setup(6, 8));
  other.loadState(saved);
  ASSERT_TRUE(other.stateLoaded());
  EXPECT_EQ(other.levelIndex(), 1);
  EXPECT_EQ(other.rowsOfLevel(), 1);
  EXPECT_EQ(other.trayFill(), game.trayFill());
  EXPECT_EQ(other.levelCaption()->text, "Level 2");
  saved.setInt("currentLevel", 3);
  other.loadState(saved);
  EXPECT_FALSE(other.stateLoaded());
  other.clear();
}

// A chameleon that changes colour leaves the group it was lit with; the
// lighting follows the pointer's new group, without the pointing sound.
TEST_F(Classic, AChameleonOfTheNextColourStartsUnlitAndTheLightingFollows) {
  useRules(classicRules(0, true, 60000));  // no row arrives meanwhile
  const std::vector<std::string> board = {"......", "......", "......", "......",
                                          "......", "......", "......", "111222"};
  for (int pointed : {42, 44}) {
    start(0, board);
    game.grid().at(44)->chameleon = true;
    game.hover(pointed);
    ASSERT_TRUE(game.grid().at(44)->highlighted);
    ASSERT_TRUE(runUntil([&] { return game.grid().at(44)->colour == 2; }, 100));
    EXPECT_TRUE(game.grid().at(44)->chameleon);
    // Pointing at the old colour leaves a pair: nothing lit. Pointing at the
    // chameleon lights its new group of four.
    bool onChameleon = pointed == 44;
    for (int cell = 42; cell < 48; ++cell)
      EXPECT_EQ(game.grid().at(cell)->highlighted, onChameleon && cell >= 44) << pointed << " " << cell;
    EXPECT_EQ(game.grid().highlightActive, onChameleon);
    EXPECT_EQ(rig.host.count(12), 1);
  }
}

// The fill of a finished level is paid once, however the game is saved and
// reloaded while the full board blows up: with the level-done key, without
// it (older files) and just after the blocks went.
TEST_F(Classic, AReloadedLevelEndDoesNotPayItsFillAgain) {
  start(0);
  ASSERT_TRUE(runUntil([&] { return game.levelDone(); }));
  ASSERT_TRUE(game.grid().exploding);
  OConfig exploding, older, gone;
  game.saveState(exploding);
  for (const auto& [key, value] : exploding.values())
    if (key != "isLevelDone") older.setRaw(key, value);
  ASSERT_TRUE(runUntil([&] { return game.blockCount() == 0; }));
  ASSERT_TRUE(game.levelDone());
  game.saveState(gone);
  const int paid = score();
  for (OConfig* saved : {&exploding, &older, &gone}) {
    Probe other;
    rig.attach(other);
    ASSERT_TRUE(other.setup(6, 8));
    other.loadState(*saved);
    ASSERT_TRUE(other.stateLoaded());
    ASSERT_EQ(score(), paid);
    ASSERT_TRUE(runUntil(other, [&] { return !other.levelDone(); }));
    EXPECT_EQ(score(), paid);
    EXPECT_EQ(other.levelIndex(), 1);
    EXPECT_EQ(other.rowsOfLevel(), 1);
    EXPECT_EQ(other.blockCount(), 6);  // level 1 starts with one row
    other.clear();
  }
}

// A saved row time outside the span of the level's row times, or a step
// that would carry it out, is held to that span.
TEST_F(Classic, SavedRowTimesStayWithinTheLevelsSpan) {
  start(0);
  OConfig saved;
  game.saveState(saved);
  Probe other;
  rig.attach(other);
  ASSERT_TRUE(other.setup(6, 8));
  for (int rowTime : {0, 45, 100000}) {
    saved.setInt("timeBuildLine", rowTime);
    saved.setInt("timeFragStep", 0);
    other.loadState(saved);
    ASSERT_TRUE(other.stateLoaded());
    int expected = std::clamp(rowTime, 30, 60);
    EXPECT_EQ(other.rowTime(), expected);
    EXPECT_EQ(other.interval(), expected / 6);
  }
  saved.setInt("timeStep", 3600 * 1000);
  other.loadState(saved);
  ASSERT_TRUE(runUntil(other, [&] { return other.rowsPushed() > game.rowsPushed(); }));
  EXPECT_EQ(other.rowTime(), 30);
  EXPECT_FALSE(other.ended());
  other.clear();
}

// A score saved near the largest int stays there through a bonus board
// instead of wrapping negative, and a negative saved score reads as 0.
TEST_F(Classic, AScoreNearTheTopSurvivesABonusBoardAndLoadsBounded) {
  constexpr int kTop = std::numeric_limits<int>::max();
  start(1);
  OConfig saved;
  game.saveState(saved);
  saved.setInt("scores", kTop - 3);
  game.loadState(saved);
  ASSERT_EQ(score(), kTop - 3);
  ASSERT_TRUE(runUntil([&] { return game.bonusRunning() && !game.bonusGame().intro(); }));
  for (int cell = 0; cell < game.grid().size() && !game.bonusGame().grid().exploding; ++cell) game.click(cell);
  ASSERT_TRUE(runUntil([&] { return !game.bonusRunning(); }, 40000));
  EXPECT_EQ(score(), kTop);
  OConfig after;
  game.saveState(after);
  EXPECT_EQ(after.getInt("scores", 0), kTop);
  saved.setInt("scores", -40);
  game.loadState(saved);
  EXPECT_EQ(score(), 0);
}

#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>

#include "gfx/OClip.h"
#include "platform/Random.h"
#include "sinkra/CGlobal.h"
#include "sinkra/CPiece.h"
#include "sinkra/CSinkraGame.h"
#include "storage/OConfig.h"
#include "tests/sinkra/SinkraTestSupport.h"

using namespace SpaceSinkra;
using sinkratest::colours;
using sinkratest::rows;

namespace {

class RisingRows : public ::testing::Test {
protected:
  void SetUp() override {
    rig.attach(game);
    ASSERT_TRUE(game.setup(10, 12));
  }
  // A board of the given rows with an empty tray of the same width.
  void set(const std::vector<std::string>& r) {
    int w = static_cast<int>(r[0].size()), h = static_cast<int>(r.size());
    ASSERT_TRUE(game.setup(w, h));
    game.newField();
    ASSERT_TRUE(game.setBoard(w, h, colours(r)));
    rig.host.effects.clear();
  }
  int score() const { return CGlobal::instance().score; }
  CGlobal& g() { return CGlobal::instance(); }

  sinkratest::Rig rig;
  CSinkraGame game;
};

}  // namespace

TEST_F(RisingRows, RowSpecialClearsItsRow) {
  set({"....",
       "0123",
       "4a50"});
  game.click(9);
  EXPECT_EQ(score(), 8);
  EXPECT_EQ(rig.host.count(11), 1);
  rig.settle(game);
  EXPECT_EQ(rows(game), (std::vector<std::string>{"....", "....", "0123"}));
}

TEST_F(RisingRows, ColumnSpecialClearsItsColumn) {
  set({"01",
       "b2",
       "34"});
  game.click(2);
  EXPECT_EQ(score(), 6);
  rig.settle(game);
  EXPECT_EQ(rows(game), (std::vector<std::string>{"1.", "2.", "4."}));
}

TEST_F(RisingRows, LonelySpecialTakesEveryBlockWithoutPartner) {
  set({"001",
       "2c3",
       "445"});
  // Singles: 1, 2, 3, 5 and the special itself.
  game.click(4);
  EXPECT_EQ(score(), 10);
  EXPECT_FALSE(game.grid().at(0)->exploding);
  EXPECT_TRUE(game.grid().at(8)->exploding);
}

TEST_F(RisingRows, FlipSpecialTurnsTheBoardAndLetsItFall) {
  set({"01.",
       "2d3",
       "445"});
  game.click(4);
  EXPECT_EQ(score(), 0);
  EXPECT_EQ(rows(game), (std::vector<std::string>{"544", "3.2", ".10"}));
  EXPECT_TRUE(game.grid().exploding);
  EXPECT_EQ(game.grid().explodingCount(), 0);
  rig.settle(game);
  EXPECT_EQ(rows(game), (std::vector<std::string>{"..4", "542", "310"}));
}

TEST_F(RisingRows, BombSpecialTakesTheSquareAroundIt) {
  set({"0123012",
       "3401234",
       "5012345",
       "012e012",
       "3450123",
       "4501234",
       "0123450"});
  game.click(3 * 7 + 3);
  EXPECT_EQ(score(), 50);
  EXPECT_EQ(rig.host.count(19), 1);
  EXPECT_EQ(game.grid().explodingCount(), 25);
  // Cut at the edges near a corner.
  set({"e01.",
       "2340",
       "5012"});
  game.click(0);
  EXPECT_EQ(score(), 18);  // the square cut at the corner: 3 x 3 blocks
}

TEST_F(RisingRows, NeighbourSpecialTakesTheGroupsAroundIt) {
  set({"001",
       "2f1",
       "334"});
  game.click(4);
  EXPECT_EQ(game.grid().at(4), nullptr);  // deleted at once
  EXPECT_EQ(score(), 12);
  EXPECT_FALSE(game.grid().at(3)->exploding);  // a group of one stays
  EXPECT_TRUE(game.grid().at(6)->exploding);
}

TEST_F(RisingRows, GroupSpecialTakesEveryGroupThenItself) {
  set({"001",
       "2g3",
       "445"});
  game.click(4);
  EXPECT_EQ(score(), 8);
  EXPECT_EQ(game.grid().explodingCount(), 5);
  EXPECT_TRUE(game.grid().at(4)->exploding);
  EXPECT_FALSE(game.grid().at(2)->exploding);
}

TEST_F(RisingRows, RecolourSpecialReplacesOneColourByAnother) {
  set({"0123",
       "45h0",
       "1234"});
  auto before = colours(rows(game));
  zb::seedRandom(5);
  int a = zb::random(6), b = zb::random(6);
  while (b == a) b = zb::random(6);
  zb::seedRandom(5);
  game.click(6);
  EXPECT_EQ(score(), 0);
  auto after = colours(rows(game));
  for (size_t i = 0; i < before.size(); ++i) {
    if (i == 6) continue;
    EXPECT_EQ(after[i], before[i] == a ? b : before[i]) << i;
  }
  EXPECT_EQ(rig.blockClipsOnScreen(game), game.blockCount());
}

TEST_F(RisingRows, HoverPreviewsScoresAndSpecialTargets) {
  set({"0012",
       "a345"});
  EXPECT_EQ(game.hover(0), 2);
  EXPECT_EQ(game.preview()->value, 4);  // below BonusFragments 6: size x size
  EXPECT_EQ(rig.host.count(12), 1);
  EXPECT_TRUE(rig.host.effects.back().second);  // restarted
  EXPECT_EQ(game.hover(3), 1);
  EXPECT_EQ(game.preview()->value, 0);
  EXPECT_EQ(game.hover(4), 0);  // the row special
  for (int c = 4; c < 8; ++c) EXPECT_TRUE(game.grid().at(c)->highlighted) << c;
  EXPECT_FALSE(game.grid().at(0)->highlighted);
  EXPECT_EQ(CGlobal::instance().caption()->text, "for this\nblock");
}

TEST_F(RisingRows, GroupsScoreSquareAndTripleFromBonusFragments) {
  set({"0012",
       "3345"});
  game.click(0);
  EXPECT_EQ(score(), 4);
  EXPECT_TRUE(game.floatingNumbers().empty());
  rig.settle(game);
  g().bonusFragments = 0;  // every group counts as a bonus group
  game.click(game.grid().width() * 1);
  EXPECT_EQ(score(), 4 + 12);
  EXPECT_EQ(game.floatingNumbers().size(), 1u);
  EXPECT_EQ(game.floatingNumbers().at(0).value, 12);
  EXPECT_EQ(rig.host.count(17), 1);
}

TEST_F(RisingRows, ClearingTheBoardEarnsRowsTimesHundred) {
  set({"....",
       "0000"});
  game.click(4);
  EXPECT_EQ(score(), 16 + 200);
  rig.settle(game);
  EXPECT_EQ(game.blockCount(), 0);
}

TEST_F(RisingRows, RowsArriveAndPushUntilTheTopIsReached) {
  game.setRowTiming(300, 200);
  game.newField();
  EXPECT_EQ(rows(game)[6], "..........");
  EXPECT_EQ(rows(game)[7].find('.'), std::string::npos);
  EXPECT_EQ(game.interval(), 30);
  game.update(95);
  EXPECT_EQ(game.trayFill(), 3);
  EXPECT_EQ(rig.host.count(14), 3);
  const CPiece* first = game.trayAt(0);
  ASSERT_NE(first, nullptr);
  EXPECT_DOUBLE_EQ(first->clip->y, 588 - first->clip->height);
  // The expected row times follow the reset counter.
  std::vector<int> times;
  int guard = 0;
  while (times.size() < 5 && ++guard < 5000) {
    int pushed = game.rowsPushed();
    rig.run(game, 1);
    if (game.rowsPushed() != pushed) times.push_back(game.rowTime());
  }
  EXPECT_EQ(times, (std::vector<int>{100, 300, 100, 100, 300}));
  EXPECT_EQ(g().rowTimeResets, 3);
  EXPECT_EQ(rig.host.count(15), 5);
  // Keep going: the board rises until a push is refused.
  while (!game.finished && ++guard < 20000) rig.run(game, 1);
  ASSERT_TRUE(game.finished);
  EXPECT_TRUE(game.ended());
  EXPECT_NE(game.grid().at(0), nullptr);  // the top row holds a block
  EXPECT_GT(rig.host.count(18), 0);       // the warning sounded on the way
  rig.run(game, 1);
  EXPECT_FALSE(game.finished);  // the flag stays for one update
  int fill = game.trayFill();
  rig.run(game, 50);
  EXPECT_EQ(game.trayFill(), fill);  // nothing arrives after the end
}

TEST_F(RisingRows, PushIsRefusedWithTheTopRowOccupied) {
  set({"0...",
       "1234"});
  EXPECT_FALSE(game.pushRow());
  EXPECT_EQ(rows(game), (std::vector<std::string>{"0...", "1234"}));
  set({"....",
       "1234"});
  EXPECT_TRUE(game.pushRow());  // an empty tray pushes an empty row
  EXPECT_EQ(rows(game), (std::vector<std::string>{"1234", "...."}));
}

TEST_F(RisingRows, ShortRowTimesGiveAnIntervalOfOne) {
  game.setRowTiming(5, 1);
  game.newField();
  EXPECT_EQ(game.interval(), 0);
  game.update(3);
  EXPECT_EQ(game.trayFill(), 3);
  game.update(7);
  EXPECT_EQ(game.trayFill(), 10);
  EXPECT_EQ(game.rowsPushed(), 0);
  game.update(1);  // one more interval has passed: the row goes in
  EXPECT_EQ(game.rowsPushed(), 1);
  EXPECT_EQ(game.trayFill(), 0);
}

TEST_F(RisingRows, SpecialsNeverLeadARowNorArriveSideBySide) {
  game.setRowTiming(300, 0);
  game.newField();
  g().probabilityBegin = 0;
  g().probabilityEnd = 1000;  // every allowed slot draws a special
  int specials = 0;
  for (int i = 0; i < 400 && !game.ended(); ++i) {
    rig.run(game, 1);
    for (int s = 0; s < game.trayFill(); ++s) {
      const CPiece* p = game.trayAt(s);
      if (!p) continue;
      if (s == 0) {
        EXPECT_FALSE(p->special());
      } else if (game.trayAt(s - 1)) {
        EXPECT_FALSE(p->special() && game.trayAt(s - 1)->special());
      }
      specials += p->special() ? 1 : 0;
    }
  }
  EXPECT_GT(specials, 0);
}

TEST_F(RisingRows, ExplodeAllFadesTheTrayTwiceAsFast) {
  game.setRowTiming(3000, 0);
  game.newField();
  game.update(900);
  ASSERT_EQ(game.trayFill(), 3);
  game.explodeAll();
  game.update(15);
  // Board: 15 x 0.5 x 15 / 30 = 3.75; tray: twice the rate.
  EXPECT_EQ(game.grid().at(game.grid().size() - 1)->clip->opacity, 3);
  EXPECT_EQ(game.trayAt(0)->clip->opacity, 7);
  for (int i = 0; i < 40; ++i) game.update(15);
  EXPECT_EQ(game.trayAt(0), nullptr);
  EXPECT_GT(game.blockCount(), 0);  // the board is still fading
  rig.settle(game);
  EXPECT_EQ(game.blockCount(), 0);
}

TEST_F(RisingRows, SaveAndLoadKeepTheTrayAndTiming) {
  game.setRowTiming(3000, 100);
  game.newField();
  rig.run(game, 60);
  OConfig saved;
  game.saveState(saved);
  EXPECT_EQ(saved.getInt("timeBuildLine", -1), 3000);
  EXPECT_EQ(saved.getInt("timeFragStep", -1), 300);
  EXPECT_EQ(saved.getInt("rowLength", -1), 3);
  EXPECT_EQ(saved.getInt("n9.color", 0), -1);

  CSinkraGame other;
  rig.attach(other);
  other.loadState(saved);
  EXPECT_EQ(rows(other), rows(game));
  EXPECT_EQ(other.trayFill(), 3);
  EXPECT_EQ(other.elapsed(), game.elapsed());
  EXPECT_EQ(other.trayAt(1)->colour, game.trayAt(1)->colour);
  EXPECT_EQ(other.trayAt(1)->clip->x, game.trayAt(1)->clip->x);

  // A missing timing key leaves the game untouched; a bad tray refuses all.
  OConfig partial = saved;
  partial.clearAll();
  partial.setInt("timeBuildLine", 5);
  other.loadState(partial);
  EXPECT_EQ(rows(other), rows(game));
  OConfig bad = saved;
  bad.setInt("n2.color", 9);
  other.loadState(bad);
  EXPECT_EQ(other.blockCount(), 0);
  EXPECT_EQ(other.trayAt(0), nullptr);
  bad = saved;
  bad.setInt("rowLength", 11);
  other.loadState(bad);
  EXPECT_EQ(other.blockCount(), 0);
  rig.run(other, 5);
}

TEST_F(RisingRows, RandomlyDamagedStatesNeverBreakTheGame) {
  game.setRowTiming(600, 100);
  set({"......",
       "0123..",
       "450123",
       "345012"});
  game.update(250);
  OConfig good;
  game.saveState(good);
  zb::seedRandom(77);
  sinkratest::reloadDamaged(rig, game, good, 300);
}

TEST_F(RisingRows, MissingRulesFileIsFatalAndKeysHaveDefaults) {
  g().rulesPath = rig.dir.file("none.cfg");
  try {
    game.setup(10, 10);
    ADD_FAILURE() << "no fatal error";
  } catch (const std::runtime_error& e) {
    EXPECT_STREQ(e.what(), "Unable loading game resources! (\"cfg/sinkra.cfg\")\n Please reinstall.");
  }
  sinkratest::writeRules(rig.dir.file("empty.cfg"), "\n");
  g().rulesPath = rig.dir.file("empty.cfg");
  ASSERT_TRUE(g().loadRules());
  EXPECT_EQ(g().boardWidth(kAdvanced, 0), -1);
  EXPECT_EQ(g().difficulty[2].alphaStep, 15);
  EXPECT_EQ(g().difficulty[1].speed, 8);
  EXPECT_EQ(g().timeBuildLine[1], 300);
  EXPECT_EQ(g().timeBuildLineStep[2], 200);
  EXPECT_DOUBLE_EQ(g().speedFactor, 1.0);
  // A board size of -1 leaves the variant empty.
  EXPECT_FALSE(game.setup(-1, -1));
  g().beginGame(1);
  EXPECT_DOUBLE_EQ(g().speedFactor, 0.5);
  EXPECT_EQ(g().current, &g().difficulty[1]);
}

TEST_F(RisingRows, TheDemoPlayerTakesASpecialFirst) {
  set({"000c",
       "0001"});
  game.startDemo();
  g().demoTimer = 1301;
  game.update(0);
  // The bomb takes the square around it; a plain pick would take the six 0s
  // but leave the 1 below the special standing.
  EXPECT_TRUE(game.grid().exploding);
  EXPECT_TRUE(game.grid().at(7)->exploding);
}

// Rules numbers that no game could run with are moved into range, and a
// game on them still rises row by row to its end.
TEST_F(RisingRows, HostileRulesValuesAreBoundedAndTheGameRunsToItsEnd) {
  sinkratest::writeRules(rig.rulesPath,
                         "kvmin=nan\nkvmax=1e308\neasy = {\n alphaStep=0\n speed=-5\n timeEndLevel=-1\n}\n"
                         "SinkraGame = {\n easy = { w=10 h=12 timeBuildLine=-2147483648 timeBuildLineStep=2147483647 }\n"
                         " BonusFragments=-7\n delayShowBonusEffect=2147483647\n speedShowBonusEffect=-inf\n"
                         " Probability = { begin=-2147483648 end=2147483647 }\n}\n"
                         "CClassicSinkraGame = {\n levelsCount=2147483647\n timeDoBonus5=inf\n}\n");
  g().beginGame(0);
  ASSERT_TRUE(game.setup(10, 12));
  EXPECT_EQ(g().kvmin, 0.5);
  EXPECT_EQ(g().kvmax, 10.0);
  EXPECT_EQ(g().difficulty[0].alphaStep, 1);
  EXPECT_EQ(g().difficulty[0].speed, 1.0);
  EXPECT_EQ(g().difficulty[0].timeEndLevel, 1);
  EXPECT_EQ(g().timeBuildLine[0], 1);
  EXPECT_EQ(g().timeBuildLineStep[0], 600000);
  EXPECT_EQ(g().bonusFragments, 0);
  EXPECT_EQ(g().delayShowBonusEffect, 60000);
  EXPECT_EQ(g().speedShowBonusEffect, -100.0);
  EXPECT_EQ(g().probabilityBegin, 0);
  EXPECT_EQ(g().probabilityEnd, 1000);
  EXPECT_EQ(g().levelsCount, 1000);
  EXPECT_EQ(g().timeDoBonus5, 600000);

  g().speedFactor = g().kvmin;
  game.newField();
  for (int i = 0; i < 20000 && !game.ended(); ++i) rig.run(game, 1);
  EXPECT_TRUE(game.ended());
  EXPECT_GT(game.rowsPushed(), 0);
}

#include <gtest/gtest.h>

#include <algorithm>

#include "app/OEngine.h"
#include "gfx/OBitmap.h"
#include "gfx/OClip.h"
#include "platform/Random.h"
#include "sinkra/CAI_.h"
#include "sinkra/CGameField.h"
#include "sinkra/CGameMap.h"
#include "sinkra/CGlobal.h"
#include "sinkra/CPiece.h"
#include "storage/OConfig.h"
#include "tests/sinkra/SinkraTestSupport.h"

using namespace SpaceSinkra;
using sinkratest::colours;
using sinkratest::rows;

namespace {

// A field that counts its rest notifications and can close to the middle.
class CountingField : public CGameField {
public:
  explicit CountingField(bool centre = false) { centreClosing_ = centre; }
  void onSettled() override { ++settled; }
  int settled = 0;
};

class Field : public ::testing::Test {
protected:
  void SetUp() override { rig.attach(field); }
  void set(const std::vector<std::string>& r) {
    ASSERT_TRUE(field.setBoard(static_cast<int>(r[0].size()), static_cast<int>(r.size()), colours(r)));
  }
  // The board after every change of its cells until it comes to rest.
  std::vector<std::vector<std::string>> history(CGameField& f) {
    std::vector<std::vector<std::string>> out{rows(f)};
    for (int i = 0; i < 3000 && !f.idle(); ++i) {
      rig.run(f, 1);
      if (rows(f) != out.back()) out.push_back(rows(f));
    }
    return out;
  }

  sinkratest::Rig rig;
  CountingField field;
};

}  // namespace

TEST_F(Field, HoverHighlightsSameColourGroupsOnly) {
  set({"11a",
       "201"});
  EXPECT_EQ(field.hover(0), 2);
  EXPECT_TRUE(field.grid().highlightActive);
  EXPECT_TRUE(field.grid().at(1)->highlighted);
  EXPECT_EQ(field.grid().at(1)->clip->currentFrame, 1);  // inset frame of skin 0
  EXPECT_FALSE(field.grid().at(2)->highlighted);         // a special of another colour
  EXPECT_EQ(field.hover(1), 0);                          // same group: nothing changes
  EXPECT_TRUE(field.grid().at(0)->highlighted);
  EXPECT_EQ(field.hover(5), 1);  // a group of one is shown plainly
  EXPECT_FALSE(field.grid().highlightActive);
  EXPECT_FALSE(field.grid().at(5)->highlighted);
  EXPECT_EQ(field.grid().at(0)->clip->currentFrame, 0);
  EXPECT_EQ(field.hover(-1), 0);
  EXPECT_EQ(field.hover(99), 0);
}

TEST_F(Field, SkinsChooseTheFramePair) {
  set({"00", "12"});
  CGlobal::instance().skins[0] = 3;
  field.refreshSkins();
  EXPECT_EQ(field.grid().at(0)->clip->currentFrame, 6);
  EXPECT_EQ(field.grid().at(2)->clip->currentFrame, 0);
  field.hover(0);
  EXPECT_EQ(field.grid().at(1)->clip->currentFrame, 7);
  EXPECT_EQ(field.grid().at(1)->clip->imageCount, 12);
  // The inset frame is drawn 2 pixels in and 4 pixels smaller.
  const OBitmap* inset = field.grid().at(1)->clip->currentImage();
  EXPECT_EQ(inset->xOffset, 2);
  EXPECT_EQ(inset->width(), field.blockPixels() - 4);
}

// Cells are 580 / width pixels, rarely a whole number: the blocks of a full
// board must still meet, whatever size the rules give (1 to 32 each way).
TEST_F(Field, FullBoardsOfEverySizeShowNoBackgroundBetweenBlocks) {
  const uint32_t kBackground = 0xFF00FF;
  OEngine& screen = *rig.engine;
  screen.backgroundColour = kBackground;
  OEngine* slot = nullptr;
  screen.open(&slot);
  for (int w = 1; w <= CGameMap::kMaxSide; ++w) {
    for (int h = 1; h <= CGameMap::kMaxSide; ++h) {
      std::vector<int> c(size_t(w * h));
      for (size_t i = 0; i < c.size(); ++i) c[i] = int(i % 6);
      ASSERT_TRUE(field.setBoard(w, h, c));
      screen.redrawAll();
      const OBitmap& shown = *screen.backBuffer();
      // The blocks cover the board from its corner to the far edge of the last cell.
      int right = int(field.cellX(w - 1)) + field.blockPixels();
      int bottom = std::min(int(field.cellY((h - 1) * w)) + field.blockPixels(), shown.height());
      EXPECT_LE(right, 590) << w << " x " << h;
      // A gap would show just before a block's left or top edge.
      int gaps = 0;
      for (int i = 1; i < w; ++i) {
        int x = int(field.cellX(i)) - 1;
        for (int y = 10; y < bottom; ++y) gaps += shown.pixel(x, y) == kBackground;
      }
      for (int j = 1; j < h && int(field.cellY(j * w)) <= shown.height(); ++j) {
        int y = int(field.cellY(j * w)) - 1;
        for (int x = 10; x < right; ++x) gaps += shown.pixel(x, y) == kBackground;
      }
      ASSERT_EQ(gaps, 0) << "board " << w << " x " << h << ", cell " << field.cellSize();
    }
  }
}

TEST_F(Field, SingleBlocksNeverExplodeButSpecialsJoinGroups) {
  set({"12a",
       "345"});
  field.click(0);
  EXPECT_FALSE(field.grid().exploding);
  EXPECT_FALSE(field.grid().at(0)->exploding);
  EXPECT_EQ(rig.host.count(11), 0);
  // The 2 has no partner of its colour, but the special beside it joins it.
  field.click(1);
  EXPECT_TRUE(field.grid().exploding);
  EXPECT_TRUE(field.grid().at(1)->exploding);
  EXPECT_TRUE(field.grid().at(2)->exploding);
  EXPECT_EQ(rig.host.count(11), 1);
  // Clicks are ignored while the explosion runs.
  field.click(3);
  EXPECT_FALSE(field.grid().at(3)->exploding);
  rig.settle(field);
  EXPECT_EQ(rows(field), (std::vector<std::string>{"1..", "345"}));
}

TEST_F(Field, SparksPerBlockFollowTheCountThresholds) {
  struct Case {
    int blocks;
    int perBlock;
  } cases[] = {{3, 5}, {4, 4}, {9, 3}, {13, 3}, {14, 2}, {18, 2}, {19, 1}, {30, 1}};
  for (auto c : cases) {
    std::vector<int> board(static_cast<size_t>(c.blocks + 1), 0);
    board.back() = 1;  // one block that stays
    ASSERT_TRUE(field.setBoard(c.blocks + 1, 1, board));
    field.click(0);
    int before = rig.sparksOnScreen();
    field.update(15);  // level 3: well below 80
    EXPECT_EQ(rig.sparksOnScreen() - before, c.blocks * c.perBlock) << c.blocks << " blocks";
    rig.settle(field);
  }
  // No sparks once the blocks are faded to 80 or more, nor with the option off.
  set({"00"});
  field.click(0);
  field.update(330);  // 15 x 0.5 x 330 / 30 = 82
  int before = rig.sparksOnScreen();
  field.update(15);
  EXPECT_EQ(rig.sparksOnScreen(), before);
  rig.settle(field);
  rig.host.explosions = false;
  set({"00"});
  field.click(0);
  field.update(15);
  EXPECT_EQ(rig.sparksOnScreen(), before);
}

TEST_F(Field, SparksFadeAndLeaveTheScreen) {
  set({"000"});
  field.click(0);
  field.update(15);
  ASSERT_GT(rig.sparksOnScreen(), 0);
  rig.settle(field);
  rig.run(field, 40);
  EXPECT_EQ(rig.sparksOnScreen(), 0);
}

TEST_F(Field, BlocksFallByTheGapsBelowThem) {
  set({"12",
       "00",
       "40",
       "00",
       "53"});
  field.click(2);
  rig.settle(field);
  EXPECT_EQ(rows(field), (std::vector<std::string>{"..", "..", "1.", "42", "53"}));
  EXPECT_GT(rig.host.count(13), 0);  // landings are heard
  EXPECT_EQ(rig.blockClipsOnScreen(field), field.blockCount());
  for (int i = 0; i < field.grid().size(); ++i) {
    const CPiece* p = field.grid().at(i);
    if (!p) continue;
    EXPECT_DOUBLE_EQ(p->clip->x, field.cellX(i));
    EXPECT_DOUBLE_EQ(p->clip->y, field.cellY(i));
  }
}

TEST_F(Field, ColumnsCloseToTheLeftOneRunAtATime) {
  set({"1.2..3",
       "1.2..3"});
  field.startFall();
  auto h = history(field);
  ASSERT_EQ(h.size(), 3u);
  EXPECT_EQ(h[1], (std::vector<std::string>{"12..3.", "12..3."}));
  EXPECT_EQ(h[2], (std::vector<std::string>{"123...", "123..."}));
  EXPECT_EQ(field.settled, 1);
}

TEST_F(Field, ColumnsCloseTowardsTheMiddleFromBothSides) {
  CountingField centre(true);
  rig.attach(centre);
  ASSERT_TRUE(centre.setBoard(7, 1, colours({"1.2.3.4"})));
  centre.startFall();
  auto h = history(centre);
  ASSERT_GE(h.size(), 2u);
  // The left part moves right, the right part moves left.
  EXPECT_EQ(h[1], (std::vector<std::string>{".1.234."}));
  EXPECT_EQ(h.back(), (std::vector<std::string>{"..1234."}));
  EXPECT_EQ(centre.settled, 1);
}

TEST_F(Field, RestIsReportedTwiceAfterAFallAndOnceAfterAClosing) {
  // A fall with no column to close: the closing step and the landing step
  // both report rest.
  set({"1",
       "0",
       "0"});
  field.click(1);
  rig.settle(field);
  EXPECT_EQ(field.settled, 2);
  // A whole column removed: the fall finds nothing, the closing slides once.
  field.settled = 0;
  set({"01",
       "01"});
  field.click(0);
  rig.settle(field);
  EXPECT_EQ(rows(field), (std::vector<std::string>{"1.", "1."}));
  EXPECT_EQ(field.settled, 1);
  // Blocks removed from the top: nothing moves at all.
  field.settled = 0;
  set({"00",
       "12"});
  field.click(0);
  rig.settle(field);
  EXPECT_EQ(field.settled, 1);
}

TEST_F(Field, SaveAndLoadRoundTrip) {
  set({"0123",
       "45a0",
       "1.23"});
  CGlobal::instance().score = 77;
  OConfig saved;
  field.saveState(saved);
  EXPECT_EQ(saved.getInt("size", -1), 12);
  EXPECT_EQ(saved.getInt("9.color", 0), -1);
  EXPECT_EQ(saved.getInt("6.color", 0), 10);
  EXPECT_FALSE(saved.has("9.isExpolding"));
  EXPECT_TRUE(saved.has("6.startNormPos"));

  CGlobal::instance().score = 0;
  CountingField other;
  rig.attach(other);
  other.loadState(saved);
  rig.settle(other);
  EXPECT_EQ(CGlobal::instance().score, 77);
  // The hole at cell 9 is filled by the fall that loading starts.
  EXPECT_EQ(rows(other), (std::vector<std::string>{"0.23", "41a0", "1523"}));
  EXPECT_EQ(rig.blockClipsOnScreen(other), 11);
}

TEST_F(Field, StateSavedMidFallResumesDropping) {
  set({"1",
       "2",
       "0",
       "0",
       "0",
       "3"});
  field.click(2);
  // Run until the explosion is over and the blocks are on their way.
  for (int i = 0; i < 500 && !field.anyMoving(); ++i) rig.run(field, 1);
  ASSERT_TRUE(field.anyMoving());
  rig.run(field, 3);
  OConfig saved;
  field.saveState(saved);
  EXPECT_EQ(saved.getInt("normalizeType", -1), 1);
  EXPECT_EQ(saved.getInt("0.isMoving", -1), 1);

  CountingField other;
  rig.attach(other);
  other.loadState(saved);
  EXPECT_TRUE(other.anyMoving());
  EXPECT_EQ(rows(other)[0], "1");  // blocks start from their saved cells
  rig.settle(other);
  rig.settle(field);
  EXPECT_EQ(rows(other), rows(field));
  EXPECT_EQ(rows(other), (std::vector<std::string>{".", ".", ".", "1", "2", "3"}));
}

TEST_F(Field, DamagedStatesAreRefusedWithoutHarm) {
  set({"01", "23"});
  OConfig good;
  field.saveState(good);

  OConfig noSize = good;
  noSize.clearAll();
  noSize.setInt("width", 2);
  field.loadState(noSize);  // no "size": the field is left as it was
  EXPECT_EQ(field.blockCount(), 4);

  auto refused = [&](const char* key, int value) {
    set({"01", "23"});
    OConfig bad = good;
    bad.setInt(key, value);
    field.loadState(bad);
    EXPECT_EQ(field.blockCount(), 0) << key << "=" << value;
    EXPECT_TRUE(field.idle()) << key;
    rig.run(field, 5);  // the empty board keeps working
    EXPECT_EQ(rig.blockClipsOnScreen(field), 0);
  };
  refused("size", 5);
  refused("width", -3);
  refused("height", 0);
  refused("width", 100000);
  refused("1.color", 7);
  refused("1.color", 18);
  refused("2.color", -5);
  refused("0.startNormPos", 4);
  refused("3.endNormPos", -2);
  // Huge dimensions whose product overflows.
  {
    OConfig bad = good;
    bad.setInt("width", 65536);
    bad.setInt("height", 65536);
    bad.setInt("size", 0);
    field.loadState(bad);
    EXPECT_EQ(field.blockCount(), 0);
  }
  // A missing width stops after the blocks are removed.
  set({"01", "23"});
  OConfig noWidth;
  noWidth.setInt("size", 4);
  noWidth.setInt("height", 2);
  field.loadState(noWidth);
  EXPECT_EQ(field.blockCount(), 0);
  // The good state still loads afterwards.
  field.loadState(good);
  EXPECT_EQ(field.blockCount(), 4);
}

TEST_F(Field, RandomlyDamagedStatesNeverBreakTheBoard) {
  set({"012345",
       "501234",
       "450123",
       "345012",
       "234501"});
  field.click(0);
  field.hover(7);
  rig.run(field, 3);
  OConfig good;
  field.saveState(good);
  sinkratest::reloadDamaged(rig, field, good, 300);
}

TEST_F(Field, TheOpponentCompactsExactlyAsTheBoardDoes) {
  zb::seedRandom(31);
  int checked = 0;
  for (int round = 0; round < 60; ++round) {
    int w = 3 + zb::random(5), h = 2 + zb::random(5);
    std::vector<int> board(static_cast<size_t>(w * h));
    for (int& c : board) c = zb::random(3);
    ASSERT_TRUE(field.setBoard(w, h, board));
    int cell = -1;
    for (int i = 0; i < w * h && cell < 0; ++i)
      if (field.groupSize(i) >= 2) cell = i;
    if (cell < 0) continue;
    std::vector<int> none;
    CAI_ ai;
    ai.loadBoard(field.grid(), none);
    auto predicted = ai.boardAfter(cell);
    field.click(cell);
    rig.settle(field);
    EXPECT_EQ(colours(rows(field)), predicted) << "round " << round;
    ++checked;
  }
  EXPECT_GT(checked, 40);
}

TEST_F(Field, CellUnderThePointer) {
  set({"0123", "4501"});
  double cell = field.cellSize();
  EXPECT_DOUBLE_EQ(cell, 145);
  EXPECT_EQ(field.cellAt(10, 10), 0);
  EXPECT_EQ(field.cellAt(10 + 145 * 3 + 1, 10 + 146), 7);
  EXPECT_EQ(field.cellAt(9, 50), -1);       // left of the board
  EXPECT_EQ(field.cellAt(50, 9), -1);       // above it
  EXPECT_EQ(field.cellAt(590, 20), -1);     // right of the last column
  EXPECT_EQ(field.cellAt(20, 10 + 290), -1);  // below the last row
  CountingField empty;
  EXPECT_EQ(empty.cellAt(20, 20), -1);
}

TEST_F(Field, UndoRestoresTheBoardBeforeAHighlightedClick) {
  set({"001", "231"});
  field.hover(0);
  field.click(0);
  rig.settle(field);
  EXPECT_EQ(rows(field), (std::vector<std::string>{"..1", "231"}));
  field.undo();
  EXPECT_EQ(rows(field), (std::vector<std::string>{"001", "231"}));
  EXPECT_EQ(rig.blockClipsOnScreen(field), 6);
  field.undo();  // nothing left to restore
  EXPECT_EQ(field.blockCount(), 6);
}

TEST_F(Field, ExplodeAllClearsTheBoard) {
  set({"012", "345"});
  field.explodeAll();
  EXPECT_EQ(rig.host.count(11), 1);
  rig.settle(field);
  EXPECT_EQ(field.blockCount(), 0);
  EXPECT_TRUE(field.hasNoMoves());
}

TEST_F(Field, SeededDealsRepeat) {
  field.setBoard(8, 6, {});
  zb::seedRandom(99);
  field.newField();
  auto first = rows(field);
  zb::seedRandom(99);
  field.newField();
  EXPECT_EQ(rows(field), first);
  EXPECT_EQ(field.blockCount(), 48);
  EXPECT_EQ(rig.blockClipsOnScreen(field), 48);
  EXPECT_EQ(field.deals(), 2);
  field.clear();
  EXPECT_EQ(field.blockCount(), 0);
  EXPECT_EQ(rig.engine->clips().size(), 0u);
}

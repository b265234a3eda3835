#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "platform/Random.h"
#include "storage/OConfig.h"
#include "tests/support/TestSupport.h"
#include "tests/tessel/TesselTestSupport.h"

using namespace SpaceTessel;
using tesseltest::boardRows;

namespace {

class State : public ::testing::Test {
protected:
  void SetUp() override {
    shared().reset();
    zb::seedRandom(7);
    board.FillCheckerboard();
    board.Score = 4321;
    board.Count = 3;
    board.FinalCount = 2;
    board.VV = 18;
    board.SaveTo(good);
  }
  void TearDown() override { shared().reset(); }
  // Loads `tree` into a fresh board; expects a refusal that leaves it as built.
  void expectRefused(OConfig tree, const std::string& what) {
    shared().saveDamaged = false;
    AGameField b(nullptr, 1, 1);
    b.SetCell(6, 6, 3);
    EXPECT_FALSE(b.LoadFrom(tree)) << what;
    EXPECT_TRUE(shared().saveDamaged) << what;
    EXPECT_EQ(b.CubeCount(), 1) << what;
    EXPECT_EQ(b.Rules, 1) << what;
  }

  AGameField board{nullptr, 1, 2};
  OConfig good;
};

std::string snapshotText(const std::vector<int>& values) {
  std::ostringstream out;
  for (int v : values) out << v << ' ';
  return out.str();
}

}  // namespace

TEST_F(State, SavedKeysRoundTripAndUseTheirOwnSpelling) {
  // The opening layout: a cube exactly where row + column is even.
  for (int i = 0; i < kCells; ++i) {
    int row = i / kSize, column = i % kSize;
    bool inner = row >= 1 && row <= 11 && column >= 1 && column <= 11;
    EXPECT_EQ(board.CubeAt(i) != nullptr, inner && (row + column) % 2 == 0) << i;
  }
  EXPECT_TRUE(good.has("Game.GameField.currentColorRigth"));
  EXPECT_TRUE(good.has("Game.GameField.nextColorRigth"));
  EXPECT_TRUE(good.has("Game.GameField.Cube_168"));
  EXPECT_EQ(good.getInt("Game.GameField.Cube_0", -1), 0);
  AGameField b(nullptr, 0, 0);
  ASSERT_TRUE(b.LoadFrom(good));
  EXPECT_EQ(boardRows(b), boardRows(board));
  EXPECT_EQ(b.Score, 4321);
  EXPECT_EQ(b.Count, 3);
  EXPECT_EQ(b.FinalCount, 2);
  EXPECT_EQ(b.VV, 18);
  EXPECT_EQ(b.Rules, 1);
  EXPECT_EQ(b.GameMode, 2);
  EXPECT_EQ(b.currentColorRight, board.currentColorRight);
  EXPECT_EQ(b.nextColorLeft, board.nextColorLeft);
  // Colours in play are the colours on the board.
  for (int c = 1; c <= kColors; ++c) {
    bool onBoard = false;
    for (int i = 0; i < kCells; ++i) onBoard = onBoard || (b.CubeAt(i) && b.CubeAt(i)->color == c);
    EXPECT_EQ(b.colorAvailable[c], onBoard);
  }
  std::ofstream(zbtest::fuzzSeedDir("fuzz_tessel_state") + "/saved.txt") << good.write();
}

TEST_F(State, LoadRefusesWhatCannotBeAGameAndKeepsTheBoard) {
  auto with = [this](const std::string& key, int value) {
    OConfig t = good;
    t.setInt("Game.GameField." + key, value);
    return t;
  };
  OConfig missing = good;
  OConfig::ValueMap values = good.values();
  values.erase("Game.GameField.Cube_77");
  missing.clearAll();
  for (const auto& [k, v] : values) missing.setRaw(k, v);
  expectRefused(missing, "missing cell");
  expectRefused(with("Count", 9), "Count above maxcount");
  expectRefused(with("Count", -1), "negative Count");
  expectRefused(with("maxcountforlevel", 13), "maxcountforlevel");
  expectRefused(with("currentColorRigth", 7), "colour");
  expectRefused(with("nextColorDown", 0), "next colour");
  expectRefused(with("Rules", 4), "Rules");
  expectRefused(with("GameMode", 3), "GameMode");
  expectRefused(with("Score", 10000000), "Score");
  expectRefused(with("NewCubes", 3), "NewCubes");
  expectRefused(with("VV", 37), "VV");
  expectRefused(with("Cube_20", 7), "cell colour");
  expectRefused(with("Cube_13", 2), "cube on the ring");
  // Unicolor needs one colour on every side.
  OConfig uni = good;
  for (const char* side : {"Rigth", "Left", "Up", "Down"}) {
    uni.setInt(std::string("Game.GameField.currentColor") + side, 2);
    uni.setInt(std::string("Game.GameField.nextColor") + side, 3);
  }
  uni.setInt("Game.GameField.Rules", 0);
  AGameField b(nullptr, 1, 1);
  EXPECT_TRUE(b.LoadFrom(uni));
  uni.setInt("Game.GameField.currentColorLeft", 4);
  expectRefused(uni, "Unicolor with two current colours");
  uni.setInt("Game.GameField.currentColorLeft", 2);
  uni.setInt("Game.GameField.nextColorUp", 4);
  expectRefused(uni, "Unicolor with two next colours");
}

TEST_F(State, SnapshotRoundTripsAndAcceptsTheRawSlowestSpeed) {
  std::vector<int> snap;
  board.VV = 0;  // the raw speed setting 0 stands here at a game's start
  board.WriteSnapshot(snap);
  ASSERT_EQ(snap.size(), 19u + 169u);
  EXPECT_EQ(snap[17], 13);
  std::ofstream(zbtest::fuzzSeedDir("fuzz_tessel_state") + "/snapshot.txt") << "#" << snapshotText(snap);
  AGameField b(nullptr, 0, 0);
  std::istringstream in(snapshotText(snap));
  ASSERT_TRUE(b.ReadSnapshot(in));
  EXPECT_EQ(boardRows(b), boardRows(board));
  EXPECT_EQ(b.Score, 4321);
  EXPECT_GE(b.VV, 1);
  EXPECT_FALSE(shared().saveDamaged);

  auto refused = [&](std::vector<int> values, const char* what) {
    shared().saveDamaged = false;
    AGameField c(nullptr, 2, 0);
    std::istringstream s(snapshotText(values));
    EXPECT_FALSE(c.ReadSnapshot(s)) << what;
    EXPECT_TRUE(shared().saveDamaged) << what;
    EXPECT_EQ(c.CubeCount(), 0) << what;
  };
  auto changed = [&](size_t at, int value) {
    std::vector<int> v = snap;
    v[at] = value;
    return v;
  };
  refused(changed(15, -1), "negative speed");
  refused(changed(17, 12), "other width");
  refused(changed(18, 0), "no rows");
  refused(changed(12, 9), "unknown variant");
  refused(changed(19 + 40, 8), "cell colour");
  refused(std::vector<int>(snap.begin(), snap.begin() + 100), "cut short");
  shared().saveDamaged = false;
  AGameField c(nullptr, 2, 0);
  std::istringstream garbage("12 12 x");
  EXPECT_FALSE(c.ReadSnapshot(garbage));
  std::istringstream huge("99999999999999999999 1 1");
  EXPECT_FALSE(c.ReadSnapshot(huge));
}

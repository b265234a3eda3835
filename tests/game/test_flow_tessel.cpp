#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "game/AGameWnd.h"
#include "platform/KeyCodes.h"
#include "storage/OConfig.h"
#include "storage/Settings.h"
#include "tessel/AGameField.h"
#include "tessel/AMyButton.h"
#include "tessel/ATesselOptionsWnd.h"
#include "tessel/ATesselGame.h"
#include "tests/game/FlowRig.h"
#include "tests/support/TestSupport.h"
#include "ui/AClipString.h"
#include "ui/OClipButton.h"

namespace {

using flowtest::FlowRig;
using SpaceTessel::ATesselGame;
using SpaceTessel::shared;

struct BoardState {
  std::vector<int> cells;
  int score = 0;
  int count = 0;
  bool operator==(const BoardState&) const = default;
};

BoardState stateOf(const SpaceTessel::AGameField& b) {
  BoardState s;
  for (int r = 0; r < SpaceTessel::kSize; ++r)
    for (int c = 0; c < SpaceTessel::kSize; ++c) s.cells.push_back(b.ColorAt(r, c));
  s.score = b.Score;
  s.count = b.Count;
  return s;
}

ATesselGame* tessel(FlowRig& rig) { return dynamic_cast<ATesselGame*>(rig.main()->game()); }

bool idle(ATesselGame& g) { return !g.moveInProgress() && shared().noDyingCubes && !shared().cubesFadingIn; }

// Picks a Tessel variant and starts a fresh game at the given level, fast.
ATesselGame* startTessel(FlowRig& rig, int kind, int level) {
  if (!rig.pick(kind) || !rig.waitPlaying()) return nullptr;
  ATesselGame* g = tessel(rig);
  if (!g) return nullptr;
  g->level = level;
  g->speed = 5;
  rig.main()->newGameNeeded = true;
  rig.run(60);
  return rig.runUntil([&] { return idle(*g); }) ? g : nullptr;
}

// The k-th launch button in list order, wrapping.
SpaceTessel::AMyButton* nthButton(ATesselGame& g, int k) {
  std::vector<SpaceTessel::AMyButton*> all;
  for (int list = 0; list < ATesselGame::kListCount; ++list)
    for (int line = 1; line <= 11; ++line)
      if (auto* b = g.button(list, line)) all.push_back(b);
  return all.empty() ? nullptr : all[size_t(k) % all.size()];
}

// Launches through the lines in turn until the game is over; the board after every move.
std::vector<BoardState> playToEnd(FlowRig& rig, ATesselGame& g) {
  std::vector<BoardState> states;
  for (int k = 0; rig.main()->state() != AMainWnd::kGameOverShown && k < 500; k += 7) {
    SpaceTessel::AMyButton* b = nthButton(g, k);
    if (!b) break;
    g.launch(b);
    EXPECT_TRUE(g.moveInProgress());
    if (!rig.runUntil([&] { return idle(g); })) break;
    if (g.board()) states.push_back(stateOf(*g.board()));
  }
  return states;
}

// Watches a replay and the board after every move it makes.
std::vector<BoardState> watchReplay(FlowRig& rig, ATesselGame& g, size_t moves) {
  std::vector<BoardState> seen;
  bool wasMoving = false;
  rig.runUntil([&] {
    if (wasMoving && !g.moveInProgress() && g.board()) seen.push_back(stateOf(*g.board()));
    wasMoving = g.moveInProgress();
    return seen.size() >= moves || !g.replaying();
  }, int(moves) * 4000 + 5000);
  return seen;
}

void playEveryVariant(FlowRig& rig, std::vector<std::string>& records);

TEST(FlowTessel, EveryVariantPlaysToTheEndAndItsReplayRetracesIt) {
  if (!flowtest::haveData()) GTEST_SKIP() << "no data pack";
  std::vector<std::string> records;
  // Real records seed the fuzzing of records read from disk (the rig works
  // in a folder of its own, so the seeds are written once it is gone).
  std::string seeds = zbtest::fuzzSeedDir("fuzz_tessel_replay");
  auto rig = std::make_unique<FlowRig>();
  playEveryVariant(*rig, records);
  rig.reset();
  for (size_t k = 0; k < records.size(); ++k)
    zbtest::writeBytes(seeds + "/game" + std::to_string(k), std::vector<unsigned char>(records[k].begin(), records[k].end()));
  EXPECT_EQ(records.size(), 4u);
}

void playEveryVariant(FlowRig& rig, std::vector<std::string>& records) {
  ASSERT_TRUE(rig.start());
  for (int kind = 0; kind < 4; ++kind) {
    if (kind > 0) {
      rig.main()->requestScreen(ScreenId::PickGame);
    }
    ATesselGame* g = startTessel(rig, kind, 2);
    ASSERT_NE(g, nullptr) << kind;
    EXPECT_FALSE(g->canReplay());
    std::vector<BoardState> played = playToEnd(rig, *g);
    ASSERT_EQ(rig.main()->state(), AMainWnd::kGameOverShown) << kind;
    ASSERT_GT(played.size(), 3u);
    std::printf("kind %d: %zu moves, score %d\n", kind, played.size(), played.back().score);
    ASSERT_TRUE(g->canReplay());
    EXPECT_FALSE(g->undoShown());
    EXPECT_EQ(g->oldGame(), g->replayBuffer().text());
    records.push_back(g->oldGame());
    // Past the game-over screens, back on the board.
    rig.main()->setState(AMainWnd::kPlaying);
    g->startReplay(true);
    ASSERT_TRUE(g->replaying());
    std::vector<BoardState> replayed = watchReplay(rig, *g, played.size());
    ASSERT_EQ(replayed.size(), played.size()) << kind;
    for (size_t m = 0; m < played.size(); ++m) ASSERT_EQ(replayed[m], played[m]) << "kind " << kind << " move " << m;
    // The replay starts over once its last board was seen.
    rig.run(2000);
    EXPECT_TRUE(g->replaying());
    rig.shot("tessel_replay_" + std::to_string(kind));
    g->stopReplay(false);
    rig.main()->newGameNeeded = true;
    rig.run(60);
  }
}

TEST(FlowTessel, UndoTakesBackTheLaunchAndItsRecord) {
  if (!flowtest::haveData()) GTEST_SKIP() << "no data pack";
  FlowRig rig;
  ASSERT_TRUE(rig.start());
  ATesselGame* g = startTessel(rig, 1, 0);
  ASSERT_NE(g, nullptr);
  EXPECT_EQ(g->replayBuffer().size(), 188u);  // the opening snapshot
  g->launch(nthButton(*g, 3));
  ASSERT_TRUE(rig.runUntil([&] { return idle(*g); }));
  EXPECT_EQ(g->replayBuffer().size(), 200u);
  size_t before = g->replayBuffer().size();
  BoardState board = stateOf(*g->board());
  g->launch(nthButton(*g, 20));
  ASSERT_TRUE(rig.runUntil([&] { return idle(*g); }));
  EXPECT_GT(g->replayBuffer().size(), before);
  ASSERT_TRUE(g->undoShown());
  // The player clicks the caption.
  const AClipString* undo = g->undoCaption();
  rig.click(undo->x() + undo->width() / 2, undo->y() + undo->height() / 2);
  rig.run(300);
  EXPECT_FALSE(g->undoShown());
  EXPECT_FALSE(g->undoAvailable());
  EXPECT_EQ(g->replayBuffer().size(), before);
  EXPECT_EQ(stateOf(*g->board()), board);
  EXPECT_EQ(g->buttonCount() > 0, true);
  rig.shot("tessel_after_undo");

  // A new picture set for the first colour keeps the board as it stands.
  OClipButton* options = rig.main()->button(AMainWnd::kOptions);
  rig.click(int(options->x) + options->width / 2, int(options->y) + options->height / 2);
  ASSERT_TRUE(rig.runUntil([&] { return rig.current() == g->optionsScreen(); }));
  rig.settle();
  auto* screen = static_cast<SpaceTessel::ATesselOptionsWnd*>(rig.current());
  const OClip* sample = screen->sample(0);
  ASSERT_NE(sample, nullptr);
  rig.click(screen->x() + int(sample->x) + 19, screen->y() + int(sample->y) + 19);
  EXPECT_EQ(screen->skin(0), 1);
  ASSERT_TRUE(rig.clickText("OK"));
  ASSERT_TRUE(rig.waitPlaying());
  EXPECT_EQ(g->skins[0], 1);
  EXPECT_EQ(stateOf(*g->board()), board);
  EXPECT_GT(g->buttonCount(), 0);
  rig.shot("tessel_new_skin");
}

TEST(FlowTessel, ADemoStartedWhileALaunchFliesKeepsTheRecordInStep) {
  if (!flowtest::haveData()) GTEST_SKIP() << "no data pack";
  FlowRig rig;
  ASSERT_TRUE(rig.start());
  ATesselGame* g = startTessel(rig, 1, 0);
  ASSERT_NE(g, nullptr);
  BoardState board = stateOf(*g->board());
  // Launch, Escape at once, Menu -> Demo.
  g->launch(nthButton(*g, 3));
  ASSERT_TRUE(g->moveInProgress());
  rig.key(zb::vk::Escape);
  ASSERT_TRUE(rig.runUntil([&] { return rig.isCurrent(ScreenId::Menu); }));
  rig.settle();
  ASSERT_TRUE(rig.clickText("Demo"));
  ASSERT_TRUE(rig.waitPlaying());
  ASSERT_TRUE(g->demo());
  rig.run(3000);
  rig.click(300, 300);
  EXPECT_FALSE(g->demo());
  ASSERT_TRUE(rig.runUntil([&] { return idle(*g); }));
  // The game is back where it was before the launch, its record whole.
  EXPECT_EQ(stateOf(*g->board()), board);
  EXPECT_EQ(g->replayBuffer().size(), 188u);
  g->launch(nthButton(*g, 3));
  ASSERT_TRUE(rig.runUntil([&] { return idle(*g); }));
  EXPECT_EQ(g->replayBuffer().size(), 200u);
}

TEST(FlowTessel, ALastGameThatIsNoRecordIsDropped) {
  if (!flowtest::haveData()) GTEST_SKIP() << "no data pack";
  zbtest::TempDir home;
  const std::string file = home.path() + "/save/Tessel_0.sav";
  OConfig tree;
  tree.setString("Game.OldGame", "188 " + std::string(20000, 'x'));
  std::filesystem::create_directories(home.path() + "/save");
  ASSERT_TRUE(tree.saveEncrypted(file, zb::kSaveKeyText));
  FlowRig rig(home.path());
  ASSERT_TRUE(rig.start());
  ASSERT_TRUE(rig.pick(0));
  ASSERT_TRUE(rig.waitPlaying());
  ATesselGame* g = tessel(rig);
  ASSERT_NE(g, nullptr);
  EXPECT_FALSE(g->canReplay());
  rig.stop();
  ASSERT_TRUE(tree.loadEncrypted(file, zb::kSaveKeyText));
  EXPECT_TRUE(tree.getString("Game.OldGame", "?").empty());
}

TEST(FlowTessel, ASecondStartContinuesTheBoardAndABrokenRecordStopsTheReplay) {
  if (!flowtest::haveData()) GTEST_SKIP() << "no data pack";
  zbtest::TempDir home;
  BoardState saved;
  std::string oldGame;
  size_t moves = 0;
  {
    FlowRig rig(home.path());
    ASSERT_TRUE(rig.start());
    ATesselGame* g = startTessel(rig, 3, 2);
    ASSERT_NE(g, nullptr);
    moves = playToEnd(rig, *g).size();
    oldGame = g->oldGame();
    rig.main()->setState(AMainWnd::kPlaying);
    rig.main()->newGameNeeded = true;
    rig.run(60);
    ASSERT_TRUE(rig.runUntil([&] { return idle(*g); }));
    for (int k = 0; k < 3; ++k) {
      g->launch(nthButton(*g, k * 5));
      ASSERT_TRUE(rig.runUntil([&] { return idle(*g); }));
    }
    saved = stateOf(*g->board());
    rig.stop();
  }
  const std::string file = home.path() + "/save/Tessel_3.sav";
  OConfig tree;
  ASSERT_TRUE(tree.loadEncrypted(file, zb::kSaveKeyText));
  EXPECT_EQ(tree.getString("Game.OldGame"), oldGame);
  {
    FlowRig rig(home.path());
    ASSERT_TRUE(rig.start());
    ASSERT_TRUE(rig.pick(3));
    ASSERT_TRUE(rig.waitPlaying());
    ATesselGame* g = tessel(rig);
    ASSERT_NE(g, nullptr);
    EXPECT_FALSE(rig.main()->newGameNeeded);
    ASSERT_NE(g->board(), nullptr);
    EXPECT_EQ(stateOf(*g->board()), saved);
    EXPECT_EQ(g->score, saved.score);
    EXPECT_EQ(g->oldGame(), oldGame);
    rig.stop();
  }
  // The record of the last game cut in the middle of its third move.
  std::string cut = oldGame;
  size_t at = 0;
  for (int values = 0; values < 188 + 12 * 2 + 5 && at < cut.size(); ++values) at = cut.find(' ', at) + 1;
  tree.setString("Game.OldGame", cut.substr(0, at));
  // And a running game whose own record is garbage.
  tree.setString("Game.CurrentGameReplay", "1 2 three");
  ASSERT_TRUE(tree.saveEncrypted(file, zb::kSaveKeyText));
  // And a picture set that does not exist.
  OConfig options;
  options.setInt("Game.Options.SkinsQuantity", 6);
  options.setInt("Game.Options.Skin_0", 99);
  ASSERT_TRUE(options.saveEncrypted(home.path() + "/save/Tessel.sav", zb::kSaveKeyText));
  {
    FlowRig rig(home.path());
    ASSERT_TRUE(rig.start());
    ASSERT_TRUE(rig.pick(3));
    ASSERT_TRUE(rig.waitPlaying());
    ATesselGame* g = tessel(rig);
    ASSERT_NE(g, nullptr);
    rig.run(60);
    // A damaged save starts a new game.
    ASSERT_NE(g->board(), nullptr);
    EXPECT_EQ(g->board()->CubeCount(), 61);
    EXPECT_EQ(g->score, 0);
    EXPECT_EQ(g->skins[0], 5);
    ASSERT_TRUE(g->canReplay());
    g->startReplay(true);
    std::vector<BoardState> seen = watchReplay(rig, *g, moves);
    EXPECT_FALSE(g->replaying());
    EXPECT_LE(seen.size(), 2u);
    // Back on the game that was running before the replay.
    ASSERT_NE(g->board(), nullptr);
    EXPECT_EQ(g->board()->CubeCount(), 61);
    EXPECT_GT(g->buttonCount(), 0);
    rig.stop();
  }
}

}  // namespace

// Tessel's tray picture is held only while Tessel plays; the sand comes back after.
TEST(FlowTessel, TheTrayIsHeldOnlyWhileTesselPlays) {
  if (!flowtest::haveData()) GTEST_SKIP() << "no data pack";
  FlowRig rig;
  ASSERT_TRUE(rig.start());
  // Full-board pictures at the background depth, and those shown.
  auto backgrounds = [&](bool shownOnly) {
    int n = 0;
    for (const OClip* c : rig.main()->clips())
      if (c->z == 800 && c->width >= 600 && (c->visible || !shownOnly)) ++n;
    return n;
  };
  EXPECT_EQ(backgrounds(false), 1);
  ASSERT_NE(startTessel(rig, 1, 0), nullptr);
  EXPECT_EQ(backgrounds(false), 2);
  EXPECT_EQ(backgrounds(true), 1);
  rig.key(zb::vk::Escape);
  ASSERT_TRUE(rig.runUntil([&] { return rig.isCurrent(ScreenId::Menu); }));
  ASSERT_TRUE(rig.clickText("Pick Game"));
  ASSERT_TRUE(rig.runUntil([&] { return rig.isCurrent(ScreenId::PickGame); }));
  rig.settle();
  ASSERT_TRUE(rig.pick(4));
  ASSERT_TRUE(rig.waitPlaying());
  EXPECT_EQ(backgrounds(false), 1);
  EXPECT_EQ(backgrounds(true), 1);
}

#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

#include "game/AGameWnd.h"
#include "platform/KeyCodes.h"
#include "sinkra/AMyGame.h"
#include "sinkra/CGameField.h"
#include "sinkra/CPiece.h"
#include "storage/Container.h"
#include "tests/game/FlowRig.h"
#include "tests/support/TestSupport.h"
#include "ui/APickGameWnd.h"
#include "ui/OClipButton.h"

namespace {

namespace fs = std::filesystem;
using flowtest::FlowRig;

std::vector<int> colours(const SpaceSinkra::CGameField& field) {
  std::vector<int> out;
  for (int i = 0; i < field.grid().size(); ++i) {
    const SpaceSinkra::CPiece* p = field.grid().at(i);
    out.push_back(p ? p->colour : -1);
  }
  return out;
}

void clickExit(FlowRig& rig) {
  OClipButton* exit = rig.main()->button(AMainWnd::kExit);
  rig.click(int(exit->x) + exit->width / 2, int(exit->y) + exit->height / 2);
  rig.runUntil([&] { return rig.ended(); }, 3000);
  rig.stop();
}

TEST(FlowRestore, ASecondStartContinuesTheSavedGame) {
  if (!flowtest::haveData()) GTEST_SKIP() << "no data pack";
  zbtest::TempDir home;
  int savedScore = 0;
  std::vector<int> savedBoard;
  {
    FlowRig rig(home.path());
    ASSERT_TRUE(rig.start());
    ASSERT_TRUE(rig.pick(7));
    ASSERT_TRUE(rig.waitPlaying());
    ASSERT_TRUE(rig.playMoves(3));
    auto* game = static_cast<SpaceSinkra::AMyGame*>(rig.main()->game());
    // Paused, the board stands still while it is read and the game is left.
    rig.key(zb::vk::Pause);
    ASSERT_TRUE(rig.runUntil([&] { return game->current()->idle() && !game->current()->anyMoving(); }));
    savedScore = game->score;
    savedBoard = colours(*game->current());
    EXPECT_GT(savedScore, 0);
    clickExit(rig);
    ASSERT_TRUE(rig.ended());
  }
  ASSERT_TRUE(fs::exists(fs::path(home.path()) / "save" / "Sinkra_1.sav"));
  {
    FlowRig rig(home.path());
    ASSERT_TRUE(rig.start());
    ASSERT_TRUE(rig.runUntil([&] { return rig.isCurrent(ScreenId::PickGame); }, 9000));
    // The pick-game screen offers the variant of the last run.
    EXPECT_EQ(static_cast<APickGameWnd*>(rig.current())->current(), 7);
    rig.settle();
    ASSERT_TRUE(rig.clickText("Play!"));
    ASSERT_TRUE(rig.waitPlaying());
    auto* game = static_cast<SpaceSinkra::AMyGame*>(rig.main()->game());
    ASSERT_NE(game, nullptr);
    EXPECT_EQ(game->kind, 1);
    EXPECT_FALSE(rig.main()->newGameNeeded);
    EXPECT_EQ(game->score, savedScore);
    EXPECT_EQ(colours(*game->current()), savedBoard);
    rig.run(900);
    rig.shot("flow2_continued");
    clickExit(rig);
  }
}

TEST(FlowRestore, DamagedSettingsAndSavedGameStartWithDefaults) {
  if (!flowtest::haveData()) GTEST_SKIP() << "no data pack";
  zbtest::TempDir home;
  std::vector<unsigned char> junk(300);
  for (size_t i = 0; i < junk.size(); ++i) junk[i] = static_cast<unsigned char>(i * 37 + 11);
  zbtest::writeBytes(home.file("zenbox.cfg"), junk);
  fs::create_directories(fs::path(home.path()) / "save");
  zbtest::writeBytes(home.file("save/Sinkra_1.sav"), junk);
  // A well-formed container holding nonsense is no better.
  ASSERT_TRUE(SaveEncryptedText(home.file("save/Sinkra.sav"), "Game = { Options = { Speed=99 ", "TideMarsh"));
  FlowRig rig(home.path());
  ASSERT_TRUE(rig.start());
  AMainWnd* main = rig.main();
  EXPECT_EQ(main->settings().playerName, "Anonymous");
  EXPECT_TRUE(main->settings().globalAutosave);
  EXPECT_EQ(main->settings().gameIndex, 255);
  ASSERT_TRUE(rig.pick(7));
  ASSERT_TRUE(rig.waitPlaying());
  rig.run(300);
  AGameWnd* game = main->game();
  ASSERT_NE(game, nullptr);
  EXPECT_FALSE(main->newGameNeeded);
  EXPECT_EQ(game->score, 0);
  EXPECT_EQ(game->speed, 3);
  EXPECT_GT(static_cast<SpaceSinkra::AMyGame*>(game)->current()->blockCount(), 0);
  EXPECT_TRUE(rig.platform.messages.empty());
  rig.shot("flow4_damaged");
  clickExit(rig);
  EXPECT_TRUE(rig.ended());
}

}  // namespace

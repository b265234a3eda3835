#include <gtest/gtest.h>

#include <filesystem>

#include "app/AMenuWnd.h"
#include "game/AGameOverWnd.h"
#include "game/AGameWnd.h"
#include "game/ATop10Wnd.h"
#include "game/GameCatalog.h"
#include "platform/KeyCodes.h"
#include "sinkra/AMyGame.h"
#include "sinkra/CGameField.h"
#include "sinkra/CGlobal.h"
#include "tests/game/FlowRig.h"
#include "ui/AClipString.h"
#include "ui/APickGameWnd.h"
#include "ui/OClipButton.h"
#include "ui/OClipEdit.h"

namespace {

namespace fs = std::filesystem;
using flowtest::FlowRig;

// Screen point of the middle of a board cell.
void cellPoint(const SpaceSinkra::CGameField& field, int cell, int& x, int& y) {
  x = int(field.cellX(cell) + field.cellSize() / 2);
  y = int(field.cellY(cell) + field.cellSize() / 2);
}

// A cell in a group of two or more, or -1.
int groupCell(SpaceSinkra::CGameField& field) {
  for (int i = 0; i < field.grid().size(); ++i) {
    if (field.groupSize(i) >= 2) return i;
  }
  return -1;
}

TEST(FlowFirstStart, FromIntroToTop10AndBack) {
  if (!flowtest::haveData()) GTEST_SKIP() << "no data pack";
  FlowRig rig;
  ASSERT_FALSE(fs::exists(fs::path(rig.home()) / "zenbox.cfg"));
  ASSERT_TRUE(rig.start());
  EXPECT_EQ(rig.current(), rig.window.app().introScreen.get());
  rig.run(600);
  rig.shot("flow1_01_intro");

  // The intro gives way to the pick-game screen over the covered main screen.
  ASSERT_TRUE(rig.runUntil([&] { return rig.isCurrent(ScreenId::PickGame); }, 9000));
  auto* pick = static_cast<APickGameWnd*>(rig.current());
  int preselected = pick->current();
  EXPECT_TRUE(preselected == 0 || preselected == 1 || preselected == 6 || preselected == 4 ||
              preselected == 9 || preselected == 11)
      << preselected;
  rig.run(1500);
  rig.shot("flow1_02_pick");
  const zb::PickRadio& adv = zb::pickRadio(7);
  rig.click(pick->x() + adv.boxX + 15, pick->y() + adv.boxY + 15);
  EXPECT_EQ(pick->selected(), 7);
  ASSERT_TRUE(rig.clickText("Play!"));

  // The curtain rises on a Sinkra adv board.
  AMainWnd* main = rig.main();
  ASSERT_TRUE(rig.runUntil([&] { return main->state() == AMainWnd::kPlaying && main->tilesShown() == 0; }));
  ASSERT_NE(main->game(), nullptr);
  EXPECT_EQ(main->family(), zb::kFamilySinkra);
  EXPECT_EQ(main->game()->kind, 1);
  auto* game = static_cast<SpaceSinkra::AMyGame*>(main->game());
  SpaceSinkra::CGameField& field = *game->current();
  EXPECT_GT(field.blockCount(), 0);
  rig.run(600);
  rig.shot("flow1_03_board");

  // A few moves score.
  for (int move = 0; move < 3; ++move) {
    ASSERT_TRUE(rig.runUntil([&] { return field.idle(); }));
    int cell = groupCell(field);
    ASSERT_GE(cell, 0);
    int x = 0, y = 0;
    cellPoint(field, cell, x, y);
    rig.click(x, y);
    rig.run(1500);
  }
  EXPECT_GT(game->score, 0);
  rig.shot("flow1_04_scored");

  // Pause and resume.
  rig.key(zb::vk::Pause);
  EXPECT_TRUE(game->paused());
  rig.run(300);
  rig.shot("flow1_05_paused");
  rig.click(300, 300);
  EXPECT_FALSE(game->paused());

  // A demo from the menu, left by a click.
  ASSERT_NE(main->menuText(), nullptr);
  const AClipString* menu = main->menuText();
  rig.click(menu->x() + menu->width() / 2, menu->y() + menu->height() / 2);
  ASSERT_TRUE(rig.runUntil([&] { return rig.isCurrent(ScreenId::Menu); }));
  rig.run(1200);
  rig.shot("flow1_06_menu");
  ASSERT_TRUE(rig.clickText("Demo"));
  ASSERT_TRUE(rig.runUntil([&] { return rig.current() == main && main->state() == AMainWnd::kPlaying; }));
  EXPECT_TRUE(game->demo());
  rig.run(4000);
  rig.shot("flow1_07_demo");
  rig.click(300, 300);
  EXPECT_FALSE(game->demo());

  // Left alone, the rows rise until the board is full: game over.
  ASSERT_TRUE(rig.runUntil([&] { return main->state() == AMainWnd::kGameOverShown; }, 15 * 60 * 1000));
  int finalScore = game->score;
  EXPECT_GT(finalScore, 0);
  rig.run(1500);
  rig.shot("flow1_08_gameover_text");
  rig.click(300, 300);
  ASSERT_TRUE(rig.runUntil([&] { return rig.isCurrent(ScreenId::GameOver); }));
  auto* over = static_cast<AGameOverWnd*>(rig.current());
  EXPECT_TRUE(over->qualified());
  ASSERT_NE(over->nameField(), nullptr);
  EXPECT_EQ(over->nameField()->text(), "Anonymous");
  rig.run(1500);
  for (int i = 0; i < 12; ++i) rig.key(zb::vk::Backspace);
  rig.key(zb::vk::End);
  for (int i = 0; i < 12; ++i) {
    zb::WindowEvent bs{zb::WindowEvent::Char};
    bs.ch = 8;
    rig.platform.push(bs);
  }
  rig.type("Tester");
  EXPECT_EQ(over->nameField()->text(), "Tester");
  rig.shot("flow1_09_name");
  rig.key(zb::vk::Enter);

  // The Top 10 shows the new name.
  ASSERT_TRUE(rig.runUntil([&] { return rig.isCurrent(ScreenId::Top10); }));
  rig.run(1500);
  rig.shot("flow1_10_top10");
  auto* top = static_cast<ATop10Wnd*>(rig.current());
  ASSERT_GE(top->rowTexts().size(), 2u);
  EXPECT_EQ(top->rowTexts()[0]->text(), "Tester");
  EXPECT_EQ(main->settings().playerName, "Tester");
  ASSERT_TRUE(rig.clickText("Play!"));
  ASSERT_TRUE(rig.runUntil([&] { return rig.current() == main && main->state() == AMainWnd::kPlaying; }));
  rig.run(600);
  EXPECT_FALSE(main->newGameNeeded);

  // The exit button quits at once with autosave on.
  OClipButton* exit = main->button(AMainWnd::kExit);
  ASSERT_NE(exit, nullptr);
  rig.click(int(exit->x) + exit->width / 2, int(exit->y) + exit->height / 2);
  ASSERT_TRUE(rig.runUntil([&] { return rig.ended(); }, 2000));
  rig.stop();
  EXPECT_TRUE(fs::exists(fs::path(rig.home()) / "zenbox.cfg"));
  EXPECT_TRUE(fs::exists(fs::path(rig.home()) / "save" / "Sinkra_1.sav"));
  EXPECT_TRUE(fs::exists(fs::path(rig.home()) / "save" / "Sinkra.sav"));
}

}  // namespace

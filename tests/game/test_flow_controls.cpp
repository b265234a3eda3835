#include <gtest/gtest.h>

#include <filesystem>

#include "app/AHelpWnd.h"
#include "audio/OMusic.h"
#include "game/ATop10Wnd.h"
#include "game/AGameWnd.h"
#include "platform/KeyCodes.h"
#include "sinkra/AMyGame.h"
#include "sinkra/CGameField.h"
#include "tests/game/FlowRig.h"
#include "ui/AClipString.h"
#include "ui/AOptionsWnd.h"
#include "ui/OClipButton.h"
#include "ui/OClipCheckBox.h"

namespace {

using flowtest::FlowRig;

void clickButton(FlowRig& rig, int b) {
  OClipButton* button = rig.main()->button(b);
  rig.click(int(button->x) + button->width / 2, int(button->y) + button->height / 2);
}

TEST(FlowControls, DemoFromThePickGameScreenEndsOnAClick) {
  if (!flowtest::haveData()) GTEST_SKIP() << "no data pack";
  FlowRig rig;
  ASSERT_TRUE(rig.start());
  ASSERT_TRUE(rig.runUntil([&] { return rig.isCurrent(ScreenId::PickGame); }, 9000));
  rig.settle();
  rig.click(rig.current()->x() + 35 + 15, rig.current()->y() + 180 + 15);  // Collector
  ASSERT_TRUE(rig.clickText("Demo!"));
  ASSERT_TRUE(rig.waitPlaying());
  AGameWnd* game = rig.main()->game();
  ASSERT_NE(game, nullptr);
  EXPECT_EQ(game->kind, 0);
  EXPECT_TRUE(game->demo());
  // The computer plays on its own.
  auto* field = static_cast<SpaceSinkra::AMyGame*>(game)->current();
  int before = field->blockCount();
  rig.run(6000);
  EXPECT_LT(field->blockCount(), before);
  rig.click(300, 300);
  EXPECT_FALSE(game->demo());
  rig.run(300);
  EXPECT_EQ(game->score, 0);
}

TEST(FlowControls, EveryWayOutAsksFirstWhenAutosaveIsOff) {
  if (!flowtest::haveData()) GTEST_SKIP() << "no data pack";
  FlowRig rig;
  ASSERT_TRUE(rig.start());
  ASSERT_TRUE(rig.pick(4));
  ASSERT_TRUE(rig.waitPlaying());
  rig.main()->settings().globalAutosave = false;
  auto answer = [&](const char* choice) {
    ASSERT_TRUE(rig.runUntil([&] { return rig.isCurrent(ScreenId::Exit); }));
    rig.settle();
    ASSERT_TRUE(rig.clickText(choice));
  };
  // The panel button.
  clickButton(rig, AMainWnd::kExit);
  answer("No");
  ASSERT_TRUE(rig.waitPlaying());
  EXPECT_FALSE(rig.window.app().quitRequested);
  // The menu's "Exit".
  rig.key(zb::vk::Escape);
  ASSERT_TRUE(rig.runUntil([&] { return rig.isCurrent(ScreenId::Menu); }));
  rig.settle();
  ASSERT_TRUE(rig.clickText("Exit"));
  ASSERT_TRUE(rig.runUntil([&] { return rig.isCurrent(ScreenId::Exit); }));
  rig.settle();
  rig.shot("exit_question_from_menu");
  answer("No");
  ASSERT_TRUE(rig.waitPlaying());
  EXPECT_FALSE(rig.window.app().quitRequested);
  // The window's close (the frame's button sends it twice: one question).
  rig.platform.push(zb::WindowEvent{zb::WindowEvent::CloseRequest});
  rig.platform.push(zb::WindowEvent{zb::WindowEvent::CloseRequest});
  rig.run(300);
  EXPECT_FALSE(rig.ended());
  answer("Yes");
  EXPECT_TRUE(rig.runUntil([&] { return rig.ended(); }, 5000));
}

TEST(FlowControls, NewGameButtonAsksDuringAGame) {
  if (!flowtest::haveData()) GTEST_SKIP() << "no data pack";
  FlowRig rig;
  ASSERT_TRUE(rig.start());
  ASSERT_TRUE(rig.pick(5));
  ASSERT_TRUE(rig.waitPlaying());
  ASSERT_TRUE(rig.playMoves(2));
  AGameWnd* game = rig.main()->game();
  ASSERT_GT(game->score, 0);
  clickButton(rig, AMainWnd::kNewGame);
  ASSERT_TRUE(rig.runUntil([&] { return rig.isCurrent(ScreenId::Restart); }));
  ASSERT_TRUE(rig.clickText("Yes"));
  ASSERT_TRUE(rig.waitPlaying());
  rig.run(300);
  EXPECT_EQ(game->score, 0);
  EXPECT_FALSE(rig.main()->newGameNeeded);
}

TEST(FlowControls, FocusLossPausesAndHelpPages) {
  if (!flowtest::haveData()) GTEST_SKIP() << "no data pack";
  FlowRig rig;
  ASSERT_TRUE(rig.start());
  ASSERT_TRUE(rig.pick(7));
  ASSERT_TRUE(rig.waitPlaying());
  AGameWnd* game = rig.main()->game();
  rig.platform.focus = false;
  rig.run(90);
  EXPECT_TRUE(game->paused());
  EXPECT_FALSE(rig.main()->music()->playing());
  rig.platform.focus = true;
  rig.run(90);
  EXPECT_TRUE(game->paused());
  EXPECT_TRUE(rig.main()->music()->playing());
  rig.click(300, 300);
  EXPECT_FALSE(game->paused());
  // Pausing stops the music, and it stays stopped while the window keeps the focus.
  rig.key(zb::vk::Pause);
  ASSERT_TRUE(game->paused());
  rig.run(300);
  EXPECT_FALSE(rig.main()->music()->playing());
  rig.click(300, 300);
  EXPECT_TRUE(rig.main()->music()->playing());

  // Help opens at the page of the game played: "Sinkra: Sinkra and Sinkra adv".
  rig.key(zb::vk::F1);
  ASSERT_TRUE(rig.runUntil([&] { return rig.isCurrent(ScreenId::Help); }));
  auto* help = static_cast<AHelpWnd*>(rig.current());
  EXPECT_GT(help->pageCount(), 3);
  EXPECT_EQ(help->page(), 2);
  rig.settle();
  rig.shot("flow_help");
  ASSERT_TRUE(rig.clickText("Next"));
  rig.run(600);
  EXPECT_EQ(help->page(), 3);
  // Keys wait until the clicked text has flown back in.
  rig.settle();
  // The last page offers no "Next", the first no "Back"; both come back.
  for (int i = 0; i < 100 && help->page() + 1 < help->pageCount(); ++i) {
    rig.settle();
    rig.key(zb::vk::Right);
  }
  rig.settle();
  EXPECT_EQ(rig.findText("Next"), nullptr);
  ASSERT_TRUE(rig.clickText("Back"));
  rig.run(600);
  rig.settle();
  EXPECT_EQ(help->page(), help->pageCount() - 2);
  EXPECT_NE(rig.findText("Next"), nullptr);
  for (int i = 0; i < 100 && help->page() > 0; ++i) {
    rig.settle();
    rig.key(zb::vk::Left);
  }
  rig.settle();
  EXPECT_EQ(rig.findText("Back"), nullptr);
  EXPECT_NE(rig.findText("Next"), nullptr);
  rig.key(zb::vk::Escape);
  EXPECT_TRUE(rig.waitPlaying());
  // The help button opens it at the game's page again, not where it was left.
  const OClipButton* helpButton = rig.main()->button(AMainWnd::kHelp);
  rig.click(int(helpButton->x) + helpButton->width / 2, int(helpButton->y) + helpButton->height / 2);
  ASSERT_TRUE(rig.runUntil([&] { return rig.isCurrent(ScreenId::Help); }));
  EXPECT_EQ(help->page(), 2);
}

TEST(FlowControls, PickingTheRunningVariantAgainKeepsTheGame) {
  if (!flowtest::haveData()) GTEST_SKIP() << "no data pack";
  FlowRig rig;
  ASSERT_TRUE(rig.start());
  ASSERT_TRUE(rig.pick(4));
  ASSERT_TRUE(rig.waitPlaying());
  ASSERT_TRUE(rig.playMoves(2));
  AGameWnd* game = rig.main()->game();
  int score = game->score;
  ASSERT_GT(score, 0);
  const AClipString* menu = rig.main()->menuText();
  rig.click(menu->x() + menu->width() / 2, menu->y() + menu->height() / 2);
  ASSERT_TRUE(rig.runUntil([&] { return rig.isCurrent(ScreenId::Menu); }));
  ASSERT_TRUE(rig.clickText("Pick Game"));
  ASSERT_TRUE(rig.runUntil([&] { return rig.isCurrent(ScreenId::PickGame); }));
  rig.settle();
  ASSERT_TRUE(rig.clickText("Play!"));
  ASSERT_TRUE(rig.waitPlaying());
  EXPECT_EQ(rig.main()->game(), game);
  EXPECT_FALSE(rig.main()->newGameNeeded);
  EXPECT_EQ(game->score, score);
}

TEST(FlowControls, Top10PublishesAndClears) {
  if (!flowtest::haveData()) GTEST_SKIP() << "no data pack";
  FlowRig rig;
  ASSERT_TRUE(rig.start());
  ASSERT_TRUE(rig.pick(4));
  ASSERT_TRUE(rig.waitPlaying());
  AGameWnd* game = rig.main()->game();
  rig.run(1000);  // the "Menu" text settles first
  game->scores().addLine("1-2-126\tAda\t" + game->category() + "\t    700");
  const AClipString* menu = rig.main()->menuText();
  rig.click(menu->x() + menu->width() / 2, menu->y() + menu->height() / 2);
  ASSERT_TRUE(rig.runUntil([&] { return rig.isCurrent(ScreenId::Menu); }));
  ASSERT_TRUE(rig.clickText("Top 10"));
  ASSERT_TRUE(rig.runUntil([&] { return rig.isCurrent(ScreenId::Top10); }));
  auto* top = static_cast<ATop10Wnd*>(rig.current());
  rig.settle();
  ASSERT_EQ(top->rowTexts().size(), 20u);
  EXPECT_EQ(top->rowTexts()[0]->text(), "Ada");
  // No score page set up: the list goes to the clipboard and nothing is opened.
  ASSERT_TRUE(rig.clickText("Publish"));
  rig.run(1000);  // the button's click fade runs first
  EXPECT_TRUE(rig.platform.urls.empty());
  EXPECT_NE(rig.platform.clipboard.find("Ada:700"), std::string::npos);
  ASSERT_NE(top->publishNote(), nullptr);
  EXPECT_EQ(top->publishNote()->text(), "Copied to the clipboard");
  rig.main()->settings().publishAddress = "https://scores.example/top?l=";
  ASSERT_TRUE(rig.clickText("Publish"));
  rig.run(1000);
  ASSERT_EQ(rig.platform.urls.size(), 1u);
  EXPECT_EQ(rig.platform.urls[0].rfind("https://scores.example/top?l=", 0), 0u);
  ASSERT_TRUE(rig.clickText("Clear"));
  ASSERT_TRUE(rig.runUntil([&] { return rig.isCurrent(ScreenId::ClearTop10); }));
  ASSERT_TRUE(rig.clickText("Yes"));
  ASSERT_TRUE(rig.runUntil([&] { return rig.isCurrent(ScreenId::Top10); }));
  rig.settle();
  EXPECT_FALSE(top->publishShown());
  ASSERT_FALSE(top->rowTexts().empty());
  EXPECT_EQ(top->rowTexts()[0]->text(), "NOBODY");
  EXPECT_FALSE(game->scores().hasScoresAboveZero(game->category()));
}

TEST(FlowControls, WithoutAnimationTheCurtainMovesInOneTick) {
  if (!flowtest::haveData()) GTEST_SKIP() << "no data pack";
  FlowRig rig;
  ASSERT_TRUE(rig.start());
  ASSERT_TRUE(rig.pick(4));
  ASSERT_TRUE(rig.waitPlaying());
  AMainWnd* main = rig.main();
  main->applyAnimation(false);
  clickButton(rig, AMainWnd::kHelp);
  // The release asked for the help screen and started the cover; one tick lays every tile.
  EXPECT_EQ(main->tilesShown(), main->tileCount());
  EXPECT_GT(main->tileCount(), 0);
  ASSERT_TRUE(rig.runUntil([&] { return rig.isCurrent(ScreenId::Help); }));
  rig.settle();
  rig.key(zb::vk::Escape);
  ASSERT_TRUE(rig.runUntil([&] { return rig.current() == main && main->state() == AMainWnd::kUncovering; }));
  rig.run(30);
  EXPECT_EQ(main->tilesShown(), 0);
  main->applyAnimation(true);
}

TEST(FlowControls, CloseDuringAGameSavesIt) {
  if (!flowtest::haveData()) GTEST_SKIP() << "no data pack";
  FlowRig rig;
  ASSERT_TRUE(rig.start());
  ASSERT_TRUE(rig.pick(8));
  ASSERT_TRUE(rig.waitPlaying());
  ASSERT_TRUE(rig.playMoves(1));
  // Alt+F4 closes at once.
  zb::WindowEvent close{zb::WindowEvent::CloseRequest};
  rig.platform.push(close);
  ASSERT_TRUE(rig.runUntil([&] { return rig.ended(); }, 2000));
  rig.stop();
  EXPECT_TRUE(std::filesystem::exists(std::filesystem::path(rig.home()) / "save" / "Sinkra_3.sav"));
  EXPECT_TRUE(std::filesystem::exists(std::filesystem::path(rig.home()) / "zenbox.cfg"));
}

}  // namespace

namespace {

TEST(FlowControls, SavesThatFailAreToldAndFailTheExit) {
  if (!flowtest::haveData()) GTEST_SKIP() << "no data pack";
  FlowRig rig;
  // Nothing can be written where the saved games and the settings go.
  zbtest::writeBytes(rig.home() + "/save", {1});
  std::filesystem::create_directory(rig.home() + "/zenbox.cfg");
  ASSERT_TRUE(rig.start());
  ASSERT_TRUE(rig.pick(4));
  ASSERT_TRUE(rig.waitPlaying());
  ASSERT_TRUE(rig.playMoves(1));
  // Leaving the game for another one: the window says so.
  rig.key(zb::vk::Escape);
  ASSERT_TRUE(rig.runUntil([&] { return rig.isCurrent(ScreenId::Menu); }));
  rig.settle();
  ASSERT_TRUE(rig.clickText("Pick Game"));
  ASSERT_TRUE(rig.pick(0));
  ASSERT_TRUE(rig.waitPlaying());
  ASSERT_EQ(rig.platform.messages.size(), 1u);
  const std::string& said = rig.platform.messages[0];
  EXPECT_NE(said.find("could not save "), std::string::npos) << said;
  EXPECT_NE(said.find("save/Sinkra_2.sav: Not a directory"), std::string::npos) << said;
  EXPECT_NE(said.find("save/Sinkra.sav: Not a directory"), std::string::npos) << said;
  EXPECT_EQ(rig.window.quitCode(), 0);
  // At exit the window is gone: the run fails instead.
  rig.stop();
  EXPECT_EQ(rig.window.quitCode(), AMainWnd::kSaveFailedExitCode);
  EXPECT_EQ(rig.platform.messages.size(), 1u);
}

TEST(FlowControls, OptionsWithoutAGameOpenTheCommonScreen) {
  if (!flowtest::haveData()) GTEST_SKIP() << "no data pack";
  FlowRig rig;
  ASSERT_TRUE(rig.leavePickGame());
  ASSERT_EQ(rig.main()->game(), nullptr);
  rig.settle();
  clickButton(rig, AMainWnd::kOptions);
  ASSERT_TRUE(rig.runUntil([&] { return dynamic_cast<AOptionsWnd*>(rig.current()) != nullptr; }));
  rig.settle();
  // Turning animation off there reaches the controller's settings.
  auto* options = static_cast<AOptionsWnd*>(rig.current());
  const bool before = rig.main()->settings().animation;
  OClipCheckBox* box = options->box(AOptionsWnd::kAnimation);
  rig.click(options->x() + int(box->x) + box->width / 2, options->y() + int(box->y) + box->height / 2);
  ASSERT_TRUE(rig.clickText("OK"));
  ASSERT_TRUE(rig.runUntil([&] { return rig.current() == rig.main(); }));
  EXPECT_NE(rig.main()->settings().animation, before);
}

}  // namespace

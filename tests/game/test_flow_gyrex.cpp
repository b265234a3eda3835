#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>

#include "gyrex/AMyGame.h"
#include "gyrex/RFieldGame.h"
#include "gyrex/RFieldPlayer.h"
#include "platform/KeyCodes.h"
#include "storage/OConfig.h"
#include "tests/game/FlowRig.h"
#include "tests/support/TestSupport.h"
#include "ui/AClipString.h"
#include "ui/OClipButton.h"

namespace {

namespace fs = std::filesystem;
using flowtest::FlowRig;
using SpaceGyrex::AMyGame;
using SpaceGyrex::RVisualField;

constexpr int kStrip = 9, kShift = 10, kTime = 11;

AMyGame* gyrex(FlowRig& rig) { return dynamic_cast<AMyGame*>(rig.main() ? rig.main()->game() : nullptr); }

bool rests(const RVisualField& f) { return f.gameOver || (f.state == RVisualField::kIdle && !f.rowPending); }

void clickElement(FlowRig& rig, const RVisualField& f, int c, int r, bool clockwise) {
  int x = f.elementX(c) + 21, y = f.elementY(r) + 21;
  if (clockwise) {
    rig.click(x, y);
  } else {
    rig.rightClick(x, y);
  }
}

// A turn of (c, r) that sets nothing off: no destruction, fall or slide.
bool quietTurn(const RVisualField& f, int c, int r) {
  SpaceGyrex::RField probe = f;
  if (probe.IsEmpty(c, r)) return false;
  probe.Rotate(c, r, true);
  return probe.DestroyPassElement(c, r) == 0 && !probe.MarkFall() && !probe.FindSlide();
}

bool menuChoice(FlowRig& rig, const std::string& item) {
  const AClipString* menu = rig.main()->menuText();
  rig.click(menu->x() + menu->width() / 2, menu->y() + menu->height() / 2);
  if (!rig.runUntil([&] { return rig.isCurrent(ScreenId::Menu); })) return false;
  return rig.clickText(item);
}

void clickExit(FlowRig& rig) {
  OClipButton* exit = rig.main()->button(AMainWnd::kExit);
  rig.click(int(exit->x) + exit->width / 2, int(exit->y) + exit->height / 2);
  rig.runUntil([&] { return rig.ended(); }, 3000);
  rig.stop();
}

TEST(FlowGyrex, TurnsHintPauseAndASaveInMidMoveResumesAtTheLastSettledMove) {
  if (!flowtest::haveData()) GTEST_SKIP() << "no data pack";
  zbtest::TempDir home;
  std::string settled;
  int settledScore = 0;
  {
    FlowRig rig(home.path());
    ASSERT_TRUE(rig.start());
    ASSERT_TRUE(rig.pick(kTime));
    ASSERT_TRUE(rig.waitPlaying());
    AMyGame* game = gyrex(rig);
    ASSERT_NE(game, nullptr);
    EXPECT_EQ(game->variantCaption()->text(), "Time Mania");
    RVisualField& f = game->field();

    // Left turns clockwise, right turns back; neither pauses.
    int c = 0, r = 11;
    while (c < 12 && !quietTurn(f, c, r)) ++c;
    ASSERT_LT(c, 12);
    int top = f.Colour(c, r, 0), right = f.Colour(c, r, 1);
    size_t events = game->liveRecorder().events.size();
    clickElement(rig, f, c, r, true);
    EXPECT_EQ(f.Colour(c, r, 1), top);
    clickElement(rig, f, c, r, false);
    EXPECT_EQ(f.Colour(c, r, 0), top);
    EXPECT_EQ(f.Colour(c, r, 1), right);
    EXPECT_FALSE(game->paused());
    const auto& recorded = game->liveRecorder().events;
    ASSERT_GE(recorded.size(), events + 2);
    EXPECT_EQ(recorded[recorded.size() - 1].clock, 0);

    // The hint caption puts the cursor on a useful move.
    rig.run(1500);
    const AClipString* hint = game->hintCaption();
    rig.move(hint->x() + 10, hint->y() + 10);
    ASSERT_TRUE(f.FindHint());
    const OClip* cursor = f.cursorSprite(0);
    EXPECT_TRUE(cursor->visible);
    EXPECT_EQ(int(cursor->x), f.elementX(f.hintColumn));
    rig.shot("gyrex_flow_hint");

    // Paused, the field stands still and hides.
    rig.key(zb::vk::Pause);
    ASSERT_TRUE(game->paused());
    int clock = f.clock;
    rig.run(1000);
    EXPECT_EQ(f.clock, clock);
    EXPECT_FALSE(f.sprite(c, r, 0)->visible);
    rig.click(300, 300);
    EXPECT_FALSE(game->paused());
    EXPECT_TRUE(f.sprite(c, r, 0)->visible);

    // A move that sets something off, and the game left while it runs.
    ASSERT_TRUE(rig.runUntil([&] { return rests(f); }));
    settled = f.ElementsText();
    settledScore = game->score;
    SpaceGyrex::RMove m;
    ASSERT_TRUE(SpaceGyrex::RFieldPlayer::Choose(f, m));
    clickElement(rig, f, m.column, m.row, m.clockwise);
    if (f.state == RVisualField::kIdle) GTEST_SKIP() << "no productive move on this board";
    clickExit(rig);
  }
  ASSERT_TRUE(fs::exists(fs::path(home.path()) / "save" / "Gyrex_2.sav"));
  {
    FlowRig rig(home.path());
    ASSERT_TRUE(rig.start());
    ASSERT_TRUE(rig.runUntil([&] { return rig.isCurrent(ScreenId::PickGame); }, 9000));
    rig.settle();
    ASSERT_TRUE(rig.clickText("Play!"));
    ASSERT_TRUE(rig.waitPlaying());
    AMyGame* game = gyrex(rig);
    ASSERT_NE(game, nullptr);
    EXPECT_EQ(game->kind, 2);
    EXPECT_EQ(game->field().ElementsText(), settled) << "the position before the interrupted move";
    EXPECT_EQ(game->score, settledScore);
    clickExit(rig);
  }
  // A save whose field is damaged is not restored: a new game starts.
  std::string file = (fs::path(home.path()) / "save" / "Gyrex_2.sav").string();
  OConfig save;
  ASSERT_TRUE(save.loadEncrypted(file, "TideMarsh"));
  save.setString("gamefield.elements", "damaged");
  ASSERT_TRUE(save.saveEncrypted(file, "TideMarsh"));
  {
    FlowRig rig(home.path());
    ASSERT_TRUE(rig.start());
    ASSERT_TRUE(rig.runUntil([&] { return rig.isCurrent(ScreenId::PickGame); }, 9000));
    rig.settle();
    ASSERT_TRUE(rig.clickText("Play!"));
    ASSERT_TRUE(rig.waitPlaying());
    AMyGame* game = gyrex(rig);
    ASSERT_NE(game, nullptr);
    EXPECT_NE(game->field().ElementsText(), settled);
    EXPECT_EQ(game->score, 0);
    EXPECT_FALSE(game->field().gameOver);
  }
}

// What a resumed game must show of the one left.
struct Left {
  std::string elements, previewRow;
  int visible = 0, clock = 0, score = 0;
  size_t events = 0;
};

Left leftOf(AMyGame& game) {
  const RVisualField& f = game.field();
  return {f.ElementsText(), game.preview().RowText(), game.preview().visibleElems, f.clock, game.score,
          game.liveRecorder().events.size()};
}

bool resumeLastGame(FlowRig& rig) {
  if (!rig.start() || !rig.runUntil([&] { return rig.isCurrent(ScreenId::PickGame); }, 9000)) return false;
  rig.settle();
  return rig.clickText("Play!") && rig.waitPlaying();
}

// A turn that sets nothing off, and in "Time Mania" the reveals after it,
// come back after quitting in every kind, clock included; the recording
// that comes back replays to that very position. Keys of a save the game
// does not know are not written back.
TEST(FlowGyrex, PlainTurnsAndRevealsComeBackInEveryKindAndReplayThere) {
  if (!flowtest::haveData()) GTEST_SKIP() << "no data pack";
  for (int radio : {kStrip, kShift, kTime}) {
    SCOPED_TRACE(radio);
    zbtest::TempDir home;
    Left left;
    {
      FlowRig rig(home.path());
      ASSERT_TRUE(rig.start());
      ASSERT_TRUE(rig.pick(radio));
      ASSERT_TRUE(rig.waitPlaying());
      AMyGame* game = gyrex(rig);
      ASSERT_NE(game, nullptr);
      RVisualField& f = game->field();
      int c = 0, r = 11;
      for (; !quietTurn(f, c, r); ++c) {
        if (c == 11) c = -1, --r;
        ASSERT_GE(r, 0) << "no plain turn on this board";
      }
      clickElement(rig, f, c, r, true);
      ASSERT_TRUE(rig.runUntil([&] { return rests(f); }));
      if (game->kind == 2) {
        const int shown = game->preview().visibleElems;
        ASSERT_TRUE(rig.runUntil([&] { return game->preview().visibleElems >= shown + 2; }, 10000));
      }
      rig.run(300);
      ASSERT_TRUE(rests(f));
      left = leftOf(*game);
      clickExit(rig);
    }
    const std::string file = (fs::path(home.path()) / "save" / OConfig::key("Gyrex_%d.sav", radio - kStrip)).string();
    OConfig save;
    ASSERT_TRUE(save.loadEncrypted(file, "TideMarsh"));
    for (int i = 0; i < 500; ++i) save.setInt(OConfig::key("Junk.key%d", i), i);
    save.setInt("Game.Options.Junk", 1);
    ASSERT_TRUE(save.saveEncrypted(file, "TideMarsh"));
    {
      FlowRig rig(home.path());
      ASSERT_TRUE(resumeLastGame(rig));
      AMyGame* game = gyrex(rig);
      ASSERT_NE(game, nullptr);
      const Left back = leftOf(*game);
      EXPECT_EQ(back.elements, left.elements);
      EXPECT_EQ(back.previewRow, left.previewRow);
      EXPECT_EQ(back.visible, left.visible);
      // The clock as it was saved: it ran on for the frames the exit took.
      EXPECT_GE(back.clock, left.clock);
      EXPECT_LE(back.clock, left.clock + 150);
      EXPECT_EQ(back.score, left.score);
      EXPECT_EQ(back.events, left.events);

      SpaceGyrex::RFieldGame replay;
      ASSERT_TRUE(replay.StartPlayback(game->liveRecorder(), game->rules()));
      while (replay.PlayNextEvent()) {
      }
      EXPECT_EQ(replay.field.ElementsText(), left.elements);
      EXPECT_EQ(replay.preview.visibleElems, left.visible);
      // "Strip mania" records no preview rows: its preview is never shown.
      if (game->kind != 0) {
        EXPECT_EQ(replay.preview.RowText(), left.previewRow);
      }
      clickExit(rig);
    }
    ASSERT_TRUE(save.loadEncrypted(file, "TideMarsh"));
    EXPECT_FALSE(save.hasSection("Junk"));
    EXPECT_EQ(save.getInt("Game.Options.Junk", -1), -1);
    EXPECT_EQ(save.getString("gamefield.elements"), left.elements);
  }
}

// Rules under which a "Shift Mania" game at Novice ends after a few moves:
// a tall field and a whole preview row for every move that sets anything off.
void writeQuickRules(const std::string& home) {
  fs::path cfg = fs::path(home) / "cfg";
  fs::create_directories(cfg);
  fs::path data = fs::absolute(flowtest::dataDir()) / "cfg";
  for (const auto& entry : fs::directory_iterator(data)) {
    fs::path name = entry.path().filename();
    if (name != fs::path(SpaceGyrex::kRulesFile).filename()) fs::create_symlink(entry.path(), cfg / name);
  }
  OConfig rules;
  rules.setInt("Game1.Novice.ColorCount", 3);
  rules.setInt("Game1.Novice.StartLineCount", 10);
  rules.setInt("Game1.Novice.ElemsToAdd", 48);
  ASSERT_TRUE(rules.saveEncrypted((cfg / "Gyrex.dat").string(), SpaceGyrex::kRulesKeyText));
}

TEST(FlowGyrex, AFinishedGameEntersTheTop10ReplaysAndADemoGivesTheGameBack) {
  if (!flowtest::haveData()) GTEST_SKIP() << "no data pack";
  zbtest::TempDir home;
  writeQuickRules(home.path());
  FlowRig rig(home.path());
  ASSERT_TRUE(rig.start());
  ASSERT_TRUE(rig.pick(kShift));
  ASSERT_TRUE(rig.waitPlaying());
  AMyGame* game = gyrex(rig);
  ASSERT_NE(game, nullptr);
  RVisualField& f = game->field();
  EXPECT_FALSE(game->canReplay());
  rig.key(zb::vk::Pause);
  EXPECT_FALSE(game->paused()) << "only Time Mania pauses";
  for (int moves = 0; moves < 200 && !f.gameOver; ++moves) {
    ASSERT_TRUE(rig.runUntil([&] { return rests(f); }));
    SpaceGyrex::RMove m;
    if (f.gameOver || !SpaceGyrex::RFieldPlayer::Choose(f, m)) break;
    clickElement(rig, f, m.column, m.row, m.clockwise);
  }
  ASSERT_TRUE(rig.runUntil([&] { return rig.main()->state() == AMainWnd::kGameOverShown; }));
  int finalScore = game->score;
  EXPECT_GT(finalScore, 0);
  EXPECT_TRUE(game->canReplay());
  size_t events = game->lastGameRecorder().events.size();
  EXPECT_EQ(events, game->liveRecorder().events.size());
  rig.run(600);
  rig.shot("gyrex_flow_over");

  rig.click(300, 300);
  ASSERT_TRUE(rig.runUntil([&] { return rig.isCurrent(ScreenId::GameOver); }));
  ASSERT_TRUE(rig.clickText("Continue"));
  ASSERT_TRUE(rig.runUntil([&] { return rig.isCurrent(ScreenId::Top10); }));
  rig.settle();
  char scoreText[16];
  std::snprintf(scoreText, sizeof scoreText, "%8d", finalScore);
  EXPECT_NE(rig.findText(scoreText), nullptr) << "the score stands in the Top 10";
  rig.shot("gyrex_flow_top10");
  ASSERT_TRUE(rig.clickText("Play!"));
  ASSERT_TRUE(rig.waitPlaying());
  ASSERT_FALSE(f.gameOver) << "a new game follows";
  const std::string fresh = f.ElementsText();

  // The finished game plays again, event by event, to its end.
  ASSERT_TRUE(menuChoice(rig, "Replay"));
  ASSERT_TRUE(rig.waitPlaying());
  EXPECT_TRUE(game->replaying());
  size_t furthest = 0;
  rig.runUntil([&] {
    furthest = std::max(furthest, game->liveRecorder().index);
    return furthest >= events;
  }, 600000);
  EXPECT_EQ(furthest, events);
  rig.shot("gyrex_flow_replay");
  rig.click(300, 300);
  EXPECT_FALSE(game->replaying());
  EXPECT_EQ(f.ElementsText(), fresh) << "the game in progress comes back";

  ASSERT_TRUE(menuChoice(rig, "Demo"));
  ASSERT_TRUE(rig.waitPlaying());
  EXPECT_TRUE(game->demo());
  rig.run(4000);
  EXPECT_NE(f.ElementsText(), fresh);
  rig.shot("gyrex_flow_demo");
  rig.click(300, 300);
  EXPECT_FALSE(game->demo());
  EXPECT_EQ(f.ElementsText(), fresh);
  EXPECT_EQ(game->score, 0);
}

}  // namespace

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <iterator>
#include <set>

#include "app/AMainWnd.h"
#include "game/GameCatalog.h"
#include "gyrex/AMyGame.h"
#include "platform/KeyCodes.h"
#include "sinkra/AMyGame.h"
#include "sinkra/CGameField.h"
#include "sinkra/CPiece.h"
#include "tessel/AMyButton.h"
#include "tessel/ATesselGame.h"
#include "tests/game/FlowRig.h"
#include "ui/AClipString.h"
#include "ui/AOptionsWnd.h"
#include "ui/APickGameWnd.h"
#include "ui/AProgressBar.h"
#include "ui/ARadioGroup.h"
#include "ui/OClipCheckBox.h"

namespace {

using flowtest::FlowRig;

// The outline stands around the focused target and is on show.
bool outlineAround(const OEngine& screen, const ORect& rect) {
  const OClip* outline = screen.focusOutline();
  return outline && outline->visible && int(outline->x) < rect.left && int(outline->y) < rect.top &&
         int(outline->x) + outline->width > rect.right && int(outline->y) + outline->height > rect.bottom;
}

const void* textId(FlowRig& rig, const std::string& text) { return rig.findText(text); }

TEST(FlowKeys, PickGameWalksTheVariantsAndCrossesToTheButtons) {
  if (!flowtest::haveData()) GTEST_SKIP() << "no data pack";
  FlowRig rig;
  ASSERT_TRUE(rig.start());
  ASSERT_TRUE(rig.runUntil([&] { return rig.isCurrent(ScreenId::PickGame); }, 9000));
  rig.settle();
  auto* pick = static_cast<APickGameWnd*>(rig.current());
  pick->select(4);  // the top of the Sinkra column
  EXPECT_FALSE(rig.window.app().keysInUse);

  // The first key only shows the focus, on the selected variant.
  rig.key(zb::vk::Down);
  EXPECT_TRUE(rig.window.app().keysInUse);
  EXPECT_EQ(pick->selected(), 4);
  EXPECT_EQ(pick->focusId(), pick->radios()->box(4));
  rig.run(60);
  ORect rect;
  ASSERT_TRUE(pick->focusRect(rect));
  EXPECT_TRUE(outlineAround(*pick, rect));
  rig.shot("keys_pick_focus");

  // Down goes down the Sinkra column, on into the Tessel column and the
  // Gyrex row, selecting as it goes, and wraps; Up comes back.
  const int walk[] = {5, 6, 7, 8, 0, 1, 2, 3, 9, 10, 11, 4};
  for (int radio : walk) {
    rig.key(zb::vk::Down);
    EXPECT_EQ(pick->selected(), radio);
    EXPECT_EQ(pick->focusId(), pick->radios()->box(radio));
  }
  rig.key(zb::vk::Up);
  EXPECT_EQ(pick->selected(), 11);

  // Right: "Play!", then "Demo!", then back on the chosen variant.
  rig.key(zb::vk::Right);
  EXPECT_EQ(pick->focusId(), textId(rig, "Play!"));
  rig.key(zb::vk::Right);
  EXPECT_EQ(pick->focusId(), textId(rig, "Demo!"));
  rig.key(zb::vk::Right);
  EXPECT_EQ(pick->focusId(), pick->radios()->box(11));
  rig.key(zb::vk::Left);
  EXPECT_EQ(pick->focusId(), textId(rig, "Demo!"));
  rig.key(zb::vk::Left);
  EXPECT_EQ(pick->focusId(), textId(rig, "Play!"));

  // A pointer move hides the focus and leaves it where it was.
  rig.move(100, 100);
  rig.run(60);
  EXPECT_FALSE(rig.window.app().keysInUse);
  EXPECT_EQ(pick->focusId(), textId(rig, "Play!"));
  EXPECT_FALSE(pick->focusOutline()->visible);
  // Hidden, Return is the default button as ever: the Time Mania starts.
  rig.key(zb::vk::Enter);
  ASSERT_TRUE(rig.waitPlaying());
  EXPECT_EQ(rig.main()->family(), zb::kFamilyGyrex);
}

TEST(FlowKeys, OptionsFocusGoesInReadingOrderAndReturnPresses) {
  if (!flowtest::haveData()) GTEST_SKIP() << "no data pack";
  FlowRig rig;
  ASSERT_TRUE(rig.leavePickGame());
  rig.settle();
  rig.run(300);

  // On the bare main screen the keys walk the panel buttons: find Options.
  rig.key(zb::vk::Tab);
  bool found = false;
  for (int i = 0; i < AMainWnd::kButtonCount && !found; ++i) {
    found = rig.main()->focusId() == rig.main()->button(AMainWnd::kOptions);
    if (!found) rig.key(zb::vk::Tab);
  }
  ASSERT_TRUE(found);
  rig.key(zb::vk::Space);
  ASSERT_TRUE(rig.runUntil([&] { return dynamic_cast<AOptionsWnd*>(rig.current()) != nullptr; }));
  rig.settle();
  auto* options = static_cast<AOptionsWnd*>(rig.current());

  // Opened by keys, the focus is on show at once, on "OK".
  rig.run(60);
  EXPECT_EQ(options->focusId(), textId(rig, "OK"));
  ORect rect;
  ASSERT_TRUE(options->focusRect(rect));
  EXPECT_TRUE(outlineAround(*options, rect));

  // Tab walks on to Cancel, wraps to Autosave, block Explosion, Animation,
  // then the Sound row (box and its ten cells), the Music row, and OK.
  std::vector<const void*> expected = {textId(rig, "Cancel"), options->box(AOptionsWnd::kAutosave),
                                       options->box(AOptionsWnd::kExplosion), options->box(AOptionsWnd::kAnimation),
                                       options->box(AOptionsWnd::kSound)};
  for (int i = 0; i < 10; ++i) expected.push_back(options->soundBar()->cell(i));
  expected.push_back(options->box(AOptionsWnd::kMusic));
  for (int i = 0; i < 10; ++i) expected.push_back(options->musicBar()->cell(i));
  expected.push_back(textId(rig, "OK"));
  for (size_t i = 0; i < expected.size(); ++i) {
    rig.key(zb::vk::Tab);
    EXPECT_EQ(options->focusId(), expected[i]) << "stop " << i;
  }
  // Shift+Tab goes back; Down from Animation lands in the Sound row and
  // Up from there goes back to the Animation row.
  rig.key(zb::vk::Tab, zb::ModShift);
  EXPECT_EQ(options->focusId(), options->musicBar()->cell(9));
  for (int i = 0; i < 5; ++i) rig.key(zb::vk::Tab);
  EXPECT_EQ(options->focusId(), options->box(AOptionsWnd::kAnimation));
  rig.key(zb::vk::Down);
  rig.key(zb::vk::Up);
  EXPECT_EQ(options->focusId(), options->box(AOptionsWnd::kAnimation));

  // Return presses the focused box as a click would; Down to a sound
  // cell and Space sets the volume there.
  bool animation = options->box(AOptionsWnd::kAnimation)->checked();
  rig.key(zb::vk::Enter);
  EXPECT_NE(options->box(AOptionsWnd::kAnimation)->checked(), animation);
  EXPECT_EQ(rig.current(), options);
  rig.key(zb::vk::Down);
  int cell = -1;
  for (int i = 0; i < 10; ++i)
    if (options->focusId() == options->soundBar()->cell(i)) cell = i;
  ASSERT_GE(cell, 0);
  rig.key(zb::vk::Space);
  EXPECT_EQ(options->soundBar()->value(), cell);
  rig.run(60);
  rig.shot("keys_options_focus");

  // Escape cancels; the pointer never moved.
  rig.key(zb::vk::Escape);
  ASSERT_TRUE(rig.runUntil([&] { return rig.current() == rig.main(); }));
}

}  // namespace

namespace {

// The key that walks the Tessel ring clockwise on each side of it.
int clockwiseKey(int ringPosition) {
  const int keys[] = {zb::vk::Right, zb::vk::Down, zb::vk::Left, zb::vk::Up};
  return keys[ringPosition / SpaceTessel::ATesselGame::kRingSide];
}

int counterKey(int ringPosition) {
  const int keys[] = {zb::vk::Left, zb::vk::Up, zb::vk::Right, zb::vk::Down};
  return keys[ringPosition / SpaceTessel::ATesselGame::kRingSide];
}

TEST(FlowKeys, TesselCursorWalksTheWholeRingTurningTheCorners) {
  if (!flowtest::haveData()) GTEST_SKIP() << "no data pack";
  FlowRig rig;
  ASSERT_TRUE(rig.start());
  ASSERT_TRUE(rig.pick(0));
  ASSERT_TRUE(rig.waitPlaying());
  auto* game = dynamic_cast<SpaceTessel::ATesselGame*>(rig.main()->game());
  ASSERT_NE(game, nullptr);
  using SpaceTessel::ATesselGame;

  std::set<int> buttons;
  for (int i = 0; i < ATesselGame::kRingSize; ++i)
    if (game->ringButton(i)) buttons.insert(i);
  ASSERT_FALSE(buttons.empty());

  // The first key shows the cursor on the top side, lit as pointed at.
  rig.key(zb::vk::Right);
  int start = game->ringCursor();
  ASSERT_GE(start, 0);
  EXPECT_LT(start, ATesselGame::kRingSide);
  EXPECT_TRUE(game->ringButton(start)->hovered());
  ORect rect;
  ASSERT_TRUE(game->keyFocusRect(rect));
  EXPECT_EQ(rect.left, int(game->ringButton(start)->x));

  // Clockwise with the key of each side: every button once, all four sides.
  std::set<int> seen{start}, sides{start / ATesselGame::kRingSide};
  for (size_t n = 1; n < buttons.size(); ++n) {
    int before = game->ringCursor();
    rig.key(clockwiseKey(before));
    int now = game->ringCursor();
    EXPECT_TRUE(seen.insert(now).second) << "position " << now << " twice";
    EXPECT_FALSE(game->ringButton(before)->hovered());
    EXPECT_TRUE(game->ringButton(now)->hovered());
    sides.insert(now / ATesselGame::kRingSide);
  }
  EXPECT_EQ(seen, buttons);
  EXPECT_EQ(sides.size(), 4u);
  rig.key(clockwiseKey(game->ringCursor()));
  EXPECT_EQ(game->ringCursor(), start);

  // Counter-clockwise goes back the same way; a key across the side stays.
  auto at = buttons.find(start);
  int previous = at == buttons.begin() ? *buttons.rbegin() : *std::prev(at);
  rig.key(counterKey(start));
  EXPECT_EQ(game->ringCursor(), previous);
  rig.key(clockwiseKey(previous));
  EXPECT_EQ(game->ringCursor(), start);
  rig.key(zb::vk::Up);  // across the top side
  EXPECT_EQ(game->ringCursor(), start);

  // Return launches: the undo point appears; U takes the move back.
  rig.key(zb::vk::Enter);
  ASSERT_TRUE(rig.runUntil([&] { return game->undoAvailable() && !game->moveInProgress(); }));
  rig.key('U');
  EXPECT_FALSE(game->undoAvailable());

  // The pointer takes over: the cursor hides and stays where it was.
  int kept = game->ringCursor();
  rig.move(400, 300);
  EXPECT_FALSE(game->keyFocusRect(rect));
  EXPECT_EQ(game->ringCursor(), kept);
}

TEST(FlowKeys, SinkraCursorStartsInTheMiddleAndTakesTheGroupUnderIt) {
  if (!flowtest::haveData()) GTEST_SKIP() << "no data pack";
  FlowRig rig;
  ASSERT_TRUE(rig.start());
  ASSERT_TRUE(rig.pick(4));  // Remover
  ASSERT_TRUE(rig.waitPlaying());
  auto* game = dynamic_cast<SpaceSinkra::AMyGame*>(rig.main()->game());
  ASSERT_NE(game, nullptr);
  SpaceSinkra::CGameField& field = *game->current();
  int w = field.grid().width(), h = field.grid().height();
  rig.key(zb::vk::Down);
  EXPECT_EQ(game->cursorCell(), (h / 2) * w + w / 2);

  // Walk to a cell of a group: it lights as pointing at it would.
  int target = -1;
  for (int i = 0; i < field.grid().size() && target < 0; ++i)
    if (field.groupSize(i) >= 2) target = i;
  ASSERT_GE(target, 0);
  while (game->cursorCell() % w < target % w) rig.key(zb::vk::Right);
  while (game->cursorCell() % w > target % w) rig.key(zb::vk::Left);
  while (game->cursorCell() / w < target / w) rig.key(zb::vk::Down);
  while (game->cursorCell() / w > target / w) rig.key(zb::vk::Up);
  EXPECT_EQ(game->cursorCell(), target);
  EXPECT_TRUE(field.grid().at(target)->highlighted);
  rig.run(60);
  ORect rect;
  ASSERT_TRUE(rig.main()->focusRect(rect));
  EXPECT_EQ(rect.left, int(field.cellX(target)));
  EXPECT_TRUE(rig.main()->focusOutline() && rig.main()->focusOutline()->visible);

  int blocks = field.blockCount();
  rig.key(zb::vk::Space);
  ASSERT_TRUE(rig.runUntil([&] { return field.idle() && !field.anyMoving(); }));
  EXPECT_LT(field.blockCount(), blocks);

  // Walls hold the cursor: far left stays in column 0.
  for (int i = 0; i < w + 2; ++i) rig.key(zb::vk::Left);
  EXPECT_EQ(game->cursorCell() % w, 0);
}

}  // namespace

namespace {

using SpaceGyrex::kSegments;

std::array<int, kSegments> segmentsAt(SpaceGyrex::RVisualField& field, int c, int r) {
  std::array<int, kSegments> s{};
  for (int i = 0; i < kSegments; ++i) s[size_t(i)] = field.elements[c][r][i];
  return s;
}

TEST(FlowKeys, GyrexCursorTurnsBothWaysAndFollowsTheHint) {
  if (!flowtest::haveData()) GTEST_SKIP() << "no data pack";
  FlowRig rig;
  ASSERT_TRUE(rig.start());
  ASSERT_TRUE(rig.pick(9));  // Strip mania
  ASSERT_TRUE(rig.waitPlaying());
  auto* game = dynamic_cast<SpaceGyrex::AMyGame*>(rig.main()->game());
  ASSERT_NE(game, nullptr);
  SpaceGyrex::RVisualField& field = game->field();

  rig.key(zb::vk::Down);
  EXPECT_EQ(game->cursorColumn(), SpaceGyrex::kColumns / 2);
  EXPECT_EQ(game->cursorRow(), SpaceGyrex::kRows / 2);
  ORect rect;
  ASSERT_TRUE(game->keyFocusRect(rect));
  EXPECT_EQ(rect.left, field.elementX(game->cursorColumn()));
  rig.key(zb::vk::Down);
  rig.key(zb::vk::Down);
  rig.key(zb::vk::Down);
  const int c = game->cursorColumn(), r = game->cursorRow();
  ASSERT_FALSE(field.IsEmpty(c, r));

  // Return turns as the left button does; a plain turn (nothing destroyed)
  // is undone by Backspace, the right button's way.
  auto before = segmentsAt(field, c, r);
  rig.key(zb::vk::Enter);
  auto turned = segmentsAt(field, c, r);
  EXPECT_TRUE(turned != before || field.state != SpaceGyrex::RVisualField::kIdle);
  ASSERT_TRUE(rig.runUntil([&] { return field.state == SpaceGyrex::RVisualField::kIdle; }));
  std::array<int, kSegments> rotated = before;
  std::rotate(rotated.begin(), rotated.end() - 1, rotated.end());
  std::array<int, kSegments> rotatedBack = before;
  std::rotate(rotatedBack.begin(), rotatedBack.begin() + 1, rotatedBack.end());
  if (turned == rotated || turned == rotatedBack) {
    rig.key(zb::vk::Backspace);
    ASSERT_TRUE(rig.runUntil([&] { return field.state == SpaceGyrex::RVisualField::kIdle; }));
    if (!field.IsEmpty(c, r)) {
      EXPECT_EQ(segmentsAt(field, c, r), before);
    }
  }

  // H shows the hint and the cursor goes with it.
  rig.key('H');
  if (field.hintColumn >= 0) {
    EXPECT_EQ(game->cursorColumn(), field.hintColumn);
  }
  if (field.hintRow >= 0) {
    EXPECT_EQ(game->cursorRow(), field.hintRow);
  }

  // The pointer takes over.
  rig.move(700, 500);
  EXPECT_FALSE(game->keyFocusRect(rect));
}

}  // namespace

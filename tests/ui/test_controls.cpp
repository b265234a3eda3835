#include <gtest/gtest.h>

#include "UiTestSupport.h"
#include "platform/KeyCodes.h"
#include "ui/AProgressBar.h"
#include "ui/ARadioGroup.h"
#include "ui/OClipButton.h"
#include "ui/OClipCheckBox.h"
#include "ui/OClipEdit.h"

using uitest::makeClip;

namespace {

class ControlsTest : public ::testing::Test {
protected:
  uitest::Screen world;
  OEngine& screen() { return *world.screen; }
};

template <class Control>
Control* placed(OEngine& screen, const OClip& picture, double x, double y) {
  auto* c = new Control();
  c->copyFrom(picture);
  c->x = x;
  c->y = y;
  screen.addControl(c);
  return c;
}

TEST_F(ControlsTest, ButtonShowsPressedHoveredAndIdle) {
  auto picture = makeClip(3, 1, 40, 20);
  auto* button = placed<OClipButton>(screen(), *picture, 100, 100);
  EXPECT_TRUE(button->hitMove(110, 110, false));
  EXPECT_EQ(button->state(), OClipButton::kHovered);
  EXPECT_TRUE(button->hovered());
  EXPECT_TRUE(button->hitPress(110, 110));
  EXPECT_EQ(button->state(), OClipButton::kPressed);
  EXPECT_TRUE(button->pressed);
  EXPECT_TRUE(button->hitMove(112, 110, true));
  EXPECT_EQ(button->state(), OClipButton::kPressed);
  EXPECT_FALSE(button->hitMove(300, 300, true));
  EXPECT_EQ(button->state(), OClipButton::kIdle);
  EXPECT_FALSE(button->hovered());
  EXPECT_FALSE(button->hitPress(300, 300));
  button->enabled = false;
  EXPECT_FALSE(button->hitPress(110, 110));
  EXPECT_EQ(button->state(), OClipButton::kIdle);
}

TEST_F(ControlsTest, ScreenReportsAButtonClickOnRelease) {
  struct ClickScreen : OEngine {
    using OEngine::OEngine;
    OClipControl* clicked = nullptr;
    void onControlClicked(OClipControl* c) override { clicked = c; }
  } clicks(world.window, 50, 50, 400, 300);
  auto picture = makeClip(3, 1, 40, 20);
  auto* button = placed<OClipButton>(clicks, *picture, 10, 10);
  clicks.onLButtonDown(65, 65);
  EXPECT_EQ(clicks.onLButtonUp(65, 65), button);
  EXPECT_EQ(clicks.clicked, button);
  // A release elsewhere after a press is no click.
  clicks.clicked = nullptr;
  clicks.onLButtonDown(65, 65);
  clicks.onLButtonUp(300, 300);
  EXPECT_EQ(clicks.clicked, nullptr);
}

TEST_F(ControlsTest, TwoStateCheckBoxNeverShowsOtherLooks) {
  auto picture = makeClip(2, 1, 16, 16);
  auto* box = placed<OClipCheckBox>(screen(), *picture, 10, 10);
  auto look = [&] { return box->state(); };
  for (int round = 0; round < 3; ++round) {
    box->hitMove(12, 12, false);
    EXPECT_LE(look(), 1);
    box->hitPress(12, 12);
    EXPECT_LE(look(), 1);
    box->hitMove(12, 12, true);
    EXPECT_LE(look(), 1);
    EXPECT_TRUE(box->hitRelease(12, 12));
    EXPECT_EQ(look(), box->checked() ? 1 : 0);
    box->hitMove(100, 100, false);
    EXPECT_EQ(look(), box->checked() ? 1 : 0);
    box->keyDown(zb::vk::Space, 0);
    EXPECT_EQ(look(), box->checked() ? 1 : 0);
  }
  box->check();
  EXPECT_EQ(look(), 1);
  box->uncheck();
  EXPECT_EQ(look(), 0);
}

TEST_F(ControlsTest, SixStateCheckBoxShowsPressedAndHoveredLooks) {
  auto picture = makeClip(6, 1, 16, 16);
  auto* box = placed<OClipCheckBox>(screen(), *picture, 10, 10);
  EXPECT_TRUE(box->hitMove(12, 12, false));
  EXPECT_EQ(box->state(), OClipCheckBox::kUncheckedHovered);
  EXPECT_TRUE(box->hitPress(12, 12));
  EXPECT_EQ(box->state(), OClipCheckBox::kUncheckedPressed);
  EXPECT_TRUE(box->hitRelease(12, 12));
  EXPECT_TRUE(box->checked());
  EXPECT_EQ(box->state(), OClipCheckBox::kCheckedPressed);
  box->hitMove(12, 12, false);
  EXPECT_EQ(box->state(), OClipCheckBox::kCheckedHovered);
  EXPECT_FALSE(box->hitRelease(50, 50));
  EXPECT_TRUE(box->checked());
  EXPECT_EQ(box->state(), OClipCheckBox::kChecked);
}

TEST_F(ControlsTest, ShapedCheckBoxIgnoresTransparentPixels) {
  auto picture = makeClip(2, 1, 16, 16);
  auto* box = placed<OClipCheckBox>(screen(), *picture, 10, 10);
  box->shaped = true;
  box->currentImage()->colourKey = int(box->currentImage()->pixel(0, 0));
  EXPECT_FALSE(box->hitRelease(12, 12));
  EXPECT_FALSE(box->checked());
}

TEST_F(ControlsTest, RadioGroupSelectsOneBoxAndIgnoresBadIndices) {
  auto picture = makeClip(2, 1, 16, 16);
  ARadioGroup group(&screen());
  for (int i = 0; i < 3; ++i) ASSERT_NE(group.addBox(*picture, 10, 10 + 30 * i, -1), nullptr);
  EXPECT_EQ(screen().controls().size(), 3u);
  group.select(1);
  EXPECT_EQ(group.selected(), 1);
  for (int bad : {3, 4, -1}) {
    group.select(bad);
    EXPECT_EQ(group.selected(), 1);
    EXPECT_FALSE(group.box(0)->checked());
    EXPECT_TRUE(group.box(1)->checked());
    EXPECT_FALSE(group.box(2)->checked());
  }
  EXPECT_TRUE(group.controlClicked(group.box(2)));
  EXPECT_EQ(group.selected(), 2);
  EXPECT_FALSE(group.box(1)->checked());
  EXPECT_TRUE(group.box(2)->checked());
  OClipCheckBox stranger;
  EXPECT_FALSE(group.controlClicked(&stranger));
  EXPECT_EQ(group.selected(), 2);
  group.moveTo(200);
  EXPECT_EQ(group.box(0)->x, 200);
  EXPECT_EQ(group.box(2)->x, 200);
}

TEST_F(ControlsTest, RadioGroupLeavesTheScreenWithItsBoxes) {
  auto picture = makeClip(2, 1, 16, 16);
  {
    ARadioGroup group(&screen());
    group.addBox(*picture, 0, 0, 0);
    group.addBox(*picture, 0, 20, 0);
  }
  EXPECT_TRUE(screen().controls().empty());
  EXPECT_TRUE(screen().clips().empty());
}

TEST_F(ControlsTest, SegmentedBarLaysCellsOutWithOverlap) {
  auto picture = makeClip(2, 1, 20, 12);
  AProgressBar bar(&screen(), *picture, 10, 380, 200, -1, -3);
  ASSERT_EQ(bar.cellCount(), 10);
  EXPECT_EQ(screen().controls().size(), 10u);
  for (int i = 0; i < 10; ++i) {
    EXPECT_EQ(bar.cell(i)->x, 380 - 3 + i * 17);
    EXPECT_EQ(bar.cell(i)->y, 200);
    EXPECT_EQ(bar.cell(i)->z, -1);
    EXPECT_FALSE(bar.cell(i)->checked());
  }
}

TEST_F(ControlsTest, SegmentedBarValues) {
  auto picture = makeClip(2, 1, 20, 12);
  AProgressBar bar(&screen(), *picture, 10, 380, 200, -1, -3);
  auto lit = [&] {
    int n = 0;
    for (int i = 0; i < bar.cellCount(); ++i) n += bar.cell(i)->checked() ? 1 : 0;
    return n;
  };
  bar.setValue(0);
  EXPECT_EQ(lit(), 1);
  EXPECT_TRUE(bar.cell(0)->checked());
  bar.setValue(9);
  EXPECT_EQ(lit(), 10);
  EXPECT_EQ(bar.value(), 9);
  bar.setValue(4);
  EXPECT_EQ(lit(), 5);
  EXPECT_FALSE(bar.cell(5)->checked());
  bar.setValue(11);
  EXPECT_EQ(bar.value(), 4);
  EXPECT_EQ(lit(), 5);
  EXPECT_TRUE(bar.controlClicked(bar.cell(7)));
  EXPECT_EQ(bar.value(), 7);
  EXPECT_EQ(lit(), 8);
}

class EditTest : public ControlsTest {
protected:
  void SetUp() override {
    picture = makeClip(2, 1, 200, 24);
    edit = new OClipEdit();
    edit->setPicture(*picture);
    edit->x = 100;
    edit->y = 100;
    OTextStyle style;
    style.size = 13;
    edit->setStyle(style);
    edit->setTextColour(0xFFFF00);
    screen().addControl(edit);
  }
  void type(const std::string& s) {
    for (char c : s) edit->charTyped(static_cast<unsigned char>(c), 0);
  }
  std::unique_ptr<OClip> picture;
  OClipEdit* edit = nullptr;
};

TEST_F(EditTest, TypingStopsAtMaxLength) {
  edit->setMaxLength(5);
  type("abcdefgh");
  EXPECT_EQ(edit->text(), "abcde");
  EXPECT_EQ(edit->cursor(), 5);
  edit->keyDown(zb::vk::Home, 0);
  type("X");
  EXPECT_EQ(edit->text(), "abcde");
  EXPECT_EQ(edit->cursor(), 0);
  // Lowering the limit cuts the text; a longer text given whole is cut too.
  edit->setMaxLength(3);
  EXPECT_EQ(edit->text(), "abc");
  edit->setText("0123456789");
  EXPECT_EQ(edit->text(), "012");
}

TEST_F(EditTest, PasteGoesThroughTheScreenAndKeepsTheLimit) {
  edit->setMaxLength(25);
  EXPECT_TRUE(screen().onLButtonDown(110, 110) == edit);
  EXPECT_TRUE(edit->focused);
  world.platform.clipboard = std::string(300, 'x');
  screen().onKeyDown('V', zb::ModCtrl);
  EXPECT_EQ(edit->text(), std::string(25, 'x'));
  // Control characters in the clipboard do not land in the text.
  edit->setText("");
  world.platform.clipboard = "a\x01" "b\tc\x1b";
  screen().onKeyDown(zb::vk::Insert, zb::ModShift);
  EXPECT_EQ(edit->text(), "abc");
}

TEST_F(EditTest, BackspaceAtStartAndDeleteAtEndChangeNothing) {
  type("hello");
  edit->keyDown(zb::vk::Delete, 0);
  EXPECT_EQ(edit->text(), "hello");
  edit->keyDown(zb::vk::Home, 0);
  edit->charTyped(zb::vk::Backspace, 0);
  EXPECT_EQ(edit->text(), "hello");
  EXPECT_EQ(edit->cursor(), 0);
  edit->keyDown(zb::vk::Delete, 0);
  EXPECT_EQ(edit->text(), "ello");
  edit->keyDown(zb::vk::End, 0);
  edit->charTyped(zb::vk::Backspace, 0);
  EXPECT_EQ(edit->text(), "ell");
  EXPECT_EQ(edit->cursor(), 3);
}

TEST_F(EditTest, CaretMovesWithinTheText) {
  type("abc");
  edit->keyDown(zb::vk::Left, 0);
  edit->keyDown(zb::vk::Left, 0);
  EXPECT_EQ(edit->cursor(), 1);
  type("X");
  EXPECT_EQ(edit->text(), "aXbc");
  edit->keyDown(zb::vk::Right, 0);
  edit->keyDown(zb::vk::Right, 0);
  edit->keyDown(zb::vk::Right, 0);
  EXPECT_EQ(edit->cursor(), 4);
  edit->keyDown(zb::vk::Home, 0);
  edit->keyDown(zb::vk::Left, 0);
  EXPECT_EQ(edit->cursor(), 0);
  // Tab, return and other keys change nothing.
  edit->charTyped(zb::vk::Tab, 0);
  edit->charTyped(zb::vk::Enter, 0);
  edit->charTyped(200, 0);
  edit->keyDown(zb::vk::F1, 0);
  EXPECT_EQ(edit->text(), "aXbc");
  EXPECT_EQ(edit->cursor(), 0);
}

TEST_F(EditTest, LongTextScrollsToKeepTheCursorInView) {
  edit->setTextArea(4, 2, 80, 22);
  type(std::string(40, 'W'));
  EXPECT_EQ(edit->cursor(), 40);
  EXPECT_GT(edit->scroll(), 0);
  EXPECT_LE(edit->cursorX(), 80);
  EXPECT_GT(edit->cursorX(), 40);
  edit->keyDown(zb::vk::Home, 0);
  EXPECT_EQ(edit->scroll(), 0);
  EXPECT_EQ(edit->cursorX(), 4);
  for (int i = 0; i < 40; ++i) edit->keyDown(zb::vk::Right, 0);
  EXPECT_GT(edit->scroll(), 0);
  EXPECT_LE(edit->cursorX(), 80);
  const int scrolled = edit->scroll();
  for (int i = 0; i < 40; ++i) edit->keyDown(zb::vk::Left, 0);
  EXPECT_EQ(edit->scroll(), 0);
  edit->keyDown(zb::vk::End, 0);
  EXPECT_EQ(edit->scroll(), scrolled);
  // Deleting backwards brings the hidden start back into view.
  for (int i = 0; i < 37; ++i) edit->charTyped(zb::vk::Backspace, 0);
  EXPECT_EQ(edit->scroll(), 0);
  EXPECT_EQ(edit->text(), "WWW");
}

TEST_F(EditTest, FocusShowsTheCursorLayerAtTheCaret) {
  type("ab");
  EXPECT_FALSE(edit->focused);
  EXPECT_EQ(edit->layers().size(), 2u);  // box and text line
  EXPECT_TRUE(edit->hitPress(110, 110));
  EXPECT_TRUE(edit->focused);
  EXPECT_EQ(edit->cursor(), 0);
  ASSERT_EQ(edit->layers().size(), 3u);
  EXPECT_EQ(edit->layers()[2], &edit->cursorPicture());
  EXPECT_EQ(edit->cursorPicture().width(), 2);
  EXPECT_EQ(edit->cursorPicture().height(), 10);
  EXPECT_EQ(edit->cursorPicture().yOffset, 3);
  edit->keyDown(zb::vk::End, 0);
  EXPECT_GT(edit->cursorPicture().xOffset, 0);
  EXPECT_FALSE(edit->hitPress(10, 10));
  EXPECT_FALSE(edit->focused);
  EXPECT_EQ(edit->layers().size(), 2u);
}

TEST_F(EditTest, TextLineIsDrawnInTheTextColourOverTheBox) {
  type("MMMM");
  const OBitmap& line = edit->textPicture();
  ASSERT_TRUE(line.valid());
  ASSERT_TRUE(line.hasAlpha());
  int opaque = 0;
  for (int y = 0; y < line.height(); ++y)
    for (int x = 0; x < line.width(); ++x)
      if (line.alphaAt(x, y) == 0) {
        ++opaque;
        EXPECT_EQ(line.pixel(x, y), 0xFFFF00u);
      }
  EXPECT_GT(opaque, 10);
  EXPECT_EQ(line.alphaAt(line.width() - 1, 0), 255);
}

TEST_F(EditTest, CursorsBlinkTogether) {
  auto* other = new OClipEdit();
  other->setPicture(*picture);
  screen().addControl(other);
  edit->setTextColour(0x112233);
  other->setTextColour(0x112233);
  // Run to a colour change so the shared counter starts from 0.
  uint32_t start = edit->shownCursorColour();
  for (int i = 0; i < 12 && edit->shownCursorColour() == start; ++i) edit->tickClip(30);
  ASSERT_EQ(OClipEdit::blinkCounter(), 0);
  start = edit->shownCursorColour();
  // Both fields feed the one counter: 300 ms in all is not yet past it.
  for (int i = 0; i < 5; ++i) {
    edit->tickClip(30);
    other->tickClip(30);
  }
  EXPECT_EQ(edit->shownCursorColour(), start);
  edit->tickClip(30);
  EXPECT_NE(edit->shownCursorColour(), start);
  EXPECT_EQ(OClipEdit::blinkCounter(), 0);
  EXPECT_EQ(edit->cursorPicture().pixel(0, 0), edit->shownCursorColour());
}

}  // namespace

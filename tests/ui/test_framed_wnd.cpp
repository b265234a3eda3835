#include <gtest/gtest.h>

#include <functional>

#include "UiTestSupport.h"
#include "app/OClipControl.h"
#include "platform/KeyCodes.h"
#include "platform/Random.h"
#include "ui/AFramedWnd.h"

using uitest::EffectsGuard;
using uitest::makeClip;

namespace {

// A confirmation: a title, "Yes" (default) and "No" (cancel).
class TestDialog : public AFramedWnd {
public:
  TestDialog(OMainWindow& window, OClip* font) : AFramedWnd(window, 100, 50, 600, 500), font_(font) {}
  void buildContents() override {
    ++builds;
    setTitle(newText(font_, 200, 30, "Sure?", -10, false));
    setDefaultButton(newText(font_, 100, 400, "Yes", -10, true));
    setCancelButton(newText(font_, 400, 400, "No", -10, true));
  }
  void accept() override {
    ++accepts;
    close(kAccepted);
  }
  void cancel() override {
    ++cancels;
    close(kCancelled);
  }
  void onClosed() override { ++closes; }

  int builds = 0;
  int accepts = 0;
  int cancels = 0;
  int closes = 0;

private:
  OClip* font_;
};

// The screen under the dialogs: remembers what its children report.
class Below : public OEngine {
public:
  using OEngine::OEngine;
  void onChildClosed(OEngine* child, int result) override {
    lastChild = child;
    lastResult = result;
  }
  OEngine* lastChild = nullptr;
  int lastResult = -1;
};

class FramedWndTest : public ::testing::Test {
protected:
  FramedWndTest() {
    zb::seedRandom(99);
    window.frameInterval = 30;
    window.create("test", "OMainWindow", 800, 600, 1);
    below = std::make_unique<Below>(window, 0, 0, 800, 600);
    below->backgroundColour = 0x123456;
    below->open(&slot());
    dialog = std::make_unique<TestDialog>(window, font.get());
    dialog->create();
    dialog->soundPlayer = [this](int effect) { sounds.push_back(effect); };
  }
  ~FramedWndTest() override {
    dialog.reset();
    slot() = nullptr;
  }
  OEngine*& slot() { return window.app().currentScreen; }
  // Ticks the window (screen tick, then the pending switch) up to `limit`
  // times until `done`; returns the ticks taken.
  int tickUntil(const std::function<bool()>& done, int limit = 200) {
    int n = 0;
    while (!done() && n < limit) {
      window.onTick(30);
      ++n;
    }
    return n;
  }
  bool textsFlying() const {
    for (const AClipString* t : dialog->texts())
      if (t->flying()) return true;
    return false;
  }
  // Click in the middle of a text, in window coordinates.
  void clickOn(const AClipString* text) {
    const int x = dialog->x() + text->x() + text->width() / 2;
    const int y = dialog->y() + text->y() + text->height() / 2;
    dialog->onLButtonDown(x, y);
    dialog->onLButtonUp(x, y);
  }

  zb::HeadlessWindow platform;
  OMainWindow window{platform};
  std::unique_ptr<OClip> font = makeClip(39, 1, 20, 30);
  std::unique_ptr<Below> below;
  std::unique_ptr<TestDialog> dialog;
  std::vector<int> sounds;
};

TEST_F(FramedWndTest, OpensOverAPictureOfTheScreenBelow) {
  EffectsGuard fx(false, false);
  dialog->open(&slot());
  EXPECT_EQ(slot(), dialog.get());
  EXPECT_EQ(dialog->state(), AFramedWnd::kOpen);
  EXPECT_EQ(dialog->phase(), ScreenPhase::Open);
  EXPECT_EQ(dialog->backgroundColour, 0xE6E6E6u);
  EXPECT_EQ(dialog->redrawMode, OEngine::kRedrawDirty);
  EXPECT_EQ(dialog->builds, 1);
  EXPECT_EQ(dialog->texts().size(), 3u);
  ASSERT_NE(dialog->backdrop(), nullptr);
  const OBitmap* picture = dialog->backdrop()->currentImage();
  EXPECT_EQ(picture->width(), 602);
  EXPECT_EQ(picture->height(), 502);
  EXPECT_EQ(picture->pixel(0, 0), 0x123456u);
  EXPECT_EQ(dialog->backdrop()->z, AFramedWnd::kBackdropDepth);
  // The backdrop is what the dialog shows where nothing else is.
  EXPECT_EQ(dialog->backBuffer()->pixel(5, 200), 0x123456u);
}

TEST_F(FramedWndTest, BackdropShowsRedWhereTheScreenBelowEnds) {
  EffectsGuard fx(false, false);
  Below small(window, 0, 0, 200, 100);
  small.backgroundColour = 0x00FF00;
  OEngine* slotOfSmall = nullptr;
  small.open(&slotOfSmall);
  dialog->setBounds(150, 50, 200, 100);
  dialog->open(&slotOfSmall);
  const OBitmap* picture = dialog->backdrop()->currentImage();
  EXPECT_EQ(picture->pixel(0, 0), 0x00FF00u);
  EXPECT_EQ(picture->pixel(60, 0), 0xFF0000u);
  dialog->finishClose(0);
}

TEST_F(FramedWndTest, IgnoresKeysAndClicksWhileItsTextsFly) {
  EffectsGuard fx(true, false);
  dialog->open(&slot());
  ASSERT_TRUE(textsFlying());
  dialog->onKeyDown(zb::vk::Enter, 0);
  dialog->onKeyDown(zb::vk::Escape, 0);
  clickOn(dialog->defaultButton());
  EXPECT_EQ(dialog->accepts + dialog->cancels, 0);
  EXPECT_EQ(dialog->clickedText(), nullptr);
  EXPECT_GT(tickUntil([&] { return !textsFlying(); }), 5);
  dialog->onKeyDown(zb::vk::Enter, 0);
  EXPECT_EQ(dialog->accepts, 1);
  EXPECT_EQ(dialog->state(), AFramedWnd::kClosing);
  EXPECT_EQ(dialog->phase(), ScreenPhase::Closing);
  // The texts fly out; nothing is taken meanwhile.
  dialog->onKeyDown(zb::vk::Escape, 0);
  clickOn(dialog->cancelButton());
  EXPECT_EQ(dialog->cancels, 0);
  EXPECT_EQ(dialog->state(), AFramedWnd::kClosing);
  EXPECT_GT(tickUntil([&] { return slot() == below.get(); }), 3);
  EXPECT_EQ(below->lastChild, dialog.get());
  EXPECT_EQ(below->lastResult, AFramedWnd::kAccepted);
  EXPECT_EQ(dialog->closes, 1);
  EXPECT_TRUE(dialog->texts().empty());
  EXPECT_EQ(dialog->backdrop(), nullptr);
  EXPECT_TRUE(dialog->clips().empty());
}

// A dialog whose texts have landed lets the frame stop ticking; the pointer
// on a button text sets it trembling, and away again it settles.
TEST_F(FramedWndTest, ComesToRestOnceItsTextsLandAndWakesUnderThePointer) {
  EffectsGuard fx(true, false);
  platform.cursorX = platform.cursorY = 0;
  dialog->open(&slot());
  EXPECT_FALSE(window.atRest());
  EXPECT_LT(tickUntil([&] { return window.atRest(); }), 200);
  EXPECT_FALSE(textsFlying());
  const AClipString* yes = dialog->defaultButton();
  platform.cursorX = dialog->x() + yes->x() + 2;
  platform.cursorY = dialog->y() + yes->y() + 2;
  EXPECT_FALSE(window.atRest());
  window.onTick(30);
  EXPECT_FALSE(window.atRest());
  platform.cursorX = platform.cursorY = 0;
  EXPECT_LT(tickUntil([&] { return window.atRest(); }), 5);
  EXPECT_EQ(yes->glyph(0)->x, yes->homeX(0));
}

TEST_F(FramedWndTest, EscapeCancelsAndTheScreenBelowHearsIt) {
  EffectsGuard fx(false, false);
  dialog->open(&slot());
  dialog->onKeyDown(zb::vk::Escape, 0);
  EXPECT_EQ(dialog->cancels, 1);
  // Without animation the texts vanish at once: closed, then gone.
  window.onTick(30);
  EXPECT_EQ(dialog->state(), AFramedWnd::kClosed);
  EXPECT_EQ(slot(), dialog.get());
  window.onTick(30);
  EXPECT_EQ(slot(), below.get());
  EXPECT_EQ(below->lastResult, AFramedWnd::kCancelled);
}

TEST_F(FramedWndTest, ClickingAButtonTextFadesItThenAccepts) {
  EffectsGuard fx(false, false);
  dialog->open(&slot());
  clickOn(dialog->defaultButton());
  ASSERT_EQ(dialog->clickedText(), dialog->defaultButton());
  EXPECT_EQ(sounds, std::vector<int>{AFramedWnd::kClickSound});
  // Keys wait for the click animation.
  dialog->onKeyDown(zb::vk::Escape, 0);
  EXPECT_EQ(dialog->cancels, 0);
  for (int t = 0; t < 13; ++t) window.onTick(30);
  EXPECT_EQ(dialog->accepts, 0);
  window.onTick(30);
  EXPECT_EQ(dialog->accepts, 1);
  EXPECT_EQ(dialog->clickedText(), nullptr);
  tickUntil([&] { return slot() == below.get(); });
  EXPECT_EQ(below->lastResult, AFramedWnd::kAccepted);
}

TEST_F(FramedWndTest, TitleTakesNoClicks) {
  EffectsGuard fx(false, false);
  dialog->open(&slot());
  ASSERT_FALSE(dialog->title()->clickable());
  clickOn(dialog->title());
  EXPECT_EQ(dialog->clickedText(), nullptr);
  EXPECT_TRUE(sounds.empty());
  clickOn(dialog->cancelButton());
  EXPECT_EQ(dialog->clickedText(), dialog->cancelButton());
  for (int t = 0; t < 14; ++t) window.onTick(30);
  EXPECT_EQ(dialog->cancels, 1);
}

TEST_F(FramedWndTest, ChildDialogRoundTrip) {
  EffectsGuard fx(true, false);
  dialog->open(&slot());
  tickUntil([&] { return !textsFlying(); });
  TestDialog child(window, font.get());
  child.create();
  window.requestScreen(&child);
  EXPECT_EQ(dialog->state(), AFramedWnd::kHiding);
  EXPECT_EQ(dialog->phase(), ScreenPhase::Closing);
  EXPECT_TRUE(dialog->backdrop()->visible);
  dialog->onKeyDown(zb::vk::Enter, 0);
  EXPECT_EQ(dialog->accepts, 0);
  tickUntil([&] { return slot() == &child; });
  ASSERT_EQ(slot(), &child);
  EXPECT_EQ(dialog->state(), AFramedWnd::kHidden);
  EXPECT_EQ(child.previousScreen(), dialog.get());
  EXPECT_EQ(child.x(), 100);
  tickUntil([&] {
    for (const AClipString* t : child.texts())
      if (t->flying()) return false;
    return true;
  });
  child.onKeyDown(zb::vk::Escape, 0);
  tickUntil([&] { return slot() == dialog.get(); });
  ASSERT_EQ(slot(), dialog.get());
  EXPECT_EQ(child.cancels, 1);
  EXPECT_EQ(dialog->state(), AFramedWnd::kOpen);
  EXPECT_EQ(dialog->builds, 2);
  EXPECT_EQ(dialog->texts().size(), 3u);
  EXPECT_NE(dialog->defaultButton(), nullptr);
  // Back to normal: it closes to the screen below as before.
  tickUntil([&] { return !textsFlying(); });
  dialog->onKeyDown(zb::vk::Enter, 0);
  tickUntil([&] { return slot() == below.get(); });
  EXPECT_EQ(below->lastResult, AFramedWnd::kAccepted);
  EXPECT_EQ(below->lastChild, dialog.get());
}

TEST_F(FramedWndTest, OtherKeysReachTheFocusedControls) {
  EffectsGuard fx(false, false);
  struct KeyControl : OClipControl {
    int lastKey = 0;
    void keyDown(int key, int) override { lastKey = key; }
  };
  auto* control = new KeyControl();
  control->addImage(std::make_unique<OBitmap>());
  control->images.back()->create(10, 10, 0);
  control->focused = true;
  dialog->addControl(control);
  dialog->open(&slot());
  dialog->onKeyDown(zb::vk::Left, 0);
  EXPECT_EQ(control->lastKey, zb::vk::Left);
  dialog->onKeyDown(zb::vk::Enter, 0);
  EXPECT_EQ(control->lastKey, zb::vk::Left);
  // While closing the control is hidden and keys are not passed on.
  dialog->onKeyDown(zb::vk::Right, 0);
  EXPECT_FALSE(control->visible);
  EXPECT_EQ(control->lastKey, zb::vk::Left);
}

TEST_F(FramedWndTest, ReopensWithFreshContents) {
  EffectsGuard fx(false, false);
  dialog->open(&slot());
  dialog->onKeyDown(zb::vk::Enter, 0);
  tickUntil([&] { return slot() == below.get(); });
  dialog->open(&slot());
  EXPECT_EQ(dialog->builds, 2);
  EXPECT_EQ(dialog->state(), AFramedWnd::kOpen);
  EXPECT_EQ(dialog->texts().size(), 3u);
  for (const AClipString* t : dialog->texts()) EXPECT_TRUE(t->visible());
  dialog->onKeyDown(zb::vk::Escape, 0);
  EXPECT_EQ(dialog->cancels, 1);
}

TEST_F(FramedWndTest, ConstructorTextsAreRegisteredByCreate) {
  EffectsGuard fx(false, false);
  auto* title = new AClipString(font.get(), nullptr, 10, 10, "Title", -10, false);
  auto* yes = new AClipString(font.get(), nullptr, 10, 100, "Yes", -10, false);
  yes->setClickable(true);
  AFramedWnd plain(window, 0, 0, 400, 300, title, yes, nullptr);
  EXPECT_TRUE(plain.texts().empty());
  ASSERT_TRUE(plain.create());
  EXPECT_EQ(plain.texts().size(), 2u);
  EXPECT_EQ(plain.title(), title);
  EXPECT_EQ(plain.defaultButton(), yes);
  EXPECT_EQ(yes->screen(), &plain);
  EXPECT_EQ(yes->glyphCount(), 3);
  plain.removeText(yes);
  EXPECT_EQ(plain.defaultButton(), nullptr);
  EXPECT_EQ(plain.texts().size(), 1u);
}

TEST_F(FramedWndTest, ConstructorTextsKeepTheirOwnFlyIn) {
  EffectsGuard fx(true, false);
  auto* title = new AClipString(font.get(), nullptr, 10, 10, "Title", -10, false);
  auto* yes = new AClipString(font.get(), nullptr, 10, 100, "Yes", -10, true);
  AFramedWnd plain(window, 0, 0, 400, 300, title, yes, nullptr);
  ASSERT_TRUE(plain.create());
  // A text made to stand still is placed at once; one made to fly flies in.
  EXPECT_FALSE(title->animated());
  EXPECT_FALSE(title->flying());
  EXPECT_EQ(title->glyph(0)->x, title->homeX(0));
  EXPECT_TRUE(yes->animated());
  EXPECT_TRUE(yes->flying());
}

}  // namespace

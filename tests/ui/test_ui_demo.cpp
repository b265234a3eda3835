#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "UiTestSupport.h"
#include "app/OClipControl.h"
#include "platform/KeyCodes.h"
#include "platform/Random.h"
#include "ui/AProgressBar.h"
#include "ui/ARadioGroup.h"
#include "ui/AUiDemoWnd.h"
#include "ui/OClipCheckBox.h"
#include "ui/OClipEdit.h"

using uitest::EffectsGuard;
using uitest::makeClip;

namespace {

// The controls dialog on in-memory pictures, driven through the dialog's
// own input handling as the main window would.
class UiDemoTest : public ::testing::Test {
protected:
  UiDemoTest() {
    zb::seedRandom(5);
    window.frameInterval = 30;
    window.create("test", "OMainWindow", 800, 600, 1);
    OAppState& app = window.app();
    for (auto& set : app.letters) set = makeClip(39, 1, 20, 30);
    app.buttons[0] = makeClip(6, 1, 30, 30);
    app.buttons[1] = makeClip(6, 1, 30, 30);
    app.buttons[2] = makeClip(6, 1, 20, 30);
    app.buttons[3] = makeClip(3, 1, 300, 30);
    below = std::make_unique<OEngine>(window, 0, 0, 800, 600);
    below->open(&app.currentScreen);
    dialog = std::make_unique<AUiDemoWnd>(window);
    dialog->create();
    dialog->open(&app.currentScreen);
  }
  ~UiDemoTest() override {
    dialog.reset();
    window.app().currentScreen = nullptr;
  }
  // Press and release on the middle of a control (window coordinates).
  void clickOn(const OClip& c) {
    const int x = dialog->x() + int(c.x) + c.width / 2;
    const int y = dialog->y() + int(c.y) + c.height / 2;
    dialog->onLButtonDown(x, y);
    dialog->onLButtonUp(x, y);
  }

  EffectsGuard fx{false, false};
  zb::HeadlessWindow platform;
  OMainWindow window{platform};
  std::unique_ptr<OEngine> below;
  std::unique_ptr<AUiDemoWnd> dialog;
};

TEST_F(UiDemoTest, BuildsEveryControl) {
  EXPECT_TRUE(dialog->checkBox()->checked());
  EXPECT_EQ(dialog->radioGroup()->boxCount(), 3);
  EXPECT_EQ(dialog->radioGroup()->selected(), 1);
  EXPECT_EQ(dialog->bar()->cellCount(), 10);
  EXPECT_EQ(dialog->bar()->value(), 5);
  EXPECT_EQ(dialog->edit()->text(), "Anonymous");
  EXPECT_TRUE(dialog->edit()->focused);
  EXPECT_NE(dialog->defaultButton(), nullptr);
  EXPECT_NE(dialog->cancelButton(), nullptr);
}

TEST_F(UiDemoTest, ClicksReachRadioBarAndCheckBox) {
  clickOn(*dialog->radioGroup()->box(2));
  EXPECT_EQ(dialog->radioGroup()->selected(), 2);
  EXPECT_FALSE(dialog->radioGroup()->box(1)->checked());
  clickOn(*dialog->bar()->cell(8));
  EXPECT_EQ(dialog->bar()->value(), 8);
  clickOn(*dialog->checkBox());
  EXPECT_FALSE(dialog->checkBox()->checked());
}

TEST_F(UiDemoTest, TypingAndPastingStayWithinTheFieldLimit) {
  OClipEdit* edit = dialog->edit();
  dialog->onKeyDown(zb::vk::End, 0);
  for (char c : std::string(" the Great")) dialog->onChar(static_cast<unsigned char>(c), 0);
  EXPECT_EQ(edit->text(), "Anonymous the Great");
  platform.clipboard = std::string(500, 'Z');
  dialog->onKeyDown('V', zb::ModCtrl);
  EXPECT_EQ(edit->text().size(), 25u);
  EXPECT_EQ(edit->text(), "Anonymous the GreatZZZZZZ");
}

TEST_F(UiDemoTest, ReopeningRebuildsTheControlsOnce) {
  dialog->onKeyDown(zb::vk::Escape, 0);
  for (int i = 0; i < 5 && window.app().currentScreen == dialog.get(); ++i) dialog->tick(30);
  ASSERT_EQ(window.app().currentScreen, below.get());
  const size_t controls = dialog->controls().size();
  dialog->open(&window.app().currentScreen);
  EXPECT_EQ(dialog->controls().size(), controls);
  EXPECT_EQ(dialog->radioGroup()->selected(), 1);
}

}  // namespace

namespace {

// The same dialog on the data pack's own pictures, as `zenbox --screen
// controls` shows it. Skipped when the data pack has not been generated.
class UiDemoDataPackTest : public ::testing::Test {
protected:
  void SetUp() override {
    const char* data = std::getenv("ZB_DATA");
    if (!data || !std::filesystem::exists(std::filesystem::path(data) / "clp" / "alph.clp"))
      GTEST_SKIP() << "no data pack";
    saved_ = std::filesystem::current_path();
    std::filesystem::current_path(data);
  }
  void TearDown() override {
    if (!saved_.empty()) std::filesystem::current_path(saved_);
  }

private:
  std::filesystem::path saved_;
};

TEST_F(UiDemoDataPackTest, ShowsTheControlsFromThePack) {
  EffectsGuard fx(true, true);
  zb::HeadlessWindow platform;
  OMainWindow window(platform, AUiDemoWnd::startup);
  window.frameInterval = 30;
  ASSERT_TRUE(window.create("test", "OMainWindow", 800, 600, 1));
  auto* dialog = dynamic_cast<AUiDemoWnd*>(window.app().currentScreen);
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(dialog->checkBox()->stateCount(), 6);
  EXPECT_EQ(dialog->bar()->cellCount(), 10);
  for (int i = 0; i < 100; ++i) window.onTick(30);
  // The edit field's name is drawn in its yellow text colour.
  const uint32_t* px = platform.content();
  ASSERT_NE(px, nullptr);
  const OClipEdit* edit = dialog->edit();
  int yellow = 0;
  for (int y = 0; y < edit->height; ++y)
    for (int x = 0; x < edit->width; ++x) {
      const int wx = dialog->x() + int(edit->x) + x, wy = dialog->y() + int(edit->y) + y;
      if (px[wy * platform.contentWidth() + wx] == 0xFFFF00u) ++yellow;
    }
  EXPECT_GT(yellow, 20);
  // Enter closes it; the plain screen below opens it again.
  dialog->onKeyDown(zb::vk::Enter, 0);
  EXPECT_EQ(dialog->state(), AFramedWnd::kClosing);
  for (int i = 0; i < 200 && dialog->state() != AFramedWnd::kOpen; ++i) window.onTick(30);
  EXPECT_EQ(dialog->state(), AFramedWnd::kOpen);
  EXPECT_EQ(window.app().currentScreen, dialog);
  EXPECT_EQ(dialog->previousScreen(), window.app().mainScreen.get());
  window.app().destroyAll();
}

}  // namespace

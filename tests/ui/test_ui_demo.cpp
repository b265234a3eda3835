#include <gtest/gtest.h>

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

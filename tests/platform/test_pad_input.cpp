#include <gtest/gtest.h>

#include <vector>

#include "platform/KeyCodes.h"
#include "platform/PadInput.h"
#include "platform/Script.h"

namespace {

using zb::PadButton;
using zb::PadInput;
using zb::WindowEvent;

// The messages as "+key" for a press and "-key" for a release.
std::vector<int> keys(const std::vector<WindowEvent>& events) {
  std::vector<int> out;
  for (const WindowEvent& e : events) out.push_back(e.kind == WindowEvent::KeyDown ? e.key : -e.key);
  return out;
}

TEST(PadInput, TheFirstPadToPressDrivesUntilItIsGone) {
  PadInput pads;
  std::vector<WindowEvent> out;
  pads.button(7, PadButton::A, true, 0, out);
  pads.button(3, PadButton::B, true, 0, out);  // a second pad is ignored
  pads.button(7, PadButton::A, false, 10, out);
  EXPECT_EQ(keys(out), (std::vector<int>{zb::vk::PadA, -zb::vk::PadA}));
  EXPECT_EQ(pads.driver(), 7);

  // Unplugging the driver lets go of what it held; the other pad takes over.
  out.clear();
  pads.button(7, PadButton::DpadLeft, true, 20, out);
  pads.removed(7, out);
  EXPECT_EQ(keys(out), (std::vector<int>{zb::vk::Left, -zb::vk::Left}));
  EXPECT_EQ(pads.msToRepeat(30), -1);
  out.clear();
  pads.button(3, PadButton::Start, true, 40, out);
  EXPECT_EQ(keys(out), (std::vector<int>{zb::vk::PadStart}));
  EXPECT_EQ(pads.driver(), 3);
}

TEST(PadInput, HeldDirectionsRepeatLikeKeys) {
  PadInput pads;
  std::vector<WindowEvent> out;
  pads.button(1, PadButton::DpadDown, true, 1000, out);
  EXPECT_EQ(pads.msToRepeat(1000), int(PadInput::kFirstRepeatMs));
  pads.repeat(1000 + PadInput::kFirstRepeatMs - 1, out);
  EXPECT_EQ(out.size(), 1u);
  pads.repeat(1000 + PadInput::kFirstRepeatMs, out);
  pads.repeat(1000 + PadInput::kFirstRepeatMs + PadInput::kRepeatMs, out);
  EXPECT_EQ(keys(out), (std::vector<int>{zb::vk::Down, zb::vk::Down, zb::vk::Down}));
  pads.button(1, PadButton::DpadDown, false, 2000, out);
  pads.repeat(5000, out);
  EXPECT_EQ(out.size(), 4u);
  EXPECT_EQ(pads.msToRepeat(5000), -1);
  // Buttons other than the d-pad never repeat.
  pads.button(1, PadButton::A, true, 6000, out);
  EXPECT_EQ(pads.msToRepeat(6000), -1);
}

TEST(PadInput, TheStickHasADeadZoneAndTheStrongerAxisWins) {
  PadInput pads;
  std::vector<WindowEvent> out;
  // A stick resting off centre does nothing, nor claims the pad.
  pads.stick(2, 0, PadInput::kPushed - 1, 0, out);
  EXPECT_TRUE(out.empty());
  EXPECT_EQ(pads.driver(), -1);
  pads.stick(2, 0, -30000, 0, out);
  pads.stick(2, 1, 20000, 10, out);   // still more left than down
  EXPECT_EQ(keys(out), (std::vector<int>{zb::vk::Left}));
  // Between the two limits it stays pushed; below the lower one it lets go.
  pads.stick(2, 1, 0, 20, out);
  pads.stick(2, 0, -(PadInput::kReleased + 1), 30, out);
  EXPECT_EQ(out.size(), 1u);
  pads.stick(2, 0, -(PadInput::kReleased - 1), 40, out);
  EXPECT_EQ(keys(out), (std::vector<int>{zb::vk::Left, -zb::vk::Left}));
  // Swinging from left to up lets go of left first.
  out.clear();
  pads.stick(2, 0, -30000, 50, out);
  pads.stick(2, 1, -32000, 60, out);
  EXPECT_EQ(keys(out), (std::vector<int>{zb::vk::Left, -zb::vk::Left, zb::vk::Up}));
}

TEST(PadInput, ScriptsNameTheButtons) {
  std::vector<zb::ScriptStep> steps;
  std::string error;
  ASSERT_TRUE(zb::parseScript("pad a\npad DPLEFT\npad rightshoulder\n", steps, error)) << error;
  ASSERT_EQ(steps.size(), 3u);
  EXPECT_EQ(steps[0].kind, zb::ScriptStep::Pad);
  EXPECT_EQ(steps[0].key, int(PadButton::A));
  EXPECT_EQ(steps[1].key, int(PadButton::DpadLeft));
  EXPECT_EQ(zb::padButtonKey(PadButton(steps[2].key)), zb::vk::PadRightShoulder);
  EXPECT_FALSE(zb::parseScript("pad\n", steps, error));
  EXPECT_NE(error.find("line 1"), std::string::npos);
  EXPECT_FALSE(zb::parseScript("pad z\n", steps, error));
  EXPECT_FALSE(zb::parseScript("pad a b\n", steps, error));
}

}  // namespace

namespace {

TEST(ScriptRepeat, BlocksAreWrittenOutAndNest) {
  std::vector<zb::ScriptStep> steps;
  std::string error;
  ASSERT_TRUE(zb::parseScript("repeat 3\n  key Enter\n  repeat 2\n    wait 5\n  end\nend\nquit\n", steps, error))
      << error;
  ASSERT_EQ(steps.size(), 10u);
  EXPECT_EQ(steps[0].kind, zb::ScriptStep::Key);
  EXPECT_EQ(steps[2].kind, zb::ScriptStep::Wait);
  EXPECT_EQ(steps[3].kind, zb::ScriptStep::Key);
  EXPECT_EQ(steps[3].line, 2);  // copies keep their line for messages
  EXPECT_EQ(steps[9].kind, zb::ScriptStep::Quit);

  EXPECT_FALSE(zb::parseScript("repeat 2\nwait 1\n", steps, error));
  EXPECT_EQ(error, "line 1: repeat without end");
  EXPECT_FALSE(zb::parseScript("wait 1\nend\n", steps, error));
  EXPECT_EQ(error, "line 2: end without repeat");
  EXPECT_FALSE(zb::parseScript("repeat 0\nend\n", steps, error));
  EXPECT_FALSE(zb::parseScript("repeat x\nend\n", steps, error));
  // Nested repeats cannot blow the script up.
  EXPECT_FALSE(zb::parseScript("repeat 100000\nrepeat 100000\nwait 1\nend\nend\n", steps, error));
  EXPECT_NE(error.find("too many steps"), std::string::npos);
  EXPECT_TRUE(steps.empty());
}

}  // namespace

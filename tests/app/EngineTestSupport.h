#pragma once
#include <memory>
#include <string>
#include <vector>

#include "app/OClipControl.h"
#include "app/OEngine.h"
#include "app/OMainWindow.h"
#include "platform/Clock.h"
#include "platform/HeadlessWindow.h"

namespace enginetest {

// A clip with one opaque w x h frame of `colour` (no colour key).
std::unique_ptr<OClip> makeClip(int w, int h, uint32_t colour = 0xFF0000);

// A control with one frame that records what it is told and answers hit
// calls by its rectangle.
class TestControl : public OClipControl {
public:
  explicit TestControl(int w = 20, int h = 20);
  bool hitMove(int x, int y, bool leftHeld) override;
  bool hitPress(int x, int y) override;
  bool hitRelease(int x, int y) override;
  void keyDown(int key, int mods) override;
  void charTyped(unsigned char ch, int mods) override;

  std::string typed;
  std::vector<int> keys;
  int lastX = -1, lastY = -1;
  bool lastLeftHeld = false;
};

// A screen that logs the calls made on it into a shared journal.
class LogScreen : public OEngine {
public:
  LogScreen(OMainWindow& owner, std::vector<std::string>& journal, const std::string& name, int x = 0, int y = 0,
            int w = 800, int h = 600);
  OClipControl* onMouseMove(int x, int y) override;
  void onChildClosed(OEngine* child, int result) override;
  void onControlClicked(OClipControl* control) override;
  void onClipExpired(OClip* clip) override;
  void onClipWaypoint(OClip* clip, const OWaypoint& wp) override;
  void onClipArrived(OClip* clip, const OWaypoint& wp) override;
  void tick(int elapsed) override;
  ScreenPhase phase() const override { return phaseValue; }
  // At rest when `restful` and its clips allow.
  bool atRest() const override { return restful && clipsAtRest(); }
  void startClosing() override;

  ScreenPhase phaseValue = ScreenPhase::Closed;
  bool restful = false;
  int closingStarts = 0;
  int ticks = 0;
  std::vector<int> tickTimes;
  OClipControl* clicked = nullptr;
  int childResult = -1;

private:
  std::vector<std::string>& journal_;
  std::string name_;
};

// A headless main window on a manual clock, created and ready.
struct Rig {
  Rig();
  ~Rig();
  zb::ManualClock clock;
  zb::HeadlessWindow platform{&clock};
  OMainWindow window{platform};
  std::vector<std::string> journal;
};

}  // namespace enginetest

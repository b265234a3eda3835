#pragma once
#include <vector>

#include "app/OClipControl.h"
#include "app/OEngine.h"

class OMainWindow;

// A push button for the demonstration: idle, hovered and pressed frames.
class ADemoButton : public OClipControl {
public:
  ADemoButton(int width, int height, const char* label);
  bool hitMove(int x, int y, bool leftHeld) override;
  bool hitPress(int x, int y) override;
  bool hitRelease(int x, int y) override;
};

// The screen shown until the application controller takes over start-up:
// generated sprites moving along waypoints, fading, animating, expiring,
// drawn with each drawing mode and with text, on a dirty-rectangle screen.
// Space or the button pauses the motion; Escape ends the run.
class ADemoWnd : public OEngine {
public:
  explicit ADemoWnd(OMainWindow& owner);

  // Builds the demonstration as the main screen, opens it and centres the
  // window on the desktop. Suits OMainWindow's start-up hook.
  static bool startup(OMainWindow& window);

  bool load() override;
  void tick(int elapsed) override;
  void onControlClicked(OClipControl* control) override;
  void onClipArrived(OClip* clip, const OWaypoint& waypoint) override;
  void onKeyDown(int key, int mods) override;

  bool paused() const { return paused_; }
  int elapsedMs() const { return elapsedMs_; }

private:
  OClip* place(std::unique_ptr<OBitmap> image, double x, double y, double z);
  void addModeRow();
  void addBouncers();
  void sendSomewhere(OClip& ball);
  void spawnSparks();
  void showClock();
  void setPaused(bool on);

  std::vector<OClip*> bouncers_;
  OClip* fader_ = nullptr;
  OClip* glider_ = nullptr;
  OClip* clock_ = nullptr;
  ADemoButton* button_ = nullptr;
  bool paused_ = false;
  int elapsedMs_ = 0;
  int shownSecond_ = -1;
  int sparkTimer_ = 0;
};

#pragma once
// A stand-in for the application controller, so a game object can be built
// and taken apart without the whole program around it.
#include <memory>

#include "app/OEngine.h"
#include "app/OMainWindow.h"
#include "audio/OMusic.h"
#include "game/AGameHost.h"
#include "platform/HeadlessWindow.h"

namespace zbtest {

class FakeGameHost : public AGameHost {
public:
  FakeGameHost() : window(platform), main(window, 0, 0, 800, 600) {}

  OEngine& screen() override { return main; }
  OMainWindow& owner() const override { return window; }
  OAppState& app() const override { return window.app(); }
  zb::Settings& settings() override { return settingsValue; }
  OSound* sound() const override { return nullptr; }
  OMusic* music() const override { return musicPlayer.get(); }
  void playSound(int, bool) override {}
  void startMusic() override {}
  void applyAnimation(bool) override {}
  bool closing() const override { return closingFlag; }
  OClip* font(int) const override { return nullptr; }
  OClip* star() const override { return nullptr; }
  OClip* pausePicture() const override { return nullptr; }
  OClip* panelPicture() const override { return nullptr; }
  int state() const override { return stateValue; }
  void setState(int s) override { stateValue = s; }
  int family() const override { return familyValue; }
  AGameWnd* game() const override { return nullptr; }
  void requestScreen(ScreenId) override {}
  void showGameOverText(const std::string&, int, int) override {}
  OClipControl* baseMouseMove(int, int) override { return nullptr; }
  OClipControl* baseLButtonDown(int, int) override { return nullptr; }
  OClipControl* baseLButtonUp(int, int) override { return nullptr; }

  zb::HeadlessWindow platform;
  mutable OMainWindow window;
  OEngine main;
  zb::Settings settingsValue;
  std::unique_ptr<OMusic> musicPlayer;
  bool closingFlag = false;
  int stateValue = kPlaying;
  int familyValue = 1;
};

}  // namespace zbtest

#pragma once
#include <functional>
#include <string>

#include "app/AMainWnd.h"
#include "app/OMainWindow.h"
#include "platform/Clock.h"
#include "platform/HeadlessWindow.h"
#include "tests/support/TestSupport.h"

class AFramedWnd;
class AClipString;

namespace flowtest {

// The data pack the tests play with (ZB_DATA, else build/data).
std::string dataDir();
bool haveData();

// A whole game run headless on a manual clock: the start-up of the real
// program, then frames of 30 ms with the input a test sends in between.
// It runs in a scratch folder that sees the data pack, so "zenbox.cfg" and
// "save/" are written there.
class FlowRig {
public:
  // `home`: the folder to play in (kept between rigs to test a second
  // start); empty makes a fresh one.
  explicit FlowRig(const std::string& home = "");
  ~FlowRig();

  // Starts the program; false when the start-up refused.
  bool start();
  // Runs frames for `ms` milliseconds of game time.
  void run(int ms);
  // Runs frames until `done` holds (at most `limitMs`); true when it did.
  bool runUntil(const std::function<bool()>& done, int limitMs = 20000);
  void move(int x, int y);
  void click(int x, int y);
  void rightClick(int x, int y);
  void key(int vk, int mods = 0);
  void type(const std::string& text);
  // Waits until the current dialog is open with its texts in place.
  void settle();
  // Clicks the middle of a text of the current dialog; false when absent.
  bool clickText(const std::string& text);
  // On the pick-game screen: selects the radio and presses "Play!".
  bool pick(int radio);
  // Waits for the main screen to be current, uncovered and playing.
  bool waitPlaying(int limitMs = 20000);
  // From a fresh start: Escape on the pick-game screen, back to the main
  // screen with no game.
  bool leavePickGame();
  // Clicks `moves` groups of two or more on the running Sinkra board,
  // letting each settle; false when no group could be found.
  bool playMoves(int moves);
  // Writes the window content to <ZB_SHOTS or the temp dir>/name.png.
  std::string shot(const std::string& name);
  // Ends the run as the loop would: the window's destroy step.
  void stop();

  AMainWnd* main() const { return AMainWnd::of(window); }
  OEngine* current() const { return window.app().currentScreen; }
  OEngine* screen(ScreenId id) const { return window.app().screen(id); }
  bool isCurrent(ScreenId id) const { return current() && current() == screen(id); }
  bool ended() const { return ended_; }
  const std::string& home() const { return home_; }
  AClipString* findText(const std::string& text) const;

  zb::ManualClock clock;
  zb::HeadlessWindow platform{&clock};
  OMainWindow window;

private:
  void frame();

  std::unique_ptr<zbtest::TempDir> temp_;
  std::string home_;
  std::string oldDir_;
  bool started_ = false;
  bool ended_ = false;
  bool destroyed_ = false;
};

}  // namespace flowtest

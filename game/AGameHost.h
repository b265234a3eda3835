#pragma once
#include <cstdint>
#include <string>

#include "app/OAppState.h"
#include "storage/Settings.h"

class AGameWnd;
class OClip;
class OClipControl;
class OEngine;
class OMainWindow;
class OMusic;
class OSound;

// What a game, the game frame and the dialogs around a game need from the
// application controller: the screen to draw on, the settings, sound and
// music, the shared pictures and the controller's state. The controller
// implements it; games and dialogs never see the controller's own class.
class AGameHost {
public:
  // Controller states a game sets or tests.
  static constexpr int kPlaying = 3;
  static constexpr int kGameOverShown = 7;
  // Milliseconds the game-over text and the name entry ignore the pointer
  // after they appear: clicks meant for the board must not go through them.
  static constexpr uint32_t kStrayClickMs = 500;

  virtual ~AGameHost() = default;

  // The host of a main window, or nullptr before it exists.
  static AGameHost* of(const OMainWindow& window);

  // The full-size main screen every game draws its clips on.
  virtual OEngine& screen() = 0;
  virtual OMainWindow& owner() const = 0;
  virtual OAppState& app() const = 0;
  virtual zb::Settings& settings() = 0;
  virtual OSound* sound() const = 0;
  virtual OMusic* music() const = 0;
  // Plays an effect when sound is on.
  virtual void playSound(int id, bool restart = false) = 0;
  // Starts a random track when music is on.
  virtual void startMusic() = 0;
  virtual void applyAnimation(bool on) = 0;
  // The program is ending: games start no music and switch no playlists.
  virtual bool closing() const = 0;

  // Letter sets: 0 "alph", 1 "alph2", 2 "alph3", 3 "alph4".
  virtual OClip* font(int i) const = 0;
  virtual OClip* star() const = 0;
  virtual OClip* pausePicture() const = 0;
  virtual OClip* panelPicture() const = 0;

  virtual int state() const = 0;
  virtual void setState(int state) = 0;
  virtual int family() const = 0;
  virtual AGameWnd* game() const = 0;
  virtual void requestScreen(ScreenId id) = 0;
  // A saved game could not be written (`text`: one line per file and
  // reason). The default says so on standard error.
  virtual void reportSaveFailure(const std::string& text);
  // Shows the game-over text centred on centreX; the next release leads to
  // the game-over screen.
  virtual void showGameOverText(const std::string& text, int centreX, int y) = 0;

  // The main screen's own input handling, for a game to fall back on.
  virtual OClipControl* baseMouseMove(int x, int y) = 0;
  virtual OClipControl* baseLButtonDown(int x, int y) = 0;
  virtual OClipControl* baseLButtonUp(int x, int y) = 0;

  // Shortcuts to the main screen.
  void redrawAll();
  void sortClips();

  // Shared flags: start a new game at the next tick; the pick-game screen
  // asked for a demo.
  bool newGameNeeded = false;
  bool demoRequested = false;
};

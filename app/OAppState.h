#pragma once
#include <array>
#include <memory>

#include "app/OEngine.h"
#include "gfx/OClip.h"

class OMusic;

// The screens of the table that live for the whole run (one instance each).
enum class ScreenId : int {
  Restart,     // restart confirmation
  Menu,
  GameOver,
  PickGame,
  Top10,
  Help,
  ClearTop10,  // clear Top 10 confirmation
  Exit,        // exit confirmation
  Promotion,   // shown when the player quits
  Count
};

// Application-wide state: exactly one instance per run, owned by the main
// window. Screens reach it through their owner. Empty slots are allowed:
// the frame works with whatever screens the start-up put in.
struct OAppState {
  OAppState() = default;
  OAppState(const OAppState&) = delete;
  OAppState& operator=(const OAppState&) = delete;
  ~OAppState() { destroyAll(); }

  // The screen that receives input and ticks; screens push and pop
  // themselves through this slot.
  OEngine* currentScreen = nullptr;
  // None, or the screen to open next (see OMainWindow::requestScreen).
  OEngine* pendingScreen = nullptr;
  // Set to end the run; seen by the next tick.
  bool quitRequested = false;
  // Set at start-up, cleared when the first pick-game screen closes.
  bool firstStart = false;
  // The window-mode setting: full screen wanted.
  bool windowMode = false;
  // The zoom setting in percent: 0 lets the window pick the largest that fits.
  int zoom = 0;
  // Start windowed whatever the window-mode setting says (command line).
  bool forceWindowed = false;
  // The keyboard or a gamepad is in use: screens show their focus. Set by
  // the first navigation key, cleared by a pointer move.
  bool keysInUse = false;

  std::unique_ptr<OEngine> mainScreen;   // the controller's full-size main screen
  std::unique_ptr<OEngine> introScreen;  // deleted once it is no longer current
  std::array<std::unique_ptr<OEngine>, static_cast<size_t>(ScreenId::Count)> screens;
  // The options screen of the running game's family; the game fills and
  // empties this slot as it comes and goes.
  std::unique_ptr<OEngine> familyOptions;

  // Shared pictures: letter sets "clp/alph.clp" .. "clp/alph4.clp", the
  // spark, the curtain frame and the six buttons "clp/bt%d.clp".
  std::array<std::unique_ptr<OClip>, 4> letters;
  std::unique_ptr<OClip> spark;
  std::unique_ptr<OClip> frame;
  std::array<std::unique_ptr<OClip>, 6> buttons;

  // The background music (not owned); none until the sound layer is set up.
  OMusic* music = nullptr;

  OEngine* screen(ScreenId id) const { return screens[static_cast<size_t>(id)].get(); }

  // Deletes the screens and the shared pictures in the order the end of the
  // run needs: main screen, table screens, intro, family options, letters,
  // spark and frame, buttons.
  void destroyAll();
};

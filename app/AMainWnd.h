#pragma once
#include <array>
#include <memory>
#include <string>
#include <vector>

#include "app/OAppState.h"
#include "app/OEngine.h"
#include "game/AGameHost.h"
#include "storage/OConfig.h"
#include "storage/Settings.h"

class AClipString;
class AGameWnd;
class OClipButton;
class OMusic;
class OSound;

// The application controller and the full-size main screen every game is
// played on. It loads the shared pictures and the settings, owns the
// running game, turns the pick-game choice into a game, runs the panel
// buttons, covers itself with a curtain of tiles whenever another screen
// opens over it, and writes the settings back when it is destroyed.
class AOptionsWnd;

class AMainWnd : public OEngine, public AGameHost {
public:
  // Controller states.
  enum State : int {
    kOpened = 0,        // nothing chosen yet
    kWaitingPick = 1,   // the pick-game screen is on its way
    kPlaying = AGameHost::kPlaying,  // the game gets ticks and input
    kCovering = 4,      // tiles are being laid
    kUncovering = 5,    // tiles are being taken away
    kCovered = 6,       // fully covered: a pending screen may open
    kGameOverShown = AGameHost::kGameOverShown,  // the next release opens the game-over screen
  };
  // Panel buttons, in the order they are laid from the right.
  enum Button : int { kExit = 0, kWindowMode, kMinimise, kHelp, kOptions, kNewGame, kButtonCount };
  // Tiles laid or taken per tick while the animation setting is on.
  static constexpr int kTilesPerTick = 10;
  static constexpr int kClickSound = 1000000;

  AMainWnd(OMainWindow& owner, int x, int y, int width, int height);
  // The controller of a main window, or nullptr before it exists.
  static AMainWnd* of(const OMainWindow& window);
  // Stops the music, saves the running game and writes the settings file.
  ~AMainWnd() override;

  // Start-up loading: pictures, settings, panel, texts and the closed
  // curtain. Shows the reinstall message and exits when a picture is missing.
  bool load() override;
  // Replaces the running game by one of `family` and `kind`.
  void createGame(int family, int kind);
  // The leave sequence: covers the screen with tiles.
  void coverScreen();
  // Every way out (the exit button, the menu, the window's close): quits at
  // once when no game runs or autosave will bring it back, else asks
  // "QUIT THE GAME?" (once: a question already on its way is kept).
  void requestQuit() override;
  // Exit status of a run whose saving at exit failed.
  static constexpr int kSaveFailedExitCode = 3;

  void tick(int elapsed) override;
  OClipControl* onMouseMove(int x, int y) override;
  OClipControl* onRButtonDown(int x, int y) override;
  OClipControl* onRButtonUp(int x, int y) override;
  OClipControl* onLButtonDown(int x, int y) override;
  OClipControl* onLButtonUp(int x, int y) override;
  void onKeyDown(int key, int mods) override;
  // While a game is played the board's cursor is the only target (the game
  // moves it and takes Return itself); otherwise the panel buttons.
  void collectFocusTargets(std::vector<FocusTarget>& out) const override;
  bool pressFocus() override;
  // On the Gyrex board B turns the other way (Backspace) instead of Escape.
  int keyForPad(int padKey) const override;
  int onKeyUp(int key, int mods) override;
  void onControlClicked(OClipControl* control) override;
  void onChar(unsigned char ch, int mods) override;
  void onChildClosed(OEngine* child, int result) override;
  void open(OEngine** slot) override;
  void close(int result) override;
  // Closed (a pending screen may open) in states 0, 1 and 6.
  ScreenPhase phase() const override;
  void startClosing() override { coverScreen(); }

  // The host services of the running game.
  OEngine& screen() override { return *this; }
  OMainWindow& owner() const override { return OEngine::owner(); }
  OAppState& app() const override;
  zb::Settings& settings() override { return settings_; }
  OSound* sound() const override { return sound_.get(); }
  OMusic* music() const override { return music_.get(); }
  void playSound(int id, bool restart = false) override;
  void startMusic() override;
  void applyAnimation(bool on) override;
  bool closing() const override { return closing_; }
  OClip* font(int i) const override;
  OClip* star() const override;
  OClip* pausePicture() const override { return pausePicture_; }
  OClip* panelPicture() const override { return panelPicture_; }
  int state() const override { return state_; }
  void setState(int state) override { state_ = state; }
  int family() const override { return family_; }
  AGameWnd* game() const override { return game_.get(); }
  void requestScreen(ScreenId id) override;
  void showGameOverText(const std::string& text, int x, int y) override;
  // Standard error always; a message box while the window is open, else
  // the run ends with kSaveFailedExitCode.
  void reportSaveFailure(const std::string& text) override;
  OClipControl* baseMouseMove(int x, int y) override { return OEngine::onMouseMove(x, y); }
  OClipControl* baseLButtonDown(int x, int y) override { return OEngine::onLButtonDown(x, y); }
  OClipControl* baseLButtonUp(int x, int y) override;
  using OEngine::redrawAll;
  using OEngine::sortClips;

  OClipButton* button(int b) const { return buttons_[size_t(b)]; }
  const AClipString* menuText() const { return menuText_.get(); }
  const AClipString* gameOverText() const { return gameOverText_.get(); }
  int tileCount() const { return tileCount_; }
  int tilesShown() const { return int(tiles_.size()); }

  // Where "zenbox.cfg" and the "save" folder live; empty: the working directory.
  void setDataHome(const std::string& dir) { home_ = dir; }
  const std::string& dataHome() const { return home_; }
  std::string settingsPath() const;

private:
  struct Tile {
    OClip* clip;
    int cell;
  };

  bool loadPictures();
  void readSettings();
  void writeSettings(bool gameExists);
  void makePanel();
  void makeTexts();
  void buildCurtainCells();
  void addTiles(int count);
  void removeTiles(int count);
  OClip* makeTile(int cell, double depth);
  void trembleButtons();
  void scrollTicker();
  void choosePickedGame();
  void afterMenu(int choice);
  void onPanelButton(int b);
  void deleteGame();
  // Shows the background of the running family.
  void showFamilyBackground();
  void dropLeftoverSparks();
  OClip* loadClip(const std::string& file, double x, double y, double z, bool shown);

  int state_ = kOpened;
  zb::Settings settings_;
  OConfig settingsTree_;
  std::unique_ptr<OSound> sound_;
  std::unique_ptr<OMusic> music_;
  std::array<OClipButton*, kButtonCount> buttons_{};
  std::array<int, kButtonCount> homeX_{}, homeY_{};
  OClip* ticker_ = nullptr;
  std::unique_ptr<OBitmap> tickerStrip_;
  int tickerOffset_ = 0;
  std::unique_ptr<AClipString> menuText_;
  std::unique_ptr<AClipString> gameOverText_;
  uint32_t gameOverShownAt_ = 0;  // clock time the game-over text appeared
  bool menuRequested_ = false;
  OClip* panelBackground_ = nullptr;
  OClip* sinkraBackground_ = nullptr;
  OClip* tesselBackground_ = nullptr;  // only while Tessel plays
  OClip* pausePicture_ = nullptr;
  OClip* panelPicture_ = nullptr;
  bool loadFailed_ = false;
  std::vector<int> freeCells_;
  int tileColumns_ = 0, tileRows_ = 0, tileCount_ = 0;
  std::vector<Tile> tiles_;
  int family_ = 255;
  std::unique_ptr<AGameWnd> game_;
  std::unique_ptr<AOptionsWnd> commonOptions_;  // the options screen while no game runs
  std::string home_;
  bool closing_ = false;
};

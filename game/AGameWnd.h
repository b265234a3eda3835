#pragma once
#include <memory>
#include <string>
#include <vector>

#include "gfx/ORect.h"
#include "storage/OConfig.h"
#include "storage/SavedGame.h"
#include "storage/TScoresTable.h"

class AClipString;
class AGameHost;
class OClip;
class OClipControl;
class OEngine;

// The base of every game object. It is not a screen: it draws its captions
// and pictures on the main screen, which hands it ticks and input while a
// game is being played. The frame keeps what all games share (modes,
// level, variant, score, side-panel captions, the Top 10 table, options,
// saving and loading); the families fill in the game through the virtual
// operations.
class AGameWnd {
public:
  explicit AGameWnd(AGameHost& main);
  // Deletes the captions; saves nothing.
  virtual ~AGameWnd();
  AGameWnd(const AGameWnd&) = delete;
  AGameWnd& operator=(const AGameWnd&) = delete;

  // Advances the mode captions and bounces the pause picture; starts a new
  // game (and nothing else) while one is wanted.
  virtual void tick(int elapsed);
  // Pointer and key input forwarded by the main screen in its playing state.
  virtual OClipControl* onMouseMove(int x, int y);
  virtual OClipControl* onRButtonDown(int x, int y);
  // Pauses (Gyrex excepted).
  virtual OClipControl* onRButtonUp(int x, int y);
  // Leaves demo or replay, or resumes a paused game (not from the panel).
  virtual OClipControl* onLButtonDown(int x, int y);
  virtual OClipControl* onLButtonUp(int x, int y);
  // Leaves demo or replay; Pause pauses, F1 asks for help, any other key
  // resumes a paused game.
  virtual int onKeyDown(int key, int mods);
  // The board's key cursor on the main screen while keys are in use; false
  // when the board shows none.
  virtual bool keyFocusRect(ORect& /*rect*/) const { return false; }
  virtual int onKeyUp(int key, int mods);
  virtual void onControlClicked(OClipControl* control);
  virtual void onChar(unsigned char ch, int mods);
  // The options screen accepted: takes its explosion option, applies options.
  virtual void onChildClosed(OEngine* child, int result);
  virtual void onClipExpired(OClip* clip);
  virtual void onClipWaypoint(OClip* clip);
  virtual void onClipArrived(OClip* clip);
  // Runs once after the controller created the game.
  virtual void onFirstShow();
  virtual void onScreenClosed(int result);
  // Score 0, a real game to return to, fresh variant and level captions.
  virtual void newGame();
  // Writes the game file and the family's options file.
  virtual void saveGame();
  // Reads them back; a damaged file or autosave off means a new game.
  virtual void loadGame(int flag);
  virtual void saveUndoPoint();
  virtual void restoreUndoPoint();
  virtual void startDemo(bool takeSnapshot);
  virtual void stopDemo(bool restore);
  // Shows the game-over text; the next release opens the game-over screen.
  virtual void showGameOver();
  virtual void applyOptions();
  virtual void pause();
  virtual void resume();
  // Families load their rules and pictures here (end of buildPanel).
  virtual void loadGameResources();
  virtual void startReplay(bool takeSnapshot);
  virtual void stopReplay(bool restore);
  // Non-zero once the game (or a stage of it) has ended: 2 won, 1 lost.
  virtual int gameResult();
  // Family, variant, level and score captions of the side panel.
  virtual bool buildPanel();

  // Whether the game can show a replay of the last finished game.
  virtual bool canReplay() const { return false; }
  // The family's options screen, or nullptr when it has none.
  virtual OEngine* optionsScreen() const { return nullptr; }
  // A value the controller hands from this game to the next one of the
  // family it creates (-1: none), and its delivery to that next game.
  virtual int carryOver() const { return -1; }
  virtual void takeCarryOver(int) {}

  // The main screen is covered and stops moving its clips: captions still
  // flying would stay frozen where they are, in the margins the tiles leave
  // open too. Captions on their way out go, those on their way in land.
  virtual void onScreenCovered();
  size_t leavingCaptionCount() const { return leaving_.size(); }

  // A game that has begun and is neither over nor a demo.
  bool underWay();
  // The demo asked for by the player: afterwards the game goes back to
  // where it was only when a real game was in progress, else a new one starts.
  void beginDemo();

  bool paused() const { return paused_; }
  bool demo() const { return demo_; }
  bool replaying() const { return replaying_; }
  bool autosave() const { return autosave_; }
  bool explosionEffect() const { return explosionEffect_; }
  void setExplosionEffect(bool on) { explosionEffect_ = on; }
  bool undoPointTaken() const { return undoPointTaken_; }
  bool restoreAfterDemo() const { return restoreAfterDemo_; }

  int level = 0;
  int kind = 0;
  int speed = 3;
  int score = 0;
  std::vector<int> skins;

  TScoresTable& scores() { return saved_.scores; }
  OConfig& saveTree() { return saved_.tree; }
  zb::OSavedGame& savedGame() { return saved_; }
  AGameHost& main() const { return main_; }
  const std::string& saveName() const { return saveName_; }
  // Where the saved games go ("save/..." under it); empty: the working directory.
  void setSaveDir(const std::string& dir) { saved_.baseDir = dir; }
  // The Top 10 category of the running variant and level.
  std::string category() const;

  const AClipString* levelCaption() const { return levelCaption_.get(); }
  const AClipString* variantCaption() const { return variantCaption_.get(); }
  const AClipString* familyCaption() const { return familyCaption_.get(); }
  const AClipString* pausedCaption() const { return pausedCaption_.get(); }
  const AClipString* demoCaption() const { return demoCaption_.get(); }
  const AClipString* playCaption() const { return playCaption_.get(); }
  const AClipString* scoreLabel() const { return scoreLabel_.get(); }

protected:
  // The x the demo and replay captions are centred on.
  int panelCentre() const;
  // The x the board's captions (paused, game over) are centred on.
  int boardCentre() const;
  // Lays the variant and level captions out again for kind and level.
  void remakeVariantCaptions(int depth);
  std::unique_ptr<AClipString> makeCaption(int font, int x, int y, const std::string& text, int depth);
  // Centres a caption on x, keeping its y.
  static void centreOn(AClipString& text, int x);
  // Lets the caption leave the screen (flying out or hidden); the frame
  // keeps it until it is gone.
  void dismiss(std::unique_ptr<AClipString>& text);
  // The mode caption, "Click to" and "play", lineStep pixels apart.
  void makeModeCaptions(std::unique_ptr<AClipString>& head, const char* text, int x, int y,
                        int lineStep);
  void bouncePausePicture();

  int levelCaptionX = 600, levelCaptionY = 100;
  int familyCaptionX = 600, familyCaptionY = 40;
  int variantCaptionX = 600, variantCaptionY = 70;
  int scoreLabelX = 610, scoreLabelY = 320;
  int modeCaptionX = 620, modeCaptionY = 130;
  std::string saveName_ = "DefaultGame";
  int skinsQuantity_ = 0;

  bool autosave_ = false;
  bool demo_ = false;
  bool paused_ = false;
  bool replaying_ = false;
  bool explosionEffect_ = true;
  bool undoPointTaken_ = false;
  bool restoreAfterDemo_ = true;

private:
  AGameHost& main_;
  zb::OSavedGame saved_;
  std::unique_ptr<AClipString> replayingCaption_, pausedCaption_, clickToCaption_, playCaption_,
      demoCaption_;
  std::unique_ptr<AClipString> levelCaption_, familyCaption_, variantCaption_, scoreLabel_;
  std::vector<std::unique_ptr<AClipString>> leaving_;  // dismissed, still on their way out
};

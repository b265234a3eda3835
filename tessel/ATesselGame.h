#pragma once
#include <array>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "storage/OConfig.h"
#include "tessel/AReplayBuffer.h"
#include "tessel/ATesselWnd.h"

class AClipNum;
class AClipString;
class OClip;

namespace SpaceTessel {

class AGameField;
class AMyButton;

// The Tessel game object: one board, the launch buttons around it, the
// previews of the next colours, the Count and maxcount displays, a one-step
// undo, the record of the running game, the replay of the last finished
// one and the computer demo.
class ATesselGame : public ATesselWnd {
public:
  // Button lists, one slot per line (index line - 1).
  enum List : int { kTop = 0, kLeft, kRight, kBottom, kListCount };
  static constexpr int kSlots = 13;
  // Frames a settled board waits before the demo or a replay moves again.
  static constexpr int kIdleFrames = 45;

  explicit ATesselGame(AGameHost& main);
  ~ATesselGame() override;

  void loadGameResources() override;
  void newGame() override;
  void tick(int elapsed) override;
  OClipControl* onLButtonDown(int x, int y) override;
  void onControlClicked(OClipControl* control) override;
  void saveGame() override;
  void loadGame(int flag) override;
  void saveUndoPoint() override;
  void restoreUndoPoint() override;
  void startDemo(bool takeSnapshot) override;
  void stopDemo(bool restore) override;
  void startReplay(bool takeSnapshot) override;
  void stopReplay(bool restore) override;
  void applyOptions() override;
  int gameResult() override;
  bool canReplay() const override { return !oldGame_.empty(); }
  // The key cursor walks the launch buttons round the board: Left and
  // Right along the top and bottom, Up and Down along the sides, turning
  // the corners; Return or Space launches, U or Ctrl+Z is "UNDO".
  int onKeyDown(int key, int mods) override;
  bool keyFocusRect(ORect& rect) const override;
  // Ring positions, clockwise from the top left: the top side left to
  // right, the right side downwards, the bottom right to left, the left
  // side upwards; kSlots - 2 lines a side.
  static constexpr int kRingSide = kSlots - 2;
  static constexpr int kRingSize = 4 * kRingSide;
  // The button at ring position i (nullptr where no launch is possible).
  AMyButton* ringButton(int i) const;
  // The ring position of the key cursor, -1 before the first key.
  int ringCursor() const { return ringCursor_; }

  // A click on a launch button (ignored while a move runs).
  void launch(AMyButton* button);
  // The "UNDO" caption: one step back while an undo point is available.
  void undo();

  AGameField* board() const { return board_.get(); }
  AMyButton* button(int list, int line) const;
  int buttonCount() const;
  const std::vector<OClip*>& previews() const { return previews_; }
  const AReplayBuffer& replayBuffer() const { return replay_; }
  const std::string& oldGame() const { return oldGame_; }
  bool moveInProgress() const { return moveInProgress_; }
  bool undoAvailable() const { return undoAvailable_; }
  const AClipNum* countNumber() const { return countNumber_.get(); }
  const AClipNum* maxcountNumber() const { return maxcountNumber_.get(); }
  const AClipString* attemptsCaption(int i) const { return attempts_[size_t(i)].get(); }

private:
  // Pictures (ATesselGame.cpp).
  void loadCubePictures();
  void loadBorderPictures();
  void requirePicture(bool loaded, const std::string& file);
  void bindShared();

  // Board, buttons and displays (ATesselGame.cpp).
  void makeBoard(int gameMode);
  void rebuildButtons();
  void removeButtons();
  void removePreviews();
  void addPreview(int color, double x, double y);
  void refreshAttempts();
  void hideAttempts();
  void refreshCounts(bool onlyChanged);
  void sparkleOver(const AMyButton& button, int color);
  AMyButton* findButton(int side, int line) const;
  void shoot(int side, int line);
  // A board exists, cannot go on and has no cube left fading out.
  bool isOver();
  bool canLaunch(int side, int line) const;

  // The rhythm of a move (ATesselGameMove.cpp).
  void settleMove();
  void endOfGame();
  void demoMove();
  void replayMove();
  void restartDemoBoard();
  void restartReplayBoard();
  bool openReplayStream();

  // The key cursor (ATesselGameKeys.cpp): onto a button, and lit as the pointer lights one.
  void fitRingCursor();
  void lightRingCursor();

  // Saved state and undo (ATesselGameState.cpp).
  // A player's launch still in flight is not part of the board yet: goes
  // back to the board from before it, so a save or the snapshot a demo or
  // replay takes never holds half a move (nor its record without its end).
  void dropLaunchInFlight();
  void writeState(OConfig& tree);
  void readState(OConfig& tree);

  std::unique_ptr<AGameField> board_;
  std::array<std::array<AMyButton*, kSlots>, kListCount> buttons_{};
  std::vector<OClip*> previews_;
  std::array<std::unique_ptr<OClip>, 7> cubePictures_;  // index 1..6
  std::array<std::unique_ptr<OClip>, 6> borderH_, borderV_;
  std::unique_ptr<OClip> sparkle_;
  std::unique_ptr<AClipNum> countNumber_, maxcountNumber_;
  std::array<std::unique_ptr<AClipString>, 2> attempts_;
  AReplayBuffer replay_;
  std::string oldGame_;
  std::unique_ptr<std::istringstream> replayStream_;
  OConfig undoTree_;
  std::vector<int> loadedSkins_;
  bool moveInProgress_ = false;
  bool recordPending_ = false;
  bool undoAvailable_ = false;
  bool finished_ = false;
  // The press that began the current click resumed the game or left a demo
  // or replay: its release launches nothing.
  bool clickSpent_ = false;
  // A demo or replay reached its end; it starts over once the last board was seen.
  bool restartPending_ = false;
  int idleTicks_ = 0;
  int ringCursor_ = -1;
};

}  // namespace SpaceTessel

// Options, the one-step undo and the saved game.
#include <algorithm>

#include "game/AGameHost.h"
#include "tessel/AGameField.h"
#include "tessel/ATesselGame.h"

namespace SpaceTessel {
namespace {

const char* const kCurrentReplayKey = "Game.CurrentGameReplay";
const char* const kOldGameKey = "Game.OldGame";

}  // namespace

void ATesselGame::applyOptions() {
  speed = std::clamp(speed, 0, 5);
  if (board_) board_->VV = 6.0 * (speed + 1);
  shared().animation = main().settings().animation;
  // New pictures mean new cubes; a launch in flight finishes with the old ones.
  if (loadedSkins_ == skins || moveInProgress_) return;
  removeButtons();
  removePreviews();
  loadCubePictures();
  loadBorderPictures();
  bindShared();
  if (board_) {
    OConfig scratch;
    board_->SaveTo(scratch);
    int gameMode = board_->GameMode;
    makeBoard(gameMode);
    board_->LoadFrom(scratch);
  }
  rebuildButtons();
  main().redrawAll();
}

void ATesselGame::saveUndoPoint() {
  if (board_) {
    undoTree_.clearAll();
    undoTree_.setInt("Game.Options.Level", level);
    undoTree_.setInt("Game.Options.Score", score);
    board_->SaveTo(undoTree_);
    undoTree_.setInt("NewCubesNeeded", shared().newCubesNeeded ? 1 : 0);
    undoTree_.setInt("ReplayBufferSize", int(replay_.size()));
    undoAvailable_ = true;
  }
  ATesselWnd::saveUndoPoint();
}

void ATesselGame::restoreUndoPoint() {
  if (!undoAvailable_ || shared().saveDamaged) return;
  removeButtons();
  makeBoard(level);
  applyOptions();
  if (!board_->LoadFrom(undoTree_)) {
    main().newGameNeeded = true;
    return;
  }
  score = board_->Score;
  rebuildButtons();
  refreshCounts(false);
  shared().newCubesNeeded = undoTree_.getInt("NewCubesNeeded", 0) != 0;
  replay_.truncate(size_t(std::max(0, undoTree_.getInt("ReplayBufferSize", int(replay_.size())))));
  moveInProgress_ = false;
  recordPending_ = false;
  undoAvailable_ = false;
  undoPointTaken_ = false;
  tick(10000);
  refreshAttempts();
}

void ATesselGame::undo() {
  if (!undoAvailable_) return;
  restoreUndoPoint();
  showUndo(false);
}

void ATesselGame::dropLaunchInFlight() {
  if (moveInProgress_ && !demo_ && !replaying_ && undoAvailable_) restoreUndoPoint();
}

void ATesselGame::writeState(OConfig& tree) {
  tree.setString(kCurrentReplayKey, replay_.overflowed() ? std::string() : replay_.text());
  tree.setString(kOldGameKey, oldGame_);
  if (board_) board_->SaveTo(tree);
}

void ATesselGame::saveGame() {
  if (demo_) stopDemo(restoreAfterDemo_);
  if (replaying_) stopReplay(true);
  dropLaunchInFlight();
  writeState(saveTree());
  ATesselWnd::saveGame();
}

void ATesselGame::loadGame(int flag) {
  ATesselWnd::loadGame(flag);
  // Six picture sets per colour; any other number from the options file
  // would name a picture that does not exist.
  for (int& s : skins) s = std::clamp(s, 0, 5);
  readState(saveTree());
}

void ATesselGame::readState(OConfig& tree) {
  undoAvailable_ = false;
  std::string old = tree.getString(kOldGameKey);
  // The last finished game must read as a record, as the current one must:
  // any other text would only be carried from save to save.
  AReplayBuffer oldRecord;
  oldGame_ = !tree.failed() && oldRecord.parse(old) ? old : std::string();
  std::string current = tree.getString(kCurrentReplayKey);
  bool recordOk = !tree.failed() && replay_.parse(current);
  if (!main().newGameNeeded) {
    shared().saveDamaged = false;
    removeButtons();
    makeBoard(level);
    bool loaded = recordOk && board_->LoadFrom(tree);
    // A board of another variant or level would score in the wrong table;
    // one that cannot go on would never reach the end of its game.
    if (!loaded || board_->Rules != kind || board_->GameMode != level || board_->IsFinished()) {
      shared().saveDamaged = false;
      main().newGameNeeded = true;
      replay_.clear();
    } else {
      score = board_->Score;
      finished_ = false;
      rebuildButtons();
    }
  }
  refreshCounts(false);
  showScore();
  showUndo(false);
  applyOptions();
  if (board_) board_->VV = 6.0 * (speed + 1);
}

}  // namespace SpaceTessel

// The rhythm of a move (launch, settle, new cubes, next colours, new
// buttons), the end of a game, the computer demo and the replay.
#include "app/OAppState.h"
#include "game/AGameHost.h"
#include "tessel/AGameField.h"
#include "tessel/AGameFieldDemo.h"
#include "tessel/AMyButton.h"
#include "tessel/AReplayMove.h"
#include "tessel/ATesselGame.h"

namespace SpaceTessel {

void ATesselGame::newGame() {
  ATesselWnd::newGame();
  finished_ = false;
  hideAttempts();
  makeBoard(level);
  board_->FillCheckerboard();
  board_->PromoteNextColors(0);
  rebuildButtons();
  score = 0;
  showScore();
  refreshCounts(false);
  board_->VV = speed;
  shared().saveDamaged = false;
  undoAvailable_ = false;
  moveInProgress_ = false;
  recordPending_ = false;
  replay_.clear();
  // The record opens with the board as dealt, before the speed is applied.
  board_->WriteSnapshot(replay_.values());
  replay_.checkBound();
  applyOptions();
  showUndo(false);
}

void ATesselGame::tick(int elapsed) {
  bool starting = main().newGameNeeded;
  ATesselWnd::tick(elapsed);
  if (starting || !board_) return;
  if (shared().saveDamaged && !demo_) return;
  shared().animation = main().settings().animation;
  // The main screen moves Tessel sprites one 30 ms step per frame.
  board_->Update(30);
  score = board_->Score;
  // The buttons are made anew after each launch: the cursor finds its own again.
  if (main().app().keysInUse && ringCursor_ >= 0 && !paused_ && !demo_ && !replaying_) {
    fitRingCursor();
    lightRingCursor();
  }
  ++idleTicks_;
  if (moveInProgress_ && !board_->moveBusy && shared().noDyingCubes) {
    settleMove();
    return;
  }
  if (!moveInProgress_ && shared().noDyingCubes && !shared().cubesFadingIn && idleTicks_ > kIdleFrames) {
    if (restartPending_ && demo_) {
      restartDemoBoard();
    } else if (restartPending_ && replaying_) {
      restartReplayBoard();
    } else if (demo_) {
      demoMove();
    } else if (replaying_) {
      replayMove();
    }
  }
}

void ATesselGame::settleMove() {
  AFieldShared& s = shared();
  if (!replaying_ && recordPending_) {
    replay_.append(s.newCubesNeeded ? 1 : 0);
    recordPending_ = false;
  }
  if (s.newCubesNeeded && !isOver()) {
    if (replaying_) {
      if (!replayStream_ || !board_->ReplayNewCubes(*replayStream_)) {
        stopReplay(true);
        return;
      }
    } else {
      board_->AddNewCubes(demo_ ? nullptr : &replay_.values());
      replay_.checkBound();
    }
  }
  idleTicks_ = 0;
  removeButtons();
  removePreviews();
  if (!replaying_) {
    board_->PromoteNextColors(board_->shotSide);
    board_->PickNextColors(board_->shotSide);
  }
  if (isOver()) {
    endOfGame();
    return;
  }
  rebuildButtons();
  moveInProgress_ = false;
  if (board_->scoreChanged) score = board_->Score;
  board_->scoreChanged = false;
  refreshCounts(true);
  if (loadedSkins_ != skins) applyOptions();
}

void ATesselGame::endOfGame() {
  moveInProgress_ = false;
  score = board_->Score;
  board_->scoreChanged = false;
  board_->maxcountChanged = false;
  refreshCounts(false);
  bool empty = board_->IsEmpty();
  removeButtons();
  hideAttempts();
  if (demo_ || replaying_) {
    restartPending_ = true;
    idleTicks_ = 0;
  } else {
    if (empty) board_.reset();
    finished_ = true;
    showUndo(false);
    undoAvailable_ = false;
    // A record that outgrew its bound cannot be replayed.
    oldGame_ = replay_.overflowed() ? std::string() : replay_.text();
    showGameOver();
  }
}

void ATesselGame::startDemo(bool takeSnapshot) {
  if (demo_) return;
  dropLaunchInFlight();
  moveInProgress_ = false;
  ATesselWnd::startDemo(takeSnapshot);
  restartDemoBoard();
  showUndo(false);
  applyOptions();
}

void ATesselGame::restartDemoBoard() {
  restartPending_ = false;
  hideAttempts();
  makeBoard(0);
  board_->FillCheckerboard();
  rebuildButtons();
  score = board_->Score;
  refreshCounts(false);
  moveInProgress_ = false;
  idleTicks_ = 0;
}

void ATesselGame::stopDemo(bool restore) {
  makeBoard(level);
  ATesselWnd::stopDemo(restore);
  if (board_ && !board_->IsEmpty()) rebuildButtons();
  hideAttempts();
  if (board_ && board_->FinalCount >= 0) refreshAttempts();
  shared().noDyingCubes = true;
  tick(10000);
  moveInProgress_ = false;
  applyOptions();
  replayStream_.reset();
}

void ATesselGame::demoMove() {
  ADemoMove m = ChooseDemoMove(*board_);
  shared().newCubesNeeded = false;
  idleTicks_ = 0;
  if (!canLaunch(m.side, m.line)) return;
  if (AMyButton* b = findButton(m.side, m.line)) sparkleOver(*b, board_->CurrentColor(m.side));
  shoot(m.side, m.line);
}

bool ATesselGame::openReplayStream() {
  restartPending_ = false;
  replayStream_ = std::make_unique<std::istringstream>(oldGame_);
  makeBoard(level);
  if (!board_->ReadSnapshot(*replayStream_)) {
    // A record whose opening is refused cannot be shown, and is no damage
    // to the game that goes on.
    shared().saveDamaged = false;
    oldGame_.clear();
    return false;
  }
  board_->VV = 6.0 * (speed + 1);
  score = board_->Score;
  board_->scoreChanged = true;
  refreshCounts(false);
  rebuildButtons();
  moveInProgress_ = false;
  idleTicks_ = 0;
  return true;
}

void ATesselGame::restartReplayBoard() {
  if (!openReplayStream()) stopReplay(true);
}

void ATesselGame::startReplay(bool takeSnapshot) {
  if (replaying_ || oldGame_.empty()) return;
  // The menu that offers the replay pauses the game; a replay is watched, not paused.
  if (paused_) resume();
  dropLaunchInFlight();
  moveInProgress_ = false;
  ATesselWnd::startReplay(takeSnapshot);
  hideAttempts();
  removeButtons();
  showUndo(false);
  if (!openReplayStream()) stopReplay(true);
}

void ATesselGame::stopReplay(bool restore) {
  makeBoard(level);
  ATesselWnd::stopReplay(restore);
  rebuildButtons();
  hideAttempts();
  if (board_ && board_->FinalCount >= 0) refreshAttempts();
  tick(1000);
  replayStream_.reset();
}

void ATesselGame::replayMove() {
  AReplayMove m;
  idleTicks_ = 0;
  if (!replayStream_ || !m.read(*replayStream_) || !canLaunch(m.side, m.line())) {
    stopReplay(true);
    return;
  }
  m.applyColors(*board_);
  shared().newCubesNeeded = m.newCubes != 0;
  if (AMyButton* b = findButton(m.side, m.line())) sparkleOver(*b, board_->CurrentColor(m.side));
  shoot(m.side, m.line());
}

}  // namespace SpaceTessel

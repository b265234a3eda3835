// The Gyrex game's saved state, demos and replays.
#include <string>

#include "game/AGameHost.h"
#include "gyrex/AMyGame.h"

namespace SpaceGyrex {
namespace {

constexpr const char* kLastGamePrefix = "ReplayData";
constexpr const char* kBackupPrefix = "replay_data";

}  // namespace

void AMyGame::saveGame() {
  if (demo_) stopDemo(restoreAfterDemo_);
  if (replaying_) stopReplay(true);
  // At rest the field as it stands is the one to come back to, its clock
  // included; in mid-move the last kept position stands.
  if (!main().newGameNeeded && !damagedSave_ && !field_.demo && !field_.gameOver &&
      field_.state == RVisualField::kIdle && !field_.rowPending) {
    keepSettled();
  }
  // Every key of a Gyrex save is written afresh below (the frame adds its
  // own): whatever else a loaded file held is not carried over, so junk
  // cannot grow a save, nor the tail of a longer recording linger.
  OConfig& tree = saveTree();
  tree.clearAll();
  lastGame_.SaveTo(tree, kLastGamePrefix);
  if (!damagedSave_) {
    // The position of the last settled move, never one half animated.
    for (const auto& [key, raw] : settleTree_.values()) tree.setRaw(key, raw);
    backup_.SaveTo(tree, kBackupPrefix);
  }
  AGyrexWnd::saveGame();
}

void AMyGame::loadGame(int flag) {
  AGyrexWnd::loadGame(flag);
  resumeFrom(saveTree());
  // All of it is read now and written afresh at the next save.
  saveTree().clearAll();
}

void AMyGame::resumeFrom(OConfig& tree) {
  RRecorder last;
  if (last.LoadFrom(tree, kLastGamePrefix)) {
    last.CopyTo(lastGame_);
  } else {
    replayAvailable = false;
  }
  applyOptions();
  if (main().newGameNeeded) return;
  useRules(kind, level);
  field_.demo = false;
  field_.New();
  preview_.New();
  RRecorder backup;
  if (!field_.LoadFrom(tree) || !preview_.LoadFrom(tree) || !backup.LoadFrom(tree, kBackupPrefix)) {
    // A damaged save is not restored; a fresh game starts instead.
    damagedSave_ = true;
    main().newGameNeeded = true;
    field_.New();
    preview_.New();
    return;
  }
  backup.CopyTo(live_);
  // Saved at the end of the game (quit before the game-over screen): end it again.
  bool rowDue = preview_.visibleElems > field_.rightColumn * kSegments + kSegments;
  if (!rowDue && !field_.FindHint()) field_.gameOver = true;
  field_.rowPending = rowDue;
  keepSettled();
  score = field_.score();
  overShown_ = false;
  placeScoreNumber();
}

void AMyGame::startDemo(bool takeSnapshot) {
  if (demo_) return;
  RRecorder recording;
  if (!recording.LoadFrom(demoTree_, OConfig::key("demo%d", kind))) return;
  AGyrexWnd::startDemo(takeSnapshot);
  if (!demo_) return;
  recording.CopyTo(live_);
  useRules(recording.gameKind, recording.level);
  replayFromStart();
}

void AMyGame::stopDemo(bool restore) {
  field_.demo = false;
  useRules(kind, level);
  AGyrexWnd::stopDemo(restore);
}

void AMyGame::startReplay(bool takeSnapshot) {
  if (replaying_ || !replayAvailable) return;
  // The menu that leads here pauses "Time Mania"; a replay must run.
  if (paused_) resume();
  AGyrexWnd::startReplay(takeSnapshot);
  lastGame_.CopyTo(live_);
  useRules(lastGame_.gameKind, lastGame_.level);
  replayFromStart();
}

void AMyGame::stopReplay(bool restore) {
  field_.demo = false;
  useRules(kind, level);
  AGyrexWnd::stopReplay(restore);
}

}  // namespace SpaceGyrex

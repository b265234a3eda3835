#include "gyrex/AMyGame.h"

#include <cstdio>
#include <cstdlib>
#include <string>

#include "game/AGameHost.h"
#include "app/OMainWindow.h"
#include "gfx/OClip.h"
#include "platform/Language.h"

namespace SpaceGyrex {
namespace {

constexpr int kTimeMania = 2;
constexpr const char* kCursorPicture = "clp/Gyrex/cursor.clp";

}  // namespace

AMyGame::AMyGame(AGameHost& main) : AGyrexWnd(main) {
  field_.name = "gamefield";
  field_.originX = kMainX;
  field_.originY = kMainY;
  preview_.name = "gamerow";
  preview_.isRow = true;
  preview_.originX = kPreviewX;
  preview_.originY = kPreviewY;
  field_.preview = &preview_;
  field_.recorder = &live_;
  field_.playSound = [this](int slot, bool restart) { this->main().playSound(slot, restart); };
  field_.onSettled = [this] { keepSettled(); };
}

// The fields take their sprites off the screen as they go.
AMyGame::~AMyGame() = default;

void AMyGame::loadGameResources() {
  auto fatal = [this](const std::string& message) {
    main().owner().reportError("%s", message.c_str());
    std::exit(1);
  };
  cursorPicture_ = std::make_unique<OClip>();
  if (!cursorPicture_->load(kCursorPicture)) fatal(zb::tr("Game init error. Please reinstall game"));
  if (!demoTree_.loadEncrypted(kDemoFile, kRulesKeyText)) {
    fatal(dataFileMessage(zb::tr("Demo file not found. Please reinstall game").c_str(), kDemoFile));
  }
  if (!rulesTree_.loadEncrypted(kRulesFile, kRulesKeyText)) {
    fatal(dataFileMessage(zb::tr("Main configuration file not found. Please reinstall game").c_str(), kRulesFile));
  }
  char file[40];
  for (int p = 0; p < kSegments; ++p) {
    std::snprintf(file, sizeof file, "clp/Gyrex/bg%d.clp", 7 + p);
    segmentPictures_[size_t(p)] = std::make_unique<OClip>();
    segmentPictures_[size_t(p)]->load(file);  // a missing picture leaves its segments unseen
  }
  fieldsToScreen();
}

void AMyGame::fieldsToScreen() {
  RPictures pictures;
  for (int p = 0; p < kSegments; ++p) pictures.segments[size_t(p)] = segmentPictures_[size_t(p)].get();
  pictures.cursor = cursorPicture_.get();
  pictures.star = main().star();
  pictures.choices = colourChoices();
  field_.attach(screen(), pictures);
  preview_.attach(screen(), pictures);
  applyOptions();
  main().sortClips();
}

void AMyGame::useRules(int gameKind, int gameLevel) {
  rules_ = RRules::Read(rulesTree_, gameKind, gameLevel);
  for (RVisualField* f : {&field_, &preview_}) {
    f->rules = rules_;
    f->variant = gameKind;
  }
}

void AMyGame::applyOptions() {
  for (RVisualField* f : {&field_, &preview_}) {
    f->speed = gyrexSpeed();
    f->sparkles = main().settings().animation;
    f->setChoices(colourChoices());
  }
}

void AMyGame::startRecording() {
  live_.Reset();
  live_.TakeField(field_);
  if (kind == 1 || kind == 2) live_.AddRow(preview_);
  live_.gameKind = kind;
  live_.level = level;
  field_.clock = 0;
  field_.recording = true;
}

void AMyGame::keepSettled() {
  settleTree_.clearAll();
  field_.SaveTo(settleTree_);
  preview_.SaveTo(settleTree_);
  live_.CopyTo(backup_);
}

bool AMyGame::restoreSettled() {
  useRules(kind, level);
  field_.demo = false;
  if (!settleTree_.hasSection(field_.name) || !field_.LoadFrom(settleTree_)) return false;
  if (!preview_.LoadFrom(settleTree_)) return false;
  backup_.CopyTo(live_);
  score = field_.score();
  overShown_ = false;
  return true;
}

void AMyGame::newGame() {
  AGyrexWnd::newGame();
  overShown_ = false;
  damagedSave_ = false;
  useRules(kind, level);
  applyOptions();
  field_.demo = false;
  field_.New();
  preview_.New();
  startRecording();
  field_.FindHint();
  if (!demo_) keepSettled();
  score = 0;
  placeScoreNumber();
}

void AMyGame::tick(int elapsed) {
  AGyrexWnd::tick(elapsed);
  if (main().newGameNeeded) return;
  if (!paused_) {
    field_.Update(elapsed);
    preview_.Update(elapsed);
  }
  score = field_.score();
  if (demo_ || replaying_) {
    // A finished (or run-out) playback starts again from its beginning.
    if (field_.gameOver || field_.playbackDone()) replayFromStart();
    return;
  }
  if (field_.gameOver && !overShown_) {
    overShown_ = true;
    live_.CopyTo(lastGame_);
    showGameOver();
  }
}

void AMyGame::replayFromStart() {
  field_.speed = gyrexSpeed();
  field_.startPlayback();
  score = field_.score();
}

OClipControl* AMyGame::onMouseMove(int x, int y) {
  if (playing()) {
    field_.PointAt(x, y);
    if (overHintCaption(x, y)) field_.ShowHint();
  }
  return AGyrexWnd::onMouseMove(x, y);
}

OClipControl* AMyGame::onLButtonDown(int x, int y) {
  if (playing()) field_.Click(x, y, true);
  return AGyrexWnd::onLButtonDown(x, y);
}

OClipControl* AMyGame::onRButtonDown(int x, int y) {
  if (playing()) field_.Click(x, y, false);
  return AGyrexWnd::onRButtonDown(x, y);
}

void AMyGame::pause() {
  // Only the timed variant can be paused.
  if (kind != kTimeMania) return;
  bool was = paused_;
  AGyrexWnd::pause();
  if (!was && paused_) {
    field_.setHidden(true);
    preview_.setHidden(true);
  }
}

void AMyGame::resume() {
  bool was = paused_;
  AGyrexWnd::resume();
  if (was) {
    field_.setHidden(false);
    preview_.setHidden(false);
  }
}

void AMyGame::saveUndoPoint() { AGyrexWnd::saveUndoPoint(); }

void AMyGame::restoreUndoPoint() {
  if (!undoPointTaken()) return;
  undoPointTaken_ = false;
  if (!restoreSettled()) main().newGameNeeded = true;
}

int AMyGame::gameResult() { return field_.gameOver && !demo_ && !replaying_ ? 1 : 0; }

}  // namespace SpaceGyrex

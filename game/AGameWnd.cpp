#include "game/AGameWnd.h"

#include "game/AGameHost.h"
#include "app/OMainWindow.h"
#include "audio/OMusic.h"
#include "game/GameCatalog.h"
#include "platform/KeyCodes.h"
#include "ui/AClipString.h"
#include "ui/AOptionsWnd.h"
#include "platform/Language.h"

namespace {

// Letter sets of the captions.
constexpr int kAlph = 0, kAlph2 = 1, kAlph4 = 3;

}  // namespace

AGameWnd::AGameWnd(AGameHost& main) : main_(main) {}

AGameWnd::~AGameWnd() = default;

std::unique_ptr<AClipString> AGameWnd::makeCaption(int font, int x, int y, const std::string& text,
                                                   int depth) {
  return std::make_unique<AClipString>(main_.font(font), &main_.screen(), x, y, text, depth, true,
                                       main_.star());
}

void AGameWnd::centreOn(AClipString& text, int x) {
  text.moveText(x - text.width() / 2, text.y(), text.depth(), text.animated());
}

void AGameWnd::dismiss(std::unique_ptr<AClipString>& text) {
  if (!text) return;
  text->flyOut();
  leaving_.push_back(std::move(text));
}

void AGameWnd::onScreenCovered() {
  leaving_.clear();
  for (auto* caption : {&replayingCaption_, &demoCaption_, &pausedCaption_, &clickToCaption_,
                        &playCaption_, &familyCaption_, &variantCaption_, &levelCaption_,
                        &scoreLabel_}) {
    if (*caption) (*caption)->land();
  }
}

int AGameWnd::boardCentre() const { return main_.family() == zb::kFamilyGyrex ? 280 : 300; }

int AGameWnd::panelCentre() const { return main_.family() == zb::kFamilyGyrex ? 665 : 700; }

bool AGameWnd::underWay() {
  return !main_.newGameNeeded && !demo_ && !replaying_ && gameResult() == 0;
}

void AGameWnd::beginDemo() {
  if (demo_) return;
  restoreAfterDemo_ = !main_.newGameNeeded && gameResult() == 0;
  startDemo(true);
}

std::string AGameWnd::category() const { return TScoresTable::categoryText(kind, level); }

bool AGameWnd::buildPanel() {
  skins.assign(size_t(skinsQuantity_), 0);
  int family = main_.family();
  familyCaption_ = makeCaption(kAlph4, familyCaptionX, familyCaptionY, zb::familyCaption(family), -100);
  if (family != zb::kFamilyGyrex) {
    familyCaption_->moveText(600 + (200 - familyCaption_->width()) / 2, familyCaptionY, -100,
                             familyCaption_->animated());
  }
  remakeVariantCaptions(-500);
  scoreLabel_ = makeCaption(kAlph4, scoreLabelX, scoreLabelY, zb::tr("Score"), -500);
  loadGameResources();
  return true;
}

void AGameWnd::remakeVariantCaptions(int depth) {
  int family = main_.family();
  int centre = family == zb::kFamilyGyrex ? 665 : 700;
  variantCaption_ = makeCaption(kAlph4, variantCaptionX, variantCaptionY,
                                zb::variantCaption(family, kind), depth);
  centreOn(*variantCaption_, centre);
  levelCaption_ = makeCaption(kAlph4, levelCaptionX, levelCaptionY, zb::tr(zb::levelCaption(level)), depth);
  centreOn(*levelCaption_, centre);
}

void AGameWnd::tick(int elapsed) {
  if (main_.newGameNeeded) {
    newGame();
    return;
  }
  for (auto* caption : {&replayingCaption_, &demoCaption_, &pausedCaption_, &clickToCaption_,
                        &playCaption_}) {
    if (*caption && !(*caption)->isGone()) (*caption)->tick(elapsed);
  }
  for (auto& caption : leaving_) caption->tick(elapsed);
  std::erase_if(leaving_, [](const std::unique_ptr<AClipString>& c) { return c->isGone(); });
  for (auto* caption : {&familyCaption_, &variantCaption_, &levelCaption_, &scoreLabel_}) {
    if (*caption) (*caption)->tick(elapsed);
  }
  if (paused_) bouncePausePicture();
}

void AGameWnd::bouncePausePicture() {
  OClip* pic = main_.pausePicture();
  if (!pic) return;
  bool gyrex = main_.family() == zb::kFamilyGyrex;
  double left = gyrex ? 35 : 30, right = gyrex ? 530 : 580;
  if (pic->x < left || pic->x + pic->width > right) {
    pic->vx = -pic->vx;
    pic->x = pic->x < left ? left : right - pic->width;
  }
  if (pic->y < 30 || pic->y + pic->height > 570) {
    pic->vy = -pic->vy;
    pic->y = pic->y < 30 ? 30 : 570 - pic->height;
  }
}

OClipControl* AGameWnd::onMouseMove(int x, int y) { return main_.baseMouseMove(x, y); }

OClipControl* AGameWnd::onRButtonDown(int, int) { return nullptr; }

OClipControl* AGameWnd::onRButtonUp(int, int) {
  if (!paused_ && main_.family() != zb::kFamilyGyrex) pause();
  return nullptr;
}

OClipControl* AGameWnd::onLButtonDown(int x, int y) {
  OClipControl* taken = main_.baseLButtonDown(x, y);
  if (demo_) {
    stopDemo(restoreAfterDemo_);
  } else if (replaying_) {
    stopReplay(true);
  } else if (paused_) {
    // Clicks on the side panel do not resume.
    int limit = main_.family() == zb::kFamilyGyrex ? 560 : 600;
    if (x < limit) resume();
  }
  return taken;
}

OClipControl* AGameWnd::onLButtonUp(int x, int y) { return main_.baseLButtonUp(x, y); }

int AGameWnd::onKeyDown(int key, int) {
  if (demo_) {
    stopDemo(restoreAfterDemo_);
  } else if (replaying_) {
    stopReplay(true);
  } else if (paused_) {
    if (key != zb::vk::Pause) resume();
  } else if (key == zb::vk::Pause) {
    pause();
  } else if (key == zb::vk::F1) {
    main_.requestScreen(ScreenId::Help);
  }
  return 0;
}

int AGameWnd::onKeyUp(int, int) { return 0; }
void AGameWnd::onControlClicked(OClipControl*) {}
void AGameWnd::onChar(unsigned char, int) {}
void AGameWnd::onClipExpired(OClip*) {}
void AGameWnd::onClipWaypoint(OClip*) {}
void AGameWnd::onClipArrived(OClip*) {}
void AGameWnd::onFirstShow() {}
void AGameWnd::onScreenClosed(int) {}
void AGameWnd::restoreUndoPoint() {}
void AGameWnd::applyOptions() {}
void AGameWnd::loadGameResources() {}
int AGameWnd::gameResult() { return 0; }

void AGameWnd::onChildClosed(OEngine* child, int result) {
  auto* options = dynamic_cast<AOptionsWnd*>(child);
  if (!options || result != 0) return;
  explosionEffect_ = options->explosionChecked();
  applyOptions();
}

void AGameWnd::saveUndoPoint() { undoPointTaken_ = true; }

void AGameWnd::newGame() {
  main_.newGameNeeded = false;
  score = 0;
  restoreAfterDemo_ = true;
  if (paused_) resume();
  remakeVariantCaptions(-100);
}

void AGameWnd::pause() {
  if (demo_) stopDemo(true);
  if (replaying_) stopReplay(true);
  if (paused_) return;
  paused_ = true;
  pausedCaption_ = makeCaption(kAlph, 180, 160, zb::tr("Paused"), -100000);
  clickToCaption_ = makeCaption(kAlph, 160, 260, zb::tr("Click to"), -10000);
  playCaption_ = makeCaption(kAlph, 200, 360, zb::tr("play"), -10000);
  for (auto* caption : {&pausedCaption_, &clickToCaption_, &playCaption_}) centreOn(**caption, boardCentre());
  if (main_.music()) main_.music()->stop();
  if (OClip* pic = main_.pausePicture()) {
    pic->x = 100;
    pic->y = 100;
    pic->z = -100;
    pic->vx = pic->vy = -2;
    pic->visible = true;
  }
  main_.sortClips();
  main_.redrawAll();
}

void AGameWnd::resume() {
  paused_ = false;
  dismiss(pausedCaption_);
  dismiss(clickToCaption_);
  dismiss(playCaption_);
  main_.startMusic();
  if (OClip* pic = main_.pausePicture()) {
    pic->visible = false;
    pic->vx = pic->vy = 0;
  }
}

void AGameWnd::makeModeCaptions(std::unique_ptr<AClipString>& head, const char* text, int x, int y,
                                int lineStep) {
  head = makeCaption(kAlph2, x, y, text, -10000);
  clickToCaption_ = makeCaption(kAlph2, x, y + lineStep, zb::tr("Click to"), -10000);
  playCaption_ = makeCaption(kAlph2, x + 40, y + 2 * lineStep, zb::tr("play"), -10000);
}

void AGameWnd::startDemo(bool takeSnapshot) {
  if (paused_) resume();
  if (demo_) return;
  if (replaying_) {
    stopReplay(false);
    takeSnapshot = false;
  }
  // Where the panel picture was, clear of the panel buttons; three lines of
  // 25 pixels keep "play" above the captions lower in the panel.
  makeModeCaptions(demoCaption_, zb::tr("Demo mode").c_str(), modeCaptionX, modeCaptionY, 25);
  if (OClip* panel = main_.panelPicture()) panel->visible = false;
  main_.redrawAll();
  if (takeSnapshot) saveUndoPoint();
  demo_ = true;
  for (auto* caption : {&demoCaption_, &clickToCaption_, &playCaption_}) centreOn(**caption, panelCentre());
}

void AGameWnd::stopDemo(bool restore) {
  demo_ = false;
  if (restore) restoreUndoPoint();
  dismiss(demoCaption_);
  dismiss(clickToCaption_);
  dismiss(playCaption_);
  if (OClip* panel = main_.panelPicture()) panel->visible = true;
  main_.redrawAll();
  if (!restoreAfterDemo_) main_.newGameNeeded = true;
}

void AGameWnd::startReplay(bool takeSnapshot) {
  if (demo_) {
    stopDemo(false);
    takeSnapshot = false;
  }
  if (replaying_) return;
  makeModeCaptions(replayingCaption_, zb::tr("Replaying").c_str(), modeCaptionX, modeCaptionY, 35);
  if (OClip* panel = main_.panelPicture()) panel->visible = false;
  if (takeSnapshot) saveUndoPoint();
  replaying_ = true;
  for (auto* caption : {&replayingCaption_, &clickToCaption_, &playCaption_})
    centreOn(**caption, panelCentre());
}

void AGameWnd::stopReplay(bool restore) {
  replaying_ = false;
  if (restore) restoreUndoPoint();
  dismiss(replayingCaption_);
  dismiss(clickToCaption_);
  dismiss(playCaption_);
  if (OClip* panel = main_.panelPicture()) panel->visible = true;
  main_.redrawAll();
}

void AGameWnd::showGameOver() {
  main_.showGameOverText(zb::tr("Game over!\n  \n Click to\n \n continue"), boardCentre(), 170);
  main_.setState(AGameHost::kGameOverShown);
}

void AGameWnd::saveGame() {
  if (demo_) stopDemo(restoreAfterDemo_);
  if (replaying_) stopReplay(true);
  autosave_ = main_.settings().globalAutosave;
  saved_.saveName = saveName_;
  saved_.kind = kind;
  saved_.frame.level = level;
  saved_.frame.score = score;
  saved_.frame.newGameNeeded = main_.newGameNeeded;
  saved_.options.skins.assign(skins.begin(), skins.end());
  saved_.options.speed = speed;
  saved_.options.explodeEffect = explosionEffect_;
  if (!saved_.save(autosave_)) main_.reportSaveFailure(zb::describeSaveFailures(saved_.failures));
}

void AGameWnd::loadGame(int) {
  saved_.saveName = saveName_;
  saved_.kind = kind;
  saved_.options.skins.assign(skins.begin(), skins.end());
  saved_.load(main_.settings().globalAutosave);
  level = saved_.frame.level;
  score = saved_.frame.score;
  autosave_ = saved_.frame.autosave;
  main_.newGameNeeded = saved_.frame.newGameNeeded;
  skins.assign(saved_.options.skins.begin(), saved_.options.skins.end());
  speed = saved_.options.speed;
  explosionEffect_ = saved_.options.explodeEffect;
  remakeVariantCaptions(-500);
}

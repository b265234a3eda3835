#include "tessel/ATesselGame.h"

#include <cstdio>
#include <cstdlib>

#include "app/OEngine.h"
#include "app/OMainWindow.h"
#include "game/AGameHost.h"
#include "game/AStar.h"
#include "tessel/AGameField.h"
#include "tessel/AMyButton.h"
#include "tessel/AReplayMove.h"
#include "tessel/CubePictures.h"
#include "ui/AClipNum.h"
#include "ui/AClipString.h"
#include "platform/Language.h"

namespace SpaceTessel {
namespace {

constexpr int kPanelFont = 3;    // "alph4": digits and small captions
constexpr int kCaptionFont = 1;  // "alph2"
constexpr int kButtonDepth = -10;
constexpr int kPreviewDepth = -100;

// The side a button list launches from.
constexpr int kListSide[ATesselGame::kListCount] = {kSideUp, kSideLeft, kSideRight, kSideDown};

}  // namespace

ATesselGame::ATesselGame(AGameHost& main) : ATesselWnd(main) {
  sparkle_ = std::make_unique<OClip>();
  if (!sparkle_->load("clp/tessel/gst.clp")) {
    main.owner().reportError("%s", zb::tr("File expl.clp not found! Please reinstall").c_str());
    std::exit(255);
  }
}

ATesselGame::~ATesselGame() {
  removeButtons();
  removePreviews();
  board_.reset();
  countNumber_.reset();
  maxcountNumber_.reset();
  for (auto& a : attempts_) a.reset();
  AFieldShared& s = shared();
  for (OClip*& p : s.cubePictures) p = nullptr;
  s.sparklePicture = nullptr;
  s.playSound = nullptr;
}

void ATesselGame::requirePicture(bool loaded, const std::string& file) {
  if (loaded) return;
  main().owner().reportError(zb::tr("Error: file %s not found!").c_str(), file.c_str());
  std::exit(255);
}

void ATesselGame::loadCubePictures() {
  for (int c = 1; c <= kColors; ++c) {
    int skin = c - 1 < int(skins.size()) ? skins[size_t(c - 1)] : 0;
    cubePictures_[size_t(c)] = std::make_unique<OClip>();
    requirePicture(loadCubePicture(skin, c, *cubePictures_[size_t(c)]), cubePictureFile(skin, c));
  }
}

void ATesselGame::loadBorderPictures() {
  char file[48];
  for (int i = 0; i < kColors; ++i) {
    int skin = i < int(skins.size()) ? skins[size_t(i)] : 0;
    borderH_[size_t(i)] = std::make_unique<OClip>();
    std::snprintf(file, sizeof file, "clp/Tessel/gbh%d_%d.clp", i, skin);
    requirePicture(borderH_[size_t(i)]->load(file), file);
    borderV_[size_t(i)] = std::make_unique<OClip>();
    std::snprintf(file, sizeof file, "clp/Tessel/gbv%d_%d.clp", i, skin);
    requirePicture(borderV_[size_t(i)]->load(file), file);
    shared().borderH = borderH_[size_t(i)]->height;
    shared().borderW = borderV_[size_t(i)]->width;
  }
  loadedSkins_ = skins;
}

void ATesselGame::bindShared() {
  AFieldShared& s = shared();
  for (int c = 1; c <= kColors; ++c) s.cubePictures[c] = cubePictures_[size_t(c)].get();
  s.sparklePicture = sparkle_.get();
  s.animation = main().settings().animation;
  s.playSound = [this](int slot) { main().playSound(slot, false); };
}

void ATesselGame::loadGameResources() {
  loadCubePictures();
  loadBorderPictures();
  bindShared();
  makeBoard(level);
  board_->PromoteNextColors(0);
  OClip& digits = *main().font(kPanelFont);
  countNumber_ = std::make_unique<AClipNum>(&main().screen(), digits, board_->Count, 2, 610, 256, 0, -500);
  maxcountNumber_ = std::make_unique<AClipNum>(&main().screen(), digits, board_->maxcount, 2, 732, 256, 0, -500);
  attempts_[0] = std::make_unique<AClipString>(main().font(kCaptionFont), &main().screen(), 81, 50, "", -500, false);
  attempts_[1] = std::make_unique<AClipString>(main().font(kCaptionFont), &main().screen(), 81, main().screen().height() - 65, "",
                                               -500, false);
  hideAttempts();
}

void ATesselGame::makeBoard(int gameMode) {
  removeButtons();
  removePreviews();
  restartPending_ = false;
  board_.reset();
  board_ = std::make_unique<AGameField>(&main().screen(), kind, gameMode);
  board_->VV = 6.0 * (speed + 1);
}

AMyButton* ATesselGame::button(int list, int line) const {
  if (list < 0 || list >= kListCount || line < 1 || line > kSlots) return nullptr;
  return buttons_[size_t(list)][size_t(line - 1)];
}

int ATesselGame::buttonCount() const {
  int n = 0;
  for (const auto& l : buttons_)
    for (AMyButton* b : l) n += b != nullptr;
  return n;
}

void ATesselGame::removeButtons() {
  for (auto& l : buttons_) {
    for (AMyButton*& b : l) {
      if (b) main().screen().removeControl(b, true);
      b = nullptr;
    }
  }
}

void ATesselGame::removePreviews() {
  for (OClip* p : previews_) main().screen().removeClip(p, true);
  previews_.clear();
}

void ATesselGame::addPreview(int color, double x, double y) {
  if (color < 1 || color > kColors || !cubePictures_[size_t(color)]) return;
  auto* clip = new OClip();
  clip->copyFrom(*cubePictures_[size_t(color)]);
  clip->x = x;
  clip->y = y;
  clip->z = kPreviewDepth;
  clip->moves = false;
  main().screen().addClip(clip);
  previews_.push_back(clip);
}

void ATesselGame::rebuildButtons() {
  removeButtons();
  removePreviews();
  if (!board_) return;
  const int bw = shared().borderW, bh = shared().borderH;
  for (int list = 0; list < kListCount; ++list) {
    int side = kListSide[list];
    bool horizontal = side == kSideUp || side == kSideDown;
    int color = board_->CurrentColor(side);
    const OClip* piece = (horizontal ? borderH_ : borderV_)[size_t(color - 1)].get();
    for (int line = kFirstInner; line <= kLastInner; ++line) {
      if (!piece || !canLaunch(side, line)) continue;
      auto* b = new AMyButton(&main().screen(), sparkle_.get(), &shared().animation, side, line, color);
      b->copyFrom(*piece);
      int w = b->width, h = b->height;
      if (horizontal) {
        b->x = kBoardX0 + bw + 12 + line * w;
        b->y = side == kSideUp ? kBoardY0 : kBoardBottom - (h + 4);
      } else {
        b->x = side == kSideLeft ? kBoardX0 : kBoardRight - w;
        b->y = kBoardY0 + bh + 12 + line * h;
      }
      b->z = kButtonDepth;
      b->moves = false;
      main().screen().addControl(b);
      buttons_[size_t(list)][size_t(line - 1)] = b;
    }
  }
  if (kind == 0 || kind == 2) {
    const OClip* pic = cubePictures_[1].get();
    addPreview(board_->nextColorDown, 637 + pic->width, 232 + pic->height);
  } else {
    addPreview(board_->nextColorUp, 670, 260);
    addPreview(board_->nextColorLeft, 630, 290);
    addPreview(board_->nextColorRight, 710, 290);
    addPreview(board_->nextColorDown, 670, 320);
  }
  refreshAttempts();
  main().sortClips();
}

void ATesselGame::hideAttempts() {
  for (auto& a : attempts_)
    if (a) a->setVisible(false);
}

void ATesselGame::refreshAttempts() {
  if (!board_ || board_->FinalCount < 0) {
    hideAttempts();
    return;
  }
  char text[48];
  std::snprintf(text, sizeof text, zb::tr("You have %d attemps only!").c_str(), board_->FinalCount);
  int ys[2] = {50, main().screen().height() - 65};
  for (int i = 0; i < 2; ++i) {
    if (!attempts_[size_t(i)]) continue;
    if (attempts_[size_t(i)]->text() != text || !attempts_[size_t(i)]->visible())
      attempts_[size_t(i)]->setText(main().font(kCaptionFont), &main().screen(), 81, ys[i], text, -500, false);
    attempts_[size_t(i)]->setVisible(true);
  }
}

void ATesselGame::refreshCounts(bool onlyChanged) {
  if (!board_) return;
  if (countNumber_ && (!onlyChanged || board_->countChanged)) countNumber_->setValue(board_->Count, false);
  if (maxcountNumber_ && (!onlyChanged || board_->maxcountChanged)) maxcountNumber_->setValue(board_->maxcount, false);
  board_->countChanged = false;
  board_->maxcountChanged = false;
}

void ATesselGame::sparkleOver(const AMyButton& b, int color) {
  if (!shared().animation) return;
  for (int i = 0; i < 10; ++i)
    main().screen().addClip(new AStar(*sparkle_, b.x, b.y, b.width, b.height, color - 1, -20));
}

AMyButton* ATesselGame::findButton(int side, int line) const {
  for (int list = 0; list < kListCount; ++list)
    if (kListSide[list] == side) return button(list, line);
  return nullptr;
}

bool ATesselGame::isOver() {
  if (!board_ || !board_->IsFinished() || !shared().noDyingCubes) return false;
  moveInProgress_ = false;
  return true;
}

int ATesselGame::gameResult() {
  if (finished_) return 1;
  return !moveInProgress_ && isOver() ? 1 : 0;
}

bool ATesselGame::canLaunch(int side, int line) const { return board_ && board_->CanLaunch(side, line); }

void ATesselGame::shoot(int side, int line) {
  int row = side == kSideDown ? kSize : side == kSideUp ? 0 : line;
  int column = side == kSideRight ? kSize : side == kSideLeft ? 0 : line;
  bool record = !demo_ && !replaying_;
  AReplayMove move = AReplayMove::capture(*board_, side, row, column);
  if (record) saveUndoPoint();
  if (!board_->Shoot(side, row, column)) return;
  for (int list = 0; list < kListCount; ++list) {
    if (kListSide[list] != side) continue;
    AMyButton*& b = buttons_[size_t(list)][size_t(line - 1)];
    if (b) main().screen().removeControl(b, true);
    b = nullptr;
  }
  moveInProgress_ = true;
  if (record) {
    showUndo(true);
    move.appendLaunch(replay_);
    recordPending_ = true;
  }
}

void ATesselGame::launch(AMyButton* b) {
  if (!b || !board_ || moveInProgress_ || shared().cubesFadingIn) return;
  if (paused_ || demo_ || replaying_) return;
  if (canLaunch(b->side(), b->line())) shoot(b->side(), b->line());
}

void ATesselGame::onControlClicked(OClipControl* control) {
  if (clickSpent_) return;
  for (auto& l : buttons_) {
    for (AMyButton* b : l) {
      if (b && b == control) {
        launch(b);
        return;
      }
    }
  }
  ATesselWnd::onControlClicked(control);
}

OClipControl* ATesselGame::onLButtonDown(int x, int y) {
  bool play = !demo_ && !replaying_ && !paused_;
  clickSpent_ = !play;
  OClipControl* taken = ATesselWnd::onLButtonDown(x, y);
  if (play && undoAvailable_ && undoHit(x, y)) undo();
  return taken;
}

}  // namespace SpaceTessel

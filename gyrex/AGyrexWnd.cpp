#include "gyrex/AGyrexWnd.h"

#include <algorithm>
#include <cstdio>

#include "game/AGameHost.h"
#include "app/OMainWindow.h"
#include "audio/OMusic.h"
#include "audio/OSound.h"
#include "app/OEngine.h"
#include "gfx/OClip.h"
#include "gyrex/AGyrexOptionsWnd.h"
#include "ui/AClipNum.h"
#include "ui/AClipString.h"
#include "platform/Language.h"

namespace SpaceGyrex {
namespace {

constexpr int kPanelFont = 3;  // "alph4": digits and small captions
constexpr int kScoreX = 560, kScoreY = 300, kScoreDigits = 8;
constexpr int kTimeMania = 2;
constexpr const char* kBackground = "clp/Gyrex/bgnet.clp";
// Just in front of the shared background, behind everything else.
constexpr double kBackgroundDepth = 799.5;

}  // namespace

AGyrexWnd::AGyrexWnd(AGameHost& main) : AGameWnd(main) {
  saveName_ = "Gyrex";
  skinsQuantity_ = kColourCount;
  // The board is wider than the other families': the panel starts at 540,
  // and the score label sits above its number.
  for (int* x : {&levelCaptionX, &familyCaptionX, &variantCaptionX, &scoreLabelX, &modeCaptionX}) *x -= 60;
  scoreLabelY = 270;
}

AGyrexWnd::~AGyrexWnd() {
  if (background_) screen()->removeClip(background_, true);
  scoreNumber_.reset();
  hintCaption_.reset();
  OAppState& app = main().app();
  if (app.familyOptions && app.pendingScreen == app.familyOptions.get()) app.pendingScreen = nullptr;
  app.familyOptions.reset();
  if (OSound* sound = main().sound()) {
    for (int id = 0; id < kSoundCount; ++id) sound->unload(id);
  }
  if (kind == kTimeMania && main().music()) main().music()->useSlowPlaylist();
}

OEngine* AGyrexWnd::screen() const { return &main().screen(); }

int AGyrexWnd::gyrexSpeed() const { return std::clamp(speed, 0, 4); }

void AGyrexWnd::loadSounds() {
  OSound* sound = main().sound();
  if (!sound) return;
  char file[40];
  for (int id = 0; id < kSoundCount; ++id) {
    std::snprintf(file, sizeof file, "wav/Gyrex/g%d.wav", id);
    sound->load(id, file);  // a missing effect is simply not heard
  }
}

void AGyrexWnd::showBackground() {
  auto picture = std::make_unique<OClip>();
  if (!picture->load(kBackground)) return;  // the shared background stays
  picture->x = picture->y = 0;
  picture->z = kBackgroundDepth;
  picture->moves = false;
  background_ = picture.release();
  screen()->addClip(background_);  // the screen owns it until the window goes
}

bool AGyrexWnd::buildPanel() {
  loadSounds();
  showBackground();
  if (kind == kTimeMania && main().music()) main().music()->useFastPlaylist();
  auto options = std::make_unique<AGyrexOptionsWnd>(main().owner(), *this);
  options->create();
  main().app().familyOptions = std::move(options);
  AGameWnd::buildPanel();
  setColourChoices({4, 2, 5, 0});
  hintCaption_ = std::make_unique<AClipString>(main().font(kPanelFont), screen(), kHintX, kHintY, zb::tr("SHOW\nSTEP"),
                                               -500, true, main().star());
  hintCaption_->setClickable(true);  // trembles while pointed at, like the panel texts
  placeScoreNumber();
  return true;
}

OEngine* AGyrexWnd::optionsScreen() const { return main().app().familyOptions.get(); }

void AGyrexWnd::placeScoreNumber() {
  if (!main().font(kPanelFont)) return;
  scoreNumber_ = std::make_unique<AClipNum>(screen(), *main().font(kPanelFont), std::max(score, 0), kScoreDigits,
                                            kScoreX, kScoreY, 0, -500);
  shownScore_ = score;
}

std::array<int, AGyrexWnd::kColourCount> AGyrexWnd::colourChoices() const {
  std::array<int, kColourCount> out{};
  for (int c = 0; c < kColourCount; ++c) {
    int v = c < int(skins.size()) ? skins[size_t(c)] : 0;
    out[size_t(c)] = ((v % kChoiceCount) + kChoiceCount) % kChoiceCount;
  }
  return out;
}

void AGyrexWnd::setColourChoices(const std::array<int, kColourCount>& choices) {
  skins.resize(size_t(kColourCount));
  for (int c = 0; c < kColourCount; ++c) skins[size_t(c)] = choices[size_t(c)];
}

bool AGyrexWnd::overHintCaption(int x, int y) const { return hintCaption_ && hintCaption_->hitTest(x, y); }

void AGyrexWnd::tick(int elapsed) {
  AGameWnd::tick(elapsed);
  if (hintCaption_) {
    // The demo and replay captions take its place, and it has no use then.
    bool shown = !demo_ && !replaying_;
    if (hintCaption_->visible() != shown) hintCaption_->setVisible(shown);
    hintCaption_->tick(elapsed);
  }
  if (scoreNumber_ && score != shownScore_) {
    scoreNumber_->setValue(std::max(score, 0), false);
    shownScore_ = score;
  }
}

void AGyrexWnd::onChildClosed(OEngine* child, int result) {
  auto* options = dynamic_cast<AGyrexOptionsWnd*>(child);
  if (options && result == 0) {
    speed = options->speed();
    level = options->level();
    setColourChoices(options->choices());
  }
  // The frame takes the explosion option and applies everything.
  AGameWnd::onChildClosed(child, result);
}

void AGyrexWnd::saveGame() {
  saveTree().setInt("Game.Options.CanReplay", replayAvailable ? 1 : 0);
  AGameWnd::saveGame();
}

void AGyrexWnd::loadGame(int flag) {
  AGameWnd::loadGame(flag);
  replayAvailable = saveTree().getInt("Game.Options.CanReplay", 0) != 0;
  std::array<int, kColourCount> choices = colourChoices();
  if (std::all_of(choices.begin(), choices.end(), [](int v) { return v == 0; })) setColourChoices({5, 2, 4, 0});
}

void AGyrexWnd::showGameOver() {
  AGameWnd::showGameOver();
  if (scoreNumber_) scoreNumber_->setValue(std::max(score, 0), false);
  shownScore_ = score;
  main().redrawAll();
  replayAvailable = true;
}

}  // namespace SpaceGyrex

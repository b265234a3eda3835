#include "sinkra/ASinkraWnd.h"

#include <algorithm>
#include <cstdio>

#include "game/AGameHost.h"
#include "app/OMainWindow.h"
#include "audio/OMusic.h"
#include "audio/OSound.h"
#include "sinkra/ASinkraOptionsWnd.h"
#include "ui/AClipNum.h"
#include "ui/AClipString.h"

namespace SpaceSinkra {
namespace {

constexpr int kPanelFont = 3;  // "alph4": digits and small captions
constexpr int kTitleFont = 2;  // "alph3": large titles

// A number of the boards drawn in digit cells on the main screen.
class ADrawnNumber : public CNumberView {
public:
  ADrawnNumber(AGameHost& main, int value, int digits, double x, double y, double z)
      : num_(&main.screen(), *main.font(kPanelFont), value, std::clamp(digits, 1, 12), x, y, 0, z) {
    this->value = value;
    this->x = x;
    this->y = y;
    this->z = z;
  }
  void setValue(int v) override {
    if (v != value) num_.setValue(v, false);
    value = v;
  }
  void moveTo(double nx, double ny, double nz) override {
    num_.moveTo(nx, ny, nz);
    x = nx;
    y = ny;
    z = nz;
  }
  void setOpacity(int level) override {
    num_.setOpacity(level);
    opacity = level;
  }
  void setVisible(bool on) override {
    num_.setVisible(on);
    visible = on;
  }
  int pixelWidth() const override {
    return num_.cellCount() > 0 ? num_.cellCount() * num_.cell(0).width : 0;
  }

private:
  AClipNum num_;
};

// A text of the boards drawn in clip letters on the main screen.
class ADrawnText : public CTextView {
public:
  ADrawnText(AGameHost& main, const std::string& t, int nx, int ny, int font = kPanelFont)
      : main_(main), font_(font) {
    setText(t, nx, ny);
  }
  void setText(const std::string& t, int nx, int ny) override {
    if (clip_ && t == text && nx == x && ny == y) return;
    CTextView::setText(t, nx, ny);
    clip_ = std::make_unique<AClipString>(main_.font(font_), &main_.screen(), nx, ny, t, depth_, false, main_.star());
    clip_->setVisible(visible);
  }
  void setVisible(bool on) override {
    visible = on;
    if (clip_) clip_->setVisible(on);
  }
  void flyIn(int nx, int ny, int depth) override {
    x = nx;
    y = ny;
    depth_ = depth;
    visible = true;
    clip_ = std::make_unique<AClipString>(main_.font(font_), &main_.screen(), nx, ny, text, depth, true, main_.star());
  }
  void tick(int ms) override {
    if (clip_) clip_->tick(ms);
  }
  int pixelWidth() const override { return clip_ ? clip_->width() : 0; }
  int pixelHeight() const override { return clip_ ? clip_->height() : 0; }

private:
  AGameHost& main_;
  int font_;
  int depth_ = -500;
  std::unique_ptr<AClipString> clip_;
};

}  // namespace

ASinkraWnd::ASinkraWnd(AGameHost& main) : AGameWnd(main) {
  saveName_ = "Sinkra";
  skinsQuantity_ = 6;
  // The family's panel sits a little left of and below the frame's.
  for (int* x : {&levelCaptionX, &familyCaptionX, &variantCaptionX, &scoreLabelX, &modeCaptionX}) *x -= 10;
  for (int* y : {&levelCaptionY, &familyCaptionY, &variantCaptionY, &scoreLabelY, &modeCaptionY}) *y += 25;
  scoreLabelBaseY_ = scoreLabelY;
}

ASinkraWnd::~ASinkraWnd() {
  scoreNumber_.reset();
  OAppState& app = main().app();
  if (app.familyOptions && app.pendingScreen == app.familyOptions.get()) app.pendingScreen = nullptr;
  app.familyOptions.reset();
  if (OSound* sound = main().sound()) {
    for (int id = kFirstSound; id <= kLastSound; ++id) sound->unload(id);
  }
  // At exit the music has stopped for good; switching lists would start a track.
  if ((kind == 1 || kind == 4) && main().music() && !main().closing()) main().music()->useSlowPlaylist();
}

void ASinkraWnd::loadSounds() {
  OSound* sound = main().sound();
  if (!sound) return;
  char file[64];
  for (int id = kFirstSound; id <= kLastSound; ++id) {
    std::snprintf(file, sizeof file, "wav/Sinkra/g%d.wav", id - kFirstSound + 1);
    sound->load(id, file);  // a missing effect is simply not heard
  }
}

bool ASinkraWnd::buildPanel() {
  loadSounds();
  if ((kind == 1 || kind == 4) && main().music()) main().music()->useFastPlaylist();
  auto options = std::make_unique<ASinkraOptionsWnd>(main().owner(), *this);
  options->create();
  main().app().familyOptions = std::move(options);
  scoreLabelY = scoreLabelBaseY_ + (kind == kTurnPlayKind ? kTurnPlayDrop : 0);
  AGameWnd::buildPanel();
  placeScoreNumber();
  return true;
}

OEngine* ASinkraWnd::optionsScreen() const { return main().app().familyOptions.get(); }

void ASinkraWnd::placeScoreNumber() {
  int y = scoreLabelY + 30;
  scoreNumber_ = std::make_unique<AClipNum>(&main().screen(), *main().font(kPanelFont), score, 8, scoreLabelX, y, 0, -500);
  shownScore_ = score;
}

void ASinkraWnd::setStartLevelOption(int option) { startLevel_ = std::clamp(option, 0, 5); }

void ASinkraWnd::tick(int elapsed) {
  AGameWnd::tick(elapsed);
  showScore();
}

void ASinkraWnd::showScore() {
  if (scoreNumber_ && score != shownScore_) {
    scoreNumber_->setValue(std::max(score, 0), false);
    shownScore_ = score;
  }
}

void ASinkraWnd::onChildClosed(OEngine* child, int result) {
  auto* options = dynamic_cast<ASinkraOptionsWnd*>(child);
  if (options && result == 0) {
    speed = options->speed();
    level = options->level();
    if (kind == 4) startLevel_ = options->startLevel();
    for (size_t c = 0; c < skins.size() && c < 6; ++c) skins[c] = options->skin(int(c));
  }
  // The frame takes the explosion option and applies everything.
  AGameWnd::onChildClosed(child, result);
}

void ASinkraWnd::playEffect(int id, bool restart) { main().playSound(id, restart); }

std::unique_ptr<CNumberView> ASinkraWnd::makeNumber(int value, int digits, double x, double y, double z) {
  return std::make_unique<ADrawnNumber>(main(), value, digits, x, y, z);
}

std::unique_ptr<CTextView> ASinkraWnd::makeText(const std::string& text, int x, int y) {
  return std::make_unique<ADrawnText>(main(), text, x, y);
}

std::unique_ptr<CTextView> ASinkraWnd::makeTitle(const std::string& text) {
  auto title = std::make_unique<ADrawnText>(main(), text, 0, 0, kTitleFont);
  title->setVisible(false);
  return title;
}

}  // namespace SpaceSinkra

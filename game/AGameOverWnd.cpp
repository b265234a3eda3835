#include "game/AGameOverWnd.h"

#include <algorithm>
#include <cstdio>

#include "game/AGameHost.h"
#include "app/OMainWindow.h"
#include "game/AGameWnd.h"
#include "platform/Clock.h"
#include "storage/TScoresTable.h"
#include "ui/OClipEdit.h"
#include "platform/Language.h"

namespace {

std::string scoreText(int score) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%08d", score);
  return buf;
}

bool blank(const std::string& s) { return s.find_first_not_of(' ') == std::string::npos; }

// The name stands inside the box's dark face, clear of its frame and
// centred in its height, with a cursor as tall as the letters.
void fitTextIntoBox(OClipEdit& edit, const OTextStyle& style) {
  constexpr int kInset = 8;
  OTextStyle saved = OBitmap::textStyle();
  OBitmap::textStyle() = style;
  int textHeight = OBitmap::textExtent("Ag").height;
  OBitmap::textStyle() = saved;
  if (textHeight <= 0 || edit.width <= 2 * kInset || edit.height < textHeight) return;
  int top = (edit.height - textHeight) / 2;
  edit.setTextArea(kInset, top, edit.width - kInset, top + textHeight);
  edit.setCursorHeight(std::max(1, textHeight - 5));
}

}  // namespace

AGameOverWnd::AGameOverWnd(OMainWindow& owner) : AFramedWnd(owner, 6, 10, 780, 580) {}

bool AGameOverWnd::qualifies(const TScoresTable& table, const std::string& category, int score) {
  if (score < 1) return false;
  std::vector<TScoresTable::Entry> top = table.topOfCategory(category);
  return top.size() < 10 || score >= top[9].score;
}

std::string AGameOverWnd::dateText(const std::tm& when) {
  char buf[48];
  std::snprintf(buf, sizeof buf, "%d-%d-%d", when.tm_mday, when.tm_mon + 1, when.tm_year);
  return buf;
}

std::string AGameOverWnd::entryName(const std::string& typed) {
  std::string name = typed.substr(0, kMaxName);
  return name.empty() ? "Anonymous" : name;
}

std::string AGameOverWnd::recordLine(const std::string& date, const std::string& name,
                                     const std::string& category, int score) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "%7d", score);
  return date + "\t" + name + "\t" + category + "\t" + buf;
}

void AGameOverWnd::open(OEngine** slot) {
  AGameHost* main = AGameHost::of(owner());
  if (main) {
    main->newGameNeeded = true;
    bool won = main->game() && main->game()->gameResult() == 2;
    main->playSound(won ? kWonSound : kLostSound);
  }
  openedAt_ = zb::nowMs();
  AFramedWnd::open(slot);
}

bool AGameOverWnd::strayClickTime() const {
  return zb::nowMs() - openedAt_ < AGameHost::kStrayClickMs;
}

OClipControl* AGameOverWnd::onLButtonDown(int x, int y) {
  return strayClickTime() ? nullptr : AFramedWnd::onLButtonDown(x, y);
}

OClipControl* AGameOverWnd::onLButtonUp(int x, int y) {
  return strayClickTime() ? nullptr : AFramedWnd::onLButtonUp(x, y);
}

void AGameOverWnd::buildContents() {
  OAppState& app = owner().app();
  AGameHost* main = AGameHost::of(owner());
  AGameWnd* game = main ? main->game() : nullptr;
  removeField();
  setTitle(newText(app.letters[2].get(), 215, 30, zb::tr("Game over!"), -10, false));
  setDefaultButton(newText(app.letters[0].get(), 250, height() - 75, zb::tr("Continue"), -10, true));
  int score = game ? game->score : 0;
  qualified_ = game && qualifies(game->scores(), game->category(), score);
  auto centred = [&](int font, int y, const std::string& text) {
    AClipString* t = newText(app.letters[size_t(font)].get(), 0, y, text, -10, false);
    t->moveText((width() - t->width()) / 2, y, -10, true);
  };
  if (!qualified_) {
    centred(2, 200, zb::tr("Your score"));
    centred(2, 270, scoreText(score));
    return;
  }
  centred(2, 150, zb::tr("Your score"));
  centred(2, 215, scoreText(score));
  edit_ = new OClipEdit();
  if (const OClip* box = app.buttons[3].get()) edit_->setPicture(*box);
  OTextStyle style;
  style.face = "Arial";
  style.size = 13;
  style.textColour = 0xFFFF00;
  edit_->setStyle(style);
  edit_->setTextColour(0xFFFF00);
  fitTextIntoBox(*edit_, style);
  std::string name = main->settings().playerName;
  edit_->setText(blank(name) ? "Anonymous" : name);
  edit_->x = (width() - edit_->width) / 2;
  edit_->y = 390;
  edit_->z = -1;
  addControl(edit_);
  edit_->setFocus(true);
  newText(app.letters[3].get(), int(edit_->x) + 5, 390 - 70, zb::tr("Enter Your name"), -10, false);
}

void AGameOverWnd::removeField() {
  if (!edit_) return;
  removeControl(edit_, true);
  edit_ = nullptr;
}

void AGameOverWnd::accept() {
  AGameHost* main = AGameHost::of(owner());
  AGameWnd* game = main ? main->game() : nullptr;
  if (!qualified_ || !game) {
    close(kAccepted);
    return;
  }
  std::string name = entryName(edit_ ? edit_->text() : "");
  main->settings().playerName = name;
  std::time_t now = std::time(nullptr);
  std::tm when{};
  localtime_r(&now, &when);
  game->scores().addLine(recordLine(dateText(when), name, game->category(), game->score));
  // Stored at once, so the record survives whatever happens next.
  game->saveGame();
  close(kAccepted);
  main->requestScreen(ScreenId::Top10);
}

void AGameOverWnd::cancel() {
  removeField();
  close(kCancelled);
  if (AGameHost* main = AGameHost::of(owner())) main->newGameNeeded = true;
}

void AGameOverWnd::onClosed() { removeField(); }

#include "game/ATop10Wnd.h"

#include <cstdio>

#include "game/AGameHost.h"
#include "app/OMainWindow.h"
#include "game/AGameWnd.h"
#include "game/GameCatalog.h"
#include "storage/TScoresTable.h"
#include "platform/Language.h"

namespace {

// The scrambling key of published lists.
constexpr unsigned char kScramble[] = {0x5A, 0x13, 0xC7, 0x2E, 0x91, 0x6B};

AGameWnd* runningGame(OMainWindow& owner) {
  AGameHost* main = AGameHost::of(owner);
  return main ? main->game() : nullptr;
}

}  // namespace

ATop10Wnd::ATop10Wnd(OMainWindow& owner) : AFramedWnd(owner, 6, 10, 780, 580) {}

void ATop10Wnd::open(OEngine** slot) {
  if (AGameWnd* game = runningGame(owner())) game->scores().addPlaceholders(game->kind * 100 + game->level);
  rows_.clear();
  AFramedWnd::open(slot);
}

void ATop10Wnd::buildContents() {
  OAppState& app = owner().app();
  OClip* rowFont = app.letters[3].get();
  rows_.clear();
  clear_ = publish_ = nullptr;
  note_ = nullptr;
  setTitle(newText(app.letters[2].get(), 300, 25, zb::tr("Top 10"), -10, false));
  AGameWnd* game = runningGame(owner());
  AGameHost* main = AGameHost::of(owner());
  bool anyScore = game && game->scores().hasScoresAboveZero(game->category());
  int buttonsY = height() - 45;
  setDefaultButton(newText(app.letters[0].get(), anyScore ? 360 : 310, buttonsY, zb::tr("Play!"), -10, true));
  if (!game) return;
  if (anyScore) {
    clear_ = newText(app.letters[0].get(), 560, buttonsY, zb::tr("Clear"), -10, true);
    publish_ = newText(app.letters[0].get(), 40, buttonsY, zb::tr("Publish"), -10, true);
  }
  newText(rowFont, 40, 90, zb::familyCaption(main->family()), -10, false);
  newText(rowFont, 320, 90, zb::top10VariantCaption(main->family(), game->kind), -10, false);
  newText(rowFont, 605, 90, zb::tr(zb::levelCaption(game->level)), -10, false);
  std::vector<TScoresTable::Entry> top = game->scores().topOfCategory(game->category());
  for (size_t i = 0; i < top.size() && i < 10; ++i) {
    int y = 135 + 37 * int(i);
    char score[16];
    std::snprintf(score, sizeof score, "%8d", top[i].score);
    rows_.push_back(newText(rowFont, 40, y, top[i].rec.name, -10, false));
    rows_.push_back(newText(rowFont, 560, y, score, -10, false));
  }
}

void ATop10Wnd::accept() { close(kAccepted); }

void ATop10Wnd::cancel() { close(kCancelled); }

void ATop10Wnd::onTextClicked(AClipString* text) {
  if (state() != kOpen) return;
  AGameWnd* game = runningGame(owner());
  if (text && text == clear_) {
    owner().requestScreen(owner().app().screen(ScreenId::ClearTop10));
  } else if (text && text == publish_ && game) {
    publish();
    // The text faded on its click; show it again for another go.
    text->refresh();
  } else {
    AFramedWnd::onTextClicked(text);
  }
}

void ATop10Wnd::onChildClosed(OEngine* child, int result) {
  AGameWnd* game = runningGame(owner());
  if (child == owner().app().screen(ScreenId::ClearTop10) && result == kAccepted && game) {
    game->scores().resetCategory(game->kind * 100 + game->level);
    game->saveGame();
  }
  AFramedWnd::onChildClosed(child, result);
}

void ATop10Wnd::publish() {
  AGameHost* main = AGameHost::of(owner());
  AGameWnd* game = main ? main->game() : nullptr;
  if (!game) return;
  std::string line = publishLine(game->scores(), game->category(),
                                 zb::top10VariantCaption(main->family(), game->kind),
                                 zb::levelCaption(game->level));
  bool copied = owner().platform().setClipboardText("Zenbox Top 10: " + line);
  // A score page exists only where the player set one up.
  const std::string& address = main->settings().publishAddress;
  bool sent = !address.empty() && owner().platform().openUrl(address + encode(line));
  const std::string note = zb::tr(sent ? (copied ? N_("Copied and sent") : N_("Sent")) : (copied ? N_("Copied to the clipboard") : N_("Clipboard not available")));
  if (note_) removeText(note_);
  note_ = newText(owner().app().letters[3].get(), 390, height() - 95, note, -10, false);
  AClipString* placed = note_;
  placed->moveText(390 - placed->width() / 2, placed->y(), placed->depth(), placed->animated());
}

std::string ATop10Wnd::publishLine(const TScoresTable& table, const std::string& category,
                                   const std::string& variant, const std::string& level) {
  std::string line;
  for (const TScoresTable::Entry& e : table.topOfCategory(category)) {
    line += e.rec.name + ":" + std::to_string(e.score) + ";";
  }
  return line + variant + ";" + level;
}

std::string ATop10Wnd::encode(const std::string& line) {
  static const char kHex[] = "0123456789abcdef";
  std::string out;
  out.reserve(line.size() * 2);
  unsigned char chain = 0;
  for (size_t i = 0; i < line.size(); ++i) {
    unsigned char c = static_cast<unsigned char>(line[i]) ^ kScramble[i % sizeof kScramble] ^ chain;
    chain = c;
    out += kHex[c >> 4];
    out += kHex[c & 15];
  }
  return out;
}

std::string ATop10Wnd::decode(const std::string& hex) {
  auto nibble = [](char h) { return h <= '9' ? h - '0' : h - 'a' + 10; };
  std::string out;
  unsigned char chain = 0;
  for (size_t i = 0; i + 1 < hex.size(); i += 2) {
    unsigned char c = static_cast<unsigned char>(nibble(hex[i]) << 4 | nibble(hex[i + 1]));
    out += static_cast<char>(c ^ kScramble[(i / 2) % sizeof kScramble] ^ chain);
    chain = c;
  }
  return out;
}

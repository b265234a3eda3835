#include "app/AHelpWnd.h"

#include <cctype>
#include <cstdio>

#include "app/OMainWindow.h"
#include "game/AGameHost.h"
#include "game/AGameWnd.h"
#include "game/GameCatalog.h"
#include "platform/KeyCodes.h"
#include "storage/Container.h"
#include "platform/Language.h"

namespace {

const int kSizes[3] = {11, 16, 13};

void useStyle(int kind) {
  OTextStyle& style = OBitmap::textStyle();
  style.face = "Arial";
  style.size = kSizes[kind];
  style.flags = kind == 0 ? 0 : kTextBold;
  style.textColour = kind == 0 ? 0x202020 : 0x203A70;
  style.backColour = 0xF4F0E6;
}

int measure(const std::string& text, int kind) {
  useStyle(kind);
  return OBitmap::textExtent(text).width;
}

// Splits a paragraph into lines that fit.
void wrap(const std::string& text, int kind, int width, int (*measure)(const std::string&, int),
          std::vector<AHelpWnd::Line>& out, const std::string& indent = "") {
  std::string line;
  size_t pos = 0;
  while (pos < text.size()) {
    size_t end = text.find(' ', pos);
    if (end == std::string::npos) end = text.size();
    std::string word = text.substr(pos, end - pos);
    pos = end + 1;
    if (word.empty()) continue;
    std::string tryLine = line.empty() ? word : line + " " + word;
    if (!line.empty() && measure(tryLine, kind) > width) {
      out.push_back({line, kind});
      line = indent + word;
    } else {
      line = tryLine;
    }
  }
  if (!line.empty()) out.push_back({line, kind});
}

bool isWordChar(char c) { return std::isalnum(static_cast<unsigned char>(c)) != 0; }

// True when `phrase` stands in `text` as whole words.
bool namesPhrase(const std::string& text, const std::string& phrase) {
  if (phrase.empty()) return false;
  for (size_t at = text.find(phrase); at != std::string::npos; at = text.find(phrase, at + 1)) {
    size_t end = at + phrase.size();
    bool startsWord = at == 0 || !isWordChar(text[at - 1]);
    bool endsWord = end == text.size() || !isWordChar(text[end]);
    if (startsWord && endsWord) return true;
  }
  return false;
}

std::string trimmed(const std::string& s) {
  size_t a = s.find_first_not_of(' ');
  if (a == std::string::npos) return "";
  return s.substr(a, s.find_last_not_of(' ') - a + 1);
}

}  // namespace

AHelpWnd::AHelpWnd(OMainWindow& owner) : AFramedWnd(owner, 6, 10, 780, 580) {}

bool AHelpWnd::create() {
  AFramedWnd::create();
  pages_.clear();
  englishPages_.clear();
  char name[32];
  for (int i = 0; i < kMaxPages; ++i) {
    std::snprintf(name, sizeof name, "help/help%d.dat", i);
    std::string text;
    if (!LoadEncryptedText(name, text, kHelpKey)) break;
    // Translated as a whole page; the English titles find the page of a game.
    pages_.push_back(zb::tr(text));
    englishPages_.push_back(text);
  }
  if (pages_.empty()) pages_.push_back(zb::tr("Help\nThe help pages were not found. Please reinstall."));
  return true;
}

int AHelpWnd::pageFor(const std::vector<std::string>& pages, const std::string& family,
                      const std::string& variant) {
  int familyPage = -1;
  for (size_t i = 0; i < pages.size(); ++i) {
    std::string title = pages[i].substr(0, pages[i].find('\n'));
    size_t colon = title.find(':');
    std::string head = trimmed(title.substr(0, colon));
    std::string tail = colon == std::string::npos ? "" : title.substr(colon + 1);
    if (family.empty() || head != family) continue;
    if (namesPhrase(tail, variant)) return int(i);
    if (familyPage < 0) familyPage = int(i);
  }
  return familyPage < 0 ? 0 : familyPage;
}

void AHelpWnd::open(OEngine** slot) {
  page_ = 0;
  AGameHost* main = AGameHost::of(owner());
  int family = main ? main->family() : zb::kFamilyNone;
  AGameWnd* game = main ? main->game() : nullptr;
  if (game && family >= zb::kFamilyTessel && family <= zb::kFamilyGyrex) {
    // The pick-game label names the variant as the help titles do ("Sinkra adv").
    const char* variant = zb::pickRadio(zb::radioForGame(family, game->kind)).label;
    page_ = pageFor(englishPages_, zb::familyCaption(family), variant);
  }
  AFramedWnd::open(slot);
}

std::vector<AHelpWnd::Line> AHelpWnd::layOut(const std::string& page, int width,
                                             int (*measure)(const std::string&, int)) {
  std::vector<Line> out;
  std::string paragraph;
  auto flush = [&]() {
    if (!paragraph.empty()) wrap(paragraph, 0, width, measure, out);
    paragraph.clear();
  };
  size_t pos = 0;
  bool first = true;
  while (pos <= page.size()) {
    size_t end = page.find('\n', pos);
    if (end == std::string::npos) end = page.size();
    std::string raw = page.substr(pos, end - pos);
    pos = end + 1;
    if (first) {
      out.push_back({raw, 1});
      out.push_back({"", 0});
      first = false;
    } else if (raw.empty()) {
      flush();
      out.push_back({"", 0});
    } else if (raw.rfind("== ", 0) == 0) {
      flush();
      out.push_back({raw.substr(3), 2});
    } else if (raw.rfind("* ", 0) == 0) {
      flush();
      wrap("- " + raw.substr(2), 0, width, measure, out, "   ");
    } else {
      paragraph += paragraph.empty() ? raw : " " + raw;
    }
    if (end == page.size()) break;
  }
  flush();
  return out;
}

void AHelpWnd::drawPage() {
  if (!sheet_ || !sheet_->currentImage()) return;
  OBitmap& image = *sheet_->currentImage();
  OTextStyle saved = OBitmap::textStyle();
  image.fillColour = 0xF4F0E6;
  image.fill();
  int y = 12;
  pageCut_ = false;
  for (const Line& line : layOut(pages_[size_t(page_)], kPageWidth - 40, measure)) {
    useStyle(line.kind);
    int h = OBitmap::textExtent(line.text.empty() ? " " : line.text).height;
    if (y + h > kPageHeight - 8) {
      pageCut_ = true;
      break;
    }
    if (!line.text.empty()) OBitmap::drawText(image, line.text, 20, y);
    y += line.kind == 0 ? h + 2 : h + 6;
  }
  OBitmap::textStyle() = saved;
  sheet_->forcedRedraw = true;
}

void AHelpWnd::buildContents() {
  OAppState& app = owner().app();
  if (!sheet_) {
    sheet_ = new OClip();
    auto image = std::make_unique<OBitmap>();
    image->create(kPageWidth, kPageHeight, 0xF4F0E6);
    sheet_->addImage(std::move(image));
    sheet_->x = (width() - kPageWidth) / 2;
    sheet_->y = 30;
    sheet_->z = -1;
    addClip(sheet_);
  }
  sheet_->visible = true;
  drawPage();
  AClipString* close = newText(app.letters[0].get(), 310, height() - 80, zb::tr("Close"), -10, true);
  setDefaultButton(close);
  setCancelButton(close);
  back_ = next_ = nullptr;
  updatePageButtons();
}

void AHelpWnd::updatePageButtons() {
  OClip* font = owner().app().letters[0].get();
  int y = height() - 80;
  bool wantBack = page_ > 0, wantNext = page_ + 1 < pageCount();
  if (back_ && !wantBack) {
    removeText(back_);
    back_ = nullptr;
  } else if (!back_ && wantBack) {
    back_ = newText(font, 60, y, zb::tr("Back"), -10, true);
  }
  if (next_ && !wantNext) {
    removeText(next_);
    next_ = nullptr;
  } else if (!next_ && wantNext) {
    next_ = newText(font, 580, y, zb::tr("Next"), -10, true);
  }
  sortClips();
}

void AHelpWnd::showPage(int page) {
  if (page < 0 || page >= pageCount()) return;
  page_ = page;
  drawPage();
  if (state() == kOpen) updatePageButtons();
}

void AHelpWnd::onTextClicked(AClipString* text) {
  if (state() == kOpen && (text == back_ || text == next_)) {
    bool forward = text == next_;
    text->refresh();
    showPage(page_ + (forward ? 1 : -1));  // may take the clicked text away
    return;
  }
  AFramedWnd::onTextClicked(text);
}

void AHelpWnd::onKeyDown(int key, int mods) {
  if (state() == kOpen && (key == zb::vk::Right || key == zb::vk::PageDown)) {
    showPage(page_ + 1);
  } else if (state() == kOpen && (key == zb::vk::Left || key == zb::vk::PageUp)) {
    showPage(page_ - 1);
  } else {
    AFramedWnd::onKeyDown(key, mods);
  }
}

void AHelpWnd::accept() { close(kAccepted); }

void AHelpWnd::cancel() { close(kCancelled); }

void AHelpWnd::removeAllTexts() {
  back_ = next_ = nullptr;
  AFramedWnd::removeAllTexts();
}

void AHelpWnd::onClosed() {
  if (sheet_) {
    removeClip(sheet_, true);
    sheet_ = nullptr;
  }
}

// Every screen in every shipped language: each clip text has a glyph for
// every letter and stays inside the place its screen gives it and clear of
// the others, even when every letter takes the widest spacing the layout
// can draw.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "app/AHelpWnd.h"
#include "app/OClipControl.h"
#include "app/OEngine.h"
#include "game/AGameWnd.h"
#include "game/GameCatalog.h"
#include "platform/KeyCodes.h"
#include "platform/Language.h"
#include "sinkra/AMyGame.h"
#include "sinkra/CBetweenLevelsGame.h"
#include "tests/game/FlowRig.h"
#include "ui/AClipString.h"
#include "ui/OClipButton.h"

namespace {

using flowtest::FlowRig;


struct Box {
  int left, top, right, bottom;
  std::string text;
};

// The largest area a text can cover: the widest spacing for every letter,
// every glyph raised as far as the layout raises one, every line one font
// height below the previous.
Box worstBox(const AClipString& t) {
  const int w = t.font()->width, h = t.font()->height;
  const int step = w - w / 3 + std::max(0, w * 2 / 11 - 1);
  int widest = 0, lines = 0;
  std::istringstream in(t.text());
  for (std::string line; std::getline(in, line); ++lines)
    if (!line.empty()) widest = std::max(widest, int(line.size() - 1) * step + w);
  return {t.x(), t.y() - int(h * 0.2), t.x() + widest, t.y() + std::max(1, lines) * h, t.text()};
}

bool overlap(const Box& a, const Box& b) {
  return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

// Raised glyphs reach into the padding of the line above, as they do in
// lines one font height apart; texts meet only when their rows do.
Box rows(const AClipString& t, Box b) {
  b.top = t.y();
  return b;
}

std::string shown(const std::string& text) {
  std::string out;
  for (char c : text) out += c == '\n' ? '|' : c;
  return out;
}

// The place a text may use: the dialog, or the main screen (where a board
// caption growing into the panel meets the panel's texts).
Box placeOf(OEngine& screen) { return {0, 0, screen.width(), screen.height(), ""}; }

void expectTextsFit(OEngine* screen, const std::string& where) {
  ASSERT_NE(screen, nullptr) << where;
  std::vector<Box> boxes;
  for (AClipString* t : AClipString::all()) {
    if (t->screen() != screen || !t->visible() || t->glyphCount() == 0 || t->isGone() || !t->font()) continue;
    EXPECT_TRUE(AClipString::canDraw(t->font(), t->text())) << where << ": \"" << shown(t->text()) << "\" has letters without a glyph";
    const Box b = worstBox(*t);
    const Box p = placeOf(*screen);
    EXPECT_TRUE(b.left >= p.left && b.right <= p.right && b.top >= p.top && b.bottom <= p.bottom)
        << where << ": \"" << shown(b.text) << "\" reaches " << b.left << ".." << b.right << " x " << b.top << ".."
        << b.bottom << ", outside " << p.left << ".." << p.right << " x " << p.top << ".." << p.bottom;
    for (const Box& other : boxes)
      EXPECT_FALSE(overlap(rows(*t, b), other)) << where << ": \"" << shown(b.text) << "\" overlaps \"" << shown(other.text) << "\"";
    boxes.push_back(rows(*t, b));
  }
  // Nor may a text run into a control (a check box, a bar, a button).
  for (const OClipControl* c : screen->controls()) {
    if (!c->visible || c->width <= 0) continue;
    const Box control{int(c->x), int(c->y), int(c->x) + c->width, int(c->y) + c->height, "a control"};
    for (const Box& b : boxes)
      EXPECT_FALSE(overlap(b, control)) << where << ": \"" << shown(b.text) << "\" runs into the control at "
                                        << control.left << ", " << control.top;
  }
}

// With ZB_SHOTS set, the screens checked are also written there for a
// person to look at.
void shoot(FlowRig& rig, const std::string& lang, const std::string& name) {
  if (std::getenv("ZB_SHOTS")) rig.shot((lang.empty() ? std::string("en") : lang) + "_" + name);
}

void clickButton(FlowRig& rig, int b) {
  OClipButton* button = rig.main()->button(b);
  rig.click(int(button->x) + button->width / 2, int(button->y) + button->height / 2);
}

bool pick(FlowRig& rig, int radio) {
  if (!rig.runUntil([&] { return rig.isCurrent(ScreenId::PickGame); })) return false;
  rig.settle();
  const zb::PickRadio& r = zb::pickRadio(radio);
  rig.click(rig.current()->x() + r.boxX + 15, rig.current()->y() + r.boxY + 15);
  return rig.clickText(zb::tr("Play!"));
}

// Opens a dialog by its slot and checks it once its texts are in place.
void checkDialog(FlowRig& rig, ScreenId id, const std::string& lang, const std::string& name) {
  const std::string where = lang + " " + name;
  rig.main()->requestScreen(id);
  ASSERT_TRUE(rig.runUntil([&] { return rig.isCurrent(id); })) << where;
  rig.settle();
  expectTextsFit(rig.current(), where);
  shoot(rig, lang, name);
  rig.key(zb::vk::Escape);
  rig.runUntil([&] { return rig.current() == rig.main(); });
}

class TextFit : public ::testing::TestWithParam<const char*> {
protected:
  void SetUp() override {
    if (!flowtest::haveData()) GTEST_SKIP() << "no data pack";
    zb::startTranslations(GetParam(), ZB_TEST_LOCALE);
    if (*GetParam()) {
      ASSERT_TRUE(zb::translating()) << "no catalogue for " << GetParam();
    }
  }
  void TearDown() override { zb::stopTranslations(); }
};

TEST_P(TextFit, PickGameOptionsAndDialogs) {
  const std::string lang = GetParam();
  FlowRig rig;
  ASSERT_TRUE(rig.start());
  ASSERT_TRUE(rig.runUntil([&] { return rig.isCurrent(ScreenId::PickGame); }));
  rig.settle();
  expectTextsFit(rig.current(), lang + " pick game");
  shoot(rig, lang, "pick_game");
  ASSERT_TRUE(pick(rig, 4));
  ASSERT_TRUE(rig.waitPlaying());
  AGameWnd* game = rig.main()->game();
  game->scores().addLine("1-2-126\tAda\t" + game->category() + "\t    700");
  const std::pair<ScreenId, const char*> dialogs[] = {{ScreenId::Menu, "menu"},       {ScreenId::Top10, "top10"},
                                                      {ScreenId::Help, "help"},       {ScreenId::Restart, "restart"},
                                                      {ScreenId::ClearTop10, "clear"}, {ScreenId::Exit, "exit"}};
  for (const auto& [id, name] : dialogs) checkDialog(rig, id, lang, name);
  // The help pages are translated as whole pages.
  rig.main()->requestScreen(ScreenId::Help);
  ASSERT_TRUE(rig.runUntil([&] { return rig.isCurrent(ScreenId::Help); }));
  auto* help = static_cast<AHelpWnd*>(rig.current());
  const std::map<std::string, std::string> firstLines = {{"", "Welcome to Zenbox"},
                                                         {"de", "Willkommen bei Zenbox"},
                                                         {"fr", "Bienvenue dans Zenbox"},
                                                         {"es", "Bienvenido a Zenbox"}};
  ASSERT_GT(help->pageCount(), 1);
  EXPECT_EQ(help->pageText(0).substr(0, help->pageText(0).find('\n')), firstLines.at(lang));
  rig.settle();
  for (int page = 0; page < help->pageCount(); ++page) {
    help->showPage(page);
    EXPECT_FALSE(help->pageCut()) << lang << " help page " << page + 1 << " runs past the sheet";
  }
  help->showPage(5);
  rig.settle();
  expectTextsFit(rig.current(), lang + " help page 6");
  shoot(rig, lang, "help_page6");
  rig.key(zb::vk::Escape);
  rig.runUntil([&] { return rig.current() == rig.main(); });
  // The options of each family.
  for (int radio : {4, 0, 9}) {
    rig.main()->requestScreen(ScreenId::PickGame);
    ASSERT_TRUE(pick(rig, radio));
    ASSERT_TRUE(rig.waitPlaying());
    clickButton(rig, AMainWnd::kOptions);
    ASSERT_TRUE(rig.runUntil([&] { return rig.current() != rig.main(); }));
    rig.settle();
    expectTextsFit(rig.current(), lang + " options of radio " + std::to_string(radio));
    shoot(rig, lang, "options_" + std::to_string(radio));
    rig.key(zb::vk::Escape);
    ASSERT_TRUE(rig.waitPlaying());
  }
  // The end of a game: the board's text, then the name entry.
  game = rig.main()->game();
  game->showGameOver();
  rig.run(500);
  expectTextsFit(rig.main(), lang + " game over text");
  shoot(rig, lang, "game_over_text");
  rig.click(60, 500);
  ASSERT_TRUE(rig.runUntil([&] { return rig.isCurrent(ScreenId::GameOver); }));
  rig.settle();
  expectTextsFit(rig.current(), lang + " game over");
  shoot(rig, lang, "game_over");
  rig.key(zb::vk::Escape);
  ASSERT_TRUE(rig.waitPlaying());
  checkDialog(rig, ScreenId::Promotion, lang, "promotion");
}

TEST_P(TextFit, EveryVariantsPanelPlayingPausedAndInDemo) {
  const std::string lang = GetParam();
  FlowRig rig;
  ASSERT_TRUE(rig.start());
  for (int radio = 0; radio < zb::kPickRadioCount; ++radio) {
    const std::string where = lang + " variant radio " + std::to_string(radio);
    if (radio > 0) rig.main()->requestScreen(ScreenId::PickGame);
    ASSERT_TRUE(pick(rig, radio)) << where;
    ASSERT_TRUE(rig.waitPlaying()) << where;
    rig.run(1500);
    expectTextsFit(rig.main(), where);
    shoot(rig, lang, "board_" + std::to_string(radio));
    rig.key(zb::vk::Pause);
    rig.run(1500);
    expectTextsFit(rig.main(), where + " paused");
    rig.click(300, 300);
    rig.run(500);
  }
  rig.main()->requestScreen(ScreenId::PickGame);
  ASSERT_TRUE(rig.runUntil([&] { return rig.isCurrent(ScreenId::PickGame); }));
  ASSERT_TRUE(rig.clickText(zb::tr("Demo!")));
  ASSERT_TRUE(rig.runUntil([&] { return rig.current() == rig.main(); }));
  rig.run(3000);
  expectTextsFit(rig.main(), lang + " demo");
  shoot(rig, lang, "demo");
}

TEST_P(TextFit, SinkraTextsOfRareMoments) {
  const std::string lang = GetParam();
  FlowRig rig;
  ASSERT_TRUE(rig.start());
  ASSERT_TRUE(pick(rig, 6));  // Sinkra, the level game
  ASSERT_TRUE(rig.waitPlaying());
  auto* game = static_cast<SpaceSinkra::AMyGame*>(rig.main()->game());
  // Where the bonus game and the end of a level put them (the title in the
  // middle of the board).
  auto intro = game->makeText(zb::tr(SpaceSinkra::CBetweenLevelsGame::kIntroText), 35, 150);
  intro->flyIn(35, 150, -500);
  rig.run(1500);
  expectTextsFit(rig.main(), lang + " bonus game");
  shoot(rig, lang, "bonus_game");
  intro.reset();
  auto fail = game->makeText(zb::tr(SpaceSinkra::CBetweenLevelsGame::kFailText), 25, 150);
  fail->flyIn(25, 150, -500);
  auto title = game->makeTitle(zb::tr("Level complete"));
  title->flyIn(0, 0, -500);
  title->flyIn(10 + (580 - title->pixelWidth()) / 2, 10 + (580 - title->pixelHeight()) / 2, -500);
  rig.run(1500);
  EXPECT_LE(title->pixelWidth(), 580) << lang;
  fail.reset();
  expectTextsFit(rig.main(), lang + " level complete");
}

INSTANTIATE_TEST_SUITE_P(Languages, TextFit, ::testing::Values("", "de", "fr", "es"),
                         [](const auto& info) { return *info.param ? std::string(info.param) : std::string("C"); });

}  // namespace

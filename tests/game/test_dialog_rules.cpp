#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "app/AHelpWnd.h"
#include "game/AGameOverWnd.h"
#include "game/ATop10Wnd.h"
#include "storage/TScoresTable.h"
#include "ui/AOptionsWnd.h"

namespace {

TEST(GameOverRules, QualificationAgainstTheTenthRecord) {
  TScoresTable table;
  EXPECT_FALSE(AGameOverWnd::qualifies(table, "100", 0));
  EXPECT_TRUE(AGameOverWnd::qualifies(table, "100", 1));
  for (int i = 1; i <= 10; ++i) table.addLine("1-1-100\tP\t100\t" + std::to_string(i * 10));
  // The tenth best is 10: equal qualifies, below does not.
  EXPECT_TRUE(AGameOverWnd::qualifies(table, "100", 10));
  EXPECT_FALSE(AGameOverWnd::qualifies(table, "100", 9));
  // Another category is still open.
  EXPECT_TRUE(AGameOverWnd::qualifies(table, "101", 5));
}

TEST(GameOverRules, NameDateAndRecordLine) {
  EXPECT_EQ(AGameOverWnd::entryName(""), "Anonymous");
  EXPECT_EQ(AGameOverWnd::entryName(std::string(30, 'x')), std::string(25, 'x'));
  std::tm when{};
  when.tm_mday = 7;
  when.tm_mon = 2;
  when.tm_year = 102;
  EXPECT_EQ(AGameOverWnd::dateText(when), "7-3-102");
  std::string line = AGameOverWnd::recordLine("7-3-102", "Ann", "101", 42);
  EXPECT_EQ(line, "7-3-102\tAnn\t101\t     42");
  TScoresTable table;
  ASSERT_TRUE(table.addLine(line));
  auto top = table.topOfCategory("101");
  ASSERT_EQ(top.size(), 1u);
  EXPECT_EQ(top[0].score, 42);
  EXPECT_EQ(top[0].rec.name, "Ann");
}

TEST(Top10Rules, PublishedLineSurvivesTheAddress) {
  TScoresTable table;
  table.addLine("1-1-100\tZoe & Max\t100\t500");
  table.addPlaceholders(100);
  std::string line = ATop10Wnd::publishLine(table, "100", "Sinkra adv", "Novice");
  EXPECT_EQ(line.rfind("Zoe & Max:500;", 0), 0u);
  EXPECT_NE(line.find("Sinkra adv;Novice"), std::string::npos);
  std::string code = ATop10Wnd::encode(line);
  EXPECT_EQ(code.find_first_not_of("0123456789abcdef"), std::string::npos);
  EXPECT_EQ(code.size(), line.size() * 2);
  EXPECT_EQ(ATop10Wnd::decode(code), line);
  // Scrambled: the plain text does not show through.
  EXPECT_EQ(code.find("5a6f65"), std::string::npos);
}

int fixedWidth(const std::string& text, int) { return int(text.size()) * 10; }

TEST(HelpRules, MarkupLaysOutIntoWrappedLines) {
  auto lines = AHelpWnd::layOut("Title\nfirst words of a\nparagraph here\n\n== Head\n* a bullet point\nend", 100,
                                fixedWidth);
  ASSERT_GE(lines.size(), 6u);
  EXPECT_EQ(lines[0].text, "Title");
  EXPECT_EQ(lines[0].kind, 1);
  for (const auto& l : lines) EXPECT_LE(fixedWidth(l.text, 0), 100) << l.text;
  bool heading = false, bullet = false;
  for (const auto& l : lines) {
    heading |= l.kind == 2 && l.text == "Head";
    bullet |= l.text.rfind("- a", 0) == 0;
  }
  EXPECT_TRUE(heading);
  EXPECT_TRUE(bullet);
  // The two source lines of the paragraph run on into one text.
  std::string joined;
  for (size_t i = 2; i < lines.size() && !lines[i].text.empty(); ++i) joined += lines[i].text + " ";
  EXPECT_EQ(joined, "first words of a paragraph here ");
}

TEST(HelpRules, TheGameFindsThePageItsTitleNames) {
  const std::vector<std::string> pages = {"Welcome\nbody", "Sinkra: Remover and Collector\nbody",
                                          "Sinkra: Sinkra and Sinkra adv\n", "Sinkra: special blocks",
                                          "Sinkra: Turn Play\n", "Tessel\nbody", "Gyrex\nbody", "Options"};
  EXPECT_EQ(AHelpWnd::pageFor(pages, "Sinkra", "Collector"), 1);
  EXPECT_EQ(AHelpWnd::pageFor(pages, "Sinkra", "Sinkra"), 2);
  EXPECT_EQ(AHelpWnd::pageFor(pages, "Sinkra", "Sinkra adv"), 2);
  EXPECT_EQ(AHelpWnd::pageFor(pages, "Sinkra", "Turn Play"), 4);
  // Only whole words count; an unnamed variant gets the family's first page.
  EXPECT_EQ(AHelpWnd::pageFor(pages, "Sinkra", "Sink"), 1);
  EXPECT_EQ(AHelpWnd::pageFor(pages, "Tessel", "quadcolor"), 5);
  EXPECT_EQ(AHelpWnd::pageFor(pages, "Gyrex", "Time Mania"), 6);
  // No game, or a family no page names: the first page.
  EXPECT_EQ(AHelpWnd::pageFor(pages, "", ""), 0);
  EXPECT_EQ(AHelpWnd::pageFor({"Welcome", "Options"}, "Gyrex", "Time Mania"), 0);
}

TEST(OptionsRules, VolumeBarScale) {
  EXPECT_EQ(AOptionsWnd::volumeOfCell(9), 65535);
  EXPECT_EQ(AOptionsWnd::cellOfVolume(65535), 8);
  EXPECT_EQ(AOptionsWnd::volumeOfCell(0), 0);
  EXPECT_EQ(AOptionsWnd::cellOfVolume(AOptionsWnd::volumeOfCell(4)), 3);
}

}  // namespace

#include <gtest/gtest.h>

#include <string>

#include "storage/TScoresTable.h"

namespace {

std::string names(const std::vector<TScoresTable::Entry>& top) {
  std::string s;
  for (const auto& e : top) s += e.rec.name + ":" + std::to_string(e.score) + " ";
  return s;
}

TEST(ScoresTable, EqualScoresShowNewestFirst) {
  TScoresTable t;
  t.addLine("01-01-20\tAnn\t401\t500");
  t.addLine("02-01-20\tBob\t401\t500");
  t.addLine("03-01-20\tCid\t401\t900");
  t.addLine("04-01-20\tDan\t401\t100");
  EXPECT_EQ(names(t.topOfCategory("401")), "Cid:900 Bob:500 Ann:500 Dan:100 ");
  EXPECT_EQ(t.toText(),
            "03-01-20\tCid\t401\t900\n02-01-20\tBob\t401\t500\n01-01-20\tAnn\t401\t500\n04-01-20\tDan\t401\t100\n");
}

TEST(ScoresTable, TextKeepsTenPerNameAndCategory) {
  TScoresTable t;
  for (int i = 1; i <= 11; ++i) t.addLine("01-01-20\tAnn\t401\t" + std::to_string(i * 10));
  t.addLine("01-01-20\tAnn\t402\t5");
  t.addLine("01-01-20\tBob\t401\t1000");
  std::string text = t.toText();
  TScoresTable back;
  back.parseText(text);
  EXPECT_EQ(back.size(), 11u);  // the ten best of 401 (Bob and nine of Ann), one of Ann/402
  EXPECT_EQ(text.find("\t10\n"), std::string::npos);  // Ann's lowest in 401 are gone
  EXPECT_EQ(text.find("\t20\n"), std::string::npos);
  EXPECT_NE(text.find("Bob\t401\t1000\n"), std::string::npos);
  // Writing twice gives the same text: the counters start again.
  EXPECT_EQ(t.toText(), text);
}

TEST(ScoresTable, TopOfCategoryMixesNamesAndStopsAtTen) {
  TScoresTable t;
  for (int i = 0; i < 15; ++i) t.addLine("d\tP" + std::to_string(i) + "\t100\t" + std::to_string(i));
  t.addLine("d\tOther\t200\t999");
  auto top = t.topOfCategory("100");
  ASSERT_EQ(top.size(), 10u);
  EXPECT_EQ(top.front().score, 14);
  EXPECT_EQ(top.back().score, 5);
  EXPECT_TRUE(t.topOfCategory("300").empty());
}

TEST(ScoresTable, ParseSkipsDamagedLinesAndKeepsNeighbours) {
  TScoresTable t;
  t.parseText(
      "01-01-20\tAnn\t401\t500\n"
      "missing\tfields\t401\n"           // three fields
      "02-01-20\tB\tob\t401\t600\n"      // a tab inside the name: five fields
      "03-01-20\tCid\t401\t   700\r\n"   // padded score, CRLF
      "\n"
      "04-01-20\tDan\t401\tabc\n"        // no number reads as 0
      "05-01-20\tEve\t401\t99999999999\n"  // saturates
      "06-01-20\tFay\t401\t42");         // no final line feed
  EXPECT_EQ(names(t.topOfCategory("401")), "Eve:2147483647 Cid:700 Ann:500 Fay:42 Dan:0 ");
}

TEST(ScoresTable, LastLineEndingInCarriageReturnIsKept) {
  TScoresTable t;
  t.parseText("01-01-20\tAnn\t401\t5\r");
  EXPECT_EQ(t.size(), 1u);
}

// A tab is a field separator even as the last character: it does not end
// the line, so a final line without its score is not added.
TEST(ScoresTable, TextEndingInTabAddsNoRecord) {
  TScoresTable t;
  t.parseText("01-01-20\tAnn\t401\t5\n02-01-20\tBob\t401\t");
  EXPECT_EQ(names(t.topOfCategory("401")), "Ann:5 ");
  t.parseText("03-01-20\tCid\t401\t\n");  // a line feed ends it: score 0
  EXPECT_EQ(names(t.topOfCategory("401")), "Ann:5 Cid:0 ");
}

TEST(ScoresTable, OverlongFieldsDropTheLine) {
  TScoresTable t;
  std::string longName(100000, 'x');
  t.parseText("d\t" + longName + "\t401\t5\nd\tAnn\t401\t6\n");
  EXPECT_EQ(names(t.topOfCategory("401")), "Ann:6 ");
  EXPECT_FALSE(t.addLine("d\t" + longName + "\t401\t5"));
  EXPECT_FALSE(t.addLine("d\tAnn\t401"));
  EXPECT_EQ(t.size(), 1u);
}

TEST(ScoresTable, AddLineSplitsAtFirstThreeTabs) {
  TScoresTable t;
  ASSERT_TRUE(t.addLine("d\tAnn\t401\t    123"));  // "%7d" padding
  ASSERT_TRUE(t.addLine("d\tBob\t401\t77\textra"));
  auto top = t.topOfCategory("401");
  ASSERT_EQ(top.size(), 2u);
  EXPECT_EQ(top[0].score, 123);
  EXPECT_EQ(top[1].score, 77);
  EXPECT_EQ(top[0].rec.date, "d");
  EXPECT_EQ(top[0].rec.category, "401");
}

TEST(ScoresTable, PlaceholdersAndClearingACategory) {
  TScoresTable t;
  t.addPlaceholders(401);
  auto top = t.topOfCategory("401");
  ASSERT_EQ(top.size(), 10u);
  for (const auto& e : top) {
    EXPECT_EQ(e.rec.name, "NOBODY");
    EXPECT_EQ(e.score, 0);
    EXPECT_EQ(e.rec.date, "00-00-00");
  }
  EXPECT_FALSE(t.hasScoresAboveZero("401"));
  // Every showing of the Top 10 asks again; the table must not grow.
  for (int i = 0; i < 5; ++i) t.addPlaceholders(401);
  EXPECT_EQ(t.size(), 10u);
  t.addLine("d\tAnn\t401\t5");
  t.addLine("d\tAnn\t402\t5");
  EXPECT_TRUE(t.hasScoresAboveZero("401"));
  t.resetCategory(401);
  top = t.topOfCategory("401");
  ASSERT_EQ(top.size(), 10u);
  for (const auto& e : top) EXPECT_EQ(e.rec.date, "USD");
  EXPECT_EQ(t.topOfCategory("402").size(), 1u);
  t.clearRecords();
  EXPECT_EQ(t.size(), 0u);
  EXPECT_EQ(t.toText(), "");
}

TEST(ScoresTable, PlaceholdersStayTenAfterSaving) {
  TScoresTable t;
  t.addPlaceholders(0);
  t.addPlaceholders(0);  // the Top 10 screen adds them each time it opens
  TScoresTable back;
  back.parseText(t.toText());
  EXPECT_EQ(back.size(), 10u);
  EXPECT_EQ(TScoresTable::categoryText(4, 1), "401");
  EXPECT_EQ(TScoresTable::categoryText(0, 2), "2");
}

}  // namespace

// A stored table of any size loads into what its Top 10s can show: the
// ten best of each category, for a bounded number of categories.
TEST(ScoresTable, AHugeStoredTableKeepsOnlyWhatTheTopTensShow) {
  std::string text;
  for (int i = 0; i < 200000; ++i)
    text += "01-01-20\tP" + std::to_string(i) + "\t" + std::to_string(i % 500) + "\t" + std::to_string(i) + "\n";
  TScoresTable t;
  t.parseText(text);
  EXPECT_LE(t.size(), TScoresTable::kTopSize * TScoresTable::kMaxCategories);
  auto top = t.topOfCategory("7");
  ASSERT_EQ(top.size(), 10u);
  EXPECT_EQ(top.front().score, 199507);
  EXPECT_EQ(top.back().score, 195007);
  // A full category takes a better score in place of its lowest.
  t.addLine("d\tNew\t7\t195008");
  top = t.topOfCategory("7");
  EXPECT_EQ(top.back().score, 195008);
  EXPECT_EQ(t.topOfCategory("7").size(), 10u);
}

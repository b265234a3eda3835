// Saved fields, recordings and rules read from disk: sound input round-trips,
// damaged input is refused or clamped and never trusted.
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <type_traits>

#include "gyrex/RFieldGame.h"
#include "gyrex/RFieldPlayer.h"
#include "platform/Files.h"
#include "platform/Random.h"
#include "tests/gyrex/model/GyrexModelSupport.h"
#include "tests/support/TestSupport.h"

namespace {

using namespace SpaceGyrex;

void seedFuzzer(const std::string& name, char selector, OConfig& tree) {
  const std::string text = selector + tree.write();
  zbtest::writeBytes(zbtest::fuzzSeedDir("fuzz_gyrex_state") + "/" + name,
                     std::vector<unsigned char>(text.begin(), text.end()));
}

TEST(GyrexFiles, FieldsSaveAndRefuseDamagedText) {
  zb::seedRandom(3);
  RField main, row;
  main.rules.colorCount = row.rules.colorCount = 4;
  row.name = "gamerow";
  row.isRow = true;
  main.New();
  row.New();
  main.rightColumn = 7;
  row.visibleElems = 13;
  OConfig tree;
  main.SaveTo(tree);
  row.SaveTo(tree);
  seedFuzzer("fields", '0', tree);
  const std::string text = tree.getString("gamerow.elements");
  ASSERT_EQ(text.size(), 576u);
  EXPECT_EQ(text.find_first_not_of('\1', 4), 4u * kRows);  // row 0 of column 1 follows column 0's row 0

  RField back, backRow;
  backRow.name = "gamerow";
  backRow.isRow = true;
  ASSERT_TRUE(back.LoadFrom(tree));
  ASSERT_TRUE(backRow.LoadFrom(tree));
  EXPECT_EQ(back.ElementsText(), main.ElementsText());
  EXPECT_EQ(back.rightColumn, 7);
  EXPECT_EQ(backRow.RowText(), row.RowText());
  EXPECT_EQ(backRow.visibleElems, 13);

  const std::string good = back.ElementsText();
  auto refused = [&](const char* key, auto value) {
    OConfig bad = tree;
    if constexpr (std::is_integral_v<decltype(value)>)
      bad.setInt(key, value);
    else
      bad.setString(key, value);
    EXPECT_FALSE(back.LoadFrom(bad)) << key;
    EXPECT_EQ(back.ElementsText(), good);
  };
  refused("gamefield.elements", good.substr(1));
  refused("gamefield.elements", std::string(576, '\6'));  // colour 5 does not exist
  refused("gamefield.elements", std::string(576, '\0'));
  refused("gamefield.right_column", 12);
  refused("gamefield.right_column", -1);

  OConfig clamp = tree;
  clamp.setInt("gamerow.visible_elems", 99);
  ASSERT_TRUE(backRow.LoadFrom(clamp));
  EXPECT_EQ(backRow.visibleElems, 48);
  clamp.setInt("gamerow.visible_elems", -4);
  ASSERT_TRUE(backRow.LoadFrom(clamp));
  EXPECT_EQ(backRow.visibleElems, 0);
}

TEST(GyrexFiles, RecordingsRoundTripAndDamageIsRefused) {
  zb::seedRandom(11);
  RFieldGame g;
  RRules rules;
  rules.colorCount = 3;
  rules.startLineCount = 6;
  g.Start(2, 1, rules);
  RFieldPlayer::PlayOut(g, 12);
  ASSERT_GE(g.recorder.events.size(), 12u);
  OConfig tree;
  g.recorder.SaveTo(tree, "ReplayData");
  seedFuzzer("recording", '1', tree);

  RRecorder back;
  ASSERT_TRUE(back.LoadFrom(tree, "ReplayData"));
  EXPECT_EQ(back.fieldData, g.recorder.fieldData);
  EXPECT_EQ(back.rows, g.recorder.rows);
  ASSERT_EQ(back.events.size(), g.recorder.events.size());
  for (size_t i = 0; i < back.events.size(); ++i) {
    EXPECT_EQ(back.events[i].time, g.recorder.events[i].time);
    EXPECT_EQ(back.events[i].clock, g.recorder.events[i].clock);
    EXPECT_EQ(back.events[i].event, g.recorder.events[i].event);
  }
  EXPECT_EQ(back.gameKind, 2);
  EXPECT_EQ(back.level, 1);
  EXPECT_FALSE(back.LoadFrom(tree, "demo1"));  // no such section
  EXPECT_EQ(back.events.size(), g.recorder.events.size());

  auto refused = [&](const std::string& key, int value) {
    OConfig bad = tree;
    bad.setInt("ReplayData." + key, value);
    RRecorder r;
    EXPECT_FALSE(r.LoadFrom(bad, "ReplayData")) << key << "=" << value;
    EXPECT_TRUE(r.events.empty());
  };
  refused("data_count", -1);
  refused("data_count", 2000000000);
  refused("row_data_count", -3);
  refused("data3.c", 12);
  refused("data3.r", -1);
  refused("data3.event", 1);
  refused("game_kind", 3);
  refused("level", -1);
  OConfig badRow = tree;
  badRow.setString("ReplayData.row_data0", "\2\2\2");
  EXPECT_FALSE(RRecorder().LoadFrom(badRow, "ReplayData"));

  // Time running backwards is raised to the time before it.
  OConfig back2 = tree;
  back2.setInt("ReplayData.data4.time", -100);
  RRecorder r;
  ASSERT_TRUE(r.LoadFrom(back2, "ReplayData"));
  EXPECT_EQ(r.events[4].time, r.events[3].time);
}

TEST(GyrexFiles, RulesReadPerKindAndLevelWithinBounds) {
  OConfig& shipped = gyrextest::shippedRules();
  for (int kind = 0; kind < 3; ++kind)
    for (int level = 0; level < 3; ++level) {
      const RRules r = RRules::Read(shipped, kind, level);
      EXPECT_TRUE(shipped.has(OConfig::key("Game%d.%s.ColorCount", kind, RRules::LevelName(level))));
      EXPECT_LT(r.maxNear, r.colorDestroy);
    }
  EXPECT_EQ(RRules::Read(shipped, 2, 2).addTimeMax, 2000);

  OConfig odd;
  odd.parse("Game1 = {\n\tExpert = {\n\t\tColorCount=9\n\t\tMaxNear=7\n\t\tColorDestroy=5\n"
            "\t\tStartLineCount=40\n\t\tAddTimeMin=-5\n\t\tAddTimeMax=10\n\t}\n}\n");
  const RRules r = RRules::Read(odd, 1, 1);
  EXPECT_EQ(r.colorCount, 4);
  EXPECT_EQ(r.maxNear, 4);
  EXPECT_EQ(r.startLineCount, 12);
  EXPECT_EQ(r.elemsToAdd, 1);  // missing: the default
  EXPECT_GE(r.addTimeMax, r.addTimeMin);
  // The reveal interval runs from AddTimeMin (one column) to AddTimeMax.
  RRules t;
  t.addTimeMin = 100, t.addTimeMax = 1200;
  EXPECT_EQ(t.AddInterval(11), 1200);
  EXPECT_EQ(t.AddInterval(0), 100);
  EXPECT_EQ(t.AddInterval(5), 600);
}

// A data file that will not load is named; the player's own copy in the
// per-user folder (here a folder in its place) is said to be theirs.
TEST(GyrexFiles, AnUnreadableDataFileIsNamedAndAnOwnCopySaidToBeOwn) {
  namespace fs = std::filesystem;
  zbtest::TempDir user, pack;
  fs::create_directories(pack.file("cfg"));
  fs::create_directories(user.file("cfg/Gyx_demo.dat"));
  const std::string before = fs::current_path().string();
  ASSERT_EQ(::chdir(user.path().c_str()), 0);
  const std::string here = fs::current_path().string();
  const char* demo = "Demo file not found. Please reinstall game";
  const char* rules = "Main configuration file not found. Please reinstall game";

  // Played from a data folder: the file there, no pack behind it.
  EXPECT_EQ(dataFileMessage(demo, kDemoFile), std::string(demo) + "\n(" + here + "/cfg/Gyx_demo.dat)");
  zb::setPackFolder(pack.path());
  const std::string own = dataFileMessage(demo, kDemoFile);
  EXPECT_EQ(own.rfind(std::string(demo) + "\n(" + here + "/cfg/Gyx_demo.dat)\n", 0), 0u) << own;
  EXPECT_NE(own.find("your own copy"), std::string::npos) << own;
  // Missing everywhere: the pack's place is named, a reinstall helps.
  EXPECT_EQ(dataFileMessage(rules, kRulesFile), std::string(rules) + "\n(" + pack.path() + "/cfg/Gyrex.dat)");
  zb::setPackFolder("");
  ASSERT_EQ(::chdir(before.c_str()), 0);
}

}  // namespace

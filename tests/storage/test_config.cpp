#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "storage/OConfig.h"
#include "tests/support/TestSupport.h"

namespace {

using namespace std::string_literals;

std::string raw(OConfig& c, const std::string& path) { return c.getRaw(path, "<absent>"); }

TEST(ConfigWrite, NestedExampleIsSevenLines) {
  OConfig c;
  c.setInt("Game.Options.Level", 1);
  c.setInt("Game.Options.Score", 250);
  c.setInt("Music", 1);
  EXPECT_EQ(c.write(), "Game = {\n\tOptions = {\n\t\tLevel=1\n\t\tScore=250\n\t}\n}\nMusic=1\n");
}

TEST(ConfigWrite, EmptyTreeWritesNothing) {
  OConfig c;
  EXPECT_EQ(c.write(), "");
}

TEST(ConfigWrite, KeysInUnsignedByteOrder) {
  OConfig c;
  c.setInt("Game.Options.Skin_2", 2);
  c.setInt("Game.Options.Skin_10", 10);
  c.setInt("Game.Options.Skin_1", 1);
  c.setInt("\xE9t\xE9", 3);  // bytes above 0x7F sort after ASCII
  c.setInt("Zed", 4);
  EXPECT_EQ(c.write(),
            "Game = {\n\tOptions = {\n\t\tSkin_1=1\n\t\tSkin_10=10\n\t\tSkin_2=2\n\t}\n}\nZed=4\n\xE9t\xE9=3\n");
}

TEST(ConfigWrite, SiblingSectionsCloseAndOpenOnce) {
  OConfig c;
  c.setInt("A.B.x", 1);
  c.setInt("A.C.y", 2);
  c.setInt("A.z", 3);
  c.setInt("D.w", 4);
  EXPECT_EQ(c.write(), "A = {\n\tB = {\n\t\tx=1\n\t}\n\tC = {\n\t\ty=2\n\t}\n\tz=3\n}\nD = {\n\tw=4\n}\n");
}

TEST(ConfigParse, SectionsCommentsAndDottedNames) {
  OConfig c;
  ASSERT_TRUE(c.parse("// settings\nGame = { // open\n  Options={Level=2 Score = 7}\n Options.Speed=3\n}\nMusic=0 //end"));
  EXPECT_EQ(raw(c, "Game.Options.Level"), "2");
  EXPECT_EQ(raw(c, "Game.Options.Score"), "7");
  EXPECT_EQ(raw(c, "Game.Options.Speed"), "3");
  EXPECT_EQ(raw(c, "Music"), "0");
  EXPECT_EQ(c.values().size(), 4u);
}

TEST(ConfigParse, TokenEndsAtClosingBrace) {
  OConfig c;
  ASSERT_TRUE(c.parse("S = {Key=5}\nNext=1"));
  EXPECT_EQ(raw(c, "S.Key"), "5");
  EXPECT_EQ(raw(c, "Next"), "1");
  ASSERT_TRUE(c.parse("S = {Key=}"));
  EXPECT_EQ(raw(c, "S.Key"), "");
}

TEST(ConfigParse, ValueFormsAreKeptRaw) {
  OConfig c;
  ASSERT_TRUE(c.parse("L=[1  2 3]\nM=[4\n5]\nQ=\"a b\\\" c\"\nE=\"x\\\\\"\nT=-0.5e1x\nW= //c\n 9"));
  EXPECT_EQ(raw(c, "L"), "[1  2 3]");
  EXPECT_EQ(raw(c, "M"), "[4\n5]");
  EXPECT_EQ(raw(c, "Q"), "\"a b\\\" c\"");
  EXPECT_EQ(raw(c, "E"), "\"x\\\\\"");
  EXPECT_EQ(raw(c, "T"), "-0.5e1x");
  EXPECT_EQ(raw(c, "W"), "9");
  EXPECT_EQ(c.getIntArray("L"), (std::vector<int32_t>{1, 2, 3}));
}

TEST(ConfigParse, ListBlockKeepsOnlyBracketedGroups) {
  OConfig c;
  ASSERT_TRUE(c.parse("R = {\n  [1 2] junk // note ]}\n  [3 // in\n4]\n}\nAfter=1\n"));
  EXPECT_EQ(raw(c, "R"), "{[1 2][3 // in\n4]}");
  EXPECT_EQ(raw(c, "After"), "1");
  // Written back as a value line, and read again the same.
  std::string text = c.write();
  EXPECT_EQ(text, "After=1\nR={[1 2][3 // in\n4]}\n");
  OConfig d;
  ASSERT_TRUE(d.parse(text));
  EXPECT_EQ(d.values(), c.values());
}

TEST(ConfigParse, LaterValueReplacesEarlier) {
  OConfig c;
  ASSERT_TRUE(c.parse("A=1 A=2 S={A=3} S.A=4"));
  EXPECT_EQ(raw(c, "A"), "2");
  EXPECT_EQ(raw(c, "S.A"), "4");
}

TEST(ConfigParse, SyntaxErrorsKeepEarlierValues) {
  struct Case {
    std::string text;
    size_t kept;
  };
  const Case cases[] = {
      {"A=1 }", 1},                // top-level close
      {"A=1 B 2", 1},              // no "="
      {"A=1 B=", 1},               // ends after "="
      {"A=1 B= \n ", 1},           // only white space after "="
      {"A=1 S={", 1},              // ends after "{"
      {"A=1 L={[1 2]", 1},         // list block not closed
      {"A=1 L={[1 2]}", 2},        // list block closed by the last byte
      {"A=1 S={ B=2 } } C=3", 2},  // one close too many
  };
  for (const Case& k : cases) {
    OConfig c;
    EXPECT_FALSE(c.parse(k.text)) << k.text;
    EXPECT_TRUE(c.failed()) << k.text;
    EXPECT_EQ(c.values().size(), k.kept) << k.text;
    EXPECT_EQ(raw(c, "A"), "1");
  }
}

TEST(ConfigParse, NameStandingLastFailsWithoutTouchingFlag) {
  OConfig c;
  c.getInt("missing", 0);  // failed set
  EXPECT_FALSE(c.parse("A=1 Trailing"));
  EXPECT_TRUE(c.failed());
  c.getInt("A", 0);  // failed cleared
  EXPECT_FALSE(c.parse("A=1 Trailing"));
  EXPECT_FALSE(c.failed());
  EXPECT_EQ(raw(c, "A"), "1");
}

// Only the very last bytes count as a name standing last; white space or a
// comment after it makes it a name without "=", which sets the flag.
TEST(ConfigParse, NameFollowedBySpaceAtEndSetsFlag) {
  for (const char* text : {"A=1 Trailing  \n", "A=1 Trailing // note", "A=1 S = { T\t}"}) {
    OConfig c;
    c.write();  // failed cleared
    EXPECT_FALSE(c.parse(text)) << text;
    EXPECT_TRUE(c.failed()) << text;
    EXPECT_EQ(raw(c, "A"), "1");
  }
}

TEST(ConfigParse, OpenSectionsAndEmptyTextAreAccepted) {
  OConfig c;
  c.getInt("x", 0);
  EXPECT_TRUE(c.parse("S = { T = { v=1"));
  EXPECT_FALSE(c.failed());
  EXPECT_EQ(raw(c, "S.T.v"), "1");
  EXPECT_TRUE(c.parse(" \n\t// only a comment"));
  EXPECT_TRUE(c.values().empty());
}

TEST(ConfigParse, UnterminatedStringAndBracketRunToEnd) {
  OConfig c;
  EXPECT_TRUE(c.parse("A=1 Q=\"open ended\nB=2"));
  EXPECT_EQ(raw(c, "Q"), "\"open ended\nB=2\"");
  EXPECT_EQ(c.getString("Q"), "open ended\nB=2");
  EXPECT_TRUE(c.parse("L=[1 2\nB=2"));
  EXPECT_EQ(raw(c, "L"), "[1 2\nB=2]");
  EXPECT_FALSE(c.has("B"));
  // An escaped quote at the very end does not close the string.
  EXPECT_TRUE(c.parse("Q=\"x\\\""));
  EXPECT_EQ(raw(c, "Q"), "\"x\\\"\"");
}

TEST(ConfigParse, ZeroBytesAreWhiteSpaceAndEndCStrings) {
  OConfig c;
  ASSERT_TRUE(c.parse("A=1\0B=2"s));
  EXPECT_EQ(raw(c, "A"), "1");
  EXPECT_EQ(raw(c, "B"), "2");
  ASSERT_TRUE(c.parse("A=1\0B=2"));  // the C string ends at the zero
  EXPECT_FALSE(c.has("B"));
  EXPECT_TRUE(c.parse(static_cast<const char*>(nullptr)));
}

TEST(ConfigParse, ClosingDropsOneComponent) {
  OConfig c;
  ASSERT_TRUE(c.parse("Game = { Options = { Level=1 } Score=2 } Top=3 A.B = { x=1 } y=2"));
  EXPECT_EQ(raw(c, "Game.Options.Level"), "1");
  EXPECT_EQ(raw(c, "Game.Score"), "2");
  EXPECT_EQ(raw(c, "Top"), "3");
  EXPECT_EQ(raw(c, "A.B.x"), "1");
  EXPECT_EQ(raw(c, "A.y"), "2");  // a dotted section name opens two levels, "}" closes one
}

TEST(ConfigParse, HostileSizesStayBounded) {
  // Deep nesting: key paths are capped, the parse fails instead of growing.
  std::string deep;
  for (int i = 0; i < 5000; ++i) deep += "abcdefgh = {";
  for (int i = 0; i < 20000; ++i) deep += " v=1";
  OConfig c;
  EXPECT_FALSE(c.parse(deep));
  size_t total = 0;
  for (const auto& [k, v] : c.values()) total += k.size() + v.size();
  EXPECT_LT(total, 8 * deep.size() + 70000);

  // Long names and values are fine as long as the key path fits.
  std::string longValue(200000, 'x');
  ASSERT_TRUE(c.parse("N=" + longValue));
  EXPECT_EQ(raw(c, "N"), longValue);
  EXPECT_FALSE(c.parse(std::string(257, 'n') + "=1"));
  EXPECT_TRUE(c.parse(std::string(256, 'n') + "=1"));

  // Many closing braces and many sections.
  EXPECT_FALSE(c.parse(std::string(100000, '}')));
  std::string many;
  for (int i = 0; i < 2000; ++i) many += "S" + std::to_string(i) + "={v=1}";
  EXPECT_TRUE(c.parse(many));
  EXPECT_EQ(c.values().size(), 2000u);
}

TEST(ConfigParse, ATextBreakingTheLimitsIsRefusedWhole) {
  const OConfig::Limits small{3, 2, 16, 8};
  OConfig c;
  EXPECT_TRUE(c.parse("a=1 b=2 c=3 a=4", small));  // a key written twice counts once
  EXPECT_FALSE(c.parse("a=1 b=2 c=3 d=4", small));
  EXPECT_TRUE(c.failed());
  EXPECT_TRUE(c.values().empty());
  EXPECT_TRUE(c.parse("A = { B = { v=\"123456\" } }", small));
  EXPECT_FALSE(c.parse("A = { B = { C = { v=1 } } }", small));  // too deep
  EXPECT_FALSE(c.parse("A.B.C.D=1", small));                    // also too deep
  EXPECT_FALSE(c.parse("v=\"1234567\"", small));                 // value too long
  EXPECT_FALSE(c.parse("L = { [1 2] [3 4 5] }\n", small));       // a list block is a value too
  EXPECT_TRUE(c.values().empty());
  // A syntax error keeps what was read before it; only a broken limit drops all.
  EXPECT_FALSE(c.parse("a=1 }", small));
  EXPECT_EQ(c.values().size(), 1u);

  // The defaults hold what the game writes: a Tessel record at its bound,
  // a Gyrex recording key at its depth.
  const OConfig::Limits game;
  EXPECT_GE(game.maxValueBytes, size_t(12) * (size_t(1) << 20) + 2);
  EXPECT_TRUE(c.parse("ReplayData = { data99999 = { clock=true } }"));
  EXPECT_GE(game.maxKeys, 2u * (5u * 100000u + 20000u) + 2000u);
}

TEST(ConfigGet, IntReadsHexAtolAndQuotedAsZero) {
  OConfig c;
  ASSERT_TRUE(c.parse("H=0x1F U=0X1F A=12abc Q=\"7\" N=-42 P=+5 X=0xz F=0xFFFFFFFF B=99999999999 M=-99999999999"));
  EXPECT_EQ(c.getInt("H", -1), 31);
  EXPECT_EQ(c.getInt("U", -1), 0);
  EXPECT_EQ(c.getInt("A", -1), 12);
  EXPECT_EQ(c.getInt("Q", -1), 0);
  EXPECT_EQ(c.getInt("N", 0), -42);
  EXPECT_EQ(c.getInt("P", 0), 5);
  EXPECT_EQ(c.getInt("X", 77), 77);  // "0x" without digits
  EXPECT_EQ(c.getInt("F", 0), -1);
  EXPECT_EQ(c.getInt("B", 0), INT32_MAX);
  EXPECT_EQ(c.getInt("M", 0), INT32_MIN);
  EXPECT_FALSE(c.failed());
  EXPECT_EQ(c.getInt("Nope", 9), 9);
  EXPECT_TRUE(c.failed());
  c.setInt("Nope", 1);  // setters leave the flag
  EXPECT_TRUE(c.failed());
  EXPECT_EQ(c.getInt("Nope", 9), 1);
  EXPECT_FALSE(c.failed());
}

TEST(ConfigGet, DoubleReadsLikeStrtod) {
  OConfig c;
  c.setDouble("D", 0.5);
  EXPECT_EQ(c.getRaw("D"), "0.500000");
  EXPECT_DOUBLE_EQ(c.getDouble("D", 0), 0.5);
  c.setRaw("E", "2.5e2xyz");
  c.setRaw("Q", "\"3\"");
  EXPECT_DOUBLE_EQ(c.getDouble("E", 0), 250.0);
  EXPECT_DOUBLE_EQ(c.getDouble("Q", 1), 0.0);
  EXPECT_DOUBLE_EQ(c.getDouble("Z", 1.25), 1.25);
  c.setDouble("Big", 1e300);
  EXPECT_DOUBLE_EQ(c.getDouble("Big", 0), 1e300);
}

TEST(ConfigGet, StringsEscapeAndRoundTrip) {
  const std::string texts[] = {"Anonymous", "quote\" tab\t back\\", "ends in \\", "line\nfeed\r", "zero\0byte"s, ""};
  for (const std::string& t : texts) {
    OConfig c;
    c.setString("Player.Name", t);
    OConfig d;
    ASSERT_TRUE(d.parse(c.write()));
    EXPECT_EQ(d.getString("Player.Name", "?"), t);
  }
  OConfig c;
  c.setString("S", "ends in \\");
  EXPECT_EQ(c.write(), "S=\"ends in \\\\\"\n");
  c.setString("Z", "a\0b"s);
  EXPECT_EQ(c.getRaw("Z"), "\"a\\0b\"");
  EXPECT_EQ(c.getCString("Z"), "a");
  EXPECT_EQ(c.getCString("missing"), "");
}

TEST(ConfigGet, UnknownEscapesAndShortRawValues) {
  OConfig c;
  c.setRaw("A", "\"a\\qb\\\\\\n\"");
  EXPECT_EQ(c.getString("A"), "a\\qb\\\n");
  c.setRaw("B", "\"x\\\"");  // lone backslash before the last character
  EXPECT_EQ(c.getString("B"), "x\\");
  c.setRaw("C", "7");
  EXPECT_EQ(c.getString("C", "d"), "");
  c.setRaw("D", "");
  EXPECT_EQ(c.getString("D", "d"), "");
  EXPECT_EQ(c.getString("E", "dflt"), "dflt");
}

TEST(ConfigGet, IntArrays) {
  OConfig c;
  const int32_t six[] = {1, -2, 3, 40, 5, 6};
  c.setIntArray("Row", six, 6);
  EXPECT_EQ(c.getRaw("Row"), "[1 -2 3 40 5 6]");
  EXPECT_EQ(c.getIntArray("Row"), std::vector<int32_t>(six, six + 6));
  c.setIntArray("Comma", std::vector<int32_t>{7, 8}, ',');
  EXPECT_EQ(c.getRaw("Comma"), "[7,8]");
  EXPECT_EQ(c.getIntArray("Comma", ','), (std::vector<int32_t>{7, 8}));
  c.setRaw("Odd", "[  1 x 2  ]");
  EXPECT_EQ(c.getIntArray("Odd"), (std::vector<int32_t>{1, 0, 2}));
  c.setRaw("Empty", "[]");
  EXPECT_TRUE(c.getIntArray("Empty").empty());
  EXPECT_FALSE(c.failed());
  EXPECT_TRUE(c.getIntArray("Missing").empty());
  EXPECT_TRUE(c.failed());
}

TEST(ConfigTree, HasSectionAndClearAll) {
  OConfig c;
  c.setInt("Game.Options.Level", 1);
  c.setInt("Gamer", 1);
  EXPECT_TRUE(c.hasSection("Game"));
  EXPECT_TRUE(c.hasSection("Game."));
  EXPECT_TRUE(c.hasSection("Game.Options"));
  EXPECT_FALSE(c.hasSection("Gam"));
  EXPECT_FALSE(c.hasSection("Gamer"));
  EXPECT_FALSE(c.hasSection(""));
  c.clearAll();
  EXPECT_FALSE(c.hasSection("Game"));
  EXPECT_EQ(c.write(), "");
}

TEST(ConfigTree, WriteThenParseGivesSameValues) {
  OConfig c;
  c.setInt("Game.Options.Level", 2);
  c.setString("Game.Scores.Table", "01-02-03\tAnn\t401\t900\n");
  c.setDouble("Rules.easy.speed", 1.75);
  c.setIntArray("Rules.easy.row", std::vector<int32_t>{1, 2, 3});
  c.setRaw("Rules.list", "{[1 2][3]}");
  c.setInt("Music", 1);
  c.setInt("a.b.c.d.e", 5);
  OConfig d;
  ASSERT_TRUE(d.parse(c.write()));
  EXPECT_EQ(d.values(), c.values());
}

TEST(ConfigTree, EncryptedFileRoundTrip) {
  zbtest::TempDir dir;
  OConfig c;
  c.setInt("Game.Options.Level", 2);
  ASSERT_TRUE(c.saveEncrypted(dir.file("x.sav"), "TideMarsh"));
  OConfig d;
  d.setInt("stale", 1);
  ASSERT_TRUE(d.loadEncrypted(dir.file("x.sav"), "TideMarsh"));
  EXPECT_EQ(d.values(), c.values());
  EXPECT_FALSE(d.loadEncrypted(dir.file("x.sav"), "KLOVKLOV"));
  EXPECT_TRUE(d.values().empty());
  EXPECT_FALSE(d.loadEncrypted(dir.file("none.sav"), "TideMarsh"));
}

TEST(ConfigTree, KeyFormatting) {
  EXPECT_EQ(OConfig::key("Game.Options.Skin_%d", 12), "Game.Options.Skin_12");
  EXPECT_EQ(OConfig::key("%s.data%d.event", "RRecorder", 3), "RRecorder.data3.event");
}

TEST(ConfigSeeds, WriteFuzzSeeds) {
  std::string dir = zbtest::fuzzSeedDir("fuzz_config");
  const char* texts[] = {
      "Game = {\n\tOptions = {\n\t\tLevel=1\n\t\tScore=250\n\t}\n}\nMusic=1\n",
      "R = {\n [1 2] // c\n [3 4]\n}\nS=\"a\\\"b\\\\\"\nL=[1  2 3]\nH=0x1F\n",
      "A = { B=5} } Q=\"open",
  };
  int i = 0;
  for (const char* t : texts) std::ofstream(dir + "/seed" + std::to_string(i++)) << t;
}

}  // namespace

#include <gtest/gtest.h>

#include <filesystem>

#include "storage/Container.h"
#include "storage/SavedGame.h"
#include "tests/support/TestSupport.h"

namespace {

// A stand-in for a family's game: a board text and a move counter.
class FakeGame : public zb::OSaveContent {
public:
  std::string board = "RGBY";
  int moves = 0;
  bool resumed = false;
  int reads = 0;

  void writeSave(OConfig& tree) override {
    tree.setString("FakeGame.board", board);
    tree.setInt("FakeGame.moves", moves);
  }
  void readSave(OConfig& tree, bool resume) override {
    ++reads;
    resumed = resume;
    if (!resume) return;
    board = tree.getString("FakeGame.board", "");
    moves = tree.getInt("FakeGame.moves", 0);
  }
};

class SavedGameTest : public ::testing::Test {
protected:
  zbtest::TempDir dir;

  zb::OSavedGame fresh(int kind = 4) {
    zb::OSavedGame g;
    g.saveName = "Sinkra";
    g.kind = kind;
    g.baseDir = dir.path();
    g.options.skins.assign(6, 0);
    return g;
  }

  zb::OSavedGame played() {
    zb::OSavedGame g = fresh();
    g.frame.level = 2;
    g.frame.score = 1500;
    g.frame.newGameNeeded = false;
    g.options.skins = {1, 2, 3, 4, 5, 6};
    g.options.speed = 5;
    g.options.explodeEffect = false;
    g.scores.addLine("01-02-26\tAnn\t402\t900");
    return g;
  }

  std::string plain(const std::string& path) {
    std::string text;
    EXPECT_TRUE(LoadEncryptedText(path, text, "TideMarsh"));
    return text;
  }
};

TEST_F(SavedGameTest, FileNames) {
  EXPECT_EQ(zb::gameFilePath("Sinkra", 4), "save/Sinkra_4.sav");
  EXPECT_EQ(zb::optionsFilePath("Gyrex"), "save/Gyrex.sav");
  EXPECT_EQ(zb::gameFilePath("Tessel", 0, "/x"), "/x/save/Tessel_0.sav");
}

TEST_F(SavedGameTest, SaveAndResume) {
  zb::OSavedGame g = played();
  FakeGame game;
  game.board = "BBRR";
  game.moves = 17;
  ASSERT_TRUE(g.save(true, &game));
  EXPECT_TRUE(g.frame.autosave);
  EXPECT_TRUE(std::filesystem::exists(dir.file("save/Sinkra_4.sav")));
  EXPECT_EQ(plain(dir.file("save/Sinkra.sav")),
            "Game = {\n\tOptions = {\n\t\tExplodeEffect=0\n\t\tSkin_0=1\n\t\tSkin_1=2\n\t\tSkin_2=3\n\t\tSkin_3=4\n"
            "\t\tSkin_4=5\n\t\tSkin_5=6\n\t\tSkinsQuantity=6\n\t\tSpeed=5\n\t}\n}\n");

  zb::OSavedGame h = fresh();
  FakeGame back;
  EXPECT_TRUE(h.load(true, &back));
  EXPECT_FALSE(h.frame.newGameNeeded);
  EXPECT_TRUE(h.frame.autosave);
  EXPECT_EQ(h.frame.level, 2);
  EXPECT_EQ(h.frame.score, 1500);
  EXPECT_EQ(h.scores.topOfCategory("402").size(), 1u);
  EXPECT_EQ(h.options.skins, (std::vector<int32_t>{1, 2, 3, 4, 5, 6}));
  EXPECT_EQ(h.options.speed, 5);
  EXPECT_FALSE(h.options.explodeEffect);
  EXPECT_TRUE(back.resumed);
  EXPECT_EQ(back.board, "BBRR");
  EXPECT_EQ(back.moves, 17);
}

TEST_F(SavedGameTest, AutosaveOffKeepsTableAndLevelButStartsAnew) {
  zb::OSavedGame g = played();
  ASSERT_TRUE(g.save(false));  // "GlobalAutosave" off at saving
  EXPECT_NE(plain(dir.file("save/Sinkra_4.sav")).find("Autosave=0\n"), std::string::npos);
  zb::OSavedGame h = fresh();
  FakeGame back;
  EXPECT_FALSE(h.load(true, &back));
  EXPECT_TRUE(h.frame.newGameNeeded);
  EXPECT_EQ(h.frame.level, 2);
  EXPECT_EQ(h.scores.topOfCategory("402").size(), 1u);
  EXPECT_FALSE(back.resumed);
  EXPECT_EQ(back.reads, 1);
}

TEST_F(SavedGameTest, AutosaveOffNowStartsAnew) {
  zb::OSavedGame g = played();
  ASSERT_TRUE(g.save(true));
  zb::OSavedGame h = fresh();
  EXPECT_FALSE(h.load(false));
  EXPECT_TRUE(h.frame.newGameNeeded);
  EXPECT_FALSE(h.frame.autosave);
  EXPECT_EQ(h.frame.level, 2);
}

TEST_F(SavedGameTest, MissingFilesGiveNewGameAndDefaultOptions) {
  zb::OSavedGame h = fresh();
  h.options.skins = {3, 3, 3, 3, 3, 3};
  h.options.speed = 1;
  h.options.explodeEffect = false;
  h.scores.addLine("d\tOld\t400\t5");
  FakeGame back;
  EXPECT_FALSE(h.load(true, &back));
  EXPECT_TRUE(h.frame.newGameNeeded);
  EXPECT_EQ(h.frame.level, 0);
  EXPECT_EQ(h.frame.score, 0);
  EXPECT_EQ(h.scores.size(), 0u);
  EXPECT_EQ(h.options.skins, std::vector<int32_t>(6, 0));
  EXPECT_EQ(h.options.speed, 3);
  EXPECT_TRUE(h.options.explodeEffect);
  EXPECT_FALSE(back.resumed);
}

TEST_F(SavedGameTest, DamagedGameFileStartsAnewWithEmptyTable) {
  zb::OSavedGame g = played();
  ASSERT_TRUE(g.save(true));
  const std::string path = dir.file("save/Sinkra_4.sav");
  auto good = zbtest::readBytes(path);
  const std::vector<std::vector<unsigned char>> damaged = {
      {good.begin(), good.begin() + long(good.size() / 2)},  // truncated
      {},                                                      // empty
  };
  for (const auto& bytes : damaged) {
    zbtest::writeBytes(path, bytes);
    zb::OSavedGame h = fresh();
    EXPECT_FALSE(h.load(true));
    EXPECT_TRUE(h.frame.newGameNeeded);
    EXPECT_EQ(h.scores.size(), 0u);
    EXPECT_EQ(h.options.speed, 5);  // the options file is read on its own
  }
  auto flipped = good;
  flipped[5] ^= 1;
  zbtest::writeBytes(path, flipped);
  zb::OSavedGame h = fresh();
  EXPECT_FALSE(h.load(true));
  EXPECT_EQ(h.frame.level, 0);

  ASSERT_TRUE(SaveEncryptedText(path, "Game = { Options = { Level=1 } }", "58207413"));  // another key
  zb::OSavedGame k = fresh();
  EXPECT_FALSE(k.load(true));
  EXPECT_EQ(k.frame.level, 0);
}

TEST_F(SavedGameTest, MissingFrameKeyOrSyntaxErrorIsDamage) {
  const std::string path = dir.file("save/Sinkra_4.sav");
  std::filesystem::create_directories(dir.file("save"));
  const char* texts[] = {
      "Game = { Options = { Autosave=1 Level=1 NewGameNeeded=0 } Scores = { Table=\"d\\tAnn\\t401\\t7\\n\" } }",
      "Game = { Options = { Autosave=1 Score=5 NewGameNeeded=0 } Scores = { Table=\"d\\tAnn\\t401\\t7\\n\" } }",
      "Game = { Options = { Level=1 Score=5 NewGameNeeded=0 } Scores = { Table=\"d\\tAnn\\t401\\t7\\n\" } }",
      "Game = { Scores = { Table=\"d\\tAnn\\t401\\t7\\n\" } Options = { Autosave=1 Level=1 Score=5 NewGameNeeded=0 }}}",
      "Game = { Scores = { Table=\"d\\tAnn\\t401\\t7\\n\" } Options = { Autosave=1 Level=9 Score=5 NewGameNeeded=0 }",
  };
  for (const char* t : texts) {
    ASSERT_TRUE(SaveEncryptedText(path, t, "TideMarsh"));
    zb::OSavedGame h = fresh();
    EXPECT_FALSE(h.load(true)) << t;
    EXPECT_TRUE(h.frame.newGameNeeded) << t;
    EXPECT_LE(h.frame.level, 2);
    EXPECT_GE(h.frame.level, 0);
    EXPECT_EQ(h.scores.size(), 1u) << t;  // what loaded is kept
  }
  ASSERT_TRUE(SaveEncryptedText(
      path, "Game = { Options = { Autosave=1 Level=1 Score=5 NewGameNeeded=0 } }\n", "TideMarsh"));
  zb::OSavedGame ok = fresh();
  EXPECT_TRUE(ok.load(true));
  EXPECT_EQ(ok.frame.score, 5);
}

TEST_F(SavedGameTest, OptionsFileWithMoreOrFewerSkins) {
  std::filesystem::create_directories(dir.file("save"));
  const std::string path = dir.file("save/Sinkra.sav");
  ASSERT_TRUE(SaveEncryptedText(path,
                                "Game.Options.SkinsQuantity=8\nGame.Options.Skin_0=9\nGame.Options.Skin_5=4\n"
                                "Game.Options.Skin_6=7\nGame.Options.Skin_7=7\nGame.Options.Speed=12\n",
                                "TideMarsh"));
  zb::OSavedGame h = fresh();
  h.options.skins.assign(6, 1);
  h.load(true);
  EXPECT_EQ(h.options.skins, (std::vector<int32_t>{9, 0, 0, 0, 0, 4}));
  EXPECT_EQ(h.options.speed, 3);  // out of range

  ASSERT_TRUE(SaveEncryptedText(path, "Game.Options.SkinsQuantity=2\nGame.Options.Skin_1=5\n", "TideMarsh"));
  zb::OSavedGame k = fresh();
  k.options.skins.assign(6, 2);
  k.load(true);
  EXPECT_EQ(k.options.skins, (std::vector<int32_t>{0, 5, 2, 2, 2, 2}));

  ASSERT_TRUE(SaveEncryptedText(path, "Game.Options.SkinsQuantity=2000000000\nGame.Options.Skin_0=-3\n", "TideMarsh"));
  zb::OSavedGame m = fresh();
  m.load(true);
  EXPECT_EQ(m.options.skins, std::vector<int32_t>(6, 0));
}

TEST_F(SavedGameTest, FailedWritesNameEachFileAndItsReason) {
  zb::OSavedGame g = played();
  g.baseDir = dir.file("file-not-dir");
  zbtest::writeBytes(g.baseDir, {1});
  EXPECT_FALSE(g.save(true));
  ASSERT_EQ(g.failures.size(), 2u);
  EXPECT_EQ(g.failures[0].file, g.baseDir + "/save/Sinkra_4.sav");
  EXPECT_EQ(g.failures[1].file, g.baseDir + "/save/Sinkra.sav");
  EXPECT_EQ(g.failures[0].reason, "Not a directory");

  // A full disk under the game file only: the options file is still written,
  // and only the game file is reported.
  zb::OSavedGame full = played();
  std::filesystem::create_directories(dir.file("save"));
  std::filesystem::create_symlink("/dev/full", dir.file("save/Sinkra_4.sav"));
  EXPECT_FALSE(full.save(true));
  ASSERT_EQ(full.failures.size(), 1u);
  EXPECT_EQ(full.failures[0].reason, "No space left on device");
  EXPECT_EQ(zb::describeSaveFailures(full.failures),
            "zenbox: could not save " + dir.path() + "/save/Sinkra_4.sav: No space left on device");
  EXPECT_TRUE(std::filesystem::exists(dir.file("save/Sinkra.sav")));
  // The next good save forgets the old failures.
  std::filesystem::remove(dir.file("save/Sinkra_4.sav"));
  EXPECT_TRUE(full.save(true));
  EXPECT_TRUE(full.failures.empty());
}

TEST_F(SavedGameTest, TopTenSurvivesSaveWithPlaceholders) {
  zb::OSavedGame g = played();
  g.scores.addPlaceholders(402);
  g.scores.addPlaceholders(402);
  ASSERT_TRUE(g.save(true));
  zb::OSavedGame h = fresh();
  h.load(true);
  auto top = h.scores.topOfCategory("402");
  ASSERT_EQ(top.size(), 10u);
  EXPECT_EQ(top[0].rec.name, "Ann");
  EXPECT_EQ(h.scores.size(), 10u);  // Ann and nine placeholders: what the Top 10 shows
}

}  // namespace

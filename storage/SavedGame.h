#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "storage/OConfig.h"
#include "storage/SaveFailure.h"
#include "storage/TScoresTable.h"

namespace zb {

// The family-specific part of a saved game: what the running game writes
// into the save tree and reads back from it. The frame's own keys live
// under "Game.Options." and "Game.Scores."; families keep to their own.
class OSaveContent {
public:
  virtual ~OSaveContent() = default;
  // Puts the game's keys into the tree before it is written.
  virtual void writeSave(OConfig& tree) = 0;
  // Reads the game's keys after the frame's. `resume` is false when the file
  // was missing or damaged or autosave was off: a new game starts then, and
  // the tree may be empty.
  virtual void readSave(OConfig& tree, bool resume) = 0;
};

// What the frame keeps of a game in the game file.
struct SavedGameFrame {
  int32_t level = 0;  // 0..2
  int32_t score = 0;
  bool newGameNeeded = true;  // set: a new game starts on return
  bool autosave = false;      // the "GlobalAutosave" setting when last saved
};

// The options file, shared by the variants of a family.
struct SavedGameOptions {
  std::vector<int32_t> skins;  // one picture-set number per colour; its length is the family's quantity
  int32_t speed = 3;           // 0..5
  bool explodeEffect = true;
};

// "save/" + saveName + "_" + kind + ".sav" and "save/" + saveName + ".sav",
// under baseDir when it is not empty (the working directory otherwise).
std::string gameFilePath(const std::string& saveName, int kind, const std::string& baseDir = "");
std::string optionsFilePath(const std::string& saveName, const std::string& baseDir = "");

// Everything one game object saves and loads. The frame owns one, sets
// saveName (the family word) and kind, and calls save() before the game is
// deleted and load() when it is created.
struct OSavedGame {
  std::string saveName = "DefaultGame";
  int kind = 0;
  std::string baseDir;  // empty: the working directory
  SavedGameFrame frame;
  SavedGameOptions options;
  TScoresTable scores;
  OConfig tree;  // the save tree; families may also put their keys here directly
  std::vector<SaveFailure> failures;  // what the last save could not write

  // Writes the game file (the tree with the content's and the frame's keys;
  // frame.autosave becomes globalAutosave) and the options file, creating
  // the "save" directory. False when a file could not be written: each such
  // file is then listed in `failures` (emptied at the start of every save);
  // the other file is still written.
  bool save(bool globalAutosave, OSaveContent* content = nullptr);

  // Reads both files. A missing, damaged or foreign game file, a missing
  // frame key or autosave off (in the file or now) sets
  // frame.newGameNeeded; the Top 10 table and level are read from whatever
  // loaded. Returns true when the saved game is to be resumed.
  bool load(bool globalAutosave, OSaveContent* content = nullptr);

private:
  bool loadGameFile(bool globalAutosave);
  void loadOptionsFile();
};

}  // namespace zb

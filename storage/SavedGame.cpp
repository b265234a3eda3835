#include "storage/SavedGame.h"

#include "platform/Files.h"
#include "storage/Settings.h"

namespace zb {
namespace {

std::string underBase(const std::string& baseDir, const std::string& path) {
  return baseDir.empty() ? path : baseDir + "/" + path;
}

}  // namespace

std::string gameFilePath(const std::string& saveName, int kind, const std::string& baseDir) {
  return underBase(baseDir, "save/" + saveName + "_" + std::to_string(kind) + ".sav");
}

std::string optionsFilePath(const std::string& saveName, const std::string& baseDir) {
  return underBase(baseDir, "save/" + saveName + ".sav");
}

bool OSavedGame::save(bool globalAutosave, OSaveContent* content) {
  failures.clear();
  if (content) content->writeSave(tree);
  frame.autosave = globalAutosave;
  tree.setInt("Game.Options.Autosave", frame.autosave ? 1 : 0);
  tree.setInt("Game.Options.Level", frame.level);
  tree.setInt("Game.Options.Score", frame.score);
  tree.setInt("Game.Options.NewGameNeeded", frame.newGameNeeded ? 1 : 0);
  tree.setString("Game.Scores.Table", scores.toText());
  const std::string gamePath = gameFilePath(saveName, kind, baseDir);
  makeParentDirs(gamePath);  // an existing directory is no error
  std::string reason;
  if (!tree.saveEncrypted(gamePath, kSaveKeyText, &reason)) failures.push_back({gamePath, reason});

  OConfig opts;
  opts.setInt("Game.Options.SkinsQuantity", int32_t(options.skins.size()));
  for (size_t i = 0; i < options.skins.size(); ++i)
    opts.setInt(OConfig::key("Game.Options.Skin_%d", int(i)), options.skins[i]);
  opts.setInt("Game.Options.Speed", options.speed);
  opts.setInt("Game.Options.ExplodeEffect", options.explodeEffect ? 1 : 0);
  const std::string optionsPath = optionsFilePath(saveName, baseDir);
  if (!opts.saveEncrypted(optionsPath, kSaveKeyText, &reason)) failures.push_back({optionsPath, reason});
  return failures.empty();
}

bool OSavedGame::load(bool globalAutosave, OSaveContent* content) {
  const bool resume = loadGameFile(globalAutosave);
  loadOptionsFile();
  if (content) content->readSave(tree, resume);
  return resume;
}

bool OSavedGame::loadGameFile(bool globalAutosave) {
  // An unreadable file leaves the tree empty, so every key below misses.
  bool damaged = !tree.loadEncrypted(gameFilePath(saveName, kind, baseDir), kSaveKeyText);
  frame.level = tree.getInt("Game.Options.Level", 0);
  damaged |= tree.failed();
  // The level picks captions and rules; one that cannot be is damage too.
  if (frame.level < 0 || frame.level > 2) {
    frame.level = 0;
    damaged = true;
  }
  frame.score = tree.getInt("Game.Options.Score", 0);
  damaged |= tree.failed();
  frame.newGameNeeded = tree.getInt("Game.Options.NewGameNeeded", 1) != 0;
  frame.autosave = tree.getInt("Game.Options.Autosave", 0) != 0;
  damaged |= tree.failed();
  frame.autosave = frame.autosave && globalAutosave;
  scores.clearRecords();
  scores.parseText(tree.getString("Game.Scores.Table", ""));
  if (damaged || !frame.autosave) frame.newGameNeeded = true;
  return !frame.newGameNeeded;
}

void OSavedGame::loadOptionsFile() {
  OConfig opts;
  opts.loadEncrypted(optionsFilePath(saveName, baseDir), kSaveKeyText, OConfig::kSmallFileLimits);
  const int32_t quantity = opts.getInt("Game.Options.SkinsQuantity", int32_t(options.skins.size()));
  for (int32_t i = 0; i < quantity && size_t(i) < options.skins.size(); ++i) {
    const int32_t skin = opts.getInt(OConfig::key("Game.Options.Skin_%d", int(i)), 0);
    options.skins[size_t(i)] = skin < 0 ? 0 : skin;  // picture-set numbers are never negative
  }
  options.speed = opts.getInt("Game.Options.Speed", 3);
  if (options.speed < 0 || options.speed > 5) options.speed = 3;
  options.explodeEffect = opts.getInt("Game.Options.ExplodeEffect", 1) != 0;
}

}  // namespace zb

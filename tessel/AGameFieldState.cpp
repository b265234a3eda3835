// The board in a configuration tree (saved games, undo points, skin
// reloads) and as the integer snapshot that opens a replay record.
#include <cmath>
#include <string>

#include "storage/OConfig.h"
#include "tessel/AGameField.h"

namespace SpaceTessel {

namespace {
const char* const kPrefix = "Game.GameField.";
std::string key(const char* name) { return std::string(kPrefix) + name; }
}  // namespace

// Everything a load reads, checked as a whole before the board takes it.
struct AGameField::Loaded {
  int count, maxcount, maxcountforlevel, finalCount;
  int curRight, curLeft, curUp, curDown;
  int nextRight, nextLeft, nextUp, nextDown;
  int rules, gameMode, score, newCubes;
  double vv;
  int cells[kCells];

  bool colorOk(int c) const { return c >= 1 && c <= kColors; }
  bool valid() const {
    if (maxcount < count || count < 0 || maxcount < 0) return false;
    if (maxcountforlevel < 0 || maxcountforlevel > 12) return false;
    for (int c : {curRight, curLeft, curUp, curDown, nextRight, nextLeft, nextUp, nextDown})
      if (!colorOk(c)) return false;
    if (rules < 0 || rules > 3 || gameMode < 0 || gameMode > 2) return false;
    if (score < 0 || score > kMaxScore || newCubes < 4 || newCubes > 128) return false;
    if (!(vv >= 1 && vv <= 36)) return false;
    if (rules == 0 && !(curRight == curLeft && curLeft == curUp && curUp == curDown)) return false;
    if (rules == 0 && !(nextRight == nextLeft && nextLeft == nextUp && nextUp == nextDown)) return false;
    for (int i = 0; i < kCells; ++i) {
      if (cells[i] < 0 || cells[i] > kColors) return false;
      int row = i / kSize, column = i % kSize;
      bool ring = row == 0 || column == 0 || row == kSize - 1 || column == kSize - 1;
      // A cube on the ring would sit where launches start.
      if (ring && cells[i] != 0) return false;
    }
    return true;
  }
};

void AGameField::SaveTo(OConfig& tree) const {
  tree.setInt(key("Count"), Count);
  tree.setInt(key("maxcount"), maxcount);
  tree.setInt(key("maxcountforlevel"), maxcountforlevel);
  tree.setInt(key("FinalCount"), FinalCount);
  tree.setInt(key("currentColorRigth"), currentColorRight);
  tree.setInt(key("currentColorLeft"), currentColorLeft);
  tree.setInt(key("currentColorUp"), currentColorUp);
  tree.setInt(key("currentColorDown"), currentColorDown);
  tree.setInt(key("nextColorRigth"), nextColorRight);
  tree.setInt(key("nextColorLeft"), nextColorLeft);
  tree.setInt(key("nextColorUp"), nextColorUp);
  tree.setInt(key("nextColorDown"), nextColorDown);
  tree.setInt(key("Rules"), Rules);
  tree.setInt(key("GameMode"), GameMode);
  tree.setInt(key("Score"), Score);
  tree.setDouble(key("VV"), VV);
  tree.setInt(key("NewCubes"), NewCubes);
  for (int i = 0; i < kCells; ++i) tree.setInt(OConfig::key("Game.GameField.Cube_%d", i), ColorAt(i / kSize, i % kSize));
}

bool AGameField::LoadFrom(OConfig& tree) {
  Loaded v;
  bool missing = false;
  auto read = [&](const char* name, int current) {
    int value = tree.getInt(key(name), current);
    missing = missing || tree.failed();
    return value;
  };
  v.count = read("Count", Count);
  v.maxcount = read("maxcount", maxcount);
  v.maxcountforlevel = read("maxcountforlevel", maxcountforlevel);
  v.finalCount = read("FinalCount", FinalCount);
  v.curRight = read("currentColorRigth", currentColorRight);
  v.curLeft = read("currentColorLeft", currentColorLeft);
  v.curUp = read("currentColorUp", currentColorUp);
  v.curDown = read("currentColorDown", currentColorDown);
  v.nextRight = read("nextColorRigth", nextColorRight);
  v.nextLeft = read("nextColorLeft", nextColorLeft);
  v.nextUp = read("nextColorUp", nextColorUp);
  v.nextDown = read("nextColorDown", nextColorDown);
  v.rules = read("Rules", Rules);
  v.gameMode = read("GameMode", GameMode);
  v.score = read("Score", Score);
  v.vv = read("VV", static_cast<int>(VV));
  v.newCubes = read("NewCubes", NewCubes);
  for (int i = 0; i < kCells && !missing; ++i) {
    v.cells[i] = tree.getInt(OConfig::key("Game.GameField.Cube_%d", i), -1);
    missing = tree.failed();
  }
  if (missing || !v.valid()) {
    shared().saveDamaged = true;
    return false;
  }
  apply(v);
  return true;
}

void AGameField::apply(const Loaded& v) {
  RemoveAllCubes();
  Count = v.count;
  maxcount = v.maxcount;
  maxcountforlevel = v.maxcountforlevel;
  FinalCount = v.finalCount;
  currentColorRight = v.curRight;
  currentColorLeft = v.curLeft;
  currentColorUp = v.curUp;
  currentColorDown = v.curDown;
  nextColorRight = v.nextRight;
  nextColorLeft = v.nextLeft;
  nextColorUp = v.nextUp;
  nextColorDown = v.nextDown;
  Rules = v.rules;
  GameMode = v.gameMode;
  Score = v.score;
  VV = v.vv;
  NewCubes = v.newCubes;
  for (int c = 1; c <= kColors; ++c) colorAvailable[c] = false;
  for (int i = 0; i < kCells; ++i) {
    if (v.cells[i] == 0) continue;
    auto cube = std::make_unique<ACube>(v.cells[i], engine_ != nullptr);
    cube->x = CellX(i % kSize);
    cube->y = CellY(i / kSize);
    colorAvailable[v.cells[i]] = true;
    putCube(i, std::move(cube));
  }
}

void AGameField::WriteSnapshot(std::vector<int>& list) const {
  list.insert(list.end(), {Count, maxcount, maxcountforlevel, FinalCount, currentColorRight, currentColorLeft,
                           currentColorUp, currentColorDown, nextColorUp, nextColorDown, nextColorLeft,
                           nextColorRight, Rules, GameMode, Score, static_cast<int>(VV), NewCubes, kSize, kSize});
  for (int i = 0; i < kCells; ++i) list.push_back(ColorAt(i / kSize, i % kSize));
}

bool AGameField::ReadSnapshot(std::istream& in) {
  Loaded v;
  int columns = 0, rows = 0;
  bool ok = static_cast<bool>(in >> v.count >> v.maxcount >> v.maxcountforlevel >> v.finalCount >> v.curRight >>
                              v.curLeft >> v.curUp >> v.curDown >> v.nextUp >> v.nextDown >> v.nextLeft >>
                              v.nextRight >> v.rules >> v.gameMode >> v.score >> v.vv >> v.newCubes >> columns >>
                              rows);
  for (int i = 0; i < kCells && ok; ++i) ok = static_cast<bool>(in >> v.cells[i]);
  // The record holds the raw speed setting here (0 for the slowest); the
  // replay sets the real speed afterwards.
  if (ok && v.vv >= 0 && v.vv < 1) v.vv = 1;
  // The board is always 13 x 13: any other size would misplace every cell.
  if (!ok || columns != kSize || rows != kSize || !v.valid()) {
    shared().saveDamaged = true;
    return false;
  }
  apply(v);
  return true;
}

}  // namespace SpaceTessel

#pragma once
#include <array>
#include <istream>
#include <memory>
#include <vector>

#include "tessel/ACube.h"
#include "tessel/AGameFieldShared.h"

class OConfig;
class OEngine;

namespace SpaceTessel {

// Board geometry: 13 x 13 cells, the outer ring is where launches start
// and never holds a cube. Cells are numbered row x 13 + column.
constexpr int kSize = 13;
constexpr int kCells = kSize * kSize;
constexpr int kFirstInner = 1;
constexpr int kLastInner = 11;
constexpr int kInnerCells = 121;
constexpr int kCubeSize = 38;
constexpr int kColors = 6;
// Board origin and far edges (the launch buttons sit along them).
constexpr int kBoardX0 = 12;
constexpr int kBoardY0 = 11;
constexpr int kBoardRight = 590;
constexpr int kBoardBottom = 593;
constexpr int kMaxScore = 9999999;

// Launch sides: where the cube comes from.
enum Side : int { kSideDown = 1, kSideUp = 2, kSideRight = 3, kSideLeft = 4 };

// Sound effect slots the board plays.
enum : int { kSoundLaunch = 5, kSoundInterval = 6, kSoundGroup = 7, kSoundColorGone = 8 };

// The Tessel board: cubes in the 11 x 11 interior, launches from the ring
// around it, group removal, misses and batches of new cubes, and the colour
// each side offers now and next.
//
// The board owns its cubes. With a screen they join its clip list (never
// delete them through the screen); the screen moves and draws them and the
// board's Update does the rest. Without a screen (scratch copies, tests)
// Update moves and fades the cubes itself. Sparkles belong to the screen.
class AGameField {
public:
  // An empty board for the variant (Rules 0..3) and level (0..2); values
  // outside are clamped.
  AGameField(OEngine* engine, int rules, int gameMode);
  // A copy of every value and cube (colour, place, targets, fade) on
  // another screen (or none), without the launch in flight.
  AGameField(const AGameField& other, OEngine* engine);
  AGameField(const AGameField&) = delete;
  AGameField& operator=(const AGameField&) = delete;

  // One frame: dying cubes, fade-in sparkles, then the launch in flight
  // (push, landing, groups, misses).
  virtual void Update(int elapsed);
  // Takes all its cubes off the screen and frees them.
  virtual ~AGameField();

  // The opening layout: a cube on every inner cell whose row + column is
  // even, of random colours in play.
  void FillCheckerboard();
  // Starts a launch: side 1 with (13, column), 2 with (0, column), 3 with
  // (row, 13), 4 with (row, 0). Plays the launch sound in any case. False
  // (and nothing else happens) while a launch is in flight, when the line
  // cannot take a launch (CanShoot) or the side offers no colour 1..6.
  bool Shoot(int side, int row, int column);
  // Whether a launch from the side into the line can move: (2, 0, column),
  // (1, 12, column), (3, row, 12), (4, row, 0); lines 1..11.
  bool CanShoot(int side, int a, int b) const;
  // CanShoot for a launch from `side` along `line` (1..11).
  bool CanLaunch(int side, int line) const;
  // No launch possible, or no cube left, or the last attempt used up.
  // Clears moveBusy when true.
  bool IsFinished();
  bool IsEmpty() const;
  // Number of one-colour groups of touching cubes.
  int CountGroups() const;
  // Drops a batch of new cubes on random free cells. With a record it
  // appends the number of cubes placed, then row, column and colour of
  // each; ReplayNewCubes reads exactly that back.
  void AddNewCubes(std::vector<int>* record);
  // Places a batch recorded by AddNewCubes (transparency 150, fade 10 per
  // update) and runs the fade-in sparkles. False, with nothing placed, when
  // the stream fails or holds a count, cell or colour out of range.
  bool ReplayNewCubes(std::istream& in);
  // Colour rotation after a launch from `side` (0: all sides).
  void PromoteNextColors(int side);
  void PickNextColors(int side);
  // A random colour still in play, 0 when none.
  int RandomColor() const;

  // Board keys under "Game.GameField.".
  void SaveTo(OConfig& tree) const;
  // Reads them back. A missing key or a value out of range refuses the
  // whole load: the board is left as it was, shared().saveDamaged is set
  // and the result is false.
  bool LoadFrom(OConfig& tree);
  // The integer form that opens a replay record.
  void WriteSnapshot(std::vector<int>& list) const;
  // Reads it back with the checks of LoadFrom (refused the same way). A
  // launch speed below 1 reads as 1: the record holds the raw speed
  // setting, which the replay replaces.
  bool ReadSnapshot(std::istream& in);

  // Runs the fade-in sparkles once (after cubes were placed).
  void FadeInSparkles();
  // Deletes every cube (grid, launch, dying) and ends a launch in flight.
  void RemoveAllCubes();

  // Screen position of a cell's top-left corner.
  static double CellX(int column);
  static double CellY(int row);
  static int Index(int row, int column) { return row * kSize + column; }

  const ACube* CubeAt(int row, int column) const { return grid_[Index(row, column)].get(); }
  const ACube* CubeAt(int index) const { return grid_[index].get(); }
  int ColorAt(int row, int column) const;
  // Replaces the content of an inner cell: colour 0 empties it, 1..6 puts
  // an opaque cube at rest there (the colour comes into play). For tools,
  // tests and benchmarks. False outside the interior.
  bool SetCell(int row, int column, int color);
  int CubeCount() const;
  const ACube* ShotCube() const { return shotCube_.get(); }
  const std::vector<std::unique_ptr<ACube>>& DyingCubes() const { return dyingCubes_; }
  OEngine* Engine() const { return engine_; }
  // The colour a side offers now and next (sides 1..4).
  int CurrentColor(int side) const;
  int NextColor(int side) const;
  int AvailableColors() const;

  bool moveBusy = false;
  bool evaluationMode = false;
  bool pushing = false;
  bool scoreChanged = false;
  bool countChanged = false;
  bool maxcountChanged = false;
  bool colorAvailable[kColors + 1] = {};  // index 1..6
  int Count = 0;
  int maxcount = 0;
  int maxcountforlevel = 0;
  int FinalCount = -10;
  int currentColorRight = 1, currentColorLeft = 1, currentColorUp = 1, currentColorDown = 1;
  int nextColorUp = 1, nextColorDown = 1, nextColorLeft = 1, nextColorRight = 1;
  int Rules = 0;
  int GameMode = 0;
  int Score = 0;
  double VV = 9.0;
  int shotSide = 1;
  int NewCubes = 4;
  int obstacleRow = -1, obstacleColumn = -1;
  int nextObstacleRow = -1, nextObstacleColumn = -1;

private:
  struct Loaded;
  void apply(const Loaded& values);
  std::unique_ptr<ACube> makeCube(int color, int row, int column, int transparency, int fadeStep);
  void putCube(int index, std::unique_ptr<ACube> cube);
  void deleteCube(std::unique_ptr<ACube>& cube);
  void moveCubesHeadless(int elapsed);
  void removeFadedCubes();
  void runFadeInSparkles();
  void spawnSparkles(const ACube& cube, int count, int step, bool drift);
  void play(int slot) const;
  void addScore(int points);

  // Launch in flight (AGameFieldShot.cpp).
  bool startPush();
  void land();
  bool scoreGroupAt(int index);
  // The cells of the group at `index` into `cells` (room for kCells); its size.
  int groupCells(int index, int* cells) const;
  int groupSize(int index) const;
  void removeGroup(int index);
  void eliminateColors(int side);
  void missRule();
  int scanLine(int side, int line, int from) const;

  std::array<std::unique_ptr<ACube>, kCells> grid_;
  std::vector<std::unique_ptr<ACube>> dyingCubes_;
  std::unique_ptr<ACube> shotCube_;
  ACube* obstacle_ = nullptr;
  OEngine* engine_ = nullptr;
};

}  // namespace SpaceTessel

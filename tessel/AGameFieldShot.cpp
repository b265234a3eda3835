// A launch: flight, push, landing, groups, colours taken out of play and
// misses.
#include <algorithm>

#include "app/OEngine.h"
#include "platform/Random.h"
#include "tessel/AGameField.h"

namespace SpaceTessel {

namespace {

// Travel direction of a launch from each side, in rows and columns.
int rowStep(int side) { return side == kSideDown ? -1 : side == kSideUp ? 1 : 0; }
int columnStep(int side) { return side == kSideRight ? -1 : side == kSideLeft ? 1 : 0; }
bool vertical(int side) { return side == kSideDown || side == kSideUp; }
// The ring index where a launch starts and the one it heads for.
int startIndex(int side) { return side == kSideDown || side == kSideRight ? kSize - 1 : 0; }
int farIndex(int side) { return side == kSideDown || side == kSideRight ? 0 : kSize - 1; }
int travel(int side) { return vertical(side) ? rowStep(side) : columnStep(side); }

constexpr int kNeighbours[4][2] = {{0, 1}, {0, -1}, {1, 0}, {-1, 0}};

}  // namespace

// First cube on the line from position `from` (inclusive) in the travel
// direction, as a row (vertical sides) or column index; -1 when none.
int AGameField::scanLine(int side, int line, int from) const {
  int d = travel(side);
  for (int p = from; p >= 0 && p < kSize; p += d) {
    int i = vertical(side) ? Index(p, line) : Index(line, p);
    if (grid_[i]) return p;
  }
  return -1;
}

bool AGameField::Shoot(int side, int row, int column) {
  play(kSoundLaunch);
  if (moveBusy) return false;
  bool ok = (side == kSideDown && row == kSize && CanShoot(side, 12, column)) ||
            (side == kSideUp && row == 0 && CanShoot(side, 0, column)) ||
            (side == kSideRight && column == kSize && CanShoot(side, row, 12)) ||
            (side == kSideLeft && column == 0 && CanShoot(side, row, 0));
  // Colours come from records on disk too; a cube without a colour would
  // never be drawn nor moved.
  int color = CurrentColor(side);
  if (!ok || color < 1 || color > kColors) return false;
  moveBusy = true;
  pushing = false;
  shotSide = side;
  obstacleRow = row;
  obstacleColumn = column;
  int line = vertical(side) ? column : row;
  int hit = scanLine(side, line, startIndex(side));
  obstacle_ = nullptr;
  if (hit >= 0) {
    (vertical(side) ? obstacleRow : obstacleColumn) = hit;
    obstacle_ = grid_[Index(obstacleRow, obstacleColumn)].get();
  }
  int startRow = vertical(side) ? startIndex(side) : row;
  int startColumn = vertical(side) ? column : startIndex(side);
  auto cube = std::make_unique<ACube>(color, engine_ != nullptr);
  cube->x = CellX(startColumn);
  cube->y = CellY(startRow);
  int d = travel(side);
  // Stop in front of the first cube, or on the far inner cell.
  int stopAt = hit >= 0 ? hit - d : farIndex(side) - d;
  if (hit < 0) (vertical(side) ? obstacleRow : obstacleColumn) = farIndex(side);
  if (vertical(side)) {
    cube->vy = VV * d;
    cube->targetY = CellY(stopAt);
  } else {
    cube->vx = VV * d;
    cube->targetX = CellX(stopAt);
  }
  if (obstacle_) obstacle_->moves = true;
  cube->moves = true;
  if (engine_) engine_->addClip(cube.get());
  shotCube_ = std::move(cube);
  return true;
}

// The launched cube stopped against the obstacle: when the cell behind the
// obstacle is free, both slide on together.
bool AGameField::startPush() {
  int side = shotSide;
  bool vert = vertical(side);
  int d = travel(side);
  int line = vert ? obstacleColumn : obstacleRow;
  int beyond = (vert ? obstacleRow : obstacleColumn) + d;
  // Behind a cube on the first or last inner cell lies the empty ring: the
  // cube then "slides" onto the cell it holds and counts as pushed.
  if (beyond < 0 || beyond >= kSize) return false;
  if (grid_[vert ? Index(beyond, line) : Index(line, beyond)]) return false;
  int next = scanLine(side, line, beyond);
  int obstacleStop = next >= 0 ? next - d : farIndex(side) - d;
  int nextIndex = next >= 0 ? next : farIndex(side);
  nextObstacleRow = vert ? nextIndex : line;
  nextObstacleColumn = vert ? line : nextIndex;
  if (vert) {
    obstacle_->vy = shotCube_->vy = VV * d;
    obstacle_->targetY = CellY(obstacleStop);
    shotCube_->targetY = CellY(obstacleStop - d);
  } else {
    obstacle_->vx = shotCube_->vx = VV * d;
    obstacle_->targetX = CellX(obstacleStop);
    shotCube_->targetX = CellX(obstacleStop - d);
  }
  pushing = true;
  return true;
}

void AGameField::land() {
  int side = shotSide;
  int dr = rowStep(side), dc = columnStep(side);
  shotCube_->targetX = shotCube_->targetY = -1;
  shotCube_->vx = shotCube_->vy = 0;
  int shotRow, shotColumn;
  int obstacleIndex = -1;
  bool pushed = obstacle_ && pushing;
  if (obstacle_) {
    obstacle_->targetX = obstacle_->targetY = -1;
    obstacle_->vx = obstacle_->vy = 0;
    int oRow = pushed ? nextObstacleRow - dr : obstacleRow;
    int oColumn = pushed ? nextObstacleColumn - dc : obstacleColumn;
    shotRow = oRow - dr;
    shotColumn = oColumn - dc;
    obstacleIndex = Index(oRow, oColumn);
    auto moved = std::move(grid_[Index(obstacleRow, obstacleColumn)]);
    moved->x = CellX(oColumn);
    moved->y = CellY(oRow);
    grid_[obstacleIndex] = std::move(moved);
  } else {
    shotRow = obstacleRow - dr;
    shotColumn = obstacleColumn - dc;
  }
  int shotIndex = Index(shotRow, shotColumn);
  shotCube_->x = CellX(shotColumn);
  shotCube_->y = CellY(shotRow);
  deleteCube(grid_[shotIndex]);
  grid_[shotIndex] = std::move(shotCube_);

  bool removed = scoreGroupAt(shotIndex);
  if (pushed && scoreGroupAt(obstacleIndex)) removed = true;
  if (!removed) missRule();
  moveBusy = pushing = false;
  obstacle_ = nullptr;
  obstacleRow = obstacleColumn = -1;
}

// Counts the group at a cell and removes it when it has four or more
// cubes; the colour check runs before the group's points are added.
bool AGameField::scoreGroupAt(int index) {
  int size = groupSize(index);
  if (evaluationMode) addScore(size);
  if (size < 4) return false;
  play(kSoundGroup);
  removeGroup(index);
  eliminateColors(shotSide);
  addScore(5 * size * (size + 1));
  scoreChanged = true;
  return true;
}

int AGameField::groupCells(int index, int* cells) const {
  const ACube* start = grid_[index].get();
  if (!start) return 0;
  bool seen[kCells] = {};
  int size = 0;
  cells[size++] = index;
  seen[index] = true;
  // The list doubles as the work queue: every listed cell is visited once.
  for (int k = 0; k < size; ++k) {
    int r = cells[k] / kSize, c = cells[k] % kSize;
    for (const auto& n : kNeighbours) {
      int nr = r + n[0], nc = c + n[1];
      if (nr < 0 || nr >= kSize || nc < 0 || nc >= kSize) continue;
      int j = Index(nr, nc);
      if (seen[j] || !grid_[j] || grid_[j]->color != start->color) continue;
      seen[j] = true;
      cells[size++] = j;
    }
  }
  return size;
}

int AGameField::groupSize(int index) const {
  int cells[kCells];
  return groupCells(index, cells);
}

void AGameField::removeGroup(int index) {
  int cells[kCells];
  int size = groupCells(index, cells);
  bool sparkles = shared().animation;
  for (int k = 0; k < size; ++k) {
    auto cube = std::move(grid_[cells[k]]);
    cube->fadeStep = 20;
    if (sparkles) spawnSparkles(*cube, 15, -25, true);
    dyingCubes_.push_back(std::move(cube));
  }
  shared().noDyingCubes = false;
}

int AGameField::CountGroups() const {
  bool seen[kCells] = {};
  int cells[kCells];
  int groups = 0;
  for (int i = 0; i < kCells; ++i) {
    if (!grid_[i] || seen[i]) continue;
    ++groups;
    int size = groupCells(i, cells);
    for (int k = 0; k < size; ++k) seen[cells[k]] = true;
  }
  return groups;
}

void AGameField::eliminateColors(int side) {
  if (AvailableColors() == 1) {
    FinalCount = Count;
    return;
  }
  bool onBoard[kColors + 1] = {};
  for (const auto& cube : grid_)
    if (cube && cube->color >= 1 && cube->color <= kColors) onBoard[cube->color] = true;
  static constexpr int kGrowth[3] = {2, 4, 6};
  bool any = false;
  for (int c = 1; c <= kColors; ++c) {
    if (!colorAvailable[c] || onBoard[c]) continue;
    any = true;
    colorAvailable[c] = false;
    int used = 0;
    if (Rules == 2) {
      for (int* current : {&currentColorRight, &currentColorLeft, &currentColorUp, &currentColorDown})
        if (*current == c) *current = RandomColor();
      used = side;
    } else {
      for (int* next : {&nextColorUp, &nextColorDown, &nextColorLeft, &nextColorRight})
        if (*next == c) *next = RandomColor();
      if (Rules == 0) nextColorLeft = nextColorRight = nextColorDown = nextColorUp;
    }
    PromoteNextColors(used);
    PickNextColors(used);
    addScore(Score);
    maxcountforlevel = std::max(maxcountforlevel - 1, 0);
    // Kept within what a saved game may hold.
    NewCubes = std::min(NewCubes + kGrowth[GameMode], 128);
    play(kSoundColorGone);
  }
  if (AvailableColors() == 1) FinalCount = Count;
  if (any) {
    play(kSoundInterval);
    shared().newCubesNeeded = true;
  }
}

void AGameField::missRule() {
  --Count;
  if (FinalCount >= 0) --FinalCount;
  if (Count < 0 || maxcount == 0) {
    --maxcount;
    if (maxcount < 0) maxcount = maxcountforlevel;
    maxcountChanged = true;
    Count = maxcount;
    shared().newCubesNeeded = true;
    play(kSoundInterval);
  }
  countChanged = true;
}

void AGameField::AddNewCubes(std::vector<int>* record) {
  size_t countAt = record ? record->size() : 0;
  if (record) record->push_back(NewCubes);
  int placed = 0;
  auto place = [&](int row, int column) {
    int color = RandomColor();
    putCube(Index(row, column), makeCube(color, row, column, 250, -25));
    if (record) record->insert(record->end(), {row, column, color});
    ++placed;
    shared().cubesFadingIn = true;
  };
  std::vector<int> free;
  for (int i = 0; i < kCells; ++i)
    if (!grid_[i] && i / kSize >= kFirstInner && i / kSize <= kLastInner && i % kSize >= kFirstInner &&
        i % kSize <= kLastInner)
      free.push_back(i);
  if (NewCubes >= kInnerCells) {
    // The whole interior anew, but for one free cell.
    deleteCube(grid_[Index(1, 1)]);
    for (int row = kFirstInner; row <= kLastInner; ++row)
      for (int column = kFirstInner; column <= kLastInner; ++column)
        if (row != 1 || column != 1) place(row, column);
    free.assign(1, Index(1, 1));
  }
  if (!IsFinished()) {
    int n = std::min(static_cast<int>(free.size()), NewCubes);
    for (int k = 0; k < n; ++k) {
      int pick = zb::random() % static_cast<int>(free.size());
      place(free[pick] / kSize, free[pick] % kSize);
      free.erase(free.begin() + pick);
    }
  }
  // A short batch says how many cubes follow, so a replay reads exactly them.
  if (record) (*record)[countAt] = placed;
  shared().newCubesNeeded = false;
}

bool AGameField::ReplayNewCubes(std::istream& in) {
  int count = -1;
  if (!(in >> count) || count < 0 || count > kInnerCells) return false;
  std::vector<int> cells;
  cells.reserve(static_cast<size_t>(count) * 3);
  for (int k = 0; k < count; ++k) {
    int row = 0, column = 0, color = 0;
    if (!(in >> row >> column >> color)) return false;
    if (row < kFirstInner || row > kLastInner || column < kFirstInner || column > kLastInner || color < 1 ||
        color > kColors)
      return false;
    cells.insert(cells.end(), {row, column, color});
  }
  for (size_t k = 0; k < cells.size(); k += 3) {
    putCube(Index(cells[k], cells[k + 1]), makeCube(cells[k + 2], cells[k], cells[k + 1], 150, -10));
    colorAvailable[cells[k + 2]] = true;
  }
  runFadeInSparkles();
  shared().newCubesNeeded = false;
  return true;
}

}  // namespace SpaceTessel

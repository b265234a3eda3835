#include "tessel/AGameField.h"

#include <algorithm>

#include "app/OEngine.h"
#include "game/AStar.h"
#include "platform/Random.h"

namespace SpaceTessel {

namespace {
// Misses between batches at the start, by level.
constexpr int kStartCount[3] = {12, 8, 4};
constexpr int kStartNewCubes = 4;
constexpr int kSparkleTransparency = 70;
}  // namespace

AFieldShared& shared() {
  static AFieldShared state;
  return state;
}

AGameField::AGameField(OEngine* engine, int rules, int gameMode) : engine_(engine) {
  Rules = std::clamp(rules, 0, 3);
  GameMode = std::clamp(gameMode, 0, 2);
  shared().cubesFadingIn = false;
  for (int c = 1; c <= kColors; ++c) colorAvailable[c] = true;
  Count = maxcount = maxcountforlevel = kStartCount[GameMode];
  NewCubes = kStartNewCubes;
  if (Rules == 0 || Rules == 2) {
    int c = zb::random() % kColors + 1;
    currentColorRight = currentColorLeft = currentColorUp = currentColorDown = c;
    int n = RandomColor();
    nextColorUp = nextColorDown = nextColorLeft = nextColorRight = n;
  } else {
    currentColorRight = zb::random() % kColors + 1;
    currentColorLeft = zb::random() % kColors + 1;
    currentColorUp = zb::random() % kColors + 1;
    currentColorDown = zb::random() % kColors + 1;
    nextColorUp = RandomColor();
    nextColorDown = RandomColor();
    nextColorLeft = RandomColor();
    nextColorRight = RandomColor();
  }
}

AGameField::AGameField(const AGameField& o, OEngine* engine) : engine_(engine) {
  moveBusy = false;
  evaluationMode = o.evaluationMode;
  pushing = false;
  scoreChanged = o.scoreChanged;
  countChanged = o.countChanged;
  maxcountChanged = o.maxcountChanged;
  std::copy(std::begin(o.colorAvailable), std::end(o.colorAvailable), std::begin(colorAvailable));
  Count = o.Count;
  maxcount = o.maxcount;
  maxcountforlevel = o.maxcountforlevel;
  FinalCount = o.FinalCount;
  currentColorRight = o.currentColorRight;
  currentColorLeft = o.currentColorLeft;
  currentColorUp = o.currentColorUp;
  currentColorDown = o.currentColorDown;
  nextColorUp = o.nextColorUp;
  nextColorDown = o.nextColorDown;
  nextColorLeft = o.nextColorLeft;
  nextColorRight = o.nextColorRight;
  Rules = o.Rules;
  GameMode = o.GameMode;
  Score = o.Score;
  VV = o.VV;
  shotSide = o.shotSide;
  NewCubes = o.NewCubes;
  nextObstacleRow = o.nextObstacleRow;
  nextObstacleColumn = o.nextObstacleColumn;
  for (int i = 0; i < kCells; ++i) {
    const ACube* src = o.grid_[i].get();
    if (!src) continue;
    auto cube = std::make_unique<ACube>(src->color, engine_ != nullptr);
    cube->x = src->x;
    cube->y = src->y;
    cube->targetX = src->targetX;
    cube->targetY = src->targetY;
    cube->fadeStep = src->fadeStep;
    cube->setTransparency(src->transparency());
    putCube(i, std::move(cube));
  }
}

AGameField::~AGameField() { RemoveAllCubes(); }

void AGameField::RemoveAllCubes() {
  for (auto& cube : grid_) deleteCube(cube);
  for (auto& cube : dyingCubes_) deleteCube(cube);
  dyingCubes_.clear();
  deleteCube(shotCube_);
  obstacle_ = nullptr;
  moveBusy = pushing = false;
  obstacleRow = obstacleColumn = -1;
}

void AGameField::deleteCube(std::unique_ptr<ACube>& cube) {
  if (!cube) return;
  if (engine_) engine_->removeClip(cube.get(), false);
  cube.reset();
}

double AGameField::CellX(int column) {
  return kBoardX0 + shared().borderW + 11 + column * kCubeSize;
}

double AGameField::CellY(int row) { return kBoardY0 + shared().borderH + 11 + row * kCubeSize; }

std::unique_ptr<ACube> AGameField::makeCube(int color, int row, int column, int transparency,
                                            int fadeStep) {
  auto cube = std::make_unique<ACube>(color, engine_ != nullptr);
  cube->x = CellX(column);
  cube->y = CellY(row);
  cube->setTransparency(transparency);
  cube->fadeStep = fadeStep;
  return cube;
}

// Puts a cube into a cell (dropping what was there) and onto the screen.
void AGameField::putCube(int index, std::unique_ptr<ACube> cube) {
  deleteCube(grid_[index]);
  if (engine_) engine_->addClip(cube.get());
  grid_[index] = std::move(cube);
}

int AGameField::ColorAt(int row, int column) const {
  if (row < 0 || row >= kSize || column < 0 || column >= kSize) return 0;
  const ACube* cube = grid_[Index(row, column)].get();
  return cube ? cube->color : 0;
}

bool AGameField::SetCell(int row, int column, int color) {
  if (row < kFirstInner || row > kLastInner || column < kFirstInner || column > kLastInner ||
      color < 0 || color > kColors)
    return false;
  int i = Index(row, column);
  if (color == 0) {
    deleteCube(grid_[i]);
    return true;
  }
  putCube(i, makeCube(color, row, column, 0, 0));
  colorAvailable[color] = true;
  return true;
}

int AGameField::CubeCount() const {
  return static_cast<int>(std::count_if(grid_.begin(), grid_.end(), [](const auto& c) { return c != nullptr; }));
}

void AGameField::FillCheckerboard() {
  bool toggle = false;
  for (int row = 0; row < kSize; ++row) {
    for (int column = 0; column < kSize; ++column) {
      bool ring = row == 0 || column == 0 || row == kSize - 1 || column == kSize - 1;
      if (ring) {
        toggle = !toggle;
        continue;
      }
      if (!toggle) putCube(Index(row, column), makeCube(RandomColor(), row, column, 250, -10));
      toggle = !toggle;
    }
  }
  runFadeInSparkles();
}

void AGameField::play(int slot) const {
  if (evaluationMode) return;
  if (shared().playSound) shared().playSound(slot);
}

void AGameField::addScore(int points) {
  Score = static_cast<int>(std::clamp<long long>(static_cast<long long>(Score) + points, 0, kMaxScore));
}

void AGameField::spawnSparkles(const ACube& cube, int count, int step, bool drift) {
  const OClip* picture = shared().sparklePicture;
  if (!engine_ || !picture || picture->empty()) return;
  for (int k = 0; k < count; ++k) {
    auto* star = new AStar(*picture, cube.x, cube.y, kCubeSize, kCubeSize, cube.color - 1, step);
    star->setOpacity(kSparkleTransparency);
    star->vx = drift && zb::random(4) == 0 ? -1 : 0;
    star->vy = drift && zb::random(4) == 0 ? -1 : 0;
    engine_->addClip(star);  // the screen owns sparkles and drops them once faded
  }
}

// Sparkles over cubes that are still fading in.
void AGameField::runFadeInSparkles() {
  AFieldShared& s = shared();
  if (!s.animation || !engine_ || !s.sparklePicture) {
    s.cubesFadingIn = false;
    return;
  }
  bool fading = false;
  for (const auto& cube : grid_) {
    if (!cube || cube->transparency() < 20) continue;
    if (zb::random(100) < 50) spawnSparkles(*cube, 1, -20, false);
    if (cube->transparency() + cube->fadeStep <= 0) fading = true;
  }
  s.cubesFadingIn = fading;
}

void AGameField::FadeInSparkles() { runFadeInSparkles(); }

void AGameField::removeFadedCubes() {
  for (auto& cube : dyingCubes_)
    if (cube->transparency() >= 255) deleteCube(cube);
  std::erase(dyingCubes_, nullptr);
  shared().noDyingCubes = dyingCubes_.empty();
}

// Without a screen the board moves and fades its own cubes, in whole
// 30-millisecond steps as a screen would.
void AGameField::moveCubesHeadless(int elapsed) {
  int steps = std::clamp(elapsed / 30, 0, 5);
  auto stepCube = [steps](ACube& cube) {
    cube.x += cube.vx * steps;
    cube.y += cube.vy * steps;
    cube.step();
  };
  for (auto& cube : grid_)
    if (cube) stepCube(*cube);
  for (auto& cube : dyingCubes_) stepCube(*cube);
  if (shotCube_) stepCube(*shotCube_);
}

void AGameField::Update(int elapsed) {
  if (!engine_) moveCubesHeadless(elapsed);
  removeFadedCubes();
  if (shared().cubesFadingIn && shared().noDyingCubes && CubeCount() > 0) runFadeInSparkles();
  if (!shotCube_) {
    moveBusy = false;
    obstacle_ = nullptr;
    return;
  }
  if (!moveBusy) return;
  if (obstacle_) {
    obstacle_->moves = true;
    shotCube_->moves = true;
    if (!pushing && !shotCube_->moving() && startPush()) return;
  }
  if (shotCube_->moving()) return;
  land();
}

}  // namespace SpaceTessel

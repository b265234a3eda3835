#include "tests/tessel/TesselTestSupport.h"

#include <algorithm>

#include "game/AStar.h"
#include "platform/Random.h"

using namespace SpaceTessel;

namespace tesseltest {

void setBoard(AGameField& board, const std::vector<std::string>& rows) {
  for (int c = 1; c <= 6; ++c) board.colorAvailable[c] = false;
  for (int r = 0; r < 11; ++r)
    for (int c = 0; c < 11; ++c) {
      char ch = rows[static_cast<size_t>(r)][static_cast<size_t>(c)];
      board.SetCell(r + 1, c + 1, ch == '.' ? 0 : ch - '0');
    }
}

std::vector<std::string> boardRows(const AGameField& board) {
  std::vector<std::string> out;
  for (int r = 1; r <= 11; ++r) {
    std::string line;
    for (int c = 1; c <= 11; ++c) {
      int color = board.ColorAt(r, c);
      line += color ? static_cast<char>('0' + color) : '.';
    }
    out.push_back(line);
  }
  return out;
}

std::vector<std::string> emptyRows() { return std::vector<std::string>(11, std::string(11, '.')); }

Rig::Rig() : OffscreenScreen(30) {  // frames as the running program makes them
  AFieldShared& s = shared();
  s.reset();
  for (int c = 1; c <= 6; ++c) {
    auto clip = std::make_unique<OClip>();
    auto image = std::make_unique<OBitmap>();
    image->create(38, 38, 0x102030u * static_cast<unsigned>(c));
    clip->addImage(std::move(image));
    s.cubePictures[c] = clip.get();
    pictures.push_back(std::move(clip));
  }
  sparkle = zb::makeSparkPicture(3, 8, 0xFFFFFF);
  s.sparklePicture = sparkle.get();
  s.borderW = 10;
  s.borderH = 12;
  s.playSound = [this](int slot) { sounds.push_back(slot); };
  zb::seedRandom(4242);
}

Rig::~Rig() {
  engine.reset();
  shared().reset();
}

void Rig::frame(AGameField& board) {
  clock.advance(30);
  engine->tick(30);
  board.Update(30);
}

int Rig::settle(AGameField& board, int limit) {
  int n = 0;
  while (n < limit && (board.moveBusy || !shared().noDyingCubes)) {
    frame(board);
    ++n;
  }
  return n;
}

std::string Rig::check(const AGameField& board) const {
  std::vector<const OClip*> cubes;
  for (int i = 0; i < kCells; ++i) {
    const ACube* cube = board.CubeAt(i);
    if (!cube) continue;
    int row = i / kSize, column = i % kSize;
    if (row == 0 || column == 0 || row == kSize - 1 || column == kSize - 1)
      return "cube on the ring at " + std::to_string(i);
    cubes.push_back(cube);
  }
  if (board.ShotCube()) cubes.push_back(board.ShotCube());
  for (const auto& cube : board.DyingCubes()) cubes.push_back(cube.get());
  const auto& clips = engine->clips();
  for (const OClip* cube : cubes)
    if (std::count(clips.begin(), clips.end(), cube) != 1) return "cube clip not on the screen exactly once";
  for (const OClip* clip : clips)
    if (!dynamic_cast<const AStar*>(clip) && std::find(cubes.begin(), cubes.end(), clip) == cubes.end())
      return "a stray clip on the screen";
  if (board.Score < 0 || board.Score > kMaxScore) return "score out of range";
  return {};
}

void playMove(Rig& rig, AGameField& board, int side, int row, int column, std::vector<int>* record) {
  if (record)
    record->insert(record->end(), {side, row, column, board.currentColorUp, board.currentColorDown,
                                   board.currentColorLeft, board.currentColorRight, board.nextColorUp,
                                   board.nextColorDown, board.nextColorLeft, board.nextColorRight});
  board.Shoot(side, row, column);
  rig.settle(board);
  if (record) record->push_back(shared().newCubesNeeded ? 1 : 0);
  if (shared().newCubesNeeded && !board.IsFinished()) board.AddNewCubes(record);
  board.PromoteNextColors(board.shotSide);
  board.PickNextColors(board.shotSide);
}

}  // namespace tesseltest

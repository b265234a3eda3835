#include "tessel/AReplayMove.h"

#include "tessel/AGameField.h"
#include "tessel/AReplayBuffer.h"

namespace SpaceTessel {
namespace {

bool colorOk(int c) { return c >= 1 && c <= kColors; }
bool lineOk(int l) { return l >= kFirstInner && l <= kLastInner; }

}  // namespace

AReplayMove AReplayMove::capture(const AGameField& board, int side, int row, int column) {
  AReplayMove m;
  m.side = side;
  m.row = row;
  m.column = column;
  m.curUp = board.currentColorUp;
  m.curDown = board.currentColorDown;
  m.curLeft = board.currentColorLeft;
  m.curRight = board.currentColorRight;
  m.nextUp = board.nextColorUp;
  m.nextDown = board.nextColorDown;
  m.nextLeft = board.nextColorLeft;
  m.nextRight = board.nextColorRight;
  return m;
}

void AReplayMove::appendLaunch(AReplayBuffer& buffer) const {
  for (int v : {side, row, column, curUp, curDown, curLeft, curRight, nextUp, nextDown, nextLeft, nextRight})
    buffer.append(v);
}

int AReplayMove::line() const { return side == kSideDown || side == kSideUp ? column : row; }

bool AReplayMove::read(std::istream& in) {
  int* fields[kValues] = {&side,   &row,      &column,  &curUp,    &curDown,   &curLeft,
                          &curRight, &nextUp, &nextDown, &nextLeft, &nextRight, &newCubes};
  for (int* f : fields) {
    if (!(in >> *f)) return false;
  }
  bool place = false;
  switch (side) {
    case kSideDown: place = row == kSize && lineOk(column); break;
    case kSideUp: place = row == 0 && lineOk(column); break;
    case kSideRight: place = column == kSize && lineOk(row); break;
    case kSideLeft: place = column == 0 && lineOk(row); break;
    default: break;
  }
  if (!place || (newCubes != 0 && newCubes != 1)) return false;
  for (int c : {curUp, curDown, curLeft, curRight, nextUp, nextDown, nextLeft, nextRight})
    if (!colorOk(c)) return false;
  return true;
}

void AReplayMove::applyColors(AGameField& board) const {
  board.currentColorUp = curUp;
  board.currentColorDown = curDown;
  board.currentColorLeft = curLeft;
  board.currentColorRight = curRight;
  board.nextColorUp = nextUp;
  board.nextColorDown = nextDown;
  board.nextColorLeft = nextLeft;
  board.nextColorRight = nextRight;
}

}  // namespace SpaceTessel

// The colour each side offers now and next.
#include <vector>

#include "platform/Random.h"
#include "tessel/AGameField.h"

namespace SpaceTessel {

int AGameField::RandomColor() const {
  int avail[kColors];
  int n = 0;
  for (int c = 1; c <= kColors; ++c)
    if (colorAvailable[c]) avail[n++] = c;
  if (n == 0) return 0;
  return avail[zb::random() % n];
}

int AGameField::AvailableColors() const {
  int n = 0;
  for (int c = 1; c <= kColors; ++c) n += colorAvailable[c] ? 1 : 0;
  return n;
}

int AGameField::CurrentColor(int side) const {
  switch (side) {
    case kSideDown: return currentColorDown;
    case kSideUp: return currentColorUp;
    case kSideRight: return currentColorRight;
    case kSideLeft: return currentColorLeft;
  }
  return 0;
}

int AGameField::NextColor(int side) const {
  switch (side) {
    case kSideDown: return nextColorDown;
    case kSideUp: return nextColorUp;
    case kSideRight: return nextColorRight;
    case kSideLeft: return nextColorLeft;
  }
  return 0;
}

void AGameField::PromoteNextColors(int side) {
  bool single = Rules == 2 || Rules == 3;
  if (single && side >= 1 && side <= 4) {
    switch (side) {
      case kSideDown: currentColorDown = nextColorDown; break;
      case kSideUp: currentColorUp = nextColorUp; break;
      case kSideRight: currentColorRight = nextColorRight; break;
      case kSideLeft: currentColorLeft = nextColorLeft; break;
    }
    return;
  }
  if (!single || side == 0) {
    currentColorDown = nextColorDown;
    currentColorUp = nextColorUp;
    currentColorRight = nextColorRight;
    currentColorLeft = nextColorLeft;
  }
}

void AGameField::PickNextColors(int side) {
  AFieldShared& s = shared();
  if (Rules == 3) {
    switch (side) {
      case kSideDown: nextColorDown = RandomColor(); break;
      case kSideUp: nextColorUp = RandomColor(); break;
      case kSideRight: nextColorRight = RandomColor(); break;
      case kSideLeft: nextColorLeft = RandomColor(); break;
    }
    return;
  }
  int r = zb::random();
  if (r % 101 > 50 || s.repeatCounter > 3 || Rules == 2) {
    if (Rules == 0 || Rules == 2) {
      int c = RandomColor();
      if (c == currentColorRight) {
        ++s.repeatCounter;
      } else {
        s.repeatCounter = 0;
        if (AvailableColors() >= 2) {
          // Drawn again without the colour on offer now; a colour already
          // out of play stays out.
          int right = currentColorRight;
          bool inRange = right >= 1 && right <= kColors;
          bool was = inRange && colorAvailable[right];
          if (inRange) colorAvailable[right] = false;
          c = RandomColor();
          if (inRange) colorAvailable[right] = was;
        }
      }
      nextColorUp = nextColorDown = nextColorLeft = nextColorRight = c;
    } else if (Rules == 1) {
      nextColorUp = RandomColor();
      nextColorDown = RandomColor();
      nextColorLeft = RandomColor();
      nextColorRight = RandomColor();
      s.repeatCounter = 0;
    }
    return;
  }
  ++s.repeatCounter;
  if (Rules == 0) {
    nextColorUp = currentColorUp;
    nextColorDown = currentColorDown;
    nextColorLeft = currentColorLeft;
    nextColorRight = currentColorRight;
  } else if (Rules == 1) {
    std::vector<int> pool = {currentColorRight, currentColorLeft, currentColorUp, currentColorDown};
    int* targets[4] = {&nextColorRight, &nextColorLeft, &nextColorUp, &nextColorDown};
    for (int* target : targets) {
      int k = zb::random() % static_cast<int>(pool.size());
      *target = pool[k];
      pool.erase(pool.begin() + k);
    }
  }
}

bool AGameField::CanLaunch(int side, int line) const {
  switch (side) {
    case kSideUp: return CanShoot(side, 0, line);
    case kSideDown: return CanShoot(side, kSize - 1, line);
    case kSideRight: return CanShoot(side, line, kSize - 1);
    case kSideLeft: return CanShoot(side, line, 0);
    default: return false;
  }
}

bool AGameField::CanShoot(int side, int a, int b) const {
  auto empty = [this](int row, int column) { return !grid_[Index(row, column)]; };
  bool lineB = b >= kFirstInner && b <= kLastInner;
  bool lineA = a >= kFirstInner && a <= kLastInner;
  switch (side) {
    case kSideUp: return lineB && (empty(1, b) || empty(2, b));
    case kSideDown: return lineB && (empty(11, b) || empty(10, b));
    case kSideRight: return lineA && (empty(a, 11) || empty(a, 10));
    case kSideLeft: return lineA && (empty(a, 1) || empty(a, 2));
  }
  return false;
}

bool AGameField::IsEmpty() const { return CubeCount() == 0; }

bool AGameField::IsFinished() {
  bool any = false;
  for (int line = kFirstInner; line <= kLastInner && !any; ++line)
    any = CanShoot(kSideUp, 0, line) || CanShoot(kSideDown, 12, line) ||
          CanShoot(kSideRight, line, 12) || CanShoot(kSideLeft, line, 0);
  bool finished = !any || IsEmpty() || FinalCount == -1;
  if (finished) moveBusy = false;
  return finished;
}

}  // namespace SpaceTessel

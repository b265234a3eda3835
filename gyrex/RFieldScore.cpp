#include "gyrex/RFieldScore.h"

#include <climits>
#include <cstdint>

#include "gyrex/RField.h"

namespace SpaceGyrex {
namespace {

// Long games double many times; the score stops at the largest int.
int saturate(int64_t v) { return v > INT_MAX ? INT_MAX : static_cast<int>(v); }

}  // namespace

void RScore::Start(const RField& field, bool resetScore) {
  if (resetScore) score = 0;
  chainTotal = 0;
  previousColours = field.ColoursInPlay();
  previousRightColumn = field.rightColumn;
  noScoreOnSettle = false;
}

int RScore::Settle(int colours, int rightColumn) {
  int doublings = 0;
  if (!noScoreOnSettle) {
    score = saturate(int64_t{score} + int64_t{chainTotal} * (chainTotal + 1));
    if (colours < previousColours) score = saturate(int64_t{score} * 2), ++doublings;
    for (; rightColumn < previousRightColumn; --previousRightColumn) score = saturate(int64_t{score} * 2), ++doublings;
  }
  previousRightColumn = rightColumn;
  previousColours = colours;
  chainTotal = 0;
  noScoreOnSettle = false;
  return doublings;
}

}  // namespace SpaceGyrex

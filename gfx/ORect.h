#pragma once

// A pixel rectangle; right and bottom are exclusive.
struct ORect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;

  int width() const { return right - left; }
  int height() const { return bottom - top; }
  bool empty() const { return right <= left || bottom <= top; }
};

struct OSize {
  int width = 0;
  int height = 0;
};

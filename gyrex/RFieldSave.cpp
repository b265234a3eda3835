#include <algorithm>

#include "gyrex/RField.h"
#include "storage/OConfig.h"

namespace SpaceGyrex {

bool RField::ValidText(const std::string& text, size_t length) {
  if (text.size() != length) return false;
  return std::all_of(text.begin(), text.end(), [](char ch) { return ch >= 1 && ch <= kMaxColour + 1; });
}

std::string RField::ElementsText() const {
  std::string text(kElementsTextLength, '\1');
  size_t i = 0;
  for (int c = 0; c < kColumns; ++c)
    for (int r = 0; r < kRows; ++r)
      for (int s = 0; s < kSegments; ++s, ++i)
        if (!isRow || r == 0) text[i] = static_cast<char>(Colour(c, r, s) + 1);
  return text;
}

bool RField::SetElementsText(const std::string& text) {
  if (!ValidText(text, kElementsTextLength)) return false;
  size_t i = 0;
  for (int c = 0; c < kColumns; ++c)
    for (int r = 0; r < kRows; ++r)
      for (int s = 0; s < kSegments; ++s, ++i)
        elements[c][r][s] = static_cast<int8_t>(isRow && r > 0 ? 0 : text[i] - 1);
  return true;
}

std::string RField::RowText() const {
  std::string text(kRowTextLength, '\1');
  for (int c = 0; c < kColumns; ++c)
    for (int s = 0; s < kSegments; ++s) text[c * kSegments + s] = static_cast<char>(Colour(c, 0, s) + 1);
  return text;
}

bool RField::SetRowText(const std::string& text) {
  if (!ValidText(text, kRowTextLength)) return false;
  for (int c = 0; c < kColumns; ++c)
    for (int s = 0; s < kSegments; ++s) elements[c][0][s] = static_cast<int8_t>(text[c * kSegments + s] - 1);
  return true;
}

void RField::SaveTo(OConfig& tree) {
  tree.setInt(name + ".visible_elems", visibleElems);
  tree.setInt(name + ".right_column", rightColumn);
  tree.setString(name + ".elements", ElementsText());
}

bool RField::LoadFrom(OConfig& tree) {
  const int right = tree.getInt(name + ".right_column", 0);
  if (right < 0 || right >= kColumns) return false;
  if (!SetElementsText(tree.getString(name + ".elements"))) return false;
  rightColumn = right;
  visibleElems = std::clamp(tree.getInt(name + ".visible_elems", 0), 0, kRowTextLength);
  shiftColumn = -1;
  hintColumn = hintRow = -1;
  return true;
}

}  // namespace SpaceGyrex

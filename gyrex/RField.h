#pragma once
#include <cstdint>
#include <string>

#include "gyrex/RFieldRules.h"

class OConfig;

namespace SpaceGyrex {

constexpr int kColumns = 12;
constexpr int kRows = 12;
constexpr int kSegments = 4;
// Saved form of a field: one character per segment, column by column, row
// by row, segment by segment, each the segment value + 1.
constexpr int kElementsTextLength = kColumns * kRows * kSegments;  // 576
// One preview row: 12 elements x 4 segments.
constexpr int kRowTextLength = kColumns * kSegments;  // 48
constexpr int kMaxColour = 4;

// Segment positions inside an element.
enum Segment { kTop = 0, kRight = 1, kBottom = 2, kLeft = 3 };

// Element shapes used by the hint search.
enum Shape { kShapeEmpty = 0, kShapeOne = 1, kShapeAdjacent = 2, kShapeOpposite = 3, kShapeThree = 4, kShapeFull = 5 };

// The pure Gyrex field: a square of 12 x 12 elements of four triangular
// segments each. It rotates elements, finds and clears groups, lets
// elements fall, slides columns left and looks for useful moves. It knows
// nothing about sprites or time, so tests and tools run it alone; the
// visual field derives from it and drives these steps through its states.
//
// Segment values: 0 empty, 1..kMaxColour a colour. While a pass runs a
// segment may be marked (negative): negated when its group is to be
// destroyed, top bit set when it is to fall. Colour() and Marked() read
// either form.
class RField {
public:
  RField();
  virtual ~RField();
  RField(const RField&) = default;
  RField& operator=(const RField&) = default;

  // A fresh layout: every column filled from row 12 - startLineCount down
  // (the preview: row 0 only) with random colours, redrawing any element
  // that would make a group larger than maxNear. visibleElems 0,
  // rightColumn 11.
  virtual void New();
  // Writes "<name>.visible_elems", "<name>.right_column" and
  // "<name>.elements" (576 characters; the preview writes only row 0).
  virtual void SaveTo(OConfig& tree);
  // Reads the keys SaveTo writes. False, with the field unchanged, when
  // "elements" is not 576 characters of values 0..4 or "right_column" lies
  // outside 0..11; "visible_elems" is clamped to 0..48. Recomputes nothing
  // beyond the field itself (the visual field adds its own state).
  virtual bool LoadFrom(OConfig& tree);

  // --- segments ---
  int Colour(int column, int row, int segment) const;
  bool Marked(int column, int row, int segment) const;
  void SetColour(int column, int row, int segment, int colour);
  bool IsEmpty(int column, int row) const;
  bool IsFull(int column, int row) const;
  int ShapeOf(int column, int row) const;
  bool AnyMarked() const;
  void Clear();

  // --- moves and passes ---
  // Quarter turn: clockwise moves top to right, right to bottom, bottom to
  // left, left to top.
  void Rotate(int column, int row, bool clockwise);
  // Size of the group through one segment (0 for an empty one); leaves the
  // field as it was.
  int GroupSize(int column, int row, int segment);
  // Destroy pass over one element: every group through it of at least
  // colorDestroy segments stays marked. Returns the segments marked.
  int DestroyPassElement(int column, int row);
  // The same over all 144 elements, and over the 12 of the bottom row.
  int DestroyPassAll();
  int DestroyPassBottomRow();
  // Removes every marked segment; returns how many.
  int ClearMarked();
  // Marks what falls by one element (elements that fit into the one below,
  // then loose side segments). False when nothing falls.
  bool MarkFall();
  // Moves each marked segment one element down, unmarked.
  void ApplyFall();
  // Shrinks rightColumn to the last column with a non-empty bottom element
  // and looks for a column that fits wholly into its left neighbour; sets
  // shiftColumn (or -1) and returns whether a slide is due.
  bool FindSlide();
  // Whether the element can move into its left neighbour (empty ones can).
  bool CanMoveLeft(int column, int row) const { return column > 0 && canMoveLeft(column, row); }
  // Moves columns shiftColumn..rightColumn one column left; rightColumn - 1.
  void ApplySlide();
  // Looks for a useful move and sets hintColumn and hintRow (hintRow -1 when
  // the hint is the whole column). False when none exists.
  bool FindHint();
  // Number of distinct colours among the 144 elements.
  int ColoursInPlay() const;

  // --- rising rows ---
  // Anything in row 0 of columns 0..rightColumn.
  bool TopRowOccupied() const;
  // The topmost row holding any segment (12 when the field is empty).
  int TopmostRow() const;
  // Shifts columns 0..rightColumn up by one row and puts the preview's
  // row 0 into row 11 of those columns.
  void PushRow(const RField& preview);
  // Preview: reveals the next segment unless visibleElems has reached
  // width x 4 + 4 for the main field's rightColumn; false when full.
  bool RevealNext(int mainRightColumn);
  bool IsRevealed(int index) const { return index >= 0 && index < visibleElems; }

  // --- texts ---
  // All segments as the 576-character text (marks dropped).
  std::string ElementsText() const;
  // False, with the field unchanged, unless the text is valid.
  bool SetElementsText(const std::string& text);
  // Row 0 as the 48-character text, and the reverse.
  std::string RowText() const;
  bool SetRowText(const std::string& text);
  static bool ValidText(const std::string& text, size_t length);

  std::string name = "gamefield";  // key prefix: "gamefield" or "gamerow"
  RRules rules;                    // ColorCount, MaxNear, ColorDestroy, StartLineCount in use
  bool isRow = false;              // the preview row (row 0 only)
  int visibleElems = 0;            // revealed preview segments, 0..48
  int rightColumn = kColumns - 1;  // last column in use
  int shiftColumn = -1;            // first column of a due slide
  int hintColumn = -1, hintRow = -1;

  // [column][row][segment]
  int8_t elements[kColumns][kRows][kSegments] = {};

protected:
  // Work values of a group count.
  int countColour_ = 0;
  int count_ = 0;
  int passTotal_ = 0;

private:
  void flood(int column, int row, int segment);
  void fillElement(int column, int row);
  bool elementFits(int column, int row) const;
  bool columnCanSlide(int column) const;
  bool canMoveLeft(int column, int row) const;
  int colourRun(int column, int row, int colour) const;
  bool neighbourHolds(int column, int row, int colour) const;
  bool runUseful(int column, int row, int colour, int run) const;
  bool hintRuns();
  bool hintStacks();
  bool hintColumns();
};

}  // namespace SpaceGyrex

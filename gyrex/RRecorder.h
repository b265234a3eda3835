#pragma once
#include <climits>
#include <cstdint>
#include <string>
#include <vector>

class OConfig;

namespace SpaceGyrex {

class RField;

// The largest game clock, in milliseconds (about 11.5 days of play): clocks
// and event times read from disk are held to 0..kMaxClock and a running
// clock stops there, so lead times and frame steps added to it cannot
// overflow.
constexpr int kMaxClock = 1000000000;

// One recorded event.
struct RecData {
  enum : uint8_t { kRotation = 0, kReveal = 2 };
  uint8_t event = kRotation;
  uint8_t c = 0;      // column of the rotated element
  uint8_t r = 0;      // row of the rotated element
  uint8_t clock = 0;  // 1 clockwise, 0 counter-clockwise
  int32_t time = 0;   // the field's clock when it happened, ms
};
static_assert(sizeof(RecData) == 8);

// One Gyrex game as a starting position, the preview rows in order of use
// and a timed list of events, so it can be played back on the real field.
// Keys under a prefix p: "p.field_data", "p.row_data_count", "p.row_data%d",
// "p.data_count", "p.data%d.event|c|r|clock|time", "p.game_kind", "p.level".
class RRecorder {
public:
  // Bounds of a recording read from disk.
  static constexpr int kMaxEvents = 100000;
  static constexpr int kMaxRows = 20000;

  // Empties rows and events (and rewinds).
  void Reset();
  // fieldData from the field's segments, and the reverse (an empty
  // fieldData leaves the field as it is; false when it is not valid).
  void TakeField(const RField& field);
  bool RestoreField(RField& field) const;
  // Appends the preview's row 0.
  void AddRow(const RField& rowField);
  // Copies the next recorded row into the preview's row 0; past the end the
  // preview keeps its own row (false).
  bool NextRow(RField& rowField);
  void AddMove(int column, int row, bool clockwise, int time);
  void AddReveal(int time);
  // fieldData, rows, events, kind and level.
  void CopyTo(RRecorder& other) const;

  void SaveTo(OConfig& tree, const std::string& prefix) const;
  // False, leaving this recorder unchanged, when the tree has no section
  // named by the prefix or the recording is damaged: fieldData neither
  // empty nor 576 valid characters, a row not 48 valid characters, counts
  // negative or above the bounds, an event of an unknown type, a rotation
  // outside the field, kind or level outside 0..2. Times are held to
  // 0..kMaxClock; times that go backwards are raised to the time before them.
  bool LoadFrom(OConfig& tree, const std::string& prefix);

  // --- playback cursor ---
  // Index 0 and the first event unpacked; finished when there are none.
  void Rewind();
  // To the next event (finished after the last).
  void Advance();
  // The next rotation at or after the current event: its time (INT_MAX when
  // none), column and row (-1 when none).
  int NextMoveTime() const;
  int NextMoveColumn() const;
  int NextMoveRow() const;
  bool EventsLeft() const { return !finished; }

  std::string fieldData;
  std::vector<std::string> rows;
  std::vector<RecData> events;
  int gameKind = 0;
  int level = 0;

  // Playback position and the current event unpacked.
  size_t index = 0;
  size_t rowIndex = 0;
  bool finished = true;
  int column = -1, row = -1;
  bool clockwise = false;
  int time = 0;
  bool isAdd = false;

private:
  void unpack();
  size_t nextMoveIndex() const;
};

}  // namespace SpaceGyrex

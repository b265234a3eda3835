#include "gyrex/RRecorder.h"

#include <algorithm>

#include "gyrex/RField.h"
#include "storage/OConfig.h"

namespace SpaceGyrex {

void RRecorder::Reset() {
  rows.clear();
  events.clear();
  rowIndex = 0;
  Rewind();
}

void RRecorder::TakeField(const RField& field) { fieldData = field.ElementsText(); }

bool RRecorder::RestoreField(RField& field) const {
  if (fieldData.empty()) return true;
  return field.SetElementsText(fieldData);
}

void RRecorder::AddRow(const RField& rowField) { rows.push_back(rowField.RowText()); }

bool RRecorder::NextRow(RField& rowField) {
  if (rowIndex >= rows.size()) return false;
  const bool ok = rowField.SetRowText(rows[rowIndex]);
  ++rowIndex;
  return ok;
}

void RRecorder::AddMove(int column, int row, bool clockwise, int at) {
  RecData d;
  d.event = RecData::kRotation;
  d.c = static_cast<uint8_t>(column);
  d.r = static_cast<uint8_t>(row);
  d.clock = clockwise ? 1 : 0;
  d.time = at;
  events.push_back(d);
}

void RRecorder::AddReveal(int at) {
  RecData d;
  d.event = RecData::kReveal;
  d.time = at;
  events.push_back(d);
}

void RRecorder::CopyTo(RRecorder& other) const {
  other.fieldData = fieldData;
  other.rows = rows;
  other.events = events;
  // The kind and level travel with the recording, so a replay runs under
  // the rules it was played with.
  other.gameKind = gameKind;
  other.level = level;
  other.rowIndex = 0;
  other.Rewind();
}

void RRecorder::SaveTo(OConfig& tree, const std::string& p) const {
  tree.setString(p + ".field_data", fieldData);
  tree.setInt(p + ".row_data_count", static_cast<int>(rows.size()));
  for (size_t i = 0; i < rows.size(); ++i) tree.setString(OConfig::key("%s.row_data%zu", p.c_str(), i), rows[i]);
  tree.setInt(p + ".data_count", static_cast<int>(events.size()));
  for (size_t i = 0; i < events.size(); ++i) {
    const std::string k = OConfig::key("%s.data%zu.", p.c_str(), i);
    const RecData& d = events[i];
    tree.setInt(k + "event", d.event);
    tree.setInt(k + "c", d.c);
    tree.setInt(k + "r", d.r);
    tree.setRaw(k + "clock", d.clock ? "true" : "false");
    tree.setInt(k + "time", d.time);
  }
  tree.setInt(p + ".game_kind", gameKind);
  tree.setInt(p + ".level", level);
}

bool RRecorder::LoadFrom(OConfig& tree, const std::string& p) {
  if (!tree.hasSection(p)) return false;
  RRecorder in;
  in.fieldData = tree.getString(p + ".field_data");
  if (!in.fieldData.empty() && !RField::ValidText(in.fieldData, kElementsTextLength)) return false;
  const int rowCount = tree.getInt(p + ".row_data_count", 0);
  const int eventCount = tree.getInt(p + ".data_count", 0);
  if (rowCount < 0 || rowCount > kMaxRows || eventCount < 0 || eventCount > kMaxEvents) return false;
  in.gameKind = tree.getInt(p + ".game_kind", 0);
  in.level = tree.getInt(p + ".level", 0);
  if (in.gameKind < 0 || in.gameKind > 2 || in.level < 0 || in.level > 2) return false;
  in.rows.reserve(static_cast<size_t>(rowCount));
  for (int i = 0; i < rowCount; ++i) {
    in.rows.push_back(tree.getString(OConfig::key("%s.row_data%d", p.c_str(), i)));
    if (!RField::ValidText(in.rows.back(), kRowTextLength)) return false;
  }
  in.events.reserve(static_cast<size_t>(eventCount));
  int32_t last = 0;
  for (int i = 0; i < eventCount; ++i) {
    const std::string k = OConfig::key("%s.data%d.", p.c_str(), i);
    const int event = tree.getInt(k + "event", 0), c = tree.getInt(k + "c", 0), r = tree.getInt(k + "r", 0);
    if (event != RecData::kRotation && event != RecData::kReveal) return false;
    if (c < 0 || c >= kColumns || r < 0 || r >= kRows) return false;
    RecData d;
    d.event = static_cast<uint8_t>(event);
    d.c = static_cast<uint8_t>(c);
    d.r = static_cast<uint8_t>(r);
    const std::string clock = tree.getRaw(k + "clock", "false");
    d.clock = clock == "true" || (clock != "false" && tree.getInt(k + "clock", 0) != 0) ? 1 : 0;
    d.time = last = std::clamp(tree.getInt(k + "time", 0), last, kMaxClock);
    in.events.push_back(d);
  }
  *this = std::move(in);
  Rewind();
  return true;
}

void RRecorder::Rewind() {
  index = 0;
  rowIndex = 0;
  unpack();
}

void RRecorder::Advance() {
  if (index < events.size()) ++index;
  unpack();
}

void RRecorder::unpack() {
  finished = index >= events.size();
  if (finished) {
    column = row = -1;
    clockwise = isAdd = false;
    return;
  }
  const RecData& d = events[index];
  column = d.c;
  row = d.r;
  clockwise = d.clock != 0;
  time = d.time;
  isAdd = d.event == RecData::kReveal;
}

size_t RRecorder::nextMoveIndex() const {
  size_t i = index;
  while (i < events.size() && events[i].event != RecData::kRotation) ++i;
  return i;
}

int RRecorder::NextMoveTime() const {
  const size_t i = nextMoveIndex();
  return i < events.size() ? events[i].time : INT_MAX;
}

int RRecorder::NextMoveColumn() const {
  const size_t i = nextMoveIndex();
  return i < events.size() ? events[i].c : -1;
}

int RRecorder::NextMoveRow() const {
  const size_t i = nextMoveIndex();
  return i < events.size() ? events[i].r : -1;
}

}  // namespace SpaceGyrex

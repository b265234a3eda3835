#include "storage/TScoresTable.h"

#include "storage/NumberText.h"

void TScoresTable::add(int32_t score, const TScoresTableRec& rec) {
  auto count = perCategory_.find(rec.category);
  if (count == perCategory_.end()) {
    if (perCategory_.size() >= kMaxCategories) return;
    count = perCategory_.emplace(rec.category, 0).first;
  }
  if (count->second >= kTopSize) {
    // The lowest record of the category, of equal lowest the oldest, is the
    // one its Top 10 stops showing.
    auto lowest = records_.begin();
    while (lowest->second.category != rec.category) ++lowest;
    if (score < lowest->first) return;
    records_.erase(lowest);
    --count->second;
  }
  // A multimap inserts after the equal keys already there.
  records_.emplace(score, rec);
  ++count->second;
}

bool TScoresTable::addLine(const std::string& line) {
  size_t tabs[3];
  size_t from = 0;
  for (size_t& t : tabs) {
    t = line.find('\t', from);
    if (t == std::string::npos) return false;
    from = t + 1;
  }
  TScoresTableRec rec{line.substr(0, tabs[0]), line.substr(tabs[0] + 1, tabs[1] - tabs[0] - 1),
                      line.substr(tabs[1] + 1, tabs[2] - tabs[1] - 1)};
  const std::string score = line.substr(tabs[2] + 1);
  if (rec.date.size() > kMaxField || rec.name.size() > kMaxField || rec.category.size() > kMaxField ||
      score.size() > kMaxField)
    return false;
  add(zb::readAtol(score), rec);
  return true;
}

void TScoresTable::parseText(const std::string& text) {
  int fields = 0;
  bool overlong = false;
  std::string buffer;
  TScoresTableRec rec;
  auto endLine = [&] {
    if (fields == 3 && !overlong) add(zb::readAtol(buffer), rec);
    fields = 0;
    overlong = false;
    buffer.clear();
  };
  for (char c : text) {
    if (c == '\t') {
      ++fields;
      if (fields == 1) rec.date = buffer;
      if (fields == 2) rec.name = buffer;
      if (fields == 3) rec.category = buffer;
      buffer.clear();
    } else if (c == '\r') {
      // ignored
    } else if (c == '\n') {
      endLine();
    } else if (buffer.size() < kMaxField) {
      buffer += c;
    } else {
      overlong = true;  // a damaged line; keep memory bounded and drop it
    }
  }
  // The last line needs no line feed (even when it ends in a carriage
  // return); a final tab is only a separator and ends nothing.
  if (!text.empty() && text.back() != '\n' && text.back() != '\t') endLine();
}

std::string TScoresTable::toText() {
  for (auto& counter : counters_) counter.second = 0;
  std::string out;
  for (auto it = records_.rbegin(); it != records_.rend(); ++it) {
    const TScoresTableRec& r = it->second;
    if (++counters_[r.name + r.category] > 10) continue;
    out += r.date + '\t' + r.name + '\t' + r.category + '\t' + std::to_string(it->first) + '\n';
  }
  return out;
}

void TScoresTable::removeCategory(const std::string& category) {
  for (auto it = records_.begin(); it != records_.end();)
    it = it->second.category == category ? records_.erase(it) : std::next(it);
  perCategory_.erase(category);
}

void TScoresTable::clearRecords() {
  records_.clear();
  perCategory_.clear();
}

std::vector<TScoresTable::Entry> TScoresTable::topOfCategory(const std::string& category) const {
  std::vector<Entry> top;
  for (auto it = records_.rbegin(); it != records_.rend() && top.size() < 10; ++it)
    if (it->second.category == category) top.push_back({it->first, it->second});
  return top;
}

bool TScoresTable::hasScoresAboveZero(const std::string& category) const {
  for (const Entry& e : topOfCategory(category))
    if (e.score > 0) return true;
  return false;
}

void TScoresTable::addPlaceholders(int category) {
  // Ten placeholders per category are all a table keeps when it is written:
  // adding ten more on every showing would only grow the table in memory.
  std::string cat = std::to_string(category);
  int present = 0;
  for (const auto& [score, rec] : records_) present += score == 0 && rec.name == "NOBODY" && rec.category == cat;
  for (int i = present; i < 10; ++i) addLine("00-00-00\tNOBODY\t" + cat + "\t0");
}

void TScoresTable::resetCategory(int category) {
  removeCategory(std::to_string(category));
  addFiller("USD", category);
}

std::string TScoresTable::categoryText(int kind, int level) { return std::to_string(kind * 100 + level); }

void TScoresTable::addFiller(const char* date, int category) {
  for (int i = 0; i < 10; ++i) addLine(std::string(date) + "\tNOBODY\t" + std::to_string(category) + "\t0");
}

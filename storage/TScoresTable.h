#pragma once
#include <cstdint>
#include <map>
#include <string>
#include <vector>

// One finished game in a Top 10 table.
struct TScoresTableRec {
  std::string date;      // as the name entry writes it; placeholders hold "00-00-00" or "USD"
  std::string name;
  std::string category;  // decimal kind * 100 + level, e.g. "401"
};

// The best scores of one game variant, all categories together. Stored as
// text, one line per record: date TAB name TAB category TAB score LF.
class TScoresTable {
public:
  struct Entry {
    int32_t score;
    TScoresTableRec rec;
  };

  // Fields longer than this mark a damaged line, which is dropped.
  static constexpr size_t kMaxField = 256;

  // A Top 10 shows ten records of a category, so a table keeps no more: a
  // category holds its kTopSize best records, and records of categories
  // beyond the first kMaxCategories are dropped. A saved table of any size
  // thus loads into a few hundred records.
  static constexpr size_t kTopSize = 10;
  static constexpr size_t kMaxCategories = 64;

  // Adds a record after any of equal score, so the newest of equal scores
  // comes first from the top. In a full category it replaces the lowest
  // (of equal lowest the oldest) record, or is dropped when lower than all.
  void add(int32_t score, const TScoresTableRec& rec);

  // "date\tname\tcategory\tscore"; the score reads like atol (padding spaces
  // allowed, 0 without digits). False (nothing added) when a field is
  // missing or overlong.
  bool addLine(const std::string& line);

  // Adds every well-formed line of a multi-line text; lines without exactly
  // four fields are dropped. Carriage returns are ignored.
  void parseText(const std::string& text);

  // All records from the highest score down, keeping for every pair of name
  // and category only its ten best.
  std::string toText();

  void removeCategory(const std::string& category);
  void clearRecords();

  // The first ten records of a category from the highest score down.
  std::vector<Entry> topOfCategory(const std::string& category) const;
  // True when one of those ten has a score above 0.
  bool hasScoresAboveZero(const std::string& category) const;

  // "00-00-00 NOBODY" lines of score 0, so a category always shows ten rows;
  // a category never holds more than ten such placeholders.
  void addPlaceholders(int category);
  // Removes a category and fills it with ten "USD NOBODY" lines.
  void resetCategory(int category);

  // kind * 100 + level as text.
  static std::string categoryText(int kind, int level);

  size_t size() const { return records_.size(); }
  const std::multimap<int32_t, TScoresTableRec>& records() const { return records_; }

private:
  void addFiller(const char* date, int category);

  std::multimap<int32_t, TScoresTableRec> records_;
  std::map<std::string, int32_t> counters_;  // per name + category while writing
  std::map<std::string, size_t> perCategory_;  // records held per category
};

#pragma once
#include <ctime>
#include <string>

#include "ui/AFramedWnd.h"

class OClipEdit;
class TScoresTable;

// The screen after a game: shows the score and, when it makes the Top 10
// of the variant and level, asks for the player's name, stores the record
// at once and leads on to the Top 10 screen.
class AGameOverWnd : public AFramedWnd {
public:
  static constexpr int kWonSound = 1000001;
  static constexpr int kLostSound = 1000002;
  static constexpr size_t kMaxName = 25;

  explicit AGameOverWnd(OMainWindow& owner);

  void open(OEngine** slot) override;
  // A press or release in the first half second after opening is a click
  // meant for the board: ignored.
  OClipControl* onLButtonDown(int x, int y) override;
  OClipControl* onLButtonUp(int x, int y) override;
  void buildContents() override;
  void accept() override;
  void cancel() override;
  void onClosed() override;

  bool qualified() const { return qualified_; }
  OClipEdit* nameField() const { return edit_; }

  // A score of at least 1 that is not below the tenth best of the category
  // (every such score while the category has fewer than ten records).
  static bool qualifies(const TScoresTable& table, const std::string& category, int score);
  // "day-month-year", the month from 1 and the year counted from 1900.
  static std::string dateText(const std::tm& when);
  // The typed name cut to 25 characters; "Anonymous" when nothing is left.
  static std::string entryName(const std::string& typed);
  // The record line the table takes: date, name, category, score ("%7d").
  static std::string recordLine(const std::string& date, const std::string& name,
                                const std::string& category, int score);

private:
  void removeField();

  bool strayClickTime() const;

  bool qualified_ = false;
  uint32_t openedAt_ = 0;
  OClipEdit* edit_ = nullptr;
};

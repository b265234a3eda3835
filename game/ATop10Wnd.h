#pragma once
#include <string>
#include <vector>

#include "ui/AFramedWnd.h"

class TScoresTable;

// The ten best records of the running variant at its level, with "Clear"
// (after a confirmation) and "Publish" (copies the list to the clipboard,
// and opens the score page set in the settings, if any) while any of them
// has a score above 0.
class ATop10Wnd : public AFramedWnd {
public:

  explicit ATop10Wnd(OMainWindow& owner);

  void open(OEngine** slot) override;
  void buildContents() override;
  void accept() override;
  void cancel() override;
  void onTextClicked(AClipString* text) override;
  void onChildClosed(OEngine* child, int result) override;

  // The texts of the shown rows: name then score per row, best first.
  const std::vector<AClipString*>& rowTexts() const { return rows_; }
  bool publishShown() const { return publish_ != nullptr; }

  // The list line of a table category: "name:score" records joined by ';',
  // then the variant and level.
  static std::string publishLine(const TScoresTable& table, const std::string& category,
                                 const std::string& variant, const std::string& level);
  // The line scrambled and written as hexadecimal digits, safe in an address.
  static std::string encode(const std::string& line);
  static std::string decode(const std::string& hex);

  // The note shown after "Publish", or nullptr.
  const AClipString* publishNote() const { return note_; }

private:
  void publish();

  std::vector<AClipString*> rows_;
  AClipString* note_ = nullptr;
  AClipString* clear_ = nullptr;
  AClipString* publish_ = nullptr;
};

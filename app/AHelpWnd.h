#pragma once
#include <string>
#include <vector>

#include "ui/AFramedWnd.h"

class OBitmap;

// The help pages of the data pack ("help/help%d.dat"), one at a time with
// "Back" and "Next" (each only where there is a page to go to); "Close",
// Escape or Enter leave. It opens at the page of the game being played. A
// page is plain text in a light markup: the first line is the title, "== "
// starts a heading, "* " a bullet, an empty line ends a paragraph, other
// lines run on. A title "Family: variant and variant" names what it helps with.
class AHelpWnd : public AFramedWnd {
public:
  static constexpr int kMaxPages = 64;
  static constexpr const char* kHelpKey = "ZenHelp!";
  static constexpr int kPageWidth = 700, kPageHeight = 430;

  explicit AHelpWnd(OMainWindow& owner);

  // Reads every page there is; a missing pack leaves one page saying so.
  bool create() override;
  // Turns to the page of the game being played, then opens.
  void open(OEngine** slot) override;
  void buildContents() override;
  void accept() override;
  void cancel() override;
  void onTextClicked(AClipString* text) override;
  void onKeyDown(int key, int mods) override;
  void onClosed() override;
  void removeAllTexts() override;

  int pageCount() const { return int(pages_.size()); }
  // Page i as shown: the pack's page in the player's language.
  const std::string& pageText(int i) const { return pages_[size_t(i)]; }
  // True when the page shown ran past the sheet's foot (its last lines are
  // not drawn).
  bool pageCut() const { return pageCut_; }
  int page() const { return page_; }
  void showPage(int page);

  // One drawn line of a page: its text and how it is drawn.
  struct Line {
    std::string text;
    int kind;  // 0 body, 1 title, 2 heading
  };
  // Lays a page's markup out into lines no wider than `width` pixels
  // (measured with the measure function).
  static std::vector<Line> layOut(const std::string& page, int width,
                                  int (*measure)(const std::string&, int kind));
  // The page for a game: the first whose title names the family and the
  // variant, else the first that names the family, else page 0.
  static int pageFor(const std::vector<std::string>& pages, const std::string& family,
                     const std::string& variant);

private:
  void drawPage();
  // Offers "Back" and "Next" only where there is a page to go to.
  void updatePageButtons();

  bool pageCut_ = false;
  std::vector<std::string> englishPages_;  // the pack's pages as written
  std::vector<std::string> pages_;
  int page_ = 0;
  OClip* sheet_ = nullptr;
  AClipString* back_ = nullptr;
  AClipString* next_ = nullptr;
};

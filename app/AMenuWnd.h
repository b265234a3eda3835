#pragma once
#include <vector>

#include "ui/AFramedWnd.h"

// The main menu: a framed dialog of one button text per choice. It closes
// with the choice made; the main screen carries it out (choice()).
class AMenuWnd : public AFramedWnd {
public:
  enum Choice : int {
    kPickGame,
    kNewGame,
    kDemo,
    kReplay,
    kTop10,
    kOptions,
    kHelp,
    kContinue,
    kExit,
  };

  explicit AMenuWnd(OMainWindow& owner);

  void buildContents() override;
  // Enter and Escape both continue the game.
  void accept() override;
  void cancel() override;
  void onTextClicked(AClipString* text) override;

  Choice choice() const { return choice_; }
  // The choices shown by the last opening, top to bottom.
  const std::vector<Choice>& shown() const { return shown_; }

private:
  Choice choice_ = kContinue;
  std::vector<Choice> shown_;
  std::vector<AClipString*> items_;
};

#pragma once
#include <string>

#include "ui/AFramedWnd.h"

// A yes-or-no question on a framed dialog: the title and two button texts,
// "Yes" accepting (also Enter) and "No" cancelling (also Escape).
class AConfirmWnd : public AFramedWnd {
public:
  // Positions are top-left corners; the buttons' y is given as the
  // distance from the dialog's bottom.
  struct Layout {
    const char* title;
    int titleX, titleY;
    int yesX, noX;
    int buttonsFromBottom;
  };

  AConfirmWnd(OMainWindow& owner, const Layout& layout);

  void buildContents() override;
  void accept() override;
  void cancel() override;

private:
  Layout layout_;
};

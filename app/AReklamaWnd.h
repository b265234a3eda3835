#pragma once
#include "ui/AFramedWnd.h"

// The farewell screen shown when the player closes the window: a few words
// about the pack and a "Quit" button that ends the run.
class AReklamaWnd : public AFramedWnd {
public:
  explicit AReklamaWnd(OMainWindow& owner);

  // Closing is allowed from now on, so a second close request ends the run.
  void open(OEngine** slot) override;
  void buildContents() override;
  void accept() override;
  void cancel() override;
};

#pragma once
#include "game/AConfirmWnd.h"

// "QUIT THE GAME?": yes ends the run.
class AExitWnd : public AConfirmWnd {
public:
  explicit AExitWnd(OMainWindow& owner);
  void accept() override;
};

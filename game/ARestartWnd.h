#pragma once
#include "game/AConfirmWnd.h"

// "Start new Game?": yes sets the new-game flag, no clears it.
class ARestartWnd : public AConfirmWnd {
public:
  explicit ARestartWnd(OMainWindow& owner);
  void accept() override;
  void cancel() override;
};

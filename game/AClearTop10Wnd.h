#pragma once
#include "game/AConfirmWnd.h"

// "ARE YOU SURE?" before a Top 10 category is cleared.
class AClearTop10Wnd : public AConfirmWnd {
public:
  explicit AClearTop10Wnd(OMainWindow& owner);
};

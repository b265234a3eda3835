#include "game/AClearTop10Wnd.h"

AClearTop10Wnd::AClearTop10Wnd(OMainWindow& owner)
    : AConfirmWnd(owner, {"ARE YOU SURE?", 155, 180, 170, 535, 240}) {}

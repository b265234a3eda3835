#include "game/AClearTop10Wnd.h"
#include "platform/Language.h"

AClearTop10Wnd::AClearTop10Wnd(OMainWindow& owner)
    : AConfirmWnd(owner, {N_("ARE YOU SURE?"), 155, 180, 170, 535, 240}) {}

#include "tessel/TesselFamily.h"

#include "game/GameCatalog.h"
#include "game/GameFamilies.h"
#include "tessel/ATesselGame.h"

namespace SpaceTessel {

namespace {

std::unique_ptr<AGameWnd> create(AGameHost& host) { return std::make_unique<ATesselGame>(host); }

// Unicolor, quadcolor, smart mix and advanced mix.
constexpr unsigned kPlayableKinds = 0b1111;

}  // namespace

void registerFamily() { zb::registerGameFamily(zb::kFamilyTessel, create, kPlayableKinds); }

}  // namespace SpaceTessel

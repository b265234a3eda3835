#include "gyrex/GyrexFamily.h"

#include "game/GameCatalog.h"
#include "game/GameFamilies.h"
#include "gyrex/AMyGame.h"

namespace SpaceGyrex {

namespace {

std::unique_ptr<AGameWnd> create(AGameHost& host) { return std::make_unique<AMyGame>(host); }

// Strip mania, Shift Mania and Time Mania.
constexpr unsigned kPlayableKinds = 0b111;

}  // namespace

void registerFamily() { zb::registerGameFamily(zb::kFamilyGyrex, create, kPlayableKinds); }

}  // namespace SpaceGyrex

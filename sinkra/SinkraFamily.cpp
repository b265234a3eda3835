#include "sinkra/SinkraFamily.h"

#include "game/GameCatalog.h"
#include "game/GameFamilies.h"
#include "sinkra/AMyGame.h"

namespace SpaceSinkra {

namespace {

std::unique_ptr<AGameWnd> create(AGameHost& host) { return std::make_unique<AMyGame>(host); }

// Collector, advanced, Remover, Turn Play and Classic.
constexpr unsigned kPlayableKinds = 0b11111;

}  // namespace

void registerFamily() { zb::registerGameFamily(zb::kFamilySinkra, create, kPlayableKinds); }

}  // namespace SpaceSinkra

// Every game family of this build, one line each.
#include "game/GameFamilies.h"
#include "gyrex/GyrexFamily.h"
#include "sinkra/SinkraFamily.h"

namespace zb {

void registerFamilies() {
  SpaceSinkra::registerFamily();
  SpaceGyrex::registerFamily();
}

}  // namespace zb

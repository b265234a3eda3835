// Every game family of this build, one line each.
#include "game/GameFamilies.h"
#include "gyrex/GyrexFamily.h"
#include "sinkra/SinkraFamily.h"
#include "tessel/TesselFamily.h"

namespace zb {

void registerFamilies() {
  SpaceSinkra::registerFamily();
  SpaceTessel::registerFamily();
  SpaceGyrex::registerFamily();
}

}  // namespace zb

// Every game family of this build, one line each.
#include "game/GameFamilies.h"
#include "sinkra/SinkraFamily.h"

namespace zb {

void registerFamilies() {
  SpaceSinkra::registerFamily();
}

}  // namespace zb

#pragma once

namespace SpaceGyrex {

// Puts the Gyrex family into the controller's family table.
void registerFamily();

}  // namespace SpaceGyrex

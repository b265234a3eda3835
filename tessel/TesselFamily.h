#pragma once

namespace SpaceTessel {

// Puts the Tessel family into the controller's family table.
void registerFamily();

}  // namespace SpaceTessel

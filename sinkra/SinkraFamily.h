#pragma once

namespace SpaceSinkra {

// Puts the Sinkra family into the controller's family table.
void registerFamily();

}  // namespace SpaceSinkra

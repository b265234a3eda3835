#include "sinkra/CPiece.h"

#include "gfx/OClip.h"

namespace SpaceSinkra {

CPiece::CPiece() = default;
CPiece::CPiece(int c) : colour(c) {}
CPiece::~CPiece() = default;

}  // namespace SpaceSinkra

#include "gfx/DibSection.h"

#include <new>

std::shared_ptr<DibSection> DibSection::make(int width, int height) {
  if (width < 1 || height < 1 || width > kMaxSide || height > kMaxSide) return nullptr;
  const int stride = strideFor(width);
  const size_t bytes = size_t(stride) * size_t(height + 1);
  if (bytes > kMaxBytes) return nullptr;
  try {
    auto section = std::make_shared<DibSection>();
    // Four bytes of slack let blits read a pixel as one 32-bit word at the
    // very end of the store.
    section->memory_.assign(bytes + 4, 0);
    section->width = width;
    section->height = height;
    section->rowStride = stride;
    section->pixels = section->memory_.data();
    return section;
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
}

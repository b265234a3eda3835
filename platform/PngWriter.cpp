#include "platform/PngWriter.h"

#include <SDL.h>
#include <SDL_image.h>

#include <cstring>

#include "platform/Files.h"

namespace zb {

bool writePng(const std::string& path, int width, int height, const uint8_t* pixels, int stride, bool alpha) {
  if (!pixels || width < 1 || height < 1 || stride < width * (alpha ? 4 : 3)) return false;
  // BGR24 and BGRA32 name the byte order in memory.
  const Uint32 format = alpha ? SDL_PIXELFORMAT_BGRA32 : SDL_PIXELFORMAT_BGR24;
  SDL_Surface* s = SDL_CreateRGBSurfaceWithFormat(0, width, height, alpha ? 32 : 24, format);
  if (!s) return false;
  const size_t rowBytes = size_t(width) * (alpha ? 4 : 3);
  for (int y = 0; y < height; ++y)
    std::memcpy(static_cast<uint8_t*>(s->pixels) + size_t(y) * size_t(s->pitch), pixels + size_t(y) * size_t(stride),
                rowBytes);
  makeParentDirs(path);
  const bool ok = IMG_SavePNG(s, resolvePath(path).c_str()) == 0;
  SDL_FreeSurface(s);
  return ok;
}

}  // namespace zb

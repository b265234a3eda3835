#include "platform/PngWriter.h"

#include <SDL.h>
#include <SDL_image.h>
#include <sys/stat.h>

#include <cstring>
#include <vector>

#include "platform/ReplaceFile.h"

namespace zb {
namespace {

// An SDL stream that appends to a byte vector, so the picture is encoded
// in memory and reaches the disk in one checked write.
Sint64 sizeOf(SDL_RWops* rw) { return Sint64(static_cast<std::vector<uint8_t>*>(rw->hidden.unknown.data1)->size()); }

Sint64 seekTo(SDL_RWops* rw, Sint64 offset, int whence) {
  // Only "where am I" is answered; the encoder writes straight through.
  return offset == 0 && whence != RW_SEEK_SET ? sizeOf(rw) : -1;
}

size_t readNothing(SDL_RWops*, void*, size_t, size_t) { return 0; }

size_t append(SDL_RWops* rw, const void* p, size_t size, size_t count) {
  auto* bytes = static_cast<std::vector<uint8_t>*>(rw->hidden.unknown.data1);
  const uint8_t* from = static_cast<const uint8_t*>(p);
  bytes->insert(bytes->end(), from, from + size * count);
  return count;
}

int closeStream(SDL_RWops* rw) {
  SDL_FreeRW(rw);
  return 0;
}

bool encodePng(SDL_Surface* s, std::vector<uint8_t>& bytes) {
  SDL_RWops* rw = SDL_AllocRW();
  if (!rw) return false;
  rw->size = sizeOf;
  rw->seek = seekTo;
  rw->read = readNothing;
  rw->write = append;
  rw->close = closeStream;
  rw->type = SDL_RWOPS_UNKNOWN;
  rw->hidden.unknown.data1 = &bytes;
  return IMG_SavePNG_RW(s, rw, 1) == 0 && !bytes.empty();
}

// The folders of a path given by a person, taken as they are written.
void makeFoldersFor(const std::string& path) {
  for (size_t slash = path.find('/', 1); slash != std::string::npos; slash = path.find('/', slash + 1))
    ::mkdir(path.substr(0, slash).c_str(), 0755);
}

}  // namespace

bool writePng(const std::string& path, int width, int height, const uint8_t* pixels, int stride, bool alpha) {
  if (path.empty() || !pixels || width < 1 || height < 1 || stride < width * (alpha ? 4 : 3)) return false;
  // BGR24 and BGRA32 name the byte order in memory.
  const Uint32 format = alpha ? SDL_PIXELFORMAT_BGRA32 : SDL_PIXELFORMAT_BGR24;
  SDL_Surface* s = SDL_CreateRGBSurfaceWithFormat(0, width, height, alpha ? 32 : 24, format);
  if (!s) return false;
  const size_t rowBytes = size_t(width) * (alpha ? 4 : 3);
  for (int y = 0; y < height; ++y)
    std::memcpy(static_cast<uint8_t*>(s->pixels) + size_t(y) * size_t(s->pitch), pixels + size_t(y) * size_t(stride),
                rowBytes);
  std::vector<uint8_t> bytes;
  const bool encoded = encodePng(s, bytes);
  SDL_FreeSurface(s);
  if (!encoded) return false;
  makeFoldersFor(path);
  return replaceFile(path, bytes);
}

}  // namespace zb

#include "platform/TextRender.h"
#include "platform/KeyCodes.h"

#include <SDL.h>
#include <SDL_ttf.h>
#include <fontconfig/fontconfig.h>

#include <cstdio>
#include <map>
#include <mutex>
#include <set>
#include <memory>
#include <tuple>

namespace zb {
namespace {

struct FontDeleter {
  void operator()(TTF_Font* f) const { TTF_CloseFont(f); }
};

using FontKey = std::tuple<std::string, int, bool, bool, bool>;

// Opened fonts live for the run; a game uses a handful of styles.
std::map<FontKey, std::unique_ptr<TTF_Font, FontDeleter>>& fontCache() {
  static std::map<FontKey, std::unique_ptr<TTF_Font, FontDeleter>> cache;
  return cache;
}

// Texts in a face that cannot be opened stay blank; a person should hear
// why, but once per face, not once per text.
void reportMissingFont(const std::string& face, const std::string& file) {
  static std::set<std::string> reported;
  static std::mutex lock;
  std::lock_guard<std::mutex> guard(lock);
  if (!reported.insert(face).second) return;
  if (file.empty())
    std::fprintf(stderr, "zenbox: no font found for \"%s\" (fontconfig offers none); its texts stay blank\n",
                 face.c_str());
  else
    std::fprintf(stderr, "zenbox: the font for \"%s\" (%s) cannot be opened; its texts stay blank\n", face.c_str(),
                 file.c_str());
}

TTF_Font* openFont(const TextFont& font) {
  const int height = font.pixelHeight < 1 ? 1 : (font.pixelHeight > 512 ? 512 : font.pixelHeight);
  FontKey key{font.face, height, font.bold, font.italic, font.underline};
  auto& cache = fontCache();
  auto it = cache.find(key);
  if (it != cache.end()) return it->second.get();
  if (!TTF_WasInit() && TTF_Init() != 0) return nullptr;
  const std::string file = findFontFile(font.face, font.bold, font.italic);
  // SDL_ttf sizes fonts at 72 dots per inch, so the point size is the em
  // height in pixels.
  TTF_Font* f = file.empty() ? nullptr : TTF_OpenFont(file.c_str(), height);
  if (!f) {
    reportMissingFont(font.face, file);
    return nullptr;
  }
  int style = TTF_STYLE_NORMAL;
  if (font.underline) style |= TTF_STYLE_UNDERLINE;
  // Fontconfig may only have a regular face; let SDL_ttf synthesise the rest.
  const std::string name = TTF_FontFaceStyleName(f) ? TTF_FontFaceStyleName(f) : "";
  if (font.bold && name.find("Bold") == std::string::npos) style |= TTF_STYLE_BOLD;
  if (font.italic && name.find("Italic") == std::string::npos && name.find("Oblique") == std::string::npos)
    style |= TTF_STYLE_ITALIC;
  TTF_SetFontStyle(f, style);
  cache.emplace(key, std::unique_ptr<TTF_Font, FontDeleter>(f));
  return f;
}

SDL_Color toColour(uint32_t c) { return SDL_Color{Uint8(c >> 16), Uint8(c >> 8), Uint8(c), 255}; }

}  // namespace

std::string findFontFile(const std::string& face, bool bold, bool italic) {
  if (!FcInit()) return "";
  FcPattern* pattern = FcPatternCreate();
  FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(face.c_str()));
  FcPatternAddInteger(pattern, FC_WEIGHT, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
  FcPatternAddInteger(pattern, FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
  FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
  FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
  FcDefaultSubstitute(pattern);
  FcResult result = FcResultNoMatch;
  FcPattern* match = FcFontMatch(nullptr, pattern, &result);
  std::string path;
  FcChar8* file = nullptr;
  if (match && FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch) path = reinterpret_cast<char*>(file);
  if (match) FcPatternDestroy(match);
  FcPatternDestroy(pattern);
  return path;
}

bool measureText(const TextFont& font, const std::string& text, int& width, int& height) {
  TTF_Font* f = openFont(font);
  if (!f) return false;
  width = 0;
  height = TTF_FontHeight(f);
  if (text.empty()) return true;
  int w = 0, h = 0;
  if (TTF_SizeUTF8(f, fromLatin1(text).c_str(), &w, &h) != 0) return false;
  width = w;
  height = h;
  return true;
}

bool renderText(const TextFont& font, const std::string& text, uint32_t textColour, uint32_t backColour,
                TextPixels& out) {
  out = TextPixels{};
  TTF_Font* f = openFont(font);
  if (!f) return false;
  out.height = TTF_FontHeight(f);
  if (text.empty()) return true;
  SDL_Surface* shaded = TTF_RenderUTF8_Shaded(f, fromLatin1(text).c_str(), toColour(textColour), toColour(backColour));
  if (!shaded) return false;
  SDL_Surface* rgb = SDL_ConvertSurfaceFormat(shaded, SDL_PIXELFORMAT_RGB24, 0);
  SDL_FreeSurface(shaded);
  if (!rgb) return false;
  out.width = rgb->w;
  out.height = rgb->h;
  out.rgb.resize(size_t(rgb->w) * size_t(rgb->h) * 3);
  SDL_LockSurface(rgb);
  for (int y = 0; y < rgb->h; ++y)
    SDL_memcpy(out.rgb.data() + size_t(y) * rgb->w * 3, static_cast<uint8_t*>(rgb->pixels) + size_t(y) * rgb->pitch,
               size_t(rgb->w) * 3);
  SDL_UnlockSurface(rgb);
  SDL_FreeSurface(rgb);
  return true;
}

}  // namespace zb

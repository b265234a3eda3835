// zenbox-data icons DIR: the application icon for a desktop icon theme.
#include <cmath>
#include <cstdio>

#include "platform/PngWriter.h"
#include "tools/data/Command.h"
#include "tools/data/gen/Canvas.h"
#include "tools/data/gen/Pictures.h"

namespace {

// The sizes desktops ask a hicolor theme for.
constexpr int kSizes[] = {16, 22, 24, 32, 48, 64, 128, 256};

bool writeIcon(const std::string& path, int size) {
  zbgen::Canvas c = zbgen::appIcon(size);
  std::vector<uint8_t> bgra;
  for (int y = 0; y < size; ++y)
    for (int x = 0; x < size; ++x) {
      const zbgen::Rgba& p = c.at(x, y);
      for (float v : {p.b, p.g, p.r, p.a}) bgra.push_back(static_cast<uint8_t>(std::lround(zbgen::clamp01(v) * 255)));
    }
  return zb::writePng(path, size, size, bgra.data(), size * 4, true);
}

int icons(const std::vector<std::string>& args) {
  if (args.size() != 1) return zbdata::usageError("icons");
  for (int size : kSizes) {
    const std::string n = std::to_string(size);
    const std::string path = args[0] + "/" + n + "x" + n + "/apps/zenbox.png";
    if (!writeIcon(path, size)) {
      std::fprintf(stderr, "zenbox-data icons: cannot write %s\n", path.c_str());
      return 1;
    }
  }
  return 0;
}

zbdata::CommandRegistrar reg({"icons", "DIR", "write the application icon as DIR/<n>x<n>/apps/zenbox.png", icons});

}  // namespace

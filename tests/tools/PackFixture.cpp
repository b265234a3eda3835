#include "tests/tools/PackFixture.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>

#include "platform/Files.h"
#include "tools/data/gen/DataPack.h"

namespace zbtest {

const std::string& generatedPack() {
  static std::unique_ptr<TempDir> dir;
  if (!dir) {
    dir = std::make_unique<TempDir>();
    zbgen::PackResult r = zbgen::generateDataPack(dir->path());
    EXPECT_TRUE(r.ok) << r.error;
  }
  return dir->path();
}

std::string packPath(const std::string& name) { return zb::resolvePath(generatedPack() + "/" + name); }

std::vector<std::string> expectedPackFiles() {
  std::vector<std::string> f = {"clp/alph.clp", "clp/alph2.clp", "clp/alph3.clp", "clp/alph4.clp",
                                "clp/lc.clp",   "clp/i1.clp",    "clp/jp8.clp",   "clp/jp9.clp",
                                "clp/clp0.clp", "clp/clp1.clp",  "clp/tessel/gst.clp", "clp/tessel/bg.clp",
                                "clp/gyrex/bgnet.clp", "clp/Gyrex/cursor.clp", "clp/Sinkra/p1.clp", "clp/Sinkra/cm.clp",
                                "cfg/sinkra.cfg", "cfg/Gyrex.dat", "icon/icon101.bmp", "icon/icon102.bmp"};
  char name[64];
  auto add = [&](const char* fmt, int a, int b = 0) {
    std::snprintf(name, sizeof name, fmt, a, b);
    f.push_back(name);
  };
  for (int i = 0; i < 6; ++i) add("clp/bt%d.clp", i);
  for (int i = 7; i <= 12; ++i) add("clp/but%d.clp", i);
  for (int skin = 0; skin < 6; ++skin)
    for (int c = 1; c <= 6; ++c) add("clp/Sinkra/%d%d.clp", skin, c);
  for (int i = 0; i < 8; ++i) add("clp/Sinkra/b%d.clp", i);
  for (int i = 0; i < 5; ++i) add("clp/Sinkra/cb%d.clp", i);
  for (int c = 0; c < 6; ++c)
    for (int skin = 0; skin < 6; ++skin) {
      add("clp/Tessel/gbh%d_%d.clp", c, skin);
      add("clp/Tessel/gbv%d_%d.clp", c, skin);
    }
  for (int i = 7; i <= 10; ++i) add("clp/Gyrex/bg%d.clp", i);
  for (int i = 0; i <= 2; ++i) add("wav/i%d.wav", i);
  for (int i = 1; i <= 9; ++i) add("wav/Sinkra/g%d.wav", i);
  for (int i = 0; i <= 3; ++i) add("wav/Tessel/g%d.wav", i);
  for (int i = 0; i <= 3; ++i) add("wav/Gyrex/g%d.wav", i);
  for (int i = 0; i <= 6; ++i) add("music/slow%d.mid", i);
  for (int i = 0; i <= 7; ++i) add("music/fast%d.mid", i);
  add("help/help%d.dat", 0);
  return f;
}

}  // namespace zbtest

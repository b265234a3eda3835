// A saved Sinkra board from disk: any text must load into every variant
// without a crash, leave a consistent board (each block's clip on the screen
// exactly once) and keep playing. The first byte picks the variant ('0'
// Collector, '1' rising rows, '2' Remover, '3' Turn Play, '4' Classic); the
// rest is the configuration text of the saved game.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>

#include "app/OEngine.h"
#include "app/OffscreenScreen.h"
#include "gfx/OBitmap.h"
#include "gfx/OClip.h"
#include "platform/Random.h"
#include "sinkra/CClassicSinkraGame.h"
#include "sinkra/CCollectorGame.h"
#include "sinkra/CGlobal.h"
#include "sinkra/CPiece.h"
#include "sinkra/CRemoverGame.h"
#include "sinkra/CSinkraGame.h"
#include "sinkra/CTurnGame.h"
#include "storage/OConfig.h"

namespace {

using namespace SpaceSinkra;

// The off-screen screen the boards play on, made once for the run.
struct Screen : zb::OffscreenScreen {
  // Sparks need a star picture: six rows of three frames.
  std::unique_ptr<OClip> star = zb::makeSparkPicture(3, 6, 0xFFFF00);
  CFieldHost host;
};

Screen& screen() {
  static Screen* s = new Screen;  // lives to the end of the process
  return *s;
}

std::unique_ptr<CGameField> makeVariant(int v) {
  switch (v) {
    case 0: return std::make_unique<CCollectorGame>();
    case 1: {
      auto g = std::make_unique<CSinkraGame>();
      g->setRowTiming(400, 50);
      return g;
    }
    case 2: return std::make_unique<CRemoverGame>();
    case 3: return std::make_unique<CTurnGame>();
    default: return std::make_unique<CClassicSinkraGame>();
  }
}

// Every block's clip is on the screen exactly once.
bool consistent(const CGameField& field, const OEngine& engine) {
  const CGameMap& g = field.grid();
  const auto& clips = engine.clips();
  for (int i = 0; i < g.size(); ++i) {
    const CPiece* p = g.at(i);
    if (p && std::count(clips.begin(), clips.end(), p->clip.get()) != 1) return false;
  }
  return true;
}

void play(CGameField& field, Screen& s, const uint8_t* data, size_t size) {
  for (int i = 0; i < 40; ++i) {
    field.update(15 + i % 3 * 15);
    s.engine->tick(30);
    int cell = size ? data[size_t(i) % size] : i;
    field.hover(cell - 8);
    if (i % 5 == 0) field.click(cell - 8);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  Screen& s = screen();
  CGlobal& g = CGlobal::instance();
  g.reset();
  g.fatal = [](const std::string&, int) {};
  g.beginGame(data[0] % 3);
  g.star = s.star.get();
  zb::seedRandom(7);
  const int variant = data[0] % 5;
  OConfig config;
  config.parse(std::string(reinterpret_cast<const char*>(data + 1), size - 1));
  {
    std::unique_ptr<CGameField> field = makeVariant(variant);
    field->setHost(&s.host);
    field->attach(s.engine.get(), {}, {}, 10, 10, 580, 580);
    field->setup(8, 8);
    field->newField();  // loading replaces a board in play
    field->loadState(config);
    if (!consistent(*field, *s.engine)) std::abort();
    play(*field, s, data, size);
    if (!consistent(*field, *s.engine)) std::abort();
    // What the board writes back must load again.
    OConfig saved;
    field->saveState(saved);
    std::unique_ptr<CGameField> other = makeVariant(variant);
    other->setHost(&s.host);
    other->attach(s.engine.get(), {}, {}, 10, 10, 580, 580);
    other->setup(8, 8);
    other->loadState(saved);
    if (!consistent(*other, *s.engine)) std::abort();
    play(*other, s, data, size);
  }
  // The boards took all their clips back; only what the screen owns remains.
  s.engine->tick(30);
  return 0;
}

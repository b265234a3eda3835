// The Gyrex visual field's heaviest frame: one update while half the field
// fades out, every marked segment shedding sparkles onto a headless screen.
#include <benchmark/benchmark.h>

#include <array>
#include <memory>

#include "app/OEngine.h"
#include "app/OMainWindow.h"
#include "gyrex/RVisualField.h"
#include "platform/Clock.h"
#include "app/OffscreenScreen.h"
#include "platform/HeadlessWindow.h"
#include "platform/Random.h"

using namespace SpaceGyrex;

namespace {

std::unique_ptr<OClip> picture(int w, int h, int frames, int sequences = 0) {
  auto clip = std::make_unique<OClip>();
  auto fill = [&](OClip& target) {
    for (int f = 0; f < frames; ++f) {
      auto img = std::make_unique<OBitmap>();
      img->create(w, h, 0x8080FF);
      target.addImage(std::move(img));
    }
  };
  if (sequences == 0) {
    fill(*clip);
    return clip;
  }
  for (int s = 0; s < sequences; ++s) {
    auto seq = std::make_unique<OClip>();
    fill(*seq);
    clip->addSequence(std::move(seq));
  }
  return clip;
}

using Screen = zb::OffscreenScreen;

void DestructionUpdateWithSparkles(benchmark::State& state) {
  Screen screen;
  std::array<std::unique_ptr<OClip>, kSegments> segments;
  for (int s = 0; s < kSegments; ++s) segments[size_t(s)] = picture(s % 2 ? 22 : 42, s % 2 ? 42 : 22, 8);
  auto cursor = picture(42, 42, 4);
  auto star = picture(17, 17, 4, 8);
  RPictures pictures;
  for (int s = 0; s < kSegments; ++s) pictures.segments[size_t(s)] = segments[size_t(s)].get();
  pictures.cursor = cursor.get();
  pictures.star = star.get();
  zb::seedRandom(7);
  int destroyed = 0;
  {
    RVisualField field;
    field.attach(screen.engine.get(), pictures);
    field.New();
    // The left half one colour (one group of 288 segments), the right half
    // in stripes that form no group.
    for (int c = 0; c < kColumns; ++c)
      for (int r = 0; r < kRows; ++r)
        for (int s = 0; s < kSegments; ++s) field.SetColour(c, r, s, c < 6 ? 1 : 2 + (c + r + s) % 2);
    field.refreshSprites();
    field.applyMove(0, 11, true);
    destroyed = field.scoring.chainTotal;
    for (auto _ : state) {
      // Hold the fade early, where every marked segment still sparkles.
      field.fadeLevel = 40;
      field.Update(30);
      state.PauseTiming();
      screen.engine->tick(30);  // sparkles age and leave as in a frame
      state.ResumeTiming();
    }
  }
  state.counters["segments"] = destroyed;
  state.counters["clips"] = static_cast<double>(screen.engine->clips().size());
}
BENCHMARK(DestructionUpdateWithSparkles)->Unit(benchmark::kMicrosecond);

}  // namespace

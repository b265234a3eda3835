#include "gyrex/AGyrexOptionsWnd.h"

#include "app/OClipControl.h"
#include "gfx/OClip.h"
#include "platform/Language.h"

namespace SpaceGyrex {
namespace {

constexpr const char* kSamplePicture = "clp/Gyrex/bg7.clp";

}  // namespace

AGyrexOptionsWnd::AGyrexOptionsWnd(OMainWindow& owner, AGyrexWnd& game)
    : AFamilyOptionsWnd(owner, game, kSpeedCells), gyrex_(game) {}

void AGyrexOptionsWnd::open(OEngine** slot) {
  auto current = gyrex_.colourChoices();
  setChoices(std::vector<int>(current.begin(), current.end()));
  AFamilyOptionsWnd::open(slot);
}

std::array<int, AGyrexWnd::kColourCount> AGyrexOptionsWnd::choices() const {
  std::array<int, AGyrexWnd::kColourCount> out{};
  for (int c = 0; c < AGyrexWnd::kColourCount; ++c) out[size_t(c)] = choice(c);
  return out;
}

bool AGyrexOptionsWnd::needsRestart() const { return level_ != openedLevel_ && game_.underWay(); }

void AGyrexOptionsWnd::buildContents() {
  AFamilyOptionsWnd::buildContents();
  addLevels(60, 65);
  newText(font(3), 220, 220, zb::tr("Skins"), -10, false);
  if (!picture_) {
    picture_ = std::make_unique<OClip>();
    if (!picture_->load(kSamplePicture)) picture_.reset();
  }
  // The top segment picture, one frame per colour choice.
  OClip none;
  const OClip& frames = !picture_ ? none : picture_->sequenceCount > 0 ? *picture_->sequences[0] : *picture_;
  int x = kSamplesX;
  for (int c = 0; c < AGyrexWnd::kColourCount; ++c) {
    OClipControl* sample = addSample(frames, 1, choice(c), x, kSamplesY);
    x += sample->width + 10;
  }
  addSpeedBar(kSpeedX, kSpeedY, 220, 270);
}

}  // namespace SpaceGyrex

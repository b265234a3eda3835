#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "gfx/OClip.h"
#include "tests/gfx/GfxTestSupport.h"

using gfxtest::solid;

namespace {

// Records the hooks a clip raises.
class ProbeClip : public OClip {
public:
  int finished = 0;
  int changed = 0;
  std::vector<std::pair<int, int>> events;
  void onFinished() override { ++finished; }
  void onFrameChanged() override { ++changed; }
  void onFrameEvent(int a, int b) override { events.emplace_back(a, b); }
};

std::unique_ptr<OBitmap> frame(int w, int h, int action = kActionAdvance, int a1 = 0, int a2 = 0) {
  auto b = std::make_unique<OBitmap>(solid(w, h, 0x808080));
  b->action = action;
  b->arg1 = a1;
  b->arg2 = a2;
  return b;
}

std::unique_ptr<OClip> sequenceOf(int frames, int action = kActionAdvance) {
  auto s = std::make_unique<OClip>();
  for (int i = 0; i < frames; ++i) s->addImage(frame(4 + i, 4, action));
  return s;
}

}  // namespace

TEST(ClipFrames, AddImageGrowsSizeAndShowsTheFirstFrame) {
  OClip clip;
  clip.addImage(frame(5, 2));
  clip.addImage(frame(3, 7));
  EXPECT_EQ(clip.width, 5);
  EXPECT_EQ(clip.height, 7);
  EXPECT_EQ(clip.imageCount, 2);
  ASSERT_EQ(clip.layers().size(), 1u);
  EXPECT_EQ(clip.currentImage(), clip.images[0].get());
}

TEST(ClipFrames, ShowFrameWrapsBadIndicesToZeroAndNotifies) {
  ProbeClip clip;
  int callbacks = 0;
  clip.frameChangeCallback = [&](OClip&) { ++callbacks; };
  for (int i = 0; i < 3; ++i) clip.addImage(frame(2, 2));
  clip.showFrame(2);
  EXPECT_EQ(clip.currentFrame, 2);
  EXPECT_EQ(clip.currentImage(), clip.images[2].get());
  clip.showFrame(7);
  EXPECT_EQ(clip.currentFrame, 0);
  clip.showFrame(-1);
  EXPECT_EQ(clip.currentFrame, 0);
  EXPECT_EQ(clip.changed, 3);
  EXPECT_EQ(callbacks, 3);
}

TEST(ClipFrames, SequencesPassSizeAndFrameUpAndKeyTheFrame) {
  ProbeClip clip;
  clip.addSequence(sequenceOf(2));
  clip.addSequence(sequenceOf(3));
  EXPECT_EQ(clip.sequenceCount, 2);
  EXPECT_EQ(clip.width, 6);  // widest frame of either sequence
  EXPECT_EQ(clip.imageCount, 2);
  EXPECT_EQ(clip.currentImage(), clip.sequences[0]->images[0].get());
  clip.showFrame(2, 1);
  EXPECT_EQ(clip.currentSequence, 1);
  EXPECT_EQ(clip.currentFrame, 2);
  EXPECT_EQ(clip.imageCount, 3);
  EXPECT_EQ(clip.frameKey(), 1002);
  EXPECT_EQ(clip.currentImage(), clip.sequences[1]->images[2].get());
  EXPECT_EQ(clip.changed, 1);
  clip.showFrame(0, 9);
  EXPECT_EQ(clip.currentSequence, 0);
}

TEST(ClipScript, PlainClipAdvancesEveryFrameDurationAndWraps) {
  OClip clip;
  for (int i = 0; i < 3; ++i) clip.addImage(frame(2, 2));
  std::vector<int> seen;
  for (int t = 0; t < 8; ++t) {
    clip.tickClip(50);
    seen.push_back(clip.currentFrame);
  }
  EXPECT_EQ(seen, (std::vector<int>{0, 1, 1, 2, 2, 0, 0, 1}));
}

TEST(ClipScript, OneFramePerTickHoweverLongTheTick) {
  OClip clip;
  for (int i = 0; i < 4; ++i) clip.addImage(frame(2, 2));
  clip.tickClip(500);
  EXPECT_EQ(clip.currentFrame, 1);
  EXPECT_EQ(clip.frameTimer, 0);
}

TEST(ClipScript, StopFinishAndEventActions) {
  ProbeClip clip;
  clip.addImage(frame(2, 2, kActionEvent, 7, 8));
  clip.addImage(frame(2, 2, kActionFinish));
  clip.addImage(frame(2, 2, kActionStop));
  clip.tickClip(100);
  EXPECT_EQ(clip.events, (std::vector<std::pair<int, int>>{{7, 8}}));
  EXPECT_EQ(clip.currentFrame, 1);
  clip.tickClip(100);
  EXPECT_EQ(clip.finished, 1);
  EXPECT_EQ(clip.currentFrame, 1);  // finishing does not advance
  clip.showFrame(2);
  clip.tickClip(100);
  EXPECT_TRUE(clip.stopped);
  clip.showFrame(0);
  clip.tickClip(100);  // event still raised, but a stopped clip does not advance
  EXPECT_EQ(clip.events.size(), 2u);
  EXPECT_EQ(clip.currentFrame, 0);
}

TEST(ClipScript, JumpActionsWithinAClip) {
  OClip clip;
  clip.addImage(frame(2, 2, kActionJump, 2));
  clip.addImage(frame(2, 2));
  clip.addImage(frame(2, 2, kActionJumpStop, 1));
  clip.tickClip(100);
  EXPECT_EQ(clip.currentFrame, 2);
  clip.tickClip(100);
  EXPECT_EQ(clip.currentFrame, 1);
  EXPECT_TRUE(clip.stopped);
  clip.showFrame(0);
  clip.tickClip(100);  // a stopped clip ignores plain jumps
  EXPECT_EQ(clip.currentFrame, 0);
}

TEST(ClipScript, SequenceJumpsAcrossSequencesAndSharesStop) {
  ProbeClip clip;
  auto first = std::make_unique<OClip>();
  first->addImage(frame(2, 2, kActionJump, 1, 1));  // to frame 1 of sequence 1
  auto second = std::make_unique<OClip>();
  second->addImage(frame(2, 2));
  second->addImage(frame(2, 2, kActionJumpStop, 0, 1000));  // frame 0, same sequence
  clip.addSequence(std::move(first));
  clip.addSequence(std::move(second));
  clip.tickClip(100);
  EXPECT_EQ(clip.currentSequence, 1);
  EXPECT_EQ(clip.frameKey(), 1001);
  clip.tickClip(100);
  EXPECT_EQ(clip.frameKey(), 1000);
  EXPECT_TRUE(clip.stopped);  // copied up from the sequence
  clip.tickClip(100);
  EXPECT_EQ(clip.frameKey(), 1000);
}

TEST(ClipScript, FrameDurationReachesTheSequences) {
  OClip clip;
  clip.addSequence(sequenceOf(3));
  clip.setFrameDuration(40);
  clip.tickClip(40);
  EXPECT_EQ(clip.currentFrame, 1);
}

TEST(ClipScript, ActionsOfASequenceRaiseHooksOnTheParent) {
  ProbeClip clip;
  auto s = std::make_unique<OClip>();
  s->addImage(frame(2, 2, kActionEvent, 3, 4));
  s->addImage(frame(2, 2, kActionFinish));
  clip.addSequence(std::move(s));
  clip.tickClip(100);
  clip.tickClip(100);
  EXPECT_EQ(clip.events, (std::vector<std::pair<int, int>>{{3, 4}}));
  EXPECT_EQ(clip.finished, 1);
  EXPECT_EQ(clip.currentFrame, 1);
  EXPECT_EQ(clip.currentImage(), clip.sequences[0]->images[1].get());
}

TEST(ClipScript, LifetimeCountsDownAndClampsAtZero) {
  OClip clip;
  clip.addImage(frame(2, 2));
  clip.lifetime = 250;
  clip.tickClip(100);
  EXPECT_EQ(clip.lifetime, 150);
  clip.tickClip(400);
  EXPECT_EQ(clip.lifetime, 0);
  OClip forever;
  forever.addImage(frame(2, 2));
  forever.tickClip(100);
  EXPECT_EQ(forever.lifetime, -1);
}

TEST(ClipScript, LeavingTheBoundsFinishes) {
  ProbeClip clip;
  clip.addImage(frame(10, 10));
  clip.boundsCheck = true;
  clip.boundLeft = 0, clip.boundTop = 0, clip.boundRight = 100, clip.boundBottom = 100;
  clip.x = 90;
  clip.tickClip(10);
  EXPECT_EQ(clip.finished, 0);
  clip.x = 91;
  clip.tickClip(10);
  EXPECT_EQ(clip.finished, 1);
}

TEST(ClipCopy, CopySharesPixelsAndSequences) {
  OClip original;
  original.addSequence(sequenceOf(2, kActionStop));
  original.addSequence(sequenceOf(3));
  original.sequences[1]->images[2]->xOffset = 5;
  original.x = 12;
  OClip copy;
  copy.x = 40;
  ASSERT_TRUE(copy.copyFrom(original, true));
  EXPECT_EQ(copy.x, 40);
  ASSERT_EQ(copy.sequences.size(), 2u);
  EXPECT_EQ(copy.sequences[1]->parent, &copy);
  EXPECT_EQ(copy.sequences[1]->images[2]->data(), original.sequences[1]->images[2]->data());
  EXPECT_EQ(copy.sequences[1]->images[2]->xOffset, 5);
  EXPECT_EQ(copy.sequences[0]->images[0]->action, kActionStop);
  EXPECT_EQ(original.sequences[1]->images[2]->extraHolders(), 1);
  EXPECT_EQ(copy.width, original.width);
  copy.showFrame(1, 1);
  EXPECT_EQ(original.frameKey(), 0);  // the copy animates on its own
  OClip again;
  ASSERT_TRUE(again.copyFrom(original));
  EXPECT_EQ(again.x, 12);
}

TEST(ClipCopy, RefusedForAClipWithImagesAndSequences) {
  OClip mixed;
  mixed.addImage(frame(2, 2));
  mixed.addSequence(sequenceOf(1));
  OClip copy;
  EXPECT_FALSE(copy.copyFrom(mixed));
}

TEST(ClipLook, OpacityAndKeyReachEverySequence) {
  OClip clip;
  clip.addSequence(sequenceOf(2));
  clip.addSequence(sequenceOf(2));
  clip.sequences[1]->images[1]->setPixel(0, 0, 0x010203);
  clip.setOpacity(90);
  EXPECT_EQ(clip.sequences[1]->images[1]->blendLevel, 90);
  clip.setOpacity(-1);
  EXPECT_EQ(clip.opacity, -1);
  EXPECT_EQ(clip.sequences[1]->images[1]->blendLevel, 0);
  clip.setColourKey(-1);
  EXPECT_EQ(clip.sequences[1]->images[1]->colourKey, 0x010203);
  EXPECT_EQ(clip.sequences[0]->images[0]->colourKey, 0x808080);
}

TEST(ClipLook, RectanglesUseTheIntegerPartAndTheFrameOffset) {
  OClip clip;
  auto img = frame(6, 4);
  img->xOffset = -2;
  img->yOffset = 3;
  clip.addImage(std::move(img));
  clip.addImage(frame(8, 8));
  clip.x = 10.9;
  clip.y = -0.5;
  const ORect r = clip.imageRect();
  EXPECT_EQ(r.left, 8);
  EXPECT_EQ(r.top, 3);
  EXPECT_EQ(r.width(), 6);
  EXPECT_EQ(clip.clipRect().width(), 8);
}

TEST(ClipWaypoints, ClearFirstReplacesTheQueue) {
  OClip clip;
  clip.addWaypoint({1, 2, 3, 4});
  clip.addWaypoint({5, 6, 7, 8});
  EXPECT_EQ(clip.waypoints.size(), 2u);
  clip.addWaypoint({9, 9, 0, 1}, true);
  ASSERT_EQ(clip.waypoints.size(), 1u);
  EXPECT_EQ(clip.waypoints.front().x, 9);
}

TEST(ClipScript, ASequenceAnimatingReportsToItsParentOnce) {
  ProbeClip clip;
  int callbacks = 0;
  clip.frameChangeCallback = [&](OClip& c) {
    ++callbacks;
    EXPECT_EQ(c.currentImage(), c.sequences[1]->images[size_t(c.currentFrame)].get());
  };
  clip.addSequence(sequenceOf(2));
  clip.addSequence(sequenceOf(3));
  clip.showFrame(0, 1);
  EXPECT_EQ(callbacks, 1);
  clip.tickClip(100);
  EXPECT_EQ(callbacks, 2);
  EXPECT_EQ(clip.changed, 2);
  EXPECT_EQ(clip.currentFrame, 1);
  EXPECT_EQ(clip.frameKey(), 1001);
}

namespace {

// A sprite that goes away when its animation says so, as an explosion
// removing itself would; a new one is made in the freed memory at once.
class VanishingClip : public OClip {
public:
  static std::unique_ptr<VanishingClip> successor;
  void onFinished() override { vanish(); }
  void onFrameEvent(int, int) override { vanish(); }

private:
  void vanish() {
    delete this;
    successor = std::make_unique<VanishingClip>();
    successor->frameTimer = 77;
    successor->stopped = true;
  }
};
std::unique_ptr<VanishingClip> VanishingClip::successor;

}  // namespace

TEST(ClipScript, AClipDeletedByItsOwnHookIsNotTouchedAgain) {
  for (int action : {kActionFinish, kActionEvent}) {
    auto* clip = new VanishingClip;
    clip->addImage(frame(2, 2, action));
    clip->addImage(frame(2, 2));
    clip->tickClip(100);
    ASSERT_NE(VanishingClip::successor, nullptr);
    EXPECT_EQ(VanishingClip::successor->frameTimer, 77) << action;
    EXPECT_TRUE(VanishingClip::successor->stopped) << action;
    VanishingClip::successor.reset();
  }
  // A sequence whose action finishes its parent, which then goes.
  auto* parent = new VanishingClip;
  parent->addSequence(sequenceOf(2, kActionFinish));
  parent->tickClip(100);
  ASSERT_NE(VanishingClip::successor, nullptr);
  EXPECT_TRUE(VanishingClip::successor->stopped);  // the sequence did not write into it
  VanishingClip::successor.reset();
}

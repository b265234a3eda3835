#pragma once
#include <array>
#include <functional>
#include <memory>
#include <vector>

#include "gyrex/RField.h"
#include "gyrex/RFieldScore.h"

class OClip;
class OEngine;

namespace SpaceGyrex {

class RRecorder;

// What a visual field draws with. The pictures belong to the game.
struct RPictures {
  // Segment pictures by position (top, right, bottom, left), one frame per
  // colour choice.
  std::array<const OClip*, kSegments> segments{};
  const OClip* cursor = nullptr;
  const OClip* star = nullptr;
  // Colour choice (frame) of colours 1..4.
  std::array<int, kMaxColour> choices{4, 2, 5, 0};
};

// The Gyrex field on screen: the model plus one sprite per segment, the
// cursor, the move-and-animation state machine, the score, the clock, the
// preview row it is linked to and the playback of recordings. The game
// feeds it clicks and elapsed time and reads score and gameOver.
class RVisualField : public RField {
public:
  enum State : int {
    kIdle = 0,
    kDestroying = 1,
    kFalling = 2,
    kSliding = 3,
    kRising = 4,
    kSettling = 5,
    kPlayMove = 6,  // playback: waiting for the event's time
    kPlayLead = 7,  // playback: waiting to show the cursor
    kPreviewFade = 8,
    kRowFadeIn = 9,
  };
  enum Sound : int { kSoundRotate = 0, kSoundDestroy = 1, kSoundRise = 2, kSoundDouble = 3 };
  static constexpr int kElementSize = 42;
  static constexpr int kSquare = kColumns * kElementSize;  // 504
  static constexpr double kSpriteDepth = -8, kCursorDepth = -9;

  RVisualField();
  // Takes the sprites off the screen.
  ~RVisualField() override;
  RVisualField(const RVisualField&) = delete;
  RVisualField& operator=(const RVisualField&) = delete;

  // A fresh layout with score, timers and flags reset, recording off,
  // idle, the cursor hidden.
  void New() override;
  // The model's keys, and for the main field "record_timer" and "score".
  void SaveTo(OConfig& tree) override;
  // Reads them back and recomputes what follows from the field; false, with
  // nothing changed, for a damaged state.
  bool LoadFrom(OConfig& tree) override;

  // Makes the sprites from the pictures and shows them on `screen` (may be
  // null: the sprites then exist off-screen, as in tests).
  void attach(OEngine* screen, const RPictures& pictures);
  // New colour choices: every sprite shows its colour's new frame.
  void setChoices(const std::array<int, kMaxColour>& choices);
  // Puts every sprite where and how the model says, at rest.
  void refreshSprites();
  // Hides or shows every sprite (pause).
  void setHidden(bool hidden);

  // A click at screen point x, y: turns the element under it when idle.
  bool Click(int x, int y, bool clockwise);
  // Turns the element at column, row as a click would.
  bool applyMove(int column, int row, bool clockwise);
  // One frame of the state machine; elapsed is capped at 30 ms.
  void Update(int elapsed);
  // Cursor on the element under the pointer (hidden outside the square).
  void PointAt(int x, int y);
  // Cursor on a fresh hint, when idle.
  void ShowHint();

  // Playback of the linked recorder from its start (demo and replay).
  void startPlayback();
  // Demo lead times for the speed setting: L and S in milliseconds.
  static int leadTime(int speed) { return (10 - 2 * speed) * 75; }
  static int shortLeadTime(int speed) { return (10 - 2 * speed) * 25; }
  // A playback that has run out of events without the field ending has
  // rested for 2 x L on its last position.
  bool playbackDone() const { return playbackDone_; }

  // Movement in pixels and fading in levels for one frame at this speed.
  double moveStep(int elapsed) const;
  int fadeStep(int elapsed) const;

  // Screen position of an element's top-left corner.
  int elementX(int column) const { return originX + column * kElementSize; }
  int elementY(int row) const { return originY + row * kElementSize; }
  // The sprite of a segment (row 0 only for the preview), or null.
  OClip* sprite(int column, int row, int segment) const;
  OClip* cursorSprite(int i) const;
  const RPictures& pictures() const { return pictures_; }

  // --- state ---
  int originX = 19, originY = 19;
  int variant = 0;  // 0 Strip, 1 Shift, 2 Time Mania
  int speed = 3;    // setting 0..4
  int state = kIdle;
  double animOffset = 0;
  int fadeLevel = 0;
  int movingRow = 0, movingColumn = 0;
  int clock = 0;
  int addTimer = 0, addInterval = 1000;
  RScore scoring;
  bool revealPending = false, rowPending = false;
  bool demo = false, recording = false, gameOver = false;
  bool sparkles = true;  // the "Animation" setting
  RVisualField* preview = nullptr;
  RRecorder* recorder = nullptr;
  // Effect slots 0..3 of the family.
  std::function<void(int slot, bool restart)> playSound;
  // Outside demos, whenever the field comes to rest on a new position: a
  // settled move (plain turns included) with no row pending, and a "Time
  // Mania" reveal that leaves the field idle.
  std::function<void()> onSettled;

  int score() const { return scoring.score; }

private:
  int spriteIndex(int column, int row, int segment) const;
  void makeSprites();
  void dropSprites();
  void placeSprite(int column, int row, int segment, double dx, double dy, int opacity);
  void placeMoving();
  void setMarkedOpacity(int level);
  void emitSparkles();
  void hideCursor();
  void cursorOn(int column, int row);
  void cursorOnColumn(int column);
  void sound(int slot, bool restart = false);

  void updateIdle(int elapsed);
  void updateDestroying(int elapsed);
  void updateFalling(int elapsed);
  void updateSliding(int elapsed);
  void updateRising(int elapsed);
  void updatePreviewFade(int elapsed);
  void updateRowFadeIn(int elapsed);
  void settle();
  void reveal();
  void startRise();
  void pushRow();
  // After a destroy pass or a slide: fall, slide, destroy or settle.
  void afterClear();
  void afterFall();
  void afterSlide();

  void updatePlayLead();
  void updatePlayMove();
  void jumpToNextEvent();
  void updatePlaybackEnd(int elapsed);

  OEngine* screen_ = nullptr;
  RPictures pictures_;
  std::vector<std::unique_ptr<OClip>> sprites_;
  std::vector<std::unique_ptr<OClip>> cursor_;
  bool hidden_ = false;
  int pointerX_ = -1, pointerY_ = -1;
  int restAfterPlayback_ = 0;
  bool playbackDone_ = false;
};

}  // namespace SpaceGyrex

#pragma once
#include <cstdint>
#include <list>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "gfx/DibSection.h"
#include "gfx/OBitmap.h"
#include "gfx/ORect.h"

// A point a clip moves to. `tag` is the caller's own 8 bytes.
struct OWaypoint {
  double x = 0;
  double y = 0;
  int64_t tag = 0;
  double speed = 0;
};

// What a screen last drew of a clip; the screen owns these values.
struct OClipDrawnState {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  int frameKey = -1;
  int opacity = -1;
  bool visible = false;
  bool wasVisible = false;  // cleared when the clip is added to a screen
};

// Frame-script actions stored on each frame.
enum : int {
  kActionAdvance = 0,
  kActionStop = 1,
  kActionFinish = 2,
  kActionJump = 3,
  kActionJumpStop = 4,
  kActionEvent = 5,
};

// A picture of one or more frame sequences, and the sprite that screens move
// and draw. A plain clip holds its frames in `images`; a clip of sequences
// holds one child clip per sequence and shows the current child's frame.
class OClip {
public:
  using FrameCallback = std::function<void(OClip&)>;

  // An optional shared section for images added by hand; load replaces it
  // by the section its file names, or drops it.
  explicit OClip(std::shared_ptr<DibSection> section = nullptr);
  OClip(const OClip&) = delete;
  OClip& operator=(const OClip&) = delete;

  // Deletes sequences, images and waypoints.
  virtual ~OClip();
  // Reads a clip file (any path form zb::resolvePath accepts). On false the
  // clip keeps what was read so far.
  virtual bool load(const std::string& fileName);
  // The same from the bytes of a clip file.
  bool loadFromMemory(const uint8_t* data, size_t size);
  // Becomes a copy of `other` sharing its pixels, sequences copied the same
  // way; refused (false) when other has both images and sequences. With
  // keepPlace the clip keeps its position, velocity and visibility; without
  // it they are copied too. The frame-change callback stays.
  virtual bool copyFrom(const OClip& other, bool keepPlace = false);
  // The same with only `count` of other's sequences from `first` on, for a
  // copy that shows few of many (a text's letter, a number's digits): a
  // letter set holds 73 sequences, and each letter on screen is a copy.
  bool copyFrom(const OClip& other, bool keepPlace, int first, int count);
  virtual void onWaypoint(const OWaypoint& waypoint);
  virtual void onArrive(const OWaypoint& waypoint);
  // Raised by frame action 5 with the frame's two arguments.
  virtual void onFrameEvent(int arg1, int arg2);
  // Raised by frame action 2 and when the clip leaves its bounds.
  virtual void onFinished();
  // One animation step: lifetime, bounds and at most one frame change.
  virtual void tickClip(int elapsed);
  // True while ticking would change nothing on screen: no motion, no
  // lifetime running out, no animation or frame callback due. A clip that
  // animates in its own tickClip must say so here too.
  virtual bool atRest() const;
  // Raised after every frame change.
  virtual void onFrameChanged();
  // Raised by the screen just before it removes an expired clip.
  virtual void onRemoved();

  // Shows a frame; sequence -1 keeps the current sequence. Out-of-range
  // indices become 0.
  void showFrame(int frame, int sequence = -1);
  // Blend level for every image of the clip and its sequences (-1 not set).
  void setOpacity(int level);
  // Colour key for every image of the clip and its sequences; -1 takes each
  // image's top-left pixel.
  void setColourKey(int key);
  void addWaypoint(const OWaypoint& waypoint, bool clearFirst = false);
  // Frame duration for the clip and all its sequences (a clip of sequences
  // animates by its sequences' own durations).
  void setFrameDuration(int ms);
  // Appends a frame (owned): grows the size, shows the first frame on layer 0
  // and, for a sequence, passes size and first frame up to the parent.
  void addImage(std::unique_ptr<OBitmap> image);
  // Convenience: appends a copy that shares the pixels of `image`.
  void addImage(const OBitmap& image);
  // Appends a sequence (owned) and makes this clip its parent.
  void addSequence(std::unique_ptr<OClip> sequence);
  // Deletes images, sequences, layers and waypoints and resets every field
  // to its default (the shared section, the parent and the drawn state are
  // kept).
  void clear();

  // The image on show (layer 0), or nullptr for an empty clip.
  OBitmap* currentImage() const { return shown_; }
  // Layer 0 and the extra layers (not owned) drawn at the same position.
  const std::vector<OBitmap*>& layers() const { return layers_; }
  // Replaces the extra layers; nothing changes while there is no layer 0.
  void setExtraLayers(std::initializer_list<OBitmap*> extra);
  // Frame index, or sequence x 1000 + frame for a clip of sequences.
  int frameKey() const;
  // Where the current image lands: integer x, y plus its offsets, its size.
  ORect imageRect() const;
  // The clip's area: integer x, y plus the current image's offsets, with the
  // clip's width and height.
  ORect clipRect() const;
  bool empty() const { return images.empty() && sequences.empty(); }
  // The frame list of the current sequence (or of the clip itself).
  const OClip& currentTarget() const;

  // What every frame reads of every clip comes first, in as few cache lines
  // as it fits: a screen walks all its clips several times a frame.
  int width = 0;
  int height = 0;
  double x = 0, y = 0, z = 0;
  double vx = 0, vy = 0, vz = 0;
  int opacity = -1;
  int currentFrame = 0;
  int currentSequence = 0;
  int lifetime = -1;  // -1 forever; at 0 the screen removes the clip
  int frameTimer = 0;
  int frameDuration = 100;  // for a clip of sequences see setFrameDuration
  bool visible = true;
  bool stopped = false;
  bool moves = true;
  bool subPixel = false;
  bool forcedRedraw = false;
  bool boundsCheck = false;
  OClipDrawnState drawn;

private:
  OBitmap* shown_ = nullptr;  // layers_[0], one load nearer

public:
  std::vector<std::unique_ptr<OBitmap>> images;
  std::vector<std::unique_ptr<OClip>> sequences;
  OClip* parent = nullptr;
  // A list: an empty one allocates nothing, and most clips never move.
  std::list<OWaypoint> waypoints;

  int imageCount = 0;
  int sequenceCount = 0;
  int boundLeft = -1, boundRight = -1, boundTop = -1, boundBottom = -1;
  FrameCallback frameChangeCallback;
  std::shared_ptr<DibSection> sharedSection;

private:
  // Lets a running operation see that a hook it called deleted this clip
  // (a sprite removing itself when its animation finishes), so it touches
  // nothing of it afterwards. Guards nest; the destructor marks them all.
  // The guard unlinks itself on every path where the clip survives; GCC
  // cannot see that and warns about keeping its address.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdangling-pointer"
#endif
  struct LifeGuard {
    explicit LifeGuard(OClip& clip) : clip(&clip), outer(clip.guards_) { clip.guards_ = this; }
    ~LifeGuard() {
      if (!gone) clip->guards_ = outer;
    }
    LifeGuard(const LifeGuard&) = delete;
    LifeGuard& operator=(const LifeGuard&) = delete;
    OClip* clip;
    LifeGuard* outer;
    bool gone = false;
  };
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic pop
#endif
  LifeGuard* guards_ = nullptr;

  // A frame's script action and its two arguments.
  struct FrameScript {
    int action;
    int arg1;
    int arg2;
  };
  void runAction(const FrameScript& frame);
  // Running the current frame's action now would change nothing.
  bool actionIsIdle() const;
  void advance();
  void notifyFrameChanged();
  void setLayer0(OBitmap* image);
  std::vector<OBitmap*> layers_;
  OClip& root();
};

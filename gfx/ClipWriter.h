#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "gfx/OBitmap.h"

class OClip;

// One frame record of a clip file.
struct ClipFrame {
  int x = 0;       // offset from the clip position
  int y = 0;
  int image = 0;   // index into the written images
  int key = -1;    // 0xRRGGBB; -1 (or above 0xFFFFFF): the image's top-left pixel
  int action = 0;  // frame script action and its arguments
  int arg1 = 0;
  int arg2 = 0;
};

// Builds clip files: images (raw or enciphered JPEG, with or without alpha
// plane), then optional sequences of frame records. Without sequences every
// image is a frame of the clip itself.
class ClipWriter {
public:
  // Image kinds: raw pixels, raw + alpha plane, JPEG, JPEG + alpha plane.
  static constexpr int kRaw = 0;
  static constexpr int kRawAlpha = 4;
  static constexpr int kJpeg = 10;
  static constexpr int kJpegAlpha = 26;

  // Adds an image (its pixels are shared, not copied) and returns its index.
  // Alpha kinds write the image's alpha plane, or an opaque one when it has
  // none. quality applies to JPEG kinds.
  int addImage(const OBitmap& image, int kind = kRaw, int quality = 90);
  // Starts a new sequence and returns its index.
  int addSequence();
  // Appends a frame to a sequence (created on demand up to that index).
  void addFrame(int sequence, const ClipFrame& frame);
  // The header's shared section: width x height (0 x 0: none).
  void setSharedSection(int width, int height);

  // A writer holding every frame of a clip: one image per distinct pixel
  // record, one sequence per sequence (or one, for a clip with frames of
  // its own; none when plainClip is set). Keys, offsets and scripts are kept.
  static ClipWriter fromClip(const OClip& clip, int kind = kRaw, bool plainClip = false);

  // The file bytes; false when an image cannot be encoded or the loader
  // would refuse the file (too many images, sequences or frames, a frame
  // naming a missing image).
  bool write(std::vector<uint8_t>& out) const;
  bool save(const std::string& path) const;

  int imageCount() const { return int(images_.size()); }
  int sequenceCount() const { return int(sequences_.size()); }

private:
  struct Entry {
    OBitmap image;
    int kind;
    int quality;
  };
  bool writeImage(const Entry& e, std::vector<uint8_t>& out) const;

  std::vector<Entry> images_;
  std::vector<std::vector<ClipFrame>> sequences_;
  uint32_t sectionSize_ = 0;
};

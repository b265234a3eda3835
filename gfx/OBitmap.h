#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "gfx/DibSection.h"
#include "gfx/ORect.h"

struct OBlitCache;

// The pixel record shared by copies of an image. The pixels live in a
// section (possibly shared with other images); the alpha plane, when there
// is one, holds one byte per pixel, image rows top to bottom, 0 opaque,
// 255 fully transparent, followed by width + 1 padding bytes of 255.
struct OBitmapData {
  OBitmapData();
  ~OBitmapData();
  OBitmapData(const OBitmapData&) = delete;
  OBitmapData& operator=(const OBitmapData&) = delete;

  std::vector<uint8_t> alpha;  // empty: no alpha plane
  int width = 0;
  int height = 0;
  int originX = 0;  // position inside the section
  int originY = 0;  // always 0
  std::shared_ptr<DibSection> section;

  // Bumped on every change of the pixels or the alpha plane; derived blit
  // data (opaque spans) is rebuilt when it no longer matches.
  uint32_t version = 1;
  std::unique_ptr<OBlitCache> cache;
};

// The shared text style used by drawText and textExtent.
struct OTextStyle {
  std::string face = "Arial";
  int size = 10;  // points, at 96 pixels per inch
  int flags = 0;  // bit 0 bold, bit 1 italic, bit 2 underline
  int charset = 1;
  uint32_t textColour = 0;
  uint32_t backColour = 0xFFFFFF;
};

enum : int { kTextBold = 1, kTextItalic = 2, kTextUnderline = 4 };

// One 24-bit image as drawn: its pixels (shared by copies), offset, colour
// key, blend level and the frame-script values of the clip it belongs to.
// Colours are 0x00RRGGBB.
class OBitmap {
public:
  OBitmap() = default;
  // A copy shares the pixel record and takes offsets, the four carried
  // values, blend level, colour key, fill colour and the frame script.
  OBitmap(const OBitmap& other);
  OBitmap& operator=(const OBitmap& other);
  ~OBitmap();

  int xOffset = 0;
  int yOffset = 0;
  int32_t carried[4] = {0, 0, 0, 0};
  bool failed = false;
  uint32_t fillColour = 0xFFFFFF;
  // 0 normal; 1..255 translucent (255 invisible); 256 and above silhouette.
  int blendLevel = 0;
  int action = 0;
  int arg1 = 0;
  int arg2 = 0;
  // 0xRRGGBB of transparent pixels; any negative value never matches.
  int colourKey = -1;

  // Replaces the pixel record by a new width x height one. With a section
  // the image is placed at its next free x (which advances by width);
  // otherwise a private section of exactly that size is made. A fill colour
  // other than -1 becomes the fill colour; the image is filled with the fill
  // colour. Bad sizes, a full section or no memory: failed is set, the image
  // is left empty and false is returned.
  bool create(int width, int height, int64_t fill = -1, std::shared_ptr<DibSection> section = nullptr);

  // Fills the rectangle (clipped to the image) or the whole image with the fill colour.
  void fill(const ORect* rect = nullptr);

  // -1 takes the colour of the top-left pixel; any other value is stored.
  void setColourKey(int key);

  // True when the image has pixels to draw.
  bool valid() const { return data_ && data_->section && !failed; }
  int width() const { return width_; }
  int height() const { return height_; }
  // Number of further images sharing this pixel record.
  int extraHolders() const { return data_ ? int(data_.use_count()) - 1 : 0; }
  const OBitmapData* data() const { return data_.get(); }
  std::shared_ptr<DibSection> section() const { return data_ ? data_->section : nullptr; }

  // Address of the first memory row (the bottom image row) at the image's
  // origin; rows go up by section()->rowStride. Writing through it is allowed:
  // the call counts as a pixel change. nullptr for an invalid image.
  uint8_t* pixelAddress();
  // Start of image row r (0 at the top); counts as a pixel change.
  uint8_t* rowAddress(int r);
  const uint8_t* rowAddress(int r) const;
  int rowStride() const { return valid() ? data_->section->rowStride : 0; }
  // Call after writing pixels through an address taken earlier.
  void markPixelsChanged();

  // Pixel access for tools and tests (0 outside the image).
  uint32_t pixel(int x, int y) const;
  void setPixel(int x, int y, uint32_t colour);

  bool hasAlpha() const { return data_ && !data_->alpha.empty(); }
  // Adds (or resets) an alpha plane filled with `value`; counts as a change.
  void createAlpha(uint8_t value = 255);
  void removeAlpha();
  // The alpha plane (rows top to bottom) or nullptr; non-const access counts as a change.
  uint8_t* alphaPlane();
  const uint8_t* alphaPlane() const;
  uint8_t alphaAt(int x, int y) const;  // 0 when there is no plane

  // Blits src into dst with src's top-left at (x, y). srcRect (in source
  // coordinates, clipped to the source) selects a part. The mode follows the
  // source: alpha plane; colour key; translucent blend level 1..255;
  // silhouette (256 and above) in dst's fill colour.
  static void draw(OBitmap& dst, const OBitmap& src, int x, int y, const ORect* srcRect = nullptr);
  // Like draw at a fractional position, interpolating the 2 x 2 source
  // neighbourhood; only for sources with an alpha plane.
  static void drawSubPixel(OBitmap& dst, const OBitmap& src, double x, double y,
                           const ORect* srcRect = nullptr);

  // The shared text style.
  static OTextStyle& textStyle();
  // Draws text in the current style with an opaque background; its top lands
  // on image row y - 1 (text starts in the spare row above a section).
  static void drawText(OBitmap& image, const std::string& text, int x, int y);
  // Width and height of the text in the current style.
  static OSize textExtent(const std::string& text);

  // a and b are one picture drawn on black (a) and on white (b). Gives a an
  // alpha plane from their difference and restores its colours. False when
  // the sizes differ or an image is invalid.
  static bool alphaFromPair(OBitmap& a, const OBitmap& b);
  // A private copy of src's pixels (key pixels skipped when src has blend
  // level 0) and of its alpha plane.
  static bool copyImage(OBitmap& image, const OBitmap& src);
  // image = (w + 1) x (h + 1), border in src's fill colour, inner pixels the
  // average of each 2 x 2 block of src.
  static bool smooth(OBitmap& image, const OBitmap& src);
  // image = src resampled to width x height (bilinear when enlarging, box
  // average when shrinking), alpha plane included; colour key, offsets and
  // blend level carried over. Pixels equal to src's colour key are kept
  // unblended so keyed pictures stay keyed.
  static bool scale(OBitmap& image, const OBitmap& src, int width, int height);

  // JPEG decoding with libjpeg; the image is re-created at the JPEG's size
  // when it differs. Any libjpeg error returns false (never exits).
  static bool loadJpegFile(OBitmap& image, const std::string& fileName,
                           std::shared_ptr<DibSection> section = nullptr);
  static bool decodeJpeg(OBitmap& image, const uint8_t* bytes, size_t length,
                         std::shared_ptr<DibSection> section = nullptr);

private:
  friend class OBlitter;
  void release();

  std::shared_ptr<OBitmapData> data_;
  // The record's size, kept here too: a frame asks every clip's image for
  // its size, and the record is one more cache miss away.
  int width_ = 0;
  int height_ = 0;
};

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

#include "gfx/ClipFormat.h"
#include "gfx/OClip.h"
#include "platform/Files.h"
#include "storage/Container.h"

namespace {

namespace cf = zb::clipfile;

// Largest clip file read into memory.
constexpr long kMaxFileBytes = 512L << 20;

// Bounds-checked little-endian reads over the file's bytes.
class ClipReader {
public:
  ClipReader(const uint8_t* data, size_t size) : data_(data), size_(size) {}
  size_t remaining() const { return size_ - pos_; }
  bool bytes(void* out, size_t n) {
    if (n > remaining()) return false;
    std::memcpy(out, data_ + pos_, n);
    pos_ += n;
    return true;
  }
  const uint8_t* take(size_t n) {
    if (n > remaining()) return nullptr;
    const uint8_t* p = data_ + pos_;
    pos_ += n;
    return p;
  }
  bool i32(int32_t& v) {
    const uint8_t* p = take(4);
    if (!p) return false;
    v = int32_t(uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24);
    return true;
  }

private:
  const uint8_t* data_;
  size_t size_;
  size_t pos_ = 0;
};

bool readRawPixels(ClipReader& in, OBitmap& image) {
  const size_t rowBytes = size_t(image.width()) * 3;
  if (rowBytes * size_t(image.height()) > in.remaining()) return false;
  for (int r = 0; r < image.height(); ++r) std::memcpy(image.rowAddress(r), in.take(rowBytes), rowBytes);
  return true;
}

// int32 plain length L, int32 stored length M, M enciphered bytes holding a
// JPEG stream of L bytes.
bool readJpegPayload(ClipReader& in, OBitmap& image, const std::shared_ptr<DibSection>& section) {
  int32_t plain = 0, stored = 0;
  if (!in.i32(plain) || !in.i32(stored)) return false;
  if (stored <= 0 || size_t(stored) > in.remaining() || plain <= 0 || plain > stored) return false;
  std::vector<uint8_t> buffer(size_t(stored) + 10);
  in.bytes(buffer.data(), size_t(stored));
  const int n = DecryptBuffer(buffer.data(), stored, buffer.data(), stored + 10, cf::kKeyText);
  if (n == 0 || n != plain) return false;
  return OBitmap::decodeJpeg(image, buffer.data(), size_t(n), section);
}

// The plane is stored at the record's size; when the JPEG gave the image
// another size, the overlapping part is kept.
bool readAlphaPlane(ClipReader& in, OBitmap& image, int recordWidth, int recordHeight) {
  const uint8_t* plane = in.take(size_t(recordWidth) * size_t(recordHeight));
  if (!plane) return false;
  image.createAlpha(255);
  uint8_t* dst = image.alphaPlane();
  const int w = std::min(recordWidth, image.width()), h = std::min(recordHeight, image.height());
  for (int r = 0; r < h; ++r)
    std::memcpy(dst + size_t(r) * size_t(image.width()), plane + size_t(r) * size_t(recordWidth), size_t(w));
  return true;
}

std::unique_ptr<OBitmap> readImage(ClipReader& in, const std::shared_ptr<DibSection>& section) {
  int32_t w = 0, h = 0, kind = 0;
  if (!in.i32(w) || !in.i32(h) || !in.i32(kind)) return nullptr;
  if (w < 1 || h < 1 || w > cf::kMaxImageSide || h > cf::kMaxImageSide) return nullptr;
  // A truncated raw record fails before any pixel memory is taken.
  if (!cf::isJpegKind(kind) && size_t(w) * size_t(h) * 3 > in.remaining()) return nullptr;
  auto image = std::make_unique<OBitmap>();
  if (cf::isJpegKind(kind)) {
    // The decoder makes the image at the stream's own size, so a damaged
    // record size costs no memory and no room in the shared section.
    if (!readJpegPayload(in, *image, section)) return nullptr;
  } else if (!image->create(w, h, -1, section) || !readRawPixels(in, *image)) {
    return nullptr;
  }
  if (cf::hasAlphaPlane(kind) && !readAlphaPlane(in, *image, w, h)) return nullptr;
  return image;
}

void applyRecordKey(OBitmap& frame, int32_t key) {
  if (key == -1 || key > 0xFFFFFF)
    frame.setColourKey(-1);
  else
    frame.colourKey = key;
}

}  // namespace

bool OClip::load(const std::string& fileName) {
  clear();
  FILE* f = zb::openFile(fileName, "rb");
  if (!f) return false;
  std::vector<uint8_t> bytes;
  bool ok = std::fseek(f, 0, SEEK_END) == 0;
  const long size = ok ? std::ftell(f) : -1;
  ok = ok && size >= 0 && size <= kMaxFileBytes && std::fseek(f, 0, SEEK_SET) == 0;
  if (ok) {
    bytes.resize(size_t(size));
    ok = std::fread(bytes.data(), 1, bytes.size(), f) == bytes.size();
  }
  std::fclose(f);
  return ok && loadFromMemory(bytes.data(), bytes.size());
}

bool OClip::loadFromMemory(const uint8_t* data, size_t size) {
  clear();
  ClipReader in(data, data ? size : 0);
  char signature[12];
  int32_t count = 0, sequenceTotal = 0, sectionSize = 0, reserved = 0;
  if (!in.bytes(signature, 12) || !in.i32(count) || !in.i32(sequenceTotal) || !in.i32(sectionSize) ||
      !in.i32(reserved))
    return false;
  if (std::memcmp(signature, cf::kSignature, 12) != 0 || count < 0 || count > cf::kMaxImages || sequenceTotal < 0 ||
      sequenceTotal > cf::kMaxSequences)
    return false;
  sharedSection.reset();
  if (sectionSize != 0) {
    const uint32_t packed = uint32_t(sectionSize);
    const int w = int(packed >> 16), h = int(packed & 0xFFFF);
    if (int64_t(w) * h > cf::kMaxSectionPixels) return false;
    sharedSection = DibSection::make(w, h);
    if (!sharedSection) return false;
  }
  std::vector<std::unique_ptr<OBitmap>> loaded;
  for (int i = 0; i < count; ++i) {
    auto image = readImage(in, sharedSection);
    if (!image) return false;
    loaded.push_back(std::move(image));
  }
  if (sequenceTotal == 0) {
    for (auto& image : loaded) {
      image->setColourKey(-1);
      addImage(std::move(image));
    }
    return true;
  }
  // Frames take the loaded images; a second use of an image gets a copy
  // sharing its pixels. Images no frame uses are dropped at the end.
  std::vector<OBitmap*> assigned(loaded.size(), nullptr);
  int64_t frameTotal = 0;
  for (int k = 0; k < sequenceTotal; ++k) {
    int32_t frames = 0;
    if (!in.i32(frames) || frames < 0 || size_t(frames) > in.remaining() / cf::kFrameRecordSize) return false;
    frameTotal += frames;
    if (frameTotal > cf::kMaxFrames) return false;
    OClip* target = this;
    if (sequenceTotal > 1) {
      addSequence(std::make_unique<OClip>());
      target = sequences.back().get();
    }
    for (int i = 0; i < frames; ++i) {
      int32_t rec[7];
      for (int32_t& v : rec) in.i32(v);
      const int32_t index = rec[2];
      if (index < 0 || index >= count) return false;
      std::unique_ptr<OBitmap> frame;
      if (!assigned[size_t(index)]) {
        frame = std::move(loaded[size_t(index)]);
        assigned[size_t(index)] = frame.get();
      } else {
        frame = std::make_unique<OBitmap>(*assigned[size_t(index)]);
      }
      frame->xOffset = rec[0];
      frame->yOffset = rec[1];
      applyRecordKey(*frame, rec[3]);
      OBitmap* raw = frame.get();
      target->addImage(std::move(frame));
      raw->action = rec[4];
      raw->arg1 = rec[5];
      raw->arg2 = rec[6];
    }
  }
  return true;
}

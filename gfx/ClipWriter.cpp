#include "gfx/ClipWriter.h"

#include <cstdio>
#include <map>

#include "gfx/ClipFormat.h"
#include "gfx/JpegCodec.h"
#include "gfx/OClip.h"
#include "platform/Files.h"
#include "storage/Container.h"

namespace {

namespace cf = zb::clipfile;

void putI32(std::vector<uint8_t>& out, int32_t v) {
  const uint32_t u = uint32_t(v);
  out.push_back(uint8_t(u));
  out.push_back(uint8_t(u >> 8));
  out.push_back(uint8_t(u >> 16));
  out.push_back(uint8_t(u >> 24));
}

void collectFrames(const OClip& clip, std::map<const OBitmapData*, int>& index, ClipWriter& writer, int kind,
                   int sequence, bool plain) {
  for (const auto& image : clip.images) {
    auto it = index.find(image->data());
    if (it == index.end()) it = index.emplace(image->data(), writer.addImage(*image, kind)).first;
    if (plain) continue;
    ClipFrame f;
    f.x = image->xOffset;
    f.y = image->yOffset;
    f.image = it->second;
    // A key that never matches is written as such; -1 would mean "top-left".
    f.key = image->colourKey == -1 ? -2 : image->colourKey;
    f.action = image->action;
    f.arg1 = image->arg1;
    f.arg2 = image->arg2;
    writer.addFrame(sequence, f);
  }
}

}  // namespace

int ClipWriter::addImage(const OBitmap& image, int kind, int quality) {
  images_.push_back(Entry{image, kind, quality});
  return int(images_.size()) - 1;
}

int ClipWriter::addSequence() {
  sequences_.emplace_back();
  return int(sequences_.size()) - 1;
}

void ClipWriter::addFrame(int sequence, const ClipFrame& frame) {
  if (sequence < 0) return;
  if (size_t(sequence) >= sequences_.size()) sequences_.resize(size_t(sequence) + 1);
  sequences_[size_t(sequence)].push_back(frame);
}

void ClipWriter::setSharedSection(int width, int height) {
  sectionSize_ = uint32_t(width & 0xFFFF) << 16 | uint32_t(height & 0xFFFF);
}

ClipWriter ClipWriter::fromClip(const OClip& clip, int kind, bool plainClip) {
  ClipWriter writer;
  std::map<const OBitmapData*, int> index;
  if (clip.sequences.empty()) {
    collectFrames(clip, index, writer, kind, 0, plainClip);
  } else {
    for (size_t s = 0; s < clip.sequences.size(); ++s)
      collectFrames(*clip.sequences[s], index, writer, kind, int(s), false);
  }
  return writer;
}

bool ClipWriter::writeImage(const Entry& e, std::vector<uint8_t>& out) const {
  const OBitmap& img = e.image;
  if (!img.valid()) return false;
  putI32(out, img.width());
  putI32(out, img.height());
  putI32(out, e.kind);
  if (cf::isJpegKind(e.kind)) {
    std::vector<uint8_t> jpeg;
    if (!zb::encodeJpeg(img, e.quality, jpeg)) return false;
    std::vector<uint8_t> cipher(jpeg.size() + 8);
    const int stored = EncryptBuffer(jpeg.data(), int(jpeg.size()), cipher.data(), int(cipher.size()), cf::kKeyText);
    if (stored <= 0) return false;
    putI32(out, int32_t(jpeg.size()));
    putI32(out, stored);
    out.insert(out.end(), cipher.begin(), cipher.begin() + stored);
  } else {
    for (int r = 0; r < img.height(); ++r) {
      const uint8_t* row = img.rowAddress(r);
      out.insert(out.end(), row, row + size_t(img.width()) * 3);
    }
  }
  if (cf::hasAlphaPlane(e.kind)) {
    const size_t n = size_t(img.width()) * size_t(img.height());
    if (const uint8_t* plane = img.alphaPlane())
      out.insert(out.end(), plane, plane + n);
    else
      out.insert(out.end(), n, 0);
  }
  return true;
}

bool ClipWriter::write(std::vector<uint8_t>& out) const {
  // A file the loader would refuse is not written at all.
  if (images_.size() > size_t(cf::kMaxImages) || sequences_.size() > size_t(cf::kMaxSequences)) return false;
  size_t frameTotal = 0;
  for (const auto& frames : sequences_) {
    frameTotal += frames.size();
    for (const ClipFrame& f : frames)
      if (f.image < 0 || size_t(f.image) >= images_.size()) return false;
  }
  if (frameTotal > size_t(cf::kMaxFrames)) return false;
  out.assign(cf::kSignature, cf::kSignature + 12);
  putI32(out, int32_t(images_.size()));
  putI32(out, int32_t(sequences_.size()));
  putI32(out, int32_t(sectionSize_));
  putI32(out, 0);
  for (const Entry& e : images_)
    if (!writeImage(e, out)) return false;
  for (const auto& frames : sequences_) {
    putI32(out, int32_t(frames.size()));
    for (const ClipFrame& f : frames) {
      for (int32_t v : {f.x, f.y, f.image, f.key, f.action, f.arg1, f.arg2}) putI32(out, v);
    }
  }
  return true;
}

bool ClipWriter::save(const std::string& path) const {
  std::vector<uint8_t> bytes;
  if (!write(bytes)) return false;
  zb::makeParentDirs(path);
  FILE* f = zb::openFile(path, "wb");
  if (!f) return false;
  const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
  return std::fclose(f) == 0 && ok;
}

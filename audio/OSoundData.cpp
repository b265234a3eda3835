#include "audio/OSoundData.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "platform/Files.h"

namespace {

uint32_t le32(const uint8_t* p) {
  return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

}  // namespace

bool OSoundData::readFile(const std::string& name, std::vector<uint8_t>& out) {
  FILE* f = zb::openFile(name, "rb");
  if (!f) return false;
  // Effects are short; a file past the limit is not a sound effect.
  bool ok = std::fseek(f, 0, SEEK_END) == 0;
  long size = ok ? std::ftell(f) : -1;
  ok = ok && size >= 0 && size <= kMaxFileBytes && std::fseek(f, 0, SEEK_SET) == 0;
  if (ok) {
    out.resize(static_cast<size_t>(size));
    ok = std::fread(out.data(), 1, out.size(), f) == out.size();
  }
  std::fclose(f);
  return ok;
}

std::unique_ptr<OSoundData> OSoundData::create(zb::SoundDevice& device, const std::string& fileName) {
  std::unique_ptr<OSoundData> d(new OSoundData());
  if (!readFile(fileName, d->file_) || d->file_.size() < kDataOffset) return nullptr;
  d->dataLength_ = le32(&d->file_[kLengthOffset]);
  // The stated length is trusted only as far as the file can back it.
  if (d->file_.size() < d->dataLength_) return nullptr;
  d->format_ = zb::readWaveFormat(&d->file_[kFormatOffset]);
  d->buffer_ = device.createBuffer(d->format_, d->dataLength_);
  if (!d->buffer_) return nullptr;
  d->fill();
  return d;
}

void OSoundData::fill() {
  uint8_t* dst = nullptr;
  size_t size = 0;
  // A buffer that cannot be locked stays silent; the effect still exists.
  if (!buffer_->lock(&dst, &size)) return;
  size_t have = readPos_ < file_.size() ? file_.size() - readPos_ : 0;
  size_t n = std::min(have, size);
  if (n) std::memcpy(dst, &file_[readPos_], n);
  std::memset(dst + n, format_.bitsPerSample == 8 ? 128 : 0, size - n);
  buffer_->unlock();
}

void OSoundData::play(bool restart) {
  if (buffer_->isLost()) {
    if (!buffer_->restore()) return;
    readPos_ = kDataOffset;
    fill();
  }
  if (restart) buffer_->rewind();
  buffer_->play();
}

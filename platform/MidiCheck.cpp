#include "platform/MidiCheck.h"

#include <cstdio>
#include <vector>


namespace zb {
namespace {

class Reader {
public:
  Reader(const uint8_t* p, size_t n) : p_(p), end_(p + n) {}
  size_t left() const { return size_t(end_ - p_); }
  bool byte(uint8_t& v) {
    if (p_ == end_) return false;
    v = *p_++;
    return true;
  }
  bool be(int bytes, uint32_t& v) {
    if (left() < size_t(bytes)) return false;
    v = 0;
    for (int i = 0; i < bytes; ++i) v = (v << 8) | *p_++;
    return true;
  }
  // A variable-length quantity: at most four bytes, seven bits each.
  bool vlq(uint32_t& v) {
    v = 0;
    for (int i = 0; i < 4; ++i) {
      uint8_t b;
      if (!byte(b)) return false;
      v = (v << 7) | (b & 0x7F);
      if (!(b & 0x80)) return true;
    }
    return false;
  }
  bool skip(uint32_t n) {
    if (left() < n) return false;
    p_ += n;
    return true;
  }
  bool tag(const char* name) {
    if (left() < 4) return false;
    for (int i = 0; i < 4; ++i)
      if (p_[i] != uint8_t(name[i])) return false;
    p_ += 4;
    return true;
  }
  bool printableTag() const {
    if (left() < 4) return false;
    for (int i = 0; i < 4; ++i)
      if (p_[i] < 0x20 || p_[i] > 0x7E) return false;
    return true;
  }
  const uint8_t* at() const { return p_; }

private:
  const uint8_t* p_;
  const uint8_t* end_;
};

bool dataBytes(Reader& r, int count) {
  for (int i = 0; i < count; ++i) {
    uint8_t b;
    if (!r.byte(b) || b & 0x80) return false;
  }
  return true;
}

int dataCount(uint8_t status) {
  const uint8_t kind = status & 0xF0;
  return kind == 0xC0 || kind == 0xD0 ? 1 : 2;
}

// One track chunk's events; an end-of-track event ends it early.
bool checkTrack(Reader r) {
  uint8_t running = 0;
  while (r.left() > 0) {
    uint32_t delta, length;
    uint8_t status;
    if (!r.vlq(delta) || !r.byte(status)) return false;
    if (status < 0x80) {
      // Running status: this byte is the first data byte of the last message.
      if (!running) return false;
      if (!dataBytes(r, dataCount(running) - 1)) return false;
    } else if (status == 0xFF) {
      uint8_t type;
      if (!r.byte(type) || type & 0x80 || !r.vlq(length) || !r.skip(length)) return false;
      if (type == 0x2F) return true;
    } else if (status == 0xF0 || status == 0xF7) {
      if (!r.vlq(length) || !r.skip(length)) return false;
    } else if (status > 0xF0) {
      return false;  // real-time and common messages have no place in a file
    } else {
      running = status;
      if (!dataBytes(r, dataCount(status))) return false;
    }
  }
  return true;
}

}  // namespace

bool isWellFormedMidi(const uint8_t* data, size_t size) {
  if (!data || size > kMaxMidiBytes) return false;
  Reader r(data, size);
  uint32_t headerLength, format, tracks, division;
  if (!r.tag("MThd") || !r.be(4, headerLength) || headerLength < 6 || !r.be(2, format) || !r.be(2, tracks) ||
      !r.be(2, division) || !r.skip(headerLength - 6))
    return false;
  if (format > 2 || tracks == 0 || division == 0) return false;
  for (uint32_t found = 0; found < tracks;) {
    if (!r.printableTag()) return false;
    const bool isTrack = r.tag("MTrk");
    if (!isTrack) r.skip(4);
    uint32_t length;
    if (!r.be(4, length) || length > r.left()) return false;
    if (isTrack) {
      if (!checkTrack(Reader(r.at(), length))) return false;
      ++found;
    }
    r.skip(length);
  }
  return true;
}

bool isWellFormedMidiFile(const std::string& path) {
  FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) return false;
  std::vector<uint8_t> bytes;
  uint8_t chunk[65536];
  size_t got;
  bool tooLarge = false;
  while ((got = std::fread(chunk, 1, sizeof chunk, f)) > 0 && !tooLarge) {
    bytes.insert(bytes.end(), chunk, chunk + got);
    tooLarge = bytes.size() > kMaxMidiBytes;
  }
  const bool failed = std::ferror(f) != 0;
  std::fclose(f);
  return !failed && !tooLarge && isWellFormedMidi(bytes.data(), bytes.size());
}

}  // namespace zb

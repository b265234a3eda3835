#include "storage/Container.h"

#include <climits>
#include <cstdlib>
#include <cstdio>
#include <cstring>
#include <vector>

#include "platform/Files.h"
#include "platform/ReplaceFile.h"
#include "storage/ODesCipher.h"

namespace {

// Our own files are a few kilobytes; anything this large is not one of them.
constexpr long kMaxContainerBytes = 64L * 1024 * 1024;

struct CrcTable {
  uint32_t t[256];
  CrcTable() {
    for (uint32_t i = 0; i < 256; ++i) {
      uint32_t r = i << 24;
      for (int b = 0; b < 8; ++b) r = (r & 0x80000000u) ? (r << 1) ^ 0x04C11DB7u : (r << 1);
      t[i] = r;
    }
  }
};

ODesCipher cipherFor(const char* keyText) {
  uint8_t key[8];
  ODesCipher::keyFromText(keyText, key);
  return ODesCipher(key);
}

bool readWhole(const std::string& path, std::vector<uint8_t>& bytes) {
  FILE* f = zb::openFile(path, "rb");
  if (!f) return false;
  uint8_t chunk[10240];
  bool ok = true;
  for (;;) {
    size_t got = std::fread(chunk, 1, sizeof chunk, f);
    if (got == 0) break;
    if (bytes.size() + got > size_t(kMaxContainerBytes)) {
      ok = false;
      break;
    }
    bytes.insert(bytes.end(), chunk, chunk + got);
  }
  if (std::ferror(f)) ok = false;
  std::fclose(f);
  return ok;
}

}  // namespace

int EncryptBuffer(const void* src, int n, void* dst, int capacity, const char* keyText) {
  if (n < 0 || n > INT_MAX - 8 || (!src && n > 0)) return 0;
  const int full = n / 8;
  const int length = 8 * full + 8;
  if (capacity < length || !dst) return length;
  const uint8_t* in = static_cast<const uint8_t*>(src);
  uint8_t* out = static_cast<uint8_t*>(dst);
  // The tail block: the last n mod 8 bytes, zero filler, the count in byte 7.
  // Built before anything is written, as src and dst may be the same buffer.
  uint8_t tail[8] = {0};
  const int r = n % 8;
  if (r > 0) std::memcpy(tail, in + 8 * full, size_t(r));
  tail[7] = uint8_t(r);
  ODesCipher cipher = cipherFor(keyText);
  cipher.encryptCbc(in, out, size_t(full));
  uint8_t chained[8];
  for (int i = 0; i < 8; ++i) chained[i] = tail[i] ^ (full > 0 ? out[8 * full - 8 + i] : 0);
  cipher.encryptBlock(chained, out + 8 * full);
  return length;
}

int DecryptBuffer(const void* src, int m, void* dst, int capacity, const char* keyText) {
  const int w = m < 0 ? 0 : m & ~7;
  if (w < 8 || !src) return 0;
  if (capacity < w || capacity <= 0 || !dst) return w;
  uint8_t* out = static_cast<uint8_t*>(dst);
  cipherFor(keyText).decryptCbc(static_cast<const uint8_t*>(src), out, size_t(w / 8));
  const int t = int(int8_t(out[w - 1]));
  // A tail block always counts 0 to 7 bytes; anything else is a wrong key or
  // a damaged buffer, and trusting it would send callers past the data.
  if (t < 0 || t > 7) return -1;
  return w - 8 + t;
}

uint32_t Crc32(const void* data, size_t n) {
  static const CrcTable table;
  const uint8_t* p = static_cast<const uint8_t*>(data);
  uint32_t r = 0xFFFFFFFFu;
  for (size_t i = 0; i < n; ++i) r = (r << 8) ^ table.t[(r >> 24) ^ p[i]];
  return ~r;
}

bool LoadEncryptedText(const std::string& path, std::string& out, const char* keyText) {
  std::vector<uint8_t> file;
  if (!readWhole(path, file)) return false;
  const int s = int(file.size());
  if (s < 4) return false;
  std::vector<uint8_t> plain(size_t(s) + 8);
  const int c = DecryptBuffer(file.data(), s - 4, plain.data(), s + 8, keyText);
  if (c < 0 || c > s + 8) return false;
  const uint8_t* tail = file.data() + s - 4;
  const uint32_t stored = uint32_t(tail[0]) | (uint32_t(tail[1]) << 8) | (uint32_t(tail[2]) << 16) |
                          (uint32_t(tail[3]) << 24);
  if (Crc32(plain.data(), size_t(c)) != stored) return false;
  out.assign(reinterpret_cast<const char*>(plain.data()), size_t(c));
  return true;
}

bool SaveEncryptedText(const std::string& path, const std::string& text, const char* keyText, std::string* reason) {
  if (path.empty() || text.size() > size_t(kMaxContainerBytes)) {
    if (reason) *reason = path.empty() ? "no file name" : "too large to store";
    return false;
  }
  const int n = int(text.size());
  const uint32_t crc = Crc32(text.data(), text.size());
  std::vector<uint8_t> bytes(size_t(n) + 8 + 4);
  const int len = EncryptBuffer(text.data(), n, bytes.data(), n + 8, keyText);
  bytes.resize(size_t(len) + 4);
  for (int i = 0; i < 4; ++i) bytes[size_t(len + i)] = uint8_t(crc >> (8 * i));
  return zb::replaceFile(zb::resolvePath(path), bytes, reason);
}

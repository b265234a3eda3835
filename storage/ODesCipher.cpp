#include "storage/ODesCipher.h"

#include <cstring>

namespace {

// Tables of the standard, bit 1 being the most significant bit.
const uint8_t kIP[64] = {58, 50, 42, 34, 26, 18, 10, 2, 60, 52, 44, 36, 28, 20, 12, 4,
                         62, 54, 46, 38, 30, 22, 14, 6, 64, 56, 48, 40, 32, 24, 16, 8,
                         57, 49, 41, 33, 25, 17, 9,  1, 59, 51, 43, 35, 27, 19, 11, 3,
                         61, 53, 45, 37, 29, 21, 13, 5, 63, 55, 47, 39, 31, 23, 15, 7};

const uint8_t kPC1[56] = {57, 49, 41, 33, 25, 17, 9,  1,  58, 50, 42, 34, 26, 18,
                          10, 2,  59, 51, 43, 35, 27, 19, 11, 3,  60, 52, 44, 36,
                          63, 55, 47, 39, 31, 23, 15, 7,  62, 54, 46, 38, 30, 22,
                          14, 6,  61, 53, 45, 37, 29, 21, 13, 5,  28, 20, 12, 4};

const uint8_t kPC2[48] = {14, 17, 11, 24, 1,  5,  3,  28, 15, 6,  21, 10,
                          23, 19, 12, 4,  26, 8,  16, 7,  27, 20, 13, 2,
                          41, 52, 31, 37, 47, 55, 30, 40, 51, 45, 33, 48,
                          44, 49, 39, 56, 34, 53, 46, 42, 50, 36, 29, 32};

const uint8_t kShifts[16] = {1, 1, 2, 2, 2, 2, 2, 2, 1, 2, 2, 2, 2, 2, 2, 1};

const uint8_t kP[32] = {16, 7, 20, 21, 29, 12, 28, 17, 1,  15, 23, 26, 5,  18, 31, 10,
                        2,  8, 24, 14, 32, 27, 3,  9,  19, 13, 30, 6,  22, 11, 4,  25};

const uint8_t kS[8][64] = {
    {14, 4,  13, 1, 2,  15, 11, 8,  3,  10, 6,  12, 5,  9,  0, 7,  0, 15, 7,  4,  14, 2,
     13, 1,  10, 6, 12, 11, 9,  5,  3,  8,  4,  1,  14, 8,  13, 6, 2,  11, 15, 12, 9,  7,
     3,  10, 5,  0, 15, 12, 8,  2,  4,  9,  1,  7,  5,  11, 3,  14, 10, 0,  6,  13},
    {15, 1,  8,  14, 6,  11, 3, 4,  9,  7, 2,  13, 12, 0, 5,  10, 3,  13, 4,  7, 15, 2,
     8,  14, 12, 0,  1,  10, 6, 9,  11, 5, 0,  14, 7,  11, 10, 4,  13, 1, 5,  8, 12, 6,
     9,  3,  2,  15, 13, 8,  10, 1, 3,  15, 4, 2,  11, 6,  7,  12, 0, 5, 14, 9},
    {10, 0,  9,  14, 6,  3,  15, 5, 1,  13, 12, 7,  11, 4,  2,  8,  13, 7,  0,  9, 3,  4,
     6,  10, 2,  8,  5,  14, 12, 11, 15, 1,  13, 6,  4,  9,  8,  15, 3,  0,  11, 1, 2,  12,
     5,  10, 14, 7,  1,  10, 13, 0,  6,  9,  8,  7,  4,  15, 14, 3,  11, 5,  2,  12},
    {7,  13, 14, 3, 0,  6,  9,  10, 1, 2,  8,  5,  11, 12, 4,  15, 13, 8, 11, 5, 6,  15,
     0,  3,  4,  7, 2,  12, 1,  10, 14, 9,  10, 6,  9,  0,  12, 11, 7, 13, 15, 1, 3,  14,
     5,  2,  8,  4, 3,  15, 0,  6,  10, 1,  13, 8,  9,  4,  5,  11, 12, 7, 2,  14},
    {2,  12, 4,  1,  7,  10, 11, 6,  8,  5, 3,  15, 13, 0,  14, 9,  14, 11, 2,  12, 4, 7,
     13, 1,  5,  0,  15, 10, 3,  9,  8,  6, 4,  2,  1,  11, 10, 13, 7,  8,  15, 9,  12, 5,
     6,  3,  0,  14, 11, 8,  12, 7,  1,  14, 2, 13, 6,  15, 0,  9,  10, 4,  5,  3},
    {12, 1,  10, 15, 9,  2,  6,  8,  0,  13, 3,  4,  14, 7, 5,  11, 10, 15, 4, 2,  7,  12,
     9,  5,  6,  1,  13, 14, 0,  11, 3,  8,  9,  14, 15, 5, 2,  8,  12, 3,  7, 0,  4,  10,
     1,  13, 11, 6,  4,  3,  2,  12, 9,  5,  15, 10, 11, 14, 1, 7,  6,  0,  8, 13},
    {4,  11, 2,  14, 15, 0,  8,  13, 3,  12, 9,  7,  5,  10, 6,  1, 13, 0,  11, 7,  4, 9,
     1,  10, 14, 3,  5,  12, 2,  15, 8,  6,  1,  4,  11, 13, 12, 3, 7,  14, 10, 15, 6, 8,
     0,  5,  9,  2,  6,  11, 13, 8,  1,  4,  10, 7,  9,  5,  0,  15, 14, 2,  3,  12},
    {13, 2,  8,  4,  6,  15, 11, 1,  10, 9,  3, 14, 5,  0,  12, 7,  1,  15, 13, 8,  10, 3,
     7,  4,  12, 5,  6,  11, 0,  14, 9,  2,  7, 11, 4,  1,  9,  12, 14, 2,  0,  6,  10, 13,
     15, 3,  5,  8,  2,  1,  14, 7,  4,  10, 8, 13, 15, 12, 9,  0,  3,  5,  6,  11}};

uint32_t bswap32(uint32_t v) {
  return (v >> 24) | ((v >> 8) & 0xFF00u) | ((v << 8) & 0xFF0000u) | (v << 24);
}

// Reverses the bytes of each 32-bit half of a 64-bit block.
uint64_t swapHalves(uint64_t v) {
  return (uint64_t(bswap32(uint32_t(v >> 32))) << 32) | bswap32(uint32_t(v));
}

uint32_t rotr(uint32_t v, int n) { return (v >> n) | (v << ((32 - n) & 31)); }

// Output bit i (1 = most significant of `outBits`) is input bit table[i - 1]
// (1 = most significant of `inBits`).
uint64_t permute(uint64_t in, const uint8_t* table, int outBits, int inBits) {
  uint64_t out = 0;
  for (int i = 0; i < outBits; ++i) out = (out << 1) | ((in >> (inBits - table[i])) & 1);
  return out;
}

struct Tables {
  // [mode][nibble position, 0 = top nibble][nibble value]
  uint64_t ip[2][16][16];
  uint64_t fp[2][16][16];
  uint32_t sp[8][64];  // S-box j merged with P, indexed by the 6-bit input

  Tables() {
    uint8_t fpTable[64];
    for (int i = 0; i < 64; ++i) fpTable[kIP[i] - 1] = uint8_t(i + 1);
    for (int mode = 0; mode < 2; ++mode) {
      // Mode 0 folds the byte reversal of the halves into both permutations.
      for (int q = 0; q < 16; ++q)
        for (int v = 0; v < 16; ++v) {
          uint64_t in = uint64_t(v) << (60 - 4 * q);
          uint64_t ipOut = permute(in, kIP, 64, 64);
          ip[mode][q][v] = mode == 0 ? swapHalves(ipOut) : ipOut;
          fp[mode][q][v] = permute(mode == 0 ? swapHalves(in) : in, fpTable, 64, 64);
        }
    }
    for (int j = 0; j < 8; ++j)
      for (int v = 0; v < 64; ++v) {
        int row = ((v >> 4) & 2) | (v & 1);
        int col = (v >> 1) & 15;
        uint64_t s = uint64_t(kS[j][row * 16 + col]) << (28 - 4 * j);
        sp[j][v] = uint32_t(permute(s, kP, 32, 32));
      }
  }
};

const Tables& tables() {
  static const Tables t;
  return t;
}

uint64_t applyNibbles(uint64_t v, const uint64_t (*tab)[16]) {
  uint64_t out = 0;
  for (int q = 0; q < 16; ++q) out |= tab[q][(v >> (60 - 4 * q)) & 15];
  return out;
}

uint64_t load64(const uint8_t* p) {
  uint64_t v = 0;
  for (int i = 0; i < 8; ++i) v = (v << 8) | p[i];
  return v;
}

void store64(uint64_t v, uint8_t* p) {
  for (int i = 7; i >= 0; --i) {
    p[i] = uint8_t(v);
    v >>= 8;
  }
}

}  // namespace

ODesCipher::ODesCipher(const uint8_t key[8], bool standardByteOrder) : standard_(standardByteOrder) {
  tables();  // built once, before any block is enciphered
  uint64_t cd = permute(load64(key), kPC1, 56, 64);
  uint32_t c = uint32_t(cd >> 28) & 0xFFFFFFF;
  uint32_t d = uint32_t(cd) & 0xFFFFFFF;
  for (int r = 0; r < 16; ++r) {
    for (int s = 0; s < kShifts[r]; ++s) {
      c = ((c << 1) | (c >> 27)) & 0xFFFFFFF;
      d = ((d << 1) | (d >> 27)) & 0xFFFFFFF;
    }
    uint64_t k = permute((uint64_t(c) << 28) | d, kPC2, 48, 56);
    uint32_t chunk[8];
    for (int j = 0; j < 8; ++j) chunk[j] = uint32_t(k >> (42 - 6 * j)) & 63;
    // Matches the byte positions of rotr(R, 3) and rotr(R, 7) in crypt().
    keyA_[r] = chunk[6] | (chunk[4] << 8) | (chunk[2] << 16) | (chunk[0] << 24);
    keyB_[r] = chunk[5] | (chunk[3] << 8) | (chunk[1] << 16) | (chunk[7] << 24);
  }
}

uint64_t ODesCipher::crypt(uint64_t block, bool decrypt) const {
  const Tables& t = tables();
  const int mode = standard_ ? 1 : 0;
  uint64_t lr = applyNibbles(block, t.ip[mode]);
  uint32_t l = uint32_t(lr >> 32);
  uint32_t r = uint32_t(lr);
  auto f = [&t](uint32_t x, uint32_t ka, uint32_t kb) {
    uint32_t a = rotr(x, 3) ^ ka;
    uint32_t b = rotr(x, 7) ^ kb;
    return t.sp[6][a & 63] ^ t.sp[4][(a >> 8) & 63] ^ t.sp[2][(a >> 16) & 63] ^ t.sp[0][(a >> 24) & 63] ^
           t.sp[5][b & 63] ^ t.sp[3][(b >> 8) & 63] ^ t.sp[1][(b >> 16) & 63] ^ t.sp[7][(b >> 24) & 63];
  };
  for (int i = 0; i < 16; i += 2) {
    int k0 = decrypt ? 15 - i : i;
    int k1 = decrypt ? 14 - i : i + 1;
    l ^= f(r, keyA_[k0], keyB_[k0]);
    r ^= f(l, keyA_[k1], keyB_[k1]);
  }
  // Pre-output is R16 L16.
  return applyNibbles((uint64_t(r) << 32) | l, t.fp[mode]);
}

void ODesCipher::encryptBlock(const uint8_t in[8], uint8_t out[8]) const {
  store64(crypt(load64(in), false), out);
}

void ODesCipher::decryptBlock(const uint8_t in[8], uint8_t out[8]) const {
  store64(crypt(load64(in), true), out);
}

void ODesCipher::encryptCbc(const uint8_t* src, uint8_t* dst, size_t blocks) const {
  uint64_t prev = 0;
  for (size_t i = 0; i < blocks; ++i) {
    prev = crypt(load64(src + 8 * i) ^ prev, false);
    store64(prev, dst + 8 * i);
  }
}

void ODesCipher::decryptCbc(const uint8_t* src, uint8_t* dst, size_t blocks) const {
  uint64_t prev = 0;
  for (size_t i = 0; i < blocks; ++i) {
    // Read the cipher block before the same bytes are overwritten in place.
    uint64_t c = load64(src + 8 * i);
    store64(crypt(c, true) ^ prev, dst + 8 * i);
    prev = c;
  }
}

void ODesCipher::keyFromText(const char* keyText, uint8_t key[8]) {
  std::memset(key, 0, 8);
  if (!keyText) return;
  for (int i = 0; i < 8 && keyText[i]; ++i) key[i] = uint8_t(keyText[i]);
}

#include <gtest/gtest.h>

#include <cstring>

#include "platform/Random.h"
#include "storage/ODesCipher.h"

namespace {

void hexBytes(uint64_t v, uint8_t out[8]) {
  for (int i = 7; i >= 0; --i, v >>= 8) out[i] = uint8_t(v);
}

uint64_t bytesHex(const uint8_t in[8]) {
  uint64_t v = 0;
  for (int i = 0; i < 8; ++i) v = (v << 8) | in[i];
  return v;
}

uint64_t standardEncrypt(uint64_t key, uint64_t plain) {
  uint8_t k[8], p[8], c[8];
  hexBytes(key, k);
  hexBytes(plain, p);
  ODesCipher(k, true).encryptBlock(p, c);
  return bytesHex(c);
}

// Published known-answer vectors of the standard cipher check every table.
TEST(DesCipher, StandardByteOrderMatchesPublishedVectors) {
  EXPECT_EQ(standardEncrypt(0x133457799BBCDFF1ull, 0x0123456789ABCDEFull), 0x85E813540F0AB405ull);
  EXPECT_EQ(standardEncrypt(0x0123456789ABCDEFull, 0x4E6F772069732074ull), 0x3FA40E8A984D4815ull);
  EXPECT_EQ(standardEncrypt(0x0101010101010101ull, 0x95F8A5E5DD31D900ull), 0x8000000000000000ull);
  EXPECT_EQ(standardEncrypt(0x0E329232EA6D0D73ull, 0x8787878787878787ull), 0x0000000000000000ull);
  EXPECT_EQ(standardEncrypt(0x7CA110454A1A6E57ull, 0x01A1D6D039776742ull), 0x690F5B0D9A26939Bull);
}

// The container cipher reverses the bytes of each half after the initial
// permutation and before the final one. As FP undoes IP, that is the
// standard cipher wrapped in T = FP . swap . IP on both sides; T is built
// here bit by bit from the initial permutation alone.
uint64_t slowPermute(uint64_t in, const int* table) {
  uint64_t out = 0;
  for (int i = 0; i < 64; ++i) out = (out << 1) | ((in >> (64 - table[i])) & 1);
  return out;
}

uint64_t wrapT(uint64_t v) {
  static const int ip[64] = {58, 50, 42, 34, 26, 18, 10, 2, 60, 52, 44, 36, 28, 20, 12, 4,
                             62, 54, 46, 38, 30, 22, 14, 6, 64, 56, 48, 40, 32, 24, 16, 8,
                             57, 49, 41, 33, 25, 17, 9,  1, 59, 51, 43, 35, 27, 19, 11, 3,
                             61, 53, 45, 37, 29, 21, 13, 5, 63, 55, 47, 39, 31, 23, 15, 7};
  int fp[64];
  for (int i = 0; i < 64; ++i) fp[ip[i] - 1] = i + 1;
  uint64_t x = slowPermute(v, ip);
  uint64_t swapped = 0;
  for (int b = 0; b < 8; ++b) {
    int from = (b < 4) ? 3 - b : 11 - b;  // byte b of each half comes from its mirror
    swapped |= ((x >> (56 - 8 * from)) & 0xFF) << (56 - 8 * b);
  }
  return slowPermute(swapped, fp);
}

TEST(DesCipher, ContainerByteOrderIsStandardCipherWithHalvesReversed) {
  zb::seedRandom(7);
  for (int i = 0; i < 200; ++i) {
    uint8_t key[8], plain[8], out[8];
    for (int j = 0; j < 8; ++j) key[j] = uint8_t(zb::random(256)), plain[j] = uint8_t(zb::random(256));
    ODesCipher container(key), standard(key, true);
    container.encryptBlock(plain, out);
    uint8_t inner[8], innerOut[8];
    hexBytes(wrapT(bytesHex(plain)), inner);
    standard.encryptBlock(inner, innerOut);
    ASSERT_EQ(bytesHex(out), wrapT(bytesHex(innerOut)));
    uint8_t back[8];
    container.decryptBlock(out, back);
    ASSERT_EQ(0, std::memcmp(back, plain, 8));
  }
}

TEST(DesCipher, KeyTextTakesEightBytesAndPadsShortTextsWithZero) {
  uint8_t key[8];
  ODesCipher::keyFromText("TideMarsh", key);
  EXPECT_EQ(0, std::memcmp(key, "TideMars", 8));
  ODesCipher::keyFromText("1234567", key);
  EXPECT_EQ(0, std::memcmp(key, "1234567\0", 8));
  ODesCipher::keyFromText("ab", key);
  EXPECT_EQ(0, std::memcmp(key, "ab\0\0\0\0\0\0", 8));
  ODesCipher::keyFromText(nullptr, key);
  EXPECT_EQ(0, std::memcmp(key, "\0\0\0\0\0\0\0\0", 8));
}

}  // namespace

#pragma once
#include <cstddef>
#include <cstdint>

// The block cipher of the container: the standard 16-round DES with one
// difference: each 32-bit half is read and written least significant byte
// first inside the rounds. Table-driven: initial and final permutations go
// through nibble tables (with the byte order folded in), the S-boxes are
// merged with the P permutation.
class ODesCipher {
public:
  // key: exactly 8 bytes, the low bit of each is ignored. standardByteOrder
  // gives plain DES; it exists so the tables can be checked against the
  // published test vectors.
  explicit ODesCipher(const uint8_t key[8], bool standardByteOrder = false);

  void encryptBlock(const uint8_t in[8], uint8_t out[8]) const;
  void decryptBlock(const uint8_t in[8], uint8_t out[8]) const;

  // CBC with an all-zero initial vector over `blocks` 8-byte blocks.
  // src and dst may be the same buffer.
  void encryptCbc(const uint8_t* src, uint8_t* dst, size_t blocks) const;
  void decryptCbc(const uint8_t* src, uint8_t* dst, size_t blocks) const;

  // The 8 key bytes of a key text: its first 8 bytes up to (and including)
  // its terminating zero, the rest zero. A null text gives zeros.
  static void keyFromText(const char* keyText, uint8_t key[8]);

private:
  uint64_t crypt(uint64_t block, bool decrypt) const;

  // Per round: the 48-bit subkey arranged as two words whose bytes line up
  // with the S-box inputs taken from the rotated right half.
  uint32_t keyA_[16];
  uint32_t keyB_[16];
  bool standard_;
};

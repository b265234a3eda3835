#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

// The encrypted container: a DES-based block cipher in CBC mode with a zero
// initial vector, a padding tail block and a trailing CRC-32. Exactly 8 key
// bytes are used; a shorter key text is padded with zero bytes.

// Enciphers n bytes and returns the cipher length 8 * (n / 8) + 8. Writes
// nothing when capacity is smaller than that (callers size it n + 8).
// A negative n (or a null src with n > 0) writes nothing and returns 0.
// src and dst may be the same buffer.
int EncryptBuffer(const void* src, int n, void* dst, int capacity, const char* keyText);

// Deciphers the first (m rounded down to 8) bytes. Returns 0 when that is
// below 8; returns it unchanged without deciphering when capacity is too
// small; otherwise the plain length taken from the tail block, or -1 when
// that block's count is not 0..7 (wrong key or damaged data). Callers must
// check the result. src and dst may be the same buffer.
int DecryptBuffer(const void* src, int m, void* dst, int capacity, const char* keyText);

// CRC-32 of the container; the check value of "123456789" is 0xFC891918.
uint32_t Crc32(const void* data, size_t n);

// Reads and checks a container file; on failure `out` is left unchanged.
bool LoadEncryptedText(const std::string& path, std::string& out, const char* keyText);

// Writes a container file through a temporary file renamed over the old
// one, so a failed save never damages what was there. On failure `reason`
// (when given) says why.
bool SaveEncryptedText(const std::string& path, const std::string& text, const char* keyText,
                       std::string* reason = nullptr);

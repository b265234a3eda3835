// Container files from disk: the deciphering, the tail count and the CRC
// check must hold for any bytes at all.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "storage/Container.h"

namespace {

const char* const kKeys[] = {"TideMarsh", "58207413", "KLOVKLOV", "QuillBox", "ab", ""};

// One scratch file per fuzzing process, removed when it exits.
struct Scratch {
  std::string path = "/tmp/zb-fuzz-container-" + std::to_string(::getpid());
  ~Scratch() { std::remove(path.c_str()); }
};

const std::string& scratchPath() {
  static const Scratch scratch;
  return scratch.path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > (1u << 20)) return 0;
  const char* key = kKeys[size % (sizeof kKeys / sizeof kKeys[0])];

  // As a file.
  const std::string path = scratchPath();
  if (FILE* f = std::fopen(path.c_str(), "wb")) {
    std::fwrite(data, 1, size, f);
    std::fclose(f);
    std::string out = "unchanged";
    if (LoadEncryptedText(path, out, key)) {
      if (out.size() + 4 > size + 8) std::abort();
    } else if (out != "unchanged") {
      std::abort();
    }
  }

  // As a payload buffer, in place and into a separate buffer of exact size.
  const int m = int(size);
  std::vector<uint8_t> buf(data, data + size);
  int n = DecryptBuffer(buf.data(), m, buf.data(), m, key);
  if (n > m) std::abort();
  std::vector<uint8_t> out(size);
  int n2 = DecryptBuffer(data, m, out.data(), m, key);
  if (n != n2) std::abort();

  // As plain text: enciphering then deciphering gives it back.
  std::vector<uint8_t> cipher(size + 8);
  int len = EncryptBuffer(data, m, cipher.data(), m + 8, key);
  if (len != 8 * (m / 8) + 8) std::abort();
  if (DecryptBuffer(cipher.data(), len, cipher.data(), len, key) != m) std::abort();
  if (size && std::memcmp(cipher.data(), data, size) != 0) std::abort();
  return 0;
}

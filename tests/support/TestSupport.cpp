#include "tests/support/TestSupport.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace fs = std::filesystem;

namespace zbtest {

TempDir::TempDir() {
  std::string tmpl = (fs::temp_directory_path() / "zenbox-test-XXXXXX").string();
  char* made = ::mkdtemp(tmpl.data());
  path_ = made ? made : tmpl;
}

TempDir::~TempDir() {
  std::error_code ec;
  fs::remove_all(path_, ec);
}

std::vector<unsigned char> readBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void writeBytes(const std::string& path, const std::vector<unsigned char>& bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

std::string fuzzSeedDir(const std::string& target) {
  // Tests run in build/tests/<folder>; seeds go to build/fuzz-seeds.
  fs::path dir = fs::current_path().parent_path().parent_path() / "fuzz-seeds" / target;
  std::error_code ec;
  fs::create_directories(dir, ec);
  return dir.string();
}

}  // namespace zbtest

#pragma once
#include <string>
#include <vector>

namespace zbtest {

// A fresh directory under the system temp folder, removed on destruction.
class TempDir {
public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  const std::string& path() const { return path_; }
  std::string file(const std::string& name) const { return path_ + "/" + name; }

private:
  std::string path_;
};

std::vector<unsigned char> readBytes(const std::string& path);
void writeBytes(const std::string& path, const std::vector<unsigned char>& bytes);

// Folder where tests leave inputs for the fuzz targets (build/fuzz-seeds/<target>).
std::string fuzzSeedDir(const std::string& target);

}  // namespace zbtest

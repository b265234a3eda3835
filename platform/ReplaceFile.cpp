#include "platform/ReplaceFile.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <cstring>
#include <ctime>

namespace zb {
namespace {

constexpr const char* kTemporaryInfix = ".tmp-";
constexpr size_t kTemporarySuffixLength = 6;  // what mkstemp puts in place of XXXXXX
constexpr int kMaxLinkHops = 40;

std::string folderOf(const std::string& path) {
  size_t slash = path.find_last_of('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

std::string nameOf(const std::string& path) {
  size_t slash = path.find_last_of('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string extensionOf(const std::string& name) {
  size_t dot = name.find_last_of('.');
  return dot == std::string::npos || dot == 0 ? "" : name.substr(dot);
}

// The file a chain of symbolic links ends at (the path itself when it is
// no link). A link may point at a file that does not exist yet.
std::string followLinks(std::string path) {
  for (int hop = 0; hop < kMaxLinkHops; ++hop) {
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return path;
    std::string target(size_t(st.st_size > 0 ? st.st_size : 255) + 1, '\0');
    ssize_t n = ::readlink(path.c_str(), target.data(), target.size());
    if (n <= 0 || size_t(n) >= target.size()) return path;
    target.resize(size_t(n));
    path = target[0] == '/' ? target : folderOf(path) + "/" + target;
  }
  return path;
}

// "<stem>.tmp-XXXXXX" where stem has the wanted extension.
bool isOurTemporary(const std::string& name, const std::string& extension) {
  size_t at = name.rfind(kTemporaryInfix);
  if (at == std::string::npos || at == 0) return false;
  const size_t suffix = at + std::char_traits<char>::length(kTemporaryInfix);
  if (name.size() - suffix != kTemporarySuffixLength) return false;
  for (size_t i = suffix; i < name.size(); ++i)
    if (!std::isalnum(static_cast<unsigned char>(name[i]))) return false;
  return extensionOf(name.substr(0, at)) == extension;
}

void removeStaleTemporaries(const std::string& target) {
  const std::string extension = extensionOf(nameOf(target));
  if (extension.empty()) return;
  const std::string folder = folderOf(target);
  DIR* d = ::opendir(folder.c_str());
  if (!d) return;
  const time_t now = ::time(nullptr);
  while (dirent* e = ::readdir(d)) {
    if (!isOurTemporary(e->d_name, extension)) continue;
    const std::string path = folder + "/" + e->d_name;
    struct stat st {};
    if (::lstat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && now - st.st_mtime >= kStaleTemporarySeconds)
      ::unlink(path.c_str());
  }
  ::closedir(d);
}

bool writeAll(int fd, const uint8_t* p, size_t n) {
  while (n > 0) {
    ssize_t w = ::write(fd, p, n);
    if (w < 0 && errno == EINTR) continue;
    if (w == 0) errno = EIO;
    if (w <= 0) return false;
    p += w;
    n -= size_t(w);
  }
  return true;
}

bool writeInPlace(const std::string& path, const std::vector<uint8_t>& bytes, int& error) {
  int fd = ::open(path.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC);
  if (fd < 0) {
    error = errno;
    return false;
  }
  bool ok = writeAll(fd, bytes.data(), bytes.size());
  if (!ok) error = errno;
  if (::close(fd) != 0 && ok) {
    error = errno;
    ok = false;
  }
  return ok;
}

bool replaceOrFail(const std::string& path, const std::vector<uint8_t>& bytes, int& error) {
  if (path.empty()) {
    error = ENOENT;
    return false;
  }
  const std::string target = followLinks(path);
  // mkstemp makes the file private; a new file is an ordinary one, a
  // replaced one keeps its permissions. A file that may not be written
  // (made read-only by its owner) stays as it is, as if opened for writing.
  mode_t mode = 0644;
  struct stat old {};
  if (::stat(target.c_str(), &old) == 0) {
    if (S_ISDIR(old.st_mode)) {
      error = EISDIR;
      return false;
    }
    if (!S_ISREG(old.st_mode)) return writeInPlace(target, bytes, error);
    if (::access(target.c_str(), W_OK) != 0) {
      error = errno;
      return false;
    }
    mode = old.st_mode & 07777;
  }
  removeStaleTemporaries(target);
  std::string tmpl = target + kTemporaryInfix + std::string(kTemporarySuffixLength, 'X');
  int fd = ::mkstemp(tmpl.data());
  if (fd < 0) {
    error = errno;
    return false;
  }
  bool ok = ::fchmod(fd, mode) == 0 && writeAll(fd, bytes.data(), bytes.size()) && ::fsync(fd) == 0;
  if (!ok) error = errno;
  if (::close(fd) != 0 && ok) {
    error = errno;
    ok = false;
  }
  if (ok && ::rename(tmpl.c_str(), target.c_str()) != 0) {
    error = errno;
    ok = false;
  }
  if (!ok) ::unlink(tmpl.c_str());
  return ok;
}

}  // namespace

bool replaceFile(const std::string& path, const std::vector<uint8_t>& bytes, std::string* reason) {
  int error = 0;
  if (replaceOrFail(path, bytes, error)) return true;
  if (reason) *reason = std::strerror(error ? error : EIO);
  return false;
}

}  // namespace zb

#include "platform/Files.h"

#include <dirent.h>
#include <strings.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstring>
#include <vector>

namespace zb {
namespace {

// Splits at `separator`; empty parts are dropped.
std::vector<std::string> splitComponents(const std::string& path, char separator) {
  std::vector<std::string> parts;
  std::string cur;
  for (char c : path) {
    if (c == separator) {
      if (!cur.empty()) parts.push_back(cur);
      cur.clear();
    } else {
      cur += c;
    }
  }
  if (!cur.empty()) parts.push_back(cur);
  return parts;
}

bool exists(const std::string& p) {
  struct stat st;
  return ::stat(p.c_str(), &st) == 0;
}

std::string& packFolder() {
  static std::string dir;
  return dir;
}

// The part of path below the working directory, or path itself when it is
// relative; empty when it lies elsewhere.
std::string relativeToWorkDir(const std::string& path) {
  if (path.empty() || (path[0] != '/' && path[0] != '\\')) return path;
  char buf[4096];
  if (!::getcwd(buf, sizeof buf)) return {};
  const size_t n = std::strlen(buf);
  if (path.compare(0, n, buf) != 0 || path.size() <= n + 1 || (path[n] != '/' && path[n] != '\\')) return {};
  return path.substr(n + 1);
}

// Finds an entry of dir whose name equals name ignoring case.
std::string matchInDir(const std::string& dir, const std::string& name) {
  DIR* d = ::opendir(dir.empty() ? "." : dir.c_str());
  if (!d) return name;
  std::string found = name;
  while (dirent* e = ::readdir(d)) {
    if (::strcasecmp(e->d_name, name.c_str()) == 0) {
      found = e->d_name;
      break;
    }
  }
  ::closedir(d);
  return found;
}

}  // namespace

std::string resolvePath(const std::string& path) {
  const bool absolute = !path.empty() && (path[0] == '/' || path[0] == '\\');
  std::string out = absolute ? "/" : "";
  bool missing = false;
  auto append = [&](const std::string& part) {
    std::string base = out;
    std::string candidate = base + part;
    if (!missing && part != "." && part != ".." && !exists(candidate)) {
      std::string m = matchInDir(base.empty() ? "." : base, part);
      candidate = base + m;
      if (!exists(candidate)) missing = true;
    }
    out = candidate + "/";
  };
  for (const std::string& part : splitComponents(path, '/')) {
    // A folder whose name holds a backslash (one given by a person, such as
    // the data folder) is taken as it is; only our own names use '\\'.
    const bool literal = part.find('\\') != std::string::npos && !missing &&
                         part[0] != '\\' && exists(out + matchInDir(out.empty() ? "." : out, part));
    if (literal || part.find('\\') == std::string::npos) {
      append(part);
    } else {
      for (const std::string& piece : splitComponents(part, '\\')) append(piece);
    }
  }
  if (!out.empty() && out.back() == '/' && out != "/") out.pop_back();
  return out;
}

void setPackFolder(const std::string& dir) { packFolder() = dir; }

std::string findFile(const std::string& path) {
  std::string here = resolvePath(path);
  if (packFolder().empty() || exists(here)) return here;
  const std::string rel = relativeToWorkDir(path);
  if (rel.empty()) return here;
  std::string packed = resolvePath(packFolder() + "/" + rel);
  return exists(packed) ? packed : here;
}

FileOrigin describeFile(const std::string& path) {
  const std::string here = resolvePath(path);
  auto absolute = [](const std::string& p) {
    if (!p.empty() && p[0] == '/') return p;
    char buf[4096];
    return ::getcwd(buf, sizeof buf) ? std::string(buf) + "/" + p : p;
  };
  const std::string rel = relativeToWorkDir(path);
  if (packFolder().empty() || rel.empty()) return {absolute(here), false};
  if (exists(here)) return {absolute(here), true};
  return {absolute(resolvePath(packFolder() + "/" + rel)), false};
}

FILE* openFile(const std::string& path, const char* mode) {
  const bool writes = std::strpbrk(mode, "wa+") != nullptr;
  return std::fopen((writes ? resolvePath(path) : findFile(path)).c_str(), mode);
}

bool fileExists(const std::string& path) { return exists(findFile(path)); }

bool makeParentDirs(const std::string& path) {
  std::string resolved = resolvePath(path);
  size_t slash = resolved.find_last_of('/');
  if (slash == std::string::npos || slash == 0) return true;
  std::string dir = resolved.substr(0, slash);
  std::string cur;
  for (const std::string& part : splitComponents(dir, '/')) {
    cur += (cur.empty() && dir[0] != '/') ? part : "/" + part;
    if (!exists(cur)) ::mkdir(cur.c_str(), 0755);
  }
  return exists(dir);
}

}  // namespace zb

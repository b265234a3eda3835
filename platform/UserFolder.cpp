#include "platform/UserFolder.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>

#include "platform/Files.h"

namespace zb {
namespace {

// The first file a run loads; a folder without it is no pack.
constexpr const char* kPackMarker = "/clp/bt0.clp";

bool holdsPack(const std::string& dir) {
  struct stat st;
  return !dir.empty() && ::stat((dir + kPackMarker).c_str(), &st) == 0;
}

std::string envValue(const char* name) {
  const char* v = std::getenv(name);
  return v ? std::string(v) : std::string();
}

// mkdir -p; new folders are private to the user. Empty on success, else
// the reason.
std::string makeFolders(const std::string& dir) {
  std::string cur;
  size_t pos = 0;
  while (pos != std::string::npos) {
    size_t next = dir.find('/', pos + 1);
    cur = dir.substr(0, next);
    pos = next;
    if (cur.empty() || cur == "/") continue;
    struct stat st;
    if (::stat(cur.c_str(), &st) == 0) {
      if (!S_ISDIR(st.st_mode)) return cur + " is not a folder";
      continue;
    }
    if (::mkdir(cur.c_str(), 0700) != 0 && errno != EEXIST) return std::strerror(errno);
  }
  return {};
}

}  // namespace

std::string findInstalledPack() {
  std::error_code ec;
  std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
  if (!ec) {
    std::string beside = (exe.parent_path() / ZB_PACK_FROM_BIN).lexically_normal().string();
    if (holdsPack(beside)) return beside;
  }
  return holdsPack(ZB_INSTALLED_PACK) ? std::string(ZB_INSTALLED_PACK) : std::string();
}

std::string userFolderPath() {
  std::string base = envValue("XDG_DATA_HOME");
  if (base.empty() || base[0] != '/') {
    const std::string home = envValue("HOME");
    if (home.empty()) return {};
    base = home + "/.local/share";
  }
  return base + "/zenbox";
}

bool enterUserFolder(std::string& error) {
  const std::string pack = findInstalledPack();
  if (pack.empty()) {
    error = "cannot find the game data (looked beside the program and in " + std::string(ZB_INSTALLED_PACK) +
            "); reinstall, or name the data folder with --data DIR";
    return false;
  }
  const std::string user = userFolderPath();
  if (user.empty()) {
    error = "cannot place the settings and saved games: neither XDG_DATA_HOME nor HOME is set";
    return false;
  }
  std::string why = makeFolders(user);
  if (why.empty() && ::chdir(user.c_str()) != 0) why = std::strerror(errno);
  if (!why.empty()) {
    error = "cannot create the folder for settings and saved games " + user + ": " + why;
    return false;
  }
  setPackFolder(pack);
  return true;
}

}  // namespace zb

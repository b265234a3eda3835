#include "platform/DisplayCheck.h"

#include <strings.h>

namespace zb {
namespace {

bool isInvisible(const char* driver) {
  return ::strcasecmp(driver, "dummy") == 0 || ::strcasecmp(driver, "offscreen") == 0;
}

bool listNames(const std::string& list, const char* driver) {
  size_t from = 0;
  for (;;) {
    size_t comma = list.find(',', from);
    std::string item = list.substr(from, comma == std::string::npos ? std::string::npos : comma - from);
    if (::strcasecmp(item.c_str(), driver) == 0) return true;
    if (comma == std::string::npos) return false;
    from = comma + 1;
  }
}

}  // namespace

bool refusesInvisibleDriver(const char* driver, const char* requested) {
  if (!driver || !isInvisible(driver)) return false;
  return !requested || !listNames(requested, driver);
}

std::string noDisplayMessage(const std::string& reason) {
  return "zenbox: no display found (" + reason +
         "); set DISPLAY or WAYLAND_DISPLAY to a display, or use --headless to run without one";
}

}  // namespace zb

#include "storage/NumberText.h"

#include <cctype>

namespace zb {

int32_t readAtol(std::string_view text) {
  size_t i = 0;
  while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i]))) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  const int64_t limit = int64_t(INT32_MAX) + 1;
  int64_t v = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    v = v * 10 + (text[i] - '0');
    if (v > limit) v = limit;
  }
  if (negative) return int32_t(-v);
  return v > INT32_MAX ? INT32_MAX : int32_t(v);
}

}  // namespace zb

#include "tessel/AReplayBuffer.h"

#include <cerrno>
#include <climits>
#include <cstdlib>

namespace SpaceTessel {

void AReplayBuffer::clear() {
  values_.clear();
  overflowed_ = false;
}

void AReplayBuffer::append(int value) {
  if (overflowed_) return;
  values_.push_back(value);
  checkBound();
}

void AReplayBuffer::checkBound() {
  if (values_.size() <= kMaxValues) return;
  values_.clear();
  values_.shrink_to_fit();
  overflowed_ = true;
}

void AReplayBuffer::truncate(size_t count) {
  if (count < values_.size()) values_.resize(count);
}

std::string AReplayBuffer::text() const {
  std::string out;
  out.reserve(values_.size() * 4);
  for (int v : values_) {
    out += std::to_string(v);
    out += ' ';
  }
  return out;
}

bool AReplayBuffer::parse(const std::string& text) {
  clear();
  if (!acceptableText(text)) return false;
  const char* p = text.c_str();
  const char* end = p + text.size();
  while (p < end) {
    if (*p == ' ') {
      ++p;
      continue;
    }
    char* stop = nullptr;
    errno = 0;
    long v = std::strtol(p, &stop, 10);
    bool whole = stop != p && (stop == end || *stop == ' ');
    if (!whole || errno == ERANGE || v < INT_MIN || v > INT_MAX || values_.size() >= kMaxValues) {
      clear();
      return false;
    }
    values_.push_back(int(v));
    p = stop;
  }
  return true;
}

}  // namespace SpaceTessel

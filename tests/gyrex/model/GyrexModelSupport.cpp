#include "tests/gyrex/model/GyrexModelSupport.h"

#include "tools/data/gen/Rules.h"

namespace gyrextest {

using namespace SpaceGyrex;

void put(RField& field, int column, int row, const char* segments) {
  for (int s = 0; s < kSegments; ++s) field.SetColour(column, row, s, segments[s] - '0');
}

std::string at(const RField& field, int column, int row) {
  std::string out;
  for (int s = 0; s < kSegments; ++s) out += static_cast<char>('0' + field.Colour(column, row, s));
  return out;
}

OConfig& shippedRules() {
  static OConfig* tree = [] {
    auto* t = new OConfig;
    t->parse(zbgen::gyrexRulesText());
    return t;
  }();
  return *tree;
}

}  // namespace gyrextest

#pragma once
#include <string>

#include "gyrex/RField.h"
#include "storage/OConfig.h"

namespace gyrextest {

// Sets an element from four digits: top, right, bottom, left ("1020").
void put(SpaceGyrex::RField& field, int column, int row, const char* segments);
// The element as four digits, marks dropped.
std::string at(const SpaceGyrex::RField& field, int column, int row);
// The shipped rules tree, as the data pack writes it.
OConfig& shippedRules();

}  // namespace gyrextest

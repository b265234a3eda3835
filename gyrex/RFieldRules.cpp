#include "gyrex/RFieldRules.h"

#include <algorithm>

#include "gyrex/RField.h"
#include "platform/Files.h"
#include "storage/OConfig.h"
#include "platform/Language.h"

namespace SpaceGyrex {

int RRules::AddInterval(int rightColumn) const {
  return addTimeMin + std::clamp(rightColumn, 0, kColumns - 1) * (addTimeMax - addTimeMin) / (kColumns - 1);
}

void RRules::Bound() {
  colorCount = std::clamp(colorCount, 2, kMaxColour);
  colorDestroy = std::clamp(colorDestroy, 3, 16);
  // A fresh layout must not already hold a group that would vanish.
  maxNear = std::clamp(maxNear, 1, colorDestroy - 1);
  elemsToAdd = std::clamp(elemsToAdd, 1, kRowTextLength);
  startLineCount = std::clamp(startLineCount, 1, kRows);
  addTimeMin = std::clamp(addTimeMin, 30, 60000);
  addTimeMax = std::clamp(addTimeMax, addTimeMin, 60000);
}

const char* RRules::LevelName(int level) {
  static const char* const kNames[3] = {"Novice", "Expert", "Master"};
  return kNames[level >= 0 && level < 3 ? level : 0];
}

RRules RRules::Read(OConfig& tree, int kind, int level) {
  if (kind < 0 || kind > 2) kind = 0;
  const std::string base = OConfig::key("Game%d.%s.", kind, LevelName(level));
  RRules r;
  r.colorCount = tree.getInt(base + "ColorCount", r.colorCount);
  r.maxNear = tree.getInt(base + "MaxNear", r.maxNear);
  r.colorDestroy = tree.getInt(base + "ColorDestroy", r.colorDestroy);
  r.elemsToAdd = tree.getInt(base + "ElemsToAdd", r.elemsToAdd);
  r.startLineCount = tree.getInt(base + "StartLineCount", r.startLineCount);
  r.addTimeMin = tree.getInt(base + "AddTimeMin", r.addTimeMin);
  r.addTimeMax = tree.getInt(base + "AddTimeMax", r.addTimeMax);
  r.Bound();
  return r;
}

std::string dataFileMessage(const char* message, const char* file) {
  const zb::FileOrigin at = zb::describeFile(file);
  std::string text = std::string(message) + "\n(" + at.path + ")";
  if (at.ownCopy) {
    text += "\n" + zb::tr("This is your own copy in your folder, which a reinstall does not replace:"
                          " remove it to use the installed one.");
  }
  return text;
}

}  // namespace SpaceGyrex

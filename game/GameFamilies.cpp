#include "game/GameFamilies.h"

#include <array>

#include "game/AGameWnd.h"

namespace zb {
namespace {

struct FamilyEntry {
  GameFactory create = nullptr;
  unsigned kinds = 0;
};

constexpr int kFamilies = 3;

std::array<FamilyEntry, kFamilies>& table() {
  static std::array<FamilyEntry, kFamilies> entries;
  return entries;
}

}  // namespace

void registerGameFamily(int family, GameFactory create, unsigned playableKinds) {
  if (family < 0 || family >= kFamilies) return;
  table()[size_t(family)] = {create, create ? playableKinds : 0};
}

void clearGameFamilies() { table().fill({}); }

bool familyPlays(int family, int kind) {
  if (family < 0 || family >= kFamilies || kind < 0 || kind >= 32) return false;
  const FamilyEntry& e = table()[size_t(family)];
  return e.create && (e.kinds >> kind) & 1u;
}

std::unique_ptr<AGameWnd> createFamilyGame(int family, int kind, AGameHost& host) {
  if (!familyPlays(family, kind)) return nullptr;
  return table()[size_t(family)].create(host);
}

}  // namespace zb

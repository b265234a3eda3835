#pragma once
#include <memory>

class AGameHost;
class AGameWnd;

// The table of game families the controller builds games from. Each family
// registers one entry, so the application needs no family's headers and a
// new family is one entry.
namespace zb {

using GameFactory = std::unique_ptr<AGameWnd> (*)(AGameHost& host);

// playableKinds: bit k set when variant k can be played. Registering a
// family again replaces its entry; families outside 0..2 are ignored.
void registerGameFamily(int family, GameFactory create, unsigned playableKinds);

// Forgets every family (tests).
void clearGameFamilies();

// Whether the family registered variant kind as playable.
bool familyPlays(int family, int kind);

// A new game object of the family, or nullptr when the family or the
// variant is not registered.
std::unique_ptr<AGameWnd> createFamilyGame(int family, int kind, AGameHost& host);

// Registers every family of this build (defined with the families).
void registerFamilies();

}  // namespace zb

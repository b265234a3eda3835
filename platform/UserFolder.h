#pragma once
#include <string>

// Where an installed game keeps its files: the data pack is read-only and
// shared; the settings and saved games live in a per-user folder that the
// game runs in, and a file placed there hides the pack's copy.
namespace zb {

// The installed data pack: "../share/zenbox" beside the executable's
// folder, else the one under the install prefix. Empty when neither holds
// a pack.
std::string findInstalledPack();

// The per-user folder: $XDG_DATA_HOME/zenbox, or ~/.local/share/zenbox
// when that variable is unset, empty or relative.
std::string userFolderPath();

// Finds the pack, creates the per-user folder when missing, makes it the
// working directory and the pack its fallback for reads (setPackFolder).
// False with a message for the player in `error` when any step fails.
bool enterUserFolder(std::string& error);

}  // namespace zb

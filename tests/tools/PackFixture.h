#pragma once
#include <string>
#include <vector>

#include "tests/support/TestSupport.h"

namespace zbtest {

// A pack folder whose current tune renderings generation may take over.
std::string reusablePack();

// The data pack generated once per test process into a temporary folder.
const std::string& generatedPack();

// Every file the game loads from the pack, as the game names them (letter
// case and folders as the game spells them; the files resolve case-blind).
std::vector<std::string> expectedPackFiles();

// A path inside the pack resolved the way the game opens files.
std::string packPath(const std::string& name);

}  // namespace zbtest

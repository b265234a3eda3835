#pragma once
#include <string>
#include <vector>

// The help pages "help/help%d.dat", numbered from 0 without gaps. Each is a
// container (key text kHelpKey) holding plain text in a light markup:
//   line 1          the page title
//   "== " + text    a heading
//   "* " + text     a bullet
//   empty line      paragraph break
//   anything else   running text (consecutive lines join into one paragraph)
namespace zbgen {

constexpr const char* kHelpKey = "ZenHelp!";

std::vector<std::string> helpPages();

}  // namespace zbgen

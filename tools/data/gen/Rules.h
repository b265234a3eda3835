#pragma once
#include <string>

// The plain texts of the two rules files (configuration-tree format). The
// data pack stores them enciphered under their key texts.
namespace zbgen {

constexpr const char* kSinkraRulesKey = "58207413";
constexpr const char* kGyrexRulesKey = "KLOVKLOV";
constexpr int kClassicLevels = 30;

std::string sinkraRulesText();
std::string gyrexRulesText();

}  // namespace zbgen

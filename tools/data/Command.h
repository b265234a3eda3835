#pragma once
#include <string>
#include <vector>

// zenbox-data sub-commands register themselves here; each lives in its own
// file next to main.cpp.
namespace zbdata {

using CommandFn = int (*)(const std::vector<std::string>& args);

struct CommandInfo {
  const char* name;
  const char* usage;  // argument list shown in the usage text
  const char* help;   // one line
  CommandFn run;
};

// Registers a command at static-initialisation time.
struct CommandRegistrar {
  explicit CommandRegistrar(const CommandInfo& info);
};

const std::vector<CommandInfo>& commands();

// Prints the usage line of one command to stderr and returns 2.
int usageError(const char* name);

}  // namespace zbdata

#include <cstdio>
#include <cstring>

#include "tools/data/Command.h"

namespace zbdata {
namespace {
std::vector<CommandInfo>& registry() {
  static std::vector<CommandInfo> list;
  return list;
}
}  // namespace

CommandRegistrar::CommandRegistrar(const CommandInfo& info) { registry().push_back(info); }

const std::vector<CommandInfo>& commands() { return registry(); }

int usageError(const char* name) {
  for (const CommandInfo& c : registry())
    if (std::strcmp(c.name, name) == 0) std::fprintf(stderr, "usage: zenbox-data %s %s\n", c.name, c.usage);
  return 2;
}

}  // namespace zbdata

static void printUsage() {
  std::fprintf(stderr, "usage: zenbox-data COMMAND ARGS...\n\ncommands:\n");
  for (const zbdata::CommandInfo& c : zbdata::commands())
    std::fprintf(stderr, "  %s %s\n      %s\n", c.name, c.usage, c.help);
}

int main(int argc, char** argv) {
  if (argc < 2 || !std::strcmp(argv[1], "-h") || !std::strcmp(argv[1], "--help")) {
    printUsage();
    return argc < 2 ? 2 : 0;
  }
  std::vector<std::string> args(argv + 2, argv + argc);
  for (const zbdata::CommandInfo& c : zbdata::commands())
    if (std::strcmp(c.name, argv[1]) == 0) return c.run(args);
  std::fprintf(stderr, "zenbox-data: unknown command '%s'\n\n", argv[1]);
  printUsage();
  return 2;
}

// zenbox-data commands over the encrypted container and the configuration tree.
#include <cstdio>
#include <string>
#include <vector>

#include "storage/Container.h"
#include "storage/OConfig.h"
#include "tools/data/Command.h"

namespace {

bool readFile(const std::string& path, std::string& out) {
  FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) return false;
  char buf[65536];
  size_t got;
  while ((got = std::fread(buf, 1, sizeof buf, f)) > 0) out.append(buf, got);
  bool ok = !std::ferror(f);
  std::fclose(f);
  return ok;
}

bool writeStdout(const std::string& bytes) {
  return std::fwrite(bytes.data(), 1, bytes.size(), stdout) == bytes.size() && std::fflush(stdout) == 0;
}

int runDecrypt(const std::vector<std::string>& args) {
  if (args.size() != 2) return zbdata::usageError("decrypt");
  std::string text;
  if (!LoadEncryptedText(args[0], text, args[1].c_str())) {
    std::fprintf(stderr, "zenbox-data: %s: cannot load (missing, damaged or another key)\n", args[0].c_str());
    return 1;
  }
  return writeStdout(text) ? 0 : 1;
}

int runEncrypt(const std::vector<std::string>& args) {
  if (args.size() != 3) return zbdata::usageError("encrypt");
  std::string text;
  if (!readFile(args[0], text)) {
    std::fprintf(stderr, "zenbox-data: %s: cannot read\n", args[0].c_str());
    return 1;
  }
  if (!SaveEncryptedText(args[1], text, args[2].c_str())) {
    std::fprintf(stderr, "zenbox-data: %s: cannot write\n", args[1].c_str());
    return 1;
  }
  return 0;
}

int runShow(const std::vector<std::string>& args) {
  if (args.size() != 2) return zbdata::usageError("show");
  std::string text;
  if (!LoadEncryptedText(args[0], text, args[1].c_str())) {
    std::fprintf(stderr, "zenbox-data: %s: cannot load (missing, damaged or another key)\n", args[0].c_str());
    return 1;
  }
  OConfig config;
  bool parsed = config.parse(text);
  if (!writeStdout(config.write())) return 1;
  if (!parsed) {
    // What was read before the error is shown all the same.
    std::fprintf(stderr, "zenbox-data: %s: syntax error, the tree above is incomplete\n", args[0].c_str());
    return 1;
  }
  return 0;
}

const zbdata::CommandRegistrar decryptCommand({"decrypt", "FILE KEYTEXT",
                                                "write the plain bytes of an encrypted file to standard output",
                                                runDecrypt});
const zbdata::CommandRegistrar encryptCommand({"encrypt", "IN OUT KEYTEXT",
                                                "store the bytes of IN as the encrypted file OUT", runEncrypt});
const zbdata::CommandRegistrar showCommand({"show", "FILE KEYTEXT",
                                             "print an encrypted configuration file (rules, settings, saved game)",
                                             runShow});

}  // namespace

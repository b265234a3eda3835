#pragma once
#include <cstdio>
#include <string>

// Data files are named with mixed letter case and either path separator
// ("clp/Tessel/gbh0_0.clp", "\\music\\slow1.mid"). All file access of the
// game goes through these helpers, which resolve each path component
// case-insensitively against what exists on disk.
namespace zb {

// The path on disk for a game path: separators normalised to '/', each
// existing component matched case-insensitively (exact match preferred).
// An existing folder whose name holds a backslash is kept whole.
// Components that do not exist are kept as given, so the result can be
// used to create new files.
std::string resolvePath(const std::string& path);

// fopen on the resolved path.
FILE* openFile(const std::string& path, const char* mode);

bool fileExists(const std::string& path);

// Creates the directory (and its parents) of a file path; true when it exists afterwards.
bool makeParentDirs(const std::string& path);

}  // namespace zb

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

// A read-only folder that fills in for files missing from the working
// directory (the installed data pack under a per-user folder); empty for
// none. Writes never go there.
void setPackFolder(const std::string& dir);

// The path on disk to read a game path from: the resolved path when it
// exists, else the same file in the pack folder when that has it (an
// absolute path inside the working directory counts as relative to it),
// else the resolved path. Every read of a game file goes through here.
std::string findFile(const std::string& path);

// Where a read of a game path goes, for messages about a file that would
// not load: the absolute path read from, or where the pack would hold the
// file when neither folder has it; ownCopy when it is the working folder's
// own copy hiding the pack's (a reinstall would not replace it).
struct FileOrigin {
  std::string path;
  bool ownCopy = false;
};
FileOrigin describeFile(const std::string& path);

// fopen on findFile (read-only modes) or on the resolved path (modes that write).
FILE* openFile(const std::string& path, const char* mode);

// Whether findFile names an existing file or folder.
bool fileExists(const std::string& path);

// Creates the directory (and its parents) of a file path; true when it exists afterwards.
bool makeParentDirs(const std::string& path);

}  // namespace zb

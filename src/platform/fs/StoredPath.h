#pragma once

#include <string>
#include <string_view>

namespace pfs {

// Design, settings and showcase files keep Windows paths. The local root is
// drive Z:, so "/home/a/b.jpg" is stored as "Z:\home\a\b.jpg".
std::string ToStoredPath(std::string_view localPath);

// The path with every backslash turned into '/', for Windows-style relative
// paths in data and code. UTF-8 never has a backslash byte inside a character.
std::string WithSlashes(std::string_view path);

enum class StoredPathKind {
    Local,     // a Z: path; path is the local absolute path
    Relative,  // no drive; path is relative, with '/' separators
    Foreign,   // another drive or a rooted path; only fileName can be used
};

struct MappedPath {
    StoredPathKind kind = StoredPathKind::Relative;
    std::string path;      // empty for a foreign path
    std::string fileName;  // the text after the last separator
};

// A stored path as a local one. A foreign path is to be looked up by its file
// name under the library folders (FindFileByName).
MappedPath FromStoredPath(std::string_view stored);

}  // namespace pfs

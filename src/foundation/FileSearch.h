#pragma once

#include <string>
#include <string_view>
#include <vector>

// The file search that folder listings are built on, with the order Windows
// gives: "." and ".." first when the pattern matches them, the other names
// sorted ignoring ASCII case. Linux readdir order is arbitrary, and listings
// rely on the dot entries coming first.

struct FoundEntry {
    std::string name;
    bool isFolder = false;  // a symlink is never a folder here, so walks stay inside
    bool isLink = false;    // a symlink, whatever it points at
};

// True when name matches a pattern of '*' (any run) and '?' (one character),
// ignoring ASCII case. A pattern ending in ".*" also matches names without a
// dot, so "*.*" matches every name.
bool MatchesWildcard(std::string_view pattern, std::string_view name);

// The entries of the folder part of pattern (up to its last '/') whose names
// match its last component. A name without wildcards finds the exact entry,
// else its first match ignoring ASCII case; so does a folder part that does not
// exist exactly. Empty when nothing matches or the folder cannot be read.
std::vector<FoundEntry> FindFiles(std::string_view pattern);

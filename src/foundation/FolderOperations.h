#pragma once

#include <string>
#include <string_view>
#include <vector>

// Folder operations on local UTF-8 paths ('/' separators). Folders that are
// created or kept get the owner's write permission back, as Windows clears a
// read-only attribute.

// True when path is a folder afterwards: the text before its last '/' is
// made sure of first, then the folder itself is created.
bool EnsureDirectoryExists(const std::string& path);

// Creates every missing level of path from the root down; levels that exist
// get write permission. False for an empty path or a level that cannot be
// created.
bool CreateFolderPath(const std::string& path);

// Lists what the pattern (a folder part and a name pattern) matches, in the
// search order (FindFiles), each name relative to the pattern's folder. A
// sub-folder adds "~D~" + its relative path, followed by its own entries
// matching the pattern's name without its extension ("*.*" lists sub-folders
// with "*"). Symlinks are listed as files and never entered. names is emptied
// first; false when the pattern matches nothing.
bool ListFolderTree(std::string_view pattern, std::vector<std::string>& names);

// Deletes, in listing order, every entry that folder + pattern lists. Stops
// with false at the first entry that cannot be deleted, which includes the
// first "~D~" entry of a sub-folder. False when either argument is empty.
bool DeleteMatchingFiles(const std::string& folder, const std::string& pattern);

// Deletes the folder and everything in it, making read-only folders writable
// on the way. Symlinks inside are removed as links; their targets are never
// touched. An empty path, the root, and paths ending in "." or ".." are
// refused, as is a path that is a symlink or a file. True when no folder is
// left at path; what could not be deleted stays.
bool DeleteFolderTree(const std::string& path);

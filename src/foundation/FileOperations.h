#pragma once

#include <string>
#include <string_view>

// File operations on local UTF-8 paths. Names taken from stored data are
// mapped to local paths (pfs::FromStoredPath) before they come here. A
// Windows read-only attribute is the owner's write permission here.

// Gives the owner write permission when it is missing; symlinks are left alone.
void ClearReadOnly(const std::string& path);

// folder and fileName joined by one '/' (none is added after an empty folder
// or one that already ends with '/').
std::string MakeFilePathStatic(std::string_view folder, std::string_view fileName);

// True when the path exists as a file or a folder, or when a wildcard pattern
// matches at least one entry. One trailing '/' is ignored; an empty path is
// false.
bool FolderExists(std::string_view path);

// True when a search for the path (wildcards allowed) finds anything.
bool WideFileExists(std::string_view path);

// Copies source onto target, which is replaced atomically and comes out
// writable. With failIfExists set an existing target is kept and the result is
// false. False for an empty path or any failure.
bool CopyFileClearReadOnly(const std::string& source, const std::string& target, bool failIfExists);

// Deletes a file (or symlink; never a folder). False for an empty path or a
// failure.
bool DeleteFileClearReadOnly(const std::string& path);

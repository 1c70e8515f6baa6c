#pragma once

#include <filesystem>
#include <optional>
#include <string_view>
#include <vector>

namespace pfs {

// Names are matched with ASCII letters folded only; other bytes, UTF-8
// included, must be equal.

// The existing path that path names when its components are matched ignoring
// ASCII case ("2dicon/L1.dxf" finds "2DIcon/L1.dxf"). A component that exists
// exactly is taken as it is; among several case variants the first in sorted
// order is taken.
std::optional<std::filesystem::path> ResolvePathCaseInsensitive(const std::filesystem::path& path);

// The first file named fileName (ignoring ASCII case) in the folders, searched
// in the order given. Each folder's entries are visited in sorted order; with
// recursive set, sub-folders are searched where they come in that order,
// except those whose name begins with '.' and symlinked ones.
std::optional<std::filesystem::path> FindFileByName(
    std::string_view fileName, const std::vector<std::filesystem::path>& folders, bool recursive);

// The folder's entries ("." and ".." aside) in the order a case-insensitive
// file system lists them: folded names first, exact bytes breaking ties. An
// unreadable folder lists what was read before the error, or nothing.
std::vector<std::filesystem::directory_entry> ListFolderSorted(const std::filesystem::path& folder);

}  // namespace pfs

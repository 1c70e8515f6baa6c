#pragma once

#include <string>
#include <string_view>

// Finding a design's files again under the library folders when the stored
// path no longer leads to them.

// folder/name when it exists, else the first file of that name in the
// folder's sub-folders, depth first in name order, skipping folders whose
// name begins with '.'; empty when none.
std::string FindFileInTree(std::string_view folder, std::string_view name);

// True when path names an existing file (path unchanged) or a file of its
// name was found under folder (path replaced); false keeps path.
bool LocateFileInTree(std::string& path, std::string_view folder);

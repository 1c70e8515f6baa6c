#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "platform/fs/Result.h"

inline constexpr const char* kMissingFilesDefaultName = "missfile.txt";

// Writes the names, one a line in list order, to the file at path as CP950
// text with CR LF line ends, replacing it whole. A name with no CP950 form
// fails the write and leaves any old file as it was.
pfs::Result<void> WriteMissingFilesList(const std::filesystem::path& path,
                                        const std::vector<std::string>& names);

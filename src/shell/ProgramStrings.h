#pragma once

#include <filesystem>

#include "platform/fs/Result.h"

// The optional resource folder inside the program folder; its texts take
// precedence over the program's own.
inline constexpr const char* kResourceOverrideFolder = "QVP_RES";
inline constexpr const char* kStringTableFile = "strings.txt";

// Makes the string table of the resource folder and the one of the program
// folder's resource override folder the program's texts. A missing override
// folder or table is no failure. A table that cannot be read is left out and
// its failure returned; the other table is still used.
pfs::Result<void> LoadProgramStrings(const std::filesystem::path& resourceFolder,
                                     const std::filesystem::path& programFolder);

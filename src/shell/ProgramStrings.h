#pragma once

#include <filesystem>

#include "platform/fs/Result.h"

// Makes the string table ("strings.txt") of the resource folder and the one
// of the program folder's optional override folder "QVP_RES" the program's
// texts; the override folder's take precedence. A missing override
// folder or table is no failure. A table that cannot be read is left out and
// its failure returned; the other table is still used.
pfs::Result<void> LoadProgramStrings(const std::filesystem::path& resourceFolder,
                                     const std::filesystem::path& programFolder);

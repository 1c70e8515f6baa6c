#pragma once

#include <filesystem>

#include "platform/fs/Result.h"

namespace pfs {

// The program's resource folder: <executable folder>/../share/velmora when
// installed, else the source tree's res/ folder.
std::filesystem::path FindResourceFolder();
std::filesystem::path FindResourceFolder(const std::filesystem::path& executable);

// The content a new program folder starts with, inside the resource folder.
std::filesystem::path DefaultHomeContent(const std::filesystem::path& resourceFolder);

// Creates the program folder when missing and copies in every file and folder
// of defaultContent that it does not have yet; the user's files are never
// overwritten. A missing defaultContent folder copies nothing.
Result<void> FillProgramFolder(const std::filesystem::path& programFolder,
                               const std::filesystem::path& defaultContent);

}  // namespace pfs

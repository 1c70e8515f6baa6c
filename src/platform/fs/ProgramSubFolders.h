#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "platform/fs/Result.h"

namespace pfs {

// The folders of the program folder the program reads and writes: the
// user's designs and the showcase.
const std::vector<std::string>& ProgramSubFolderNames();

// Makes the sub-folders that are missing; the names of the ones made, in
// the order of ProgramSubFolderNames.
Result<std::vector<std::string>> MakeProgramSubFolders(const std::filesystem::path& programFolder);

}  // namespace pfs

#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "platform/fs/Result.h"

namespace pfs {

// The folders of the program folder the program reads and writes: the
// user's designs, the showcase and the library folders (models, textures,
// pictures, backgrounds, music, plan symbols, plan maps and sounds).
const std::vector<std::string>& ProgramSubFolderNames();

// Makes the sub-folders that are missing, a folder of the same name in
// another case counting as there; the names of the ones made, in the order
// of ProgramSubFolderNames.
Result<std::vector<std::string>> MakeProgramSubFolders(const std::filesystem::path& programFolder);

}  // namespace pfs

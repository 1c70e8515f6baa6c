#include "foundation/ApplicationValues.h"

#include <optional>

#include "platform/fs/PathLookup.h"
#include "platform/fs/StoredPath.h"
#include "platform/fs/UserFolders.h"

namespace {

constexpr float kHalfTurnPi = 3.1415927f;

std::string& ProgramFolder() {
    static std::string folder;
    return folder;
}

}  // namespace

float GetPi() {
    return kHalfTurnPi;
}

void SetProgramFolder(const std::filesystem::path& folder) {
    ProgramFolder() = pfs::WithTrailingSlash(folder);
}

const std::string& GetProgramFolder() {
    return ProgramFolder();
}

std::string GetProgramFilePath(std::string_view relative) {
    std::string path = ProgramFolder() + pfs::WithSlashes(relative);
    std::optional<std::filesystem::path> resolved = pfs::ResolvePathCaseInsensitive(path);
    return resolved ? resolved->string() : path;
}

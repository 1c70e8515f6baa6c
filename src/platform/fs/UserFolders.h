#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "platform/fs/Result.h"
#include "platform/fs/UserEnvironment.h"

namespace pfs {

// The absolute program folder: the --home folder when given, else
// $VELMORA_HOME, else $XDG_DATA_HOME/velmora. Nothing is created.
Result<std::filesystem::path> ResolveProgramFolder(const std::optional<std::string>& homeOption,
                                                   const UserEnvironment& env);

// The folder as text ending with '/', so that names can be appended directly.
std::string WithTrailingSlash(const std::filesystem::path& folder);

// $XDG_CACHE_HOME/velmora and $XDG_CONFIG_HOME/velmora, created when missing.
Result<std::filesystem::path> CacheFolder(const UserEnvironment& env);
Result<std::filesystem::path> ConfigFolder(const UserEnvironment& env);

}  // namespace pfs

#pragma once

#include <filesystem>

#include "platform/fs/Result.h"
#include "platform/fs/UserEnvironment.h"

namespace pfs {

// The scratch folder for unpacked design packages: $XDG_CACHE_HOME/velmora/dsgtmp,
// private to the user (0700). An existing folder with wider rights is
// tightened; a symlink, a non-folder or another user's folder in its place is
// refused, because unpacked designs must not land where others can read or
// plant files.
Result<std::filesystem::path> PrepareTemporaryFolder(const UserEnvironment& env);

}  // namespace pfs

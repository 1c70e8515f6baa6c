#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

namespace pfs {

// A save writes its temporary file beside the target under a name of our own
// pattern: SaveTempPrefix(target) followed by kSaveTempRandomLength random
// letters and digits, never longer than NAME_MAX. A save that was killed
// leaves such a file; the next save of the same target removes it.
inline constexpr std::size_t kSaveTempRandomLength = 6;

std::string SaveTempPrefix(const std::filesystem::path& target);

// Removes the regular files in folder named prefix plus the random part that
// no running save holds locked. Best effort: what cannot be examined is left alone.
void RemoveStaleSaveTemps(const std::filesystem::path& folder, std::string_view prefix);

}  // namespace pfs

#include "foundation/FileSearch.h"

#include <filesystem>
#include <optional>
#include <system_error>

#include "platform/fs/PathLookup.h"
#include "platform/text/AsciiCase.h"

namespace fs = std::filesystem;

namespace {

bool IsUtf8Continuation(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

// Iterative glob with one backtrack point per '*'; '?' takes a whole UTF-8
// character.
bool MatchGlob(std::string_view pattern, std::string_view name) {
    std::size_t p = 0;
    std::size_t n = 0;
    std::size_t starP = std::string_view::npos;
    std::size_t starN = 0;
    while (n < name.size()) {
        if (p < pattern.size() && pattern[p] == '*') {
            starP = p++;
            starN = n;
        } else if (p < pattern.size() && pattern[p] == '?') {
            ++p;
            ++n;
            while (n < name.size() && IsUtf8Continuation(name[n])) {
                ++n;
            }
        } else if (p < pattern.size() &&
                   text::EqualsIgnoreAsciiCase(pattern.substr(p, 1), name.substr(n, 1))) {
            ++p;
            ++n;
        } else if (starP != std::string_view::npos) {
            p = starP + 1;
            n = ++starN;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*') {
        ++p;
    }
    return p == pattern.size();
}

bool HasWildcard(std::string_view text) {
    return text.find_first_of("*?") != std::string_view::npos;
}

bool IsFolderNoFollow(const fs::path& path) {
    std::error_code ec;
    return fs::is_directory(fs::symlink_status(path, ec));
}

}  // namespace

bool MatchesWildcard(std::string_view pattern, std::string_view name) {
    if (MatchGlob(pattern, name)) {
        return true;
    }
    return pattern.ends_with(".*") && name.find('.') == std::string_view::npos &&
           MatchGlob(pattern.substr(0, pattern.size() - 2), name);
}

std::vector<FoundEntry> FindFiles(std::string_view pattern) {
    const std::size_t slash = pattern.rfind('/');
    const std::string_view folderPart =
        slash == std::string_view::npos ? std::string_view() : pattern.substr(0, slash + 1);
    const std::string_view namePattern =
        slash == std::string_view::npos ? pattern : pattern.substr(slash + 1);
    if (namePattern.empty()) {
        return {};
    }
    const std::optional<fs::path> folder =
        folderPart.empty() ? fs::path(".") : pfs::ResolvePathCaseInsensitive(fs::path(folderPart));
    std::error_code ec;
    if (!folder || !fs::is_directory(*folder, ec)) {
        return {};
    }

    std::vector<FoundEntry> found;
    for (const char* dot : {".", ".."}) {
        if (MatchesWildcard(namePattern, dot)) {
            found.push_back({dot, true});
        }
    }
    if (!HasWildcard(namePattern)) {
        if (!found.empty()) {
            return found;
        }
        const fs::path exact = *folder / fs::path(namePattern);
        if (fs::exists(fs::symlink_status(exact, ec))) {
            return {{std::string(namePattern), IsFolderNoFollow(exact)}};
        }
    }
    for (const fs::directory_entry& entry : pfs::ListFolderSorted(*folder)) {
        std::string name = entry.path().filename().string();
        if (MatchesWildcard(namePattern, name)) {
            found.push_back({std::move(name), IsFolderNoFollow(entry.path())});
            if (!HasWildcard(namePattern)) {
                break;
            }
        }
    }
    return found;
}

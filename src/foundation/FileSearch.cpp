#include "foundation/FileSearch.h"

#include <algorithm>
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

// Folded order first, as a case-insensitive file system lists; exact bytes
// break ties so the order is total.
bool NameLess(const FoundEntry& a, const FoundEntry& b) {
    const std::string foldedA = text::AsciiToLower(a.name);
    const std::string foldedB = text::AsciiToLower(b.name);
    return foldedA != foldedB ? foldedA < foldedB : a.name < b.name;
}

std::vector<FoundEntry> SortedEntries(const fs::path& folder) {
    std::vector<FoundEntry> entries;
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        entries.push_back({it->path().filename().string(), IsFolderNoFollow(it->path())});
    }
    std::sort(entries.begin(), entries.end(), NameLess);
    return entries;
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
    for (FoundEntry& entry : SortedEntries(*folder)) {
        if (MatchesWildcard(namePattern, entry.name)) {
            found.push_back(std::move(entry));
            if (!HasWildcard(namePattern)) {
                break;
            }
        }
    }
    return found;
}

#include "foundation/FileSearch.h"

#include <filesystem>
#include <optional>
#include <system_error>
#include <utility>

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

FoundEntry MakeFoundEntry(std::string name, const fs::file_status& ownStatus) {
    return {std::move(name), fs::is_directory(ownStatus), fs::is_symlink(ownStatus)};
}

// The listing's entries carry their type from the folder read: no status
// call per entry, except where the file system did not give it.
FoundEntry MakeFoundEntry(std::string name, const fs::directory_entry& entry) {
    std::error_code ec;
    if (entry.is_symlink(ec)) {
        return {std::move(name), false, true};
    }
    return {std::move(name), entry.is_directory(ec), false};
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
        const fs::file_status status = fs::symlink_status(exact, ec);
        if (fs::exists(status)) {
            return {MakeFoundEntry(std::string(namePattern), status)};
        }
    }
    for (const fs::directory_entry& entry : pfs::ListFolderSorted(*folder)) {
        std::string name = entry.path().filename().string();
        if (MatchesWildcard(namePattern, name)) {
            found.push_back(MakeFoundEntry(std::move(name), entry));
            if (!HasWildcard(namePattern)) {
                break;
            }
        }
    }
    return found;
}

#include "platform/fs/PathLookup.h"

#include <algorithm>
#include <string>
#include <system_error>
#include <utility>

#include "platform/text/AsciiCase.h"

namespace pfs {

namespace {

// Windows folds names to upper case before comparing, which puts '_' and the
// other characters between 'Z' and 'a' after the letters. Exact bytes break
// ties so that the order is total.
bool NameLess(const std::string& a, const std::string& b) {
    const auto upper = [](unsigned char c) { return c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c; };
    const auto foldedLess = [&](char x, char y) {
        return upper(static_cast<unsigned char>(x)) < upper(static_cast<unsigned char>(y));
    };
    if (std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), foldedLess)) {
        return true;
    }
    if (std::lexicographical_compare(b.begin(), b.end(), a.begin(), a.end(), foldedLess)) {
        return false;
    }
    return a < b;
}

std::optional<std::filesystem::path> SearchFolder(const std::filesystem::path& folder,
                                                  std::string_view fileName, bool recursive) {
    for (const std::filesystem::directory_entry& entry : ListFolderSorted(folder)) {
        std::error_code ec;
        std::string name = entry.path().filename().string();
        if (entry.is_directory(ec)) {
            if (recursive && name.front() != '.' && !entry.is_symlink(ec)) {
                if (auto found = SearchFolder(entry.path(), fileName, recursive)) {
                    return found;
                }
            }
        } else if (text::EqualsIgnoreAsciiCase(name, fileName)) {
            return entry.path();
        }
    }
    return std::nullopt;
}

}  // namespace

std::optional<std::filesystem::path> ResolvePathCaseInsensitive(const std::filesystem::path& path) {
    std::error_code ec;
    if (path.empty()) {
        return std::nullopt;
    }
    if (std::filesystem::exists(path, ec)) {
        return path;
    }
    std::filesystem::path resolved = path.root_path();
    for (const std::filesystem::path& component : path.relative_path()) {
        if (component.empty()) {
            continue;  // a trailing separator
        }
        std::filesystem::path exact = resolved / component;
        if (std::filesystem::exists(exact, ec)) {
            resolved = exact;
            continue;
        }
        std::optional<std::filesystem::path> match;
        for (const auto& entry : ListFolderSorted(resolved.empty() ? "." : resolved)) {
            if (text::EqualsIgnoreAsciiCase(entry.path().filename().string(), component.string())) {
                match = entry.path().filename();
                break;
            }
        }
        if (!match) {
            return std::nullopt;
        }
        resolved /= *match;
    }
    return resolved;
}

std::vector<std::filesystem::directory_entry> ListFolderSorted(
    const std::filesystem::path& folder) {
    // Each name is taken out of its path once, not at every comparison.
    std::vector<std::pair<std::string, std::filesystem::directory_entry>> named;
    std::error_code ec;
    for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end;
         it.increment(ec)) {
        named.emplace_back(it->path().filename().string(), *it);
    }
    std::sort(named.begin(), named.end(),
              [](const auto& a, const auto& b) { return NameLess(a.first, b.first); });
    std::vector<std::filesystem::directory_entry> entries;
    entries.reserve(named.size());
    for (auto& [name, entry] : named) {
        entries.push_back(std::move(entry));
    }
    return entries;
}

std::optional<std::filesystem::path> FindFileByName(
    std::string_view fileName, const std::vector<std::filesystem::path>& folders, bool recursive) {
    if (fileName.empty() || fileName.find('/') != std::string_view::npos) {
        return std::nullopt;
    }
    for (const std::filesystem::path& folder : folders) {
        if (auto found = SearchFolder(folder, fileName, recursive)) {
            return found;
        }
    }
    return std::nullopt;
}

}  // namespace pfs

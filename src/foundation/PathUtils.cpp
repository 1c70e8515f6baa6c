#include "foundation/PathUtils.h"

#include <algorithm>
#include <filesystem>
#include <optional>
#include <system_error>

#include "foundation/FileSearch.h"
#include "platform/fs/PathLookup.h"
#include "platform/fs/StoredPath.h"
#include "platform/text/AsciiCase.h"

namespace {

bool IsSeparator(char c) {
    return c == '/' || c == '\\';
}

bool IsAsciiLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// The four parts of a path: "C:", "\a\", "b", ".dxf".
struct PathParts {
    std::string_view drive;
    std::string_view folder;
    std::string_view name;
    std::string_view extension;
};

PathParts SplitPath(std::string_view path) {
    PathParts parts;
    if (path.size() >= 2 && path[1] == ':') {
        parts.drive = path.substr(0, 2);
        path.remove_prefix(2);
    }
    auto lastSeparator = std::find_if(path.rbegin(), path.rend(), IsSeparator);
    std::size_t folderLength = static_cast<std::size_t>(path.rend() - lastSeparator);
    parts.folder = path.substr(0, folderLength);
    std::string_view file = path.substr(folderLength);
    std::size_t dot = file.rfind('.');
    if (dot == std::string_view::npos) {
        dot = file.size();
    }
    parts.name = file.substr(0, dot);
    parts.extension = file.substr(dot);
    return parts;
}

}  // namespace

std::string GetPathFolder(std::string_view path) {
    PathParts parts = SplitPath(path);
    return std::string(parts.drive) + std::string(parts.folder);
}

std::string GetPathFileName(std::string_view path) {
    PathParts parts = SplitPath(path);
    return std::string(parts.name) + std::string(parts.extension);
}

std::string MakeFilePath(std::string_view folder, std::string_view fileName) {
    std::string path(folder);
    if (!path.empty() && !IsSeparator(path.back())) {
        path += '/';
    }
    path += fileName;
    return path;
}

std::string ChangePathExtension(std::string_view path, std::string_view extension) {
    PathParts parts = SplitPath(path);
    std::string changed =
        std::string(parts.drive) + std::string(parts.folder) + std::string(parts.name);
    if (!extension.empty() && extension.front() != '.') {
        changed += '.';
    }
    changed += extension;
    return changed;
}

bool HasFileExtension(std::string_view name, std::string_view extension) {
    std::size_t dot = name.rfind('.');
    return dot != std::string_view::npos &&
           text::EqualsIgnoreAsciiCase(name.substr(dot + 1), extension);
}

bool FileExists(std::string_view path) {
    return !FindFiles(pfs::WithSlashes(path)).empty();
}

bool PathHasDrive(std::string_view path) {
    return !SplitPath(path).drive.empty() && IsAsciiLetter(path.front());
}

std::uint64_t GetFileLength(std::string_view path) {
    std::optional<std::filesystem::path> resolved =
        pfs::ResolvePathCaseInsensitive(pfs::WithSlashes(path));
    if (!resolved) {
        return 0;
    }
    std::error_code ec;
    std::uintmax_t length = std::filesystem::file_size(*resolved, ec);
    return ec ? 0 : length;
}

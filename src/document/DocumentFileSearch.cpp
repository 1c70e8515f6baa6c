#include "document/DocumentFileSearch.h"

#include <algorithm>
#include <filesystem>
#include <system_error>
#include <vector>

#include "foundation/FileOperations.h"
#include "foundation/PathUtils.h"

namespace {

std::vector<std::filesystem::path> SubFolders(const std::filesystem::path& folder) {
    std::vector<std::filesystem::path> folders;
    std::error_code error;
    for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end;
         it.increment(error)) {
        const std::string name = it->path().filename().string();
        if (!name.empty() && name.front() != '.' && it->is_directory(error)) {
            folders.push_back(it->path());
        }
    }
    // The listing order of a folder is the file system's own; sorting makes
    // the first match the same on every machine.
    std::sort(folders.begin(), folders.end());
    return folders;
}

}  // namespace

std::string FindFileInTree(std::string_view folder, std::string_view name) {
    if (name.empty()) {
        return {};
    }
    const std::string candidate = MakeFilePath(folder, name);
    if (FolderExists(candidate)) {
        return candidate;
    }
    for (const std::filesystem::path& sub :
         SubFolders(std::filesystem::path(std::string(folder)))) {
        std::string found = FindFileInTree(sub.string(), name);
        if (!found.empty()) {
            return found;
        }
    }
    return {};
}

bool LocateFileInTree(std::string& path, std::string_view folder) {
    if (!path.empty() && FolderExists(path)) {
        return true;
    }
    std::string found = FindFileInTree(folder, GetPathFileName(path));
    if (found.empty()) {
        return false;
    }
    path = std::move(found);
    return true;
}

#include "library/LibraryBrowserTree.h"

#include <filesystem>
#include <system_error>

#include "platform/fs/PathLookup.h"
#include "platform/text/AsciiCase.h"

namespace {

constexpr std::string_view kDoorFolder = "16結構-門";
constexpr std::string_view kWindowFolder = "17結構-窗";
constexpr std::string_view kDoorFrameFolder = "03門框";

bool IsSeparator(char c) {
    return c == '/' || c == '\\';
}

std::string JoinFolder(std::string_view folder, std::string_view name) {
    std::string path(folder);
    if (!path.empty() && !IsSeparator(path.back())) {
        path += '/';
    }
    path += name;
    return path;
}

std::string_view WithoutTrailingSeparators(std::string_view path) {
    while (path.size() > 1 && IsSeparator(path.back())) {
        path.remove_suffix(1);
    }
    return path;
}

BrowserFolderTree ListSubFolders(const std::filesystem::path& folder) {
    BrowserFolderTree folders;
    for (const std::filesystem::directory_entry& entry : pfs::ListFolderSorted(folder)) {
        std::error_code ec;
        // A linked folder could lead back up the tree.
        if (entry.is_symlink(ec) || !entry.is_directory(ec)) {
            continue;
        }
        std::string name = entry.path().filename().string();
        if (name.empty() || name.front() == '.') {
            continue;
        }
        BrowserFolder item{name, entry.path().string(), ListSubFolders(entry.path())};
        folders.push_back(std::move(item));
    }
    return folders;
}

// The folder names between the root and the file, or nothing when the file
// is not below the root.
std::optional<std::vector<std::string>> FolderNamesBelow(std::string_view root,
                                                         std::string_view path) {
    root = WithoutTrailingSeparators(root);
    if (!IsFolderOfPath(root, path)) {
        return std::nullopt;
    }
    std::string_view rest = path.substr(root.size());
    std::vector<std::string> names;
    std::string current;
    for (char c : rest) {
        if (IsSeparator(c)) {
            if (!current.empty()) {
                names.push_back(current);
            }
            current.clear();
        } else {
            current += c;
        }
    }
    // What follows the last separator is the file name.
    return names;
}

}  // namespace

std::string GetBrowserRootFolder(BrowserLibrary library, int mode, std::string_view modelFolder,
                                 std::string_view programFolder) {
    switch (library) {
        case BrowserLibrary::Furniture:
            if (mode == kBrowserModeDoorFrame) {
                return JoinFolder(JoinFolder(modelFolder, kDoorFolder), kDoorFrameFolder);
            }
            return std::string(WithoutTrailingSeparators(modelFolder));
        case BrowserLibrary::Texture:
            return JoinFolder(programFolder, "STexture");
        case BrowserLibrary::Photo:
            return JoinFolder(programFolder, "STPicture");
    }
    return {};
}

BrowserFolderTree ListCategoryFolders(const std::string& root, bool doorWindowOnly) {
    BrowserFolderTree folders = ListSubFolders(root);
    if (doorWindowOnly) {
        std::erase_if(folders, [](const BrowserFolder& folder) {
            return folder.name != kDoorFolder && folder.name != kWindowFolder;
        });
    }
    return folders;
}

bool StartsWithIgnoringCase(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() &&
           text::EqualsIgnoreAsciiCase(text.substr(0, prefix.size()), prefix);
}

bool PathsEqualIgnoringCase(std::string_view a, std::string_view b) {
    return text::EqualsIgnoreAsciiCase(a, b);
}

bool IsFolderOfPath(std::string_view folder, std::string_view path) {
    folder = WithoutTrailingSeparators(folder);
    if (folder.empty() || !StartsWithIgnoringCase(path, folder)) {
        return false;
    }
    return IsSeparator(folder.back()) ||
           (path.size() > folder.size() && IsSeparator(path[folder.size()]));
}

std::optional<BrowserFolderIndex> FindObjectFolder(const BrowserFolderTree& tree,
                                                   std::string_view root,
                                                   std::string_view objectPath) {
    const std::optional<std::vector<std::string>> names = FolderNamesBelow(root, objectPath);
    if (!names || names->empty()) {
        return std::nullopt;
    }
    BrowserFolderIndex index;
    const BrowserFolderTree* level = &tree;
    for (const std::string& name : *names) {
        int found = -1;
        for (int i = 0; i < static_cast<int>(level->size()); ++i) {
            if (text::EqualsIgnoreAsciiCase((*level)[i].name, name)) {
                found = i;
                break;
            }
        }
        if (found < 0) {
            return std::nullopt;
        }
        index.push_back(found);
        level = &(*level)[found].children;
    }
    return index;
}

std::optional<BrowserFolderIndex> FindFolderByPrefixWalk(const BrowserFolderTree& tree,
                                                         std::string_view filePath) {
    BrowserFolderIndex index{0};
    const BrowserFolderTree* level = &tree;
    while (index.back() < static_cast<int>(level->size())) {
        const BrowserFolder& item = (*level)[index.back()];
        if (!IsFolderOfPath(item.path, filePath)) {
            ++index.back();
            continue;
        }
        if (item.children.empty()) {
            return index;
        }
        level = &item.children;
        index.push_back(0);
    }
    return std::nullopt;
}

const BrowserFolder* GetFolderAt(const BrowserFolderTree& tree, const BrowserFolderIndex& index) {
    const BrowserFolderTree* level = &tree;
    const BrowserFolder* folder = nullptr;
    for (int i : index) {
        if (i < 0 || i >= static_cast<int>(level->size())) {
            return nullptr;
        }
        folder = &(*level)[i];
        level = &folder->children;
    }
    return folder;
}

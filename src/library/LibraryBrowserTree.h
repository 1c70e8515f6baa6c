#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The category folders a library browser shows as its tree, and the walks
// that find a file's category in it. Paths are local ('/' separators);
// stored paths with backslashes split the same way.

// Which library a browser shows.
enum class BrowserLibrary { Furniture, Texture, Photo };

// The furniture browser's modes.
enum BrowserMode : int {
    kBrowserModeAdd = 0,
    kBrowserModeReplace = 1,
    kBrowserModeDoorWindow = 2,
    kBrowserModeDoorFrame = 3,
};

// One folder of the tree: its name, its full path (no trailing separator)
// and its sub-folders.
struct BrowserFolder {
    std::string name;
    std::string path;
    std::vector<BrowserFolder> children;
};
using BrowserFolderTree = std::vector<BrowserFolder>;
// The item indices from a root item down to a folder of the tree.
using BrowserFolderIndex = std::vector<int>;

// The folder the tree starts from: the model folder (the door frames below
// its doors in mode 3), or the program folder's "STexture" or "STPicture".
std::string GetBrowserRootFolder(BrowserLibrary library, int mode, std::string_view modelFolder,
                                 std::string_view programFolder);

// The root's sub-folders to any depth, each level in the order of a
// case-insensitive listing; names beginning with '.' are left out. The door
// and window mode keeps only the top-level "16結構-門" and "17結構-窗".
BrowserFolderTree ListCategoryFolders(const std::string& root, bool doorWindowOnly);

// True when the folder holds the path at some depth, comparing ASCII letters
// ignoring case; the prefix must end at a separator ("Wood" does not hold
// "Wood2/a.jpg").
bool IsFolderOfPath(std::string_view folder, std::string_view path);
bool StartsWithIgnoringCase(std::string_view text, std::string_view prefix);
bool PathsEqualIgnoringCase(std::string_view a, std::string_view b);

// The tree folder named by the folders between the root and the file:
// each name found among the items of its level, ignoring case. Nothing when
// the file is not below the root, lies in the root itself, or a name is
// missing from its level.
std::optional<BrowserFolderIndex> FindObjectFolder(const BrowserFolderTree& tree,
                                                   std::string_view root,
                                                   std::string_view objectPath);

// The texture browser's walk: from the first root item, a folder that holds
// the file and has no sub-folders is the one; one that holds it and has
// sub-folders leads to its first child; any other leads to its next sibling.
std::optional<BrowserFolderIndex> FindFolderByPrefixWalk(const BrowserFolderTree& tree,
                                                         std::string_view filePath);

const BrowserFolder* GetFolderAt(const BrowserFolderTree& tree, const BrowserFolderIndex& index);

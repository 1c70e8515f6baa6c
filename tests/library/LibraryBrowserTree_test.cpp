#include "library/LibraryBrowserTree.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "support/TempFolder.h"

namespace {

std::vector<std::string> Names(const BrowserFolderTree& tree) {
    std::vector<std::string> names;
    for (const BrowserFolder& folder : tree) {
        names.push_back(folder.name);
    }
    return names;
}

class LibraryBrowserTreeTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* folder :
             {"01客廳/沙發", "01客廳/茶几", "02臥室", "16結構-門/03門框/木框", "16結構-門/01單門",
              "17結構-窗", ".hidden", "b-lower", "A-upper"}) {
            std::filesystem::create_directories(Root() / folder);
        }
        std::filesystem::create_directory_symlink(Root() / "02臥室", Root() / "linked");
    }
    std::filesystem::path Root() const { return m_folder.Path() / "SModel"; }

    TempFolder m_folder;
};

TEST_F(LibraryBrowserTreeTest, FoldersAreListedLikeACaseInsensitiveListing) {
    const BrowserFolderTree tree = ListCategoryFolders(Root().string(), false);
    EXPECT_EQ(Names(tree), (std::vector<std::string>{"01客廳", "02臥室", "16結構-門", "17結構-窗",
                                                     "A-upper", "b-lower"}));
    EXPECT_EQ(Names(tree[0].children), (std::vector<std::string>{"沙發", "茶几"}));
    EXPECT_EQ(tree[0].children[0].path, (Root() / "01客廳/沙發").string());
}

TEST_F(LibraryBrowserTreeTest, DoorWindowModeKeepsTheTwoStructureFoldersWithTheirChildren) {
    const BrowserFolderTree tree = ListCategoryFolders(Root().string(), true);
    EXPECT_EQ(Names(tree), (std::vector<std::string>{"16結構-門", "17結構-窗"}));
    EXPECT_EQ(Names(tree[0].children), (std::vector<std::string>{"01單門", "03門框"}));
}

TEST_F(LibraryBrowserTreeTest, DoorFrameModeStartsBelowTheDoors) {
    const std::string root = GetBrowserRootFolder(BrowserLibrary::Furniture, kBrowserModeDoorFrame,
                                                  Root().string(), "/p");
    EXPECT_EQ(root, (Root() / "16結構-門/03門框").string());
    EXPECT_EQ(Names(ListCategoryFolders(root, false)), (std::vector<std::string>{"木框"}));
    EXPECT_EQ(GetBrowserRootFolder(BrowserLibrary::Furniture, kBrowserModeAdd, "/p/SModel/", "/p/"),
              "/p/SModel");
    EXPECT_EQ(GetBrowserRootFolder(BrowserLibrary::Texture, 1, "", "/p/"), "/p/STexture");
    EXPECT_EQ(GetBrowserRootFolder(BrowserLibrary::Photo, 0, "", "/p"), "/p/STPicture");
}

TEST(LibraryBrowserTree, PrefixesEndAtASeparatorAndIgnoreCase) {
    struct Case {
        const char* folder;
        const char* path;
        bool holds;
    };
    const std::vector<Case> cases = {
        {"/p/STexture/Wood", "/p/STexture/Wood/a.jpg", true},
        {"/p/STexture/Wood", "/p/stexture/WOOD/a.jpg", true},
        {"/p/STexture/Wood", "/p/STexture/Wood2/a.jpg", false},
        {"/p/STexture/Wood/", "/p/STexture/Wood/x/a.jpg", true},
        {"/p/STexture/Wood", "/p/STexture/Wood", false},
        {"", "/a", false},
        {"C:\\lib\\Wood", "c:\\LIB\\wood\\a.jpg", true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(IsFolderOfPath(c.folder, c.path), c.holds) << c.folder << " " << c.path;
    }
}

BrowserFolderTree TextureTree() {
    return {
        {"Brick", "/p/STexture/Brick", {}},
        {"Wood", "/p/STexture/Wood", {{"Dark", "/p/STexture/Wood/Dark", {}}}},
        {"Wood2", "/p/STexture/Wood2", {}},
    };
}

TEST(LibraryBrowserTree, PrefixWalkFindsTheLeafHoldingTheFile) {
    const BrowserFolderTree tree = TextureTree();
    struct Case {
        const char* path;
        std::optional<BrowserFolderIndex> index;
    };
    const std::vector<Case> cases = {
        {"/p/STexture/Brick/red.jpg", BrowserFolderIndex{0}},
        {"/p/stexture/wood2/oak.jpg", BrowserFolderIndex{2}},
        {"/p/STexture/Wood/Dark/x.jpg", BrowserFolderIndex{1, 0}},
        // A folder with sub-folders leads into them, so its own files are
        // not found.
        {"/p/STexture/Wood/oak.jpg", std::nullopt},
        {"/p/STexture/Tile/a.jpg", std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FindFolderByPrefixWalk(tree, c.path), c.index) << c.path;
    }
    EXPECT_EQ(FindFolderByPrefixWalk({}, "/p/a.jpg"), std::nullopt);
}

TEST(LibraryBrowserTree, WalkToTheObjectsFolderByNameIgnoringCase) {
    const BrowserFolderTree tree = TextureTree();
    struct Case {
        const char* path;
        std::optional<BrowserFolderIndex> index;
    };
    const std::vector<Case> cases = {
        {"/p/STexture/Wood/Dark/x.jpg", BrowserFolderIndex{1, 0}},
        {"/p/STEXTURE/wood/dark/x.jpg", BrowserFolderIndex{1, 0}},
        {"/p/STexture/Wood2/x.jpg", BrowserFolderIndex{2}},
        {"/p/STexture/Wood/Light/x.jpg", std::nullopt},
        {"/p/STexture/x.jpg", std::nullopt},
        {"/q/STexture/Wood/x.jpg", std::nullopt},
        {"/p/STexture2/Wood/x.jpg", std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FindObjectFolder(tree, "/p/STexture", c.path), c.index) << c.path;
    }
    EXPECT_EQ(GetFolderAt(tree, {1, 0})->name, "Dark");
    EXPECT_EQ(GetFolderAt(tree, {1, 1}), nullptr);
}

}  // namespace

#include "platform/fs/PathLookup.h"

#include <gtest/gtest.h>

#include "TempFolderTest.h"

namespace {

using PathLookupTest = TempFolderTest;

TEST_F(PathLookupTest, ComponentsAreMatchedIgnoringAsciiCaseOnly) {
    WriteText(Root() / "2DIcon/L1.dxf", "a");
    WriteText(Root() / "2DIcon/100-1.dxf", "b");
    WriteText(Root() / "STexture/木紋/Oak.JPG", "c");
    WriteText(Root() / "BG/É.bmp", "d");

    const struct {
        const char* asked;
        const char* found;  // empty: not found
    } cases[] = {
        {"2DIcon/L1.dxf", "2DIcon/L1.dxf"},
        {"2Dicon/L1.dxf", "2DIcon/L1.dxf"},
        {"2dicon/l1.DXF", "2DIcon/L1.dxf"},
        {"2dicon/", "2DIcon"},
        {"stexture/木紋/oak.jpg", "STexture/木紋/Oak.JPG"},
        {"BG/é.bmp", ""},  // no folding beyond ASCII
        {"2dicon/L9.dxf", ""},
        {"2dicon/L1.dxf/x", ""},
        {"Missing/L1.dxf", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.asked);
        auto resolved = pfs::ResolvePathCaseInsensitive(Root() / c.asked);
        if (*c.found == '\0') {
            EXPECT_FALSE(resolved.has_value()) << *resolved;
        } else {
            ASSERT_TRUE(resolved.has_value());
            EXPECT_EQ(*resolved, Root() / c.found);
        }
    }
}

TEST_F(PathLookupTest, ExactNameIsPreferredThenSortedOrderDecides) {
    WriteText(Root() / "2dicon/L1.dxf", "lower");
    WriteText(Root() / "2DIcon/L1.dxf", "mixed");
    WriteText(Root() / "2Dicon/L1.dxf", "other");

    EXPECT_EQ(pfs::ResolvePathCaseInsensitive(Root() / "2dicon/L1.dxf"), Root() / "2dicon/L1.dxf");
    EXPECT_EQ(pfs::ResolvePathCaseInsensitive(Root() / "2Dicon/l1.dxf"), Root() / "2Dicon/L1.dxf");
    for (int run = 0; run < 3; ++run) {
        EXPECT_EQ(pfs::ResolvePathCaseInsensitive(Root() / "2DICON/l1.dxf"),
                  Root() / "2DIcon/L1.dxf");
    }
}

TEST_F(PathLookupTest, RelativePathsResolveFromTheWorkingFolder) {
    WriteText(Root() / "SModel/Chair.x", "x");
    const auto saved = std::filesystem::current_path();
    std::filesystem::current_path(Root());
    auto resolved = pfs::ResolvePathCaseInsensitive("smodel/chair.X");
    std::filesystem::current_path(saved);
    EXPECT_EQ(resolved, std::filesystem::path("SModel/Chair.x"));
}

TEST_F(PathLookupTest, ForeignFileIsFoundByNameInFolderOrderThenSortedTreeOrder) {
    WriteText(Root() / "SModel/B/Chair.x", "deep B");
    WriteText(Root() / "SModel/a/sub/chair.X", "deep a");
    WriteText(Root() / "SModel/.hidden/chair.x", "hidden");
    WriteText(Root() / "STexture/chair.x", "flat");
    std::filesystem::create_directories(Root() / "STexture/CHAIR.X");  // a folder, not a match
    const std::vector<std::filesystem::path> folders{Root() / "SModel", Root() / "STexture"};

    EXPECT_EQ(pfs::FindFileByName("CHAIR.x", folders, true), Root() / "SModel/a/sub/chair.X");
    EXPECT_EQ(pfs::FindFileByName("CHAIR.x", folders, false), Root() / "STexture/chair.x");
    EXPECT_EQ(pfs::FindFileByName("sofa.x", folders, true), std::nullopt);
    EXPECT_EQ(pfs::FindFileByName("", folders, true), std::nullopt);
}

TEST_F(PathLookupTest, FolderIsListedInFoldedOrderWithExactBytesBreakingTies) {
    for (const char* name : {"b.txt", "C.txt", "B.txt", "a.TXT", "木.txt"}) {
        WriteText(Root() / name, "");
    }
    std::filesystem::create_directories(Root() / "s");
    std::vector<std::string> names;
    for (const std::filesystem::directory_entry& entry : pfs::ListFolderSorted(Root())) {
        names.push_back(entry.path().filename().string());
    }
    EXPECT_EQ(names, (std::vector<std::string>{"a.TXT", "B.txt", "b.txt", "C.txt", "s", "木.txt"}));
    EXPECT_TRUE(pfs::ListFolderSorted(Root() / "missing").empty());
}

}  // namespace

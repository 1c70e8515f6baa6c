#include "foundation/PathUtils.h"

#include <gtest/gtest.h>

#include <string>

#include "support/TempFolder.h"

namespace {

TEST(PathSplitting, SplitsAtBothSeparatorsAndKeepsTheDrive) {
    struct Case {
        const char* path;
        const char* folder;
        const char* fileName;
        const char* asBmp;
    };
    const Case cases[] = {
        {"C:\\a\\b.dxf", "C:\\a\\", "b.dxf", "C:\\a\\b.bmp"},
        {"/home/x/plan.dg6", "/home/x/", "plan.dg6", "/home/x/plan.bmp"},
        {"2dicon\\L1.dxf", "2dicon\\", "L1.dxf", "2dicon\\L1.bmp"},
        {"a/b\\c.d.e", "a/b\\", "c.d.e", "a/b\\c.d.bmp"},
        {"dir.v2/readme", "dir.v2/", "readme", "dir.v2/readme.bmp"},
        {"C:file.txt", "C:", "file.txt", "C:file.bmp"},
        {"name", "", "name", "name.bmp"},
        {"", "", "", ".bmp"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(GetPathFolder(c.path), c.folder) << c.path;
        EXPECT_EQ(GetPathFileName(c.path), c.fileName) << c.path;
        EXPECT_EQ(ChangePathExtension(c.path, "bmp"), c.asBmp) << c.path;
    }
}

TEST(PathSplitting, ChangePathExtensionTakesTheDotOrNone) {
    EXPECT_EQ(ChangePathExtension("/a/b.x", ".jpg"), "/a/b.jpg");
    EXPECT_EQ(ChangePathExtension("/a/b.x", ""), "/a/b");
}

TEST(PathSplitting, MakeFilePathAddsASeparatorOnlyWhenMissing) {
    EXPECT_EQ(MakeFilePath("/a", "b.dxf"), "/a/b.dxf");
    EXPECT_EQ(MakeFilePath("/a/", "b.dxf"), "/a/b.dxf");
    EXPECT_EQ(MakeFilePath("C:\\a\\", "b.dxf"), "C:\\a\\b.dxf");
    EXPECT_EQ(MakeFilePath("", "b.dxf"), "b.dxf");
}

TEST(PathSplitting, PathsLongerThanOldBuffersStayWhole) {
    std::string folder = "/";
    for (int i = 0; i < 400; ++i) {
        folder += "dir" + std::to_string(i) + (i % 2 ? "/" : "\\");
    }
    ASSERT_GT(folder.size(), 2048u);
    std::string name(1500, 'n');
    std::string path = MakeFilePath(folder, name + ".dxf");
    EXPECT_EQ(path, folder + name + ".dxf");
    EXPECT_EQ(GetPathFolder(path), folder);
    EXPECT_EQ(GetPathFileName(path), name + ".dxf");
    EXPECT_EQ(ChangePathExtension(path, "bmp"), folder + name + ".bmp");
}

TEST(HasFileExtension, ComparesTheLastExtensionIgnoringAsciiCase) {
    EXPECT_TRUE(HasFileExtension("a.B.DXF", "dxf"));
    EXPECT_TRUE(HasFileExtension("plan.Dg6", "DG6"));
    EXPECT_FALSE(HasFileExtension("a.dxf.bak", "dxf"));
    EXPECT_FALSE(HasFileExtension("a.dxf", "dx"));
    EXPECT_FALSE(HasFileExtension("plan", "plan"));
    EXPECT_FALSE(HasFileExtension("plan", ""));
    EXPECT_FALSE(HasFileExtension("a.É", "é"));
}

TEST(PathHasDrive, NeedsALetterAndAColon) {
    EXPECT_TRUE(PathHasDrive("C:\\x"));
    EXPECT_TRUE(PathHasDrive("z:"));
    EXPECT_FALSE(PathHasDrive("1:\\x"));
    EXPECT_FALSE(PathHasDrive("/home/x"));
    EXPECT_FALSE(PathHasDrive("C"));
    EXPECT_FALSE(PathHasDrive(""));
}

class FileTestsFolder : public testing::Test {
protected:
    void SetUp() override {
        m_folder.Write("Plan.DG6", "12345");
        m_folder.Write("2DIcon/L1.dxf", "");
        m_folder.Write("README", "");
        m_folder.Write("圖.bmp", "");
    }

    std::string At(const std::string& relative) const {
        return m_folder.Path().string() + "/" + relative;
    }

    TempFolder m_folder;
};

TEST_F(FileTestsFolder, FileExistsFindsFilesAndFoldersIgnoringCase) {
    EXPECT_TRUE(FileExists(At("Plan.DG6")));
    EXPECT_TRUE(FileExists(At("plan.dg6")));
    EXPECT_TRUE(FileExists(At("2DIcon")));
    EXPECT_TRUE(FileExists(At("2dicon\\l1.DXF")));
    EXPECT_FALSE(FileExists(At("missing.dg6")));
    EXPECT_FALSE(FileExists(""));
}

TEST_F(FileTestsFolder, FileExistsMatchesWildcardsInTheLastName) {
    EXPECT_TRUE(FileExists(At("*.dg6")));
    EXPECT_TRUE(FileExists(At("p?AN.*")));
    EXPECT_TRUE(FileExists(At("2dicon/*.DXF")));
    EXPECT_TRUE(FileExists(At("READ*.*")));  // ".*" also matches no extension
    EXPECT_TRUE(FileExists(At("?.bmp")));    // one character, not one byte
    EXPECT_FALSE(FileExists(At("??.bmp")));
    EXPECT_FALSE(FileExists(At("*.xyz")));
    EXPECT_FALSE(FileExists(At("nofolder/*.dg6")));
}

TEST_F(FileTestsFolder, GetFileLengthReadsTheSize) {
    EXPECT_EQ(GetFileLength(At("Plan.DG6")), 5u);
    EXPECT_EQ(GetFileLength(At("plan.dg6")), 5u);
    EXPECT_EQ(GetFileLength(At("missing")), 0u);
}

}  // namespace

#include "platform/fs/ProgramSubFolders.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TempFolderTest.h"

namespace {

using ProgramSubFoldersTest = TempFolderTest;

TEST_F(ProgramSubFoldersTest, MakesOnlyTheMissingFoldersAndSaysWhichItMade) {
    // What the default content brought: the showcase and, in another case,
    // the symbol folder.
    std::filesystem::create_directories(Root() / "Show");
    std::filesystem::create_directories(Root() / "2dicon");
    auto first = pfs::MakeProgramSubFolders(Root());
    ASSERT_TRUE(first.Ok()) << first.Error();
    const std::vector<std::string> expected = {"MyDesign", "SModel", "STexture", "STPicture",
                                               "BG",       "Music",  "2DMap",    "Sound"};
    EXPECT_EQ(first.Value(), expected);
    for (const std::string& name : expected) {
        EXPECT_TRUE(std::filesystem::is_directory(Root() / name)) << name;
    }
    EXPECT_FALSE(std::filesystem::exists(Root() / "2Dicon"));

    auto again = pfs::MakeProgramSubFolders(Root());
    ASSERT_TRUE(again.Ok()) << again.Error();
    EXPECT_TRUE(again.Value().empty());
}

TEST_F(ProgramSubFoldersTest, AFileInAFoldersPlaceIsReportedWithItsPath) {
    WriteText(Root() / "MyDesign", "not a folder");
    auto made = pfs::MakeProgramSubFolders(Root());
    ASSERT_FALSE(made.Ok());
    EXPECT_NE(made.Error().find((Root() / "MyDesign").string()), std::string::npos) << made.Error();
}

}  // namespace

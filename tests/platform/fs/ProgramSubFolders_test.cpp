#include "platform/fs/ProgramSubFolders.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TempFolderTest.h"

namespace {

using ProgramSubFoldersTest = TempFolderTest;

TEST_F(ProgramSubFoldersTest, MakesOnlyTheMissingFoldersAndSaysWhichItMade) {
    std::filesystem::create_directories(Root() / "Show");
    auto first = pfs::MakeProgramSubFolders(Root());
    ASSERT_TRUE(first.Ok()) << first.Error();
    EXPECT_EQ(first.Value(), std::vector<std::string>{"MyDesign"});
    EXPECT_TRUE(std::filesystem::is_directory(Root() / "MyDesign"));

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

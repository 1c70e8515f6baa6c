#include "platform/fs/DefaultContent.h"

#include <gtest/gtest.h>

#include "TempFolderTest.h"

namespace {

using DefaultContentTest = TempFolderTest;

TEST_F(DefaultContentTest, FirstStartCopiesMissingContentAndKeepsUserFiles) {
    const auto content = Root() / "res/default-home";
    WriteText(content / "zadivav.ini", "[General]\n");
    WriteText(content / "Settings", "0.5");
    WriteText(content / "2Dicon/L1.dxf", "icon");
    WriteText(content / "SModel/設計/chair.x", "xof 0302txt");
    std::filesystem::create_directories(content / "Music");

    const auto home = Root() / "user/.local/share/velmora";
    WriteText(home / "zadivav.ini", "user settings");
    WriteText(home / "2Dicon/L2.dxf", "user icon");

    auto filled = pfs::FillProgramFolder(home, content);
    ASSERT_TRUE(filled.Ok()) << filled.Error();
    EXPECT_EQ(ReadText(home / "zadivav.ini"), "user settings");
    EXPECT_EQ(ReadText(home / "Settings"), "0.5");
    EXPECT_EQ(ReadText(home / "2Dicon/L1.dxf"), "icon");
    EXPECT_EQ(ReadText(home / "2Dicon/L2.dxf"), "user icon");
    EXPECT_EQ(ReadText(home / "SModel/設計/chair.x"), "xof 0302txt");
    EXPECT_TRUE(std::filesystem::is_directory(home / "Music"));

    // A later start puts back only what the user deleted.
    WriteText(home / "Settings", "0.8");
    std::filesystem::remove(home / "2Dicon/L1.dxf");
    filled = pfs::FillProgramFolder(home, content);
    ASSERT_TRUE(filled.Ok()) << filled.Error();
    EXPECT_EQ(ReadText(home / "Settings"), "0.8");
    EXPECT_EQ(ReadText(home / "2Dicon/L1.dxf"), "icon");
    EXPECT_EQ(Names(home / "2Dicon"), (std::set<std::string>{"L1.dxf", "L2.dxf"}));
}

TEST_F(DefaultContentTest, MissingDefaultContentStillCreatesTheFolder) {
    const auto home = Root() / "a/b/velmora";
    auto filled = pfs::FillProgramFolder(home, Root() / "no-such-content");
    ASSERT_TRUE(filled.Ok()) << filled.Error();
    EXPECT_TRUE(std::filesystem::is_directory(home));
    EXPECT_TRUE(std::filesystem::is_empty(home));
}

TEST_F(DefaultContentTest, UncreatableProgramFolderIsReportedWithItsPath) {
    WriteText(Root() / "velmora", "a file in the way");
    auto filled = pfs::FillProgramFolder(Root() / "velmora", Root());
    ASSERT_FALSE(filled.Ok());
    EXPECT_NE(filled.Error().find((Root() / "velmora").string()), std::string::npos)
        << filled.Error();
    EXPECT_EQ(ReadText(Root() / "velmora"), "a file in the way");
}

TEST_F(DefaultContentTest, InstalledShareFolderIsPreferredToTheSourceTree) {
    const auto executable = Root() / "usr/bin/velmora";
    WriteText(executable, "");
    const auto sourceRes = std::filesystem::weakly_canonical(
        std::filesystem::path(VELMORA_TEST_DATA_DIR) / "../../res");

    EXPECT_EQ(std::filesystem::weakly_canonical(pfs::FindResourceFolder(executable)), sourceRes);

    std::filesystem::create_directories(Root() / "usr/share/velmora");
    EXPECT_EQ(pfs::FindResourceFolder(executable), Root() / "usr/share/velmora");
    EXPECT_EQ(pfs::DefaultHomeContent(Root() / "usr/share/velmora"),
              Root() / "usr/share/velmora/default-home");
}

}  // namespace

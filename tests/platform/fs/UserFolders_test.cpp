#include "platform/fs/UserFolders.h"

#include <unistd.h>

#include <gtest/gtest.h>

#include "TempFolderTest.h"

namespace {

using pfs::UserEnvironment;

struct ProgramFolderCase {
    const char* name;
    std::optional<std::string> homeOption;  // the --home folder
    UserEnvironment env;
    std::string expected;  // empty when resolution must fail
};

TEST(ProgramFolder, CommandLineBeatsEnvironmentBeatsXdgBeatsHome) {
    const UserEnvironment all{"/env/velmora", "/xdg/data", {}, {}, "/home/u"};
    const ProgramFolderCase cases[] = {
        {"--home wins", "/opt/home", all, "/opt/home"},
        {"$VELMORA_HOME next", {}, all, "/env/velmora"},
        {"then $XDG_DATA_HOME", {}, {{}, "/xdg/data", {}, {}, "/home/u"}, "/xdg/data/velmora"},
        {"then ~/.local/share", {}, {{}, {}, {}, {}, "/home/u"}, "/home/u/.local/share/velmora"},
        {"empty values count as unset",
         {},
         {"", "", {}, {}, "/home/u"},
         "/home/u/.local/share/velmora"},
        {"relative $XDG_DATA_HOME is ignored",
         {},
         {{}, "data", {}, {}, "/home/u"},
         "/home/u/.local/share/velmora"},
        {"trailing slash and dots are dropped", "/opt/x/../home/", all, "/opt/home"},
        {"no home folder at all", {}, {}, ""},
    };
    for (const ProgramFolderCase& c : cases) {
        SCOPED_TRACE(c.name);
        auto folder = pfs::ResolveProgramFolder(c.homeOption, c.env);
        if (c.expected.empty()) {
            ASSERT_FALSE(folder.Ok());
            EXPECT_FALSE(folder.Error().empty());
        } else {
            ASSERT_TRUE(folder.Ok()) << folder.Error();
            EXPECT_EQ(folder.Value(), c.expected);
        }
    }
}

TEST(ProgramFolder, RelativeHomeIsMadeAbsolute) {
    auto folder = pfs::ResolveProgramFolder(std::optional<std::string>("sub/home"), {});
    ASSERT_TRUE(folder.Ok()) << folder.Error();
    EXPECT_EQ(folder.Value(), std::filesystem::current_path() / "sub/home");
}

TEST(ProgramFolder, TextFormEndsWithOneSlash) {
    EXPECT_EQ(pfs::WithTrailingSlash("/home/u/.local/share/velmora"),
              "/home/u/.local/share/velmora/");
    EXPECT_EQ(pfs::WithTrailingSlash("/opt/home/"), "/opt/home/");
    EXPECT_EQ(pfs::WithTrailingSlash("/"), "/");
}

using UserFoldersTest = TempFolderTest;

TEST_F(UserFoldersTest, CacheAndConfigFoldersAreCreatedWhereXdgOrHomeSays) {
    const std::string home = (Root() / "home").string();
    const std::string cache = (Root() / "cache").string();
    const std::string config = (Root() / "config").string();

    auto fromHomeCache = pfs::CacheFolder({{}, {}, {}, {}, home});
    auto fromHomeConfig = pfs::ConfigFolder({{}, {}, {}, {}, home});
    auto fromXdgCache = pfs::CacheFolder({{}, {}, cache, config, home});
    auto fromXdgConfig = pfs::ConfigFolder({{}, {}, cache, config, home});

    ASSERT_TRUE(fromHomeCache.Ok()) << fromHomeCache.Error();
    ASSERT_TRUE(fromHomeConfig.Ok()) << fromHomeConfig.Error();
    ASSERT_TRUE(fromXdgCache.Ok()) << fromXdgCache.Error();
    ASSERT_TRUE(fromXdgConfig.Ok()) << fromXdgConfig.Error();
    EXPECT_EQ(fromHomeCache.Value(), Root() / "home/.cache/velmora");
    EXPECT_EQ(fromHomeConfig.Value(), Root() / "home/.config/velmora");
    EXPECT_EQ(fromXdgCache.Value(), Root() / "cache/velmora");
    EXPECT_EQ(fromXdgConfig.Value(), Root() / "config/velmora");
    for (const auto* folder : {&fromHomeCache, &fromHomeConfig, &fromXdgCache, &fromXdgConfig}) {
        EXPECT_TRUE(std::filesystem::is_directory(folder->Value())) << folder->Value();
    }
}

TEST_F(UserFoldersTest, UncreatableCacheFolderIsReportedWithItsPath) {
    WriteText(Root() / "cache", "a file where the folder should be");
    auto folder = pfs::CacheFolder({{}, {}, (Root() / "cache").string(), {}, {}});
    ASSERT_FALSE(folder.Ok());
    EXPECT_NE(folder.Error().find((Root() / "cache/velmora").string()), std::string::npos)
        << folder.Error();
}

}  // namespace

#include "platform/fs/TemporaryFolder.h"

#include <sys/stat.h>

#include <gtest/gtest.h>

#include "platform/fs/TempFolderTest.h"

namespace {

class TemporaryFolderTest : public TempFolderTest {
protected:
    pfs::UserEnvironment Env() const {
        pfs::UserEnvironment env;
        env.xdgCacheHome = (Root() / "cache").string();
        env.home = Root().string();
        return env;
    }
    std::filesystem::path Expected() const { return Root() / "cache" / "velmora" / "dsgtmp"; }

    static mode_t ModeOf(const std::filesystem::path& path) {
        struct stat info {};
        EXPECT_EQ(::lstat(path.c_str(), &info), 0);
        return info.st_mode & 07777;
    }
};

TEST_F(TemporaryFolderTest, NewFolderIsPrivateUnderTheCacheFolder) {
    auto folder = pfs::PrepareTemporaryFolder(Env());
    ASSERT_TRUE(folder.Ok()) << folder.Error();
    EXPECT_EQ(folder.Value(), Expected());
    EXPECT_EQ(ModeOf(Expected()), 0700u);
}

// An existing folder keeps its files; only its rights change.
TEST_F(TemporaryFolderTest, OpenFolderIsTightenedAndKeepsItsFiles) {
    for (mode_t mode : {0777u, 0755u, 0500u}) {
        SCOPED_TRACE(mode);
        WriteText(Expected() / "unpacked.dg6", "design");
        ASSERT_EQ(::chmod(Expected().c_str(), mode), 0);
        auto folder = pfs::PrepareTemporaryFolder(Env());
        ASSERT_TRUE(folder.Ok()) << folder.Error();
        EXPECT_EQ(ModeOf(Expected()), 0700u);
        EXPECT_EQ(ReadText(Expected() / "unpacked.dg6"), "design");
    }
}

TEST_F(TemporaryFolderTest, SymlinkOrFileInItsPlaceIsRefusedAndLeftAlone) {
    std::filesystem::create_directories(Root() / "elsewhere");
    ASSERT_EQ(::chmod((Root() / "elsewhere").c_str(), 0777), 0);
    const struct {
        const char* name;
        bool link;
    } cases[] = {{"symlink to an open folder", true}, {"plain file", false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::filesystem::remove_all(Expected());
        std::filesystem::create_directories(Expected().parent_path());
        if (c.link) {
            std::filesystem::create_directory_symlink(Root() / "elsewhere", Expected());
        } else {
            WriteText(Expected(), "not a folder");
        }
        auto folder = pfs::PrepareTemporaryFolder(Env());
        ASSERT_FALSE(folder.Ok());
        EXPECT_NE(folder.Error().find(Expected().string()), std::string::npos) << folder.Error();
        EXPECT_EQ(ModeOf(Root() / "elsewhere"), 0777u);
    }
}

TEST_F(TemporaryFolderTest, UnplaceableCacheFolderIsReported) {
    pfs::UserEnvironment env;  // no $HOME, no $XDG_CACHE_HOME
    auto folder = pfs::PrepareTemporaryFolder(env);
    EXPECT_FALSE(folder.Ok());
    EXPECT_FALSE(folder.Error().empty());
}

}  // namespace

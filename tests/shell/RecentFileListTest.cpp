#include "shell/RecentFileList.h"

#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>
#include <csignal>

#include "support/TempFolder.h"

namespace {

class RecentFileListTest : public ::testing::Test {
protected:
    std::filesystem::path ConfigFile() const { return m_root.Path() / "config" / "velmora.conf"; }

    static std::vector<std::string> Paths(const CRecentFileList& list) {
        std::vector<std::string> paths;
        for (std::size_t i = 0; i < list.GetCount(); ++i) {
            paths.push_back(list.GetPath(i));
        }
        return paths;
    }

    TempFolder m_root;
};

TEST_F(RecentFileListTest, AddPutsNewestFirstMovesRepeatsUpAndKeepsTen) {
    CRecentFileList list(ConfigFile());
    for (int i = 1; i <= 12; ++i) {
        list.Add("/d/" + std::to_string(i) + ".dg6");
    }
    ASSERT_EQ(list.GetCount(), 10u);
    EXPECT_EQ(list.GetPath(0), "/d/12.dg6");
    EXPECT_EQ(list.GetPath(9), "/d/3.dg6");

    list.Add("/d/7.dg6");
    EXPECT_EQ(list.GetCount(), 10u);
    EXPECT_EQ(Paths(list), (std::vector<std::string>{
                               "/d/7.dg6", "/d/12.dg6", "/d/11.dg6", "/d/10.dg6", "/d/9.dg6",
                               "/d/8.dg6", "/d/6.dg6", "/d/5.dg6", "/d/4.dg6", "/d/3.dg6"}));
    EXPECT_EQ(list.GetPath(10), "");
}

TEST_F(RecentFileListTest, RemoveMovesLaterEntriesUp) {
    CRecentFileList list(ConfigFile());
    for (const char* path : {"/c.dg6", "/b.dg6", "/a.dg6"}) {
        list.Add(path);
    }
    list.Remove(1);
    EXPECT_EQ(Paths(list), (std::vector<std::string>{"/a.dg6", "/c.dg6"}));
    list.Remove(5);  // out of range: nothing happens
    EXPECT_EQ(list.GetCount(), 2u);
}

// Only entries inside the folder go; a sibling whose name merely starts the
// same stays.
TEST_F(RecentFileListTest, DropUnderRemovesOnlyEntriesInsideTheFolder) {
    CRecentFileList list(ConfigFile());
    for (const char* path : {"/home/u/house.dg6", "/cache/dsgtmp/a/x.dg6", "/cache/dsgtmp2/y.dg6",
                             "/cache/dsgtmp/z.dg6", "/cache/dsgtmp"}) {
        list.Add(path);
    }
    list.DropUnder("/cache/dsgtmp/");
    EXPECT_EQ(Paths(list), (std::vector<std::string>{"/cache/dsgtmp", "/cache/dsgtmp2/y.dg6",
                                                     "/home/u/house.dg6"}));
}

// Names that a config file could misread: variables, escapes, spaces, CJK.
TEST_F(RecentFileListTest, SavedListReloadsExactlyAndKeepsOtherGroups) {
    std::filesystem::create_directories(ConfigFile().parent_path());
    m_root.Write("config/velmora.conf", "[Other]\nkey=value\n[Recent File List]\nfile1=/old.dg6\n");
    const std::vector<std::string> names = {"/home/u/$HOME/設計 1.dg6", "/tmp/a\\b\"c.dg6",
                                            " /lead space.dg6", "/x/%d;#=.dg6"};
    {
        CRecentFileList list(ConfigFile());
        ASSERT_TRUE(list.Load().Ok());
        EXPECT_EQ(Paths(list), (std::vector<std::string>{"/old.dg6"}));
        for (auto it = names.rbegin(); it != names.rend(); ++it) {
            list.Add(*it);
        }
        auto saved = list.Save();
        ASSERT_TRUE(saved.Ok()) << saved.Error();
    }
    CRecentFileList reloaded(ConfigFile());
    ASSERT_TRUE(reloaded.Load().Ok());
    std::vector<std::string> expected = names;
    expected.push_back("/old.dg6");
    EXPECT_EQ(Paths(reloaded), expected);
    const std::string text = m_root.Read("config/velmora.conf");
    EXPECT_NE(text.find("[Other]"), std::string::npos) << text;
    EXPECT_NE(text.find("key=value"), std::string::npos) << text;
}

TEST_F(RecentFileListTest, MissingFileLoadsEmpty) {
    CRecentFileList list(ConfigFile());
    list.Add("/stale.dg6");
    ASSERT_TRUE(list.Load().Ok());
    EXPECT_EQ(list.GetCount(), 0u);
}

// A save that cannot finish reports why and leaves the old file as it was.
TEST_F(RecentFileListTest, FailedSaveKeepsTheOldFile) {
    const std::string old = "[Recent File List]\nfile1=/old.dg6\n";
    m_root.Write("config/velmora.conf", old);
    CRecentFileList list(ConfigFile());
    ASSERT_TRUE(list.Load().Ok());
    list.Add(std::string(200, 'n') + ".dg6");

    const bool isRoot = ::geteuid() == 0;  // root writes into read-only folders
    if (!isRoot) {
        ASSERT_EQ(::chmod(ConfigFile().parent_path().c_str(), 0555), 0);
        auto saved = list.Save();
        ::chmod(ConfigFile().parent_path().c_str(), 0755);
        EXPECT_FALSE(saved.Ok());
        EXPECT_NE(saved.Error().find(ConfigFile().string()), std::string::npos) << saved.Error();
        EXPECT_EQ(m_root.Read("config/velmora.conf"), old);
    }

    // A disk that fills up half-way through the write.
    rlimit saved{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    rlimit small = saved;
    small.rlim_cur = 64;
    auto* handler = std::signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    auto written = list.Save();
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, handler);
    EXPECT_FALSE(written.Ok());
    EXPECT_NE(written.Error().find(ConfigFile().string()), std::string::npos) << written.Error();
    EXPECT_EQ(m_root.Read("config/velmora.conf"), old);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(ConfigFile().parent_path()),
                            std::filesystem::directory_iterator()),
              1);
}

TEST_F(RecentFileListTest, DefaultConfigFileIsInTheUsersConfigFolder) {
    pfs::UserEnvironment env;
    env.xdgConfigHome = (m_root.Path() / "xdg").string();
    auto file = CRecentFileList::DefaultConfigFile(env);
    ASSERT_TRUE(file.Ok()) << file.Error();
    EXPECT_EQ(file.Value(), m_root.Path() / "xdg" / "velmora" / "velmora.conf");
    EXPECT_TRUE(std::filesystem::is_directory(m_root.Path() / "xdg" / "velmora"));
}

}  // namespace

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "foundation/RegistryKey.h"
#include "support/TempFolder.h"

namespace fs = std::filesystem;

namespace {

constexpr const char* kCommandKey = ".dg6\\shell\\open\\command";

class RegistryKey : public ::testing::Test {
protected:
    RegistryKey() { m_env.xdgConfigHome = m_folder.Path().string(); }

    TempFolder m_folder;
    pfs::UserEnvironment m_env;
};

}  // namespace

TEST_F(RegistryKey, ValuesOutliveTheKeyThatWroteThem) {
    const std::string command = "/home/u/.local/share/velmora/velmora \"%1\"";
    const std::string awkward = "許 \\ \"quoted\"\nsecond line\r";
    {
        CRegistryKey key(m_env);
        ASSERT_EQ(key.Create(kCommandKey), kRegistryOk);
        EXPECT_EQ(key.SetString("", "first"), kRegistryOk);
        EXPECT_EQ(key.SetString("", command), kRegistryOk);
        EXPECT_EQ(key.SetString("Note", awkward), kRegistryOk);
    }
    EXPECT_TRUE(fs::exists(m_folder.Path() / "velmora" / "registry.ini"));

    CRegistryKey fresh(m_env);
    ASSERT_EQ(fresh.Create(".DG6\\Shell\\open\\command"), kRegistryOk);
    std::string value;
    EXPECT_EQ(fresh.GetString("", value), kRegistryOk);
    EXPECT_EQ(value, command);
    EXPECT_EQ(fresh.GetString("note", value), kRegistryOk);
    EXPECT_EQ(value, awkward);
}

TEST_F(RegistryKey, MissingValueLeavesTheTextUnchanged) {
    CRegistryKey writer(m_env);
    ASSERT_EQ(writer.Create(kCommandKey), kRegistryOk);
    ASSERT_EQ(writer.SetString("", "command"), kRegistryOk);

    CRegistryKey other(m_env);
    ASSERT_EQ(other.Create(".dg6\\shell\\edit\\command"), kRegistryOk);
    std::string value = "unchanged";
    EXPECT_EQ(other.GetString("", value), kRegistryValueNotFound);
    EXPECT_EQ(writer.GetString("Missing", value), kRegistryValueNotFound);
    EXPECT_EQ(value, "unchanged");
}

TEST_F(RegistryKey, ClosedKeyRefusesEveryCall) {
    CRegistryKey key(m_env);
    std::string value = "unchanged";
    EXPECT_EQ(key.SetString("", "x"), kRegistryKeyNotOpen);
    ASSERT_EQ(key.Create(kCommandKey), kRegistryOk);
    key.Close();
    EXPECT_EQ(key.SetString("", "x"), kRegistryKeyNotOpen);
    EXPECT_EQ(key.GetString("", value), kRegistryKeyNotOpen);
    EXPECT_EQ(value, "unchanged");
}

TEST_F(RegistryKey, UnusableConfigFolderFailsToOpen) {
    m_folder.Write("not-a-folder", "x");
    pfs::UserEnvironment env = m_env;
    env.xdgConfigHome = (m_folder.Path() / "not-a-folder").string();
    CRegistryKey key(env);
    EXPECT_NE(key.Create(kCommandKey), kRegistryOk);
    EXPECT_EQ(key.SetString("", "x"), kRegistryKeyNotOpen);
}

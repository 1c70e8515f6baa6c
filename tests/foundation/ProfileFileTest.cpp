#include "foundation/ProfileFile.h"

#include <signal.h>
#include <sys/resource.h>

#include <filesystem>

#include <gtest/gtest.h>

#include "platform/text/Cp950.h"
#include "support/TempFolder.h"

namespace {

class ProfileFileTest : public ::testing::Test {
protected:
    std::filesystem::path PathOf(const char* name) const { return m_folder.Path() / name; }

    CProfileFile OpenWith(std::string_view bytes) {
        auto profile = CProfileFile::Open(m_folder.Write("t.ini", bytes));
        EXPECT_TRUE(profile.Ok());
        return profile.Value();
    }

    TempFolder m_folder;
};

TEST_F(ProfileFileTest, MissingFileOrKeyGivesTheDefault) {
    auto missing = CProfileFile::Open(PathOf("none.ini"));
    ASSERT_TRUE(missing.Ok()) << missing.Error();
    EXPECT_EQ(missing.Value().GetInt("General", "LENGTH", 3000), 3000);
    EXPECT_EQ(missing.Value().GetString("General", "MUSIC", "x"), "x");
    EXPECT_DOUBLE_EQ(missing.Value().GetReal("2DEdit", "ARROW_ANGLE", 20.0), 20.0);

    CProfileFile profile = OpenWith("[General]\nLENGTH=10\n");
    EXPECT_EQ(profile.GetInt("General", "WIDTH", 7), 7);
    EXPECT_EQ(profile.GetInt("Other", "LENGTH", 7), 7);
    EXPECT_FALSE(profile.GetString("General", "WIDTH").has_value());
}

TEST_F(ProfileFileTest, NamesIgnoreCaseAndTheFirstMatchWins) {
    CProfileFile profile = OpenWith(
        "[general]\n"
        "length=100\n"
        "LENGTH=200\n"
        "[GENERAL]\n"
        "WIDTH=300\n"
        "[ 2DView ]\n"
        "  Grid_Gap  =  25  \n");
    EXPECT_EQ(profile.GetInt("General", "LENGTH", 0), 100);
    // The key of a later section of the same name is not seen.
    EXPECT_EQ(profile.GetInt("General", "WIDTH", -1), -1);
    EXPECT_EQ(profile.GetInt("2dview", "GRID_GAP", 0), 25);
}

TEST_F(ProfileFileTest, IntegersParseAsGetPrivateProfileIntDoes) {
    const struct {
        const char* value;
        int32_t expected;
    } cases[] = {
        {"12abc", 12}, {"-7", -7},     {"+5", 5},          {"12.500000", 12},      {"abc", 0},
        {"", 99},      {"\"42\"", 42}, {"4294967295", -1}, {"16777215", 0xFFFFFF}, {"-", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.value);
        CProfileFile profile = OpenWith(std::string("[S]\nK=") + c.value + "\n");
        EXPECT_EQ(profile.GetInt("S", "K", 99), c.expected);
    }
}

TEST_F(ProfileFileTest, RealsReadTheLeadingNumber) {
    const struct {
        const char* value;
        double expected;
    } cases[] = {
        {"12.500000", 12.5}, {"15000", 15000.0}, {"+2.25x", 2.25}, {"-1.5", -1.5},
        {"abc", 99.0},       {"", 99.0},         {"nan", 99.0},    {"inf", 99.0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.value);
        CProfileFile profile = OpenWith(std::string("[S]\nK=") + c.value + "\n");
        EXPECT_DOUBLE_EQ(profile.GetReal("S", "K", 99.0), c.expected);
    }
}

TEST_F(ProfileFileTest, StringsLoseBlanksAndOnePairOfEnclosingQuotes) {
    const struct {
        const char* value;
        const char* expected;
    } cases[] = {
        {"\"C:\\Music\\a.mid\"", "C:\\Music\\a.mid"},
        {"'x'", "x"},
        {"\"a'", "\"a'"},
        {"\"\"\"\"", "\"\""},
        {"\"", "\""},
        {"  spaced value \t", "spaced value"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.value);
        CProfileFile profile = OpenWith(std::string("[S]\r\nK=") + c.value + "\r\n");
        EXPECT_EQ(profile.GetString("S", "K", "?"), c.expected);
    }
}

TEST_F(ProfileFileTest, WritingKeepsOtherLinesAndWritesCrlf) {
    CProfileFile profile = OpenWith(
        "; user notes\n"
        "[General]\r\n"
        "length=100\n"
        "OTHER_TOOL=keep me\n"
        "\n"
        "[I/O]\n"
        "AUTO_SAVE=0\n");
    profile.SetInt("GENERAL", "LENGTH", 2500);
    profile.SetInt("General", "WIDTH", 1800);
    profile.SetReal("2DEdit", "ARROW_LENGTH", 12.5);
    ASSERT_TRUE(profile.Save().Ok());

    EXPECT_EQ(m_folder.Read("t.ini"),
              "; user notes\r\n"
              "[General]\r\n"
              "length=2500\r\n"
              "OTHER_TOOL=keep me\r\n"
              "WIDTH=1800\r\n"
              "\r\n"
              "[I/O]\r\n"
              "AUTO_SAVE=0\r\n"
              "\r\n"
              "[2DEdit]\r\n"
              "ARROW_LENGTH=12.500000\r\n");
}

TEST_F(ProfileFileTest, ChineseTextIsStoredAsCp950AndReadBack) {
    CProfileFile profile(PathOf("new.ini"));
    ASSERT_TRUE(profile.SetString("Designer", "ADDRESS", "台北市許昌街"));
    ASSERT_TRUE(profile.Save().Ok());

    const std::string bytes = m_folder.Read("new.ini");
    EXPECT_EQ(bytes, "[Designer]\r\nADDRESS=" + *text::Utf8ToCp950("台北市許昌街") + "\r\n");
    auto reread = CProfileFile::Open(PathOf("new.ini"));
    ASSERT_TRUE(reread.Ok());
    EXPECT_EQ(reread.Value().GetString("Designer", "ADDRESS", ""), "台北市許昌街");
}

TEST_F(ProfileFileTest, ValuesWithoutAStoredFormAreRefused) {
    CProfileFile profile = OpenWith("[Designer]\nFAX=1\n");
    EXPECT_FALSE(profile.SetString("Designer", "FAX", "😀"));
    EXPECT_FALSE(profile.SetString("Designer", "FAX", "a\nINJECTED=1"));
    EXPECT_FALSE(profile.SetString("Designer", "NEW", "\xff"));
    ASSERT_TRUE(profile.Save().Ok());
    EXPECT_EQ(m_folder.Read("t.ini"), "[Designer]\r\nFAX=1\r\n");
}

TEST_F(ProfileFileTest, AValueThatIsNotCp950ReadsAsMissing) {
    CProfileFile profile = OpenWith("[S]\nK=\x81\x20\n");
    EXPECT_EQ(profile.GetString("S", "K", "default"), "default");
}

TEST_F(ProfileFileTest, FileFoundUnderAnotherCaseIsTheOneWritten) {
    m_folder.Write("ZADIVAV.INI", "[General]\nLENGTH=5\n");
    auto profile = CProfileFile::Open(PathOf("zadivav.ini"));
    ASSERT_TRUE(profile.Ok());
    EXPECT_EQ(profile.Value().GetInt("General", "LENGTH", 0), 5);
    EXPECT_EQ(profile.Value().GetPath(), PathOf("ZADIVAV.INI"));
}

TEST_F(ProfileFileTest, FailedSaveLeavesTheOldFileAndSaysWhy) {
    const std::string old = "[General]\nLENGTH=5\n";
    CProfileFile profile = OpenWith(old);
    ASSERT_TRUE(profile.SetString("General", "INTRO", std::string(4000, 'x')));

    // A file size limit makes the write fail even for root.
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    rlimit small = saved;
    small.rlim_cur = 1000;
    auto* savedHandler = signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    auto result = profile.Save();
    setrlimit(RLIMIT_FSIZE, &saved);
    signal(SIGXFSZ, savedHandler);

    ASSERT_FALSE(result.Ok());
    EXPECT_NE(result.Error().find("t.ini"), std::string::npos) << result.Error();
    EXPECT_EQ(m_folder.Read("t.ini"), old);
}

TEST_F(ProfileFileTest, AnUnreadableFileIsAFailureNotAnEmptyProfile) {
    std::filesystem::create_directory(PathOf("folder.ini"));
    EXPECT_FALSE(CProfileFile::Open(PathOf("folder.ini")).Ok());

    // A name the file system refuses: the user is told which file, in Chinese.
    const std::filesystem::path tooLong = PathOf("") / (std::string(300, 'n') + ".ini");
    auto refused = CProfileFile::Open(tooLong);
    ASSERT_FALSE(refused.Ok());
    EXPECT_EQ(refused.Error().rfind("無法開啟「" + tooLong.string() + "」：", 0), 0u)
        << refused.Error();
}

}  // namespace

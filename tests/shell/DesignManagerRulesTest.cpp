#include "shell/DesignManagerRules.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "document/HousDoc.h"
#include "foundation/ApplicationValues.h"
#include "platform/fs/StoredPath.h"
#include "support/TempFolder.h"

namespace {

class DesignManagerRulesTest : public ::testing::Test {
protected:
    DesignManagerRulesTest() { SetProgramFolder(home.Path()); }

    std::string Show() const { return (home.Path() / "Show").string() + "/"; }
    std::string Design(const char* name) const { return (home.Path() / "Show" / name).string(); }

    TempFolder home;
};

std::vector<std::string> Files(const std::vector<DesignManagerEntry>& entries) {
    std::vector<std::string> files;
    for (const DesignManagerEntry& entry : entries) {
        files.push_back(entry.designFile);
    }
    return files;
}

}  // namespace

TEST_F(DesignManagerRulesTest, GroupsRunUpToTheFirstMissingFileInAnyCase) {
    home.Write("Show/S0_Show.ini", "[QV_SHOW]\r\nGROUPNAME=Living\r\nCOUNT=0\r\n");
    home.Write("Show/s1_SHOW.ini", "[QV_SHOW]\r\nCOUNT=0\r\n");
    home.Write("Show/S3_Show.ini", "[QV_SHOW]\r\nGROUPNAME=Hidden\r\n");
    EXPECT_EQ(ListDesignGroupNames(DesignManagerSourceFolder(home.Path().string() + "/", 0)),
              (std::vector<std::string>{"Living", "設計案群組_1"}));
    // The user's source has no folder at all.
    EXPECT_TRUE(
        ListDesignGroupNames(DesignManagerSourceFolder(home.Path().string() + "/", 1)).empty());
}

// A design whose file was deleted leaves the screen and its catalogue; the
// document's design path is left as it was.
TEST_F(DesignManagerRulesTest, LoadingDropsVanishedDesignsFromScreenAndFile) {
    home.Write("Show/a.dg6", "a");
    home.Write("Show/b.dg6", "b");
    home.Write("Show/S0_Show.ini",
               "[QV_SHOW]\r\nCOUNT=4\r\nGROUPLOCK=1\r\n"
               "FILENAME1=a.dg6\r\nSHOWNAME1=A\r\nINTROFILENAME1=<QVDIR>a.htm\r\n"
               "FILENAME2=gone.dg6\r\nSHOWNAME2=Gone\r\n"
               "SHOWNAME3=No file\r\n"
               "FILENAME4=" +
                   pfs::ToStoredPath(Design("b.dg6")) + "\r\nSHOWNAME4=B\r\nDESIGNER4=Lin\r\n");
    CHousDoc document;
    document.SetDesignPath("/kept.dg6");
    const std::optional<DesignManagerGroup> group = LoadDesignGroup(document, Show(), 0);
    ASSERT_TRUE(group);
    EXPECT_EQ(Files(group->entries), (std::vector<std::string>{Design("a.dg6"), Design("b.dg6")}));
    EXPECT_EQ(group->lock, 1);
    EXPECT_EQ(group->entries[0].introFile, "<QVDIR>a.htm");
    EXPECT_EQ(group->entries[0].designer, "無");
    EXPECT_EQ(group->entries[1].designer, "Lin");
    EXPECT_EQ(document.GetDesignPath(), "/kept.dg6");

    const std::optional<DesignManagerGroup> again = LoadDesignGroup(document, Show(), 0);
    ASSERT_TRUE(again);
    EXPECT_EQ(Files(again->entries), Files(group->entries));
    EXPECT_EQ(home.Read("Show/S0_Show.ini").find("Gone"), std::string::npos);
    EXPECT_FALSE(LoadDesignGroup(document, Show(), 1));
}

TEST_F(DesignManagerRulesTest, RewrittenGroupKeepsNameLockAndIntroductionPages) {
    for (const char* name : {"a.dg6", "b.dg6", "c.dg6"}) {
        home.Write(std::string("Show/") + name, "x");
    }
    home.Write("Show/S0_Show.ini",
               "[QV_SHOW]\r\nCOUNT=3\r\nGROUPLOCK=0\r\n"
               "FILENAME1=a.dg6\r\nSHOWNAME1=A\r\n"
               "FILENAME2=b.dg6\r\nSHOWNAME2=B\r\n"
               "FILENAME3=c.dg6\r\nSHOWNAME3=C\r\nINTRO3=Third\r\n"
               "INTROFILENAME3=c.htm\r\n");
    CHousDoc document;
    DesignManagerGroup group = *LoadDesignGroup(document, Show(), 0);
    group.entries.erase(group.entries.begin() + 1);
    ASSERT_TRUE(WriteDesignGroup(Show(), 0, "客廳", group));

    const DesignManagerGroup read = *LoadDesignGroup(document, Show(), 0);
    EXPECT_EQ(Files(read.entries), (std::vector<std::string>{Design("a.dg6"), Design("c.dg6")}));
    EXPECT_EQ(read.entries[1].intro, "Third");
    EXPECT_EQ(read.entries[1].introFile, "c.htm");
    EXPECT_EQ(ListDesignGroupNames(Show()), (std::vector<std::string>{"客廳"}));
}

TEST_F(DesignManagerRulesTest, AGroupFileThatCannotBeWrittenIsLeftAlone) {
    std::filesystem::create_directories(home.Path() / "Show" / "S0_Show.ini");
    EXPECT_FALSE(WriteDesignGroup(Show(), 0, "G", DesignManagerGroup{}));
}

TEST(DesignManagerRules, IntroductionIsCutIntoLinesOfTwentyTwoStoredBytes) {
    struct Case {
        std::string intro;
        std::vector<std::string> lines;
    };
    const std::string eleven = "一二三四五六七八九十百";
    const Case cases[] = {
        {"", {""}},
        {std::string(22, 'x'), {std::string(22, 'x')}},
        {std::string(23, 'x'), {std::string(22, 'x'), "x"}},
        {eleven, {eleven}},
        // A character that would straddle the end goes to the next line.
        {"a" + eleven, {"a一二三四五六七八九十", "百"}},
    };
    for (const Case& c : cases) {
        std::vector<std::string> expected = {"Show", "", "Designer", ""};
        expected.insert(expected.end(), c.lines.begin(), c.lines.end());
        EXPECT_EQ(DesignInformationLines({"f.dg6", "Show", "Designer", c.intro, ""}), expected)
            << c.intro;
    }
}

TEST(DesignManagerRules, ScrollingMovesByColumnsWithinTheFilledPage) {
    struct Case {
        DesignScroll request;
        int position;
        int thumb;
        int count;
        std::optional<int> moved;
    };
    const Case cases[] = {
        {DesignScroll::LineRight, 0, 0, 3, std::nullopt},  // eight fit: no scrolling
        {DesignScroll::LineRight, 0, 0, 9, 1},             // shows entries 3 to 9
        {DesignScroll::LineRight, 1, 0, 9, std::nullopt},
        {DesignScroll::LineLeft, 0, 0, 20, std::nullopt},
        {DesignScroll::PageRight, 0, 0, 20, 4},
        {DesignScroll::PageRight, 4, 0, 20, 6},
        {DesignScroll::PageLeft, 6, 0, 20, 2},
        {DesignScroll::PageLeft, 2, 0, 20, 0},
        {DesignScroll::Thumb, 0, 100, 20, 6},
        {DesignScroll::Thumb, 3, 3, 20, std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ScrollDesignThumbnails(c.request, c.position, c.thumb, c.count), c.moved)
            << static_cast<int>(c.request) << " from " << c.position << " of " << c.count;
    }
    EXPECT_EQ(LastDesignScrollPosition(0), 0);
    EXPECT_EQ(LastDesignScrollPosition(8), 0);
    EXPECT_EQ(LastDesignScrollPosition(9), 1);
}

TEST(DesignManagerRules, PickingKeepsTheViewWhenThePickIsShown) {
    EXPECT_EQ(ScrollPositionForPick(7, 0, 20), 0);
    EXPECT_EQ(ScrollPositionForPick(8, 0, 20), 4);
    EXPECT_EQ(ScrollPositionForPick(0, 4, 20), 0);
    EXPECT_EQ(ScrollPositionForPick(19, 0, 20), 6);
}

TEST_F(DesignManagerRulesTest, ChosenGroupIsRememberedOnlyInAnExistingSettingsFile) {
    const std::string program = home.Path().string() + "/";
    SaveDesignManagerGroup(program, 2);
    EXPECT_FALSE(std::filesystem::exists(home.Path() / "Zadivav.ini"));
    home.Write("zadivav.ini", "[General]\r\nX=1\r\n");
    SaveDesignManagerGroup(program, 2);
    EXPECT_EQ(home.Read("zadivav.ini"), "[General]\r\nX=1\r\n\r\n[Theme]\r\nID=2\r\n");
}

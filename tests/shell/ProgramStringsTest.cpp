#include "shell/ProgramStrings.h"

#include <gtest/gtest.h>

#include "foundation/ResourceStrings.h"
#include "support/TempFolder.h"

class ProgramStringsTest : public ::testing::Test {
protected:
    void SetUp() override {
        resources.Write("strings.txt", "134\tBuilt-in title\n57344\tVelmora\n");
    }
    void TearDown() override { SetResourceStringTables({}, {}); }

    TempFolder resources;
    TempFolder home;
};

TEST_F(ProgramStringsTest, OverrideFolderTakesPrecedence) {
    ASSERT_TRUE(LoadProgramStrings(resources.Path(), home.Path()));
    EXPECT_EQ(LoadResourceString(134), "Built-in title");

    // Found whatever the case of its folder's name.
    home.Write("qvp_res/strings.txt", "134\tOwn title\n");
    ASSERT_TRUE(LoadProgramStrings(resources.Path(), home.Path()));
    EXPECT_EQ(LoadResourceString(134), "Own title");
    EXPECT_EQ(LoadResourceString(57344), "Velmora");
}

TEST_F(ProgramStringsTest, DamagedTableIsReportedAndTheOtherStillServes) {
    home.Write("QVP_RES/strings.txt", "not a number\tx\n");
    pfs::Result<void> loaded = LoadProgramStrings(resources.Path(), home.Path());
    EXPECT_FALSE(loaded);
    EXPECT_NE(loaded.Error().find("strings.txt"), std::string::npos);
    EXPECT_EQ(LoadResourceString(134), "Built-in title");

    TempFolder empty;
    EXPECT_FALSE(LoadProgramStrings(empty.Path(), empty.Path()));
}

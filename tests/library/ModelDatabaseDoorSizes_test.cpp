#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "CatalogFixture.h"
#include "foundation/Result.h"
#include "library/ModelDatabase.h"

namespace {

using Sizes = std::vector<std::string>;
using DoorWindowSizeTest = CatalogFixture;

TEST_F(DoorWindowSizeTest, BuiltInSizesWhileClosedPassAStrictLimit) {
    struct Case {
        int width;
        int height;
        Sizes sizes;
    };
    const Case cases[] = {
        {121, 211, {"120x210", "70x195"}},
        {120, 211, {"70x195"}},
        {121, 210, {"70x195"}},
        {401, 401, {"120x210", "150x150", "70x195", "400x400"}},
        {400, 400, {"120x210", "150x150", "70x195"}},
        {70, 1000, {}},
    };
    CModelDatabase database;
    for (const Case& c : cases) {
        // The list is added to, not cleared.
        Sizes sizes{"kept"};
        database.GetDoorWindowSizes(sizes, c.width, c.height);
        Sizes expected{"kept"};
        expected.insert(expected.end(), c.sizes.begin(), c.sizes.end());
        EXPECT_EQ(sizes, expected) << c.width << " x " << c.height;
    }
    EXPECT_EQ(database.AddDoorWindowSize("90x200"), 1);
    EXPECT_EQ(database.DeleteDoorWindowSize("120x210"), 1);
    EXPECT_EQ(Rows("select count(*) from DoorWindowData"), Sizes{"0"});
}

TEST_F(DoorWindowSizeTest, StoredSizesInTableOrderByTheirLeadingNumbers) {
    Sql("insert into DoorWindowData values('250x100', NULL)");
    Sql("insert into DoorWindowData values(NULL, 'x')");
    Sql("insert into DoorWindowData values(' 90x 80cm', NULL)");
    Sql("insert into DoorWindowData values('x150', NULL)");
    Sql("insert into DoorWindowData values('200', NULL)");
    Sql("insert into DoorWindowData values('120X50', NULL)");
    Sql("insert into DoorWindowData values('99999999999x1', NULL)");
    struct Case {
        int width;
        int height;
        Sizes sizes;
    };
    // No 'x' makes the whole text the height: "200" is 0 wide, 200 high;
    // "120X50" is 0 wide, 120 high.
    const Case cases[] = {
        {251, 201, {"250x100", " 90x 80cm", "x150", "200", "120X50"}},
        {250, 1000, {" 90x 80cm", "x150", "200", "120X50"}},
        {91, 121, {" 90x 80cm", "120X50"}},
        {1, 151, {"x150", "120X50"}},
        {90, 81, {}},
    };
    CModelDatabase database;
    ASSERT_EQ(database.Open(CatalogPath()), 1);
    for (const Case& c : cases) {
        Sizes sizes;
        database.GetDoorWindowSizes(sizes, c.width, c.height);
        EXPECT_EQ(sizes, c.sizes) << c.width << " x " << c.height;
    }

    // An open catalogue without sizes offers none of the built-in ones.
    Sql("delete from DoorWindowData");
    Sizes sizes;
    database.GetDoorWindowSizes(sizes, 1000, 1000);
    EXPECT_TRUE(sizes.empty());
    EXPECT_TRUE(m_messages.empty());
}

TEST_F(DoorWindowSizeTest, AddRefusesAStoredTextAndDeleteRemovesIt) {
    CModelDatabase database;
    ASSERT_EQ(database.Open(CatalogPath()), 1);
    EXPECT_EQ(database.AddDoorWindowSize("150x150"), 0);
    EXPECT_EQ(database.AddDoorWindowSize("150x150"), E_FAIL);
    // Stored texts are compared byte for byte.
    EXPECT_EQ(database.AddDoorWindowSize("150X150"), 0);
    // A quote is stored as typed, not run as SQL.
    EXPECT_EQ(database.AddDoorWindowSize("1'0x20"), 0);
    EXPECT_EQ(Rows("select * from DoorWindowData"),
              (Sizes{"150x150|<null>", "150X150|<null>", "1'0x20|<null>"}));
    // A text stored before the last row is found too.
    EXPECT_EQ(database.AddDoorWindowSize("150x150"), E_FAIL);
    EXPECT_EQ(database.AddDoorWindowSize("150X150"), E_FAIL);
    EXPECT_EQ(Rows("select count(*) from DoorWindowData"), Sizes{"3"});

    EXPECT_EQ(database.DeleteDoorWindowSize("1'0x20"), 0);
    EXPECT_EQ(database.DeleteDoorWindowSize("70x70"), 0);
    EXPECT_EQ(Rows("select Size from DoorWindowData"), (Sizes{"150x150", "150X150"}));
    EXPECT_TRUE(m_messages.empty());
}

TEST_F(DoorWindowSizeTest, FailingTableIsReportedOnceAndTheBuiltInSizesServe) {
    Sql("drop table DoorWindowData");
    CModelDatabase database;
    ASSERT_EQ(database.Open(CatalogPath()), 1);
    Sizes sizes;
    database.GetDoorWindowSizes(sizes, 121, 211);
    EXPECT_EQ(sizes, (Sizes{"120x210", "70x195"}));
    EXPECT_EQ(database.AddDoorWindowSize("90x200"), 1);
    ASSERT_EQ(m_messages.size(), 1u);
    EXPECT_NE(m_messages[0].find("no such table: DoorWindowData"), std::string::npos);

    CModelDatabase again;
    ASSERT_EQ(again.Open(CatalogPath()), 1);
    EXPECT_EQ(again.AddDoorWindowSize("90x200"), E_UNEXPECTED);
    EXPECT_FALSE(again.IsOpen());
    EXPECT_EQ(m_messages.size(), 2u);
}

}  // namespace

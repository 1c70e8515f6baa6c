#include "foundation/ResourceStrings.h"
#include "foundation/StringTable.h"
#include "platform/fs/DefaultContent.h"

#include <gtest/gtest.h>

#include <utility>

namespace {

CStringTable Parsed(std::string_view content) {
    pfs::Result<CStringTable> table = ParseStringTable(content);
    EXPECT_TRUE(table.Ok()) << (table.Ok() ? "" : table.Error());
    return table.Ok() ? std::move(table.Value()) : CStringTable{};
}

TEST(StringTable, ParsesIdsAndEscapes) {
    CStringTable table = Parsed("1\tplain\n\n22\ttab\\there\r\n333\ttwo\\nlines \\\\ done\n4\t\n");
    ASSERT_NE(table.Find(1), nullptr);
    EXPECT_EQ(*table.Find(1), "plain");
    EXPECT_EQ(*table.Find(22), "tab\there");
    EXPECT_EQ(*table.Find(333), "two\nlines \\ done");
    EXPECT_EQ(*table.Find(4), "");
    EXPECT_EQ(table.Find(5), nullptr);
}

TEST(StringTable, RefusesDamagedLinesNamingTheLine) {
    const char* damaged[] = {
        "1\tok\nno tab here\n",       "1\tok\nx1\ttext\n",      "1\tok\n\ttext\n",
        "1\tok\n2\tbad \\q escape\n", "1\tok\n2\tends in \\\n", "1\tok\n1\tagain\n",
    };
    for (const char* content : damaged) {
        pfs::Result<CStringTable> table = ParseStringTable(content);
        ASSERT_FALSE(table.Ok()) << content;
        EXPECT_NE(table.Error().find("第 2 行"), std::string::npos) << table.Error();
    }
}

TEST(StringTable, MissingFileIsAFailure) {
    EXPECT_FALSE(LoadStringTable("/nonexistent/strings.txt").Ok());
}

class ResourceStringsTest : public testing::Test {
protected:
    void TearDown() override { SetResourceStringTables({}, {}); }
};

TEST_F(ResourceStringsTest, TheResourceFolderComesFirst) {
    SetResourceStringTables(Parsed("134\tbuilt-in title\n7\tonly built in\n9\tbuilt nine\n"),
                            Parsed("134\tother title\n8\tonly override\n9\t\n"));
    std::string title;
    LoadProductTitle(title);
    EXPECT_EQ(title, "other title");
    EXPECT_EQ(LoadResourceString(7), "only built in");
    EXPECT_EQ(LoadResourceString(8), "only override");
    EXPECT_EQ(LoadResourceString(9), "built nine");  // an empty override counts as missing
    EXPECT_EQ(LoadResourceString(10), "");
}

TEST_F(ResourceStringsTest, WithoutTablesTheTitleIsEmpty) {
    std::string title = "stale";
    LoadProductTitle(title);
    EXPECT_EQ(title, "");
}

TEST_F(ResourceStringsTest, TheShippedTableHoldsTheProductTitle) {
    pfs::Result<CStringTable> shipped = LoadStringTable(pfs::FindResourceFolder() / "strings.txt");
    ASSERT_TRUE(shipped.Ok()) << shipped.Error();
    SetResourceStringTables(std::move(shipped.Value()), {});
    std::string title;
    LoadProductTitle(title);
    EXPECT_EQ(title, "Velmora創業版");
}

}  // namespace

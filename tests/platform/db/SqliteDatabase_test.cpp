#include "platform/db/SqliteDatabase.h"

#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "TempDatabaseFolder.h"

namespace {

using Row = std::vector<std::optional<std::string>>;

class SqliteDatabaseTest : public TempDatabaseFolder {
protected:
    std::vector<Row> QueryAll(pdb::CSqliteDatabase& db, const std::string& sql) {
        std::vector<Row> rows;
        EXPECT_TRUE(db.Query(sql, [&](const pdb::CSqliteRow& row) {
            Row values;
            for (int i = 0; i < row.GetColumnCount(); ++i) {
                values.push_back(row.GetValue(i));
            }
            rows.push_back(values);
            return true;
        })) << db.GetErrorText();
        return rows;
    }
};

TEST_F(SqliteDatabaseTest, CreatedDatabaseRunsStatementsAndReturnsTextRows) {
    pdb::CSqliteDatabase db;
    ASSERT_TRUE(db.Open(PathOf("a.db"), pdb::CSqliteDatabase::OpenMode::kCreate))
        << db.GetErrorText();
    ASSERT_TRUE(
        db.Execute("create table T (Name TEXT, Width REAL, Rate INTEGER);"
                   "insert into T values('Chair', 45.5, 3);"
                   "insert into T values(NULL, 0, 0);"));

    const std::vector<Row> rows = QueryAll(db, "select * from T order by Rate desc");
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0], (Row{"Chair", "45.5", "3"}));
    EXPECT_EQ(rows[1], (Row{std::nullopt, "0.0", "0"}));
}

TEST_F(SqliteDatabaseTest, RowFindsColumnsIgnoringCase) {
    pdb::CSqliteDatabase db;
    ASSERT_TRUE(db.Open(PathOf("a.db"), pdb::CSqliteDatabase::OpenMode::kCreate));
    ASSERT_TRUE(
        db.Execute("create table T (SerialNo TEXT, Vender TEXT);"
                   "insert into T values('A-1', NULL);"));
    int rows = 0;
    ASSERT_TRUE(db.Query("select * from T", [&](const pdb::CSqliteRow& row) {
        ++rows;
        const std::optional<std::string>* serial = row.Find("serialno");
        const std::optional<std::string>* vendor = row.Find("VENDER");
        EXPECT_TRUE(serial != nullptr && *serial == "A-1");
        EXPECT_TRUE(vendor != nullptr && !vendor->has_value());
        EXPECT_EQ(row.Find("Price"), nullptr);
        return true;
    }));
    EXPECT_EQ(rows, 1);
}

TEST_F(SqliteDatabaseTest, QueryStopsWhenTheCallerSaysSo) {
    pdb::CSqliteDatabase db;
    ASSERT_TRUE(db.Open(PathOf("a.db"), pdb::CSqliteDatabase::OpenMode::kCreate));
    ASSERT_TRUE(
        db.Execute("create table T (N INTEGER);"
                   "insert into T values(1); insert into T values(2);"));
    int rows = 0;
    EXPECT_TRUE(db.Query("select * from T", [&](const pdb::CSqliteRow&) {
        ++rows;
        return false;
    }));
    EXPECT_EQ(rows, 1);
}

TEST_F(SqliteDatabaseTest, ValuesBoundInOrderKeepQuotesAndNulls) {
    pdb::CSqliteDatabase db;
    ASSERT_TRUE(db.Open(PathOf("a.db"), pdb::CSqliteDatabase::OpenMode::kCreate));
    ASSERT_TRUE(db.Execute("create table T (A TEXT, B TEXT)"));
    ASSERT_TRUE(db.ExecuteWithValues("insert into T values(?, ?)", {"it's", std::nullopt}));
    EXPECT_EQ(QueryAll(db, "select * from T"), (std::vector<Row>{{"it's", std::nullopt}}));

    EXPECT_FALSE(db.ExecuteWithValues("insert into T values(?, ?)", {"one"}));
    EXPECT_NE(db.GetErrorText().find("參數個數"), std::string::npos);
}

TEST_F(SqliteDatabaseTest, DoubledQuotesRoundTripThroughAnSqlLiteral) {
    struct Case {
        std::string text;
        std::string doubled;
    };
    const Case cases[] = {
        {"Chair", "Chair"}, {"O'Neil", "O''Neil"},
        {"''", "''''"},     {"許'", "許''"},  // a CP950 trail byte of 0x5C is not in the UTF-8 text
        {"", ""},
    };
    pdb::CSqliteDatabase db;
    ASSERT_TRUE(db.Open(PathOf("a.db"), pdb::CSqliteDatabase::OpenMode::kCreate));
    ASSERT_TRUE(db.Execute("create table T (FileName TEXT)"));
    for (const Case& c : cases) {
        EXPECT_EQ(pdb::DoubleSingleQuotes(c.text), c.doubled);
        ASSERT_TRUE(db.Execute("delete from T"));
        ASSERT_TRUE(db.Execute("insert into T values('" + pdb::DoubleSingleQuotes(c.text) + "')"))
            << db.GetErrorText();
        EXPECT_EQ(QueryAll(db, "select * from T where FileName='" +
                                   pdb::DoubleSingleQuotes(c.text) + "'"),
                  (std::vector<Row>{{c.text}}));
    }
}

TEST_F(SqliteDatabaseTest, FailuresAreReportedWithSqliteText) {
    pdb::CSqliteDatabase db;
    ASSERT_TRUE(db.Open(PathOf("a.db"), pdb::CSqliteDatabase::OpenMode::kCreate));

    EXPECT_FALSE(db.Execute("select * from Missing"));
    EXPECT_NE(db.GetErrorText().find("no such table: Missing"), std::string::npos);
    EXPECT_FALSE(db.Query("selec 1", [](const pdb::CSqliteRow&) { return true; }));
    EXPECT_NE(db.GetErrorText().find("syntax error"), std::string::npos);
    EXPECT_TRUE(db.IsOpen());

    db.Close();
    EXPECT_FALSE(db.Execute("select 1"));
    EXPECT_NE(db.GetErrorText().find("沒有開啟"), std::string::npos);
}

TEST_F(SqliteDatabaseTest, OpeningAMissingOrForeignFileFails) {
    pdb::CSqliteDatabase db;
    EXPECT_FALSE(db.Open(PathOf("missing.db")));
    EXPECT_FALSE(db.IsOpen());
    EXPECT_NE(db.GetErrorText().find("missing.db"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(PathOf("missing.db")));

    std::ofstream(PathOf("text.db")) << "This is a plain text file, not a database at all.\n";
    EXPECT_FALSE(db.Open(PathOf("text.db")));
    EXPECT_FALSE(db.IsOpen());
    EXPECT_NE(db.GetErrorText().find("not a database"), std::string::npos);
}

TEST_F(SqliteDatabaseTest, TwoConnectionsShareOneFile) {
    pdb::CSqliteDatabase writer;
    pdb::CSqliteDatabase reader;
    ASSERT_TRUE(writer.Open(PathOf("a.db"), pdb::CSqliteDatabase::OpenMode::kCreate));
    ASSERT_TRUE(writer.Execute("create table T (N INTEGER); insert into T values(7)"));
    ASSERT_TRUE(reader.Open(PathOf("a.db")));
    EXPECT_EQ(QueryAll(reader, "select * from T"), (std::vector<Row>{{"7"}}));
}

}  // namespace

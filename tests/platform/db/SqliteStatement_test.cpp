#include "platform/db/SqliteStatement.h"

#include <chrono>
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "TempDatabaseFolder.h"

namespace {

class SqliteStatementTest : public TempDatabaseFolder {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_db.Open(PathOf("s.db"), pdb::CSqliteDatabase::OpenMode::kCreate))
            << m_db.GetErrorText();
        ASSERT_TRUE(m_db.Execute("create table T (Key TEXT unique, Width REAL, Note TEXT)"));
    }

    // The rows the select gives for the key, each as its values joined by '|'.
    std::vector<std::string> Select(pdb::CSqliteStatement& select, const std::string& key) {
        std::vector<std::string> rows;
        EXPECT_TRUE(select.Run({key}, [&](const pdb::CSqliteRow& row) {
            std::string text;
            for (int i = 0; i < row.GetColumnCount(); ++i) {
                text += (i > 0 ? "|" : "") + row.GetValue(i).value_or("<null>");
            }
            rows.push_back(text);
            return true;
        })) << m_db.GetErrorText();
        return rows;
    }

    pdb::CSqliteDatabase m_db;
};

TEST_F(SqliteStatementTest, OneCompiledStatementRunsWithEachRowsValues) {
    pdb::CSqliteStatement insert;
    ASSERT_TRUE(insert.Prepare(m_db, "insert into T values(?, cast(? as real), ?)"));
    EXPECT_TRUE(insert.Run({"O'Neil", "0.100000", std::nullopt})) << m_db.GetErrorText();
    EXPECT_TRUE(insert.Run({"Oak", "60.000000", "soft"})) << m_db.GetErrorText();

    pdb::CSqliteStatement select;
    ASSERT_TRUE(select.Prepare(m_db, "select Key, Width, Note from T where Key=?"));
    EXPECT_EQ(Select(select, "O'Neil"), std::vector<std::string>{"O'Neil|0.1|<null>"});
    EXPECT_EQ(Select(select, "Oak"), std::vector<std::string>{"Oak|60.0|soft"});
    EXPECT_TRUE(Select(select, "Pine").empty());
}

TEST_F(SqliteStatementTest, FailedRunIsExplainedAndTheStatementRunsAgain) {
    pdb::CSqliteStatement insert;
    ASSERT_TRUE(insert.Prepare(m_db, "insert into T values(?, 1, NULL)"));
    ASSERT_TRUE(insert.Run({"A"}));
    EXPECT_FALSE(insert.Run({"A"}));
    EXPECT_NE(m_db.GetErrorText().find("UNIQUE"), std::string::npos) << m_db.GetErrorText();
    EXPECT_FALSE(insert.Run({"B", "C"}));
    EXPECT_TRUE(insert.Run({"B"})) << m_db.GetErrorText();

    pdb::CSqliteStatement broken;
    EXPECT_FALSE(broken.Prepare(m_db, "select * from Missing where Key=?"));
    EXPECT_NE(m_db.GetErrorText().find("Missing"), std::string::npos) << m_db.GetErrorText();
    EXPECT_FALSE(broken.Run({"A"}));
}

// A select that stops at its first row must not keep the file locked: the
// catalogue is shared by several connections, and a writer would wait for
// the lock and then fail.
TEST_F(SqliteStatementTest, SelectStoppedEarlyLeavesTheFileToOtherWriters) {
    ASSERT_TRUE(
        m_db.Execute("insert into T values('A', 1, NULL); insert into T values('B', 2, NULL)"));
    pdb::CSqliteStatement select;
    ASSERT_TRUE(select.Prepare(m_db, "select * from T where Width > ?"));
    int seen = 0;
    EXPECT_TRUE(select.Run({"0"}, [&](const pdb::CSqliteRow&) {
        ++seen;
        return false;
    }));
    EXPECT_EQ(seen, 1);

    pdb::CSqliteDatabase other;
    ASSERT_TRUE(other.Open(PathOf("s.db")));
    const auto start = std::chrono::steady_clock::now();
    EXPECT_TRUE(other.Execute("insert into T values('C', 3, NULL)")) << other.GetErrorText();
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));
}

}  // namespace

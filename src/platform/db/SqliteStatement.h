#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/db/SqliteDatabase.h"

namespace pdb {

// One statement compiled once and run again and again with new values, for
// work that repeats the same select or insert for many rows. It must be
// dropped before its database is closed or opened on another file.
class CSqliteStatement {
public:
    using Values = std::vector<std::optional<std::string>>;
    using RowHandler = std::function<bool(const CSqliteRow&)>;

    CSqliteStatement() = default;
    ~CSqliteStatement();

    CSqliteStatement(const CSqliteStatement&) = delete;
    CSqliteStatement& operator=(const CSqliteStatement&) = delete;

    // Compiles the one statement of sql on the database's connection; false,
    // with the database's error text set, when it does not compile.
    bool Prepare(CSqliteDatabase& database, std::string_view sql);
    bool IsPrepared() const { return m_statement != nullptr; }

    // Binds the values to the parameters in order (NULL for an empty
    // optional), runs the statement and hands each result row to onRow,
    // which returns false to stop early. The statement is ready for the next
    // run afterwards, whatever happened. False, with the database's error
    // text set, on failure.
    bool Run(const Values& values, const RowHandler& onRow = {});

private:
    bool Fail();

    CSqliteDatabase* m_database = nullptr;
    sqlite3_stmt* m_statement = nullptr;
    std::optional<CSqliteRow> m_row;
};

}  // namespace pdb

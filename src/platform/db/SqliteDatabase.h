#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;

namespace pdb {

// One row of a query: every value as SQLite's text form, NULL as nothing.
class CSqliteRow {
public:
    explicit CSqliteRow(std::vector<std::string> columnNames);

    int GetColumnCount() const { return static_cast<int>(m_names.size()); }
    const std::optional<std::string>& GetValue(int column) const { return m_values[column]; }

    // The value of the named column, the name matched ignoring ASCII case as
    // SQL does; null when the row has no such column.
    const std::optional<std::string>* Find(std::string_view columnName) const;

    void SetValue(int column, std::optional<std::string> value);

private:
    std::vector<std::string> m_names;
    std::vector<std::optional<std::string>> m_values;
};

// A connection to one SQLite database file. Every failing call keeps SQLite's
// explanation in GetErrorText.
class CSqliteDatabase {
public:
    enum class OpenMode {
        kExisting,  // the file must exist and be a database
        kCreate,    // a missing file is created empty
    };

    CSqliteDatabase() = default;
    ~CSqliteDatabase();

    CSqliteDatabase(const CSqliteDatabase&) = delete;
    CSqliteDatabase& operator=(const CSqliteDatabase&) = delete;

    // Closes a connection already open first. Other connections to the same
    // file wait up to five seconds for a lock before a statement fails.
    bool Open(const std::string& path, OpenMode mode = OpenMode::kExisting);
    void Close();
    bool IsOpen() const { return m_db != nullptr; }

    // Runs one or more statements; rows they return are dropped.
    bool Execute(std::string_view sql);

    // Runs one statement and hands each result row to onRow, which returns
    // false to stop early.
    bool Query(std::string_view sql, const std::function<bool(const CSqliteRow&)>& onRow);

    // Runs one statement with the values bound to its parameters in order,
    // NULL for an empty optional.
    bool ExecuteWithValues(std::string_view sql,
                           const std::vector<std::optional<std::string>>& values);

    const std::string& GetErrorText() const { return m_error; }

private:
    friend class CSqliteStatement;

    bool Fail(std::string_view what);
    // Compiles the first statement of sql into *statement, which stays null
    // when sql holds only white space or a comment; false, with the error
    // kept, when the database is not open or the statement does not compile.
    bool Prepare(std::string_view sql, sqlite3_stmt** statement);

    sqlite3* m_db = nullptr;
    std::string m_path;
    std::string m_error;
};

// The text with every single quote doubled, for a literal between single
// quotes in an SQL text.
std::string DoubleSingleQuotes(std::string_view text);

}  // namespace pdb

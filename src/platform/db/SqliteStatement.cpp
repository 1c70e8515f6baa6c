#include "platform/db/SqliteStatement.h"

#include <sqlite3.h>

#include <utility>

namespace pdb {

CSqliteStatement::~CSqliteStatement() {
    sqlite3_finalize(m_statement);
}

bool CSqliteStatement::Prepare(CSqliteDatabase& database, std::string_view sql) {
    sqlite3_finalize(m_statement);
    m_statement = nullptr;
    m_row.reset();
    m_database = &database;
    if (!database.Prepare(sql, &m_statement)) {
        return false;
    }
    if (m_statement == nullptr) {
        return database.Fail("沒有可執行的 SQL 指令。");
    }
    const int columns = sqlite3_column_count(m_statement);
    std::vector<std::string> names;
    names.reserve(static_cast<std::size_t>(columns));
    for (int i = 0; i < columns; ++i) {
        const char* name = sqlite3_column_name(m_statement, i);
        names.emplace_back(name != nullptr ? name : "");
    }
    m_row.emplace(std::move(names));
    return true;
}

bool CSqliteStatement::Fail() {
    const std::string error = sqlite3_errmsg(m_database->m_db);
    sqlite3_reset(m_statement);
    return m_database->Fail(error);
}

bool CSqliteStatement::Run(const Values& values, const RowHandler& onRow) {
    if (m_statement == nullptr) {
        return m_database != nullptr && m_database->Fail("沒有可執行的 SQL 指令。");
    }
    if (sqlite3_bind_parameter_count(m_statement) != static_cast<int>(values.size())) {
        return m_database->Fail("SQL 指令的參數個數與給定的值不符。");
    }
    for (std::size_t i = 0; i < values.size(); ++i) {
        const int index = static_cast<int>(i) + 1;
        const int rc =
            values[i] ? sqlite3_bind_text(m_statement, index, values[i]->data(),
                                          static_cast<int>(values[i]->size()), SQLITE_TRANSIENT)
                      : sqlite3_bind_null(m_statement, index);
        if (rc != SQLITE_OK) {
            return Fail();
        }
    }
    const int columns = m_row->GetColumnCount();
    for (;;) {
        const int rc = sqlite3_step(m_statement);
        if (rc == SQLITE_DONE) {
            break;
        }
        if (rc != SQLITE_ROW) {
            return Fail();
        }
        if (!onRow) {
            continue;
        }
        for (int i = 0; i < columns; ++i) {
            if (sqlite3_column_type(m_statement, i) == SQLITE_NULL) {
                m_row->SetValue(i, std::nullopt);
                continue;
            }
            const auto* value = reinterpret_cast<const char*>(sqlite3_column_text(m_statement, i));
            const int length = sqlite3_column_bytes(m_statement, i);
            m_row->SetValue(
                i, std::string(value != nullptr ? value : "", static_cast<std::size_t>(length)));
        }
        if (!onRow(*m_row)) {
            break;
        }
    }
    // A select stopped early would otherwise keep its read lock on the file.
    sqlite3_reset(m_statement);
    return true;
}

}  // namespace pdb

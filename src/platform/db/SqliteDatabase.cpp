#include "platform/db/SqliteDatabase.h"

#include <sqlite3.h>

#include <filesystem>
#include <memory>
#include <utility>

#include "platform/text/AsciiCase.h"

namespace pdb {

namespace {

constexpr int kBusyTimeoutMs = 5000;

struct StatementDeleter {
    void operator()(sqlite3_stmt* statement) const { sqlite3_finalize(statement); }
};
using StatementPtr = std::unique_ptr<sqlite3_stmt, StatementDeleter>;

}  // namespace

CSqliteRow::CSqliteRow(std::vector<std::string> columnNames)
    : m_names(std::move(columnNames)), m_values(m_names.size()) {}

const std::optional<std::string>* CSqliteRow::Find(std::string_view columnName) const {
    for (std::size_t i = 0; i < m_names.size(); ++i) {
        if (text::EqualsIgnoreAsciiCase(m_names[i], columnName)) {
            return &m_values[i];
        }
    }
    return nullptr;
}

void CSqliteRow::SetValue(int column, std::optional<std::string> value) {
    m_values[column] = std::move(value);
}

CSqliteDatabase::~CSqliteDatabase() {
    Close();
}

bool CSqliteDatabase::Open(const std::string& path, OpenMode mode) {
    Close();
    m_error.clear();
    m_path = path;
    // A device or FIFO in the catalogue's place would hang or feed SQLite
    // without end.
    std::error_code ec;
    const auto status = std::filesystem::status(path, ec);
    if (!ec && std::filesystem::exists(status) && !std::filesystem::is_regular_file(status)) {
        m_error = "「" + path + "」不是一般檔案，無法開啟資料庫。";
        return false;
    }
    int flags = SQLITE_OPEN_READWRITE;
    if (mode == OpenMode::kCreate) {
        flags |= SQLITE_OPEN_CREATE;
    }
    sqlite3* db = nullptr;
    const int rc = sqlite3_open_v2(path.c_str(), &db, flags, nullptr);
    if (rc != SQLITE_OK) {
        m_error = "「" + path + "」：" + (db != nullptr ? sqlite3_errmsg(db) : sqlite3_errstr(rc));
        sqlite3_close(db);
        return false;
    }
    m_db = db;
    sqlite3_busy_timeout(m_db, kBusyTimeoutMs);
    // SQLite reads the file lazily: touch the schema now so that a file that
    // is no database fails here rather than at the first statement.
    if (!Execute("select count(*) from sqlite_master")) {
        const std::string error = m_error;
        Close();
        m_error = error;
        return false;
    }
    return true;
}

void CSqliteDatabase::Close() {
    if (m_db != nullptr) {
        sqlite3_close_v2(m_db);
        m_db = nullptr;
    }
}

bool CSqliteDatabase::Fail(std::string_view what) {
    m_error = "「" + m_path + "」：" + std::string(what);
    return false;
}

bool CSqliteDatabase::Prepare(std::string_view sql, sqlite3_stmt** statement) {
    *statement = nullptr;
    if (m_db == nullptr) {
        return Fail("資料庫沒有開啟。");
    }
    if (sqlite3_prepare_v2(m_db, sql.data(), static_cast<int>(sql.size()), statement, nullptr) !=
        SQLITE_OK) {
        return Fail(sqlite3_errmsg(m_db));
    }
    return true;
}

bool CSqliteDatabase::Execute(std::string_view sql) {
    if (m_db == nullptr) {
        return Fail("資料庫沒有開啟。");
    }
    const std::string text(sql);
    char* message = nullptr;
    if (sqlite3_exec(m_db, text.c_str(), nullptr, nullptr, &message) != SQLITE_OK) {
        const std::string error = message != nullptr ? message : sqlite3_errmsg(m_db);
        sqlite3_free(message);
        return Fail(error);
    }
    return true;
}

bool CSqliteDatabase::Query(std::string_view sql,
                            const std::function<bool(const CSqliteRow&)>& onRow) {
    sqlite3_stmt* raw = nullptr;
    if (!Prepare(sql, &raw)) {
        return false;
    }
    StatementPtr statement(raw);
    if (statement == nullptr) {
        return true;  // only white space or a comment
    }
    const int columns = sqlite3_column_count(statement.get());
    std::vector<std::string> names;
    names.reserve(columns);
    for (int i = 0; i < columns; ++i) {
        const char* name = sqlite3_column_name(statement.get(), i);
        names.emplace_back(name != nullptr ? name : "");
    }
    CSqliteRow row(std::move(names));
    for (;;) {
        const int rc = sqlite3_step(statement.get());
        if (rc == SQLITE_DONE) {
            return true;
        }
        if (rc != SQLITE_ROW) {
            return Fail(sqlite3_errmsg(m_db));
        }
        for (int i = 0; i < columns; ++i) {
            if (sqlite3_column_type(statement.get(), i) == SQLITE_NULL) {
                row.SetValue(i, std::nullopt);
                continue;
            }
            const auto* value =
                reinterpret_cast<const char*>(sqlite3_column_text(statement.get(), i));
            const int length = sqlite3_column_bytes(statement.get(), i);
            row.SetValue(
                i, std::string(value != nullptr ? value : "", static_cast<std::size_t>(length)));
        }
        if (!onRow(row)) {
            return true;
        }
    }
}

bool CSqliteDatabase::ExecuteWithValues(std::string_view sql,
                                        const std::vector<std::optional<std::string>>& values) {
    sqlite3_stmt* raw = nullptr;
    if (!Prepare(sql, &raw)) {
        return false;
    }
    StatementPtr statement(raw);
    if (statement == nullptr) {
        return Fail("沒有可執行的 SQL 指令。");
    }
    if (sqlite3_bind_parameter_count(statement.get()) != static_cast<int>(values.size())) {
        return Fail("SQL 指令的參數個數與給定的值不符。");
    }
    for (std::size_t i = 0; i < values.size(); ++i) {
        const int index = static_cast<int>(i) + 1;
        const int rc =
            values[i] ? sqlite3_bind_text(statement.get(), index, values[i]->data(),
                                          static_cast<int>(values[i]->size()), SQLITE_TRANSIENT)
                      : sqlite3_bind_null(statement.get(), index);
        if (rc != SQLITE_OK) {
            return Fail(sqlite3_errmsg(m_db));
        }
    }
    int rc = SQLITE_ROW;
    while (rc == SQLITE_ROW) {
        rc = sqlite3_step(statement.get());
    }
    return rc == SQLITE_DONE || Fail(sqlite3_errmsg(m_db));
}

std::string DoubleSingleQuotes(std::string_view text) {
    std::string doubled;
    doubled.reserve(text.size());
    for (const char c : text) {
        doubled += c;
        if (c == '\'') {
            doubled += '\'';
        }
    }
    return doubled;
}

}  // namespace pdb

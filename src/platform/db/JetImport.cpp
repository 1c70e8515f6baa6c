#include "platform/db/JetImport.h"

#include <mdbtools.h>
#include <stdlib.h>

#include <cstring>
#include <filesystem>
#include <memory>
#include <optional>
#include <vector>

#include "platform/db/SqliteDatabase.h"
#include "platform/text/CLocale.h"

namespace pdb {

namespace {

struct MdbCloser {
    void operator()(MdbHandle* mdb) const { mdb_close(mdb); }
};

struct TableDefDeleter {
    void operator()(MdbTableDef* table) const { mdb_free_tabledef(table); }
};

std::string QuoteIdentifier(const char* name) {
    std::string quoted = "\"";
    for (const char* c = name; *c != '\0'; ++c) {
        quoted += *c;
        if (*c == '"') {
            quoted += '"';
        }
    }
    return quoted + "\"";
}

const char* SqliteColumnType(int jetType) {
    switch (jetType) {
        case MDB_BOOL:
        case MDB_BYTE:
        case MDB_INT:
        case MDB_LONGINT:
            return "INTEGER";
        case MDB_MONEY:
        case MDB_FLOAT:
        case MDB_DOUBLE:
        case MDB_NUMERIC:
            return "REAL";
        case MDB_TEXT:
        case MDB_MEMO:
            return "TEXT COLLATE NOCASE";
        default:
            return "TEXT";
    }
}

bool CopyTable(MdbCatalogEntry* entry, CSqliteDatabase& target, std::string& error) {
    std::unique_ptr<MdbTableDef, TableDefDeleter> table(mdb_read_table(entry));
    if (table == nullptr || mdb_read_columns(table.get()) == nullptr) {
        error = std::string("無法讀取資料表「") + entry->object_name + "」。";
        return false;
    }
    const unsigned columnCount = table->num_cols;
    std::string create = "create table " + QuoteIdentifier(table->name) + " (";
    std::string insert = "insert into " + QuoteIdentifier(table->name) + " values (";
    for (unsigned i = 0; i < columnCount; ++i) {
        const auto* column = static_cast<MdbColumn*>(g_ptr_array_index(table->columns, i));
        if (i > 0) {
            create += ", ";
            insert += ", ";
        }
        create += QuoteIdentifier(column->name) + " " + SqliteColumnType(column->col_type);
        insert += "?";
    }
    create += ")";
    insert += ")";
    if (!target.Execute(create)) {
        error = target.GetErrorText();
        return false;
    }

    std::vector<std::vector<char>> buffers(columnCount, std::vector<char>(MDB_BIND_SIZE + 1));
    std::vector<int> lengths(columnCount, 0);
    for (unsigned i = 0; i < columnCount; ++i) {
        mdb_bind_column(table.get(), static_cast<int>(i) + 1, buffers[i].data(), &lengths[i]);
    }
    mdb_rewind_table(table.get());
    std::vector<std::optional<std::string>> values(columnCount);
    while (mdb_fetch_row(table.get())) {
        for (unsigned i = 0; i < columnCount; ++i) {
            // libmdb gives NULL as a value of length 0.
            if (lengths[i] <= 0) {
                values[i].reset();
            } else {
                values[i] = std::string(buffers[i].data(),
                                        strnlen(buffers[i].data(), buffers[i].size() - 1));
            }
        }
        if (!target.ExecuteWithValues(insert, values)) {
            error = target.GetErrorText();
            return false;
        }
    }
    return true;
}

bool CopyDatabase(const std::string& mdbPath, CSqliteDatabase& target, std::string& error) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(mdbPath, ec)) {
        error = "「" + mdbPath + "」不是一般檔案，無法匯入。";
        return false;
    }
    // Jet 3 files carry no code page; the catalogue's texts are Big5. libmdb
    // reads the setting when it opens the file.
    setenv("MDB_JET3_CHARSET", "CP950", 1);
    std::unique_ptr<MdbHandle, MdbCloser> mdb(mdb_open(mdbPath.c_str(), MDB_NOFLAGS));
    if (mdb == nullptr) {
        error = "「" + mdbPath + "」不是 Jet 資料庫，或無法讀取。";
        return false;
    }
    GPtrArray* catalog = mdb_read_catalog(mdb.get(), MDB_TABLE);
    if (catalog == nullptr) {
        error = "無法讀取「" + mdbPath + "」的資料表清單。";
        return false;
    }
    if (!target.Execute("begin")) {
        error = target.GetErrorText();
        return false;
    }
    for (guint i = 0; i < catalog->len; ++i) {
        auto* entry = static_cast<MdbCatalogEntry*>(g_ptr_array_index(catalog, i));
        if (entry->object_type != MDB_TABLE || !mdb_is_user_table(entry)) {
            continue;
        }
        if (!CopyTable(entry, target, error)) {
            error = "「" + mdbPath + "」：" + error;
            return false;
        }
    }
    if (!target.Execute("commit")) {
        error = target.GetErrorText();
        return false;
    }
    return true;
}

}  // namespace

bool ImportJetDatabase(const std::string& mdbPath, const std::string& dbPath, std::string& error) {
    namespace fs = std::filesystem;
    std::error_code ec;
    if (fs::exists(dbPath, ec) || ec) {
        error = "「" + dbPath + "」已經存在，不會覆蓋。";
        return false;
    }
    const std::string partPath = dbPath + ".import";
    fs::remove(partPath, ec);

    bool copied = false;
    {
        // libmdb prints numbers with printf: keep a comma-decimal user locale
        // out of the copied values.
        const text::CScopedCLocale cLocale;
        CSqliteDatabase target;
        copied = target.Open(partPath, CSqliteDatabase::OpenMode::kCreate);
        if (!copied) {
            error = target.GetErrorText();
        } else {
            copied = CopyDatabase(mdbPath, target, error);
        }
    }
    if (copied) {
        fs::rename(partPath, dbPath, ec);
        if (ec) {
            error = dbPath + ": " + ec.message();
            copied = false;
        }
    }
    if (!copied) {
        fs::remove(partPath, ec);
    }
    return copied;
}

}  // namespace pdb

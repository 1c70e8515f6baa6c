#include "library/ModelDatabase.h"

#include <charconv>
#include <cmath>
#include <filesystem>
#include <optional>
#include <utility>

#include "foundation/ApplicationValues.h"
#include "foundation/PathUtils.h"
#include "foundation/Prompt.h"
#include "foundation/TextFormat.h"
#include "library/CatalogQueries.h"
#include "library/ModelCatalogEntry.h"
#include "library/PictureCatalogEntry.h"
#include "library/TextureCatalogEntry.h"
#include "objects/LibraryCatalog.h"
#include "platform/db/JetImport.h"
#include "platform/db/SqliteDatabase.h"
#include "platform/db/SqliteStatement.h"

namespace {

constexpr const char* kConnectErrorFormat = "Connect Database error!\r\nmessage:%s";
constexpr const char* kStatementErrorFormat = "Database error!\r\nmessage:%s";
// A model's row key drops the file name's extension and its dot.
constexpr std::size_t kModelExtensionLength = 4;

std::string TextOf(const pdb::CSqliteRow& row, std::string_view column) {
    const std::optional<std::string>* value = row.Find(column);
    return value != nullptr && value->has_value() ? **value : std::string();
}

// Text columns reach an entry or a cost item only when they hold a value.
void CopyTextIfSet(const pdb::CSqliteRow& row, std::string_view column, std::string& out) {
    const std::optional<std::string>* value = row.Find(column);
    if (value != nullptr && value->has_value()) {
        out = **value;
    }
}

template <typename Number>
Number NumberOf(const pdb::CSqliteRow& row, std::string_view column) {
    Number number = 0;
    const std::string text = TextOf(row, column);
    std::from_chars(text.data(), text.data() + text.size(), number);
    return number;
}

float FloatOf(const pdb::CSqliteRow& row, std::string_view column) {
    return NumberOf<float>(row, column);
}

int IntOf(const pdb::CSqliteRow& row, std::string_view column) {
    return NumberOf<int>(row, column);
}

std::string Quoted(std::string_view text) {
    return "'" + pdb::DoubleSingleQuotes(text) + "'";
}

// A size or price from a damaged file may be NaN or infinite, which no
// number column should hold: it is stored as 0. The number goes in as the
// text "%f" makes of it, and the insert casts it to real, so that SQLite
// reads the very digits a number in the statement's text would have had.
std::optional<std::string> StoredNumber(double value) {
    return FormatString("%f", std::isfinite(value) ? value : 0.0);
}

// The inserts of a new row; Rate (and a picture's reserved columns) start
// at 0.
constexpr const char* kInsertModelRow =
    "insert into QVXModels values(?,?,cast(? as real),cast(? as real),cast(? as real),"
    "cast(? as real),?,?, 0,?)";
constexpr const char* kInsertTextureRow =
    "insert into Maps values(?,?,cast(? as real),cast(? as real),cast(? as real),?,?,0,?)";
constexpr const char* kInsertPictureRow =
    "insert into TMaps values(?,?,cast(? as real),cast(? as real),cast(? as real),?,?,0,0,0,?)";

template <typename Entry>
int SortByRate(bool open, CatalogEntryList& list) {
    if (!open) {
        return 0;
    }
    const int count = static_cast<int>(list.size());
    const auto rate = [&](int index) { return static_cast<const Entry*>(list[index].get())->rate; };
    int i = 0;
    for (; i < count - 1; ++i) {
        for (int j = i + 1; j < count; ++j) {
            if (rate(i) < rate(j)) {
                std::swap(list[i], list[j]);
            }
        }
    }
    return i;
}

}  // namespace

CModelDatabase::CModelDatabase() = default;

CModelDatabase::~CModelDatabase() {
    Close();
}

int CModelDatabase::Open(const std::string& path) {
    Close();
    m_connection = std::make_unique<pdb::CSqliteDatabase>();
    std::string error;
    std::error_code ec;
    const std::string jetPath = ChangePathExtension(path, "mdb");
    if (jetPath != path && !std::filesystem::exists(path, ec) &&
        std::filesystem::exists(jetPath, ec) && !pdb::ImportJetDatabase(jetPath, path, error)) {
        ShowMessage(FormatString(kConnectErrorFormat, error.c_str()), PromptButtons::Ok,
                    PromptIcon::Error);
        return 0;
    }
    if (!m_connection->Open(path)) {
        ShowMessage(FormatString(kConnectErrorFormat, m_connection->GetErrorText().c_str()),
                    PromptButtons::Ok, PromptIcon::Error);
        return 0;
    }
    m_bOpen = 1;
    return 1;
}

void CModelDatabase::Close() {
    if (m_bOpen) {
        m_statements.clear();
        m_connection->Close();
        m_bOpen = 0;
        m_inScanTransaction = false;
    }
}

void CModelDatabase::ReportFailure() {
    ReportFailure(m_connection->GetErrorText());
}

void CModelDatabase::ReportFailure(const std::string& reason) {
    ShowMessage(FormatString(kStatementErrorFormat, reason.c_str()), PromptButtons::Ok,
                PromptIcon::Error);
    // The rows a scan wrote before the failure stay, as they would have one
    // statement at a time; closing would roll them back.
    if (m_inScanTransaction) {
        m_inScanTransaction = false;
        m_connection->Execute("commit");
    }
    Close();
}

CModelDatabase::CScanTransaction::CScanTransaction(CModelDatabase& database)
    : m_database(database) {
    if (!m_database.m_bOpen || m_database.m_inScanTransaction) {
        return;
    }
    if (!m_database.m_connection->Execute("begin")) {
        m_database.ReportFailure();
        return;
    }
    m_began = true;
    m_database.m_inScanTransaction = true;
}

CModelDatabase::CScanTransaction::~CScanTransaction() {
    if (!m_began || !m_database.m_inScanTransaction) {
        return;
    }
    m_database.m_inScanTransaction = false;
    if (m_database.m_bOpen && !m_database.m_connection->Execute("commit")) {
        m_database.ReportFailure();
    }
}

pdb::CSqliteStatement* CModelDatabase::CachedStatement(std::string_view sql) {
    const auto kept = m_statements.find(sql);
    if (kept != m_statements.end()) {
        return kept->second.get();
    }
    auto statement = std::make_unique<pdb::CSqliteStatement>();
    if (!statement->Prepare(*m_connection, sql)) {
        return nullptr;
    }
    return m_statements.emplace(std::string(sql), std::move(statement)).first->second.get();
}

bool CModelDatabase::ReadFirstRow(const char* selectSql, std::string_view key,
                                  const RowHandler& onRow, bool* found) {
    bool any = false;
    pdb::CSqliteStatement* select = CachedStatement(selectSql);
    const bool ran =
        select != nullptr && select->Run({std::string(key)}, [&](const pdb::CSqliteRow& row) {
            onRow(row);
            any = true;
            return false;
        });
    if (!ran) {
        ReportFailure();
        return false;
    }
    if (found != nullptr) {
        *found = any;
    }
    return true;
}

bool CModelDatabase::RunStatement(const std::string& sql) {
    if (!m_connection->Execute(sql)) {
        ReportFailure();
        return false;
    }
    return true;
}

bool CModelDatabase::RunStatement(const std::string& sql, const StatementValues& values) {
    pdb::CSqliteStatement* statement = CachedStatement(sql);
    if (statement == nullptr || !statement->Run(values)) {
        ReportFailure();
        return false;
    }
    return true;
}

std::string CModelDatabase::GetModelRowKey(std::string_view path) {
    std::string name = GetPathFileName(path);
    if (name.size() <= kModelExtensionLength) {
        return std::string();
    }
    name.resize(name.size() - kModelExtensionLength);
    return name;
}

std::string CModelDatabase::GetFileRowKey(std::string_view path) {
    return GetPathFileName(path);
}

void CModelDatabase::SyncModelEntry(ModelCatalogEntry& entry) {
    if (!m_bOpen) {
        return;
    }
    const std::string key = GetModelRowKey(entry.filePath);
    bool found = false;
    if (ReadFirstRow(
            kSelectModelRow, key, [&](const pdb::CSqliteRow& row) { ReadModelRow(row, entry); },
            &found) &&
        !found) {
        InsertModelRow(key, entry);
    }
}

void CModelDatabase::SyncTextureEntry(TextureCatalogEntry& entry) {
    if (!m_bOpen) {
        return;
    }
    const std::string key = GetFileRowKey(entry.filePath);
    bool found = false;
    if (ReadFirstRow(
            kSelectTextureRow, key, [&](const pdb::CSqliteRow& row) { ReadTextureRow(row, entry); },
            &found) &&
        !found) {
        InsertTextureRow(key, entry);
    }
}

void CModelDatabase::SyncPictureEntry(PictureCatalogEntry& entry) {
    if (!m_bOpen) {
        return;
    }
    const std::string key = GetFileRowKey(entry.filePath);
    bool found = false;
    if (ReadFirstRow(
            kSelectPictureRow, key, [&](const pdb::CSqliteRow& row) { ReadPictureRow(row, entry); },
            &found) &&
        !found) {
        InsertPictureRow(key, entry);
    }
}

// Name is never NULL, however empty.
void CModelDatabase::InsertModelRow(const std::string& key, const ModelCatalogEntry& entry) {
    RunStatement(kInsertModelRow, {key, entry.name, StoredNumber(entry.width),
                                   StoredNumber(entry.depth), StoredNumber(entry.height),
                                   StoredNumber(entry.price), TextOrNull(entry.description),
                                   TextOrNull(entry.serialNumber), TextOrNull(entry.vendor)});
}

void CModelDatabase::InsertTextureRow(const std::string& key, const TextureCatalogEntry& entry) {
    RunStatement(kInsertTextureRow,
                 {key, entry.name, StoredNumber(entry.width), StoredNumber(entry.height),
                  StoredNumber(entry.price), TextOrNull(entry.description),
                  TextOrNull(entry.serialNumber), TextOrNull(entry.vendor)});
}

void CModelDatabase::InsertPictureRow(const std::string& key, const PictureCatalogEntry& entry) {
    RunStatement(kInsertPictureRow,
                 {key, entry.name, StoredNumber(entry.width), StoredNumber(entry.height),
                  StoredNumber(entry.price), TextOrNull(entry.description),
                  TextOrNull(entry.serialNumber), TextOrNull(entry.vendor)});
}

void CModelDatabase::ReadModelRow(const pdb::CSqliteRow& row, ModelCatalogEntry& entry) {
    entry.name = TextOf(row, "Name");
    entry.width = FloatOf(row, "Width");
    entry.depth = FloatOf(row, "Depth");
    entry.height = FloatOf(row, "Height");
    entry.price = FloatOf(row, "Price");
    entry.description = TextOf(row, "Description");
    entry.serialNumber = TextOf(row, "SerialNo");
    entry.rate = IntOf(row, "Rate");
    entry.vendor = TextOf(row, "Vender");
}

void CModelDatabase::ReadTextureRow(const pdb::CSqliteRow& row, TextureCatalogEntry& entry) {
    entry.name = TextOf(row, "Name");
    // A texture without a stored size keeps the one its file gave.
    if (const float width = FloatOf(row, "Width"); width > 0) {
        entry.width = width;
    }
    if (const float height = FloatOf(row, "Height"); height > 0) {
        entry.height = height;
    }
    entry.price = FloatOf(row, "Price");
    entry.description = TextOf(row, "Description");
    entry.serialNumber = TextOf(row, "SerialNo");
    entry.vendor = TextOf(row, "Vender");
    entry.rate = IntOf(row, "Rate");
}

void CModelDatabase::ReadPictureRow(const pdb::CSqliteRow& row, PictureCatalogEntry& entry) {
    entry.name = TextOf(row, "Name");
    entry.width = FloatOf(row, "Width");
    entry.height = FloatOf(row, "Height");
    entry.price = FloatOf(row, "Price");
    CopyTextIfSet(row, "Description", entry.description);
    entry.serialNumber = TextOf(row, "SerialNo");
    entry.vendor = TextOf(row, "Vender");
    entry.rate = IntOf(row, "Rate");
}

void CModelDatabase::SetModelRate(const std::string& name, int rate) {
    if (m_bOpen) {
        RunStatement(FormatString("update QVXModels set Rate=%d where FileName=%s", rate,
                                  Quoted(name).c_str()));
    }
}

void CModelDatabase::SetPictureRate(const std::string& name, int rate) {
    if (m_bOpen) {
        RunStatement(
            FormatString("update TMaps set Rate=%d where FileName=%s", rate, Quoted(name).c_str()));
    }
}

void CModelDatabase::SetTextureRate(const std::string& name, int rate) {
    if (m_bOpen) {
        RunStatement(
            FormatString("update Maps set Rate=%d where FileName=%s", rate, Quoted(name).c_str()));
    }
}

int CModelDatabase::SortModelsByRate(CatalogEntryList& list) {
    return SortByRate<ModelCatalogEntry>(IsOpen(), list);
}

int CModelDatabase::SortPicturesByRate(CatalogEntryList& list) {
    return SortByRate<PictureCatalogEntry>(IsOpen(), list);
}

int CModelDatabase::SortTexturesByRate(CatalogEntryList& list) {
    return SortByRate<TextureCatalogEntry>(IsOpen(), list);
}

int CModelDatabase::LookupCostInfo(const char* selectSql, std::string_view key,
                                   const RowHandler& copy) {
    if (!Open(CLibraryCatalog::GetCatalogFilePath(GetProgramFolder()))) {
        return 0;
    }
    if (!ReadFirstRow(selectSql, key, copy, nullptr)) {
        return 0;
    }
    Close();
    return 1;
}

int CModelDatabase::LookupModelCostInfo(const std::string& key, CostItemRecord& item) {
    return LookupCostInfo(kSelectModelRow, key, [&](const pdb::CSqliteRow& row) {
        CopyTextIfSet(row, "SerialNo", item.serialNumber);
        CopyTextIfSet(row, "Vender", item.vendor);
        CopyTextIfSet(row, "Description", item.description);
    });
}

int CModelDatabase::LookupPictureCostInfo(const std::string& key, CostItemRecord& item) {
    return LookupCostInfo(kSelectPictureRow, key, [&](const pdb::CSqliteRow& row) {
        CopyTextIfSet(row, "SerialNo", item.serialNumber);
        CopyTextIfSet(row, "Vender", item.vendor);
        CopyTextIfSet(row, "Description", item.description);
    });
}

int CModelDatabase::LookupTextureCostInfo(const std::string& fileName, CostItemRecord& item) {
    return LookupCostInfo(kSelectTextureRow, fileName, [&](const pdb::CSqliteRow& row) {
        CopyTextIfSet(row, "Name", item.name);
        item.tileWidth = FloatOf(row, "Width");
        item.tileHeight = FloatOf(row, "Height");
        CopyTextIfSet(row, "SerialNo", item.serialNumber);
        item.unitPrice = FloatOf(row, "Price");
        CopyTextIfSet(row, "Vender", item.vendor);
        CopyTextIfSet(row, "Description", item.description);
    });
}

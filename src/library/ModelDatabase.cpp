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

// An empty text is stored as NULL.
std::string QuotedOrNull(std::string_view text) {
    return text.empty() ? std::string("NULL") : Quoted(text);
}

// A size or price from a damaged file may be NaN or infinite; printed into
// the statement it would be read as a column name and fail the whole scan.
double StoredNumber(double value) {
    return std::isfinite(value) ? value : 0.0;
}

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

bool CModelDatabase::ReadFirstRow(const char* selectFormat, std::string_view key,
                                  const RowHandler& onRow, bool* found) {
    const std::string sql = FormatString(selectFormat, pdb::DoubleSingleQuotes(key).c_str());
    bool any = false;
    const bool ran = m_connection->Query(sql, [&](const pdb::CSqliteRow& row) {
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
    if (!m_connection->ExecuteWithValues(sql, values)) {
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

void CModelDatabase::InsertModelRow(const std::string& key, const ModelCatalogEntry& entry) {
    RunStatement(
        FormatString("insert into QVXModels values(%s,%s,%f,%f,%f,%f,%s,%s, 0,%s)",
                     Quoted(key).c_str(), Quoted(entry.name).c_str(), StoredNumber(entry.width),
                     StoredNumber(entry.depth), StoredNumber(entry.height),
                     StoredNumber(entry.price), QuotedOrNull(entry.description).c_str(),
                     QuotedOrNull(entry.serialNumber).c_str(), QuotedOrNull(entry.vendor).c_str()));
}

void CModelDatabase::InsertTextureRow(const std::string& key, const TextureCatalogEntry& entry) {
    RunStatement(FormatString(
        "insert into Maps values(%s,%s,%f,%f,%f,%s,%s,0,%s)", Quoted(key).c_str(),
        Quoted(entry.name).c_str(), StoredNumber(entry.width), StoredNumber(entry.height),
        StoredNumber(entry.price), QuotedOrNull(entry.description).c_str(),
        QuotedOrNull(entry.serialNumber).c_str(), QuotedOrNull(entry.vendor).c_str()));
}

void CModelDatabase::InsertPictureRow(const std::string& key, const PictureCatalogEntry& entry) {
    RunStatement(FormatString(
        "insert into TMaps values(%s,%s,%f,%f,%f,%s,%s,0,0,0,%s)", Quoted(key).c_str(),
        Quoted(entry.name).c_str(), StoredNumber(entry.width), StoredNumber(entry.height),
        StoredNumber(entry.price), QuotedOrNull(entry.description).c_str(),
        QuotedOrNull(entry.serialNumber).c_str(), QuotedOrNull(entry.vendor).c_str()));
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

int CModelDatabase::LookupCostInfo(const char* selectFormat, std::string_view key,
                                   const RowHandler& copy) {
    if (!Open(CLibraryCatalog::GetCatalogFilePath(GetProgramFolder()))) {
        return 0;
    }
    if (!ReadFirstRow(selectFormat, key, copy, nullptr)) {
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

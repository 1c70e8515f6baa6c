#include <optional>
#include <string>
#include <utility>

#include "foundation/TextFormat.h"
#include "library/CatalogQueries.h"
#include "library/ModelCatalogEntry.h"
#include "library/ModelDatabase.h"
#include "library/PictureCatalogEntry.h"
#include "library/TextureCatalogEntry.h"
#include "platform/db/SqliteDatabase.h"

namespace {

// Sizes and prices are single-precision in the catalogue; nine digits bring
// the same float back.
std::optional<std::string> FloatValue(double value) {
    return FormatString("%.9g", static_cast<double>(static_cast<float>(value)));
}

}  // namespace

void CModelDatabase::UpdateRow(const char* selectSql, const std::string& updateSql,
                               const std::string& key, StatementValues values) {
    bool found = false;
    if (!ReadFirstRow(
            selectSql, key, [](const pdb::CSqliteRow&) {}, &found)) {
        return;
    }
    if (!found) {
        ReportFailure("資料庫中找不到「" + key + "」的資料。");
        return;
    }
    values.emplace_back(key);
    RunStatement(updateSql, values);
}

// Name is never NULL: a scan reads it as the entry's name, and an empty one
// is stored as '' just as an insert stores it.
void CModelDatabase::UpdateModelRow(const ModelCatalogEntry& entry) {
    if (!m_bOpen) {
        return;
    }
    UpdateRow(kSelectModelRow,
              "update QVXModels set Price=?, Width=?, Depth=?, Height=?, Name=?, SerialNo=?,"
              " Vender=?, Description=? where FileName=?",
              GetModelRowKey(entry.filePath),
              {FloatValue(entry.price), FloatValue(entry.width), FloatValue(entry.depth),
               FloatValue(entry.height), entry.name, TextOrNull(entry.serialNumber),
               TextOrNull(entry.vendor), TextOrNull(entry.description)});
}

void CModelDatabase::UpdateTextureRow(const TextureCatalogEntry& entry) {
    if (!m_bOpen) {
        return;
    }
    UpdateRow(
        kSelectTextureRow,
        "update Maps set Price=?, Width=?, Height=?, Name=?, SerialNo=?, Vender=?,"
        " Description=? where FileName=?",
        GetFileRowKey(entry.filePath),
        {FloatValue(entry.price), FloatValue(entry.width), FloatValue(entry.height), entry.name,
         TextOrNull(entry.serialNumber), TextOrNull(entry.vendor), TextOrNull(entry.description)});
}

void CModelDatabase::UpdatePictureRow(const PictureCatalogEntry& entry) {
    if (!m_bOpen) {
        return;
    }
    UpdateRow(
        kSelectPictureRow,
        "update TMaps set Price=?, Width=?, Height=?, Name=?, SerialNo=?, Vender=?,"
        " Description=? where FileName=?",
        GetFileRowKey(entry.filePath),
        {FloatValue(entry.price), FloatValue(entry.width), FloatValue(entry.height), entry.name,
         TextOrNull(entry.serialNumber), TextOrNull(entry.vendor), TextOrNull(entry.description)});
}

void CModelDatabase::DeleteModelRow(const ModelCatalogEntry& entry) {
    if (m_bOpen) {
        RunStatement("delete from QVXModels where FileName=?", {GetModelRowKey(entry.filePath)});
    }
}

void CModelDatabase::DeleteTextureRow(const TextureCatalogEntry& entry) {
    if (m_bOpen) {
        RunStatement("delete from Maps where FileName=?", {GetFileRowKey(entry.filePath)});
    }
}

void CModelDatabase::DeletePictureRow(const PictureCatalogEntry& entry) {
    if (m_bOpen) {
        RunStatement("delete from TMaps where FileName=?", {GetFileRowKey(entry.filePath)});
    }
}

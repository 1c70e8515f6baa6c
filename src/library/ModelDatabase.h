#pragma once

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "objects/CatalogDatabase.h"
#include "objects/CostItemRecord.h"

class CModelPackage;
struct MaterialFileRecord;
struct ModelCatalogEntry;
struct PictureCatalogEntry;
struct TextureCatalogEntry;

namespace pdb {
class CSqliteDatabase;
class CSqliteRow;
class CSqliteStatement;
}  // namespace pdb

// The catalogue database: for every file of the model, texture and picture
// libraries the display name, real size, price, texts and favourite rate that
// the files themselves do not hold. Every SQL text of the program is here.
//
// While it is not open, every operation but Open, Close, the door and window
// sizes and the cost look-ups does nothing. A statement that fails on an open
// database is reported once and closes the database, so the libraries go on
// from their files alone and the entry keeps what it held.
class CModelDatabase : public CCatalogDatabase {
public:
    CModelDatabase();
    ~CModelDatabase() override;

    CModelDatabase(const CModelDatabase&) = delete;
    CModelDatabase& operator=(const CModelDatabase&) = delete;

    // 1 when open. When the file is missing but a Jet catalogue of the same
    // name with the extension .mdb lies beside it, that one is imported into
    // it first. On failure "Connect Database error!\r\nmessage:%s" tells the
    // user why and the result is 0.
    int Open(const std::string& path) override;
    void Close() override;
    bool IsOpen() const override { return m_bOpen != 0; }

    // Append the folder's entries, each kept in step with its row (a new
    // file gets a row, a known one takes the row's values). Models are looked
    // for in sub-folders too, except hidden and linked ones. Names come in
    // the order of FindFiles; names longer than 54 CP950 bytes, or without a
    // CP950 form, are skipped. A scan's statements run in one transaction.
    void ScanModelFolder(const std::string& folder, CatalogEntryList& list) override;
    void ScanPictureFolder(const std::string& folder, CatalogEntryList& list) override;
    void ScanTextureFolder(const std::string& folder, CatalogEntryList& list) override;

    // Write the Rate of the row whose FileName is the given row key.
    void SetModelRate(const std::string& name, int rate) override;
    void SetPictureRate(const std::string& name, int rate) override;
    void SetTextureRate(const std::string& name, int rate) override;

    // Order the list by rate, highest first, by exchanging entries i < j
    // whenever i's rate is lower, so that equal rates keep the order that
    // exchange sequence gives. Returns the outer loop count; 0, with the list
    // unchanged, while the database is not open.
    int SortModelsByRate(CatalogEntryList& list) override;
    int SortPicturesByRate(CatalogEntryList& list) override;
    int SortTexturesByRate(CatalogEntryList& list) override;

    // Write an edited entry's name, size, price and texts into its row; the
    // rate stays. Empty texts are stored as NULL, but an empty name as ''.
    // A missing row is reported as a failing statement is.
    void UpdateModelRow(const ModelCatalogEntry& entry);
    void UpdateTextureRow(const TextureCatalogEntry& entry);
    void UpdatePictureRow(const PictureCatalogEntry& entry);

    // Delete the row of the entry's file.
    void DeleteModelRow(const ModelCatalogEntry& entry);
    void DeleteTextureRow(const TextureCatalogEntry& entry);
    void DeletePictureRow(const PictureCatalogEntry& entry);

    // Rebuild the entry's row from the file it holds: delete the row, fill
    // the entry again from its package or material record (a model keeps its
    // size) and insert it anew with rate 0. The entry's rate stays as it was.
    void ReloadModelEntry(ModelCatalogEntry& entry);
    void ReloadTextureEntry(TextureCatalogEntry& entry);
    void ReloadPictureEntry(PictureCatalogEntry& entry);

    // Append the stored door and window sizes, or the built-in ones while
    // the database is not open, whose width and height are below the limits.
    void GetDoorWindowSizes(std::vector<std::string>& sizes, int widthLimit,
                            int heightLimit) override;
    // 0 when added or deleted, E_FAIL when the same text is stored already,
    // E_UNEXPECTED when the statement failed (reported), 1 while not open.
    int AddDoorWindowSize(const std::string& size) override;
    int DeleteDoorWindowSize(const std::string& size) override;

    // Insert the entry as a new row, or read its existing row into it.
    void SyncModelEntry(ModelCatalogEntry& entry);
    void SyncTextureEntry(TextureCatalogEntry& entry);
    void SyncPictureEntry(PictureCatalogEntry& entry);

    // Copy a file's texts, price and (textures and pictures) size into its
    // entry; an empty name becomes "New Model" or "New Texture".
    static void FillModelEntry(const CModelPackage& package, ModelCatalogEntry& entry);
    static void FillTextureEntry(const MaterialFileRecord& record, TextureCatalogEntry& entry);
    static void FillPictureEntry(const MaterialFileRecord& record, PictureCatalogEntry& entry);

    // The cost look-ups open the program folder's catalogue themselves, copy
    // the row's catalogue fields into the item (text columns only when not
    // NULL; the item is left as it was without a row) and close it again.
    // 1 when the catalogue was read, else 0.
    int LookupModelCostInfo(const std::string& key, CostItemRecord& item) override;
    int LookupPictureCostInfo(const std::string& key, CostItemRecord& item) override;
    int LookupTextureCostInfo(const std::string& fileName, CostItemRecord& item) override;

    // Row keys: a model's file name without its last four characters (the
    // extension and its dot), empty when it has no more; a texture's or
    // picture's file name with its extension.
    static std::string GetModelRowKey(std::string_view path);
    static std::string GetFileRowKey(std::string_view path);

private:
    using RowHandler = std::function<void(const pdb::CSqliteRow&)>;
    using StatementValues = std::vector<std::optional<std::string>>;

    // Holds the statements of one folder scan, nested scans included, in one
    // transaction: one at a time, every insert would be a commit of its own.
    class CScanTransaction {
    public:
        explicit CScanTransaction(CModelDatabase& database);
        ~CScanTransaction();
        CScanTransaction(const CScanTransaction&) = delete;
        CScanTransaction& operator=(const CScanTransaction&) = delete;

    private:
        CModelDatabase& m_database;
        bool m_began = false;
    };

    // Hand the first row of the select, whose one parameter is the key, to
    // onRow; false when the query failed.
    bool ReadFirstRow(const char* selectSql, std::string_view key, const RowHandler& onRow,
                      bool* found);
    bool RunStatement(const std::string& sql);
    // Runs sql with the values bound to its parameters, compiled once.
    bool RunStatement(const std::string& sql, const StatementValues& values);
    // The statement of sql, compiled on its first use and kept while the
    // database is open: a scan runs the same select and insert for every
    // file. Null when it does not compile.
    pdb::CSqliteStatement* CachedStatement(std::string_view sql);
    void ReportFailure();
    void ReportFailure(const std::string& reason);
    // Write the values over the row of the key, which must exist.
    void UpdateRow(const char* selectSql, const std::string& updateSql, const std::string& key,
                   StatementValues values);
    int LookupCostInfo(const char* selectSql, std::string_view key, const RowHandler& copy);

    void InsertModelRow(const std::string& key, const ModelCatalogEntry& entry);
    void InsertTextureRow(const std::string& key, const TextureCatalogEntry& entry);
    void InsertPictureRow(const std::string& key, const PictureCatalogEntry& entry);
    static void ReadModelRow(const pdb::CSqliteRow& row, ModelCatalogEntry& entry);
    static void ReadTextureRow(const pdb::CSqliteRow& row, TextureCatalogEntry& entry);
    static void ReadPictureRow(const pdb::CSqliteRow& row, PictureCatalogEntry& entry);

    int m_bOpen = 0;
    bool m_inScanTransaction = false;
    std::unique_ptr<pdb::CSqliteDatabase> m_connection;
    // Dropped before the connection closes.
    std::map<std::string, std::unique_ptr<pdb::CSqliteStatement>, std::less<>> m_statements;
};

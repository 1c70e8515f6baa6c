#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

struct CostItemRecord;

// Catalogue entries of one library folder. An entry's type is the one its
// catalogue kind scans (model, picture or texture entry); whoever holds the
// last reference frees it as that type.
using CatalogEntryList = std::vector<std::shared_ptr<void>>;

// The catalogue database as a library catalogue uses it: the folder scans,
// the favourite-rate writes and the sorts by rate of each kind. The model
// library implements it.
class CCatalogDatabase {
public:
    virtual ~CCatalogDatabase() = default;

    // 1 when the catalogue file is open, else 0 after telling the user.
    virtual int Open(const std::string& path) = 0;
    virtual void Close() = 0;
    virtual bool IsOpen() const = 0;

    // Append the folder's entries to list.
    virtual void ScanModelFolder(const std::string& folder, CatalogEntryList& list) = 0;
    virtual void ScanPictureFolder(const std::string& folder, CatalogEntryList& list) = 0;
    virtual void ScanTextureFolder(const std::string& folder, CatalogEntryList& list) = 0;

    virtual void SetModelRate(const std::string& name, int rate) = 0;
    virtual void SetPictureRate(const std::string& name, int rate) = 0;
    virtual void SetTextureRate(const std::string& name, int rate) = 0;

    // Order the list by rate, highest first.
    virtual int SortModelsByRate(CatalogEntryList& list) = 0;
    virtual int SortPicturesByRate(CatalogEntryList& list) = 0;
    virtual int SortTexturesByRate(CatalogEntryList& list) = 0;

    // The catalogue's serial number, vendor and description of the model
    // whose row key is key into item; 1 when the catalogue was read, else 0
    // with item as it was.
    virtual int LookupModelCostInfo(const std::string& /*key*/, CostItemRecord& /*item*/) {
        return 0;
    }
    // The catalogue fields of the texture file (name without folder) into
    // item; 1 when the catalogue was read, else 0 with item as it was.
    virtual int LookupTextureCostInfo(const std::string& /*fileName*/, CostItemRecord& /*item*/) {
        return 0;
    }
    // The same for the picture file (name without folder).
    virtual int LookupPictureCostInfo(const std::string& /*fileName*/, CostItemRecord& /*item*/) {
        return 0;
    }

    // The fixed door and window sizes ("120x210": width x height in whole
    // centimetres) whose width and height are below the limits, appended to
    // sizes; the catalogue's own, or four built-in ones while it is not open.
    virtual void GetDoorWindowSizes(std::vector<std::string>& /*sizes*/, int /*widthLimit*/,
                                    int /*heightLimit*/) {}
    // 0 when stored or deleted; a negative result when it failed (E_FAIL: the
    // size is stored already); 1 while the catalogue is not open.
    virtual int AddDoorWindowSize(const std::string& /*size*/) { return 1; }
    virtual int DeleteDoorWindowSize(const std::string& /*size*/) { return 1; }
};

// The program folder's catalogue database for the cost look-ups of the
// design objects, made by the factory the application installs; null while
// none is installed.
using CatalogDatabaseFactory = std::function<std::unique_ptr<CCatalogDatabase>()>;
void SetCatalogDatabaseFactory(CatalogDatabaseFactory factory);
std::unique_ptr<CCatalogDatabase> CreateCatalogDatabase();

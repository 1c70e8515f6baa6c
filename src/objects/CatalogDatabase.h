#pragma once

#include <memory>
#include <string>
#include <vector>

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
};

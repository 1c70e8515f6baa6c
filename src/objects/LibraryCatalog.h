#pragma once

#include <memory>
#include <string>
#include <vector>

#include "objects/CatalogDatabase.h"

enum LibraryCatalogKind : int {
    kCatalogKindNone = -1,
    kCatalogKindModels = 0,
    kCatalogKindPictures = 1,
    kCatalogKindTextures = 2,
};

// The catalogue behind one library browser: the catalogue database and the
// listings of the folders already scanned, so that a folder is scanned once
// per catalogue. The kind chooses which of the database's scans, rate writes
// and sorts apply. Entries are shared between the cached listings and every
// list handed out.
class CLibraryCatalog {
public:
    // The catalogue file, in the program folder.
    static constexpr const char* kCatalogFileName = "RIr6.db";

    // The catalogue file every catalogue opens: the one located at start-up,
    // else the program folder's kCatalogFileName.
    static void SetCatalogFilePath(std::string path);
    static std::string GetCatalogFilePath(const std::string& programFolder);

    // Opens the catalogue file and keeps the result.
    CLibraryCatalog(std::unique_ptr<CCatalogDatabase> database, const std::string& programFolder);
    ~CLibraryCatalog();

    CLibraryCatalog(const CLibraryCatalog&) = delete;
    CLibraryCatalog& operator=(const CLibraryCatalog&) = delete;

    // A kind other than the three keeps the operations chosen before.
    void SetKind(int kind);
    int GetKind() const { return m_kind; }
    // What opening the database gave: 1 when open.
    int GetOpenResult() const { return m_openResult; }

    // The folder's entries, sorted, in out; scanned on the first request.
    // Nothing happens while no kind is set.
    void GetFolderEntries(const std::string& folder, CatalogEntryList& out);
    // Stores an entry's favourite rate and drops the listing cached under
    // the same text, so that it is scanned again.
    void SetRate(const std::string& name, int rate);
    void RemoveAllFolders();

private:
    using ScanOperation = void (CCatalogDatabase::*)(const std::string&, CatalogEntryList&);
    using RateOperation = void (CCatalogDatabase::*)(const std::string&, int);
    using LookupOperation = int (CCatalogDatabase::*)(CatalogEntryList&);

    struct FolderListing {
        std::string folder;
        CatalogEntryList entries;
    };

    void RunLookup(CatalogEntryList& list);

    std::unique_ptr<CCatalogDatabase> m_database;
    std::vector<FolderListing> m_folders;
    int m_kind = kCatalogKindNone;
    ScanOperation m_scan = nullptr;
    RateOperation m_rate = nullptr;
    LookupOperation m_lookup = nullptr;
    int m_openResult = 0;
};

#include "objects/LibraryCatalog.h"

#include <algorithm>
#include <utility>

#include "foundation/PathUtils.h"

namespace {

std::string& LocatedCatalogFile() {
    static std::string path;
    return path;
}

}  // namespace

void CLibraryCatalog::SetCatalogFilePath(std::string path) {
    LocatedCatalogFile() = std::move(path);
}

std::string CLibraryCatalog::GetCatalogFilePath(const std::string& programFolder) {
    const std::string& located = LocatedCatalogFile();
    return located.empty() ? MakeFilePath(programFolder, kCatalogFileName) : located;
}

CLibraryCatalog::CLibraryCatalog(std::unique_ptr<CCatalogDatabase> database,
                                 const std::string& programFolder)
    : m_database(std::move(database)) {
    m_openResult = m_database->Open(GetCatalogFilePath(programFolder));
}

CLibraryCatalog::~CLibraryCatalog() {
    RemoveAllFolders();
    if (m_database->IsOpen()) {
        m_database->Close();
    }
}

void CLibraryCatalog::SetKind(int kind) {
    m_kind = kind;
    switch (kind) {
        case kCatalogKindModels:
            m_scan = &CCatalogDatabase::ScanModelFolder;
            m_rate = &CCatalogDatabase::SetModelRate;
            m_lookup = &CCatalogDatabase::SortModelsByRate;
            break;
        case kCatalogKindPictures:
            m_scan = &CCatalogDatabase::ScanPictureFolder;
            m_rate = &CCatalogDatabase::SetPictureRate;
            m_lookup = &CCatalogDatabase::SortPicturesByRate;
            break;
        case kCatalogKindTextures:
            m_scan = &CCatalogDatabase::ScanTextureFolder;
            m_rate = &CCatalogDatabase::SetTextureRate;
            m_lookup = &CCatalogDatabase::SortTexturesByRate;
            break;
        default:
            break;
    }
}

void CLibraryCatalog::RunLookup(CatalogEntryList& list) {
    (m_database.get()->*m_lookup)(list);
}

void CLibraryCatalog::GetFolderEntries(const std::string& folder, CatalogEntryList& out) {
    // An unknown kind set first has no operations to run.
    if (m_kind == kCatalogKindNone || m_scan == nullptr) {
        return;
    }
    out.clear();
    const auto cached = std::find_if(m_folders.begin(), m_folders.end(),
                                     [&](const FolderListing& l) { return l.folder == folder; });
    if (cached != m_folders.end()) {
        out = cached->entries;
        RunLookup(out);
        return;
    }
    CatalogEntryList entries;
    (m_database.get()->*m_scan)(folder, entries);
    RunLookup(entries);
    out = entries;
    m_folders.push_back({folder, std::move(entries)});
}

void CLibraryCatalog::SetRate(const std::string& name, int rate) {
    if (m_rate != nullptr) {
        (m_database.get()->*m_rate)(name, rate);
    }
    const auto cached = std::find_if(m_folders.begin(), m_folders.end(),
                                     [&](const FolderListing& l) { return l.folder == name; });
    if (cached != m_folders.end()) {
        m_folders.erase(cached);
    }
}

void CLibraryCatalog::RemoveAllFolders() {
    m_folders.clear();
}

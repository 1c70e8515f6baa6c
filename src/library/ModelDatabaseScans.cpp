#include <memory>
#include <string>
#include <vector>

#include "foundation/FileSearch.h"
#include "foundation/FileTypes.h"
#include "foundation/PathUtils.h"
#include "library/ModelCatalogEntry.h"
#include "library/ModelDatabase.h"
#include "library/PictureCatalogEntry.h"
#include "library/TextureCatalogEntry.h"
#include "objects/MaterialFileReader.h"
#include "platform/text/Cp950.h"

namespace {

// The longest file or folder name the whole system handles, in CP950 bytes.
constexpr std::size_t kMaxLibraryNameBytes = 54;
constexpr const char* kNewModelName = "New Model";
constexpr const char* kNewTextureName = "New Texture";

// The folder's entries that fit the library, in the order of a folder search;
// the "." and ".." entries are left out.
std::vector<FoundEntry> ListLibraryFolder(const std::string& folder) {
    std::vector<FoundEntry> entries = FindFiles(MakeFilePath(folder, "*"));
    std::erase_if(entries, [](const FoundEntry& entry) {
        return entry.name == "." || entry.name == ".." ||
               !text::FitsInCp950Bytes(entry.name, kMaxLibraryNameBytes);
    });
    return entries;
}

// The material-file kind of a texture or picture file; -1 for other files
// (".jpeg" among them).
int MaterialKindOf(const std::string& name) {
    switch (GetFileTypeByExtension(name)) {
        case kFileTypeMaterial:
            return kMaterialFileQvp;
        case kFileTypeBmp:
            return kMaterialFileBmp;
        case kFileTypeJpg:
            return kMaterialFileJpg;
        case kFileTypeTga:
            return kMaterialFileTga;
        default:
            return -1;
    }
}

// Texture and picture entries take the same fields from their file.
template <typename Entry>
void FillMaterialEntry(const MaterialFileRecord& record, Entry& entry) {
    const std::string name = record.GetName();
    entry.name = name.empty() ? kNewTextureName : name;
    entry.serialNumber = record.GetSerialNumber();
    entry.vendor = record.GetVendor();
    entry.description = record.GetDescription();
    entry.width = record.width;
    entry.height = record.height;
    entry.price = record.price;
}

template <typename Entry, typename Fill, typename Sync>
void ScanMaterialFolder(const std::string& folder, CatalogEntryList& list, Fill fill, Sync sync) {
    for (const FoundEntry& item : ListLibraryFolder(folder)) {
        const int kind = MaterialKindOf(item.name);
        if (item.isFolder || kind < 0) {
            continue;
        }
        auto entry = std::make_shared<Entry>();
        entry->filePath = MakeFilePath(folder, item.name);
        // An unreadable file still lists, under the default name.
        LoadMaterialFile(entry->filePath, entry->material, kind, true);
        fill(entry->material, *entry);
        sync(*entry);
        list.push_back(std::move(entry));
    }
}

}  // namespace

void CModelDatabase::ScanModelFolder(const std::string& folder, CatalogEntryList& list) {
    const CScanTransaction transaction(*this);
    for (const FoundEntry& item : ListLibraryFolder(folder)) {
        const std::string path = MakeFilePath(folder, item.name);
        if (item.isFolder) {
            if (!item.name.starts_with('.')) {
                ScanModelFolder(path, list);
            }
            continue;
        }
        if (GetFileTypeByExtension(item.name) != kFileTypePackagedModel) {
            continue;
        }
        auto entry = std::make_shared<ModelCatalogEntry>();
        entry->filePath = path;
        entry->package = std::make_unique<CModelPackage>(path, kPackageReadHeader);
        FillModelEntry(*entry->package, *entry);
        SyncModelEntry(*entry);
        list.push_back(std::move(entry));
    }
}

void CModelDatabase::ScanTextureFolder(const std::string& folder, CatalogEntryList& list) {
    const CScanTransaction transaction(*this);
    ScanMaterialFolder<TextureCatalogEntry>(
        folder, list, &CModelDatabase::FillTextureEntry,
        [this](TextureCatalogEntry& entry) { SyncTextureEntry(entry); });
}

void CModelDatabase::ScanPictureFolder(const std::string& folder, CatalogEntryList& list) {
    const CScanTransaction transaction(*this);
    ScanMaterialFolder<PictureCatalogEntry>(
        folder, list, &CModelDatabase::FillPictureEntry,
        [this](PictureCatalogEntry& entry) { SyncPictureEntry(entry); });
}

void CModelDatabase::FillModelEntry(const CModelPackage& package, ModelCatalogEntry& entry) {
    entry.name = package.GetName().empty() ? kNewModelName : package.GetName();
    entry.serialNumber = package.GetModelNumber();
    entry.vendor = package.GetVendor();
    entry.description = package.GetDescription();
    entry.price = package.GetPrice();
}

void CModelDatabase::FillTextureEntry(const MaterialFileRecord& record,
                                      TextureCatalogEntry& entry) {
    FillMaterialEntry(record, entry);
}

void CModelDatabase::FillPictureEntry(const MaterialFileRecord& record,
                                      PictureCatalogEntry& entry) {
    FillMaterialEntry(record, entry);
}

void CModelDatabase::ReloadModelEntry(ModelCatalogEntry& entry) {
    DeleteModelRow(entry);
    if (entry.package != nullptr) {
        FillModelEntry(*entry.package, entry);
    } else {
        FillModelEntry(CModelPackage(), entry);
    }
    SyncModelEntry(entry);
}

void CModelDatabase::ReloadTextureEntry(TextureCatalogEntry& entry) {
    DeleteTextureRow(entry);
    FillTextureEntry(entry.material, entry);
    SyncTextureEntry(entry);
}

void CModelDatabase::ReloadPictureEntry(PictureCatalogEntry& entry) {
    DeletePictureRow(entry);
    FillPictureEntry(entry.material, entry);
    SyncPictureEntry(entry);
}

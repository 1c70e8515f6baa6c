#include <algorithm>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

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

struct FolderItem {
    std::string name;
    bool directory = false;
    bool symlink = false;
};

// The folder's names that fit the library, in byte order so that the lists do
// not depend on the file system's order.
std::vector<FolderItem> ListLibraryFolder(const std::string& folder) {
    std::vector<FolderItem> items;
    std::error_code ec;
    for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end;
         it.increment(ec)) {
        FolderItem item;
        item.name = it->path().filename().string();
        if (!text::FitsInCp950Bytes(item.name, kMaxLibraryNameBytes)) {
            continue;
        }
        std::error_code typeError;
        item.directory = it->is_directory(typeError);
        item.symlink = it->is_symlink(typeError);
        items.push_back(std::move(item));
    }
    std::sort(items.begin(), items.end(),
              [](const FolderItem& a, const FolderItem& b) { return a.name < b.name; });
    return items;
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
    for (const FolderItem& item : ListLibraryFolder(folder)) {
        const int kind = MaterialKindOf(item.name);
        if (item.directory || kind < 0) {
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
    for (const FolderItem& item : ListLibraryFolder(folder)) {
        const std::string path = MakeFilePath(folder, item.name);
        if (item.directory) {
            // A linked folder could lead back into the library.
            if (!item.symlink && !item.name.starts_with('.')) {
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
    ScanMaterialFolder<TextureCatalogEntry>(
        folder, list, &CModelDatabase::FillTextureEntry,
        [this](TextureCatalogEntry& entry) { SyncTextureEntry(entry); });
}

void CModelDatabase::ScanPictureFolder(const std::string& folder, CatalogEntryList& list) {
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

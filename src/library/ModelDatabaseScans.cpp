#include <cmath>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <system_error>
#include <vector>

#include "foundation/FileSearch.h"
#include "foundation/FileTypes.h"
#include "foundation/PathUtils.h"
#include "library/ModelCatalogEntry.h"
#include "library/ModelDatabase.h"
#include "library/PictureCatalogEntry.h"
#include "library/TextureCatalogEntry.h"
#include "objects/MaterialFileReader.h"
#include "platform/fs/PathLookup.h"
#include "platform/text/Cp950.h"

namespace {

// The longest file or folder name the whole system handles, in CP950 bytes.
constexpr std::size_t kMaxLibraryNameBytes = 54;
constexpr const char* kNewModelName = "New Model";
constexpr const char* kNewTextureName = "New Texture";

// The folder as it is spelt on disk: a category path may come with other
// letter case (a stored path, a typed one), and the entries' paths are built
// from it so that every later read finds the file.
std::string OnDiskFolder(const std::string& folder) {
    const std::optional<std::filesystem::path> resolved =
        pfs::ResolvePathCaseInsensitive(std::filesystem::path(folder));
    return resolved ? resolved->string() : folder;
}

// A symlink to a folder is neither walked (the walk could loop) nor a file.
// Only links need a look at their target.
bool IsLinkedFolder(const std::string& folder, const FoundEntry& entry) {
    std::error_code ec;
    return entry.isLink && std::filesystem::is_directory(
                               std::filesystem::path(MakeFilePath(folder, entry.name)), ec);
}

// The folder's entries that fit the library, in the order of a folder search;
// the "." and ".." entries and linked folders are left out, and so are names
// holding a backslash, which a stored path would split into two names.
std::vector<FoundEntry> ListLibraryFolder(const std::string& folder) {
    std::vector<FoundEntry> entries = FindFiles(MakeFilePath(folder, "*"));
    std::erase_if(entries, [&](const FoundEntry& entry) {
        return entry.name == "." || entry.name == ".." ||
               entry.name.find('\\') != std::string::npos ||
               !text::FitsInCp950Bytes(entry.name, kMaxLibraryNameBytes) ||
               IsLinkedFolder(folder, entry);
    });
    return entries;
}

// A damaged file's number that is no number would make the row's insert
// fail, which closes the catalogue for the whole browser.
float FiniteOrZero(float value) {
    return std::isfinite(value) ? value : 0.0f;
}

// Texture and picture entries take the same fields from their file.
template <typename Entry>
void FillMaterialEntry(const MaterialFileRecord& record, Entry& entry) {
    const std::string name = record.GetName();
    entry.name = name.empty() ? kNewTextureName : name;
    entry.serialNumber = record.GetSerialNumber();
    entry.vendor = record.GetVendor();
    entry.description = record.GetDescription();
    entry.width = FiniteOrZero(record.width);
    entry.height = FiniteOrZero(record.height);
    entry.price = FiniteOrZero(record.price);
}

template <typename Entry, typename Fill, typename Sync>
void ScanMaterialFolder(const std::string& givenFolder, CatalogEntryList& list, Fill fill,
                        Sync sync) {
    const std::string folder = OnDiskFolder(givenFolder);
    for (const FoundEntry& item : ListLibraryFolder(folder)) {
        const std::optional<int> kind = MaterialFileKindOf(item.name);
        if (item.isFolder || !kind) {
            continue;
        }
        auto entry = std::make_shared<Entry>();
        entry->filePath = MakeFilePath(folder, item.name);
        // An unreadable file still lists, under the default name.
        LoadMaterialFile(entry->filePath, entry->material, *kind, true);
        fill(entry->material, *entry);
        sync(*entry);
        list.push_back(std::move(entry));
    }
}

}  // namespace

void CModelDatabase::ScanModelFolder(const std::string& givenFolder, CatalogEntryList& list) {
    const CScanTransaction transaction(*this);
    const std::string folder = OnDiskFolder(givenFolder);
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
    entry.price = FiniteOrZero(package.GetPrice());
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

#include "document/ShowCatalog.h"

#include <filesystem>
#include <optional>
#include <vector>

#include "document/HousDoc.h"
#include "document/ShowGroupFile.h"
#include "foundation/FileSearch.h"
#include "foundation/FolderOperations.h"
#include "platform/fs/PathLookup.h"
#include "platform/fs/UserFolders.h"

namespace {

constexpr std::string_view kUngroupedList = "NonGroup.ini";

// "Mydesign/" is the folder "MyDesign/" when only that one exists.
std::string ExistingSpelling(const std::string& folder) {
    std::filesystem::path path(folder);
    if (!path.has_filename()) {
        path = path.parent_path();
    }
    const std::optional<std::filesystem::path> existing = pfs::ResolvePathCaseInsensitive(path);
    return pfs::WithTrailingSlash(existing ? *existing : path);
}

bool HasWildcard(std::string_view pattern) {
    return pattern.find_first_of("*?") != std::string_view::npos;
}

bool IsUngroupedList(std::string_view pattern) {
    return MatchesWildcard(kUngroupedList, pattern) && !HasWildcard(pattern);
}

// Where an entry of the scan came from, for taking it out again.
struct EntryOrigin {
    std::filesystem::path file;
    int number = 0;
    std::string designPath;
};

ShowCatalogEntry DocumentShowValues(const CHousDoc& document) {
    const HousSettings& settings = document.Settings();
    return {document.GetDesignPath(), settings.showName, settings.designer, settings.intro};
}

int AddToCatalog(CHousDoc& document, const std::string& folder, std::string_view pattern) {
    std::filesystem::path target;
    if (IsUngroupedList(pattern)) {
        target = folder + std::string(kUngroupedList);
    } else {
        const int group = document.GetShowGroupIndex();
        if (group < 0) {
            return 0;
        }
        target = folder + "S" + std::to_string(group) + "_Show.ini";
    }
    // A group file spelt in another case is the same group.
    if (const std::optional<std::filesystem::path> existing =
            pfs::ResolvePathCaseInsensitive(target)) {
        target = *existing;
    }
    const std::vector<ShowCatalogEntry> entries = ReadShowEntries(target);
    for (const ShowCatalogEntry& entry : entries) {
        if (IsSameDesignPath(
                ResolveShowEntryPath(entry.fileName, folder, document.GetProgramFolder()),
                document.GetDesignPath())) {
            return 0;
        }
    }
    const int number = static_cast<int>(entries.size()) + 1;
    return WriteShowEntry(target, number, document.GetDesignPath(), DocumentShowValues(document),
                          true)
               ? 1
               : 0;
}

}  // namespace

int UpdateShowCatalog(CHousDoc& document, const ShowCatalogRequest& request) {
    const std::string folder = ExistingSpelling(request.folder);
    if (!std::filesystem::is_directory(folder)) {
        CreateFolderPath(folder);
    }
    std::vector<ShowCatalogFile> files = ListShowCatalogFiles(folder, request.filePattern);
    if (files.empty() && !HasWildcard(request.filePattern)) {
        // A pattern never names a file: writing to it would make one called "S*_SHOW.ini".
        const std::filesystem::path list = folder + request.filePattern;
        WriteEmptyShowList(list);
        files = ListShowCatalogFiles(folder, request.filePattern);
    }

    std::vector<ShowCatalogEntry>& entries = document.GetShowCatalogEntries();
    entries.clear();
    std::vector<EntryOrigin> origins;
    const std::string& designPath = document.GetDesignPath();
    for (std::size_t visited = 0; visited < files.size(); ++visited) {
        const ShowCatalogFile& file = files[visited];
        if (request.operation == ShowCatalogRequest::kFind &&
            !MatchesWildcard(request.fileName, file.path.filename().string())) {
            continue;
        }
        const std::vector<ShowCatalogEntry> fileEntries = ReadShowEntries(file.path);
        for (std::size_t i = 0; i < fileEntries.size(); ++i) {
            const ShowCatalogEntry& entry = fileEntries[i];
            const int number = static_cast<int>(i) + 1;
            entries.push_back(entry);
            const std::string entryPath =
                ResolveShowEntryPath(entry.fileName, folder, document.GetProgramFolder());
            origins.push_back({file.path, number, entryPath});
            if (!IsSameDesignPath(entryPath, designPath)) {
                continue;
            }
            switch (request.operation) {
                case ShowCatalogRequest::kFind:
                    return 1;
                case ShowCatalogRequest::kLoad: {
                    HousSettings& settings = document.Settings();
                    settings.showName = entry.showName;
                    settings.designer = entry.designer;
                    settings.intro = entry.intro;
                    // Folders list in no fixed order, so the group is the
                    // number in the file's name, not its place in the scan.
                    document.SetShowGroupIndex(
                        file.groupNumber >= 0 ? file.groupNumber : static_cast<int32_t>(visited));
                    return 1;
                }
                case ShowCatalogRequest::kStore:
                    return WriteShowEntry(file.path, number, designPath,
                                          DocumentShowValues(document), false)
                               ? 1
                               : 0;
                default:
                    break;
            }
        }
    }

    if (request.operation == ShowCatalogRequest::kAdd) {
        return AddToCatalog(document, folder, request.filePattern);
    }
    if (request.operation == ShowCatalogRequest::kRemove) {
        for (std::size_t i = 0; i < origins.size(); ++i) {
            if (IsSameDesignPath(origins[i].designPath, designPath)) {
                if (!RemoveShowEntry(origins[i].file, origins[i].number)) {
                    return 0;
                }
                entries.erase(entries.begin() + static_cast<std::ptrdiff_t>(i));
                return 1;
            }
        }
    }
    return 0;
}

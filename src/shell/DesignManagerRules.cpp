#include "shell/DesignManagerRules.h"

#include <algorithm>
#include <filesystem>

#include "document/HousDoc.h"
#include "document/ShowCatalog.h"
#include "document/ShowGroupFile.h"
#include "foundation/ProfileFile.h"
#include "platform/fs/PathLookup.h"
#include "platform/fs/StoredPath.h"
#include "platform/fs/UserFolders.h"

namespace {

constexpr const char* kSection = "QV_SHOW";
constexpr int kMaxGroups = 8;
// A damaged COUNT must not make the load run for ever.
constexpr int kMaxEntries = 65535;
constexpr std::size_t kIntroLineBytes = 22;
constexpr std::string_view kNone = "無";

std::string Numbered(const char* key, int number) {
    return key + std::to_string(number);
}

std::filesystem::path GroupFile(const std::string& sourceFolder, int group) {
    const std::filesystem::path path = sourceFolder + "S" + std::to_string(group) + "_Show.ini";
    const std::optional<std::filesystem::path> existing = pfs::ResolvePathCaseInsensitive(path);
    return existing ? *existing : path;
}

bool GroupFileExists(const std::string& sourceFolder, int group) {
    return std::filesystem::is_regular_file(GroupFile(sourceFolder, group));
}

std::string ExistingFolder(const std::string& folder) {
    const std::filesystem::path path = std::filesystem::path(folder).parent_path();
    const std::optional<std::filesystem::path> existing = pfs::ResolvePathCaseInsensitive(path);
    return pfs::WithTrailingSlash(existing ? *existing : path);
}

// An empty FILENAME resolves to the folder itself, which is no design.
bool DesignFileExists(const std::string& path) {
    const std::optional<std::filesystem::path> existing =
        path.empty() ? std::nullopt : pfs::ResolvePathCaseInsensitive(path);
    return existing && std::filesystem::is_regular_file(*existing);
}

// Takes a vanished design out of the first catalogue that lists it.
void RemoveFromCatalogue(CHousDoc& document, const std::string& designFile) {
    const std::string program = document.GetProgramFolder();
    const std::string saved = document.GetDesignPath();
    document.SetDesignPath(designFile);
    const ShowCatalogRequest requests[] = {
        {program + "Show/", "S*_Show.ini", ShowCatalogRequest::kRemove, {}},
        {program + "Mydesign/", "S*_Show.ini", ShowCatalogRequest::kRemove, {}},
        {program + "Mydesign/", "NonGroup.ini", ShowCatalogRequest::kRemove, {}},
    };
    for (const ShowCatalogRequest& request : requests) {
        if (UpdateShowCatalog(document, request) != 0) {
            break;
        }
    }
    document.SetDesignPath(saved);
}

std::size_t StoredWidth(unsigned char lead) {
    return lead < 0x80 ? 1 : 2;
}

std::size_t Utf8Length(unsigned char lead) {
    if (lead < 0x80) {
        return 1;
    }
    if (lead >= 0xF0) {
        return 4;
    }
    return lead >= 0xE0 ? 3 : 2;
}

}  // namespace

std::string DesignManagerSourceFolder(const std::string& programFolder, int source) {
    return ExistingFolder(programFolder + (source == 0 ? "Show/" : "MyDesign/"));
}

std::vector<std::string> ListDesignGroupNames(const std::string& sourceFolder) {
    std::vector<std::string> names;
    for (int n = 0; n < kMaxGroups && GroupFileExists(sourceFolder, n); ++n) {
        const pfs::Result<CProfileFile> profile = CProfileFile::Open(GroupFile(sourceFolder, n));
        std::string name = profile ? profile.Value().GetString(kSection, "GROUPNAME", "") : "";
        names.push_back(name.empty() ? "設計案群組_" + std::to_string(n) : name);
    }
    return names;
}

std::optional<DesignManagerGroup> LoadDesignGroup(CHousDoc& document,
                                                  const std::string& sourceFolder, int group) {
    if (!GroupFileExists(sourceFolder, group)) {
        return std::nullopt;
    }
    DesignManagerGroup designs;
    const pfs::Result<CProfileFile> opened = CProfileFile::Open(GroupFile(sourceFolder, group));
    if (!opened) {
        return designs;
    }
    const CProfileFile& profile = opened.Value();
    designs.lock = profile.GetInt(kSection, "GROUPLOCK", 0);
    const int count = std::clamp(profile.GetInt(kSection, "COUNT", 0), 0, kMaxEntries);
    for (int i = 1; i <= count; ++i) {
        const std::string stored =
            profile.GetString(kSection, Numbered("FILENAME", i), std::string(kNone));
        const std::string designFile =
            stored == kNone
                ? stored
                : ResolveShowEntryPath(stored, sourceFolder, document.GetProgramFolder());
        if (!DesignFileExists(designFile)) {
            RemoveFromCatalogue(document, designFile);
            continue;
        }
        designs.entries.push_back(
            {designFile, profile.GetString(kSection, Numbered("SHOWNAME", i), std::string(kNone)),
             profile.GetString(kSection, Numbered("DESIGNER", i), std::string(kNone)),
             profile.GetString(kSection, Numbered("INTRO", i), std::string(kNone)),
             profile.GetString(kSection, Numbered("INTROFILENAME", i), "")});
    }
    return designs;
}

bool WriteDesignGroup(const std::string& sourceFolder, int group, const std::string& groupName,
                      const DesignManagerGroup& designs) {
    std::error_code error;
    std::filesystem::create_directories(sourceFolder, error);
    pfs::Result<CProfileFile> opened = CProfileFile::Open(GroupFile(sourceFolder, group));
    if (!opened) {
        return false;
    }
    CProfileFile& profile = opened.Value();
    profile.SetInt(kSection, "COUNT", static_cast<int>(designs.entries.size()));
    bool written = profile.SetString(kSection, "GROUPNAME", groupName);
    profile.SetInt(kSection, "GROUPLOCK", designs.lock);
    int number = 1;
    for (const DesignManagerEntry& entry : designs.entries) {
        written = written &&
                  profile.SetString(kSection, Numbered("FILENAME", number),
                                    pfs::ToStoredPath(entry.designFile)) &&
                  profile.SetString(kSection, Numbered("SHOWNAME", number), entry.showName) &&
                  profile.SetString(kSection, Numbered("INTRO", number), entry.intro) &&
                  profile.SetString(kSection, Numbered("DESIGNER", number), entry.designer) &&
                  profile.SetString(kSection, Numbered("INTROFILENAME", number), entry.introFile);
        ++number;
    }
    return written && profile.Save().Ok();
}

std::vector<std::string> DesignInformationLines(const DesignManagerEntry& entry) {
    std::vector<std::string> lines = {entry.showName, "", entry.designer, ""};
    std::string line;
    std::size_t width = 0;
    const std::string& intro = entry.intro;
    for (std::size_t at = 0; at < intro.size();) {
        const auto lead = static_cast<unsigned char>(intro[at]);
        const std::size_t length = std::min(Utf8Length(lead), intro.size() - at);
        if (width + StoredWidth(lead) > kIntroLineBytes) {
            lines.push_back(line);
            line.clear();
            width = 0;
        }
        line.append(intro, at, length);
        width += StoredWidth(lead);
        at += length;
    }
    lines.push_back(line);
    return lines;
}

int LastDesignScrollPosition(int entryCount) {
    const int columns = entryCount > 0 ? (entryCount - 1) / 2 + 1 : 0;
    return std::max(0, columns - kDesignScrollPage);
}

int ScrollPositionForPick(int picked, int position, int entryCount) {
    const int first = position * 2;
    const int kept =
        picked >= first && picked < first + kDesignThumbnailSlots ? position : picked / 2;
    return std::clamp(kept, 0, LastDesignScrollPosition(entryCount));
}

std::optional<int> ScrollDesignThumbnails(DesignScroll request, int position, int thumbPosition,
                                          int entryCount) {
    int wanted = position;
    switch (request) {
        case DesignScroll::LineLeft:
            wanted = position - 1;
            break;
        case DesignScroll::LineRight:
            wanted = position + 1;
            break;
        case DesignScroll::PageLeft:
            wanted = position - kDesignScrollPage;
            break;
        case DesignScroll::PageRight:
            wanted = position + kDesignScrollPage;
            break;
        case DesignScroll::Thumb:
            wanted = thumbPosition;
            break;
    }
    wanted = std::clamp(wanted, 0, LastDesignScrollPosition(entryCount));
    if (wanted == position) {
        return std::nullopt;
    }
    return wanted;
}

void SaveDesignManagerGroup(const std::string& programFolder, int group) {
    const std::optional<std::filesystem::path> settings =
        pfs::ResolvePathCaseInsensitive(programFolder + "Zadivav.ini");
    if (!settings) {
        return;
    }
    pfs::Result<CProfileFile> profile = CProfileFile::Open(*settings);
    if (!profile) {
        return;
    }
    profile.Value().SetInt("Theme", "ID", group);
    (void)profile.Value().Save();
}

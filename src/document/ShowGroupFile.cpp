#include "document/ShowGroupFile.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <map>

#include "foundation/FileSearch.h"
#include "foundation/ProfileFile.h"
#include "platform/fs/PathLookup.h"
#include "platform/fs/StoredPath.h"

namespace {

constexpr const char* kSection = "QV_SHOW";
// A damaged COUNT must not make a scan run for ever.
constexpr int kMaxEntries = 65535;

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

int ReadCount(const CProfileFile& profile) {
    return std::clamp(profile.GetInt(kSection, "COUNT", 0), 0, kMaxEntries);
}

std::string Numbered(const char* key, int number) {
    return key + std::to_string(number);
}

}  // namespace

int GroupNumberOfFileName(std::string_view name) {
    constexpr std::string_view kSuffix = "_Show.ini";
    if (name.size() <= 1 + kSuffix.size() ||
        std::tolower(static_cast<unsigned char>(name[0])) != 's' ||
        !EqualsIgnoringCase(name.substr(name.size() - kSuffix.size()), kSuffix)) {
        return -1;
    }
    const std::string_view digits = name.substr(1, name.size() - 1 - kSuffix.size());
    int number = -1;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), number);
    if (error != std::errc() || end != digits.data() + digits.size() || number < 0) {
        return -1;
    }
    return number;
}

std::vector<ShowCatalogFile> ListShowCatalogFiles(const std::string& folder,
                                                  std::string_view pattern) {
    std::map<int, std::filesystem::path> groups;
    std::vector<ShowCatalogFile> others;
    for (const FoundEntry& entry : FindFiles(folder + std::string(pattern))) {
        if (entry.isFolder) {
            continue;
        }
        const std::filesystem::path path = std::filesystem::path(folder) / entry.name;
        const int number = GroupNumberOfFileName(entry.name);
        if (number < 0) {
            others.push_back({path, -1});
        } else {
            groups.emplace(number, path);  // the first case variant in sorted order stays
        }
    }
    std::vector<ShowCatalogFile> files;
    for (int number = 0; groups.contains(number); ++number) {
        files.push_back({groups.at(number), number});
    }
    files.insert(files.end(), others.begin(), others.end());
    return files;
}

std::vector<ShowCatalogEntry> ReadShowEntries(const std::filesystem::path& file) {
    std::vector<ShowCatalogEntry> entries;
    const pfs::Result<CProfileFile> profile = CProfileFile::Open(file);
    if (!profile) {
        return entries;
    }
    const CProfileFile& p = profile.Value();
    const int count = ReadCount(p);
    for (int i = 1; i <= count; ++i) {
        entries.push_back({p.GetString(kSection, Numbered("FILENAME", i), ""),
                           p.GetString(kSection, Numbered("SHOWNAME", i), ""),
                           p.GetString(kSection, Numbered("DESIGNER", i), ""),
                           p.GetString(kSection, Numbered("INTRO", i), "")});
    }
    return entries;
}

std::string ResolveShowEntryPath(std::string_view storedName, const std::string& folder,
                                 const std::string& programFolder) {
    if (storedName.find('\\', 1) == std::string_view::npos) {
        return folder + pfs::WithSlashes(storedName);
    }
    const pfs::MappedPath mapped = pfs::FromStoredPath(storedName);
    switch (mapped.kind) {
        case pfs::StoredPathKind::Local:
            return mapped.path;
        case pfs::StoredPathKind::Relative:
            // Paths without a drive were taken from the working folder,
            // which is the program folder.
            return programFolder + mapped.path;
        case pfs::StoredPathKind::Foreign:
            break;
    }
    return {};
}

namespace {

std::filesystem::path ComparablePath(const std::string& path) {
    const std::filesystem::path normal = std::filesystem::path(path).lexically_normal();
    const std::optional<std::filesystem::path> existing = pfs::ResolvePathCaseInsensitive(normal);
    return existing ? existing->lexically_normal() : normal;
}

}  // namespace

bool IsSameDesignPath(const std::string& first, const std::string& second) {
    if (first.empty() || second.empty()) {
        return false;
    }
    return first == second || ComparablePath(first) == ComparablePath(second);
}

bool WriteShowEntry(const std::filesystem::path& file, int number, const std::string& designPath,
                    const ShowCatalogEntry& values, bool growCount) {
    pfs::Result<CProfileFile> profile = CProfileFile::Open(file);
    if (!profile) {
        return false;
    }
    CProfileFile& p = profile.Value();
    if (!p.SetString(kSection, Numbered("FILENAME", number), pfs::ToStoredPath(designPath)) ||
        !p.SetString(kSection, Numbered("SHOWNAME", number), values.showName) ||
        !p.SetString(kSection, Numbered("DESIGNER", number), values.designer) ||
        !p.SetString(kSection, Numbered("INTRO", number), values.intro)) {
        return false;
    }
    if (growCount) {
        p.SetInt(kSection, "COUNT", number);
    }
    return p.Save().Ok();
}

bool RemoveShowEntry(const std::filesystem::path& file, int number) {
    pfs::Result<CProfileFile> profile = CProfileFile::Open(file);
    if (!profile) {
        return false;
    }
    CProfileFile& p = profile.Value();
    const int count = ReadCount(p);
    if (number < 1 || number > count) {
        return false;
    }
    for (int i = number; i < count; ++i) {
        for (const char* key : {"FILENAME", "SHOWNAME", "DESIGNER", "INTRO", "INTROFILENAME"}) {
            // Values read from the file have a CP950 form, so they are written back.
            (void)p.SetString(kSection, Numbered(key, i),
                              p.GetString(kSection, Numbered(key, i + 1), ""));
        }
    }
    p.SetInt(kSection, "COUNT", count - 1);
    return p.Save().Ok();
}

bool WriteEmptyShowList(const std::filesystem::path& file) {
    CProfileFile profile(file);
    (void)profile.SetString(kSection, "GROUPNAME", "NonGroupShow");
    (void)profile.SetString(kSection, "COUNT", "0");
    return profile.Save().Ok();
}

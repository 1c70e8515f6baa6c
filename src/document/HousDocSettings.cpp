#include <cfloat>
#include <cmath>
#include <filesystem>
#include <string>
#include <system_error>
#include <variant>

#include "document/HousDoc.h"
#include "document/MainWindowLink.h"
#include "document/SettingsKeys.h"
#include "foundation/PathUtils.h"
#include "foundation/ProfileFile.h"
#include "foundation/Prompt.h"
#include "platform/fs/PathLookup.h"
#include "platform/fs/StoredPath.h"
#include "platform/fs/UserEnvironment.h"
#include "platform/fs/UserFolders.h"
#include "platform/text/Cp950.h"

namespace {

using S = HousSettings;

constexpr const char* kSettingsFilter = "System Setting File (*.ini)|*.ini||";

template <class... Fs>
struct Overloaded : Fs... {
    using Fs::operator()...;
};
template <class... Fs>
Overloaded(Fs...) -> Overloaded<Fs...>;

// A path named in the settings file as the program uses it: a stored
// "Z:\..." path is local again and a relative one takes '/'. A local path
// that older files hold and a path on another drive stay as they are.
std::string LocalPath(const std::string& stored) {
    if (stored.empty() || stored.front() == '/') {
        return stored;
    }
    pfs::MappedPath mapped = pfs::FromStoredPath(stored);
    return mapped.kind == pfs::StoredPathKind::Foreign ? stored : mapped.path;
}

void ReadKey(const CProfileFile& profile, const SettingKey& key, HousSettings& settings) {
    const HousSettings& defaults = DefaultHousSettings();
    std::visit(
        Overloaded{
            [](std::monostate) {},
            [&](int32_t S::*member) {
                settings.*member = profile.GetInt(key.section, key.key, defaults.*member);
            },
            [&](uint32_t S::*member) {
                settings.*member = static_cast<uint32_t>(
                    profile.GetInt(key.section, key.key, static_cast<int32_t>(defaults.*member)));
            },
            [&](float S::*member) {
                const double value = profile.GetReal(key.section, key.key, defaults.*member);
                settings.*member =
                    std::fabs(value) <= FLT_MAX ? static_cast<float>(value) : defaults.*member;
            },
            [&](std::string S::*member) {
                std::string value = profile.GetString(key.section, key.key, defaults.*member);
                if (key.maxBytes != 0) {
                    value =
                        text::TruncateToCp950Bytes(value, key.maxBytes).value_or(defaults.*member);
                }
                settings.*member = key.storedPath ? LocalPath(value) : std::move(value);
            },
        },
        key.member);
    BringIntoRange(key, settings);
}

// False when a text has no form the file can hold.
bool WriteKey(CProfileFile& profile, const SettingKey& key, const HousSettings& settings) {
    return std::visit(
        Overloaded{
            [](std::monostate) { return true; },
            [&](int32_t S::*member) {
                profile.SetInt(key.section, key.key, settings.*member);
                return true;
            },
            [&](uint32_t S::*member) {
                profile.SetInt(key.section, key.key, static_cast<int32_t>(settings.*member));
                return true;
            },
            [&](float S::*member) {
                profile.SetReal(key.section, key.key, settings.*member);
                return true;
            },
            [&](std::string S::*member) {
                const std::string& value = settings.*member;
                return profile.SetString(key.section, key.key,
                                         key.storedPath ? pfs::ToStoredPath(value) : value);
            },
        },
        key.member);
}

// The 3D view page's start-up box that a start-up switch key is written from.
int32_t PageSwitch(const OptionPageValues& page, const SettingKey& key) {
    const auto* member = std::get_if<int32_t S::*>(&key.member);
    if (member == nullptr) {
        return 0;
    }
    if (*member == &S::wallLock) {
        return page.wallLock;
    }
    if (*member == &S::showLight) {
        return page.showLight;
    }
    if (*member == &S::showMirror) {
        return page.showMirror;
    }
    if (*member == &S::showShadow) {
        return page.showShadow;
    }
    return page.showTexture;
}

const SettingKey* FindSettingKey(std::string_view section, std::string_view name) {
    for (const SettingKey& key : GetSettingKeys()) {
        if (section == key.section && name == key.key) {
            return &key;
        }
    }
    return nullptr;
}

// The file dialog adds the default extension to a name typed without one.
std::string WithIniExtension(std::string path) {
    if (GetPathFileName(path).find('.') == std::string::npos) {
        path += ".ini";
    }
    return path;
}

void ReportSaveFailure(const std::string& path, const std::string& why) {
    ShowMessage("無法將設定儲存到「" + path + "」：" + why, PromptButtons::Ok, PromptIcon::Error);
}

bool IsExistingFolder(const std::string& folder) {
    std::error_code ec;
    if (std::filesystem::is_directory(folder, ec)) {
        return true;
    }
    std::optional<std::filesystem::path> resolved = pfs::ResolvePathCaseInsensitive(folder);
    return resolved && std::filesystem::is_directory(*resolved, ec);
}

// The settings file the user picks to load or save, starting in the program
// folder; nothing when cancelled.
std::optional<std::string> AskSettingsFile(bool save, const std::string& programFolder) {
    FileNameRequest request;
    request.save = save;
    request.filter = kSettingsFilter;
    request.defaultName = CHousDoc::kSettingsFileName;
    request.folder = programFolder;
    return AskFileName(request);
}

}  // namespace

std::string CHousDoc::GetSettingsFilePath() const {
    return m_programFolder + kSettingsFileName;
}

bool CHousDoc::LoadSettings(std::optional<std::string_view> path) {
    std::string source(path.value_or(std::string_view()));
    if (source.empty()) {
        std::optional<std::string> chosen = AskSettingsFile(false, m_programFolder);
        if (!chosen) {
            return false;
        }
        source = *chosen;
    }
    pfs::Result<CProfileFile> profile = CProfileFile::Open(source);
    if (!profile) {
        ShowMessage("無法讀取設定：" + profile.Error(), PromptButtons::Ok, PromptIcon::Error);
        return false;
    }
    HousSettings loaded = m_settings;
    for (const SettingKey& key : GetSettingKeys()) {
        if (key.access == SettingAccess::Saved || key.access == SettingAccess::ReadOnly ||
            key.access == SettingAccess::StartupSwitch) {
            ReadKey(profile.Value(), key, loaded);
        }
    }
    m_settings = std::move(loaded);
    return true;
}

bool CHousDoc::SaveSettings(std::string_view path) {
    std::string target(path);
    if (target.empty()) {
        std::optional<std::string> chosen = AskSettingsFile(true, m_programFolder);
        if (!chosen) {
            return false;
        }
        target = WithIniExtension(*chosen);
    }
    pfs::Result<CProfileFile> opened = CProfileFile::Open(target);
    if (!opened) {
        ReportSaveFailure(target, opened.Error());
        return false;
    }
    CProfileFile& profile = opened.Value();
    const std::optional<OptionPageValues> pages =
        m_pMainWindow != nullptr ? m_pMainWindow->GetOptionPageValues() : std::nullopt;

    for (const SettingKey& key : GetSettingKeys()) {
        switch (key.access) {
            case SettingAccess::ReadOnly:
                break;
            case SettingAccess::SaveAllFlag:
                // Without the General page the file keeps its own switch.
                profile.SetInt(
                    key.section, key.key,
                    pages ? pages->saveAllSettings : profile.GetInt(key.section, key.key, 0));
                break;
            case SettingAccess::StartupSwitch:
                if (pages) {
                    profile.SetInt(key.section, key.key, PageSwitch(*pages, key));
                    break;
                }
                [[fallthrough]];
            case SettingAccess::Saved:
            case SettingAccess::WrittenOnly:
                if (!WriteKey(profile, key, m_settings)) {
                    ReportSaveFailure(target, std::string("[") + key.section + "] " + key.key +
                                                  " 的文字含有設定檔無法儲存的字元。");
                    return false;
                }
                break;
        }
    }
    pfs::Result<void> saved = profile.Save();
    if (!saved) {
        ReportSaveFailure(target, saved.Error());
        return false;
    }
    return true;
}

bool CHousDoc::Save3DViewSwitches(const OptionPageValues& page) {
    const std::string target = GetSettingsFilePath();
    pfs::Result<CProfileFile> opened = CProfileFile::Open(target);
    if (!opened) {
        ReportSaveFailure(target, opened.Error());
        return false;
    }
    CProfileFile& profile = opened.Value();
    profile.SetInt("3DView", "WALL_LOCK", page.wallLock);
    profile.SetInt("3DView", "SHOW_LIGHT", page.showLight);
    profile.SetInt("3DView", "SHOW_MIRROR", page.showMirror);
    profile.SetInt("3DView", "SHOW_SHADOW", page.showShadow);
    pfs::Result<void> saved = profile.Save();
    if (!saved) {
        ReportSaveFailure(target, saved.Error());
        return false;
    }
    return true;
}

bool CHousDoc::ReloadBackgroundSettings() {
    pfs::Result<CProfileFile> profile = CProfileFile::Open(GetSettingsFilePath());
    if (!profile) {
        ShowMessage("無法讀取設定：" + profile.Error(), PromptButtons::Ok, PromptIcon::Error);
        return false;
    }
    for (const char* name : {"BG_COLOR", "RED", "GREEN", "BLUE"}) {
        ReadKey(profile.Value(), *FindSettingKey("3DView", name), m_settings);
    }
    return true;
}

void CHousDoc::ReadProjectDirectory() {
    std::string stored;
    if (pfs::Result<CProfileFile> profile = CProfileFile::Open(GetSettingsFilePath())) {
        stored = profile.Value().GetString("General", "PROJECT_DIRECTORY", "");
    }
    m_projectDirectory = stored.empty() ? m_programFolder + "MyDesign" : LocalPath(stored);
    if (!IsExistingFolder(m_projectDirectory)) {
        // The top of the user's own files, where the drive root was.
        const std::optional<std::string> home = pfs::UserEnvironment::FromProcess().home;
        m_projectDirectory = home ? pfs::WithTrailingSlash(*home) : m_programFolder;
    }
}

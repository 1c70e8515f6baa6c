#include "shell/RecentFileList.h"

#include <wx/fileconf.h>
#include <wx/log.h>
#include <wx/mstream.h>

#include <fstream>
#include <iterator>
#include <memory>
#include <system_error>
#include <utility>

#include "platform/fs/AtomicFileWriter.h"
#include "platform/fs/UserFolders.h"
#include "shell/CommandIds.h"

namespace {

constexpr const char* kConfigName = "velmora.conf";
constexpr const char* kGroup = "/Recent File List";

std::string Quoted(const std::filesystem::path& path) {
    return "「" + path.string() + "」";
}

// The file's bytes; a missing file is empty.
pfs::Result<std::string> ReadConfigBytes(const std::filesystem::path& file) {
    std::error_code ec;
    if (!std::filesystem::exists(file, ec)) {
        if (ec) {
            return pfs::Failure{"無法讀取設定檔" + Quoted(file) + "：" + ec.message()};
        }
        return std::string();
    }
    std::ifstream in(file, std::ios::binary);
    if (!in.is_open()) {
        return pfs::Failure{"無法開啟設定檔" + Quoted(file) + "。"};
    }
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) {
        return pfs::Failure{"無法讀取設定檔" + Quoted(file) + "。"};
    }
    return bytes;
}

// Parsed quietly: a damaged line is skipped, never shown in a message box.
// Values are taken literally: a '$' in a file name is not a variable.
std::unique_ptr<wxFileConfig> ParseConfig(const std::string& bytes) {
    wxLogNull quiet;
    wxMemoryInputStream stream(bytes.data(), bytes.size());
    auto config = std::make_unique<wxFileConfig>(stream, wxConvUTF8);
    config->SetExpandEnvVars(false);
    return config;
}

bool IsInside(const std::filesystem::path& file, const std::filesystem::path& folder) {
    const std::filesystem::path normalFile = file.lexically_normal();
    std::filesystem::path normalFolder = folder.lexically_normal();
    if (!normalFolder.has_filename()) {
        normalFolder = normalFolder.parent_path();
    }
    auto fileIt = normalFile.begin();
    for (const auto& part : normalFolder) {
        if (fileIt == normalFile.end() || *fileIt != part) {
            return false;
        }
        ++fileIt;
    }
    return fileIt != normalFile.end();
}

}  // namespace

CRecentFileList::CRecentFileList(std::filesystem::path configFile)
    : m_configFile(std::move(configFile)),
      m_history(static_cast<size_t>(cmd::kRecentFileCount), cmd::kFirstRecentFile) {}

pfs::Result<std::filesystem::path> CRecentFileList::DefaultConfigFile(
    const pfs::UserEnvironment& env) {
    pfs::Result<std::filesystem::path> folder = pfs::ConfigFolder(env);
    if (!folder) {
        return folder;
    }
    return folder.Value() / kConfigName;
}

pfs::Result<void> CRecentFileList::Load() {
    pfs::Result<std::string> bytes = ReadConfigBytes(m_configFile);
    if (!bytes) {
        return pfs::Failure{bytes.Error()};
    }
    std::unique_ptr<wxFileConfig> config = ParseConfig(bytes.Value());
    config->SetPath(kGroup);
    m_history.Load(*config);
    return {};
}

pfs::Result<void> CRecentFileList::Save() const {
    // Read again so that what others keep in the file survives.
    pfs::Result<std::string> bytes = ReadConfigBytes(m_configFile);
    if (!bytes) {
        return pfs::Failure{bytes.Error()};
    }
    std::unique_ptr<wxFileConfig> config = ParseConfig(bytes.Value());
    config->DeleteGroup(kGroup);
    config->SetPath(kGroup);
    // Save is not const in wx although it only reads the history.
    const_cast<wxFileHistoryBase&>(m_history).Save(*config);
    config->SetPath("/");

    wxMemoryOutputStream stream;
    if (!config->Save(stream, wxConvUTF8)) {
        return pfs::Failure{"無法整理最近開啟的設計案清單以寫入" + Quoted(m_configFile) + "。"};
    }
    std::string text(static_cast<std::size_t>(stream.GetLength()), '\0');
    stream.CopyTo(text.data(), text.size());
    return pfs::WriteFileAtomically(m_configFile, text);
}

void CRecentFileList::Add(const std::string& path) {
    if (!path.empty()) {
        m_history.AddFileToHistory(wxString::FromUTF8(path));
    }
}

void CRecentFileList::Remove(std::size_t index) {
    if (index < m_history.GetCount()) {
        m_history.RemoveFileFromHistory(index);
    }
}

void CRecentFileList::DropUnder(const std::filesystem::path& folder) {
    for (std::size_t i = m_history.GetCount(); i-- > 0;) {
        if (IsInside(std::filesystem::path(GetPath(i)), folder)) {
            m_history.RemoveFileFromHistory(i);
        }
    }
}

std::size_t CRecentFileList::GetCount() const {
    return m_history.GetCount();
}

std::string CRecentFileList::GetPath(std::size_t index) const {
    if (index >= m_history.GetCount()) {
        return {};
    }
    return m_history.GetHistoryFile(index).utf8_string();
}

void CRecentFileList::UseMenu(wxMenu* menu) {
    m_history.UseMenu(menu);
    m_history.AddFilesToMenu(menu);
}

void CRecentFileList::RemoveMenu(wxMenu* menu) {
    m_history.RemoveMenu(menu);
}

#include "shell/ApplicationCommands.h"

#include <cstdio>
#include <system_error>
#include <utility>

#include "document/HousDoc.h"
#include "foundation/Prompt.h"
#include "shell/AboutDlg.h"
#include "shell/CommandIds.h"
#include "shell/HighCommandIds.h"
#include "shell/MainFrame.h"
#include "shell/RecentFileList.h"
#include "shell/RecentFileMenuRule.h"
#include "shell/StartupFlowHost.h"

CApplicationCommands::CApplicationCommands(CMainFrame& frame,
                                           std::unique_ptr<CRecentFileList> recentFiles,
                                           std::filesystem::path temporaryFolder)
    : m_frame(frame),
      m_recentFiles(std::move(recentFiles)),
      m_temporaryFolder(std::move(temporaryFolder)) {}

CApplicationCommands::~CApplicationCommands() = default;

CApplicationCommands& CApplicationCommands::Attach(CMainFrame& frame,
                                                   std::unique_ptr<CRecentFileList> recentFiles,
                                                   std::filesystem::path temporaryFolder) {
    auto* commands =
        new CApplicationCommands(frame, std::move(recentFiles), std::move(temporaryFolder));
    frame.SetClientObject(commands);
    commands->Bind();
    return *commands;
}

void CApplicationCommands::Bind() {
    for (const int id : {cmd::kBackToMainMenu, cmd::kMenuBackToMainMenu}) {
        m_frame.Bind(
            wxEVT_MENU, [this](wxCommandEvent&) { RunBackToMainMenu(m_frame); }, id);
    }
    m_frame.Bind(
        wxEVT_MENU, [this](wxCommandEvent&) { ShowAbout(); }, cmd::kAbout);
    // Pages print through the PDF back end on the configured paper: there is
    // no printer to set up.
    m_frame.Bind(
        wxEVT_UPDATE_UI, [](wxUpdateUIEvent& event) { event.Enable(false); }, cmd::kPrintSetup);
    const int lastRecentFile = cmd::kFirstRecentFile + cmd::kRecentFileCount - 1;
    m_frame.Bind(
        wxEVT_MENU,
        [this](wxCommandEvent& event) { OpenRecentFile(event.GetId() - cmd::kFirstRecentFile); },
        cmd::kFirstRecentFile, lastRecentFile);
    m_frame.Bind(wxEVT_UPDATE_UI, &CApplicationCommands::OnUpdateRecentFile, this,
                 cmd::kFirstRecentFile, lastRecentFile);
    m_frame.SetRecentFileSink([this](const std::string& path) { AddRecentFile(path); });
    if (m_recentFiles != nullptr && m_frame.GetRecentFileMenu() != nullptr) {
        CAllowHighCommandIds highIds;
        m_recentFiles->UseMenu(m_frame.GetRecentFileMenu());
    }
}

void CApplicationCommands::AddRecentFile(const std::string& path) {
    if (m_recentFiles == nullptr) {
        return;
    }
    CAllowHighCommandIds highIds;  // the menu follows the list
    m_recentFiles->Add(path);
    SaveRecentFiles();
}

// The list is only a convenience: a config file that cannot be written is
// logged, not asked about.
void CApplicationCommands::SaveRecentFiles() {
    if (pfs::Result<void> saved = m_recentFiles->Save(); !saved) {
        std::fprintf(stderr, "velmora: %s\n", saved.Error().c_str());
    }
}

void CApplicationCommands::OpenRecentFile(int index) {
    if (m_recentFiles == nullptr || index < 0) {
        return;
    }
    const std::string path = m_recentFiles->GetPath(static_cast<std::size_t>(index));
    if (path.empty()) {
        return;
    }
    std::error_code error;
    if (!std::filesystem::exists(path, error)) {
        ShowMessage("找不到 " + path, PromptButtons::Ok, PromptIcon::Warning);
        {
            CAllowHighCommandIds highIds;
            m_recentFiles->Remove(static_cast<std::size_t>(index));
        }
        SaveRecentFiles();
        return;
    }
    m_frame.GetCommands().OpenFileByType(path);
}

void CApplicationCommands::ShowAbout() {
    CAboutDlg dialog(&m_frame);
    dialog.ShowModal();
}

void CApplicationCommands::OnUpdateRecentFile(wxUpdateUIEvent& event) {
    if (m_recentFiles == nullptr) {
        event.Enable(false);
        return;
    }
    if (!m_temporaryFolder.empty()) {
        const std::size_t listed = m_recentFiles->GetCount();
        {
            CAllowHighCommandIds highIds;
            m_recentFiles->DropUnder(m_temporaryFolder);
        }
        if (m_recentFiles->GetCount() != listed) {
            SaveRecentFiles();
        }
    }
    const CHousDoc* document = m_frame.GetActiveChildDocument();
    const bool greyed =
        document != nullptr && RecentFilesGreyed(document->GetShowMode(), document->GetEditMode(),
                                                 document->IsDrawingInProgress());
    const auto index = static_cast<std::size_t>(event.GetId() - cmd::kFirstRecentFile);
    event.Enable(!greyed && index < m_recentFiles->GetCount());
}

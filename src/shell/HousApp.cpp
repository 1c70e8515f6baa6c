#include "shell/HousApp.h"

#include <wx/cmdline.h>

#include <clocale>
#include <filesystem>
#include <memory>
#include <system_error>

#include "document/ActiveDocumentServices.h"
#include "document/HousDoc.h"
#include "foundation/ApplicationValues.h"
#include "foundation/Prompt.h"
#include "output/ConfiguredPrinterQueries.h"
#include "output/DesktopPaper.h"
#include "platform/draw/FontConfiguration.h"
#include "platform/fs/DefaultContent.h"
#include "platform/fs/FileSizeSignal.h"
#include "platform/fs/UserFolders.h"
#include "shell/CommandLineDesign.h"
#include "shell/FirstPaintReport.h"
#include "shell/MainFrame.h"
#include "shell/ProgramStrings.h"
#include "shell/PromptDialogs.h"
#include "view3d/HousView.h"

// GTK's text takes the current font configuration when it starts, so the
// program's face mapping goes in first.
bool CHousApp::Initialize(int& argc, wxChar** argv) {
    draw::UseProgramFontConfiguration();
    return wxApp::Initialize(argc, argv);
}

bool CHousApp::OnInit() {
    // A save beyond the file-size limit fails with a message instead of
    // killing the program.
    pfs::IgnoreFileSizeSignal();
    if (!wxApp::OnInit()) {
        return false;
    }
    // GTK takes the user's locale at start; numbers in files and edits keep
    // the '.' decimal point whatever it is.
    std::setlocale(LC_NUMERIC, "C");
    InstallPromptDialogs();
    const std::optional<std::filesystem::path> programFolder = PrepareProgramFolder();
    if (!programFolder) {
        return false;
    }
    m_pMainFrame = CreateMainWindow(*programFolder);
    m_pMainFrame->Maximize();
    m_pMainFrame->Show();
    if (CHousView* view = m_pMainFrame->Get3DView()) {
        ReportFirstPaintOf(*view);
    }
    // A design that cannot be opened leaves the program running with the
    // empty design, after the message that says why.
    if (m_designFile) {
        OpenDesignWhenShown(*m_pMainFrame, *m_designFile);
    }
    return true;
}

// No dialog may be asked for once the windows are gone.
int CHousApp::OnExit() {
    SetMessageHandler({});
    SetFileNameHandler({});
    SetLoadWarningHandler({});
    return wxApp::OnExit();
}

CMainFrame* CHousApp::CreateMainWindow(const std::filesystem::path& programFolder) {
    SetProgramFolder(programFolder);
    // Without its texts the program still runs; the user is told why they are missing.
    if (pfs::Result<void> strings = LoadProgramStrings(pfs::FindResourceFolder(), programFolder);
        !strings) {
        ShowMessage(strings.Error(), PromptButtons::Ok, PromptIcon::Error);
    }
    // The design objects reach the active document through these services.
    static CActiveDocumentServices documentServices;
    SetDocumentServices(&documentServices);
    // The plan's paper frame takes the desktop's paper until printing asks a printer.
    static CConfiguredPrinterQueries printer(GetDesktopPaperSettings());
    auto* frame = new CMainFrame();
    frame->SetDocument(std::make_unique<CHousDoc>(frame, &printer));
    return frame;
}

void CHousApp::OnInitCmdLine(wxCmdLineParser& parser) {
    wxApp::OnInitCmdLine(parser);
    parser.AddOption("", "home",
                     "程式資料夾（預設為 $VELMORA_HOME，未設定時為 $XDG_DATA_HOME/velmora）");
    parser.AddParam("設計檔", wxCMD_LINE_VAL_STRING, wxCMD_LINE_PARAM_OPTIONAL);
}

bool CHousApp::OnCmdLineParsed(wxCmdLineParser& parser) {
    if (!wxApp::OnCmdLineParsed(parser)) {
        return false;
    }
    wxString home;
    if (parser.Found("home", &home)) {
        m_homeOption = home.utf8_string();
    }
    if (parser.GetParamCount() > 0) {
        // The design keeps its full path as its name and in the title.
        const std::filesystem::path design = parser.GetParam(0).utf8_string();
        std::error_code error;
        const std::filesystem::path absolute = std::filesystem::absolute(design, error);
        m_designFile = (error ? design : absolute).string();
    }
    return true;
}

// The program folder anchors every relative path of the system; on first start
// it is created and filled with the installed default content.
std::optional<std::filesystem::path> CHousApp::PrepareProgramFolder() {
    const pfs::UserEnvironment env = pfs::UserEnvironment::FromProcess();
    auto folder = pfs::ResolveProgramFolder(m_homeOption, env);
    if (!folder) {
        ShowMessage(folder.Error(), PromptButtons::Ok, PromptIcon::Error);
        return std::nullopt;
    }
    const auto resources = pfs::FindResourceFolder();
    auto filled = pfs::FillProgramFolder(folder.Value(), pfs::DefaultHomeContent(resources));
    if (!filled) {
        ShowMessage(filled.Error(), PromptButtons::Ok, PromptIcon::Error);
        return std::nullopt;
    }
    return folder.Value();
}

#include "shell/HousApp.h"

#include <wx/bmpbndl.h>
#include <wx/cmdline.h>
#include <wx/icon.h>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <system_error>
#include <vector>

#include "document/ActiveDocumentServices.h"
#include "document/HousDoc.h"
#include "foundation/ApplicationValues.h"
#include "foundation/ProfileFile.h"
#include "foundation/Prompt.h"
#include "output/ConfiguredPrinterQueries.h"
#include "output/DesktopPaper.h"
#include "platform/draw/FontConfiguration.h"
#include "platform/fs/DefaultContent.h"
#include "platform/fs/FileSizeSignal.h"
#include "platform/fs/ProgramSubFolders.h"
#include "platform/fs/TemporaryFolder.h"
#include "platform/fs/UserFolders.h"
#include "shell/ApplicationCommands.h"
#include "shell/CatalogueLocation.h"
#include "shell/CommandLineDesign.h"
#include "shell/FirstPaintReport.h"
#include "shell/MainFrame.h"
#include "shell/ProgramLanguage.h"
#include "shell/ProgramStrings.h"
#include "shell/ProgressWindow.h"
#include "shell/PromptDialogs.h"
#include "shell/RecentFileList.h"
#include "shell/StartupFlowHost.h"
#include "shell/WidgetAnimations.h"
#include "view3d/HousView.h"

namespace {

// What the program folder was given at this start.
struct PreparedProgramFolder {
    std::filesystem::path folder;
    bool defaultContentFound = false;
    std::vector<std::string> madeFolders;
};

// The program folder anchors every relative path of the system; on first
// start it is created, filled with the installed default content and given
// the folders the program works in. Nothing after the user was told why.
std::optional<PreparedProgramFolder> PrepareProgramFolder(
    const std::optional<std::string>& homeOption, const pfs::UserEnvironment& env) {
    auto folder = pfs::ResolveProgramFolder(homeOption, env);
    if (!folder) {
        ShowMessage(folder.Error(), PromptButtons::Ok, PromptIcon::Error);
        return std::nullopt;
    }
    PreparedProgramFolder prepared;
    prepared.folder = folder.Value();
    const auto content = pfs::DefaultHomeContent(pfs::FindResourceFolder());
    std::error_code error;
    prepared.defaultContentFound = std::filesystem::is_directory(content, error);
    if (auto filled = pfs::FillProgramFolder(prepared.folder, content); !filled) {
        ShowMessage(filled.Error(), PromptButtons::Ok, PromptIcon::Error);
        return std::nullopt;
    }
    auto made = pfs::MakeProgramSubFolders(prepared.folder);
    if (!made) {
        ShowMessage(made.Error(), PromptButtons::Ok, PromptIcon::Error);
        return std::nullopt;
    }
    prepared.madeFolders = made.Value();
    return prepared;
}

// A program folder without a settings file gets an empty one, which the
// settings dialogs and the catalogue location then write into.
CProfileFile OpenSettingsFile(const std::filesystem::path& programFolder) {
    const std::filesystem::path path = programFolder / CHousDoc::kSettingsFileName;
    auto opened = CProfileFile::Open(path);
    if (!opened) {
        ShowMessage(opened.Error(), PromptButtons::Ok, PromptIcon::Error);
        return CProfileFile(path);
    }
    CProfileFile settings = std::move(opened.Value());
    std::error_code error;
    if (!std::filesystem::exists(settings.GetPath(), error)) {
        if (pfs::Result<void> saved = settings.Save(); !saved) {
            ShowMessage(saved.Error(), PromptButtons::Ok, PromptIcon::Error);
        }
    }
    return settings;
}

// What a first start made, said in the status bar; a start that made
// nothing says nothing.
std::string DescribeFirstStart(const PreparedProgramFolder& prepared) {
    if (prepared.madeFolders.empty()) {
        return {};
    }
    std::string folders;
    for (const std::string& name : prepared.madeFolders) {
        folders += (folders.empty() ? "" : "、") + name;
    }
    std::string text = "已在程式資料夾 " + prepared.folder.string() + " 建立資料夾 " + folders;
    if (!prepared.defaultContentFound) {
        text += "；找不到預設內容，未複製任何範例檔案";
    }
    return text;
}

void SetFrameIcon(CMainFrame& frame) {
    const auto icon = pfs::FindResourceFolder() / "icons" / "velmora.svg";
    std::error_code error;
    if (!std::filesystem::exists(icon, error)) {
        return;
    }
    const wxBitmapBundle bundle = wxBitmapBundle::FromSVGFile(icon.string(), wxSize(64, 64));
    if (bundle.IsOk()) {
        wxIcon frameIcon;
        frameIcon.CopyFromBitmap(bundle.GetBitmap(wxSize(64, 64)));
        frame.SetIcon(frameIcon);
    }
}

// The recent designs of the user's config file; none when it has no place.
std::unique_ptr<CRecentFileList> LoadRecentFiles(const pfs::UserEnvironment& env) {
    auto configFile = CRecentFileList::DefaultConfigFile(env);
    if (!configFile) {
        std::fprintf(stderr, "velmora: %s\n", configFile.Error().c_str());
        return nullptr;
    }
    auto list = std::make_unique<CRecentFileList>(configFile.Value());
    if (pfs::Result<void> loaded = list->Load(); !loaded) {
        std::fprintf(stderr, "velmora: %s\n", loaded.Error().c_str());
    }
    return list;
}

// Design packages cannot be unpacked without it; the rest of the program runs.
std::filesystem::path PrepareScratchFolder(const pfs::UserEnvironment& env) {
    auto folder = pfs::PrepareTemporaryFolder(env);
    if (!folder) {
        std::fprintf(stderr, "velmora: %s\n", folder.Error().c_str());
        return {};
    }
    return folder.Value();
}

}  // namespace

// GTK's text takes the current font configuration when it starts, so the
// program's face mapping goes in first.
bool CHousApp::Initialize(int& argc, wxChar** argv) {
    draw::UseProgramFontConfiguration();
    SetProgramLocale();
    KeepLocaleThroughToolkitStart();
    return wxApp::Initialize(argc, argv);
}

bool CHousApp::OnInit() {
    // A save beyond the file-size limit fails with a message instead of
    // killing the program.
    pfs::IgnoreFileSizeSignal();
    if (!wxApp::OnInit()) {
        return false;
    }
    UseChineseToolkitTexts();
    InstallPromptDialogs();
    SetProgressWindowFactory(OpenProgressDialog);
    m_pMainFrame = StartProgram(m_options);
    return m_pMainFrame != nullptr;
}

CMainFrame* CHousApp::StartProgram(const ProgramStartOptions& options) {
    const pfs::UserEnvironment env = pfs::UserEnvironment::FromProcess();
    const std::optional<PreparedProgramFolder> prepared =
        PrepareProgramFolder(options.homeFolder, env);
    if (!prepared) {
        return nullptr;
    }
    {
        CProfileFile settings = OpenSettingsFile(prepared->folder);
        LocateCatalogueDatabase(prepared->folder, settings);
    }
    CMainFrame* frame = CreateMainWindow(prepared->folder);
    SetFrameIcon(*frame);
    CApplicationCommands::Attach(*frame, LoadRecentFiles(env), PrepareScratchFolder(env));
    frame->Maximize();
    frame->Show();
    if (const std::string firstStart = DescribeFirstStart(*prepared);
        !firstStart.empty() && frame->GetStatusBar() != nullptr) {
        frame->SetStatusText(firstStart);
    }
    // A design that cannot be opened leaves the program running with the
    // empty design, after the message that says why. A start with a design
    // counts as done once the design is painted.
    CHousView* view = frame->Get3DView();
    if (options.designFile) {
        OpenDesignWhenShown(*frame, *options.designFile, [view] {
            ReportFirstPaintOf(*view);
            view->Refresh();
        });
    } else {
        if (view != nullptr) {
            ReportFirstPaintOf(*view);
        }
        RunWhenShown(*frame, [frame] { RunStartupFlow(*frame); });
    }
    return frame;
}

// No dialog may be asked for once the windows are gone.
int CHousApp::OnExit() {
    SetMessageHandler({});
    SetFileNameHandler({});
    SetLoadWarningHandler({});
    SetProgressWindowFactory({});
    return wxApp::OnExit();
}

CMainFrame* CHousApp::CreateMainWindow(const std::filesystem::path& programFolder) {
    SetProgramFolder(programFolder);
    TurnOffWidgetAnimations();
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
        m_options.homeFolder = home.utf8_string();
    }
    if (parser.GetParamCount() > 0) {
        // The design keeps its full path as its name and in the title.
        const std::filesystem::path design = parser.GetParam(0).utf8_string();
        std::error_code error;
        const std::filesystem::path absolute = std::filesystem::absolute(design, error);
        m_options.designFile = (error ? design : absolute).string();
    }
    return true;
}

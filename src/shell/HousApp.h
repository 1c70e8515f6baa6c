#pragma once

#include <wx/app.h>

#include <filesystem>
#include <optional>
#include <string>

class CMainFrame;

// What the command line asks of a start.
struct ProgramStartOptions {
    std::optional<std::string> homeFolder;
    std::optional<std::string> designFile;  // absolute
};

// The application object: finds the program folder, starts the program and
// owns its main frame.
class CHousApp : public wxApp {
public:
    bool Initialize(int& argc, wxChar** argv) override;
    bool OnInit() override;
    int OnExit() override;
    void OnInitCmdLine(wxCmdLineParser& parser) override;
    bool OnCmdLineParsed(wxCmdLineParser& parser) override;

    // The whole start of the program once the dialogs are installed: the
    // program folder, its settings and catalogue, the shown main frame with
    // its commands, then the design of the command line or the design
    // manager once the frame is painted. Null when the program cannot start
    // (the user was told why).
    static CMainFrame* StartProgram(const ProgramStartOptions& options);

    // Anchors the program in the folder, loads its texts and makes the main
    // frame with the one document of the run; the frame is not shown yet.
    static CMainFrame* CreateMainWindow(const std::filesystem::path& programFolder);

    CMainFrame* GetMainFrame() const { return m_pMainFrame; }

private:
    CMainFrame* m_pMainFrame = nullptr;
    ProgramStartOptions m_options;
};

wxDECLARE_APP(CHousApp);

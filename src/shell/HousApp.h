#pragma once

#include <wx/app.h>

#include <filesystem>
#include <optional>
#include <string>

class CMainFrame;

// The application object: finds the program folder, starts the program and
// owns its main frame.
class CHousApp : public wxApp {
public:
    bool Initialize(int& argc, wxChar** argv) override;
    bool OnInit() override;
    int OnExit() override;
    void OnInitCmdLine(wxCmdLineParser& parser) override;
    bool OnCmdLineParsed(wxCmdLineParser& parser) override;

    // Anchors the program in the folder, loads its texts and makes the main
    // frame with the one document of the run; the frame is not shown yet.
    static CMainFrame* CreateMainWindow(const std::filesystem::path& programFolder);

    CMainFrame* GetMainFrame() const { return m_pMainFrame; }

private:
    // Nothing after the user was told why there is none.
    std::optional<std::filesystem::path> PrepareProgramFolder();

    CMainFrame* m_pMainFrame = nullptr;
    std::optional<std::string> m_homeOption;
    std::optional<std::string> m_designFile;
};

wxDECLARE_APP(CHousApp);

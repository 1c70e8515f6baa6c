#pragma once

#include <wx/app.h>

class CMainFrame;

// The application object: starts the program and owns its main frame.
class CHousApp : public wxApp {
public:
    bool OnInit() override;

    CMainFrame* GetMainFrame() const { return m_pMainFrame; }

private:
    CMainFrame* m_pMainFrame = nullptr;
};

wxDECLARE_APP(CHousApp);

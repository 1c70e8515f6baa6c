#include "shell/HousApp.h"

#include "shell/MainFrame.h"

bool CHousApp::OnInit() {
    if (!wxApp::OnInit()) {
        return false;
    }
    m_pMainFrame = new CMainFrame();
    m_pMainFrame->Maximize();
    m_pMainFrame->Show();
    return true;
}

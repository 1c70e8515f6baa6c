#include "shell/MainFrame.h"

CMainFrame::CMainFrame() : wxFrame(nullptr, wxID_ANY, wxString::FromUTF8("Velmora 室內設計")) {
    SetMinSize(wxSize(640, 480));
}

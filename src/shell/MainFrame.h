#pragma once

#include <wx/frame.h>

// The main window of the program.
class CMainFrame : public wxFrame {
public:
    CMainFrame();
};

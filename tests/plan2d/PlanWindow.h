#pragma once

#include <wx/app.h>
#include <wx/frame.h>
#include <wx/sizer.h>

#include "document/HousDoc.h"
#include "plan2d/H2DChild.h"
#include "plan2d/H2DView.h"

// The plan frame filling a real 640 x 480 top-level window, shown and laid
// out. The window owns the frame; Close destroys it.
struct PlanWindow {
    wxFrame* window = nullptr;
    CH2DChild* child = nullptr;
    CH2DView* view = nullptr;

    void Open(CHousDoc& doc, bool statusBar = false) {
        window = new wxFrame(nullptr, wxID_ANY, "plan", wxDefaultPosition, wxSize(640, 480));
        if (statusBar) {
            window->CreateStatusBar();
        }
        child = new CH2DChild(window, doc);
        auto* sizer = new wxBoxSizer(wxVERTICAL);
        sizer->Add(child, 1, wxEXPAND);
        window->SetSizer(sizer);
        window->Show();
        window->Layout();
        wxTheApp->Yield();
        view = child->GetPlanView();
    }

    void Close() {
        window->Destroy();
        wxTheApp->Yield();
    }
};

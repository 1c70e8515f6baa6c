#include "shell/FrameAcceleratorFilter.h"

#include <wx/event.h>
#include <wx/frame.h>
#include <wx/textentry.h>
#include <wx/window.h>

#include "shell/MainMenuBar.h"

CFrameAcceleratorFilter::CFrameAcceleratorFilter(wxFrame& frame) : m_frame(frame) {
    wxEvtHandler::AddFilter(this);
}

CFrameAcceleratorFilter::~CFrameAcceleratorFilter() {
    wxEvtHandler::RemoveFilter(this);
}

int CFrameAcceleratorFilter::FilterEvent(wxEvent& event) {
    // The key hook comes before the focused window's own key handling, as
    // accelerators do.
    if (event.GetEventType() != wxEVT_CHAR_HOOK) {
        return Event_Skip;
    }
    return RunCommandOfKey(static_cast<wxKeyEvent&>(event)) ? Event_Processed : Event_Skip;
}

bool CFrameAcceleratorFilter::RunCommandOfKey(const wxKeyEvent& key) {
    const int command = FindMainAcceleratorCommand(key);
    // A modal dialog or a long operation disables the frame: its keys wait.
    if (command < 0 || !m_frame.IsEnabled()) {
        return false;
    }
    wxWindow* focus = wxWindow::FindFocus();
    if (focus == nullptr || dynamic_cast<wxTextEntry*>(focus) != nullptr) {
        return false;
    }
    wxUpdateUIEvent update(command);
    update.SetEventObject(&m_frame);
    if (m_frame.GetEventHandler()->ProcessEvent(update) && update.GetSetEnabled() &&
        !update.GetEnabled()) {
        return false;
    }
    wxCommandEvent run(wxEVT_MENU, command);
    run.SetEventObject(&m_frame);
    return m_frame.GetEventHandler()->ProcessEvent(run);
}

#pragma once

#include <wx/utils.h>

class wxEvtHandler;
class wxTimerEvent;
class wxWindow;

// A long operation that lets the program handle events while it runs (the
// progress window's steps, and any box it asks on the way). For as long as
// it lives, the user's input reaches only the progress window and timer
// events wait: a command or a timer handled in the middle could change or
// free the scene the operation is working on.
class CPumpedOperation {
public:
    // Disables every shown top-level window but the progress window.
    explicit CPumpedOperation(wxWindow* progressWindow);
    // Enables them again; when the last operation ends, each timer that
    // fired meanwhile comes back to its handler, once.
    ~CPumpedOperation();
    CPumpedOperation(const CPumpedOperation&) = delete;
    CPumpedOperation& operator=(const CPumpedOperation&) = delete;

    static bool IsRunning();

    // For a timer handler, before it acts: true when an operation runs and
    // the event was kept for later, so the handler returns at once.
    static bool DeferTimer(wxEvtHandler& handler, const wxTimerEvent& event);

private:
    wxWindowDisabler m_disabler;
};

#pragma once

#include <wx/eventfilter.h>

class wxFrame;
class wxKeyEvent;

// The main frame's accelerators from every window of the program: a key of
// the frame's table pressed in a library browser, a bar or a view runs the
// frame's command, as long as the frame takes input and the command is
// enabled. A text entry keeps its own editing keys, and a key the frame has
// no handler for goes on to the window as before.
class CFrameAcceleratorFilter : public wxEventFilter {
public:
    // Installed for as long as the object lives.
    explicit CFrameAcceleratorFilter(wxFrame& frame);
    ~CFrameAcceleratorFilter() override;
    CFrameAcceleratorFilter(const CFrameAcceleratorFilter&) = delete;
    CFrameAcceleratorFilter& operator=(const CFrameAcceleratorFilter&) = delete;

    int FilterEvent(wxEvent& event) override;

private:
    bool RunCommandOfKey(const wxKeyEvent& key);

    wxFrame& m_frame;
};

#pragma once

#include <functional>
#include <map>
#include <set>

#include "shell/MainFrameEditCommands.h"

class CH2DChild;
class CLibraryBrowsers;
class CHousDoc;
class CMainFrameCommands;
class wxCommandEvent;
class wxFrame;
class wxUpdateUIEvent;

// Binds the main frame's menu, tool-bar and accelerator commands to their
// handlers, and their items' enabled and checked states to the update
// rules. A command of the menus without a handler in this program shows
// disabled. Recent files, print setup, About and back to the main menu are
// the application's to bind.
class CMainFrameRouting : private IPlanCommandWindows {
public:
    CMainFrameRouting(wxFrame& frame, CMainFrameCommands& commands, CMainFrameEditCommands& edit);
    ~CMainFrameRouting() override;
    CMainFrameRouting(const CMainFrameRouting&) = delete;
    CMainFrameRouting& operator=(const CMainFrameRouting&) = delete;

    // The commands this routing answers (with a handler or disabled).
    const std::set<int>& GetRoutedCommands() const { return m_routed; }
    bool HasHandler(int command) const { return m_handlers.contains(command); }

private:
    void AddHandlers();
    void OnCommand(wxCommandEvent& event);
    void OnUpdate(wxUpdateUIEvent& event);
    // The plan frame's own update rule for the commands it shares; false
    // for any other command.
    bool UpdateLikePlanFrame(wxUpdateUIEvent& event, const CHousDoc& document) const;
    CH2DChild* GetPlanFrame() const;
    // The 3D view's library browsers; null while there is no view.
    CLibraryBrowsers* GetLibraryBrowsers() const;
    // The plan frame runs its tool as if its button were pressed.
    void ForwardToPlanFrame(int toolId);
    // The 3D view runs its own menu command.
    void ForwardTo3DView(int command);
    void PasteAtPlanPoint();

    // IPlanCommandWindows
    void RunShowShapes() override;
    void FocusPlanView() override;

    wxFrame& m_frame;
    CMainFrameCommands& m_commands;
    CMainFrameEditCommands& m_edit;
    std::map<int, std::function<void()>> m_handlers;
    std::set<int> m_routed;
};

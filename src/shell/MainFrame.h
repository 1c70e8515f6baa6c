#pragma once

#include <wx/aui/framemanager.h>
#include <wx/frame.h>
#include <wx/timer.h>

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "shell/HighCommandIds.h"
#include "shell/MainFrameCommands.h"
#include "shell/MainFrameEditCommands.h"
#include "shell/MainFrameWindow.h"

class CFrameAcceleratorFilter;
class CH2DChild;
class CLibraryBrowsers;
class CMainFrameRouting;
class CHousDoc;
class CHousView;
class CWalkStepBar;
class wxAuiToolBar;
class wxAuiToolBarEvent;
class wxMenu;

// The main window of the program. It holds the one document of the run,
// which the active-document accessor finds while the frame lives, and runs
// the timers the document asks for.
class CMainFrame : public wxFrame, public IMainFrameWindow {
public:
    CMainFrame();
    ~CMainFrame() override;

    // The frame keeps the document; it is made with the frame as its main window.
    // The views of the document are made with it.
    void SetDocument(std::unique_ptr<CHousDoc> document);
    CH2DChild* GetPlanFrame() const { return m_pPlanFrame; }
    CHousView* Get3DView() const { return m_p3DView; }
    // The one document; null before it is set.
    CHousDoc* GetActiveChildDocument() const { return m_pDocument.get(); }

    void SetFrameTitle(std::string_view text) override;
    void Get3DViewClientSize(int& width, int& height) const override;
    // The view's pane asks for the new size; the pane beside it gives way.
    void Resize3DViewPaneBy(int dx, int dy) override;
    // Pane 0 of the status bar, painted at once.
    using wxFrame::SetStatusText;
    void SetStatusText(const std::string& text);
    std::string GetStatusText() const;
    // Locks or frees the bars and views of the frame (the status bar stays).
    void EnableInput(bool enable);

    // The File menu's recent-file submenu, empty until the start-up code
    // fills it from its file history.
    wxMenu* GetRecentFileMenu() const { return m_pRecentFileMenu; }
    wxAuiToolBar* GetBasicToolBar() const { return m_pBasicToolBar; }
    wxAuiToolBar* GetPlayToolBar() const { return m_pPlayToolBar; }
    CWalkStepBar* GetWalkStepBar() const { return m_pWalkStepBar; }
    bool IsBarShown(wxWindow* bar);

    // Show mode keeps the play tool bar and the status bar; edit mode shows
    // every bar but the play tool bar.
    void ArrangeBarsForShowMode() override;
    void ArrangeBarsForEditMode() override;
    void HoldRepaints(bool hold) override;
    void HideAllBars();

    void Get3DViewSize(int& width, int& height) const { m_commands.Get3DViewSize(width, height); }
    void Resize3DViewFrame(int width, int height) { m_commands.Resize3DViewFrame(width, height); }

    void OnViewSolid() { m_commands.OnViewSolid(); }
    void OnViewWireframe() { m_commands.OnViewWireframe(); }
    void OnBackgroundGreyBlue() { m_commands.OnBackgroundGreyBlue(); }
    void OnBackgroundWhite() { m_commands.OnBackgroundWhite(); }
    void OnBackgroundBlack() { m_commands.OnBackgroundBlack(); }
    void OnShowMode() { m_commands.OnShowMode(); }
    void OnEditMode() { m_commands.OnEditMode(); }

    // The design commands the start-up flow and the recent files run.
    CMainFrameCommands& GetCommands() { return m_commands; }
    bool CloseDesign() { return m_commands.CloseDesign(); }
    void NewDesign() { m_commands.NewDesign(); }

    // IMainWindow
    void StartTimer(int timerId, int milliseconds) override;
    void StopTimer(int timerId) override;
    bool IsTimerRunning(int timerId) const;
    void SetHardwareAccelButton(int bitmapId) override;
    std::optional<OptionPageValues> GetOptionPageValues() const override;

private:
    // Menus of the frame get items added while it lives (the recent files).
    CAllowHighCommandIds m_highCommandIds;

    void CreateBars();
    void OnModeDropDown(wxAuiToolBarEvent& event);
    void OnUpdateKeyIndicators(wxIdleEvent& event);
    void ShowBar(wxWindow* bar, bool show);
    // The walk-step bar goes on the top row, after the tool bar shown there.
    void DockWalkStepBarBeside(wxWindow* toolBar);
    void ResizePlanPaneBy(int dx);
    void OnTimer(wxTimerEvent& event);
    void OnClose(wxCloseEvent& event);
    void CreateDesignViews();
    void DestroyDesignViews();

    std::map<int, std::unique_ptr<wxTimer>> m_timers;
    CMainFrameCommands m_commands;
    CMainFrameEditCommands m_editCommands;
    // Declared after the commands it routes to, so that it goes first.
    std::unique_ptr<CMainFrameRouting> m_pRouting;
    std::unique_ptr<CFrameAcceleratorFilter> m_pAcceleratorFilter;
    std::unique_ptr<CHousDoc> m_pDocument;
    // The 3D window and the plan window are panes side by side.
    wxAuiManager m_aui;
    CHousView* m_p3DView = nullptr;
    CH2DChild* m_pPlanFrame = nullptr;
    // The 3D view's library browsers, made with the views and closed when
    // they go.
    std::unique_ptr<CLibraryBrowsers> m_pLibraryBrowsers;
    wxMenu* m_pRecentFileMenu = nullptr;
    wxAuiToolBar* m_pBasicToolBar = nullptr;
    wxAuiToolBar* m_pPlayToolBar = nullptr;
    CWalkStepBar* m_pWalkStepBar = nullptr;
    // Its content is not built yet; it stays hidden.
    wxWindow* m_pNavigationBar = nullptr;

    // ---- What the design lifecycle asks of the frame
public:
    void AddToRecentFileList(const std::string& path) override;
    void ShowMissingFiles() override;
    // The start-up code keeps the recent-file list; until it sets the sink
    // the frame's additions go nowhere.
    void SetRecentFileSink(std::function<void(const std::string&)> sink);

private:
    std::function<void(const std::string&)> m_recentFileSink;
    // ---- End of what the design lifecycle asks of the frame
};

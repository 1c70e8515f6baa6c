#include "shell/MainFrame.h"

#include <wx/aui/auibar.h>
#include <wx/menu.h>
#include <wx/panel.h>
#include <wx/statusbr.h>
#include <wx/utils.h>

#include "document/EditMode.h"
#include "document/HousDoc.h"
#include "foundation/ActiveDocument.h"
#include "foundation/ResourceStrings.h"
#include "library/ui/LibraryBrowsers.h"
#include "plan2d/H2DChild.h"
#include "plan2d/H2DView.h"
#include "shell/CommandIds.h"
#include "shell/FrameAcceleratorFilter.h"
#include "shell/MainFrameRouting.h"
#include "shell/MainMenuBar.h"
#include "shell/MainToolBars.h"
#include "shell/MissingFilesDlg.h"
#include "shell/PumpedOperation.h"
#include "shell/WalkStepBar.h"
#include "view3d/HousView.h"

namespace {

// The step length of the normal walk speed, in centimetres.
constexpr double kNormalWalkStep = 30.0;

constexpr int kStatusPaneCount = 4;
// A status text with the tallest glyphs the bar shows: Chinese and Latin
// descenders.
constexpr const char* kStatusSample = "請點選牆的起點 gjpqy";

}  // namespace

CMainFrame::CMainFrame() : wxFrame(nullptr, wxID_ANY, wxString()), m_commands(*this) {
    SetMinSize(wxSize(640, 480));
    SetSize(wxSize(1280, 800));
    SetMenuBar(BuildMainMenuBar(m_pRecentFileMenu));
    SetAcceleratorTable(BuildMainAcceleratorTable());
    CreateBars();
    m_pRouting = std::make_unique<CMainFrameRouting>(*this, m_commands, m_editCommands);
    m_pAcceleratorFilter = std::make_unique<CFrameAcceleratorFilter>(*this);
    SetFrameTitle("");
    Maximize();
    Bind(wxEVT_TIMER, &CMainFrame::OnTimer, this);
    Bind(wxEVT_CLOSE_WINDOW, &CMainFrame::OnClose, this);
}

// The views detach from the document as they go, so they go first; the
// document stops its timers as it goes, so it goes while they still exist.
CMainFrame::~CMainFrame() {
    Unbind(wxEVT_IDLE, &CMainFrame::OnUpdateKeyIndicators, this);
    DestroyDesignViews();
    m_aui.UnInit();
    SetActiveHousDocAccessor({});
    m_commands.SetDocument(nullptr);
    m_editCommands.SetDocument(nullptr);
    m_pDocument.reset();
    for (auto& [id, timer] : m_timers) {
        timer->Stop();
    }
}

void CMainFrame::SetDocument(std::unique_ptr<CHousDoc> document) {
    DestroyDesignViews();
    m_pDocument = std::move(document);
    m_commands.SetDocument(m_pDocument.get());
    m_editCommands.SetDocument(m_pDocument.get());
    SetActiveHousDocAccessor([this] { return GetActiveChildDocument(); });
    if (m_pDocument) {
        CreateDesignViews();
    }
}

// The 3D window and the plan window of the design, side by side; each can
// be maximised.
void CMainFrame::CreateDesignViews() {
    m_p3DView = new CHousView(this, m_pDocument.get());
    // The view's context menus offer the commands this frame answers.
    m_p3DView->SetCommandFilter(
        [this](int command) { return m_pRouting && m_pRouting->HasHandler(command); });
    m_aui.AddPane(m_p3DView, wxAuiPaneInfo()
                                 .Name("3d")
                                 .Caption(wxString::FromUTF8("3D"))
                                 .CenterPane()
                                 .PaneBorder(false));
    m_pPlanFrame = new CH2DChild(this, *m_pDocument);
    // The plan opens along the right, as wide as the desktop's width gives it.
    const PlanFrameRect initial = CH2DChild::GetInitialRect();
    m_aui.AddPane(m_pPlanFrame, wxAuiPaneInfo()
                                    .Name("plan")
                                    .Caption(m_pPlanFrame->GetLabel())
                                    .Right()
                                    .BestSize(initial.width, initial.height)
                                    .MaximizeButton(true)
                                    .CloseButton(false));
    m_aui.Update();
    m_pPlanFrame->GetPlanView()->OnInitialUpdate();
    m_pLibraryBrowsers = std::make_unique<CLibraryBrowsers>(*m_pDocument, this);
}

void CMainFrame::DestroyDesignViews() {
    m_pLibraryBrowsers.reset();
    if (m_pPlanFrame != nullptr) {
        m_aui.DetachPane(m_pPlanFrame);
        m_pPlanFrame->Destroy();
        m_pPlanFrame = nullptr;
    }
    if (m_p3DView != nullptr) {
        m_aui.DetachPane(m_p3DView);
        m_p3DView->Destroy();
        m_p3DView = nullptr;
    }
}

void CMainFrame::SetFrameTitle(std::string_view text) {
    std::string title;
    LoadProductTitle(title);
    if (!text.empty()) {
        title += " - ";
        title += text;
    }
    SetTitle(wxString::FromUTF8(title));
}

void CMainFrame::Get3DViewClientSize(int& width, int& height) const {
    width = 0;
    height = 0;
    if (m_p3DView != nullptr) {
        m_p3DView->GetClientSize(&width, &height);
    }
}

// The view is the centre pane, which takes what the other panes leave: the
// plan pane gives way for the width, the frame itself for the height.
void CMainFrame::Resize3DViewPaneBy(int dx, int dy) {
    if (m_p3DView == nullptr) {
        return;
    }
    if (dx != 0) {
        ResizePlanPaneBy(dx);
    }
    // A maximised frame keeps its size where the window manager holds it.
    if (dy != 0) {
        SetSize(GetSize().x, GetSize().y + dy);
        m_aui.Update();
    }
}

// A docked pane keeps the width of its dock whatever size it asks for, so
// the pane is taken out of its dock and docked again with the wanted width.
// The dock's borders and sash are only known after a layout, so a second
// pass takes up what the first left.
void CMainFrame::ResizePlanPaneBy(int dx) {
    const wxAuiPaneInfo& plan = m_aui.GetPane(m_pPlanFrame);
    if (m_pPlanFrame == nullptr || !plan.IsOk() || !plan.IsShown() || !plan.IsDocked()) {
        return;
    }
    const int wanted = m_p3DView->GetSize().x + dx;
    for (int pass = 0; pass < 2; ++pass) {
        const int error = wanted - m_p3DView->GetSize().x;
        if (error == 0) {
            break;
        }
        const wxSize planSize = m_pPlanFrame->GetSize();
        wxAuiPaneInfo redocked = m_aui.GetPane(m_pPlanFrame);
        const int planWidth = std::max(redocked.min_size.x, planSize.x - error);
        m_aui.DetachPane(m_pPlanFrame);
        m_aui.Update();
        m_aui.AddPane(m_pPlanFrame, redocked.BestSize(planWidth, planSize.y));
        m_aui.Update();
    }
}

void CMainFrame::SetStatusText(const std::string& text) {
    wxFrame::SetStatusText(wxString::FromUTF8(text), 0);
    if (wxStatusBar* statusBar = GetStatusBar()) {
        statusBar->Update();
    }
}

std::string CMainFrame::GetStatusText() const {
    const wxStatusBar* statusBar = GetStatusBar();
    return statusBar != nullptr ? statusBar->GetStatusText(0).utf8_string() : std::string();
}

// The tool bars, the walk-step bar and the views; the status bar and the
// menus stay usable.
void CMainFrame::EnableInput(bool enable) {
    for (wxWindow* child : GetChildren()) {
        if (child != GetStatusBar() && child != GetMenuBar()) {
            child->Enable(enable);
        }
    }
}

// ---- Bars

void CMainFrame::CreateBars() {
    wxStatusBar* statusBar = CreateStatusBar(kStatusPaneCount);
    const int widths[kStatusPaneCount] = {-1, FromDIP(50), FromDIP(50), FromDIP(50)};
    statusBar->SetStatusWidths(kStatusPaneCount, widths);
    // The bar's own height follows the Latin letters of its font; Chinese
    // text drawn from a fallback face is taller and lost its lower part.
    statusBar->SetMinHeight(statusBar->GetTextExtent(wxString::FromUTF8(kStatusSample)).y + 2);
    Bind(wxEVT_IDLE, &CMainFrame::OnUpdateKeyIndicators, this);

    m_aui.SetManagedWindow(this);
    // A side pane may take most of the width, so that the 3D view can be
    // given any size the user asks for.
    m_aui.SetDockSizeConstraint(0.9, 0.9);
    m_pBasicToolBar = CreateBasicToolBar(this);
    m_aui.AddPane(m_pBasicToolBar, wxAuiPaneInfo()
                                       .Name("basic")
                                       .Caption(wxString::FromUTF8("基本工具列"))
                                       .ToolbarPane()
                                       .Top()
                                       .Row(0)
                                       .Position(0));
    m_pPlayToolBar = CreatePlayToolBar(this);
    m_aui.AddPane(m_pPlayToolBar, wxAuiPaneInfo()
                                      .Name("play")
                                      .Caption(wxString::FromUTF8("播放工具列"))
                                      .ToolbarPane()
                                      .Top()
                                      .Row(0)
                                      .Position(0)
                                      .Hide());
    for (wxAuiToolBar* bar : {m_pBasicToolBar, m_pPlayToolBar}) {
        bar->Bind(wxEVT_AUITOOLBAR_TOOL_DROPDOWN, &CMainFrame::OnModeDropDown, this);
    }

    m_pWalkStepBar = new CWalkStepBar(this, kNormalWalkStep);
    m_aui.AddPane(m_pWalkStepBar, wxAuiPaneInfo()
                                      .Name("walkstep")
                                      .Caption(wxString::FromUTF8("瀏覽步伐"))
                                      .ToolbarPane()
                                      .TopDockable()
                                      .BottomDockable()
                                      .LeftDockable(false)
                                      .RightDockable(false));
    DockWalkStepBarBeside(m_pBasicToolBar);

    m_pNavigationBar = new wxPanel(this, 622);
    m_aui.AddPane(m_pNavigationBar, wxAuiPaneInfo()
                                        .Name("navigation")
                                        .Caption(wxString::FromUTF8("進階控制列"))
                                        .Bottom()
                                        .TopDockable()
                                        .BottomDockable()
                                        .LeftDockable(false)
                                        .RightDockable(false)
                                        .Hide());
    m_aui.Update();
}

void CMainFrame::OnUpdateKeyIndicators(wxIdleEvent& event) {
    event.Skip();
    wxStatusBar* statusBar = GetStatusBar();
    if (statusBar == nullptr) {
        return;
    }
    const struct {
        int pane;
        wxKeyCode key;
        const char* text;
    } indicators[] = {{1, WXK_CAPITAL, "CAPS"}, {2, WXK_NUMLOCK, "NUM"}, {3, WXK_SCROLL, "SCRL"}};
    for (const auto& indicator : indicators) {
        const wxString text = wxGetKeyState(indicator.key) ? indicator.text : "";
        if (statusBar->GetStatusText(indicator.pane) != text) {
            statusBar->SetStatusText(text, indicator.pane);
        }
    }
}

// The arrow beside the mode button offers the other mode and the way back
// to the main menu; the choice comes to the frame as a menu command.
void CMainFrame::OnModeDropDown(wxAuiToolBarEvent& event) {
    auto* bar = dynamic_cast<wxAuiToolBar*>(event.GetEventObject());
    const int id = event.GetId();
    if (bar == nullptr || !event.IsDropDownClicked() ||
        (id != cmd::kEditModeButton && id != cmd::kShowModeButton)) {
        event.Skip();
        return;
    }
    const bool showMode = m_pDocument != nullptr && m_pDocument->GetShowMode() != 0;
    std::unique_ptr<wxMenu> menu(CreateModeDropDownMenu(showMode));
    bar->PopupMenu(menu.get(), bar->GetToolRect(id).GetBottomLeft());
}

bool CMainFrame::IsBarShown(wxWindow* bar) {
    const wxAuiPaneInfo& pane = m_aui.GetPane(bar);
    return pane.IsOk() && pane.IsShown();
}

void CMainFrame::ShowBar(wxWindow* bar, bool show) {
    wxAuiPaneInfo& pane = m_aui.GetPane(bar);
    if (pane.IsOk()) {
        pane.Show(show);
    }
}

void CMainFrame::DockWalkStepBarBeside(wxWindow* toolBar) {
    wxAuiPaneInfo& walk = m_aui.GetPane(m_pWalkStepBar);
    const wxAuiPaneInfo& tools = m_aui.GetPane(toolBar);
    if (!walk.IsOk() || !tools.IsOk() || walk.IsFloating() || tools.IsFloating()) {
        return;
    }
    walk.Top().Row(tools.dock_row).Position(tools.dock_pos + 1);
}

void CMainFrame::ArrangeBarsForShowMode() {
    ShowBar(m_pPlayToolBar, true);
    ShowBar(m_pBasicToolBar, false);
    GetStatusBar()->Show();
    if (m_pPlanFrame != nullptr) {
        m_pPlanFrame->ShowBars(false);
    }
    DockWalkStepBarBeside(m_pPlayToolBar);
    m_aui.Update();
    SendSizeEvent();
}

void CMainFrame::ArrangeBarsForEditMode() {
    ShowBar(m_pPlayToolBar, false);
    ShowBar(m_pBasicToolBar, true);
    GetStatusBar()->Show();
    if (m_pPlanFrame != nullptr) {
        m_pPlanFrame->ShowBars(true);
    }
    DockWalkStepBarBeside(m_pBasicToolBar);
    m_aui.Update();
    SendSizeEvent();
}

void CMainFrame::HoldRepaints(bool hold) {
    if (hold) {
        Freeze();
    } else if (IsFrozen()) {
        Thaw();
    }
}

void CMainFrame::HideAllBars() {
    for (wxWindow* bar :
         std::initializer_list<wxWindow*>{m_pBasicToolBar, m_pPlayToolBar, m_pWalkStepBar}) {
        ShowBar(bar, false);
    }
    if (m_pPlanFrame != nullptr) {
        m_pPlanFrame->ShowBars(false);
    }
    m_aui.Update();
}

// ---- Timers

void CMainFrame::StartTimer(int timerId, int milliseconds) {
    std::unique_ptr<wxTimer>& timer = m_timers[timerId];
    if (!timer) {
        timer = std::make_unique<wxTimer>(this, timerId);
    }
    timer->Start(milliseconds);
}

void CMainFrame::StopTimer(int timerId) {
    if (auto found = m_timers.find(timerId); found != m_timers.end()) {
        found->second->Stop();
    }
}

bool CMainFrame::IsTimerRunning(int timerId) const {
    const auto found = m_timers.find(timerId);
    return found != m_timers.end() && found->second->IsRunning();
}

// A timer that fires while a progress window pumps waits until it closes:
// the auto-save must not write a design being changed.
void CMainFrame::OnTimer(wxTimerEvent& event) {
    if (CPumpedOperation::DeferTimer(*this, event)) {
        return;
    }
    m_commands.OnTimer(event.GetId());
}

// Without hardware acceleration to switch the button has no use; its
// picture is then never seen, so the bitmap is not kept.
void CMainFrame::SetHardwareAccelButton(int) {
    if (wxWindow* button = m_pWalkStepBar->FindWindow(cmd::kHardwareAccel)) {
        button->Hide();
        m_pWalkStepBar->Layout();
    }
}

// The option pages are not part of the frame yet.
std::optional<OptionPageValues> CMainFrame::GetOptionPageValues() const {
    return std::nullopt;
}

// The program ends only when the design may be closed; a print preview
// closes at once.
void CMainFrame::OnClose(wxCloseEvent& event) {
    const CHousDoc* document = m_pDocument.get();
    const bool inPreview =
        document != nullptr && document->GetEditMode() == EditMode::kPrintPreview;
    if (event.CanVeto() && !inPreview && !CloseDesign()) {
        event.Veto();
        return;
    }
    Destroy();
}

// ---- What the design lifecycle asks of the frame

void CMainFrame::AddToRecentFileList(const std::string& path) {
    if (m_recentFileSink) {
        m_recentFileSink(path);
    }
}

void CMainFrame::ShowMissingFiles() {
    CMissingFilesDlg dialog(this);
    dialog.ShowModal();
}

void CMainFrame::SetRecentFileSink(std::function<void(const std::string&)> sink) {
    m_recentFileSink = std::move(sink);
}

// ---- End of what the design lifecycle asks of the frame

#include "shell/MainFrame.h"

#include <wx/menu.h>
#include <wx/statusbr.h>

#include "document/EditMode.h"
#include "document/HousDoc.h"
#include "foundation/ActiveDocument.h"
#include "foundation/ResourceStrings.h"
#include "plan2d/H2DChild.h"
#include "plan2d/H2DView.h"
#include "shell/PumpedOperation.h"
#include "view3d/HousView.h"

CMainFrame::CMainFrame() : wxFrame(nullptr, wxID_ANY, wxString()), m_commands(*this) {
    SetMinSize(wxSize(640, 480));
    SetSize(wxSize(1280, 800));
    CreateStatusBar(1);
    SetFrameTitle("");
    Bind(wxEVT_TIMER, &CMainFrame::OnTimer, this);
    Bind(wxEVT_CLOSE_WINDOW, &CMainFrame::OnClose, this);
}

// The views detach from the document as they go, so they go first; the
// document stops its timers as it goes, so it goes while they still exist.
CMainFrame::~CMainFrame() {
    DestroyDesignViews();
    m_aui.UnInit();
    SetActiveHousDocAccessor({});
    m_commands.SetDocument(nullptr);
    m_pDocument.reset();
    for (auto& [id, timer] : m_timers) {
        timer->Stop();
    }
}

void CMainFrame::SetDocument(std::unique_ptr<CHousDoc> document) {
    DestroyDesignViews();
    m_pDocument = std::move(document);
    m_commands.SetDocument(m_pDocument.get());
    SetActiveHousDocAccessor([this] { return GetActiveChildDocument(); });
    if (m_pDocument) {
        CreateDesignViews();
    }
}

// The 3D window and the plan window of the design, side by side; each can
// be maximised.
void CMainFrame::CreateDesignViews() {
    m_aui.SetManagedWindow(this);
    m_p3DView = new CHousView(this, m_pDocument.get());
    m_aui.AddPane(m_p3DView, wxAuiPaneInfo()
                                 .Name("3d")
                                 .Caption(wxString::FromUTF8("3D"))
                                 .CenterPane()
                                 .PaneBorder(false));
    m_pPlanFrame = new CH2DChild(this, *m_pDocument);
    const wxSize half = GetClientSize() / 2;
    m_aui.AddPane(m_pPlanFrame, wxAuiPaneInfo()
                                    .Name("plan")
                                    .Caption(wxString::FromUTF8("平面圖"))
                                    .Right()
                                    .BestSize(half)
                                    .MaximizeButton(true)
                                    .CloseButton(false));
    m_aui.Update();
    m_pPlanFrame->GetPlanView()->OnInitialUpdate();
}

void CMainFrame::DestroyDesignViews() {
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

void CMainFrame::Resize3DViewPaneBy(int dx, int dy) {
    if (m_p3DView == nullptr) {
        return;
    }
    wxAuiPaneInfo& pane = m_aui.GetPane(m_p3DView);
    if (!pane.IsOk()) {
        return;
    }
    const wxSize size = m_p3DView->GetSize();
    pane.BestSize(size.x + dx, size.y + dy);
    m_aui.Update();
}

void CMainFrame::SetStatusText(const std::string& text) {
    wxFrame::SetStatusText(wxString::FromUTF8(text), 0);
    if (wxStatusBar* statusBar = GetStatusBar()) {
        statusBar->Update();
    }
}

void CMainFrame::EnableInput(bool enable) {
    for (wxWindow* child : GetChildren()) {
        if (child != GetStatusBar() && child != GetMenuBar()) {
            child->Enable(enable);
        }
    }
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

// The walk-step bar that carries the hardware-acceleration button is not
// part of the frame yet.
void CMainFrame::SetHardwareAccelButton(int) {}

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

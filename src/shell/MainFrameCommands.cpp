#include "shell/MainFrameCommands.h"

#include "document/BackgroundChoice.h"
#include "document/DocumentViews.h"
#include "document/EditMode.h"
#include "document/HousDoc.h"
#include "shell/MainFrameWindow.h"

CMainFrameCommands::CMainFrameCommands(IMainFrameWindow& window) : m_window(window) {}

// ---- 3D view size

I3DView* CMainFrameCommands::Get3DView() const {
    return m_pDocument != nullptr ? m_pDocument->Get3DView() : nullptr;
}

void CMainFrameCommands::Get3DViewSize(int& width, int& height) const {
    width = 0;
    height = 0;
    if (Get3DView() != nullptr) {
        m_window.Get3DViewClientSize(width, height);
    }
}

void CMainFrameCommands::Resize3DViewFrame(int width, int height) {
    if (Get3DView() == nullptr) {
        return;
    }
    int currentWidth = 0;
    int currentHeight = 0;
    m_window.Get3DViewClientSize(currentWidth, currentHeight);
    m_window.Resize3DViewPaneBy(width - currentWidth, height - currentHeight);
}

// ---- Fill mode and background

void CMainFrameCommands::OnViewSolid() {
    SetFillMode(false);
}

void CMainFrameCommands::OnViewWireframe() {
    SetFillMode(true);
}

void CMainFrameCommands::SetFillMode(bool wireframe) {
    if (m_pDocument == nullptr) {
        return;
    }
    if (I3DView* view = Get3DView()) {
        view->SetWireframe(wireframe);
    }
    m_pDocument->SetDesignModified(1);
    m_pDocument->Repaint3DView();
}

void CMainFrameCommands::OnBackgroundGreyBlue() {
    SetBackground(kGreyBlueBackground);
}

void CMainFrameCommands::OnBackgroundWhite() {
    SetBackground(kWhiteBackground);
}

void CMainFrameCommands::OnBackgroundBlack() {
    SetBackground(kBlackBackground);
}

void CMainFrameCommands::SetBackground(int32_t choice) {
    if (m_pDocument == nullptr) {
        return;
    }
    m_pDocument->SetBackgroundChoice(choice);
    if (I3DView* view = Get3DView()) {
        const BackgroundColor color = GetBackgroundColor(choice);
        view->SetClearColor(color.red, color.green, color.blue);
    }
    m_pDocument->Repaint3DView();
}

void CMainFrameCommands::ApplyBackgroundPreset() {
    SetBackground(BackgroundChoiceOfSetting(m_pDocument->Settings().bgColor));
}

// ---- Show mode and edit mode

void CMainFrameCommands::OnShowMode() {
    if (m_pDocument == nullptr) {
        return;
    }
    int width = 0;
    int height = 0;
    Get3DViewSize(width, height);

    // Show mode hides the ruler, the grid and the light shapes; edit mode
    // brings back what they were.
    HousSettings& settings = m_pDocument->Settings();
    CHousDoc::SavedSwitches& saved = m_pDocument->GetSavedSwitches();
    saved.rulerShown = settings.rulerShow;
    saved.gridShown = settings.gridShow;
    saved.lightsShown = settings.showLight;
    settings.rulerShow = 0;
    settings.gridShow = 0;
    settings.showLight = 0;

    m_pDocument->SetShowMode(1);
    m_pDocument->SetEditModeAndRefresh(EditMode::kShow);
    m_window.ArrangeBarsForShowMode();
    Resize3DViewFrame(width, height);
}

void CMainFrameCommands::OnEditMode() {
    if (m_pDocument == nullptr) {
        return;
    }
    int width = 0;
    int height = 0;
    Get3DViewSize(width, height);

    HousSettings& settings = m_pDocument->Settings();
    const CHousDoc::SavedSwitches& saved = m_pDocument->GetSavedSwitches();
    settings.rulerShow = saved.rulerShown;
    settings.gridShow = saved.gridShown;
    settings.showLight = saved.lightsShown;

    m_pDocument->HideHtmlViewerFrame();
    m_pDocument->Show2DViewFrame();
    m_pDocument->SetShowMode(0);
    m_pDocument->SetEditModeAndRefresh(EditMode::kNone);
    m_window.ArrangeBarsForEditMode();
    Resize3DViewFrame(width, height);
}

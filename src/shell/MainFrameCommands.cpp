#include "shell/MainFrameCommands.h"

#include "document/BackgroundChoice.h"
#include "document/DocumentViews.h"
#include "document/EditMode.h"
#include "document/HousDoc.h"
#include "foundation/Prompt.h"
#include "shell/MainFrameWindow.h"

namespace {

constexpr int kMillisecondsPerMinute = 60000;
constexpr double kPlanScaleAt100Percent = 0.5;

// Plan wall bar defaults of a new design, kept as halves of what the bar shows.
constexpr double kNewWallTop = 130.0;
constexpr double kNewWallBottom = 0.0;
constexpr double kNewWallThickness = 7.5;

}  // namespace

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
    Resize3DViewFrame(width, height);
}

// ---- Design lifecycle

bool CMainFrameCommands::SaveModifiedDesign() {
    if (m_pDocument->GetSaving() != 0) {
        ShowMessage("系統正在存檔中, 請稍候再試.", PromptButtons::Ok, PromptIcon::Warning);
        return false;
    }
    switch (
        ShowMessage("設計案已修改!是否儲存?", PromptButtons::YesNoCancel, PromptIcon::Question)) {
        case PromptAnswer::No:
            return true;
        case PromptAnswer::Yes:
            break;
        case PromptAnswer::Ok:
        case PromptAnswer::Cancel:
            return false;
    }
    I3DView* view = Get3DView();
    if (view == nullptr) {
        return false;
    }
    // A design whose save failed stays open, so that the user loses nothing.
    const int mode = m_pDocument->GetDesignPath().empty() ? 0 : 1;
    return view->SaveDesign(mode) && !m_pDocument->GetDesignPath().empty();
}

bool CMainFrameCommands::CloseDesign() {
    if (m_pDocument == nullptr) {
        return true;
    }
    if (m_pDocument->GetDesignModified() != 0 && !SaveModifiedDesign()) {
        return false;
    }
    m_pDocument->GetCopyBuffer().Clear();
    m_pDocument->SetDesignPath("");
    m_pDocument->Settings().music.clear();
    m_pDocument->SetDesignModified(0);
    if (I3DView* view = Get3DView()) {
        view->ClearDesign();
    }
    m_pDocument->ViewPoints().clear();
    m_pDocument->Redraw2DView();
    m_pDocument->TextureCache().reset();
    return true;
}

void CMainFrameCommands::NewDesign() {
    if (m_pDocument == nullptr || !CloseDesign()) {
        return;
    }
    m_pDocument->SetTopPickedObject(nullptr);
    m_pDocument->GetCopyBuffer().Clear();
    m_window.SetFrameTitle("");

    // Background colour and ambient light come from the settings file again.
    m_pDocument->ReloadBackgroundSettings();
    ApplyBackgroundPreset();
    HousSettings& settings = m_pDocument->Settings();
    settings.bgFileName3D.clear();
    settings.bgRatio = 50;

    m_pDocument->SetWallValues(kNewWallTop, kNewWallBottom, kNewWallThickness);
    m_pDocument->UpdateWallBarFields();

    if (I3DView* view = Get3DView()) {
        view->SetWireframe(false);
    }
    m_pDocument->StoreCameraPlanPose();
    m_pDocument->UpdateAllViews(kFullRefreshHint);

    OnEditMode();
    m_pDocument->SetPlanZoomFactor(kPlanScaleAt100Percent);
    m_pDocument->UpdatePlanScrollSize();
    m_pDocument->UpdateAllViews(kZoomChangedHint);

    settings.music = m_pDocument->GetDefaultMusic();
    m_pDocument->SetDesignModified(0);
    m_pDocument->SetPrintScale(0.5);
    m_pDocument->SetPlanViewOrigin(POINT{});

    if (settings.promptSave != 0) {
        m_window.StartTimer(kFirstSaveReminderTimer, settings.promptNew * kMillisecondsPerMinute);
        m_window.StartTimer(kSaveReminderTimer, settings.promptPer * kMillisecondsPerMinute);
    }
}

// ---- Timers

void CMainFrameCommands::OnTimer(int timerId) {
    if (m_pDocument == nullptr) {
        return;
    }
    switch (timerId) {
        case kAutoSaveTimer:
            // An untitled design is never saved behind the user's back.
            if (I3DView* view = Get3DView();
                view != nullptr && !m_pDocument->GetDesignPath().empty()) {
                view->SaveDesign(1);
            }
            break;
        case kFirstSaveReminderTimer:
        case kSaveReminderTimer:
            RemindToSave();
            break;
        default:
            break;
    }
}

void CMainFrameCommands::RemindToSave() {
    m_window.StopTimer(kFirstSaveReminderTimer);
    m_window.StopTimer(kSaveReminderTimer);
    if (m_pDocument->GetDesignModified() != 0) {
        ShowMessage("提醒您! 您已有過久的時間沒有將您的設計案存檔, 建議您儘速存檔.",
                    PromptButtons::Ok, PromptIcon::Warning);
    }
    m_window.StartTimer(kSaveReminderTimer,
                        m_pDocument->Settings().promptPer * kMillisecondsPerMinute);
}

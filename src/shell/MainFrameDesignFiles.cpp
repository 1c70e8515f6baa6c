#include "shell/MainFrameCommands.h"

#include "document/DesignOpened.h"
#include "document/DesignScene.h"
#include "document/DocumentViews.h"
#include "document/HousDoc.h"
#include "document/PlanZoom.h"
#include "document/ShowCatalog.h"
#include "document/ViewPointTable.h"
#include "foundation/PathUtils.h"
#include "foundation/Prompt.h"
#include "objects/TextureCache.h"
#include "shell/MainFrameWindow.h"

namespace {

constexpr const char* kDesignFilter = "QVP6 Design File (*.dg6)|*.dg6||";
constexpr double kPlanScaleAt100Percent = 0.5;
constexpr int kAllLineCaches = 7;

// Plan wall bar defaults of a new design, kept as halves of what the bar shows.
constexpr double kNewWallTop = 130.0;
constexpr double kNewWallBottom = 0.0;
constexpr double kNewWallThickness = 7.5;

}  // namespace

// ---- Closing and starting designs

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
    // A design whose save failed stays open, so that the user loses nothing.
    const bool untitled = m_pDocument->GetDesignPath().empty();
    return SaveDesignFile(untitled, untitled);
}

void CMainFrameCommands::WriteBackShowEntry() {
    using Request = ShowCatalogRequest;
    const std::string& program = m_pDocument->GetProgramFolder();
    const struct {
        const char* folder;
        const char* pattern;
    } catalogues[] = {
        {"Show/", "S*_SHOW.ini"}, {"MyDesign/", "S*_SHOW.ini"}, {"MyDesign/", "NonGroup.ini"}};
    for (const auto& catalogue : catalogues) {
        if (UpdateShowCatalog(*m_pDocument, {program + catalogue.folder, catalogue.pattern,
                                             Request::kStore, ""}) != 0) {
            return;
        }
    }
    UpdateShowCatalog(*m_pDocument, {program + "MyDesign/", "NonGroup.ini", Request::kAdd, ""});
}

bool CMainFrameCommands::CloseDesign() {
    if (m_pDocument == nullptr) {
        return true;
    }
    if (m_pDocument->GetDesignModified() != 0 && !SaveModifiedDesign()) {
        return false;
    }
    I3DView* view = Get3DView();
    if (view != nullptr && view->IsOrthographic()) {
        view->ReturnToPerspective();
    }
    m_pDocument->GetCopyBuffer().Clear();
    // An untitled design has no entry to write back: the catalogue would
    // only gain one without a file name.
    if (!m_pDocument->GetDesignPath().empty()) {
        WriteBackShowEntry();
    }
    m_pDocument->SetDesignPath("");
    m_pDocument->Settings().music.clear();
    m_pDocument->SetDesignModified(0);
    if (view != nullptr) {
        view->ClearDesign();
    }
    m_pDocument->ViewPoints().clear();
    m_pDocument->Redraw2DView();
    if (CDesignScene* scene = view != nullptr ? view->GetScene() : nullptr) {
        scene->GetTextureCache().Clear();
    }
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
        if (CDesignScene* scene = view->GetScene()) {
            scene->SetObjectIdCounter(0.0);
            scene->AddDefaultLights();
            scene->RebuildFloorLevels();
            scene->RefreshObjectsAndSymbols();
            scene->FillFloorCombo();
        }
        view->SetWireframe(false);
        view->InitRenderer();
    }
    m_pDocument->StoreCameraPlanPose();
    m_pDocument->UpdateAllViews(kFullRefreshHint);

    OnEditMode();
    m_pDocument->SetPlanZoomFactor(kPlanScaleAt100Percent);
    if (IPlanFrame* frame = m_pDocument->Get2DFrame()) {
        frame->SetZoomLevel(PlanZoom::kDefaultLevel);
    }
    m_pDocument->UpdatePlanScrollSize();
    m_pDocument->UpdateAllViews(kZoomChangedHint);

    settings.music = m_pDocument->GetDefaultMusic();
    m_pDocument->SetDesignModified(0);
    if (IPlanView* plan = m_pDocument->Get2DView()) {
        plan->InvalidateLineCache(kAllLineCaches);
    }
    m_pDocument->SetPrintScale(0.5);
    m_pDocument->SetPlanViewOrigin(POINT{});

    if (settings.promptSave != 0) {
        m_window.StartTimer(kFirstSaveReminderTimer, TimerMilliseconds(settings.promptNew));
        m_window.StartTimer(kSaveReminderTimer, TimerMilliseconds(settings.promptPer));
    }
}

// ---- Opening designs

bool CMainFrameCommands::OpenDesignFromDialog() {
    if (m_pDocument == nullptr) {
        return false;
    }
    FileNameRequest request;
    request.filter = kDesignFilter;
    request.folder = m_pDocument->GetProjectDirectory();
    const std::optional<std::string> path = AskFileName(request);
    if (!path || path->empty()) {
        return false;
    }
    return OpenFileByType(*path);
}

bool CMainFrameCommands::OpenFileByType(const std::string& path) {
    if (m_pDocument == nullptr) {
        return false;
    }
    // Refused before the close question, so that the open design stays.
    if (HasFileExtension(path, "sca6") || HasFileExtension(path, "dsg")) {
        ShowMessage("無法開啟「" + path + "」：此版本只能開啟設計案檔案 (*.dg6)。",
                    PromptButtons::Ok, PromptIcon::Warning);
        return false;
    }
    if (!CloseDesign()) {
        return false;
    }
    return LoadChosenDesign(path);
}

bool CMainFrameCommands::LoadChosenDesign(const std::string& path) {
    I3DView* view = Get3DView();
    if (m_pDocument == nullptr || view == nullptr) {
        return false;
    }
    // The path is the design's only once it is loaded: a path kept from a
    // failed load would let the next save overwrite that file. The design
    // open before was closed for the load, so a refused file leaves a new
    // one, titled as New titles it.
    {
        // The frame paints once, when the design is in and its bars are
        // set, not after each step of the load.
        const CHeldRepaints held(m_window);
        if (!view->LoadDesign(path, false)) {
            NewDesign();
            return false;
        }
        m_pDocument->SetDesignPath(path);
        RestartSaveReminders();
        AfterDesignOpened();
    }
    if (!m_pDocument->GetMissingFiles().empty()) {
        m_window.ShowMissingFiles();
    }
    return true;
}

void CMainFrameCommands::AfterDesignOpened() {
    m_pDocument->SetTopPickedObject(nullptr);
    OnDesignOpened(*m_pDocument, *this);
    if (IPlanView* plan = m_pDocument->Get2DView()) {
        plan->ActivateFrame();
    }
}

void CMainFrameCommands::SetFrameTitle(std::string_view text) {
    m_window.SetFrameTitle(text);
}

void CMainFrameCommands::AddToRecentFileList(const std::string& path) {
    m_window.AddToRecentFileList(path);
}

// ---- Saving designs

void CMainFrameCommands::OnFileSave() {
    if (m_pDocument != nullptr) {
        SaveDesignFile(m_pDocument->GetDesignPath().empty(), false);
    }
}

void CMainFrameCommands::OnFileSaveAs() {
    if (m_pDocument != nullptr) {
        SaveDesignFile(true, true);
    }
}

bool CMainFrameCommands::SaveDesignFile(bool askName, bool saveAs) {
    I3DView* view = Get3DView();
    if (view == nullptr) {
        return false;
    }
    CopyViewPointsToBlock();
    // A failed or cancelled save leaves the design modified, its title, the
    // recent files and the settings file as they were.
    if (!view->SaveDesign(askName ? 0 : 1) || m_pDocument->GetDesignPath().empty()) {
        return false;
    }
    RestartSaveReminders();
    const std::string& path = m_pDocument->GetDesignPath();
    m_window.SetFrameTitle(path);
    m_pDocument->SetDesignModified(0);
    if (saveAs) {
        StoreProjectDirectory(*m_pDocument);
        AddToRecentFileList(path);
    }
    return true;
}

void CMainFrameCommands::CopyViewPointsToBlock() {
    if (I3DView* view = Get3DView()) {
        view->SetViewPointBlock(PackViewPoints(m_pDocument->ViewPoints()));
    }
}

// ---- Timers

void CMainFrameCommands::OnTimer(int timerId) {
    if (m_pDocument == nullptr) {
        return;
    }
    switch (timerId) {
        case kAutoSaveTimer:
            AutoSave();
            break;
        case kFirstSaveReminderTimer:
        case kSaveReminderTimer:
            RemindToSave();
            break;
        default:
            break;
    }
}

// An untitled design is never saved behind the user's back, and one that is
// on disk as it is is not written again.
void CMainFrameCommands::AutoSave() {
    I3DView* view = Get3DView();
    if (view == nullptr || m_pDocument->GetDesignPath().empty() ||
        m_pDocument->GetDesignModified() == 0) {
        return;
    }
    CopyViewPointsToBlock();
    if (view->SaveDesign(1)) {
        RestartSaveReminders();
    }
}

void CMainFrameCommands::RemindToSave() {
    m_window.StopTimer(kFirstSaveReminderTimer);
    m_window.StopTimer(kSaveReminderTimer);
    if (m_pDocument->GetDesignModified() != 0) {
        ShowMessage("提醒您! 您已有過久的時間沒有將您的設計案存檔, 建議您儘速存檔.",
                    PromptButtons::Ok, PromptIcon::Warning);
    }
    m_window.StartTimer(kSaveReminderTimer, TimerMilliseconds(m_pDocument->Settings().promptPer));
}

void CMainFrameCommands::RestartSaveReminders() {
    const HousSettings& settings = m_pDocument->Settings();
    if (settings.promptSave == 0) {
        return;
    }
    m_window.StopTimer(kFirstSaveReminderTimer);
    m_window.StartTimer(kSaveReminderTimer, TimerMilliseconds(settings.promptPer));
}

#include "document/HousDoc.h"

#include <algorithm>
#include <cstring>
#include <ctime>

#include "document/BackgroundChoice.h"
#include "document/DesignScene.h"
#include "document/EditMode.h"
#include "document/MainWindowLink.h"
#include "document/PrinterQueries.h"
#include "foundation/ApplicationValues.h"
#include "foundation/GeometryMath.h"
#include "objects/HistoryRecord.h"
#include "objects/ObjectTypeCodes.h"

namespace {

constexpr int kAutoSaveTimer = 2;

// The font the text tools start from: Arial of height -32, weight 400, ANSI
// character set, TrueType output precision, Swiss family.
LogFontRecord DefaultFont() {
    LogFontRecord font;
    font.height = -32;
    font.weight = 400;
    font.charSet = 0;          // ANSI_CHARSET
    font.outPrecision = 4;     // OUT_TT_PRECIS
    font.pitchAndFamily = 32;  // FF_SWISS
    std::memcpy(font.faceName, "Arial", 5);
    return font;
}

std::string WithSlash(std::string folder) {
    if (!folder.empty() && folder.back() != '/') {
        folder += '/';
    }
    return folder;
}

}  // namespace

CHousDoc::CHousDoc(IMainWindow* mainWindow, IPrinterQueries* printer)
    : m_pMainWindow(mainWindow), m_pPrinter(printer) {
    m_fonts.fill(DefaultFont());

    m_programFolder = WithSlash(::GetProgramFolder());
    m_modelFolder = GetProgramFilePath("SModel");
    m_textureFolder = GetProgramFilePath("STexture");
    m_pictureFolder = GetProgramFilePath("STPicture");
    m_backgroundFolder = GetProgramFilePath("BG");
    m_musicFolder = GetProgramFilePath("Music");
    m_iconFolder = GetProgramFilePath("2Dicon");

    // The plan view computes it again from the settings when it sizes.
    UpdatePlanScrollSize();

    LoadSettings(GetSettingsFilePath());
    // The 3D view starts with the background the settings chose.
    m_backgroundChoice = BackgroundChoiceOfSetting(m_settings.bgColor);
    UpdateDrawUnitStep();
    m_savedSwitches.rulerShown = m_settings.rulerShow;
    m_savedSwitches.gridShown = m_settings.gridShow;
    m_defaultMusic = m_settings.music;

    if (m_settings.autoSave != 0 && m_pMainWindow != nullptr) {
        m_pMainWindow->StartTimer(kAutoSaveTimer, TimerMilliseconds(m_settings.saveInterval));
    }

    ReadProjectDirectory();
    SetCreationDate();
    UpdateDefaultPaperSize();
}

CHousDoc::~CHousDoc() {
    if (m_settings.autoSave != 0 && m_pMainWindow != nullptr) {
        m_pMainWindow->StopTimer(kAutoSaveTimer);
    }
}

void CHousDoc::SetCreationDate() {
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    m_year = std::to_string(local.tm_year + 1900);
    m_month = std::to_string(local.tm_mon + 1);
    m_day = std::to_string(local.tm_mday);
}

// ---- Views and frames

IPlanFrame* CHousDoc::Get2DFrame() const {
    return m_p2DView != nullptr ? m_p2DView->GetPlanFrame() : nullptr;
}

void CHousDoc::UpdateAllViews(int hint) {
    for (IDocumentView* view : {static_cast<IDocumentView*>(m_p3DView),
                                static_cast<IDocumentView*>(m_p2DView), m_pHtmlViewerView}) {
        if (view != nullptr) {
            view->OnDocumentUpdate(hint);
        }
    }
}

void CHousDoc::Activate3DViewFrame() {
    if (m_p3DView != nullptr) {
        m_p3DView->ActivateFrame();
    }
}

void CHousDoc::HideHtmlViewerFrame() {
    if (m_pHtmlViewerView != nullptr) {
        m_pHtmlViewerView->ShowFrame(false);
    }
}

void CHousDoc::Show2DViewFrame() {
    if (m_p2DView != nullptr) {
        m_p2DView->ShowFrame(true);
    }
}

void CHousDoc::Repaint3DView() {
    if (m_p3DView != nullptr) {
        m_p3DView->RepaintNow();
    }
}

void CHousDoc::ApplyBackgroundColorPreset() {
    if (m_settings.bgColor >= 0 && m_settings.bgColor <= 2) {
        m_backgroundChoice = BackgroundChoiceOfSetting(m_settings.bgColor);
        if (m_p3DView != nullptr) {
            const BackgroundColor color = GetBackgroundColor(m_backgroundChoice);
            m_p3DView->SetClearColor(color.red, color.green, color.blue);
        }
    }
    Repaint3DView();
}

void CHousDoc::Redraw2DView() {
    if (m_p2DView != nullptr) {
        m_p2DView->RedrawNow();
    }
}

void CHousDoc::SetStatusText(std::string_view text) {
    if (m_p3DView != nullptr) {
        m_p3DView->SetStatusText(text);
    }
}

CameraPosition CHousDoc::GetCameraPosition() const {
    return m_p3DView != nullptr ? m_p3DView->GetCameraPosition() : CameraPosition{};
}

void CHousDoc::SetCameraPosition(float x, float y, float z) {
    if (m_p3DView != nullptr) {
        m_p3DView->SetCameraPosition(x, y, z);
    }
}

double CHousDoc::GetCameraHeading() const {
    return m_p3DView != nullptr ? m_p3DView->GetCameraHeading() : 0.0;
}

double CHousDoc::GetCameraPitch() const {
    return m_p3DView != nullptr ? m_p3DView->GetCameraPitch() : 0.0;
}

void CHousDoc::SetCameraAngles(double heading, double pitch) {
    if (m_p3DView != nullptr) {
        m_p3DView->SetCameraAngles(heading, pitch);
    }
}

void CHousDoc::StoreCameraPlanPose() {
    if (m_p3DView == nullptr) {
        return;
    }
    const CameraPosition eye = m_p3DView->GetCameraPosition();
    m_cameraPlanPose.x = eye.x;
    m_cameraPlanPose.z = eye.z;
    // The plan turns the other way round from the 3D heading.
    m_cameraPlanPose.heading = NormalizeRadians(kTwoPi - m_p3DView->GetCameraHeading());
}

void CHousDoc::SetCameraMarkerRects(const RECT& first, const RECT& second) {
    m_cameraMarkerRects = {first, second};
}

// ---- Edit mode

void CHousDoc::SetEditMode(int mode) {
    m_editMode = mode;
    if (!EditMode::AllowsCoordinateInput(mode) && m_p2DView != nullptr) {
        m_p2DView->HideCoordinateInputBox();
    }
}

void CHousDoc::SetEditModeAndRefresh(int mode) {
    SetEditMode(mode);
    if (m_p2DView != nullptr) {
        m_p2DView->ResetToolState();
    }
    UpdateAllViews(kFullRefreshHint);
}

bool CHousDoc::IsDrawingInProgress() const {
    return EditMode::IsDrawingInProgress(m_editMode);
}

bool CHousDoc::IsMultiSelectMode() const {
    return EditMode::IsMultiSelect(m_editMode);
}

// ---- Picked objects

void CHousDoc::SetPickedObject(PickedKind kind, C3DObject* object) {
    m_pickedObjects[static_cast<std::size_t>(kind)] = object;
}

C3DObject* CHousDoc::GetPickedObject(PickedKind kind) const {
    return m_pickedObjects[static_cast<std::size_t>(kind)];
}

C3DObject* CHousDoc::GetPickedObject() const {
    for (PickedKind kind :
         {PickedKind::Text3D, PickedKind::Light, PickedKind::Photo, PickedKind::Ceiling,
          PickedKind::Floor, PickedKind::Wall, PickedKind::Model}) {
        if (C3DObject* object = GetPickedObject(kind)) {
            return object;
        }
    }
    return nullptr;
}

void CHousDoc::ClearPickedObjects() {
    m_pickedObjects.fill(nullptr);
    if (CDesignScene* scene = GetScene()) {
        for (const int type : {kModelIconShapeType, kPhotoIconShapeType, kLightIconShapeType}) {
            scene->DeselectAll(type);
        }
    }
}

bool CHousDoc::HasAnySelection() const {
    CDesignScene* scene = GetScene();
    if (scene == nullptr) {
        return false;
    }
    for (int type = 0; type < CDesignScene::kTypeCount; ++type) {
        if (!scene->Selected(type).empty()) {
            return true;
        }
    }
    return false;
}

void CHousDoc::ClearDesign() {
    if (CDesignScene* scene = GetScene()) {
        for (int type = kModelObjectType; type <= kCeilingObjectType; ++type) {
            scene->DeselectAll(type);
        }
        scene->ClearScene();
        scene->DeletePlanShapes();
        scene->ClearSelection();
    }
    m_pickedObjects.fill(nullptr);
    m_pTopPickedObject = nullptr;
    m_currentFurniture = nullptr;
    m_currentPhoto = nullptr;
    m_lastPlaced = nullptr;
    m_viewPoints.clear();
}

// ---- Folders and files

std::string CHousDoc::GetResourceFolder(int type) const {
    switch (type) {
        case 0:
            return m_modelFolder;
        case 4:
            return m_pictureFolder;
        case 19:
            return m_iconFolder;
        default:
            // The install folder of the library: the program folder here.
            return m_programFolder;
    }
}

void CHousDoc::AddMissingFile(std::string_view fileName) {
    if (std::find(m_missingFiles.begin(), m_missingFiles.end(), fileName) == m_missingFiles.end()) {
        m_missingFiles.emplace_back(fileName);
    }
}

// ---- Device and printer

void CHousDoc::UpdateHardwareAccelButton() {
    if (m_pMainWindow == nullptr) {
        return;
    }
    const bool hardware = m_deviceCreationFlags == 64 && m_settings.hardware == 64;
    m_pMainWindow->SetHardwareAccelButton(hardware ? 570 : 571);
}

void CHousDoc::UpdateDefaultPaperSize() {
    m_defaultPaperSize = m_pPrinter != nullptr ? m_pPrinter->GetDefaultPaperSize() : POINT{};
    m_printerOffset = POINT{};
    if (m_defaultPaperSize.x == 0 && m_defaultPaperSize.y == 0 && m_pPrinter != nullptr) {
        m_printerOffset = m_pPrinter->GetPrinterPhysicalOffset();
    }
}

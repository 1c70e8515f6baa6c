#include "document/ActiveDocumentServices.h"

#include "document/ActiveDocumentValues.h"
#include "document/DesignScene.h"
#include "document/DocumentFileSearch.h"
#include "document/HousDoc.h"
#include "foundation/ActiveDocument.h"
#include "foundation/ApplicationValues.h"
#include "objects/HistoryRecord.h"

PlanDrawOrigin CActiveDocumentServices::GetPlanDrawOrigin(const draw::DrawContext& dc) const {
    return ::GetPlanDrawOrigin(&dc);
}

bool CActiveDocumentServices::Get2DViewFullDrawFlag() const {
    return ::Get2DViewFullDrawFlag();
}

draw::COLORREF CActiveDocumentServices::GetPlanColor(PlanColorSetting setting) const {
    const HousSettings& settings = GetActiveSettings();
    switch (setting) {
        case PlanColorSetting::Furniture:
            return settings.furnitureColor;
        case PlanColorSetting::Light:
            return settings.lightColor;
        case PlanColorSetting::Dxf:
            return settings.dxfColor;
        case PlanColorSetting::Photo:
            return settings.photoColor;
        case PlanColorSetting::Wall:
            return settings.wallColor;
        case PlanColorSetting::Floor:
            return settings.floorColor;
    }
    return 0;
}

std::string CActiveDocumentServices::Get2DIconFolder() const {
    const CHousDoc* doc = GetActiveHousDoc();
    return doc != nullptr ? doc->Get2DIconFolder() : GetProgramFilePath("2Dicon");
}

void CActiveDocumentServices::AddMissingFile(std::string_view path) {
    if (CHousDoc* doc = GetActiveHousDoc()) {
        doc->AddMissingFile(path);
    }
}

bool CActiveDocumentServices::HasActiveDocument() const {
    return GetActiveHousDoc() != nullptr;
}

bool CActiveDocumentServices::GetShowTexture() const {
    return GetActiveSettings().showTexture != 0;
}

SelectionBoxStyle CActiveDocumentServices::GetSelectionBoxStyle() const {
    const HousSettings& settings = GetActiveSettings();
    return {settings.rodBoxColor, settings.rodBoxStyle, settings.rodBoxThickness};
}

gfx::Vector3 CActiveDocumentServices::GetCameraEye() const {
    const CHousDoc* doc = GetActiveHousDoc();
    if (doc == nullptr) {
        return {};
    }
    const CameraPosition eye = doc->GetCameraPosition();
    return {eye.x, eye.y, eye.z};
}

gfx::VertexBuffer* CActiveDocumentServices::GetOverlayLineBuffer() const {
    const CHousDoc* doc = GetActiveHousDoc();
    I3DView* view = doc != nullptr ? doc->Get3DView() : nullptr;
    return view != nullptr ? view->GetOverlayLineBuffer() : nullptr;
}

gfx::VertexBuffer* CActiveDocumentServices::GetOverlayShapeBuffer() const {
    const CHousDoc* doc = GetActiveHousDoc();
    I3DView* view = doc != nullptr ? doc->Get3DView() : nullptr;
    return view != nullptr ? view->GetOverlayShapeBuffer() : nullptr;
}

std::string CActiveDocumentServices::GetTextureFolder() const {
    const CHousDoc* doc = GetActiveHousDoc();
    return doc != nullptr ? doc->GetTextureFolder() : GetProgramFilePath("STexture");
}

std::string CActiveDocumentServices::GetPictureFolder() const {
    const CHousDoc* doc = GetActiveHousDoc();
    return doc != nullptr ? doc->GetPictureFolder() : GetProgramFilePath("STPicture");
}

std::optional<std::string> CActiveDocumentServices::LocateFile(std::string_view path,
                                                               std::string_view folder) const {
    std::string located(path);
    if (LocateFileInTree(located, folder)) {
        return located;
    }
    return std::nullopt;
}

DrawingStyle CActiveDocumentServices::GetCurrentDrawingStyle() const {
    const CHousDoc* doc = GetActiveHousDoc();
    if (doc == nullptr) {
        return {};
    }
    DrawingStyle style;
    style.penStyle = doc->GetPenStyle();
    style.penWidth = doc->GetPenWidth();
    style.color = doc->Settings().lineColor;
    I3DView* view = doc->Get3DView();
    CDesignScene* scene = view != nullptr ? view->GetScene() : nullptr;
    style.floorHeight = scene != nullptr ? scene->GetCurrentFloorHeight() : 0.0;
    style.arrowHeadKind = doc->GetArrowHeadKind();
    return style;
}

TextureMappingRecord CActiveDocumentServices::GetCurrentMapping() const {
    const CHousDoc* doc = GetActiveHousDoc();
    return doc != nullptr ? doc->GetCurrentMapping() : TextureMappingRecord();
}

void CActiveDocumentServices::PushUndoRecord(std::unique_ptr<HistoryRecord> record) {
    if (CHousDoc* doc = GetActiveHousDoc()) {
        doc->PushUndoRecord(std::move(record));
    }
}

void CActiveDocumentServices::PickObjectAtCursor() {
    CHousDoc* doc = GetActiveHousDoc();
    if (I3DView* view = doc != nullptr ? doc->Get3DView() : nullptr) {
        view->PickObjectUnderCursor();
    }
}

void CActiveDocumentServices::Repaint3DView() {
    CHousDoc* doc = GetActiveHousDoc();
    if (I3DView* view = doc != nullptr ? doc->Get3DView() : nullptr) {
        view->RepaintNow();
    }
}

#include "document/DesignScene.h"

#include <cmath>
#include <memory>

#include "document/HousDoc.h"
#include "foundation/Prompt.h"
#include "objects/2DPictureShape.h"
#include "objects/3DObject.h"
#include "objects/CeilingObject.h"
#include "objects/FloorObject.h"
#include "objects/HistoryRecord.h"
#include "objects/ObjectTypeCodes.h"
#include "objects/WallObject.h"

namespace {

constexpr const char* kBadHeightMessage = "牆高度的上下限不是有效的數值, 無法建立物件.";

// The fewest outline points that enclose an area.
constexpr std::size_t kMinOutlinePoints = 3;

}  // namespace

CFloorObject* CDesignScene::AddFloorFromOutline(const std::vector<CVector2D>& points) {
    return static_cast<CFloorObject*>(AddSurfaceFromOutline(kFloorObjectType, points));
}

CCeilingObject* CDesignScene::AddCeilingFromOutline(const std::vector<CVector2D>& points) {
    return static_cast<CCeilingObject*>(AddSurfaceFromOutline(kCeilingObjectType, points));
}

CWallObject* CDesignScene::AddWallFromOutline(const std::vector<CVector2D>& points) {
    return AddSurfaceFromOutline(kWallObjectType, points);
}

CWallObject* CDesignScene::AddSurfaceFromOutline(int type, const std::vector<CVector2D>& points) {
    if (points.size() < kMinOutlinePoints || m_pDoc == nullptr) {
        return nullptr;
    }
    const CHousDoc::WallBarValues bar = m_pDoc->ReadWallBarFields();
    // An edit reading "inf" or "nan" would give the mesh no finite height.
    if (!std::isfinite(bar.top) || !std::isfinite(bar.bottom)) {
        ShowMessage(kBadHeightMessage, PromptButtons::Ok, PromptIcon::Warning);
        return nullptr;
    }
    const HousSettings& settings = m_pDoc->Settings();
    std::unique_ptr<CWallObject> surface;
    draw::COLORREF lineColour = 0;
    draw::COLORREF fillColour = 0;
    float level = bar.bottom;
    if (type == kFloorObjectType) {
        surface = std::make_unique<CFloorObject>();
        lineColour = settings.floorColor;
        fillColour = settings.floorBrushColor;
    } else if (type == kCeilingObjectType) {
        surface = std::make_unique<CCeilingObject>();
        lineColour = settings.ceilingColor;
        fillColour = settings.ceilingBrushColor;
        level = bar.top;
    } else {
        surface = std::make_unique<CWallObject>();
        lineColour = settings.wallColor;
        fillColour = settings.wallBrushColor;
    }
    surface->SetNumber(static_cast<int>(NextObjectId()));
    surface->SetDevice(TargetDevice());
    surface->SetColor(lineColour);
    surface->SetFillColour(fillColour);
    surface->SetPosition(static_cast<float>(points.front().x), level,
                         static_cast<float>(points.front().y));
    surface->SetOutline(points);
    if (type == kWallObjectType) {
        surface->BuildMesh(1, bar.top - bar.bottom);
    } else {
        surface->BuildMesh(0, 0.0f);
    }
    surface->SetUniformScale(1.0f);
    surface->UpdatePlanOutline();

    CWallObject* added = surface.get();
    if (type == kWallObjectType) {
        added->UpdateFloorIndex();
        m_objects[type].push_back(surface.release());
    } else {
        m_objects[type].push_back(surface.release());
        // A new floor or ceiling can change the storeys themselves.
        RebuildFloorLevels();
        if (type == kFloorObjectType) {
            added->UpdateFloorIndex();
        }
        RefreshObjectsAndSymbols();
        FillFloorCombo();
    }
    m_pDoc->UpdateAllViews(kFullRefreshHint);

    auto record = std::make_unique<HistoryRecord>();
    record->count = 1;
    record->objectType = type;
    record->operation = kHistoryAdd;
    record->value = -1;
    record->after = HistoryObject{added, nullptr};
    m_pDoc->PushUndoRecord(std::move(record));
    return added;
}

void CDesignScene::RefreshObjectsAndSymbols() {
    for (const int type : {kModelObjectType, kWallObjectType, kText3DObjectType, kPhotoObjectType,
                           kFloorObjectType, kCeilingObjectType}) {
        for (CDesignObject* object : m_objects[type]) {
            auto* solid = static_cast<C3DObject*>(object);
            if (solid->GetMesh() == nullptr) {
                continue;
            }
            solid->UpdateFloorIndex();
            if (C2DPictureShape* symbol = solid->GetPlanIcon()) {
                symbol->SetLevelHeight(solid->GetPosition().y);
            }
        }
    }
}

#include "document/DesignScene.h"

#include <algorithm>

#include "document/DocumentFileSearch.h"
#include "document/DocumentViews.h"
#include "document/HousDoc.h"
#include "foundation/FileOperations.h"
#include "foundation/PathUtils.h"
#include "foundation/Prompt.h"
#include "foundation/TextFormat.h"
#include "objects/2DDxfIconShape.h"
#include "objects/2DImageShape.h"
#include "objects/2DLightIconShape.h"
#include "objects/2DModelIconShape.h"
#include "objects/2DPhotoIconShape.h"
#include "objects/3DObject.h"
#include "objects/CeilingObject.h"
#include "objects/FloorObject.h"
#include "objects/HistoryRecord.h"
#include "objects/LightObject.h"
#include "objects/ModelObject.h"
#include "objects/ObjectTypeCodes.h"
#include "objects/PhotoObject.h"
#include "objects/Text3DObject.h"
#include "objects/WallObject.h"
#include "platform/gfx/Device.h"

namespace {

// Removes every occurrence of object; true when there was one.
bool Erase(std::vector<CDesignObject*>& list, const CDesignObject* object) {
    const auto end = std::remove(list.begin(), list.end(), object);
    const bool found = end != list.end();
    list.erase(end, list.end());
    return found;
}

bool Contains(const std::vector<CDesignObject*>& list, const CDesignObject* object) {
    return std::find(list.begin(), list.end(), object) != list.end();
}

void DeleteAll(std::vector<CDesignObject*>& list) {
    for (CDesignObject* object : list) {
        delete object;
    }
    list.clear();
}

// The elevations of the objects, ascending, each once.
std::vector<float> DistinctElevations(const std::vector<CDesignObject*>& objects) {
    std::vector<float> heights;
    for (const CDesignObject* object : objects) {
        heights.push_back(static_cast<const C3DObject*>(object)->GetPosition().y);
    }
    std::sort(heights.begin(), heights.end());
    heights.erase(std::unique(heights.begin(), heights.end()), heights.end());
    return heights;
}

// The highest index at or below top whose table entry lies at or below the
// height (strictly below for ceilings); 0 when none does.
int FindLevel(const float* table, int top, float height, int type) {
    for (int i = top; i >= 0; --i) {
        if (type == kCeilingObjectType ? table[i] < height : table[i] <= height) {
            return i;
        }
    }
    return 0;
}

}  // namespace

std::unique_ptr<CDesignObject> CreateDesignObject(int type) {
    switch (type) {
        case kModelObjectType:
            return std::make_unique<CModelObject>();
        case kWallObjectType:
            return std::make_unique<CWallObject>();
        case kLightObjectType:
            return std::make_unique<CLightObject>();
        case kText3DObjectType:
            return std::make_unique<CText3DObject>();
        case kPhotoObjectType:
            return std::make_unique<CPhotoObject>();
        case kFloorObjectType:
            return std::make_unique<CFloorObject>();
        case kCeilingObjectType:
            return std::make_unique<CCeilingObject>();
        case kDxfIconShapeType:
            return std::make_unique<C2DDxfIconShape>();
        case kImageShapeType:
            return std::make_unique<C2DImageShape>();
        case kModelIconShapeType:
            return std::make_unique<C2DModelIconShape>();
        case kPhotoIconShapeType:
            return std::make_unique<C2DPhotoIconShape>();
        case kLightIconShapeType:
            return std::make_unique<C2DLightIconShape>();
        default:
            return nullptr;
    }
}

CDesignScene::CDesignScene() {
    g_pCurrentScene = this;
}

CDesignScene::~CDesignScene() {
    if (g_pCurrentScene == this) {
        g_pCurrentScene = nullptr;
    }
    ClearScene();
    // What the document's own clearing has not taken: plan shapes and the
    // title frame are owned here too.
    DeletePlanShapes();
}

void CDesignScene::DeletePlanShapes() {
    DeleteDesignPlanShapes();
    for (std::vector<CDesignObject*>& list : m_titleFrame) {
        DeleteAll(list);
    }
}

void CDesignScene::DeleteDesignPlanShapes() {
    for (const int type : {kLineShapeType, kRectShapeType, kCircleShapeType, kCurveShapeType,
                           kChainShapeType, kDimensionShapeType, kTextShapeType, kGroupShapeType}) {
        m_selected[type].clear();
        m_hidden[type].clear();
        DeleteAll(m_objects[type]);
    }
}

void CDesignScene::ClearSelection() {
    for (std::vector<CDesignObject*>& list : m_selected) {
        list.clear();
    }
}

double CDesignScene::NextObjectId() {
    m_objectIdCounter += 1.0;
    return m_objectIdCounter;
}

void CDesignScene::AddObjectIfAbsent(int type, CDesignObject* object) {
    if (!Contains(m_objects[type], object)) {
        m_objects[type].push_back(object);
    }
}

void CDesignScene::RemoveObject(int type, CDesignObject* object) {
    if (type == kLightObjectType && object != nullptr) {
        auto* light = static_cast<C3DObject*>(object);
        if (light->GetDevice() != nullptr) {
            light->GetDevice()->LightEnable(static_cast<uint32_t>(light->GetNumber()), false);
        }
    }
    Erase(m_objects[type], object);
}

void CDesignScene::SelectObject(int type, CDesignObject* object) {
    if (!Contains(m_selected[type], object)) {
        m_selected[type].push_back(object);
    }
    object->SetSelected(1);
}

void CDesignScene::DeselectObject(int type, CDesignObject* object) {
    Erase(m_selected[type], object);
    if (Contains(m_objects[type], object)) {
        object->SetSelected(0);
    }
}

void CDesignScene::DeselectAll(int type) {
    const std::vector<CDesignObject*> selected = m_selected[type];
    for (CDesignObject* object : selected) {
        DeselectObject(type, object);
    }
}

bool CDesignScene::IsModelInScene(const CDesignObject* object) const {
    return object != nullptr && Contains(m_objects[kModelObjectType], object);
}

void CDesignScene::ClearScene() {
    for (const int type : {kModelObjectType, kWallObjectType, kLightObjectType, kPhotoObjectType,
                           kFloorObjectType, kCeilingObjectType, kText3DObjectType}) {
        ReleaseCopiedObjects(m_objects[type]);
        DeleteAll(m_objects[type]);
        m_hidden[type].clear();
    }
    // The plan symbols went with their 3D owners.
    for (const int type : {kLightIconShapeType, kModelIconShapeType, kPhotoIconShapeType}) {
        m_objects[type].clear();
    }
    for (const int type : {kDxfIconShapeType, kImageShapeType}) {
        ReleaseCopiedObjects(m_objects[type]);
        DeleteAll(m_objects[type]);
    }
    if (m_pDoc != nullptr) {
        for (int list = 0; list < 4; ++list) {
            m_pDoc->ClearHistoryList(list);
        }
    }
}

void CDesignScene::ReleaseCopiedObjects(const std::vector<CDesignObject*>& objects) {
    if (m_pDoc == nullptr) {
        return;
    }
    for (const CDesignObject* object : objects) {
        m_pDoc->ReleaseCopiedObject(object);
    }
}

CDesignObject* CDesignScene::FindObjectByNumber(int number) {
    if (m_pLightsBeingRead != nullptr) {
        for (const std::unique_ptr<CDesignObject>& light : *m_pLightsBeingRead) {
            if (static_cast<const C3DObject*>(light.get())->GetNumber() == number) {
                return light.get();
            }
        }
    }
    for (CDesignObject* light : m_objects[kLightObjectType]) {
        if (static_cast<C3DObject*>(light)->GetNumber() == number) {
            return light;
        }
    }
    return nullptr;
}

int CDesignScene::AddToTypeList(int type, CDesignObject* object) {
    m_objects[type].push_back(object);
    return 0;
}

HRESULT CDesignScene::LocateMissingFile(int kind, std::string& path) {
    if (FileExists(path)) {
        return S_OK;
    }
    if (m_pDoc != nullptr) {
        std::string found = FindFileInTree(m_pDoc->GetResourceFolder(kind), GetPathFileName(path));
        if (!found.empty()) {
            path = std::move(found);
            return S_OK;
        }
    }
    if (kind == kModelObjectType) {
        ReportMissingFile("找不到模型檔案 - %s", path);
    } else if (kind == kPhotoObjectType) {
        ReportMissingFile("找不到照片檔案 - %s", path);
    }
    return E_FAIL;
}

void CDesignScene::ReportMissingFile(std::string_view format, std::string_view path) {
    if (m_pDoc != nullptr) {
        m_pDoc->AddMissingFile(path);
    }
    if (m_missingReportsSuppressed != 0) {
        return;
    }
    if (ShowLoadWarning(format, path)) {
        m_missingReportsSuppressed = 1;
    }
}

void CDesignScene::RebuildFloorLevels() {
    m_storeyIndex = 0;
    m_floorLevelIndex = 0;
    m_storeyBases.fill(0.0f);
    m_floorLevels.fill(0.0f);
    if (m_objects[kFloorObjectType].empty()) {
        return;
    }
    const std::vector<float> floors = DistinctElevations(m_objects[kFloorObjectType]);
    const std::vector<float> ceilings = DistinctElevations(m_objects[kCeilingObjectType]);
    // Both tables keep their first 200 entries; the rest are not recorded.
    const auto levels = std::min<std::size_t>(floors.size(), kMaxFloorLevels);
    std::copy_n(floors.begin(), levels, m_floorLevels.begin());
    m_floorLevelIndex = static_cast<int>(levels) - 1;

    m_storeyBases[0] = floors.front();
    for (const float ceiling : ceilings) {
        if (ceiling <= m_storeyBases[m_storeyIndex]) {
            continue;
        }
        const auto above = std::lower_bound(floors.begin(), floors.end(), ceiling);
        if (above != floors.end() && m_storeyIndex + 1 < kMaxFloorLevels) {
            m_storeyBases[++m_storeyIndex] = *above;
        }
    }
}

int CDesignScene::GetFloorOfHeight(float height, int type) const {
    return FindLevel(m_storeyBases.data(), m_storeyIndex, height, type);
}

int CDesignScene::GetFloorLevelOfHeight(float height, int type) const {
    return FindLevel(m_floorLevels.data(), m_floorLevelIndex, height, type);
}

int CDesignScene::GetCurrentFloor() const {
    const float eye = m_renderTarget != nullptr ? m_renderTarget->GetEyeHeight() : 0.0f;
    return GetFloorOfHeight(eye, kModelObjectType);
}

float CDesignScene::GetCurrentFloorHeight() const {
    return m_storeyBases[GetCurrentFloor()];
}

bool CDesignScene::IsOnCurrentFloor(const CDesignObject& object) const {
    if (object.IsOnAllFloors() != 0) {
        return true;
    }
    const auto height = static_cast<float>(object.GetLevelHeight());
    return GetFloorOfHeight(height, object.GetType()) == GetCurrentFloor();
}

std::vector<std::string> CDesignScene::GetFloorComboTexts() const {
    std::vector<std::string> texts;
    for (int storey = 1; storey <= m_storeyIndex + 1; ++storey) {
        texts.push_back(FormatString("第%d層", storey));
    }
    return texts;
}

void CDesignScene::FillFloorCombo() {
    if (m_pDoc == nullptr) {
        return;
    }
    IPlanView* plan = m_pDoc->Get2DView();
    IPlanFrame* frame = plan != nullptr ? plan->GetPlanFrame() : nullptr;
    if (frame != nullptr) {
        frame->SetFloorComboTexts(GetFloorComboTexts());
        frame->UpdateFloorControls();
    }
}

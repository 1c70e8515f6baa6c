#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

#include "document/CopyBuffer.h"
#include "document/DesignScene.h"
#include "document/DocumentViews.h"
#include "document/HousDoc.h"
#include "document/PickedKindOfType.h"
#include "objects/2DPictureShape.h"
#include "objects/3DObject.h"
#include "objects/HistoryRecord.h"
#include "objects/LightObject.h"
#include "objects/ModelObject.h"
#include "objects/ObjectTypeCodes.h"
#include "objects/WallObject.h"

namespace {

using ObjectList = std::vector<CDesignObject*>;
using BufferLists = std::array<ObjectList, CCopyBuffer::kTypeCount>;

// Surfaces first, so that the door and window models in their openings
// paste with them.
constexpr int kPasted3DTypes[] = {kWallObjectType,  kFloorObjectType, kCeilingObjectType,
                                  kPhotoObjectType, kModelObjectType, kText3DObjectType,
                                  kLightObjectType};
constexpr int kPastedPlanTypes[] = {
    kLineShapeType, kRectShapeType,      kCircleShapeType,  kCurveShapeType, kChainShapeType,
    kTextShapeType, kDimensionShapeType, kDxfIconShapeType, kImageShapeType, kGroupShapeType};
// The lists whose plan extent the paste point measures.
constexpr int kMeasuredLists[] = {kWallObjectType,     kFloorObjectType,    kCeilingObjectType,
                                  kLightIconShapeType, kModelIconShapeType, kPhotoIconShapeType,
                                  kText3DObjectType,   kLineShapeType,      kRectShapeType,
                                  kCircleShapeType,    kCurveShapeType,     kDimensionShapeType,
                                  kTextShapeType,      kDxfIconShapeType,   kImageShapeType,
                                  kChainShapeType,     kGroupShapeType};
// Where the search for the lowest plan point starts: nothing lies beyond.
constexpr double kNoPlanPointYet = 60000.0;

}  // namespace

bool CDesignScene::CopySelectionToBuffer(CCopyBuffer& buffer) {
    buffer.Clear();
    for (int type = 0; type < kTypeCount; ++type) {
        for (CDesignObject* object : m_selected[type]) {
            if (object->IsInShapeSet() == 0 && object->HasParent() == 0 &&
                object->IsInChain() == 0) {
                buffer.Add(type, object);
            }
        }
    }
    return !buffer.IsEmpty();
}

namespace {

// The per-paste state: the buffer's lists as this paste uses them (a door
// pasted with its wall leaves them, not the buffer), the offset and undo.
struct PasteRun {
    BufferLists lists;
    float dx = 0.0f;
    float dy = 0.0f;
    bool withUndo = false;
};

}  // namespace

static C3DObject* PasteObject(CDesignScene& scene, CHousDoc* doc, const CDesignObject& source,
                              int type, const PasteRun& run) {
    std::unique_ptr<CDesignObject> cloned = source.Clone();
    auto* clone = dynamic_cast<C3DObject*>(cloned.get());
    if (clone == nullptr) {
        return nullptr;
    }
    cloned.release();
    clone->SetNumber(static_cast<int>(scene.NextObjectId()));
    clone->UpdateTranslucency();
    const gfx::Vector3 position = clone->GetPosition();
    clone->SetPosition(position.x + run.dx, position.y, position.z - run.dy);
    if (auto* light = dynamic_cast<CLightObject*>(clone)) {
        light->UpdateLight();
    }
    clone->UpdateWorldMatrix();
    clone->UpdatePlanOutline();
    clone->BuildShadowVolume();
    scene.AddObjectIfAbsent(type, clone);
    scene.SelectObject(type, clone);
    if (doc != nullptr) {
        doc->SetPickedObject(*PickedKindOfType(type), clone);
        if (run.withUndo) {
            doc->PushAddRecord(type, clone);
        }
    }
    const int symbolList = PlanSymbolTypeOf(type);
    if (C2DPictureShape* symbol = clone->GetPlanIcon(); symbol != nullptr && symbolList >= 0) {
        symbol->MoveBy(run.dx, run.dy);
        symbol->SetOwnerObject(clone);
        symbol->SetLevelHeight(clone->GetLevelHeight());
        scene.AddObjectIfAbsent(symbolList, symbol);
        scene.SelectObject(symbolList, symbol);
    }
    return clone;
}

// A surface's door and window models that were copied with it paste with
// it, into the new surface's openings; openings whose models were not
// copied stay empty in the copy, so no model sits in two surfaces.
static void PasteOpeningModels(CDesignScene& scene, CHousDoc* doc, const CWallObject& source,
                               CWallObject& pasted, PasteRun& run) {
    ObjectList& models = run.lists[kModelObjectType];
    auto sourceItem = source.GetFaceItems().begin();
    for (const std::unique_ptr<WallFaceItem>& item : pasted.GetFaceItems()) {
        if (sourceItem == source.GetFaceItems().end()) {
            break;
        }
        const WallFaceItem& from = **sourceItem++;
        for (auto [original, link] :
             {std::pair{from.model1, &item->model1}, std::pair{from.model2, &item->model2}}) {
            *link = nullptr;
            const auto copied = std::find(models.begin(), models.end(), original);
            if (original == nullptr || copied == models.end()) {
                continue;
            }
            models.erase(copied);
            *link = dynamic_cast<CModelObject*>(
                PasteObject(scene, doc, *original, kModelObjectType, run));
        }
    }
}

void CDesignScene::PasteCopyBuffer(const CCopyBuffer& buffer, float dx, float dy, bool withUndo) {
    for (int type = 0; type < kTypeCount; ++type) {
        DeselectAll(type);
    }
    PasteRun run;
    for (int type = 0; type < kTypeCount; ++type) {
        run.lists[static_cast<std::size_t>(type)] = buffer.GetList(type);
    }
    run.dx = dx;
    run.dy = dy;
    run.withUndo = withUndo && m_pDoc != nullptr;
    if (run.withUndo) {
        m_pDoc->BeginUndoGroup();
    }
    for (const int type : kPasted3DTypes) {
        // Models pasted with their surfaces leave the list as this runs.
        for (std::size_t i = 0; i < run.lists[type].size(); ++i) {
            CDesignObject* source = run.lists[type][i];
            C3DObject* pasted = PasteObject(*this, m_pDoc, *source, type, run);
            auto* surface = dynamic_cast<CWallObject*>(pasted);
            if (surface != nullptr && IsSurfaceObjectType(type) != 0) {
                PasteOpeningModels(*this, m_pDoc, *static_cast<CWallObject*>(source), *surface,
                                   run);
            }
        }
    }
    const bool lines =
        !buffer.GetList(kLineShapeType).empty() || !buffer.GetList(kRectShapeType).empty() ||
        !buffer.GetList(kCircleShapeType).empty() || !buffer.GetList(kCurveShapeType).empty();
    if (lines && m_pDoc != nullptr && m_pDoc->Get2DView() != nullptr) {
        m_pDoc->Get2DView()->InvalidateLineCache(kLineShapeType);
    }
    const float level = GetCurrentFloorHeight();
    for (const int type : kPastedPlanTypes) {
        for (CDesignObject* source : run.lists[type]) {
            std::unique_ptr<CDesignObject> clone = source->Clone();
            if (!clone) {
                continue;
            }
            clone->MoveBy(dx, dy);
            clone->SetLevelHeight(level);
            CDesignObject* added = clone.release();
            AddObjectIfAbsent(type, added);
            SelectObject(type, added);
            if (run.withUndo) {
                m_pDoc->PushAddRecord(type, added);
            }
        }
    }
    if (run.withUndo) {
        m_pDoc->EndUndoGroup();
    }
}

bool CDesignScene::ComputePasteOffsetAtPoint(const CCopyBuffer& buffer, double x, double y,
                                             float& dx, float& dy) {
    double minX = kNoPlanPointYet;
    double minY = kNoPlanPointYet;
    auto take = [&minX, &minY](double px, double py) {
        minX = std::min(minX, px);
        minY = std::min(minY, py);
    };
    for (CDesignObject* item : buffer.GetList(kModelObjectType)) {
        const auto& model = *static_cast<C3DObject*>(item);
        const std::array<float, 3>& extent = model.GetExtent();  // x, z, y
        const gfx::Vector3 position = model.GetPosition();
        const double c = std::cos(model.GetHeading());
        const double s = std::sin(model.GetHeading());
        for (const double cx : {-extent[0] / 2.0, extent[0] / 2.0}) {
            for (const double cz : {-extent[1] / 2.0, extent[1] / 2.0}) {
                const double rx = cx * c - cz * s;
                const double rz = cx * s + cz * c;
                take(rx + position.x, rz - position.z);
            }
        }
    }
    for (const int type : {kWallObjectType, kLightObjectType, kText3DObjectType, kPhotoObjectType,
                           kFloorObjectType, kCeilingObjectType}) {
        for (CDesignObject* item : buffer.GetList(type)) {
            const gfx::Vector3 position = static_cast<C3DObject*>(item)->GetPosition();
            take(position.x, -position.z);
        }
    }
    for (const int type : kMeasuredLists) {
        for (CDesignObject* item : buffer.GetList(type)) {
            const CIntBoundingBox2D box = item->GetBoundingBox();
            if (box.empty == 0) {
                take(box.minX, box.minY);
            }
        }
    }
    if (minX == kNoPlanPointYet || minY == kNoPlanPointYet) {
        return false;
    }
    dx = static_cast<float>(x - minX);
    dy = static_cast<float>(-y - minY);
    return true;
}

#include <memory>
#include <vector>

#include "document/DesignScene.h"
#include "document/DocumentViews.h"
#include "document/EditMode.h"
#include "document/HousDoc.h"
#include "foundation/GeometryMath.h"
#include "foundation/Prompt.h"
#include "foundation/TextFormat.h"
#include "library/ModelCatalogEntry.h"
#include "library/placing/LibraryPlacing.h"
#include "library/placing/PlacingSteps.h"
#include "objects/2DPictureShape.h"
#include "objects/ModelObject.h"
#include "objects/ModelPackage.h"
#include "objects/ObjectTypeCodes.h"

namespace {

constexpr int kReplaceMode = 1;
constexpr int kDoorMode = 2;
constexpr int kFrameMode = 3;

// The plan symbol of a placed model fitted to its real size on the plan and
// standing at its height.
void FitPlanSymbol(CHousDoc& doc, const ModelCatalogEntry& entry, C3DObject& model) {
    doc.SetCurrentFurniture(&model);
    doc.AddModelPlanSymbol(*entry.package);
    model.UpdatePlanIcon();
    if (C2DPictureShape* icon = model.GetPlanIcon()) {
        const std::array<float, 3>& size = model.GetRealSize();
        icon->SetSize(RoundToInt(size[0]), RoundToInt(size[1]));
        icon->SetLevelHeight(model.GetPosition().y);
    }
    if (entry.planSymbolName.empty()) {
        model.SetPlanOutlineShown(0);
    }
}

// The model made from the entry, or null after the message when its package
// cannot be built: an object without a mesh would be invisible, unpickable
// and lost on the next load, yet priced and saved.
std::unique_ptr<CModelObject> BuildModel(CHousDoc& doc, CDesignScene& scene,
                                         ModelCatalogEntry& entry, const LibraryDropPoint& drop) {
    entry.package = std::make_unique<CModelPackage>(entry.filePath, kPackageReadAll);
    entry.planSymbolName = entry.package->GetSymbolName();

    auto model = std::make_unique<CModelObject>();
    model->SetDevice(scene.GetRenderDevice());
    model->SetNumber(static_cast<int>(scene.NextObjectId()));
    if (model->LoadFromPackage(*entry.package) == 0) {
        ShowMessage(FormatString("找不到模型檔：%s", entry.filePath.c_str()), PromptButtons::Ok,
                    PromptIcon::Warning);
        return nullptr;
    }
    model->ComputeExtents();
    model->SetUniformScale(1.0f);
    model->UpdateTranslucency();
    model->SetFilePath(entry.filePath);
    model->SetPosition(0.0f, 0.0f, 0.0f);
    model->UpdateFloorIndex();
    model->SetRotation(0.0f, 0.0f, 0.0f);
    if (entry.width > 0.0f && entry.height > 0.0f && entry.depth > 0.0f) {
        ScaleToRealSize(*model, entry.width, entry.depth, entry.height);
    }
    model->SetColor(doc.Settings().furnitureColor);
    model->SetPrice(entry.price);
    model->SetName(entry.name);
    model->SetWebLink(entry.package->GetWebLink());

    model->SetPositionVector(doc.GetPlacementPoint());
    ApplyDropPoint(*model, drop);
    model->SetPointRecords(entry.package->GetEdgeRecords());
    model->UpdatePlanOutline();
    model->UpdateFloorIndex();
    return model;
}

// Puts a model made from the entry in place of each selected model, keeping
// their positions and turns; each exchange is one undo step of a delete and
// an add. The last new model is the one left selected; null when nothing
// was selected.
CModelObject* ReplaceSelection(CHousDoc& doc, CDesignScene& scene,
                               std::unique_ptr<CModelObject> model, const ModelCatalogEntry& entry,
                               bool keepSize) {
    // Each exchange takes the old model out of the selection.
    const std::vector<CDesignObject*> selected = scene.Selected(kModelObjectType);
    CModelObject* previous = nullptr;
    for (CDesignObject* object : selected) {
        auto* old = static_cast<C3DObject*>(object);
        doc.SetCurrentFurniture(old);
        if (previous != nullptr) {
            model = std::make_unique<CModelObject>(*previous);
            model->SetNumber(static_cast<int>(scene.NextObjectId()));
            model->UpdateTranslucency();
            model->UpdateWorldMatrix();
            model->UpdatePlanOutline();
            model->BuildShadowVolume();
        }
        CModelObject* added = model.release();
        scene.AddObjectIfAbsent(kModelObjectType, added);

        if (C2DPictureShape* icon = old->GetPlanIcon()) {
            scene.RemoveObject(kModelIconShapeType, icon);
        }
        scene.DeselectObject(kModelObjectType, old);
        scene.RemoveObject(kModelObjectType, old);
        // The record keeps the old model alive from here on.
        PushDeleteRecord(doc, 2, kModelObjectType, old);

        added->SetPosition(old->GetPosition().x, old->GetPosition().y, old->GetPosition().z);
        added->SetRotation(static_cast<float>(old->GetHeading()),
                           static_cast<float>(old->GetElevation()),
                           static_cast<float>(old->GetRoll()));
        PushAddRecord(doc, 2, kModelObjectType, added);
        if (keepSize) {
            const std::array<float, 3>& size = old->GetRealSize();  // x, z, y
            ScaleToRealSize(*added, size[0], size[1], size[2]);
        }
        added->UpdateWorldMatrix();
        // It stands where the old model stood, maybe on another storey.
        added->UpdateFloorIndex();
        FitPlanSymbol(doc, entry, *added);
        previous = added;
    }
    if (previous == nullptr) {
        return nullptr;
    }
    scene.SelectObject(kModelObjectType, previous);
    if (C2DPictureShape* icon = previous->GetPlanIcon()) {
        icon->SetSelected(1);
    }
    doc.UpdateAllViews(kFullRefreshHint);
    doc.SetDesignModified(1);
    return previous;
}

}  // namespace

ModelPlacingResult PlaceModelEntry(CHousDoc& doc, ModelCatalogEntry& entry,
                                   const LibraryDropPoint& drop,
                                   const LibraryPlacingOptions& options) {
    ModelPlacingResult result;
    CDesignScene* scene = PlacingScene(doc);
    // A drop during a save or an undo would change the lists being walked;
    // the door and window editor is busy itself while it asks for a model.
    if (scene == nullptr || (doc.GetBusy() != 0 && doc.GetEditMode() != EditMode::kDoorWindow)) {
        return result;
    }
    std::unique_ptr<CModelObject> model = BuildModel(doc, *scene, entry, drop);
    if (!model) {
        return result;
    }
    if (options.mode == kReplaceMode) {
        result.placed = ReplaceSelection(doc, *scene, std::move(model), entry, options.keepSize);
        return result;
    }

    CModelObject* placed = model.release();
    scene->AddObjectIfAbsent(kModelObjectType, placed);
    PushAddRecord(doc, 1, kModelObjectType, placed);
    FitPlanSymbol(doc, entry, *placed);

    result.placed = placed;
    if (options.mode != kDoorMode && options.mode != kFrameMode) {
        doc.UpdateAllViews(kFullRefreshHint);
    }
    if (options.mode == kDoorMode) {
        result.doorFlag = IsDoorModel(doc.GetModelFolder(), placed->GetFilePath(), entry.name);
    }
    doc.SetLastPlacedObject(placed);
    doc.SetDesignModified(1);
    return result;
}

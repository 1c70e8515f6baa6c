#include "plan2d/PlanLibraryDrop.h"

#include "document/DesignScene.h"
#include "document/DocumentViews.h"
#include "document/HousDoc.h"
#include "document/LibraryBrowserLink.h"
#include "foundation/GeometryMath.h"
#include "plan2d/PlanMapping.h"

void DropLibraryEntryOnPlan(CHousDoc& doc, POINT client) {
    LibraryPlacement& placement = doc.GetPlacement();
    placement.inProgress = 0;
    ILibraryBrowsers* browsers = doc.GetLibraryBrowsers();
    // A drop during a save or an undo would change the lists being walked.
    if (browsers == nullptr || doc.GetBusy() != 0) {
        return;
    }
    const HousSettings& settings = doc.Settings();
    const PlanMappingSetup setup = ComputePlanMapping(
        settings.length, settings.width, doc.GetPlanZoomFactor(), doc.GetRulerMargin(), 1.0);
    const CVector2D logical = ClientToLogical(setup.ToMapping(), client, doc.GetPlanViewOrigin());
    I3DView* view = doc.Get3DView();
    const CDesignScene* scene = view != nullptr ? view->GetScene() : nullptr;
    LibraryDropPoint drop;
    drop.x = static_cast<float>(logical.x);
    drop.z = static_cast<float>(-logical.y);
    drop.y =
        scene != nullptr ? static_cast<float>(TruncateToInt(scene->GetCurrentFloorHeight())) : 0.0f;
    drop.centre = 0;
    if (placement.kind != 0) {
        browsers->PlaceSelectedPhoto(drop);
    } else {
        browsers->PlaceSelectedModel(drop);
    }
}

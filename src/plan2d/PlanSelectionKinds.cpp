#include "plan2d/PlanSelectionKinds.h"

#include <bit>

#include "document/DesignScene.h"
#include "objects/ObjectTypeCodes.h"
#include "plan2d/PlanLayerBits.h"

namespace PlanSelectionKinds {

namespace {

struct KindTypes {
    uint32_t kind;
    std::vector<int> types;
};

const std::vector<KindTypes>& KindTable() {
    static const std::vector<KindTypes> table = {
        {PlanLayer::kCeilings, {kCeilingObjectType}},
        {PlanLayer::kWalls, {kWallObjectType}},
        {PlanLayer::kText3D, {kText3DObjectType}},
        {PlanLayer::kFloors, {kFloorObjectType}},
        {PlanLayer::kShapes,
         {kLineShapeType, kRectShapeType, kCircleShapeType, kCurveShapeType, kChainShapeType}},
        {PlanLayer::kTextNotes, {kTextShapeType}},
        {PlanLayer::kDimensions, {kDimensionShapeType}},
        {PlanLayer::kDxfSymbols, {kDxfIconShapeType}},
        {PlanLayer::kPictures, {kImageShapeType}},
        {PlanLayer::kFurniture, {kModelObjectType, kModelIconShapeType}},
        {PlanLayer::kPhotos, {kPhotoObjectType, kPhotoIconShapeType}},
        {PlanLayer::kLights, {kLightIconShapeType, kLightObjectType}},
        {PlanLayer::kGroups, {kGroupShapeType}},
    };
    return table;
}

}  // namespace

uint32_t KindOfType(int type) {
    for (const KindTypes& entry : KindTable()) {
        for (const int t : entry.types) {
            if (t == type) {
                return entry.kind;
            }
        }
    }
    return 0;
}

std::vector<int> TypesOfKind(uint32_t kind) {
    for (const KindTypes& entry : KindTable()) {
        if (entry.kind == kind) {
            return entry.types;
        }
    }
    return {};
}

uint32_t SelectedKinds(CDesignScene& scene) {
    uint32_t kinds = 0;
    for (int type = 0; type < CDesignScene::kTypeCount; ++type) {
        if (!scene.Selected(type).empty()) {
            kinds |= KindOfType(type);
        }
    }
    return kinds;
}

bool IsMixed(uint32_t kinds) {
    return std::popcount(kinds) > 1;
}

}  // namespace PlanSelectionKinds

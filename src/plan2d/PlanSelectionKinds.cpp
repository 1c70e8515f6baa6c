#include "plan2d/PlanSelectionKinds.h"

#include <bit>

#include "document/DesignScene.h"
#include "document/EditMode.h"
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

constexpr uint32_t Bit(int type) {
    return uint32_t{1} << type;
}

// One object of the kind gives the first mode, several the second.
int OneOrSeveral(int count, int one, int several) {
    return count <= 1 ? one : several;
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

Summary Recount(CDesignScene& scene) {
    Summary summary;
    for (int type = kWallObjectType; type < CDesignScene::kTypeCount; ++type) {
        // Models, lights and photos count through their plan symbols.
        if (type == kLightObjectType || type == kPhotoObjectType) {
            continue;
        }
        const auto selected = static_cast<int>(scene.Selected(type).size());
        if (selected > 0) {
            summary.count += selected;
            summary.typeMask |= Bit(type);
        }
    }
    summary.chains = static_cast<int>(scene.Selected(kChainShapeType).size());
    return summary;
}

int SelectionEditMode(const Summary& summary) {
    const int n = summary.count;
    const uint32_t mask = summary.typeMask;
    const uint32_t shapeFamily =
        Bit(kLineShapeType) | Bit(kRectShapeType) | Bit(kCircleShapeType) | Bit(kCurveShapeType);
    switch (mask) {
        case 0:
            return EditMode::kNone;
        case Bit(kModelObjectType):
        case Bit(kModelIconShapeType):
            return OneOrSeveral(n, EditMode::kFurnitureSelected, EditMode::kFurnitureMultiSelected);
        case Bit(kWallObjectType):
            return OneOrSeveral(n, EditMode::kWallSelected, EditMode::kWallMultiSelected);
        case Bit(kLightObjectType):
        case Bit(kLightIconShapeType):
            return OneOrSeveral(n, EditMode::kLightSelected, EditMode::kLightMultiSelected);
        case Bit(kText3DObjectType):
            return OneOrSeveral(n, EditMode::kText3DSelected, EditMode::kText3DMultiSelected);
        case Bit(kPhotoObjectType):
        case Bit(kPhotoIconShapeType):
            return OneOrSeveral(n, EditMode::kPhotoSelected, EditMode::kPhotoMultiSelected);
        case Bit(kFloorObjectType):
            return OneOrSeveral(n, EditMode::kFloorSelected, EditMode::kFloorMultiSelected);
        case Bit(kCeilingObjectType):
            return OneOrSeveral(n, EditMode::kCeilingSelected, EditMode::kCeilingMultiSelected);
        case Bit(kWallObjectType) | Bit(kFloorObjectType):
        case Bit(kWallObjectType) | Bit(kCeilingObjectType):
        case Bit(kFloorObjectType) | Bit(kCeilingObjectType):
        case Bit(kWallObjectType) | Bit(kFloorObjectType) | Bit(kCeilingObjectType):
            return EditMode::kSurfacesMixedSelected;
        case Bit(kRectShapeType):
            return OneOrSeveral(n, EditMode::kRectangleSelected, EditMode::kRectanglesSelected);
        case Bit(kCurveShapeType):
            return OneOrSeveral(n, EditMode::kCurveSelected, EditMode::kCurvesSelected);
        case Bit(kDimensionShapeType):
            return OneOrSeveral(n, EditMode::kDimensionSelected, EditMode::kDimensionsSelected);
        case Bit(kTextShapeType):
            return OneOrSeveral(n, EditMode::kTextNoteSelected, EditMode::kTextNotesSelected);
        case Bit(kDimensionShapeType) | Bit(kTextShapeType):
            return EditMode::kNotesMixedSelected;
        case Bit(kDxfIconShapeType):
            return OneOrSeveral(n, EditMode::kDxfIconSelected, EditMode::kDxfIconsSelected);
        case Bit(kImageShapeType):
            return OneOrSeveral(n, EditMode::kPictureSelected, EditMode::kPicturesSelected);
        case Bit(kBaseDrawingType):
            return EditMode::kBaseDrawingSelected;
        case Bit(kGroupShapeType):
            return OneOrSeveral(n, EditMode::kGroupSelected, EditMode::kGroupsSelected);
        default:
            break;
    }
    if ((mask & Bit(kChainShapeType)) != 0) {
        return summary.chains <= 1 ? EditMode::kChainSelected : EditMode::kChainsSelected;
    }
    if ((mask & ~shapeFamily) == 0 && std::popcount(mask) > 1) {
        return EditMode::kShapesMixedSelected;
    }
    return EditMode::kMixedSelected;
}

}  // namespace PlanSelectionKinds

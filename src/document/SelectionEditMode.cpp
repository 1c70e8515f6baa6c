#include "document/SelectionEditMode.h"

#include "document/EditMode.h"
#include "objects/ObjectTypeCodes.h"

namespace {

constexpr uint32_t Bit(int type) {
    return uint32_t{1} << type;
}

// One object of the kind gives the first mode, several the second.
int OneOrSeveral(int count, int one, int several) {
    return count <= 1 ? one : several;
}

int LineMode(const SelectionSummary& s) {
    if (s.lines <= 1) {
        return s.linesWithHeads > 0 ? EditMode::kArrowLineSelected : EditMode::kLineSelected;
    }
    if (s.linesWithHeads == 0) {
        return EditMode::kLinesWithoutHeadsSelected;
    }
    return s.linesWithHeads == s.lines ? EditMode::kArrowLinesSelected
                                       : EditMode::kLinesMixedHeadsSelected;
}

int CircleMode(const SelectionSummary& s) {
    if (s.circles <= 1) {
        return s.fullCircles > 0 ? EditMode::kFullCircleSelected : EditMode::kArcSelected;
    }
    if (s.fullCircles == 0) {
        return EditMode::kArcsSelected;
    }
    return s.fullCircles == s.circles ? EditMode::kFullCirclesSelected
                                      : EditMode::kShapesMixedSelected;
}

}  // namespace

int SelectionEditMode(const SelectionSummary& summary) {
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
        case Bit(kLineShapeType):
            return LineMode(summary);
        case Bit(kRectShapeType):
            return OneOrSeveral(n, EditMode::kRectangleSelected, EditMode::kRectanglesSelected);
        case Bit(kCircleShapeType):
            return CircleMode(summary);
        case Bit(kCurveShapeType):
            return OneOrSeveral(n, EditMode::kCurveSelected, EditMode::kCurvesSelected);
        case Bit(kChainShapeType):
            return summary.chains <= 1 ? EditMode::kChainSelected : EditMode::kChainsSelected;
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
    if ((mask & ~shapeFamily) == 0) {
        return EditMode::kShapesMixedSelected;
    }
    // A chain wins over any other mix.
    if ((mask & Bit(kChainShapeType)) != 0) {
        return summary.chains <= 1 ? EditMode::kChainSelected : EditMode::kChainsSelected;
    }
    return EditMode::kMixedSelected;
}

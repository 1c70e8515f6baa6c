#include "document/EditMode.h"

#include <algorithm>
#include <array>

namespace EditMode {

bool IsMultiSelect(int mode) {
    static constexpr std::array kMultiSelectModes = {
        kFurnitureMultiSelected,
        kWallMultiSelected,
        kFloorMultiSelected,
        kLightMultiSelected,
        kCeilingMultiSelected,
        kSurfacesMixedSelected,
        kPhotoMultiSelected,
        kText3DMultiSelected,
        kLinesWithoutHeadsSelected,
        kLinesMixedHeadsSelected,
        kShapesMixedSelected,
        kArrowLinesSelected,
        kArcsSelected,
        kRectanglesSelected,
        kFullCirclesSelected,
        kCurvesSelected,
        kChainsSelected,
        kDimensionsSelected,
        kNotesMixedSelected,
        kTextNotesSelected,
        kDxfIconsSelected,
        kPicturesSelected,
        kGroupsSelected,
        kMixedSelected,
    };
    return std::find(kMultiSelectModes.begin(), kMultiSelectModes.end(), mode) !=
           kMultiSelectModes.end();
}

}  // namespace EditMode

#include "view3d/ViewCommandRules.h"

#include "view3d/ContextMenuTable.h"

namespace view_commands {

namespace {

// The edit modes of a selected wall in which inner edges can be added.
constexpr int kWallSelectedMode = 210;
constexpr int kWallPartSelectedMode = 216;

ViewCommandUpdate Enabled(bool enabled) {
    return {enabled, std::nullopt};
}

ViewCommandUpdate Checked(bool enabled, bool checked) {
    return {enabled, checked};
}

int SelectedTotal(const ViewCommandContext& context) {
    int total = 0;
    for (const int count : context.selected) {
        total += count;
    }
    return total;
}

}  // namespace

std::optional<ViewCommandUpdate> GetViewCommandUpdate(int command,
                                                      const ViewCommandContext& context) {
    using namespace context_menu;
    const auto& selected = context.selected;
    switch (command) {
        case kDelete:
        case kHide:
        case kReplace:
        case kAddShadowPicture:
        case kAmbientLightPage:
        case kAddAnotherWall:
        case kAddAnotherCeiling:
        case kAddAnotherFloor:
            return Enabled(true);
        case kShowMirrorImages:
            return Checked(true, context.mirrorShown);
        case kShowShadow:
            return Checked(true, context.shadowShown);
        case kModify:
        case kModifyAlternative:
            return Enabled(SelectedTotal(context) == 1);
        case kRefine:
            return context.faceRefined ? Checked(true, *context.faceRefined)
                                       : Checked(false, false);
        case kWallItems:
            return Enabled(context.faceEditorInstalled &&
                           selected[1] + selected[5] + selected[6] == 1);
        case kPlanIconShow:
            return Checked(context.hasPlanIcon, context.planIconShown && !context.planIconLines);
        case kPlanIconLines:
            return Checked(context.hasOutlinePoints,
                           context.planIconShown && context.planIconLines);
        case kPlanIconHide:
            return Checked(true, !context.planIconShown);
        case kMirrorSurface:
            return Checked(true, context.mirrorFaceFound);
        case kShowAll:
            return Enabled(context.anyHidden);
        case kSetTexture:
        case kAddFurniture:
        case kAddLight:
        case kAddPicture:
        case kAddText3D:
            return Enabled(!context.drawingInProgress);
        case kPasteOnFaces:
        case kPasteAllFaces:
            return Enabled(context.picked);
        case kInnerEdgeFloor:
        case kInnerEdgeCeiling:
        case kInnerEdgeBoth:
        case kInnerEdgeShelf:
            return Enabled(context.editMode == kWallSelectedMode ||
                           context.editMode == kWallPartSelectedMode);
        default:
            return std::nullopt;
    }
}

}  // namespace view_commands

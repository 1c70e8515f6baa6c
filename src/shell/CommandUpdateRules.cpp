#include "shell/CommandUpdateRules.h"

#include "document/BackgroundChoice.h"
#include "document/DesignScene.h"
#include "document/EditMode.h"
#include "document/HousDoc.h"
#include "objects/3DObject.h"
#include "objects/ObjectTypeCodes.h"
#include "shell/CommandIds.h"

namespace {

// A state of the walk-through player in which the files may be used.
constexpr int kShowPlayerIdle = 916;

CommandUpdate Enabled(bool enabled) {
    return CommandUpdate{enabled, std::nullopt};
}

CommandUpdate EnabledAndChecked(bool enabled, bool checked) {
    return CommandUpdate{enabled, checked};
}

bool IsFileOrOutputCommand(int command) {
    switch (command) {
        case cmd::kFileNew:
        case cmd::kFileSaveAs:
        case cmd::kExportPlanBitmap:
        case cmd::kSave3DImage:
        case cmd::kPrintSetup:
        case cmd::kPrintSettings:
        case cmd::kPreviewPlan:
        case cmd::kPreview3D:
        case cmd::kPrintPlan:
        case cmd::kPrint3D:
        case cmd::kCostEstimate:
        case cmd::kModelPacker:
        case cmd::kShowcaseManage:
        case cmd::kOptions:
            return true;
        default:
            return false;
    }
}

bool IsNotWhileDrawingCommand(int command) {
    switch (command) {
        case cmd::kSetTexture:
        case cmd::kAddFurniture:
        case cmd::kAddLight:
        case cmd::kAddPicture:
        case cmd::kAddText3D:
            return true;
        default:
            return false;
    }
}

// The edit mode of each toggled 3D mode command.
std::optional<int> ToggledModeOf(int command) {
    switch (command) {
        case cmd::kWallItemsMode:
            return EditMode::kDoorWindow;
        case cmd::kCopyTextureMode:
            return EditMode::kCopyTexture;
        case cmd::kCopySplitLineMode:
            return EditMode::kCopySplitLine;
        default:
            return std::nullopt;
    }
}

std::optional<int32_t> BackgroundOf(int command) {
    switch (command) {
        case cmd::kBackgroundGreyBlue:
            return kGreyBlueBackground;
        case cmd::kBackgroundWhite:
            return kWhiteBackground;
        case cmd::kBackgroundBlack:
            return kBlackBackground;
        default:
            return std::nullopt;
    }
}

}  // namespace

bool IsFileCommandEnabled(const CommandContext& context) {
    switch (context.editMode) {
        case EditMode::kShow:
        case EditMode::kShowWithRecording:
        case kShowPlayerIdle:
            return true;
        case EditMode::kShowRecording:
        case EditMode::kShowPlayback:
            return false;
        default:
            return !context.drawingInProgress;
    }
}

std::optional<CommandUpdate> GetCommandUpdate(int command, const CommandContext& context) {
    if (!context.hasHandler) {
        return Enabled(false);
    }
    if (!context.hasDocument) {
        return std::nullopt;
    }
    const int mode = context.editMode;
    const bool drawing = context.drawingInProgress;
    if (IsFileOrOutputCommand(command)) {
        return Enabled(IsFileCommandEnabled(context));
    }
    if (IsNotWhileDrawingCommand(command)) {
        return Enabled(!drawing);
    }
    if (const std::optional<int> toggled = ToggledModeOf(command)) {
        return EnabledAndChecked(!drawing, mode == *toggled);
    }
    if (const std::optional<int32_t> background = BackgroundOf(command)) {
        return EnabledAndChecked(true, context.backgroundChoice == *background);
    }
    switch (command) {
        case cmd::kFileOpen:
            return Enabled(!context.loading && IsFileCommandEnabled(context));
        case cmd::kAddDesign:
        case cmd::kImportSelection:
            return Enabled(IsFileCommandEnabled(context) && !context.showMode);
        case cmd::kFileSave:
            if (context.showMode) {
                return Enabled(context.modified && mode != EditMode::kShowRecording &&
                               mode != EditMode::kShowPlayback);
            }
            return Enabled(context.modified && !drawing);
        case cmd::kExportSelection:
        case cmd::kExportPackagedModel:
            return Enabled(context.objectSelected);
        case cmd::kUndo:
            return Enabled(!drawing && !context.undoEmpty && !context.busy);
        case cmd::kRedo:
            return Enabled(!drawing && !context.redoEmpty && !context.busy);
        case cmd::kSelectObjects:
            if (mode == EditMode::kCopyTexture || mode == EditMode::kCopySplitLine) {
                return EnabledAndChecked(true, false);
            }
            return EnabledAndChecked(
                !drawing, mode == 0 || context.planEditModeClass == kSelectionModeClassOfPlan);
        case cmd::kPaste:
        case cmd::kPasteHere:
            return Enabled(context.hasCopy);
        case cmd::kToggleSnap:
            return EnabledAndChecked(true, context.snap);
        case cmd::kFixedWallAngle:
            return EnabledAndChecked(true, context.fixedWallAngle);
        case cmd::kMoveToGround:
            return Enabled(context.movableObjectPicked);
        case cmd::kReplace:
            return Enabled(context.replaceableSelected && !context.busy);
        case cmd::kMoveLock:
            return EnabledAndChecked(!drawing, context.moveLock);
        case cmd::kShadowReverse:
            return EnabledAndChecked(true, context.shadowReverse);
        case cmd::kPrintPlanSelection:
            return EnabledAndChecked(true, context.printPlanSelection);
        case cmd::kShowSurfacePlanDrawing:
            return EnabledAndChecked(mode == EditMode::kWallSelected ||
                                         mode == EditMode::kFloorSelected ||
                                         mode == EditMode::kCeilingSelected,
                                     context.surfaceShowsPlan);
        case cmd::kShowModeButton:
        case cmd::kMenuShowMode:
            return EnabledAndChecked(!context.showMode && !drawing, context.showMode);
        case cmd::kEditModeButton:
        case cmd::kMenuEditMode:
            // Show mode 911 ends in 1 but draws nothing.
            return EnabledAndChecked(context.showMode && (!drawing || mode == EditMode::kShow),
                                     !context.showMode);
        default:
            return std::nullopt;
    }
}

namespace {

// The selection list of the surfaces an edit mode of one selected surface
// works on; none in any other mode.
std::optional<int> SurfaceTypeOfMode(int editMode) {
    switch (editMode) {
        case EditMode::kWallSelected:
            return kWallObjectType;
        case EditMode::kFloorSelected:
            return kFloorObjectType;
        case EditMode::kCeilingSelected:
            return kCeilingObjectType;
        default:
            return std::nullopt;
    }
}

void ReadSceneFacts(CDesignScene& scene, CommandContext& context) {
    for (int type = kModelObjectType; type <= kCeilingObjectType; ++type) {
        if (!scene.Selected(type).empty()) {
            context.objectSelected = true;
        }
    }
    context.replaceableSelected =
        !scene.Selected(kModelObjectType).empty() || !scene.Selected(kPhotoObjectType).empty();
    if (const std::optional<int> type = SurfaceTypeOfMode(context.editMode)) {
        const std::vector<CDesignObject*>& selected = scene.Selected(*type);
        if (!selected.empty()) {
            const auto* surface = dynamic_cast<const C3DObject*>(selected.front());
            context.surfaceShowsPlan = surface != nullptr && surface->GetPlanSymbolShown() != 0;
        }
    }
}

}  // namespace

CommandContext ReadCommandContext(const CHousDoc* document) {
    CommandContext context;
    if (document == nullptr) {
        return context;
    }
    context.hasDocument = true;
    context.editMode = document->GetEditMode();
    context.showMode = document->GetShowMode() != 0;
    context.drawingInProgress = document->IsDrawingInProgress();
    context.busy = document->GetBusy() != 0;
    // The design loader keeps the document busy while it reads a file.
    context.loading = context.busy;
    context.modified = document->GetDesignModified() != 0;
    context.undoEmpty = document->IsUndoEmpty();
    context.redoEmpty = document->IsRedoEmpty();
    using Kind = CHousDoc::PickedKind;
    for (Kind kind : {Kind::Model, Kind::Wall, Kind::Photo, Kind::Text3D}) {
        if (document->GetPickedObject(kind) != nullptr) {
            context.movableObjectPicked = true;
        }
    }
    context.snap = document->GetSnapToTolerance() != 0;
    context.fixedWallAngle = document->GetFixedWallAngle() != 0;
    context.moveLock = document->Settings().wallLock != 0;
    context.shadowReverse = document->GetShadowReverse() != 0;
    context.backgroundChoice = document->GetBackgroundChoice();
    if (I3DView* view = document->Get3DView()) {
        if (CDesignScene* scene = view->GetScene()) {
            ReadSceneFacts(*scene, context);
        }
    }
    return context;
}

bool HasCheckMark(int command) {
    CommandContext context;
    context.hasDocument = true;
    context.hasHandler = true;
    const std::optional<CommandUpdate> update = GetCommandUpdate(command, context);
    return update && update->checked.has_value();
}

#include "shell/CommandUpdateRules.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "shell/CommandIds.h"

namespace {

CommandContext Context(int editMode) {
    CommandContext context;
    context.hasDocument = true;
    context.hasHandler = true;
    context.editMode = editMode;
    context.showMode = editMode >= 911 && editMode <= 916;
    context.drawingInProgress = editMode % 10 == 1;
    return context;
}

std::optional<bool> EnabledOf(int command, const CommandContext& context) {
    const std::optional<CommandUpdate> update = GetCommandUpdate(command, context);
    if (!update) {
        return std::nullopt;
    }
    return update->enabled;
}

}  // namespace

TEST(CommandUpdateRulesTest, FileRuleFollowsTheShowModeStatesAndDrawing) {
    struct Case {
        int editMode;
        bool enabled;
    };
    const Case cases[] = {
        {0, true},    {911, true},  {915, true},  {916, true}, {912, false}, {914, false},
        {21, false},  {601, false}, {651, false}, {20, true},  {600, true},  {210, true},
        {1100, true}, {1200, true}, {171, false}, {50, true},  {950, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.editMode);
        const CommandContext context = Context(c.editMode);
        EXPECT_EQ(IsFileCommandEnabled(context), c.enabled);
        for (int command : {cmd::kFileNew, cmd::kFileSaveAs, cmd::kSave3DImage, cmd::kPrint3D,
                            cmd::kCostEstimate, cmd::kOptions, cmd::kShowcaseManage}) {
            EXPECT_EQ(EnabledOf(command, context), c.enabled) << command;
        }
        // Open also waits for a design being read.
        EXPECT_EQ(EnabledOf(cmd::kFileOpen, context), c.enabled);
        CommandContext loading = context;
        loading.loading = true;
        EXPECT_EQ(EnabledOf(cmd::kFileOpen, loading), false);
        // Adding a design or a selection is for edit mode only.
        EXPECT_EQ(EnabledOf(cmd::kAddDesign, context), c.enabled && !context.showMode);
        EXPECT_EQ(EnabledOf(cmd::kImportSelection, context), c.enabled && !context.showMode);
    }
}

TEST(CommandUpdateRulesTest, SaveNeedsAModifiedDesign) {
    struct Case {
        int editMode;
        bool modified;
        bool enabled;
    };
    const Case cases[] = {
        {0, false, false},   {0, true, true},    {21, true, false},   {911, true, true},
        {911, false, false}, {912, true, false}, {914, true, false},  {915, true, true},
        {916, true, true},   {1100, true, true}, {601, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.editMode << (c.modified ? " modified" : ""));
        CommandContext context = Context(c.editMode);
        context.modified = c.modified;
        EXPECT_EQ(EnabledOf(cmd::kFileSave, context), c.enabled);
    }
}

TEST(CommandUpdateRulesTest, UndoAndRedoWaitForHistoryAndAnEndedDrawing) {
    struct Case {
        const char* name;
        int editMode;
        bool busy;
        bool empty;
        bool enabled;
    };
    const Case cases[] = {
        {"idle with history", 0, false, false, true},
        {"nothing to replay", 0, false, true, false},
        {"busy", 0, true, false, false},
        {"drawing", 21, false, false, false},
        {"selection", 210, false, false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CommandContext undo = Context(c.editMode);
        undo.busy = c.busy;
        undo.undoEmpty = c.empty;
        undo.redoEmpty = !c.empty;
        EXPECT_EQ(EnabledOf(cmd::kUndo, undo), c.enabled);
        CommandContext redo = Context(c.editMode);
        redo.busy = c.busy;
        redo.redoEmpty = c.empty;
        redo.undoEmpty = !c.empty;
        EXPECT_EQ(EnabledOf(cmd::kRedo, redo), c.enabled);
    }
}

TEST(CommandUpdateRulesTest, SelectObjectsIsCheckedWhenIdleOrSelecting) {
    struct Case {
        int editMode;
        int planClass;
        CommandUpdate update;
    };
    const Case cases[] = {
        {0, 0, {true, true}},      {210, 930, {true, true}}, {20, 920, {true, false}},
        {21, 920, {false, false}}, {1100, 0, {true, false}}, {1200, 0, {true, false}},
        {50, 0, {true, false}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.editMode);
        CommandContext context = Context(c.editMode);
        context.planEditModeClass = c.planClass;
        EXPECT_EQ(GetCommandUpdate(cmd::kSelectObjects, context), c.update);
    }
}

TEST(CommandUpdateRulesTest, ModeTogglesAreCheckedInTheirModeAndOffWhileDrawing) {
    struct Case {
        int command;
        int editMode;
        CommandUpdate update;
    };
    const Case cases[] = {
        {cmd::kWallItemsMode, 50, {true, true}},
        {cmd::kWallItemsMode, 0, {true, false}},
        {cmd::kWallItemsMode, 31, {false, false}},
        {cmd::kCopyTextureMode, 1100, {true, true}},
        {cmd::kCopyTextureMode, 1200, {true, false}},
        {cmd::kCopySplitLineMode, 1200, {true, true}},
        {cmd::kCopySplitLineMode, 611, {false, false}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.command << " in " << c.editMode);
        EXPECT_EQ(GetCommandUpdate(c.command, Context(c.editMode)), c.update);
    }
}

TEST(CommandUpdateRulesTest, SwitchesAreCheckedByTheirFlags) {
    for (bool on : {false, true}) {
        SCOPED_TRACE(on);
        CommandContext context = Context(0);
        context.snap = on;
        context.fixedWallAngle = on;
        context.moveLock = on;
        context.printPlanSelection = on;
        context.shadowReverse = on;
        const CommandUpdate update{true, on};
        EXPECT_EQ(GetCommandUpdate(cmd::kToggleSnap, context), update);
        EXPECT_EQ(GetCommandUpdate(cmd::kFixedWallAngle, context), update);
        EXPECT_EQ(GetCommandUpdate(cmd::kMoveLock, context), update);
        EXPECT_EQ(GetCommandUpdate(cmd::kPrintPlanSelection, context), update);
        EXPECT_EQ(GetCommandUpdate(cmd::kShadowReverse, context), update);
    }
    CommandContext drawing = Context(21);
    drawing.moveLock = true;
    EXPECT_EQ(GetCommandUpdate(cmd::kMoveLock, drawing), (CommandUpdate{false, true}));
}

TEST(CommandUpdateRulesTest, SelectionCommandsNeedWhatTheyWorkOn) {
    CommandContext context = Context(0);
    for (int command : {cmd::kPaste, cmd::kPasteHere, cmd::kExportSelection,
                        cmd::kExportPackagedModel, cmd::kMoveToGround, cmd::kReplace}) {
        EXPECT_EQ(EnabledOf(command, context), false) << command;
    }
    context.hasCopy = true;
    EXPECT_EQ(EnabledOf(cmd::kPaste, context), true);
    EXPECT_EQ(EnabledOf(cmd::kPasteHere, context), true);
    context.objectSelected = true;
    EXPECT_EQ(EnabledOf(cmd::kExportSelection, context), true);
    EXPECT_EQ(EnabledOf(cmd::kExportPackagedModel, context), true);
    EXPECT_EQ(EnabledOf(cmd::kMoveToGround, context), false);
    context.movableObjectPicked = true;
    EXPECT_EQ(EnabledOf(cmd::kMoveToGround, context), true);
    // Only furniture and photos are replaced from the library.
    EXPECT_EQ(EnabledOf(cmd::kReplace, context), false);
    context.replaceableSelected = true;
    EXPECT_EQ(EnabledOf(cmd::kReplace, context), true);
    context.busy = true;
    EXPECT_EQ(EnabledOf(cmd::kReplace, context), false);
}

TEST(CommandUpdateRulesTest, SurfacePlanDrawingOnlyForOneSelectedSurfaceKind) {
    struct Case {
        int editMode;
        bool shows;
        CommandUpdate update;
    };
    const Case cases[] = {
        {210, true, {true, true}},    {220, false, {true, false}}, {250, true, {true, true}},
        {216, false, {false, false}}, {200, true, {false, true}},  {0, false, {false, false}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.editMode);
        CommandContext context = Context(c.editMode);
        context.surfaceShowsPlan = c.shows;
        EXPECT_EQ(GetCommandUpdate(cmd::kShowSurfacePlanDrawing, context), c.update);
    }
}

TEST(CommandUpdateRulesTest, ModeCommandsOfferTheOtherMode) {
    struct Case {
        int editMode;
        CommandUpdate showMode;
        CommandUpdate editModeUpdate;
    };
    const Case cases[] = {
        {0, {true, false}, {false, true}},
        {21, {false, false}, {false, true}},
        {911, {false, true}, {true, false}},
        {915, {false, true}, {true, false}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.editMode);
        const CommandContext context = Context(c.editMode);
        EXPECT_EQ(GetCommandUpdate(cmd::kShowModeButton, context), c.showMode);
        EXPECT_EQ(GetCommandUpdate(cmd::kMenuShowMode, context), c.showMode);
        EXPECT_EQ(GetCommandUpdate(cmd::kEditModeButton, context), c.editModeUpdate);
        EXPECT_EQ(GetCommandUpdate(cmd::kMenuEditMode, context), c.editModeUpdate);
    }
}

TEST(CommandUpdateRulesTest, CommandsWithoutAHandlerAreDisabledAndOthersLeftAlone) {
    CommandContext context = Context(0);
    context.hasCopy = true;
    context.hasHandler = false;
    for (int command : {cmd::kPaste, cmd::kFileNew, cmd::kShadowReverseButton, cmd::kExit}) {
        EXPECT_EQ(GetCommandUpdate(command, context), (CommandUpdate{false, std::nullopt}))
            << command;
    }
    context.hasHandler = true;
    for (int command : {cmd::kExit, cmd::kMirrorLeftRight, cmd::kReadBoundaryValues}) {
        EXPECT_EQ(GetCommandUpdate(command, context), std::nullopt) << command;
    }
    // Without a document the handlers do nothing, and the items stay as they are.
    CommandContext noDocument;
    noDocument.hasHandler = true;
    EXPECT_EQ(GetCommandUpdate(cmd::kUndo, noDocument), std::nullopt);
}

TEST(CommandUpdateRulesTest, BackgroundItemOfTheCurrentChoiceIsChecked) {
    CommandContext context = Context(0);
    context.backgroundChoice = 1;
    EXPECT_EQ(GetCommandUpdate(cmd::kBackgroundWhite, context), (CommandUpdate{true, true}));
    EXPECT_EQ(GetCommandUpdate(cmd::kBackgroundBlack, context), (CommandUpdate{true, false}));
    EXPECT_EQ(GetCommandUpdate(cmd::kBackgroundGreyBlue, context), (CommandUpdate{true, false}));
}

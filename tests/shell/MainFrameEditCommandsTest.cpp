#include "shell/MainFrameEditCommands.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "document/DocumentFixture.h"
#include "document/EditMode.h"
#include "objects/FloorObject.h"
#include "objects/ModelObject.h"
#include "objects/ObjectTypeCodes.h"
#include "objects/WallObject.h"
#include "shell/CommandUpdateRules.h"

namespace {

class FakePlanWindows : public IPlanCommandWindows {
public:
    void RunShowShapes() override { calls.emplace_back("show shapes"); }
    void FocusPlanView() override { calls.emplace_back("focus"); }

    std::vector<std::string> calls;
};

}  // namespace

class MainFrameEditCommandsTest : public SceneTest {
protected:
    void SetUp() override {
        SceneTest::SetUp();
        commands.SetDocument(doc.get());
        commands.SetPlanWindows(&windows);
    }

    // The scene owns what it lists.
    template <class Object>
    Object* Add(int type, bool select = true) {
        auto object = std::make_unique<Object>();
        Object* added = object.get();
        scene->AddObjectIfAbsent(type, object.release());
        if (select) {
            scene->SelectObject(type, added);
        }
        return added;
    }

    CMainFrameEditCommands commands;
    FakePlanWindows windows;
};

TEST_F(MainFrameEditCommandsTest, UndoAndRedoBothLeaveTheDesignModified) {
    // After undo, save and redo the redone change is not on disk, so closing
    // must still ask to save it.
    doc->SetDesignModified(0);
    commands.OnUndo();
    EXPECT_EQ(doc->GetDesignModified(), 1);
    doc->SetDesignModified(0);
    commands.OnRedo();
    EXPECT_EQ(doc->GetDesignModified(), 1);
    EXPECT_EQ(view3D.hints, (std::vector<int>{kFullRefreshHint, kFullRefreshHint}));
}

TEST_F(MainFrameEditCommandsTest, CommandsWithoutADocumentDoNothing) {
    CMainFrameEditCommands detached;
    detached.SetPlanWindows(&windows);
    detached.OnUndo();
    detached.OnRedo();
    detached.OnPlanDrawingTool(EditMode::kLine);
    detached.OnReadBoundaryValues();
    detached.OnMirror(1);
    detached.OnMoveToGround();
    EXPECT_TRUE(windows.calls.empty());
    EXPECT_TRUE(view3D.hints.empty());
}

TEST_F(MainFrameEditCommandsTest, ModeCommandsToggleBackToSelecting) {
    struct Case {
        int from;
        int toggled;
        int to;
    };
    const Case cases[] = {
        {0, EditMode::kDoorWindow, EditMode::kDoorWindow},
        {EditMode::kDoorWindow, EditMode::kDoorWindow, 0},
        {EditMode::kCopyTexture, EditMode::kCopySplitLine, EditMode::kCopySplitLine},
        {EditMode::kCopyTexture, EditMode::kCopyTexture, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.from << " " << c.toggled);
        doc->SetEditMode(c.from);
        commands.ToggleEditMode(c.toggled);
        EXPECT_EQ(doc->GetEditMode(), c.to);
    }
    doc->SetEditMode(EditMode::kWallSelected);
    commands.OnSelectObjects();
    EXPECT_EQ(doc->GetEditMode(), 0);
}

TEST_F(MainFrameEditCommandsTest, DrawingToolShowsHiddenShapesFirst) {
    struct Case {
        const char* name;
        bool shapesShown;
        int from;
        int to;
        std::vector<std::string> calls;
    };
    const Case cases[] = {
        {"shown", true, 0, EditMode::kLine, {"focus"}},
        {"hidden", false, 0, EditMode::kLine, {"show shapes", "focus"}},
        {"already the tool", true, EditMode::kLine, EditMode::kLine, {}},
        {"drawing", false, EditMode::kWallDrawing, EditMode::kWallDrawing, {"show shapes"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        doc->Settings().show2DState = c.shapesShown ? -1 : ~0x80;
        doc->SetEditMode(c.from);
        windows.calls.clear();
        commands.OnPlanDrawingTool(EditMode::kLine);
        EXPECT_EQ(doc->GetEditMode(), c.to);
        EXPECT_EQ(windows.calls, c.calls);
    }
}

TEST_F(MainFrameEditCommandsTest, SwitchesFlipAndTheRulesShowThem) {
    const CommandContext before = ReadCommandContext(doc.get());
    commands.OnToggleSnap();
    commands.OnToggleFixedWallAngle();
    commands.OnToggleMoveLock();
    commands.OnToggleShadowReverse();
    const CommandContext after = ReadCommandContext(doc.get());
    EXPECT_NE(after.snap, before.snap);
    EXPECT_NE(after.fixedWallAngle, before.fixedWallAngle);
    EXPECT_NE(after.moveLock, before.moveLock);
    EXPECT_NE(after.shadowReverse, before.shadowReverse);
    EXPECT_EQ(view3D.hints, (std::vector<int>{kFullRefreshHint}));
    commands.OnToggleSnap();
    EXPECT_EQ(ReadCommandContext(doc.get()).snap, before.snap);
}

TEST_F(MainFrameEditCommandsTest, MoveToGroundPutsTheSelectionOnTheFloorAndModifiesTheDesign) {
    auto* model = Add<CModelObject>(kModelObjectType);
    model->SetPosition(10.0f, 80.0f, 5.0f);
    doc->SetPickedObject(CHousDoc::PickedKind::Model, model);
    doc->SetDesignModified(0);
    EXPECT_TRUE(ReadCommandContext(doc.get()).movableObjectPicked);

    commands.OnMoveToGround();

    EXPECT_FLOAT_EQ(model->GetPosition().y, scene->GetCurrentFloorHeight());
    EXPECT_EQ(doc->GetDesignModified(), 1);
    EXPECT_GT(view3D.repaints, 0);
}

TEST_F(MainFrameEditCommandsTest, SurfacePlanDrawingTogglesTheSelectedSurfacesOfTheMode) {
    auto* first = Add<CWallObject>(kWallObjectType);
    auto* second = Add<CWallObject>(kWallObjectType);
    auto* unselected = Add<CWallObject>(kWallObjectType, false);
    auto* floor = Add<CFloorObject>(kFloorObjectType);
    second->SetPlanSymbolShown(0);
    doc->SetEditMode(EditMode::kWallSelected);
    doc->SetDesignModified(0);
    EXPECT_TRUE(ReadCommandContext(doc.get()).surfaceShowsPlan);

    commands.OnToggleSurfacePlanDrawing();

    EXPECT_EQ(first->GetPlanSymbolShown(), 0);
    EXPECT_EQ(second->GetPlanSymbolShown(), 1);
    EXPECT_EQ(unselected->GetPlanSymbolShown(), 1);
    EXPECT_EQ(floor->GetPlanSymbolShown(), 1);
    EXPECT_EQ(doc->GetDesignModified(), 1);
    EXPECT_EQ(view3D.hints.back(), kFullRefreshHint);
    EXPECT_FALSE(ReadCommandContext(doc.get()).surfaceShowsPlan);

    // Outside the three modes of one selected surface nothing changes.
    doc->SetEditMode(EditMode::kFurnitureSelected);
    commands.OnToggleSurfacePlanDrawing();
    EXPECT_EQ(first->GetPlanSymbolShown(), 0);
}

TEST_F(MainFrameEditCommandsTest, BoundaryValuesOfThePickedSurfaceGoToTheWallBar) {
    struct Case {
        const char* name;
        CHousDoc::PickedKind kind;
        std::string top;
        std::string bottom;
    };
    const Case cases[] = {
        {"ceiling keeps the bottom", CHousDoc::PickedKind::Ceiling, "250.5", "40"},
        {"floor keeps the top", CHousDoc::PickedKind::Floor, "300", "250.5"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CWallObject surface;
        surface.SetPosition(0.0f, 250.5f, 0.0f);
        doc->SetPickedObject(c.kind, &surface);
        planView.frame.wallBar = {{IPlanFrame::kWallTopEdit, "300"},
                                  {IPlanFrame::kWallBottomEdit, "40"},
                                  {IPlanFrame::kWallThicknessEdit, "15"}};
        commands.OnReadBoundaryValues();
        EXPECT_EQ(planView.frame.wallBar[IPlanFrame::kWallTopEdit], c.top);
        EXPECT_EQ(planView.frame.wallBar[IPlanFrame::kWallBottomEdit], c.bottom);
        doc->SetPickedObject(c.kind, nullptr);
    }

    // A wall gives both: its bottom and its top, bottom plus height.
    planView.frame.wallBar = {{IPlanFrame::kWallTopEdit, "300"},
                              {IPlanFrame::kWallBottomEdit, "40"},
                              {IPlanFrame::kWallThicknessEdit, "15"}};
    CWallObject* wall = scene->AddWallFromOutline({{0, 0}, {100, 0}, {100, 10}, {0, 10}});
    ASSERT_NE(wall, nullptr);
    doc->SetPickedObject(CHousDoc::PickedKind::Wall, wall);
    planView.frame.wallBar[IPlanFrame::kWallTopEdit] = "1";
    planView.frame.wallBar[IPlanFrame::kWallBottomEdit] = "0";
    commands.OnReadBoundaryValues();
    EXPECT_EQ(planView.frame.wallBar[IPlanFrame::kWallTopEdit], "300");
    EXPECT_EQ(planView.frame.wallBar[IPlanFrame::kWallBottomEdit], "40");
    EXPECT_DOUBLE_EQ(doc->GetWallTop(), 150.0);
    EXPECT_TRUE(messages.empty());
}

TEST_F(MainFrameEditCommandsTest, InvertedBoundaryValuesAreRefusedAndTheBarShowsTheKeptOnes) {
    doc->SetWallValues(130.0, 0.0, 7.5);
    planView.frame.wallBar = {{IPlanFrame::kWallTopEdit, "100"},
                              {IPlanFrame::kWallBottomEdit, "250"},
                              {IPlanFrame::kWallThicknessEdit, "15"}};
    commands.ApplyBoundaryValues();
    EXPECT_EQ(messages, (std::vector<std::string>{"下限值高於上限值!"}));
    EXPECT_DOUBLE_EQ(doc->GetWallTop(), 130.0);
    EXPECT_EQ(planView.frame.wallBar[IPlanFrame::kWallTopEdit], "260");
    EXPECT_EQ(planView.frame.wallBar[IPlanFrame::kWallBottomEdit], "0");

    // Nothing picked: nothing read and nothing applied.
    planView.frame.wallBar[IPlanFrame::kWallTopEdit] = "100";
    commands.OnReadBoundaryValues();
    EXPECT_EQ(planView.frame.wallBar[IPlanFrame::kWallTopEdit], "100");
}

TEST_F(MainFrameEditCommandsTest, MirrorFlipsTheSelectedFurnitureAndModifiesTheDesign) {
    auto* selected = Add<CModelObject>(kModelObjectType);
    auto* other = Add<CModelObject>(kModelObjectType, false);
    doc->SetDesignModified(0);

    commands.OnMirror(1);
    EXPECT_EQ(selected->GetMirrorMode(), 1);
    commands.OnMirror(2);
    EXPECT_EQ(selected->GetMirrorMode(), 3);
    commands.OnMirror(1);
    EXPECT_EQ(selected->GetMirrorMode(), 2);
    EXPECT_EQ(other->GetMirrorMode(), 0);
    EXPECT_EQ(doc->GetDesignModified(), 1);
    EXPECT_GT(planView.redraws, 0);
}

// Every paste of one copy passes a count one higher; a new copy starts
// again at 1, and nothing pastes once the copied objects are gone.
TEST_F(MainFrameEditCommandsTest, PasteCountGrowsWithEachPasteAndCopyResetsIt) {
    view3D.copyBuffer = &doc->GetCopyBuffer();
    auto* model = Add<CModelObject>(kModelObjectType);
    EXPECT_FALSE(commands.HasCopy());
    commands.OnCopy();
    ASSERT_TRUE(commands.HasCopy());
    commands.PasteObjects(std::nullopt);
    commands.PasteObjects(std::nullopt);
    commands.OnCopy();
    commands.PasteObjects(std::nullopt);
    EXPECT_EQ(view3D.pasteCounts, (std::vector<int>{1, 2, 1}));
    EXPECT_EQ(doc->GetDesignModified(), 1);

    doc->ReleaseCopiedObject(model);
    EXPECT_FALSE(commands.HasCopy());
    commands.PasteObjects(std::nullopt);
    EXPECT_EQ(view3D.pasteCounts.size(), 3u);
}

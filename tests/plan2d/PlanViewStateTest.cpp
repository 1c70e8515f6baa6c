#include "plan2d/PlanViewState.h"

#include <gtest/gtest.h>

#include "../document/DocumentFixture.h"
#include "document/EditMode.h"
#include "foundation/GeometryMath.h"

namespace {

class PlanViewStateTest : public PlanTest {};

TEST(LineSegmentCache, OnlyLinesShapesAndTheBaseDrawingFeedIt) {
    for (int type = -1; type <= 21; ++type) {
        const bool feeds = (type >= 7 && type <= 10) || type == 19;
        EXPECT_EQ(CLineSegmentCache::DependsOnType(type), feeds) << type;
    }
}

TEST(LineSegmentCache, InvalidateEmptiesItOnlyForTheFeedingTypes) {
    CLineSegmentCache cache;
    cache.Segments().emplace_back(CVector2F(0.0f, 0.0f), CVector2F(10.0f, 0.0f));
    cache.Segments().emplace_back(CVector2F(10.0f, 0.0f), CVector2F(10.0f, 10.0f));
    cache.Invalidate(12);
    cache.Invalidate(20);
    EXPECT_EQ(cache.Segments().size(), 2u);
    cache.Invalidate(19);
    EXPECT_TRUE(cache.IsEmpty());
}

TEST(PlanKeys, KeysFallIntoTheirGroups) {
    struct Case {
        int key;
        CPlanViewState::KeyGroup group;
    };
    for (const Case& c :
         {Case{27, CPlanViewState::kEscapeKey}, Case{17, CPlanViewState::kControlKey},
          Case{46, CPlanViewState::kDeleteKey}, Case{33, CPlanViewState::kMoveKey},
          Case{40, CPlanViewState::kMoveKey}, Case{188, CPlanViewState::kMoveKey},
          Case{190, CPlanViewState::kMoveKey}, Case{13, CPlanViewState::kCommandKey},
          Case{'A', CPlanViewState::kCommandKey}, Case{'G', CPlanViewState::kCommandKey},
          Case{114, CPlanViewState::kCommandKey}, Case{119, CPlanViewState::kCommandKey},
          Case{32, CPlanViewState::kOtherKey}, Case{41, CPlanViewState::kOtherKey},
          Case{'B', CPlanViewState::kOtherKey}, Case{115, CPlanViewState::kOtherKey}}) {
        EXPECT_EQ(CPlanViewState::ClassifyPlanKey(c.key), c.group) << c.key;
    }
}

TEST_F(PlanViewStateTest, CameraPlanPoseTurnsTheHeadingIntoOneTurn) {
    CPlanViewState state(*doc);
    view3D.eye = {250.0f, 160.0f, -75.5f};
    struct Case {
        double cameraHeading;
        double planHeading;
    };
    for (const Case& c : {Case{0.0, 0.0}, Case{kTwoPi, 0.0}, Case{kPi / 2.0, 1.5 * kPi},
                          Case{-kPi / 2.0, kPi / 2.0}, Case{3.0 * kPi, kPi}}) {
        view3D.heading = c.cameraHeading;
        state.StoreCameraPlanPose(false);
        const CameraPlanPose& pose = doc->GetCameraPlanPose();
        EXPECT_NEAR(pose.heading, c.planHeading, 1e-12) << c.cameraHeading;
        EXPECT_GE(pose.heading, 0.0);
        EXPECT_LT(pose.heading, kTwoPi);
        EXPECT_DOUBLE_EQ(pose.x, 250.0);
        EXPECT_DOUBLE_EQ(pose.z, -75.5);
    }
    EXPECT_EQ(planView.redraws, 0);
    state.StoreCameraPlanPose(true);
    EXPECT_EQ(planView.redraws, 1);
}

TEST_F(PlanViewStateTest, ResetForgetsThePendingFirstPoint) {
    CPlanViewState state(*doc);
    state.SetCursorPoint(CVector2D(120.0, -80.0));
    state.ResetSelectionState();
    EXPECT_EQ(state.GetCursorPoint(), CVector2D(-1.0, -1.0));
}

TEST_F(PlanViewStateTest, EscapeEndsAWaitingToolButNotADrawing) {
    CPlanViewState state(*doc);
    doc->SetEditMode(EditMode::kWall);
    EXPECT_TRUE(state.OnKeyDown(27, 1, 0));
    EXPECT_EQ(doc->GetEditMode(), 0);
    EXPECT_EQ(view3D.status, "請選擇動作");
    EXPECT_EQ(planView.hints, std::vector<int>{2100});

    doc->SetEditMode(EditMode::kWallDrawing);
    EXPECT_TRUE(state.OnKeyDown(27, 1, 0));
    EXPECT_EQ(doc->GetEditMode(), EditMode::kWallDrawing);

    doc->SetEditMode(EditMode::kShow);
    doc->SetShowMode(1);
    state.OnKeyDown(27, 1, 0);
    EXPECT_EQ(doc->GetEditMode(), EditMode::kShow);
}

TEST_F(PlanViewStateTest, EnterEndsToolsOutsideADrawing) {
    CPlanViewState state(*doc);
    doc->SetEditMode(EditMode::kLineDrawing);
    EXPECT_TRUE(state.OnKeyDown(13, 1, 0));
    EXPECT_EQ(doc->GetEditMode(), EditMode::kLineDrawing);
    doc->SetEditMode(EditMode::kLine);
    state.SetCursorPoint(CVector2D(5.0, 5.0));
    EXPECT_TRUE(state.OnKeyDown(13, 1, 0));
    EXPECT_EQ(doc->GetEditMode(), 0);
    EXPECT_EQ(state.GetCursorPoint(), CVector2D(-1.0, -1.0));
}

TEST_F(PlanViewStateTest, FunctionKeysAndOtherKeysPassOnAndAAndGReachThe3DView) {
    CPlanViewState state(*doc);
    EXPECT_TRUE(state.OnKeyDown('A', 1, 0));
    EXPECT_TRUE(state.OnKeyDown('G', 1, 0));
    EXPECT_TRUE(state.OnKeyDown('G', 1, 0));
    EXPECT_EQ(view3D.wireframeToggles, 1);
    EXPECT_EQ(view3D.gridToggles, 2);
    EXPECT_FALSE(state.OnKeyDown(114, 1, 0));  // F3
    EXPECT_FALSE(state.OnKeyDown('Q', 1, 0));
}

}  // namespace

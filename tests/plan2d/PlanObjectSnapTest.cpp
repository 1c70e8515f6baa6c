#include "plan2d/PlanObjectSnap.h"

#include <gtest/gtest.h>

#include "PlanPickingFixture.h"
#include "document/EditMode.h"
#include "objects/ObjectTypeCodes.h"
#include "plan2d/PlanLayerBits.h"

namespace {

class PlanObjectSnapTest : public PlanPickingTest {
protected:
    void SetUp() override {
        PlanPickingTest::SetUp();
        doc->SetEditMode(EditMode::kWallDrawing);
    }
};

TEST_F(PlanObjectSnapTest, StructurePointWinsOverANearerShapePoint) {
    // The room's corner is at (0, 0); the shape's vertex lies nearer the cursor.
    AddShape(kLineShapeType, {2, 2}, {50, 50}, {90, 90});
    CPlanObjectSnap snap(*doc);
    POINT point{3, 3};
    EXPECT_EQ(snap.SnapToObjectPoint(point), CPlanObjectSnap::kVertexCursor);
    EXPECT_EQ(point.x, 0);
    EXPECT_EQ(point.y, 0);

    // With the structure layers hidden the shape's vertex is taken.
    HideLayers(PlanLayer::kWalls | PlanLayer::kFloors | PlanLayer::kCeilings);
    point = POINT{3, 3};
    EXPECT_EQ(snap.SnapToObjectPoint(point), CPlanObjectSnap::kVertexCursor);
    EXPECT_EQ(point.x, 2);
    EXPECT_EQ(point.y, 2);
}

TEST_F(PlanObjectSnapTest, SegmentMidpointShowsTheMidpointCursor) {
    CPlanObjectSnap snap(*doc);
    // The left side runs from (0, 0) to (0, -300) on the plan.
    POINT point{2, -148};
    EXPECT_EQ(snap.SnapToObjectPoint(point), CPlanObjectSnap::kMidPointCursor);
    EXPECT_EQ(point.x, 0);
    EXPECT_EQ(point.y, -150);
}

TEST_F(PlanObjectSnapTest, NothingSnapsBeyondTheToleranceOrWhileSuppressed) {
    CPlanObjectSnap snap(*doc);
    POINT far{4, 0};  // |dx| must stay below the tolerance of 4
    EXPECT_EQ(snap.SnapToObjectPoint(far), 0);
    EXPECT_EQ(far.x, 4);

    POINT near{1, 1};
    snap.SetSuppressed(true);
    EXPECT_EQ(snap.SnapToObjectPoint(near), 0);
    snap.SetSuppressed(false);
    doc->SetSnapToTolerance(0);
    EXPECT_EQ(snap.SnapToObjectPoint(near), 0);
    EXPECT_EQ(near.x, 1);
}

TEST_F(PlanObjectSnapTest, PointsOfAnotherFloorAreNotSnappedTo) {
    CPlanObjectSnap snap(*doc);
    POINT point{1001, -1};  // the upper wall's corner is (1000, 0)
    EXPECT_EQ(snap.SnapToObjectPoint(point), 0);
    EXPECT_EQ(point.x, 1001);
}

TEST_F(PlanObjectSnapTest, FreeEndIsHeldAcrossFloorsAndLayersInTheLineTools) {
    FakePointShape* line = AddShape(kLineShapeType, {500, 0}, {500, 0}, {600, -50});
    line->SetLevelHeight(430.0);  // the upper storey
    HideLayers(PlanLayer::kShapes);
    doc->SetEditMode(EditMode::kLineDrawing);
    CPlanObjectSnap snap(*doc);
    EXPECT_EQ(snap.SnapToShapeEnds(POINT{602, -52}), CPlanObjectSnap::kFreeEndCursor);
    EXPECT_TRUE(snap.HasHeldEnd());
    EXPECT_EQ(snap.GetHeldEnd().x, 600);
    EXPECT_EQ(snap.GetHeldEnd().y, -50);
    EXPECT_EQ(snap.GetJoinTarget(), line);

    // The next move away drops the held end.
    EXPECT_EQ(snap.SnapToShapeEnds(POINT{700, -50}), 0);
    EXPECT_FALSE(snap.HasHeldEnd());
    EXPECT_EQ(snap.GetJoinTarget(), nullptr);
}

TEST_F(PlanObjectSnapTest, FreeEndsAreLeftAloneOutsideTheLineTools) {
    AddShape(kLineShapeType, {500, 0}, {500, 0}, {600, -50});
    CPlanObjectSnap snap(*doc);
    for (const int mode : {EditMode::kNone, EditMode::kWallDrawing, EditMode::kRectangleDrawing,
                           EditMode::kCircleDrawing}) {
        doc->SetEditMode(mode);
        EXPECT_EQ(snap.SnapToShapeEnds(POINT{600, -50}), 0) << mode;
    }
    doc->SetEditMode(EditMode::kCurve);
    EXPECT_EQ(snap.SnapToShapeEnds(POINT{600, -50}), CPlanObjectSnap::kFreeEndCursor);
}

}  // namespace

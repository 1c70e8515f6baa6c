#include "plan2d/PlanHitTest.h"

#include <gtest/gtest.h>

#include "PlanPickingFixture.h"
#include "document/EditMode.h"
#include "objects/ObjectTypeCodes.h"
#include "plan2d/PlanLayerBits.h"

namespace {

class PlanHitTestTest : public PlanPickingTest {
protected:
    CDesignObject* HitWall(POINT p) const {
        return CPlanHitTest(*doc).HitSurfaces(p, kWallObjectType, PlanLayer::kWalls);
    }
};

TEST_F(PlanHitTestTest, WallIsHitWithinSelectSenseOfItsOutline) {
    ASSERT_EQ(doc->Settings().selectSense, 4);
    const struct {
        POINT point;
        bool hit;
    } cases[] = {
        {{0, -150}, true},     // on the left side
        {{3, -150}, true},     // inside the tolerance
        {{-4, -150}, true},    // at the tolerance
        {{6, -150}, false},    // beyond it
        {{200, -150}, false},  // the middle of the room
        {{200, 2}, true},      // near the far side, y down on the plan
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.point.x << ", " << c.point.y);
        EXPECT_EQ(HitWall(c.point), c.hit ? room : nullptr);
    }
}

TEST_F(PlanHitTestTest, GrowingStructuresPicksWithinOneCentimetre) {
    doc->SetEditMode(EditMode::kDxfToStructure);
    EXPECT_EQ(HitWall(POINT{-1, -150}), room);
    EXPECT_EQ(HitWall(POINT{-2, -150}), nullptr);
}

TEST_F(PlanHitTestTest, HiddenLayerIsNeverHit) {
    HideLayers(PlanLayer::kWalls);
    EXPECT_EQ(HitWall(POINT{0, -150}), nullptr);
    // The floor under the same side is still there.
    EXPECT_EQ(CPlanHitTest(*doc).HitSurfaces(POINT{0, -150}, kFloorObjectType, PlanLayer::kFloors),
              floor);
}

TEST_F(PlanHitTestTest, ObjectOnAnotherFloorIsNeverHit) {
    const POINT onUpperWall{1000, -150};
    EXPECT_EQ(HitWall(onUpperWall), nullptr);
    EXPECT_EQ(CPlanHitTest(*doc).HitSurfaces(onUpperWall, kFloorObjectType, PlanLayer::kFloors),
              nullptr);
}

TEST_F(PlanHitTestTest, NothingIsHitWithoutAScene) {
    view3D.scene = nullptr;
    EXPECT_EQ(HitWall(POINT{0, -150}), nullptr);
    EXPECT_EQ(CPlanHitTest(*doc).HitModels(POINT{0, -150}), nullptr);
}

TEST(CameraMarkerTest, BoxHoldsItsLeftAndTopEdgesOnly) {
    const RECT box{10, 20, 30, 40};
    const struct {
        POINT point;
        bool on;
    } cases[] = {
        {{10, 20}, true},  {{29, 39}, true}, {{30, 25}, false},
        {{15, 40}, false}, {{9, 25}, false}, {{15, 19}, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(IsOnCameraMarker(c.point, box), c.on) << c.point.x << ", " << c.point.y;
    }
}

}  // namespace

#include "plan2d/PlanPick.h"

#include <gtest/gtest.h>

#include "PlanPickingFixture.h"
#include "objects/ObjectTypeCodes.h"
#include "plan2d/PlanLayerBits.h"

namespace {

class PlanPickTest : public PlanPickingTest {};

// The left side of the ground storey's room, y down on the plan.
constexpr POINT kOnLeftSide{0, -150};

TEST_F(PlanPickTest, WallsGoBeforeCeilingsAndCeilingsBeforeFloors) {
    PlanPick pick = PickObjectAt(*doc, kOnLeftSide);
    EXPECT_EQ(pick.object, room);
    EXPECT_EQ(pick.kind, kWallObjectType);
    HideLayers(PlanLayer::kWalls);
    pick = PickObjectAt(*doc, kOnLeftSide);
    EXPECT_EQ(pick.object, ceiling);
    EXPECT_EQ(pick.kind, kCeilingObjectType);
    HideLayers(PlanLayer::kCeilings);
    EXPECT_EQ(PickObjectAt(*doc, kOnLeftSide).object, floor);
    const PlanPick none = PickObjectAt(*doc, POINT{200, -150});
    EXPECT_EQ(none.object, nullptr);
    EXPECT_EQ(none.kind, PlanPick::kNothing);
}

TEST_F(PlanPickTest, ClickSelectsOnlyTheHitAndCtrlToggles) {
    ASSERT_TRUE(SelectByClick(*doc, false, kOnLeftSide));
    EXPECT_EQ(scene->Selected(kWallObjectType), std::vector<CDesignObject*>{room});

    HideLayers(PlanLayer::kWalls);
    ASSERT_TRUE(SelectByClick(*doc, false, kOnLeftSide));
    EXPECT_TRUE(scene->Selected(kWallObjectType).empty());
    EXPECT_EQ(room->IsSelected(), 0);
    EXPECT_EQ(scene->Selected(kCeilingObjectType), std::vector<CDesignObject*>{ceiling});

    doc->Settings().show2DState = -1;
    ASSERT_TRUE(SelectByClick(*doc, true, kOnLeftSide));
    EXPECT_EQ(scene->Selected(kWallObjectType), std::vector<CDesignObject*>{room});
    EXPECT_EQ(scene->Selected(kCeilingObjectType), std::vector<CDesignObject*>{ceiling});
    ASSERT_TRUE(SelectByClick(*doc, true, kOnLeftSide));
    EXPECT_TRUE(scene->Selected(kWallObjectType).empty());

    // A miss changes nothing.
    EXPECT_FALSE(SelectByClick(*doc, false, POINT{200, -150}));
    EXPECT_EQ(scene->Selected(kCeilingObjectType), std::vector<CDesignObject*>{ceiling});
}

}  // namespace

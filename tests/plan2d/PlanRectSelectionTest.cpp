#include "plan2d/PlanRectSelection.h"

#include <gtest/gtest.h>

#include "PlanPickingFixture.h"
#include "document/EditMode.h"
#include "objects/ObjectTypeCodes.h"
#include "plan2d/PlanLayerBits.h"

namespace {

class PlanRectSelectionTest : public PlanPickingTest {
protected:
    // Drags in stored form and answers the kind filter with keep.
    bool Drag(CVector2D from, CVector2D to, std::optional<uint32_t> keep = std::nullopt) {
        return CPlanRectSelection(*doc).SelectInRectangle(from, to, [&](uint32_t kinds) {
            offered.push_back(kinds);
            return keep;
        });
    }

    std::vector<uint32_t> offered;
};

TEST_F(PlanRectSelectionTest, ReleaseOnTheAnchorOnlyEndsTheBand) {
    scene->SelectObject(kWallObjectType, room);
    doc->SetEditMode(EditMode::kWallSelected);
    EXPECT_FALSE(Drag({50, 50}, {50, 50}));
    EXPECT_EQ(scene->Selected(kWallObjectType), std::vector<CDesignObject*>{room});
    EXPECT_EQ(doc->GetEditMode(), EditMode::kWallSelected);
    EXPECT_TRUE(view3D.hints.empty());
}

TEST_F(PlanRectSelectionTest, EmptyRectangleSelectsNothing) {
    EXPECT_TRUE(Drag({100, 100}, {200, 200}));
    EXPECT_FALSE(doc->HasAnySelection());
    EXPECT_EQ(doc->GetEditMode(), EditMode::kNone);
    EXPECT_TRUE(offered.empty());
    EXPECT_EQ(view3D.hints, std::vector<int>{kFullRefreshHint});
}

TEST_F(PlanRectSelectionTest, MixedCatchAsksWhichKindsToKeep) {
    // Across the left side: the wall, the floor and the ceiling.
    EXPECT_TRUE(Drag({-10, 100}, {10, 200}, PlanLayer::kWalls));
    ASSERT_EQ(offered.size(), 1u);
    EXPECT_EQ(offered[0], PlanLayer::kWalls | PlanLayer::kFloors | PlanLayer::kCeilings);
    EXPECT_EQ(scene->Selected(kWallObjectType), std::vector<CDesignObject*>{room});
    EXPECT_TRUE(scene->Selected(kFloorObjectType).empty());
    EXPECT_EQ(floor->IsSelected(), 0);
    EXPECT_EQ(doc->GetEditMode(), EditMode::kWallSelected);
    EXPECT_EQ(doc->GetPickedObject(CHousDoc::PickedKind::Wall), room);
}

TEST_F(PlanRectSelectionTest, CancelledKindFilterLeavesNothingSelected) {
    EXPECT_TRUE(Drag({-10, 100}, {10, 200}, std::nullopt));
    EXPECT_FALSE(doc->HasAnySelection());
    EXPECT_EQ(doc->GetEditMode(), EditMode::kNone);
}

TEST_F(PlanRectSelectionTest, SurfacesCaughtTogetherKeepTheirMixedMode) {
    EXPECT_TRUE(
        Drag({10, 200}, {-10, 100}, PlanLayer::kWalls | PlanLayer::kFloors | PlanLayer::kCeilings));
    EXPECT_EQ(doc->GetEditMode(), EditMode::kSurfacesMixedSelected);
}

TEST_F(PlanRectSelectionTest, HiddenLayersAndOtherFloorsAreNotCaught) {
    HideLayers(PlanLayer::kFloors | PlanLayer::kCeilings);
    // Around both rooms: the upper one lies on the other storey.
    EXPECT_TRUE(Drag({-50, -50}, {1500, 400}));
    EXPECT_TRUE(offered.empty());
    EXPECT_EQ(scene->Selected(kWallObjectType), std::vector<CDesignObject*>{room});
    EXPECT_EQ(upperWall->IsSelected(), 0);
    EXPECT_TRUE(scene->Selected(kFloorObjectType).empty());
    EXPECT_EQ(doc->GetEditMode(), EditMode::kWallSelected);
}

}  // namespace

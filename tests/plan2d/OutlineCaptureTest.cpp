#include "plan2d/OutlineCapture.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "../document/DocumentFixture.h"
#include "document/EditMode.h"
#include "objects/FloorObject.h"
#include "objects/ObjectTypeCodes.h"
#include "objects/WallObject.h"
#include "plan2d/PlanViewState.h"

namespace {

// Plan points (x, y down) as the outline stores them.
CVector2D Stored(double x, double y) {
    return CVector2D(x, -y);
}

// The stored points of a surface's outline.
std::vector<CVector2D> StoredOutline(const CDesignObject* object) {
    const auto* surface = dynamic_cast<const CWallObject*>(object);
    std::vector<CVector2D> points;
    if (surface == nullptr) {
        return points;
    }
    const gfx::Vector3 position = surface->GetPosition();
    for (const CVector2F& p : surface->GetOutline()) {
        points.emplace_back(position.x + p.x, position.z - p.y);
    }
    return points;
}

class FakeOutlineHost : public IOutlineHost {
public:
    void ShowStatusText(std::string_view text) override { status = std::string(text); }
    void SetToolCursor(int cursorId) override { cursor = cursorId; }
    void RedrawPlan() override { ++redraws; }
    bool IsPlacePoint(const CVector2D& stored) const override {
        return stored.x >= 0.0 && stored.y <= 0.0;
    }

    std::string status;
    int cursor = -1;
    int redraws = 0;
};

class OutlineCaptureTest : public SceneTest {
protected:
    void SetUp() override {
        SceneTest::SetUp();
        planView.frame.SetWallBarText(IPlanFrame::kWallTopEdit, "260");
        planView.frame.SetWallBarText(IPlanFrame::kWallBottomEdit, "0");
        doc->SetFixedWallAngle(0);
        doc->SetWallValues(130.0, 0.0, 0.0);
        doc->SetDesignModified(0);
        statePtr = std::make_unique<CPlanViewState>(*doc);
        capturePtr = std::make_unique<COutlineCapture>(*doc, host, *statePtr);
    }
    void TearDown() override {
        capturePtr.reset();
        statePtr.reset();
        SceneTest::TearDown();
    }

    // The tool of mode waits; then every point is clicked in turn.
    void Draw(int mode, const std::vector<CVector2D>& points) {
        doc->SetEditMode(mode);
        capturePtr->StartOutline(points.front());
        for (std::size_t i = 1; i < points.size(); ++i) {
            CVector2D point = points[i];
            ASSERT_TRUE(capturePtr->CheckNewPoint(point)) << i << " " << host.status;
            ASSERT_TRUE(capturePtr->AddOutlinePoint(point)) << i;
        }
    }

    FakeOutlineHost host;
    std::unique_ptr<CPlanViewState> statePtr;
    std::unique_ptr<COutlineCapture> capturePtr;
};

TEST(OutlineGeometry, CounterClockwiseSquareIsStoredClockwiseFromTheSameCorner) {
    // Down, right and up the screen: counter-clockwise as the plan shows it.
    OutlinePoints square{Stored(100, 100), Stored(100, 200), Stored(200, 200), Stored(200, 100)};
    EXPECT_FALSE(IsOutlineClockwise(square));
    OrientOutlineClockwise(square);
    EXPECT_EQ(square, (OutlinePoints{Stored(100, 100), Stored(200, 100), Stored(200, 200),
                                     Stored(100, 200)}));
    EXPECT_TRUE(IsOutlineClockwise(square));
    OrientOutlineClockwise(square);
    EXPECT_EQ(square.front(), Stored(100, 100));
    EXPECT_EQ(square[1], Stored(200, 100));
    EXPECT_FALSE(IsOutlineClockwise(OutlinePoints{}));
}

TEST(OutlineGeometry, CollinearPointsGoFromClosedOutlinesOfFourOrMore) {
    OutlinePoints outline{{100, 0}, {200, 0}, {200, 100}, {0, 100}, {0, 0}};
    RemoveCollinearPoints(outline);
    EXPECT_EQ(outline, (OutlinePoints{{200, 0}, {200, 100}, {0, 100}, {0, 0}}));
    OutlinePoints three{{0, 0}, {50, 0}, {100, 0}};
    RemoveCollinearPoints(three);
    EXPECT_EQ(three.size(), 3u);
}

TEST(OutlineGeometry, SegmentsMeetWhenTheyCrossTouchOrOverlap) {
    struct Case {
        CVector2D a0, a1, b0, b1;
        int meets;
    };
    for (const Case& c : {
             Case{{0, 0}, {10, 10}, {0, 10}, {10, 0}, 1},  // crossing
             Case{{0, 0}, {10, 0}, {5, 0}, {5, 10}, 1},    // touching inside
             Case{{0, 0}, {10, 0}, {0, 5}, {10, 5}, 0},    // parallel
             Case{{0, 0}, {10, 0}, {20, -5}, {20, 5}, 0},  // beyond the end
             Case{{0, 0}, {10, 0}, {5, 0}, {20, 0}, 1},    // overlapping on one line
             Case{{0, 0}, {10, 0}, {20, 0}, {30, 0}, 0},   // apart on one line
         }) {
        EXPECT_EQ(ClassifySegmentIntersection(c.a0, c.a1, c.b0, c.b1) != 0, c.meets != 0)
            << c.b0.x << "," << c.b0.y;
    }
}

TEST(OutlineGeometry, LinesMeetAndParallelOnesGiveTheSecondPoint) {
    EXPECT_EQ(IntersectLines({0, 0}, {10, 0}, {5, 5}, {5, 20}), CVector2D(5, 0));
    EXPECT_EQ(IntersectLines({0, 0}, {10, 0}, {0, 5}, {10, 5}), CVector2D(10, 0));
}

TEST(OutlineGeometry, BowTieIsNotSimpleAndCannotBeMade) {
    const OutlinePoints square{{0, 0}, {10, 0}, {10, 10}, {0, 10}};
    EXPECT_TRUE(IsSimplePolygon(square));
    EXPECT_FALSE(IsSimplePolygon({{0, 0}, {10, 10}, {10, 0}, {0, 10}}));
    EXPECT_FALSE(IsSimplePolygon({{0, 0}, {10, 0}}));
    const OutlinePoints open{{0, 0}, {10, 0}, {10, 10}};
    EXPECT_TRUE(CanAppendPoint(open, {0, 10}));
    EXPECT_FALSE(CanAppendPoint(open, {5, -10}));
    EXPECT_FALSE(CanAppendPoint(open, {0, 0}));
    EXPECT_FALSE(CanAppendPoint(open, {10, 10}));
    EXPECT_TRUE(SpansArea(open));
    EXPECT_FALSE(SpansArea({{0, 0}, {10, 0}, {20, 0}}));
}

TEST_F(OutlineCaptureTest, FloorsLoseMidSidePointsAndWallsKeepThem) {
    // The first corner lies in the middle of the top side.
    const std::vector<CVector2D> clicks{Stored(200, 100), Stored(300, 100), Stored(300, 200),
                                        Stored(100, 200), Stored(100, 100)};
    for (const int mode : {EditMode::kFloor, EditMode::kWall}) {
        SCOPED_TRACE(mode);
        Draw(mode, clicks);
        CVector2D closing = Stored(201, 101);
        EXPECT_TRUE(capturePtr->AddOutlinePoint(closing));
        EXPECT_EQ(doc->GetEditMode(), mode);
        EXPECT_TRUE(capturePtr->Outline().empty());
    }
    ASSERT_EQ(scene->Objects(kFloorObjectType).size(), 1u);
    ASSERT_EQ(scene->Objects(kWallObjectType).size(), 1u);
    EXPECT_EQ(StoredOutline(scene->Objects(kFloorObjectType)[0]),
              (std::vector<CVector2D>{Stored(300, 100), Stored(300, 200), Stored(100, 200),
                                      Stored(100, 100)}));
    EXPECT_EQ(StoredOutline(scene->Objects(kWallObjectType)[0]), clicks);
    EXPECT_EQ(doc->GetDesignModified(), 1);
}

TEST_F(OutlineCaptureTest, TooFewPointsMakeNothingAndLeaveTheModifiedFlag) {
    for (const int modified : {0, 1}) {
        doc->SetDesignModified(modified);
        OutlinePoints two{Stored(100, 100), Stored(200, 100)};
        EXPECT_EQ(capturePtr->CreateSurfaceFromOutline(two, 1), nullptr);
        EXPECT_EQ(doc->GetDesignModified(), modified);
    }
    EXPECT_TRUE(scene->Objects(kWallObjectType).empty());
}

TEST_F(OutlineCaptureTest, FixedAngleKeepsToItsStepAndTheGrid) {
    doc->SetFixedWallAngle(1);
    doc->SetFixedAngleStep(45);
    doc->Settings().drawUnitCombo = 3;  // 10 cm
    doc->SetEditMode(EditMode::kWall);
    capturePtr->StartOutline(Stored(100, 100));
    // 33 cm at 40 degrees (y down) from the last point.
    CVector2D cursor = Stored(100 + 33 * CosDegrees(40), 100 + 33 * SinDegrees(40));
    ASSERT_TRUE(capturePtr->ApplyFixedAngle(cursor));
    EXPECT_NEAR(cursor.x, 100 + 30 * CosDegrees(45), 1e-9);
    EXPECT_NEAR(cursor.y, -(100 + 30 * SinDegrees(45)), 1e-9);

    doc->SetFixedAngleStep(0);
    CVector2D refused = Stored(150, 100);
    EXPECT_FALSE(capturePtr->ApplyFixedAngle(refused));
    EXPECT_FALSE(capturePtr->CheckNewPoint(refused));
    EXPECT_EQ(refused, Stored(150, 100));
}

TEST_F(OutlineCaptureTest, RightAngleStepsSnapToAnAxisButNeverStraightBack) {
    doc->SetFixedWallAngle(1);
    doc->SetFixedAngleStep(90);
    doc->Settings().drawUnitCombo = 3;
    Draw(EditMode::kWall, {Stored(100, 100), Stored(300, 100)});
    // Mostly back along the last side: the vertical is taken instead.
    CVector2D cursor = Stored(150, 120);
    ASSERT_TRUE(capturePtr->ApplyFixedAngle(cursor));
    EXPECT_EQ(cursor, Stored(300, 120));
    CVector2D ahead = Stored(404, 130);
    ASSERT_TRUE(capturePtr->ApplyFixedAngle(ahead));
    EXPECT_EQ(ahead, Stored(400, 100));
}

TEST_F(OutlineCaptureTest, RepeatedPointIsRefusedAndRemembered) {
    Draw(EditMode::kWall, {Stored(100, 100), Stored(300, 100)});
    CVector2D cursor = Stored(302, 101);
    EXPECT_FALSE(capturePtr->CheckNewPoint(cursor));
    EXPECT_EQ(host.status, "重覆點!");
    EXPECT_TRUE(capturePtr->HasRepeatedPoint());
    cursor = Stored(300, 250);
    EXPECT_TRUE(capturePtr->CheckNewPoint(cursor));
    EXPECT_FALSE(capturePtr->HasRepeatedPoint());
    EXPECT_EQ(host.status, "(300, 100)-(300, 250)長度150公分");
}

TEST_F(OutlineCaptureTest, SideThatCrossesAnEarlierOneIsIgnored) {
    Draw(EditMode::kFloor, {Stored(100, 100), Stored(300, 100), Stored(300, 300), Stored(100, 300),
                            Stored(100, 200)});
    EXPECT_FALSE(capturePtr->AddOutlinePoint(Stored(400, 200)));  // across the right side
    EXPECT_FALSE(capturePtr->AddOutlinePoint(Stored(200, 50)));   // across the first side
    EXPECT_EQ(capturePtr->Outline().size(), 5u);
    EXPECT_TRUE(scene->Objects(kFloorObjectType).empty());
}

// The side two back is the nearest one a new side can cross: on a short
// outline it is the first side, on a longer one a side of the middle.
TEST_F(OutlineCaptureTest, SideThatCrossesTheSideTwoBackIsIgnored) {
    const struct {
        const char* name;
        std::vector<CVector2D> drawn;
        CVector2D crossing;
    } cases[] = {
        {"first side", {Stored(100, 100), Stored(300, 100), Stored(300, 300)}, Stored(200, 50)},
        {"middle side",
         {Stored(100, 100), Stored(300, 100), Stored(300, 300), Stored(150, 300)},
         Stored(400, 200)},
        {"middle side of five",
         {Stored(100, 100), Stored(300, 100), Stored(300, 300), Stored(200, 400), Stored(150, 250)},
         Stored(350, 350)},
    };
    for (const auto& c : cases) {
        Draw(EditMode::kFloor, c.drawn);
        EXPECT_FALSE(capturePtr->AddOutlinePoint(c.crossing)) << c.name;
        EXPECT_EQ(capturePtr->Outline(), c.drawn) << c.name;
        capturePtr->CancelOutline();
    }
}

TEST_F(OutlineCaptureTest, ThirdPointBackOnTheFirstCollapsesTheOutline) {
    Draw(EditMode::kWall, {Stored(100, 100), Stored(200, 100)});
    EXPECT_TRUE(capturePtr->AddOutlinePoint(Stored(100, 100)));
    EXPECT_EQ(capturePtr->Outline(), (OutlinePoints{Stored(100, 100)}));
}

TEST_F(OutlineCaptureTest, StepBackDropsPointsThenTheTool) {
    Draw(EditMode::kWall, {Stored(100, 100), Stored(300, 100)});
    capturePtr->StepBackOutline();
    EXPECT_EQ(capturePtr->Outline(), (OutlinePoints{Stored(100, 100)}));
    EXPECT_TRUE(capturePtr->Companion().empty());
    EXPECT_EQ(doc->GetEditMode(), EditMode::kWallDrawing);
    capturePtr->StepBackOutline();
    EXPECT_TRUE(capturePtr->Outline().empty());
    EXPECT_EQ(statePtr->Outline(), nullptr);
    EXPECT_EQ(doc->GetEditMode(), EditMode::kWall);
    EXPECT_EQ(doc->GetDesignModified(), 1);
}

TEST_F(OutlineCaptureTest, RightAngleCloseAddsTheCornerOfTheSmallerTurn) {
    Draw(EditMode::kFloor,
         {Stored(100, 100), Stored(300, 100), Stored(300, 200), Stored(200, 200)});
    CVector2D corner;
    ASSERT_TRUE(capturePtr->RightAngleClosingPoint(&corner));
    EXPECT_EQ(corner, Stored(100, 200));
    EXPECT_TRUE(capturePtr->CanCloseRightAngle());
    EXPECT_TRUE(capturePtr->CanClose());
    EXPECT_FALSE(capturePtr->CanFinish());
    capturePtr->CloseOutline(true);
    EXPECT_EQ(doc->GetEditMode(), EditMode::kFloor);
    ASSERT_EQ(scene->Objects(kFloorObjectType).size(), 1u);
    // The straight-through point at (200, 200) went with the corner.
    EXPECT_EQ(StoredOutline(scene->Objects(kFloorObjectType)[0]),
              (std::vector<CVector2D>{Stored(100, 100), Stored(300, 100), Stored(300, 200),
                                      Stored(100, 200)}));
}

TEST_F(OutlineCaptureTest, ThickWallRunsOutAlongOneSideAndBackAlongTheOther) {
    doc->SetWallValues(130.0, 0.0, 5.0);  // the bar shows 10
    Draw(EditMode::kWall, {Stored(100, 100), Stored(300, 100), Stored(300, 300)});
    // The companion line lies left of the drawing direction as the plan
    // shows it, mitred at the corner.
    EXPECT_EQ(capturePtr->Companion(),
              (OutlinePoints{Stored(100, 90), Stored(310, 90), Stored(310, 300)}));
    EXPECT_FALSE(capturePtr->CanClose());
    EXPECT_TRUE(capturePtr->CanFinish());
    capturePtr->CloseOutline(true);
    EXPECT_EQ(doc->GetEditMode(), EditMode::kWall);
    ASSERT_EQ(scene->Objects(kWallObjectType).size(), 1u);
    std::vector<CVector2D> outline = StoredOutline(scene->Objects(kWallObjectType)[0]);
    EXPECT_EQ(outline.size(), 6u);
    EXPECT_TRUE(IsOutlineClockwise(outline));
}

TEST_F(OutlineCaptureTest, TypedLengthGoesTowardsTheMouse) {
    struct Case {
        CVector2D mouse;
        CVector2D added;
    };
    for (const Case& c : {Case{Stored(100, 260), Stored(100, 300)},     // mouse below
                          Case{Stored(180, 260), Stored(100, 300)},     // below and right
                          Case{Stored(100, 150), Stored(100, 100)}}) {  // above
        Draw(EditMode::kWall, {Stored(100, 200)});
        EXPECT_TRUE(capturePtr->ApplyTypedPoint(100.0, 90.0, c.mouse));
        ASSERT_EQ(capturePtr->Outline().size(), 2u);
        EXPECT_EQ(capturePtr->Outline().back(), c.added);
        capturePtr->CancelOutline();
    }
    Draw(EditMode::kWall, {Stored(100, 200)});
    EXPECT_FALSE(capturePtr->ApplyTypedPoint(0.0, 90.0, Stored(100, 300)));
    EXPECT_FALSE(capturePtr->ApplyTypedPoint(-5.0, 90.0, Stored(100, 300)));
    EXPECT_EQ(capturePtr->Outline().size(), 1u);
}

TEST_F(OutlineCaptureTest, TypedPointOutsideTheGroundIsRefused) {
    doc->SetEditMode(EditMode::kFloor);
    EXPECT_FALSE(capturePtr->ApplyTypedPoint(-1.0, 5.0, CVector2D()));
    capturePtr->AddPointAt(CVector2D(doc->Settings().length + 1.0, 5.0));
    EXPECT_EQ(host.status, "不在規定區域內!");
    EXPECT_EQ(doc->GetEditMode(), EditMode::kFloor);
    EXPECT_TRUE(capturePtr->ApplyTypedPoint(120.0, 80.0, CVector2D()));
    EXPECT_EQ(doc->GetEditMode(), EditMode::kFloorDrawing);
    EXPECT_EQ(capturePtr->Outline(), (OutlinePoints{Stored(120, 80)}));
}

TEST_F(OutlineCaptureTest, DeletingTheOutlineAsksFirst) {
    Draw(EditMode::kCeiling, {Stored(100, 100), Stored(300, 100)});
    std::vector<std::string> asked;
    PromptAnswer answer = PromptAnswer::No;
    CScopedPromptHandlers prompts([&](const MessageRequest& request) {
        asked.push_back(request.text);
        return answer;
    });
    capturePtr->OnDeleteOutline();
    EXPECT_EQ(capturePtr->Outline().size(), 2u);
    answer = PromptAnswer::Yes;
    capturePtr->OnDeleteOutline();
    EXPECT_TRUE(capturePtr->Outline().empty());
    EXPECT_EQ(doc->GetEditMode(), EditMode::kCeiling);
    EXPECT_EQ(asked, (std::vector<std::string>{"確定刪除天花板?", "確定刪除天花板?"}));
}

}  // namespace

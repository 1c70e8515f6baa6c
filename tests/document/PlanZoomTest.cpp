#include "document/PlanZoom.h"

#include <gtest/gtest.h>

#include "DocumentFixture.h"

namespace {

class PlanZoomTest : public PlanTest {};

TEST(PlanZoom, LevelsRunFrom2000To20PercentWith100AtLevel23) {
    struct Case {
        int index;
        int percent;
    };
    for (const Case& c :
         {Case{0, 2000}, Case{10, 1000}, Case{11, 900}, Case{13, 700}, Case{15, 500}, Case{16, 450},
          Case{22, 150}, Case{23, 100}, Case{24, 90}, Case{31, 20}}) {
        EXPECT_EQ(PlanZoom::GetLevelPercent(c.index), c.percent) << c.index;
    }
    EXPECT_EQ(PlanZoom::kDefaultLevel, 23);
    EXPECT_DOUBLE_EQ(PlanZoom::GetLevelScale(23), 0.5);
}

TEST(PlanZoom, IndexOutsideTheTableIsClamped) {
    EXPECT_EQ(PlanZoom::ClampLevel(-1), 0);
    EXPECT_EQ(PlanZoom::ClampLevel(32), 31);
    EXPECT_EQ(PlanZoom::ClampLevel(17), 17);
    EXPECT_EQ(PlanZoom::GetLevelPercent(-100), 2000);
    EXPECT_EQ(PlanZoom::GetLevelPercent(1000), 20);
}

TEST(PlanZoom, FindsOnlyAnExactScale) {
    EXPECT_EQ(PlanZoom::FindLevel(0.5), 23);
    EXPECT_EQ(PlanZoom::FindLevel(3.5), 13);
    EXPECT_EQ(PlanZoom::FindLevel(0.1), 31);
    EXPECT_EQ(PlanZoom::FindLevel(0.5000001), -1);
    EXPECT_EQ(PlanZoom::FindLevel(0.0), -1);
}

TEST(PlanZoom, ZoomButtonsStepOnlyInsideTheTable) {
    // With no selection, zooming out reaches level 0 and zooming in does nothing.
    EXPECT_EQ(PlanZoom::StepLevel(-1, 1), 0);
    EXPECT_EQ(PlanZoom::StepLevel(-1, -1), std::nullopt);
    EXPECT_EQ(PlanZoom::StepLevel(0, -1), std::nullopt);
    EXPECT_EQ(PlanZoom::StepLevel(31, 1), std::nullopt);
    EXPECT_EQ(PlanZoom::StepLevel(23, -1), 22);
}

TEST_F(PlanZoomTest, TableMatchesTheDocumentsZoomPercent) {
    for (int index = 0; index < PlanZoom::kLevelCount; ++index) {
        planView.frame.zoomSelection = index;
        EXPECT_EQ(doc->GetZoomPercent(nullptr), PlanZoom::GetLevelPercent(index)) << index;
    }
}

TEST_F(PlanZoomTest, ZoomKeepsTheScrollPlaceAndMarksTheDesign) {
    doc->Settings().rulerShow = 1;
    doc->UpdatePlanScrollSize();
    ASSERT_EQ(doc->GetPlanScrollSize().x, 1524);
    doc->SetPlanViewOrigin(POINT{500, 100});

    ApplyPlanZoom(*doc, 200);

    EXPECT_DOUBLE_EQ(doc->GetPlanZoomFactor(), 1.0);
    EXPECT_EQ(doc->GetPlanScrollSize().x, 3024);
    EXPECT_EQ(doc->GetPlanViewOrigin().x, 992);  // 500 / 1524 * 3024 = 992.1
    EXPECT_EQ(doc->GetPlanViewOrigin().y, 198);  // 100 / 1524 * 3024 = 198.4
    EXPECT_EQ(doc->GetDesignModified(), 1);
    EXPECT_EQ(planView.hints, std::vector<int>{996});
}

TEST_F(PlanZoomTest, SameZoomChangesNothingButStillSendsTheHint) {
    doc->SetPlanViewOrigin(POINT{40, 40});
    ApplyPlanZoom(*doc, 100);
    EXPECT_EQ(doc->GetDesignModified(), 0);
    EXPECT_EQ(doc->GetPlanViewOrigin().x, 40);
    EXPECT_EQ(planView.hints, std::vector<int>{996});
    EXPECT_EQ(view3D.hints, std::vector<int>{996});
}

TEST_F(PlanZoomTest, EmptyGroundZoomsToTheTopLeft) {
    doc->Settings().rulerShow = 0;
    doc->Settings().length = 0;
    doc->Settings().width = 0;
    doc->UpdatePlanScrollSize();
    doc->SetPlanViewOrigin(POINT{30, 30});
    ApplyPlanZoom(*doc, 400);
    EXPECT_EQ(doc->GetPlanViewOrigin().x, 0);
    EXPECT_EQ(doc->GetPlanViewOrigin().y, 0);
}

}  // namespace

#include "DocumentFixture.h"
#include "document/ActiveDocumentValues.h"
#include "document/DesignScene.h"
#include "foundation/ActiveDocument.h"
#include "platform/draw/RecordingDrawContext.h"

namespace {

class ActiveDocumentValuesTest : public DocumentTest {
protected:
    void TearDown() override {
        SetActiveHousDocAccessor({});
        DocumentTest::TearDown();
    }
    void MakeActive(CHousDoc& doc) {
        SetActiveHousDocAccessor([&doc] { return &doc; });
    }
};

TEST_F(ActiveDocumentValuesTest, ArrowHeadsTakeTheArrowSettings) {
    ArrowHeadStyle line = GetLineArrowHeadStyle();
    EXPECT_EQ(line.length, 10.0);
    EXPECT_EQ(line.angle, 20.0);
    EXPECT_EQ(line.kind, 1);

    CHousDoc doc;
    doc.Settings().arrowLength = 12.5f;
    doc.Settings().arrowAngle = 30.1f;
    MakeActive(doc);
    line = GetLineArrowHeadStyle();
    const ArrowHeadStyle dimension = GetDimensionArrowHeadStyle();
    EXPECT_EQ(line.length, 12.5);
    EXPECT_EQ(line.angle, static_cast<double>(30.1f));
    EXPECT_EQ(dimension.kind, 6);
    EXPECT_EQ(dimension.length, 12.5);
    EXPECT_EQ(dimension.barExtentA, 0.0);
}

TEST_F(ActiveDocumentValuesTest, PlanDrawOriginAndTheFrameOffset) {
    const PlanDrawOrigin none = GetPlanDrawOrigin(nullptr);
    EXPECT_EQ(none.zoomPercent, 100);

    CHousDoc doc;
    MakeActive(doc);
    FakePlanView plan;
    doc.Attach2DView(&plan);
    plan.frame.zoomSelection = 24;
    doc.SetPlanViewOrigin({100, 200});
    doc.SetFrameOffset({40, 60});
    doc.SetPrintScale(0.5);
    draw::RecordingDrawContext screen;
    draw::RecordingDrawContext printer({1000, 1000}, 600, true);

    PlanDrawOrigin origin = GetPlanDrawOrigin(&screen);
    EXPECT_EQ(origin.x, 124);
    EXPECT_EQ(origin.y, 224);
    EXPECT_EQ(origin.zoomPercent, 90);

    doc.SetFrameOffsetFlag(1);
    origin = GetPlanDrawOrigin(&screen);
    EXPECT_EQ(origin.x, 84);
    EXPECT_EQ(origin.y, 164);
    // On paper the offset, scaled to the printed plan, is taken and given back.
    origin = GetPlanDrawOrigin(&printer);
    EXPECT_EQ(origin.x, 124);
    EXPECT_EQ(origin.zoomPercent, 100);
    doc.SetFrameOffsetFlag(0);
    doc.SetPrintScale(0.25);
    origin = GetPlanDrawOrigin(&printer);
    EXPECT_EQ(origin.x, 204);
    EXPECT_EQ(origin.y, 344);
}

TEST_F(ActiveDocumentValuesTest, FullDrawFlagAndCameraMarkerRects) {
    EXPECT_TRUE(Get2DViewFullDrawFlag());
    SetCameraMarkerRects(RECT{1, 2, 3, 4}, RECT{});  // no document: nothing to keep

    CHousDoc doc;
    MakeActive(doc);
    FakePlanView plan;
    plan.fullDraw = false;
    EXPECT_TRUE(Get2DViewFullDrawFlag());
    doc.Attach2DView(&plan);
    EXPECT_FALSE(Get2DViewFullDrawFlag());

    SetCameraMarkerRects(RECT{1, 2, 3, 4}, RECT{5, 6, 7, 8});
    EXPECT_EQ(doc.GetCameraMarkerRects()[0].right, 3);
    EXPECT_EQ(doc.GetCameraMarkerRects()[1].bottom, 8);
}

}  // namespace

TEST_F(ActiveDocumentValuesTest, ReadingFileVersionIsTheScenesElseTheCurrentOne) {
    EXPECT_EQ(GetReadingFileVersion(), 6.05f);
    CHousDoc doc;
    MakeActive(doc);
    EXPECT_EQ(GetReadingFileVersion(), 6.05f) << "no 3D view yet";

    Fake3DView view;
    CDesignScene scene;
    view.scene = &scene;
    doc.Attach3DView(&view);
    scene.SetFileVersion(6.02f);
    EXPECT_EQ(GetReadingFileVersion(), 6.02f);
}

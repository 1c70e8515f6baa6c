#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "../document/DocumentFixture.h"
#include "document/ActiveDocumentServices.h"
#include "document/ActiveDocumentValues.h"
#include "document/EditMode.h"
#include "foundation/ActiveDocument.h"
#include "foundation/RubberBand.h"
#include "plan2d/PlanOverlay.h"
#include "plan2d/PlanPainter.h"
#include "platform/draw/FontConfiguration.h"
#include "platform/draw/ImageDrawContext.h"

namespace {

// A wall being drawn on an empty ground, its length label showing.
class PlanOverlayTest : public SceneTest {
protected:
    void SetUp() override {
        SceneTest::SetUp();
        draw::UseProgramFontConfiguration();
        m_previousServices = SetDocumentServices(&m_services);
        SetActiveHousDocAccessor([this] { return doc.get(); });
        doc->Settings().length = 600;
        doc->Settings().width = 400;
        doc->SetEditMode(EditMode::kWallDrawing);
        CPlanOverlay::RememberedCrosshair() = CVector2D();
        GetRubberBandState() = RubberBandState();
        sketch.outline = m_outline;
        sketch.cursor = CVector2D(400, -300);
        painter = std::make_unique<CPlanPainter>(*doc);
    }
    void TearDown() override {
        painter.reset();
        SetActiveHousDocAccessor({});
        SetDocumentServices(m_previousServices);
        SceneTest::TearDown();
    }

    // The label moved to the point, the XOR pieces off while it moves.
    bool MoveLabel(draw::ImageDrawContext& image, const CVector2D& to) {
        const CPlanOverlay& overlay = painter->Overlay();
        painter->OnPrepareDC(image);
        overlay.DrawRubberBand(image, sketch, CPlanOverlay::kDrawRemembered);
        overlay.DrawCrosshair(image, to, CPlanOverlay::kDrawRemembered);
        sketch.cursor = to;
        const bool moved = overlay.MoveLengthLabel(image, sketch);
        overlay.DrawRubberBand(image, sketch, CPlanOverlay::kDrawNew);
        overlay.DrawCrosshair(image, to, CPlanOverlay::kDrawNew);
        return moved;
    }

    std::unique_ptr<CPlanPainter> painter;
    PlanSketch sketch;

private:
    std::vector<CVector2D> m_outline{{100, -100}, {300, -100}};
    CActiveDocumentServices m_services;
    IDocumentServices* m_previousServices = nullptr;
};

std::vector<uint8_t> Pixels(const draw::ImageDrawContext& image) {
    const uint8_t* data = image.Data();
    return std::vector<uint8_t>(data, data + size_t(image.Stride()) * size_t(image.Height()));
}

TEST_F(PlanOverlayTest, TheLabelMovesOnTheImageAsARepaintWouldDrawIt) {
    draw::ImageDrawContext image(340, 240);
    painter->DrawPlan(image, sketch);
    ASSERT_TRUE(MoveLabel(image, CVector2D(200, -160)));
    ASSERT_TRUE(MoveLabel(image, CVector2D(500, -60)));

    draw::ImageDrawContext fresh(340, 240);
    CPlanPainter(*doc).DrawPlan(fresh, sketch);
    EXPECT_EQ(Pixels(image), Pixels(fresh));
}

TEST_F(PlanOverlayTest, TheLabelStaysWhenTheImageNoLongerShowsIt) {
    draw::ImageDrawContext image(340, 240);
    painter->DrawPlan(image, sketch);
    // Another image painted since: what lies under this one's label is unknown.
    draw::ImageDrawContext other(340, 240);
    painter->DrawPlan(other, sketch);
    const std::vector<uint8_t> before = Pixels(image);
    EXPECT_FALSE(painter->Overlay().MoveLengthLabel(image, sketch));
    EXPECT_EQ(Pixels(image), before);

    // A repaint outside the tool leaves the record of a label it did not
    // draw; the image shows no such label.
    doc->SetEditMode(EditMode::kNone);
    painter->DrawPlan(other, sketch);
    doc->SetEditMode(EditMode::kWallDrawing);
    EXPECT_FALSE(painter->Overlay().MoveLengthLabel(other, sketch));
}

}  // namespace

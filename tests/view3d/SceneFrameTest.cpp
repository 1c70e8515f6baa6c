#include <gtest/gtest.h>

#include "FrameFixture.h"
#include "document/EditMode.h"
#include "objects/SceneServices.h"

namespace {

constexpr Rgb kRed = {255, 0, 0};

// A box that counts its deletions.
class CountedBox : public CTest3DObject {
public:
    explicit CountedBox(int* deletions) : CTest3DObject(kModelObjectType), m_deletions(deletions) {}
    ~CountedBox() override { ++*m_deletions; }

private:
    int* m_deletions;
};

class ViewFrameTest : public SceneFrameTest {
protected:
    // Draws a frame on black, then sets red as the colour the next frame
    // clears to: a red back buffer afterwards means a frame was drawn.
    void PrepareToSeeTheNextFrame() {
        renderer->GetEngine().SetClearColor(0, 0, 0);
        ASSERT_TRUE(renderer->RenderFrame());
        renderer->GetEngine().SetClearColor(255, 0, 0);
    }

    bool WasAFrameDrawn() {
        ReadBackBuffer();
        return Distance(BackBufferAt(2, 2), kRed) <= 2;
    }
};

TEST_F(ViewFrameTest, FrameShowsTheSceneBoxTheBackgroundAndTheAxisGlyph) {
    renderer->OnSize(kWindowWidth, kWindowHeight);
    EXPECT_EQ(g_pCurrentScene, &renderer->GetScene());
    EXPECT_EQ(renderer->GetScene().GetDocument(), doc.get());
    AddBox({0, -25, 0}, 8, kBoxColour);
    LookAtOriginFromTheFront();
    ASSERT_TRUE(renderer->RenderFrame());
    ReadBackBuffer();

    EXPECT_LE(FarthestAround({0, -25, -8}, kBoxColour, 6), 2);
    EXPECT_LE(Distance(BackBufferAt(2, 2), kBackground), 2);
    EXPECT_LE(Distance(BackBufferAt(1021, 2), kBackground), 2);
    // Above the box and off the ground's edge-on grid.
    EXPECT_LE(FarthestAround({0, 20, 0}, kBackground, 6), 2);
    EXPECT_TRUE(ColourNear(AxisLineMiddle(), kRed, 3));
}

TEST_F(ViewFrameTest, PrintingHidesTheAxisGlyph) {
    renderer->OnSize(kWindowWidth, kWindowHeight);
    LookAtOriginFromTheFront();
    doc->SetEditMode(EditMode::kPlanPrint);
    ASSERT_TRUE(renderer->RenderFrame());
    ReadBackBuffer();
    EXPECT_FALSE(ColourNear(AxisLineMiddle(), kRed, 3));
}

TEST_F(ViewFrameTest, OnlyTheFullRefreshHintPaints) {
    renderer->OnSize(kWindowWidth, kWindowHeight);
    const struct {
        int hint;
        bool paints;
    } cases[] = {
        {2100, true},  {2300, false}, {2301, false}, {901, false}, {932, false},
        {942, false},  {995, false},  {996, false},  {997, false}, {998, false},
        {2000, false}, {2001, false}, {0, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.hint);
        PrepareToSeeTheNextFrame();
        renderer->OnUpdate(c.hint);
        EXPECT_EQ(WasAFrameDrawn(), c.paints);
    }
}

TEST_F(ViewFrameTest, SizeWithoutAnAreaDrawsNothingUntilTheAreaComesBack) {
    renderer->OnSize(kWindowWidth, kWindowHeight);
    const struct {
        int width;
        int height;
    } sizes[] = {{0, kWindowHeight}, {kWindowWidth, 0}, {0, 0}};
    for (const auto& size : sizes) {
        SCOPED_TRACE(testing::Message() << size.width << " x " << size.height);
        PrepareToSeeTheNextFrame();
        renderer->OnSize(size.width, size.height);
        EXPECT_FALSE(renderer->RenderFrame());
        renderer->OnUpdate(kFullRefreshHint);
        EXPECT_FALSE(renderer->RenderFrameNoPresent(1.0f, 0.0f, 0.0f));
        EXPECT_FALSE(WasAFrameDrawn());

        renderer->OnSize(kWindowWidth, kWindowHeight);
        EXPECT_TRUE(WasAFrameDrawn()) << "a size with an area paints at once";
    }
}

TEST_F(ViewFrameTest, SuspendedPaintingLeavesTheWindowButNotCaptures) {
    renderer->OnSize(kWindowWidth, kWindowHeight);
    PrepareToSeeTheNextFrame();
    renderer->SetPaintingSuspended(true);
    renderer->OnUpdate(kFullRefreshHint);
    renderer->OnSize(kWindowWidth, kWindowHeight);
    EXPECT_FALSE(renderer->RenderFrame());
    EXPECT_FALSE(WasAFrameDrawn());

    EXPECT_TRUE(renderer->RenderFrameNoPresent(1.0f, 0.0f, 0.0f));
    EXPECT_TRUE(WasAFrameDrawn());

    renderer->SetPaintingSuspended(false);
    PrepareToSeeTheNextFrame();
    renderer->OnUpdate(kFullRefreshHint);
    EXPECT_TRUE(WasAFrameDrawn());
}

TEST_F(ViewFrameTest, ResetCameraReturnsToSolidDisplay) {
    renderer->OnSize(kWindowWidth, kWindowHeight);
    gfx::Device& device = *renderer->GetEngine().GetDevice();
    uint32_t fillMode = 0;
    EXPECT_FALSE(renderer->IsWireframe());

    renderer->SetWireframe(true);
    EXPECT_TRUE(renderer->IsWireframe());
    device.GetRenderState(gfx::RenderState::FillMode, &fillMode);
    EXPECT_EQ(fillMode, gfx::kFillWireframe);

    renderer->ResetCamera();
    EXPECT_FALSE(renderer->IsWireframe());
    device.GetRenderState(gfx::RenderState::FillMode, &fillMode);
    EXPECT_EQ(fillMode, gfx::kFillSolid);
}

TEST_F(ViewFrameTest, FirstSizeLoadsTheOverlayImages) {
    EXPECT_FALSE(renderer->GetOverlayImages().watermark.IsValid());
    renderer->OnSize(0, kWindowHeight);
    EXPECT_FALSE(renderer->GetOverlayImages().watermark.IsValid());
    EXPECT_EQ(renderer->GetScene().GetDocument(), nullptr);

    renderer->OnSize(kWindowWidth, kWindowHeight);
    EXPECT_TRUE(renderer->GetOverlayImages().watermark.IsValid());
    EXPECT_TRUE(renderer->GetOverlayImages().banner.IsValid());
}

TEST_F(ViewFrameTest, ClosingTheViewDeletesItsObjectsAndTakesBackTheDevice) {
    renderer->OnSize(kWindowWidth, kWindowHeight);
    int deletions = 0;
    auto* box = new CountedBox(&deletions);
    box->MakeBox({-5, -5, -5}, {5, 5, 5}, 1, renderer->GetEngine().GetDevice());
    renderer->GetScene().AddObjectIfAbsent(kModelObjectType, box);
    renderer.reset();
    EXPECT_EQ(deletions, 1);
    EXPECT_EQ(g_pCurrentScene, nullptr);
    EXPECT_EQ(g_pD3DDevice, nullptr);
}

}  // namespace

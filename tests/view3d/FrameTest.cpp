#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "ScriptedAdapter.h"
#include "ViewTestSupport.h"
#include "document/DocumentFixture.h"
#include "foundation/GeometryMath.h"
#include "platform/draw/DrawTypes.h"
#include "platform/gfx/Device.h"
#include "platform/gfx/EglOffscreenContext.h"
#include "view3d/HousViewRenderer.h"

namespace {

constexpr int kWindowWidth = 512;
constexpr int kWindowHeight = 384;
// The back buffer is 1024 x 768 whatever the window: twice the window here.
constexpr int kScale = 2;

struct Rgb {
    int r, g, b;
};

class FrameTest : public ViewDocumentTest {
protected:
    static void SetUpTestSuite() {
        s_context = gfx::EglOffscreenContext::Create(kWindowWidth, kWindowHeight, &s_error);
    }
    static void TearDownTestSuite() { s_context.reset(); }

    void SetUp() override {
        ViewDocumentTest::SetUp();
        ASSERT_TRUE(s_context) << s_error;
        // A 20 x 20 ground with a grid every 2, in yellow on the grey-blue
        // background.
        doc->Settings().length = 20;
        doc->Settings().width = 20;
        doc->Settings().gridGap = 2;
        doc->Settings().grid3DColor = draw::Rgb(255, 255, 0);
        // Without multisampling each line is one crisp pixel wide, so its
        // place can be checked to the pixel. (llvmpipe's multisampled lines
        // lose lines that run exactly through pixel centres.)
        script.sampleCounts = std::vector<gfx::MultisampleType>{};
        renderer = MakeRenderer();
    }
    void TearDown() override {
        renderer.reset();
        ViewDocumentTest::TearDown();
    }

    std::unique_ptr<CHousViewRenderer> MakeRenderer() {
        return std::make_unique<CHousViewRenderer>(*doc, *s_context,
                                                   ScriptedAdapterFactory(script));
    }

    Rgb BackBufferAt(int x, int y) const {
        const uint8_t* p = &m_pixels[(static_cast<size_t>(y) * 1024 + static_cast<size_t>(x)) * 4];
        return {p[2], p[1], p[0]};
    }

    // How far the pixel is from the colour, channel by channel.
    static int Distance(const Rgb& a, const Rgb& b) {
        return std::max({std::abs(a.r - b.r), std::abs(a.g - b.g), std::abs(a.b - b.b)});
    }

    // The largest distance to the colour among the back-buffer pixels
    // within a few pixels of where the world point projects.
    int FarthestAround(const gfx::Vector3& world, const Rgb& colour, int radius) const {
        const POINT window = renderer->GetCamera().ProjectToWindow(world.x, world.y, world.z);
        int farthest = 0;
        for (int dy = -radius; dy <= radius; ++dy) {
            for (int dx = -radius; dx <= radius; ++dx) {
                farthest = std::max(farthest, Distance(Pixel(window, dx, dy), colour));
            }
        }
        return farthest;
    }

    // How many pixels' worth of grid colour a run of pixels across the
    // line through the world point holds: 1 for a one-pixel line.
    double LineCoverage(const gfx::Vector3& world, bool runAcrossX, int radius) const {
        const POINT window = renderer->GetCamera().ProjectToWindow(world.x, world.y, world.z);
        double coverage = 0.0;
        for (int d = -radius; d <= radius; ++d) {
            // Blue goes from 200 on the background to 0 on the grid.
            const Rgb c = runAcrossX ? Pixel(window, d, 0) : Pixel(window, 0, d);
            coverage += std::clamp((200.0 - c.b) / 200.0, 0.0, 1.0);
        }
        return coverage;
    }

    Rgb Pixel(const POINT& window, int dx, int dy) const {
        const int x = std::clamp(window.x * kScale + dx, 0, 1023);
        const int y = std::clamp(window.y * kScale + dy, 0, 767);
        return BackBufferAt(x, y);
    }

    void ReadBackBuffer() {
        ASSERT_EQ(gfx::kOk, renderer->GetEngine().GetDevice()->GetBackBufferPixels(&m_pixels));
        ASSERT_EQ(m_pixels.size(), size_t{1024} * 768 * 4);
    }

    AdapterScript script;
    std::unique_ptr<CHousViewRenderer> renderer;

private:
    inline static std::unique_ptr<gfx::EglOffscreenContext> s_context;
    inline static std::string s_error;
    std::vector<uint8_t> m_pixels;
};

TEST_F(FrameTest, FirstSizeSetsUpTheDeviceOnlyWithAnArea) {
    renderer->OnSize(0, 300);
    EXPECT_TRUE(renderer->IsFirstSizePending());
    EXPECT_EQ(renderer->GetEngine().GetDevice(), nullptr);
    EXPECT_FALSE(renderer->RenderFrame());

    renderer->OnSize(kWindowWidth, kWindowHeight);
    EXPECT_FALSE(renderer->IsFirstSizePending());
    ASSERT_NE(renderer->GetEngine().GetDevice(), nullptr);
    EXPECT_EQ(g_pD3DDevice, renderer->GetEngine().GetDevice());
    EXPECT_EQ(renderer->GetEngine().GetGridLineCount(), 22);
    EXPECT_TRUE(renderer->RenderFrame());

    renderer->SetPaintingSuspended(true);
    EXPECT_FALSE(renderer->RenderFrame());

    renderer.reset();
    EXPECT_EQ(g_pD3DDevice, nullptr) << "the published device goes with the view";
}

TEST_F(FrameTest, ViewStartsWithTheBackgroundTheSettingsChose) {
    const struct {
        const char* bgColor;
        Rgb background;
    } cases[] = {
        {"0", {255, 255, 255}},
        {"1", {0, 0, 0}},
        {"2", {150, 150, 200}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.bgColor);
        renderer.reset();
        WriteBytes(SettingsPath(), std::string("[3DView]\r\nBG_COLOR=") + c.bgColor + "\r\n");
        doc = std::make_unique<CHousDoc>();
        renderer = MakeRenderer();
        renderer->OnSize(kWindowWidth, kWindowHeight);
        ASSERT_TRUE(renderer->RenderFrame());
        ReadBackBuffer();
        // The top corners show the sky, above the ground and its grid.
        EXPECT_LE(Distance(BackBufferAt(2, 2), c.background), 2);
        EXPECT_LE(Distance(BackBufferAt(1021, 2), c.background), 2);
    }
}

TEST_F(FrameTest, GridLinesAppearWhereTheirPointsProject) {
    renderer->OnSize(kWindowWidth, kWindowHeight);
    // Straight down on the middle of the grid from 30 above it.
    CHousViewCamera& camera = renderer->GetCamera();
    camera.SetCameraAngles(0.0, kPi / 2);
    camera.SetCameraPosition({10, 30, -10});
    camera.UpdateCamera();
    ASSERT_TRUE(renderer->RenderFrame());
    ReadBackBuffer();

    // Along every line, between the crossings. +x is to the right and +z up
    // in the picture.
    for (int k = 0; k <= 10; ++k) {
        const auto line = static_cast<float>(2 * k);
        for (float along : {1.0f, 7.0f, 13.0f, 19.0f}) {
            EXPECT_NEAR(LineCoverage({line, 0, -along}, true, 3), 1.0, 0.05) << "x = " << line;
            EXPECT_NEAR(LineCoverage({along, 0, -line}, false, 3), 1.0, 0.05) << "z = " << -line;
        }
    }
    const Rgb background = {150, 150, 200};
    // Nothing in the middle of a cell or outside the grid.
    for (float x : {1.0f, 9.0f, 19.0f}) {
        for (float z : {-1.0f, -11.0f, -19.0f}) {
            EXPECT_LE(FarthestAround({x, 0, z}, background, 6), 2) << x << ", " << z;
        }
    }
    EXPECT_LE(FarthestAround({-3, 0, -10}, background, 6), 2);
    EXPECT_LE(FarthestAround({23, 0, -10}, background, 6), 2);
    EXPECT_LE(FarthestAround({10, 0, 2}, background, 6), 2);
}

}  // namespace

TEST_F(FrameTest, ResetCameraScrollsThePlanBackToItsOrigin) {
    FakePlanView plan;
    doc->Attach2DView(&plan);
    renderer->ResetCamera();
    doc->Attach2DView(nullptr);
    EXPECT_EQ(plan.scrollResets, 1);
}

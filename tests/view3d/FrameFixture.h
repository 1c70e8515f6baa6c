#pragma once

// A 3D view renderer on an offscreen EGL context of 512 x 384, with a 20 x 20
// ground and a yellow grid every 2 on the grey-blue background, helpers that
// read the back buffer where world points project, and boxes to put in the
// scene.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "ScriptedAdapter.h"
#include "ViewTestSupport.h"
#include "document/ActiveDocumentServices.h"
#include "foundation/ActiveDocument.h"
#include "foundation/WinTypes.h"
#include "objects/DocumentServices.h"
#include "objects/ObjectTypeCodes.h"
#include "objects/Test3DObject.h"
#include "platform/draw/DrawTypes.h"
#include "platform/gfx/Device.h"
#include "platform/gfx/EglOffscreenContext.h"
#include "platform/gfx/VectorMath.h"
#include "view3d/AxisOverlay.h"
#include "view3d/HousViewRenderer.h"

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

// The frame test with design objects: the objects reach the document
// through the active-document services, and boxes glow in their own colour
// whatever the lights.
class SceneFrameTest : public FrameTest {
protected:
    void SetUp() override {
        FrameTest::SetUp();
        m_previousServices = SetDocumentServices(&m_services);
        SetActiveHousDocAccessor([this] { return doc.get(); });
    }
    void TearDown() override {
        // The scene deletes its objects while the services still answer.
        renderer.reset();
        SetActiveHousDocAccessor({});
        SetDocumentServices(m_previousServices);
        FrameTest::TearDown();
    }

    // A cube of the given half size around the centre, added to the scene
    // as a furniture model.
    CTest3DObject* AddBox(const gfx::Vector3& centre, float half, const Rgb& colour) {
        auto* box = new CTest3DObject(kModelObjectType);
        box->MakeBox({-half, -half, -half}, {half, half, half}, 1,
                     renderer->GetEngine().GetDevice());
        gfx::Material material;
        material.emissive = {colour.r / 255.0f, colour.g / 255.0f, colour.b / 255.0f, 1.0f};
        material.diffuse.a = 1.0f;
        box->SetMaterial(0, material);
        box->UpdateTranslucency();
        box->SetPosition(centre.x, centre.y, centre.z);
        box->UpdateWorldMatrix();
        renderer->GetScene().AddObjectIfAbsent(kModelObjectType, box);
        return box;
    }

    // Level with the origin, 100 in front of it, looking along +z.
    void LookAtOriginFromTheFront() {
        CHousViewCamera& camera = renderer->GetCamera();
        camera.SetCameraAngles(0.0, 0.0);
        camera.SetCameraPosition({0, 0, -100});
        camera.UpdateCamera();
    }

    // The window pixel where the world point lands in the frame.
    POINT WindowPointOf(const gfx::Vector3& world) const {
        return renderer->GetCamera().ProjectToWindow(world.x, world.y, world.z);
    }

    // True when some back-buffer pixel within the radius of where the world
    // point projects is within 40 of the colour.
    bool ColourNear(const gfx::Vector3& world, const Rgb& colour, int radius) const {
        const POINT window = WindowPointOf(world);
        for (int dy = -radius; dy <= radius; ++dy) {
            for (int dx = -radius; dx <= radius; ++dx) {
                if (Distance(Pixel(window, dx, dy), colour) <= 40) {
                    return true;
                }
            }
        }
        return false;
    }

    // The middle of the red axis line of the glyph for the current camera.
    gfx::Vector3 AxisLineMiddle() const {
        const AxisOverlayPoints points = ComputeAxisOverlayPoints(
            renderer->GetEngine().GetCamera(), CHousViewCamera::GetViewAngle(doc->Settings()),
            kWindowWidth, kWindowHeight);
        return (points.origin + points.xEnd) / 2.0f;
    }

    static constexpr Rgb kBoxColour = {40, 200, 120};
    static constexpr Rgb kBackground = {150, 150, 200};

private:
    CActiveDocumentServices m_services;
    IDocumentServices* m_previousServices = nullptr;
};

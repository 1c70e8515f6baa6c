#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

#include "ScriptedAdapter.h"
#include "ViewTestSupport.h"
#include "platform/gfx/EglOffscreenContext.h"
#include "platform/gfx/VectorMath.h"
#include "platform/gfx/VertexBuffer.h"
#include "view3d/D3DEngine.h"
#include "view3d/FatalExit.h"

namespace {

using gfx::Format;

class EngineTest : public ViewDocumentTest {
protected:
    static void SetUpTestSuite() { s_context = gfx::EglOffscreenContext::Create(64, 48, &s_error); }
    static void TearDownTestSuite() { s_context.reset(); }

    void SetUp() override {
        ViewDocumentTest::SetUp();
        ASSERT_TRUE(s_context) << s_error;
        SetFatalExitFunction([this](int status) { exitStatuses.push_back(status); });
    }
    void TearDown() override {
        SetFatalExitFunction({});
        ViewDocumentTest::TearDown();
    }

    // The back-buffer pixel at (x, y) as 0xRRGGBB.
    static uint32_t PixelAt(gfx::Device& device, int x, int y) {
        std::vector<uint8_t> pixels;
        EXPECT_EQ(gfx::kOk, device.GetBackBufferPixels(&pixels));
        const uint8_t* p = &pixels[(static_cast<size_t>(y) * CD3DEngine::kBackBufferWidth +
                                    static_cast<size_t>(x)) *
                                   4];
        return (uint32_t{p[2]} << 16) | (uint32_t{p[1]} << 8) | p[0];
    }

    static std::vector<gfx::Vector3> GridVertices(const CD3DEngine& engine) {
        gfx::VertexBuffer* buffer = engine.GetGridBuffer();
        std::vector<gfx::Vector3> vertices(buffer->GetSize() / sizeof(gfx::Vector3));
        void* data = nullptr;
        EXPECT_EQ(gfx::kOk, buffer->Lock(0, 0, &data, gfx::kLockReadOnly));
        std::memcpy(vertices.data(), data, buffer->GetSize());
        buffer->Unlock();
        return vertices;
    }

    inline static std::unique_ptr<gfx::EglOffscreenContext> s_context;
    inline static std::string s_error;
    std::vector<int> exitStatuses;
};

TEST_F(EngineTest, CreationFallsBackThroughFiveAttempts) {
    // One back-buffer format, no depth format, 4 samples only: attempt 1
    // takes D16; attempt 2 gets the empty second format (which no driver
    // takes) with no multisampling.
    const AdapterScript::Attempt all[5] = {
        {gfx::DeviceType::Hal, 64, Format::X8R8G8B8, Format::D16, 4, 0},
        {gfx::DeviceType::Hal, 64, Format::Unknown, Format::D16, 0, 0},
        {gfx::DeviceType::Hal, 64, Format::X8R8G8B8, Format::D24S8, 0, 0},
        {gfx::DeviceType::Hal, 64, Format::X8R8G8B8, Format::D16, 0, 0},
        {gfx::DeviceType::Ref, 64, Format::X8R8G8B8, Format::D24S8, 0, 0},
    };
    struct Case {
        int failing;
        size_t attempts;
        bool created;
    };
    for (const Case& c : {Case{0, 1, true}, Case{1, 3, true}, Case{2, 3, true}, Case{3, 4, true},
                          Case{4, 5, true}, Case{5, 5, false}}) {
        SCOPED_TRACE(c.failing);
        messages.clear();
        exitStatuses.clear();
        AdapterScript script;
        script.backBufferFormats = std::vector<Format>{Format::X8R8G8B8};
        script.depthFormats = std::vector<Format>{};
        script.sampleCounts = std::vector<gfx::MultisampleType>{4};
        script.failingAttempts = c.failing;
        CD3DEngine engine(ScriptedAdapterFactory(script));

        EXPECT_EQ(engine.CreateDevice(doc.get(), s_context.get()), c.created ? 1 : 0);
        EXPECT_EQ(engine.GetDevice() != nullptr, c.created);
        ASSERT_EQ(script.attempts.size(), c.attempts);
        for (size_t i = 0; i < c.attempts; ++i) {
            const AdapterScript::Attempt& got = script.attempts[i];
            EXPECT_EQ(got.type, all[i].type) << "attempt " << i + 1;
            EXPECT_EQ(got.behaviorFlags, all[i].behaviorFlags) << "attempt " << i + 1;
            EXPECT_EQ(got.format, all[i].format) << "attempt " << i + 1;
            EXPECT_EQ(got.depth, all[i].depth) << "attempt " << i + 1;
            EXPECT_EQ(got.samples, all[i].samples) << "attempt " << i + 1;
            EXPECT_EQ(got.quality, 0u) << "attempt " << i + 1;
        }
        if (c.created) {
            EXPECT_TRUE(messages.empty());
            EXPECT_TRUE(exitStatuses.empty());
            EXPECT_EQ(engine.GetPresentParameters().backBufferWidth, 1024u);
            EXPECT_EQ(engine.GetPresentParameters().backBufferHeight, 768u);
        } else {
            EXPECT_EQ(messages, std::vector<std::string>{"3D視窗顯示錯誤!"});
            ASSERT_EQ(exitStatuses.size(), 1u);
            EXPECT_NE(exitStatuses[0], 0);
        }
    }
}

TEST_F(EngineTest, DriverWithoutHardwareTransformForcesSoftwareProcessing) {
    struct Case {
        bool hardwareTransform;
        int requested;
        int supportedAfter, requestedAfter;
    };
    for (const Case& c :
         {Case{false, 64, 32, 32}, Case{true, 64, 64, 64}, Case{true, 32, 64, 32}}) {
        AdapterScript script;
        script.hardwareTransformAndLight = c.hardwareTransform;
        doc->Settings().hardware = c.requested;
        doc->SetDeviceCreationFlags(0);
        CD3DEngine engine(ScriptedAdapterFactory(script));
        ASSERT_EQ(engine.CreateDevice(doc.get(), s_context.get()), 1);
        EXPECT_EQ(doc->GetDeviceCreationFlags(), c.supportedAfter);
        EXPECT_EQ(doc->Settings().hardware, c.requestedAfter);
        ASSERT_FALSE(script.attempts.empty());
        EXPECT_EQ(script.attempts[0].behaviorFlags, static_cast<uint32_t>(c.requestedAfter));
        // The real driver lists D24S8 first.
        EXPECT_EQ(script.attempts[0].depth, Format::D24S8);
    }
}

TEST_F(EngineTest, MultisampleProbeRunsFrom16DownTo2) {
    struct Case {
        std::vector<gfx::MultisampleType> supported;
        int chosen;
    };
    const Case cases[] = {{{1}, 0}, {{2}, 2}, {{16, 8, 2}, 16}, {{3, 8}, 8}, {{}, 0}};
    for (const Case& c : cases) {
        AdapterScript script;
        script.sampleCounts = c.supported;
        CD3DEngine engine(ScriptedAdapterFactory(script));
        ASSERT_TRUE(engine.CreateDirect3D(*s_context));
        EXPECT_EQ(engine.GetMultisampleType(Format::X8R8G8B8), c.chosen);
        EXPECT_EQ(engine.IsMultisampleAvailable(), c.chosen != 0);
    }
}

TEST_F(EngineTest, NoAdapterEndsTheProcessWithAFailureStatus) {
    CD3DEngine engine([](gfx::RenderContext&) { return std::unique_ptr<IGraphicsAdapter>(); });
    EXPECT_EQ(engine.CreateDevice(doc.get(), s_context.get()), 0);
    EXPECT_EQ(messages, std::vector<std::string>{"無法開啟 Direct3D 裝置!"});
    EXPECT_EQ(exitStatuses, std::vector<int>{kFatalDeviceExitStatus});
    EXPECT_NE(kFatalDeviceExitStatus, 0);
}

TEST_F(EngineTest, LostDeviceIsResetAndTheWarningShownOnce) {
    CD3DEngine engine;
    ASSERT_EQ(engine.CreateDevice(doc.get(), s_context.get()), 1);
    gfx::Device& device = *engine.GetDevice();
    EXPECT_EQ(engine.CheckDevice(0, 0xFF102030), 1);

    device.MarkLost(true);
    EXPECT_EQ(engine.CheckDevice(0, 0xFF102030), 1);
    uint32_t ambient = 0;
    device.GetRenderState(gfx::RenderState::Ambient, &ambient);
    EXPECT_EQ(ambient, 0xFF102030u);
    EXPECT_TRUE(messages.empty());

    const std::vector<std::string> warning = {
        "3D裝置遺失, 請儘速將您的設計案存檔並重新啟動Velmora!"};
    device.MarkLost(false);
    EXPECT_EQ(engine.CheckDevice(0, 0xFF102030), 0);
    EXPECT_EQ(messages, warning);
    EXPECT_EQ(engine.CheckDevice(0, 0xFF102030), 0);
    EXPECT_EQ(messages, warning) << "one warning per run";

    device.MarkLost(true);
    EXPECT_EQ(engine.CheckDevice(0, 0xFF102030), 1);
    EXPECT_EQ(messages, warning);
}

TEST_F(EngineTest, ClearFallsBackToTheBuffersTheDeviceHas) {
    struct Case {
        const char* name;
        std::vector<Format> depth;
        bool withoutDepth;
        bool clearsWithoutColour;
    };
    const Case cases[] = {
        {"depth and stencil", {Format::D24S8}, false, true},
        {"depth only", {Format::D16}, false, true},
        {"no depth", {Format::D16}, true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        AdapterScript script;
        script.depthFormats = c.depth;
        script.withoutDepth = c.withoutDepth;
        CD3DEngine engine(ScriptedAdapterFactory(script));
        ASSERT_EQ(engine.CreateDevice(doc.get(), s_context.get()), 1);
        gfx::Device& device = *engine.GetDevice();

        engine.SetClearColor(10, 20, 30);
        EXPECT_EQ(engine.Clear(true), gfx::kOk);
        EXPECT_EQ(PixelAt(device, 5, 5), 0x0A141Eu);

        // Without colour the target is never touched, and without a depth
        // buffer there is nothing left to clear.
        engine.SetClearColor(200, 0, 0);
        EXPECT_EQ(gfx::Succeeded(engine.Clear(false)), c.clearsWithoutColour);
        EXPECT_EQ(PixelAt(device, 5, 5), 0x0A141Eu);
    }
}

TEST_F(EngineTest, GridOf20By20Step2Has22Lines) {
    CD3DEngine engine;
    ASSERT_EQ(engine.CreateDevice(doc.get(), s_context.get()), 1);
    ASSERT_EQ(engine.BuildGrid(20, 20, 2), 1);
    EXPECT_EQ(engine.GetGridLineCount(), 22);
    ASSERT_NE(engine.GetGridBuffer(), nullptr);
    EXPECT_EQ(engine.GetGridBuffer()->GetSize(), 528u);
    EXPECT_EQ(engine.GetGridBuffer()->GetFvf(), gfx::kFvfXyz);

    const std::vector<gfx::Vector3> v = GridVertices(engine);
    ASSERT_EQ(v.size(), 44u);
    // Lines along z at x = 0, 2 ... 20, then lines along x at z = 0, -2 ... -20.
    for (int k = 0; k <= 10; ++k) {
        const auto step = static_cast<float>(2 * k);
        EXPECT_TRUE((v[2 * k] == gfx::Vector3{step, 0, -20})) << k;
        EXPECT_TRUE((v[2 * k + 1] == gfx::Vector3{step, 0, 0})) << k;
        EXPECT_TRUE((v[22 + 2 * k] == gfx::Vector3{0, 0, -step})) << k;
        EXPECT_TRUE((v[22 + 2 * k + 1] == gfx::Vector3{20, 0, -step})) << k;
    }

    // Non-positive length and width keep the stored ones.
    ASSERT_EQ(engine.BuildGrid(0, -5, 4), 1);
    EXPECT_EQ(engine.GetGridLineCount(), 12);
    GridSettings grid;
    engine.GetGridSettings(&grid);
    EXPECT_EQ(grid.length, 20.0f);
    EXPECT_EQ(grid.width, 20.0f);
    EXPECT_EQ(grid.step, 4.0f);
}

TEST_F(EngineTest, RefusedGridStepsKeepTheStoredGrid) {
    CD3DEngine engine;
    ASSERT_EQ(engine.CreateDevice(doc.get(), s_context.get()), 1);
    ASSERT_EQ(engine.BuildGrid(20, 20, 2), 1);
    gfx::VertexBuffer* built = engine.GetGridBuffer();
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    struct Case {
        float length, width, step;
    };
    for (const Case& c : {Case{20, 20, 0}, Case{20, 20, -1}, Case{nan, 20, 2}, Case{20, inf, 2},
                          Case{20, 20, nan}, Case{20, 20, inf}}) {
        EXPECT_EQ(engine.BuildGrid(c.length, c.width, c.step), 0)
            << c.length << " " << c.width << " " << c.step;
        EXPECT_EQ(engine.GetGridBuffer(), built);
        EXPECT_EQ(engine.GetGridLineCount(), 22);
        GridSettings grid;
        engine.GetGridSettings(&grid);
        EXPECT_EQ(grid.length, 20.0f);
        EXPECT_EQ(grid.width, 20.0f);
        EXPECT_EQ(grid.step, 2.0f);
    }
    EXPECT_TRUE(messages.empty());
}

TEST_F(EngineTest, TinyGridStepIsCappedPerDirection) {
    CD3DEngine engine;
    ASSERT_EQ(engine.CreateDevice(doc.get(), s_context.get()), 1);
    ASSERT_EQ(engine.BuildGrid(3000, 1000, 0.001f), 1);
    EXPECT_EQ(engine.GetGridLineCount(), 2 * CD3DEngine::kMaxGridLinesPerDirection);
    EXPECT_EQ(engine.GetGridBuffer()->GetSize(), 2u * CD3DEngine::kMaxGridLinesPerDirection * 24u);
}

TEST_F(EngineTest, OverlayBuffersHoldTheAxisLineAndThePrism) {
    CD3DEngine engine;
    ASSERT_EQ(engine.CreateDevice(doc.get(), s_context.get()), 1);
    engine.CreateOverlayBuffers();
    ASSERT_NE(engine.GetOverlayLineBuffer(), nullptr);
    ASSERT_NE(engine.GetOverlayShapeBuffer(), nullptr);
    EXPECT_EQ(engine.GetOverlayLineBuffer()->GetSize(), 24u);
    EXPECT_EQ(engine.GetOverlayShapeBuffer()->GetSize(), 2688u);
    EXPECT_EQ(engine.GetOverlayShapeBuffer()->GetFvf(), 0x112u);
}

TEST_F(EngineTest, PreviewDeviceHasOneDimPointLight) {
    CD3DEngine engine;
    ASSERT_EQ(engine.CreateForWindow(s_context.get()), 1);
    gfx::Device& device = *engine.GetDevice();
    bool enabled = false;
    device.GetLightEnable(0, &enabled);
    EXPECT_TRUE(enabled);
    gfx::Light light;
    device.GetLight(0, &light);
    EXPECT_EQ(light.type, gfx::LightType::Point);
    EXPECT_EQ(light.position.y, 300.0f);
    EXPECT_EQ(light.range, 500.0f);
    uint32_t ambient = 0;
    device.GetRenderState(gfx::RenderState::Ambient, &ambient);
    EXPECT_EQ(ambient, 0xFF505050u);
    EXPECT_EQ(engine.GetPresentParameters().autoDepthStencilFormat, Format::D16);
}

}  // namespace

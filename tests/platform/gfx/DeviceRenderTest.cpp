#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <numbers>

#include "DeviceFixture.h"
#include "platform/gfx/MatrixMath.h"
#include "platform/gfx/Texture.h"
#include "platform/gfx/VertexBuffer.h"

namespace gfx::test {
namespace {

TEST_F(DeviceTest, ClearColourReachesBackBufferAndWindow) {
    ASSERT_EQ(kOk, m_device->Clear(kClearTarget | kClearZBuffer | kClearStencil,
                                   ColorArgb(255, 150, 150, 200), 1.0f, 0));
    EXPECT_TRUE(Near(At(ReadBack(), 0.0f, 0.0f), {150, 150, 200}, 0));

    // The 64 x 48 back buffer is stretched over the 32 x 24 window.
    ASSERT_EQ(kOk, m_device->Present());
    const std::vector<uint8_t> window = s_context->ReadWindowPixels();
    EXPECT_TRUE(Near(At(window, -0.9f, 0.9f, 32, 24), {150, 150, 200}, 0));
    EXPECT_TRUE(Near(At(window, 0.9f, -0.9f, 32, 24), {150, 150, 200}, 0));
}

TEST_F(DeviceTest, ClockwiseTrianglesFaceTheViewer) {
    UseScreenSpace();
    const std::vector<ColorVertex> clockwise = {
        {-0.5f, -0.5f, 0.5f, kRed}, {0.0f, 0.5f, 0.5f, kRed}, {0.5f, -0.5f, 0.5f, kRed}};
    const std::vector<ColorVertex> counterClockwise = {clockwise[0], clockwise[2], clockwise[1]};
    struct Case {
        uint32_t cull;
        bool clockwiseShown;
        bool counterClockwiseShown;
    };
    for (const Case& c :
         {Case{kCullCcw, true, false}, Case{kCullCw, false, true}, Case{kCullNone, true, true}}) {
        SCOPED_TRACE(c.cull);
        m_device->SetRenderState(RenderState::CullMode, c.cull);
        for (bool isClockwise : {true, false}) {
            m_device->Clear(kClearTarget | kClearZBuffer, 0xFF000000, 1.0f, 0);
            DrawTriangles(isClockwise ? clockwise : counterClockwise);
            const std::vector<uint8_t> pixels = ReadBack();
            const bool shown = isClockwise ? c.clockwiseShown : c.counterClockwiseShown;
            EXPECT_TRUE(Near(At(pixels, 0.0f, 0.0f), shown ? kRgbRed : kRgbBlack));
            // Outside the triangle, beside its slanted edge.
            EXPECT_TRUE(Near(At(pixels, -0.4f, 0.3f), kRgbBlack));
        }
    }
}

TEST_F(DeviceTest, DepthRunsFromZeroToOne) {
    UseScreenSpace();
    m_device->Clear(kClearTarget | kClearZBuffer, 0xFF000000, 1.0f, 0);
    // Nearer green drawn first, farther red after: red must lose.
    DrawTriangles(Quad(-1.0f, -1.0f, 0.0f, 1.0f, 0.2f, kGreen));
    DrawTriangles(Quad(-1.0f, -1.0f, 0.0f, 1.0f, 0.8f, kRed));
    // Depth below 0 lies in front of the near plane and is clipped away (it
    // would be visible with GL's -1..1 range).
    DrawTriangles(Quad(0.0f, -1.0f, 1.0f, 1.0f, -0.5f, kRed));
    const std::vector<uint8_t> pixels = ReadBack();
    EXPECT_TRUE(Near(At(pixels, -0.5f, 0.0f), kRgbGreen));
    EXPECT_TRUE(Near(At(pixels, 0.5f, 0.0f), kRgbBlack));
}

// Mirror images are cut by planes given in world coordinates, whatever the
// view: here the view shifts the world right by a quarter of the screen.
TEST_F(DeviceTest, ClipPlanesCutInWorldSpace) {
    UseScreenSpace();
    ASSERT_EQ(kOk, m_device->SetTransform(TransformType::View, MatrixTranslation(0.5f, 0, 0)));
    ASSERT_EQ(kOk, m_device->SetClipPlane(0, {1.0f, 0.0f, 0.0f, 0.0f}));
    m_device->SetRenderState(RenderState::ClipPlaneEnable, 1);
    m_device->Clear(kClearTarget | kClearZBuffer, 0xFF000000, 1.0f, 0);
    DrawTriangles(Quad(-1.5f, -1.0f, 1.0f, 1.0f, 0.5f, kRed));
    std::vector<uint8_t> pixels = ReadBack();
    EXPECT_TRUE(Near(At(pixels, 0.25f, 0.0f), kRgbBlack));  // world x = -0.25
    EXPECT_TRUE(Near(At(pixels, 0.75f, 0.0f), kRgbRed));    // world x = 0.25

    m_device->SetRenderState(RenderState::ClipPlaneEnable, 0);
    DrawTriangles(Quad(-1.5f, -1.0f, 1.0f, 1.0f, 0.5f, kGreen));
    EXPECT_TRUE(Near(At(ReadBack(), 0.25f, 0.0f), kRgbGreen));
}

TEST_F(DeviceTest, DirectionalLightAtSixtyDegreesGivesHalfDiffuse) {
    // A quad facing the viewer (normal -z), lit by a white light whose
    // direction makes 60 degrees with the way back along the normal.
    const std::vector<LitVertex> quad = {{-1, -1, 0.5f, 0, 0, -1}, {-1, 1, 0.5f, 0, 0, -1},
                                         {1, 1, 0.5f, 0, 0, -1},   {-1, -1, 0.5f, 0, 0, -1},
                                         {1, 1, 0.5f, 0, 0, -1},   {1, -1, 0.5f, 0, 0, -1}};
    VertexBuffer* buffer = nullptr;
    ASSERT_EQ(kOk, m_device->CreateVertexBuffer(sizeof(LitVertex) * 6, 0, kLitVertexFvf,
                                                Pool::Managed, &buffer));
    void* data = nullptr;
    ASSERT_EQ(kOk, buffer->Lock(0, 0, &data, 0));
    std::memcpy(data, quad.data(), sizeof(LitVertex) * 6);
    ASSERT_EQ(kOk, buffer->Unlock());

    const float angle = std::numbers::pi_v<float> / 3.0f;
    Light light;
    light.type = LightType::Directional;
    light.diffuse = {1, 1, 1, 1};
    light.direction = {0.0f, -std::sin(angle), std::cos(angle)};
    Material material;
    material.diffuse = {1, 1, 1, 1};
    ASSERT_EQ(kOk, m_device->SetLight(0, light));
    ASSERT_EQ(kOk, m_device->LightEnable(0, true));
    ASSERT_EQ(kOk, m_device->SetMaterial(material));
    m_device->SetFVF(kLitVertexFvf);
    m_device->SetStreamSource(0, buffer, 0, sizeof(LitVertex));
    m_device->Clear(kClearTarget | kClearZBuffer, 0xFF000000, 1.0f, 0);
    ASSERT_EQ(kOk, m_device->DrawPrimitive(PrimitiveType::TriangleList, 0, 2));
    EXPECT_TRUE(Near(At(ReadBack(), 0.0f, 0.0f), {128, 128, 128}, 2));
    buffer->Release();
}

// The shadow pass decrements the stencil of clockwise faces and increments
// that of counter-clockwise ones with wrapping operations; the overlay then
// darkens every pixel whose stencil is at least 1.
TEST_F(DeviceTest, TwoSidedWrappingStencilMarksPixels) {
    ASSERT_EQ(8, m_device->GetStencilBits());
    UseScreenSpace();
    m_device->Clear(kClearTarget | kClearZBuffer | kClearStencil, 0xFF000000, 1.0f, 0);
    m_device->SetRenderState(RenderState::ColorWriteEnable, 0);
    m_device->SetRenderState(RenderState::StencilEnable, 1);
    m_device->SetRenderState(RenderState::StencilPass, kStencilOpDecr);
    m_device->SetRenderState(RenderState::TwoSidedStencilMode, 1);
    m_device->SetRenderState(RenderState::CcwStencilPass, kStencilOpIncr);
    m_device->SetRenderState(RenderState::CullMode, kCullNone);
    DrawTriangles(Quad(-1.0f, -1.0f, -0.5f, 1.0f, 0.5f, kRed));  // clockwise: 0 - 1 = 255
    std::vector<ColorVertex> right = Quad(0.5f, -1.0f, 1.0f, 1.0f, 0.5f, kRed);
    std::swap(right[1], right[2]);
    std::swap(right[4], right[5]);
    DrawTriangles(right);  // counter-clockwise: 0 + 1 = 1
    m_device->SetRenderState(RenderState::TwoSidedStencilMode, 0);
    m_device->SetRenderState(RenderState::ColorWriteEnable, 0xF);
    m_device->SetRenderState(RenderState::StencilPass, kStencilOpKeep);

    m_device->SetRenderState(RenderState::StencilFunc, kCmpEqual);
    m_device->SetRenderState(RenderState::StencilRef, 255);
    DrawTriangles(Quad(-1.0f, -1.0f, 1.0f, 1.0f, 0.5f, kRed));
    m_device->SetRenderState(RenderState::StencilRef, 1);
    DrawTriangles(Quad(-1.0f, -1.0f, 1.0f, 1.0f, 0.5f, kGreen));
    std::vector<uint8_t> pixels = ReadBack();
    EXPECT_TRUE(Near(At(pixels, -0.75f, 0.0f), kRgbRed));
    EXPECT_TRUE(Near(At(pixels, 0.75f, 0.0f), kRgbGreen));
    EXPECT_TRUE(Near(At(pixels, 0.0f, 0.0f), kRgbBlack));

    // Reference 1 with LESSEQUAL passes both marks, not the untouched middle.
    m_device->SetRenderState(RenderState::StencilFunc, kCmpLessEqual);
    DrawTriangles(Quad(-1.0f, -1.0f, 1.0f, 1.0f, 0.5f, kBlue));
    pixels = ReadBack();
    EXPECT_TRUE(Near(At(pixels, -0.75f, 0.0f), {0, 0, 255}));
    EXPECT_TRUE(Near(At(pixels, 0.75f, 0.0f), {0, 0, 255}));
    EXPECT_TRUE(Near(At(pixels, 0.0f, 0.0f), kRgbBlack));
}

TEST_F(DeviceTest, MultisamplingSmoothsEdges) {
    ASSERT_GT(m_device->GetBackBufferSamples(), 1);
    UseScreenSpace();
    m_device->Clear(kClearTarget | kClearZBuffer, 0xFF000000, 1.0f, 0);
    DrawTriangles({{-1.0f, -1.0f, 0.5f, 0xFFFFFFFF},
                   {-1.0f, 1.0f, 0.5f, 0xFFFFFFFF},
                   {0.9f, 1.0f, 0.5f, 0xFFFFFFFF}});
    const std::vector<uint8_t> pixels = ReadBack();
    int partial = 0;
    for (size_t i = 0; i < pixels.size(); i += 4) {
        partial += pixels[i + 1] > 0 && pixels[i + 1] < 255 ? 1 : 0;
    }
    EXPECT_GT(partial, 20);
}

TEST_F(DeviceTest, TextureIsSampledTopRowFirstAndFreedOnce) {
    // 2 x 2 texels: top row red, green; bottom row blue, white.
    const uint32_t texels[4] = {kRed, kGreen, kBlue, 0xFFFFFFFF};
    Texture* texture = nullptr;
    ASSERT_EQ(kOk, m_device->CreateTextureFromPixels(2, 2, texels, 0, Format::A8R8G8B8, &texture));
    EXPECT_EQ(2u, texture->GetLevelCount());
    EXPECT_EQ(2u, texture->AddRef());
    EXPECT_EQ(3u, texture->AddRef());
    EXPECT_EQ(2u, texture->Release());
    EXPECT_EQ(1u, texture->Release());

    // Bound, the device holds a reference of its own.
    ASSERT_EQ(kOk, m_device->SetTexture(0, texture));
    EXPECT_EQ(1u, texture->Release());

    const std::vector<MeshVertex> quad = {
        {-1, -1, 0.5f, 0, 0, -1, 0, 1}, {-1, 1, 0.5f, 0, 0, -1, 0, 0},
        {1, 1, 0.5f, 0, 0, -1, 1, 0},   {-1, -1, 0.5f, 0, 0, -1, 0, 1},
        {1, 1, 0.5f, 0, 0, -1, 1, 0},   {1, -1, 0.5f, 0, 0, -1, 1, 1}};
    m_device->SetRenderState(RenderState::Lighting, 0);
    m_device->SetTextureStageState(0, TextureStageState::ColorOp, kTopSelectArg1);
    m_device->SetFVF(kMeshVertexFvf);
    m_device->Clear(kClearTarget | kClearZBuffer, 0xFF000000, 1.0f, 0);
    ASSERT_EQ(kOk, m_device->DrawPrimitiveUP(PrimitiveType::TriangleList, 2, quad.data(),
                                             sizeof(MeshVertex)));
    const std::vector<uint8_t> pixels = ReadBack();
    EXPECT_TRUE(Near(At(pixels, -0.5f, 0.5f), kRgbRed));
    EXPECT_TRUE(Near(At(pixels, 0.5f, 0.5f), kRgbGreen));
    EXPECT_TRUE(Near(At(pixels, -0.5f, -0.5f), {0, 0, 255}));

    // Unbound, the stage passes the vertex colour (white) through.
    ASSERT_EQ(kOk, m_device->SetTexture(0, nullptr));
    m_device->Clear(kClearTarget | kClearZBuffer, 0xFF000000, 1.0f, 0);
    m_device->DrawPrimitiveUP(PrimitiveType::TriangleList, 2, quad.data(), sizeof(MeshVertex));
    EXPECT_TRUE(Near(At(ReadBack(), -0.5f, 0.5f), {255, 255, 255}));
}

// The device sends a stage's texture and combiner only when they change: a
// texture freed and replaced (GL may hand its name to the new one), a
// material set again to the same value and a stage switched off and on
// again must all still show in the next draw.
TEST_F(DeviceTest, DrawsFollowTexturesStagesAndMaterialsSetBetweenThem) {
    const std::vector<MeshVertex> quad = {
        {-1, -1, 0.5f, 0, 0, -1, 0, 1}, {-1, 1, 0.5f, 0, 0, -1, 0, 0},
        {1, 1, 0.5f, 0, 0, -1, 1, 0},   {-1, -1, 0.5f, 0, 0, -1, 0, 1},
        {1, 1, 0.5f, 0, 0, -1, 1, 0},   {1, -1, 0.5f, 0, 0, -1, 1, 1}};
    auto textureOf = [this](uint32_t colour) {
        Texture* texture = nullptr;
        EXPECT_EQ(kOk,
                  m_device->CreateTextureFromPixels(1, 1, &colour, 1, Format::A8R8G8B8, &texture));
        return texture;
    };
    auto centreAfterDraw = [&] {
        m_device->Clear(kClearTarget | kClearZBuffer, 0xFF000000, 1.0f, 0);
        m_device->BeginScene();
        EXPECT_EQ(kOk, m_device->DrawPrimitiveUP(PrimitiveType::TriangleList, 2, quad.data(),
                                                 sizeof(MeshVertex)));
        m_device->EndScene();
        return At(ReadBack(), 0.0f, 0.0f);
    };
    m_device->SetRenderState(RenderState::Lighting, 1);
    m_device->SetRenderState(RenderState::Ambient, 0xFFFFFFFF);
    m_device->SetTextureStageState(0, TextureStageState::ColorOp, kTopModulate);
    m_device->SetFVF(kMeshVertexFvf);
    Material white;
    white.ambient = {1, 1, 1, 1};
    white.diffuse.a = 1;
    m_device->SetMaterial(white);

    Texture* red = textureOf(kRed);
    m_device->SetTexture(0, red);
    red->Release();
    EXPECT_TRUE(Near(centreAfterDraw(), kRgbRed));
    m_device->SetTexture(0, nullptr);
    Texture* green = textureOf(kGreen);
    m_device->SetTexture(0, green);
    green->Release();
    EXPECT_TRUE(Near(centreAfterDraw(), kRgbGreen));

    Material blue = white;
    blue.ambient = {0, 0, 1, 1};
    m_device->SetMaterial(blue);
    m_device->SetTexture(0, nullptr);
    EXPECT_TRUE(Near(centreAfterDraw(), {0, 0, 255}));
    m_device->SetMaterial(blue);
    m_device->SetTextureStageState(0, TextureStageState::ColorOp, kTopDisable);
    m_device->SetTextureStageState(0, TextureStageState::ColorOp, kTopModulate);
    EXPECT_TRUE(Near(centreAfterDraw(), {0, 0, 255}));
    m_device->SetMaterial(white);
    EXPECT_TRUE(Near(centreAfterDraw(), {255, 255, 255}));
}

// Every byte differs from its neighbours, alpha included, so a flipped,
// shifted or channel-swapped write shows.
std::vector<uint8_t> Pattern(uint32_t width, uint32_t height) {
    std::vector<uint8_t> pixels;
    for (uint32_t y = 0; y < height; ++y) {
        for (uint32_t x = 0; x < width; ++x) {
            pixels.insert(pixels.end(),
                          {static_cast<uint8_t>(x * 4), static_cast<uint8_t>(y * 5),
                           static_cast<uint8_t>(x + y * 3), static_cast<uint8_t>(255 - x - y)});
        }
    }
    return pixels;
}

TEST_F(DeviceTest, WrittenBackBufferPixelsReadBackEqual) {
    for (MultisampleType samples : {MultisampleType{0}, BestSampleCount()}) {
        SCOPED_TRACE(samples);
        ASSERT_EQ(kOk, CreateDevice(Format::D24S8, samples));
        const std::vector<uint8_t> pattern = Pattern(kWidth, kHeight);
        ASSERT_EQ(kOk, m_device->SetBackBufferPixels(pattern));
        EXPECT_EQ(ReadBack(), pattern);

        std::vector<uint8_t> wrong = pattern;
        wrong.pop_back();
        EXPECT_EQ(kErrInvalidCall, m_device->SetBackBufferPixels(wrong));
        wrong.resize(pattern.size() + 4);
        EXPECT_EQ(kErrInvalidCall, m_device->SetBackBufferPixels(wrong));
        EXPECT_EQ(kErrInvalidCall, m_device->SetBackBufferPixels({}));
        EXPECT_EQ(ReadBack(), pattern);
    }
}

// A write between draws must leave the device as it was: the depth buffer,
// viewport, write mask, transforms and bound texture all still apply.
TEST_F(DeviceTest, DrawAfterWritingPixelsKeepsTheDeviceState) {
    const uint32_t texel = ColorArgb(255, 200, 100, 50);
    Texture* texture = nullptr;
    ASSERT_EQ(kOk, m_device->CreateTextureFromPixels(1, 1, &texel, 1, Format::A8R8G8B8, &texture));
    ASSERT_EQ(kOk, m_device->SetTexture(0, texture));
    texture->Release();
    m_device->SetRenderState(RenderState::Lighting, 0);
    m_device->SetTextureStageState(0, TextureStageState::ColorOp, kTopSelectArg1);
    m_device->SetFVF(kMeshVertexFvf);
    m_device->Clear(kClearZBuffer, 0, 0.5f, 0);
    ASSERT_EQ(kOk, m_device->SetViewport({0, 0, kWidth / 2, kHeight, 0.0f, 1.0f}));
    m_device->SetRenderState(RenderState::ColorWriteEnable, kColorWriteRed | kColorWriteAlpha);
    // Halves the quad's width inside the left-half viewport.
    ASSERT_EQ(kOk, m_device->SetTransform(TransformType::World, MatrixScaling(0.5f, 1.0f, 1.0f)));

    auto drawQuad = [this](float z) {
        const std::vector<MeshVertex> quad = {
            {-1, -1, z, 0, 0, -1, 0, 1}, {-1, 1, z, 0, 0, -1, 0, 0}, {1, 1, z, 0, 0, -1, 1, 0},
            {-1, -1, z, 0, 0, -1, 0, 1}, {1, 1, z, 0, 0, -1, 1, 0},  {1, -1, z, 0, 0, -1, 1, 1}};
        ASSERT_EQ(kOk, m_device->DrawPrimitiveUP(PrimitiveType::TriangleList, 2, quad.data(),
                                                 sizeof(MeshVertex)));
    };
    // A draw first, so that the states have reached GL before the write;
    // the farther quad fails the depth test.
    drawQuad(0.8f);
    ASSERT_EQ(kOk, m_device->SetBackBufferPixels(
                       std::vector<uint8_t>(std::size_t{kWidth} * kHeight * 4, 64)));
    drawQuad(0.8f);
    drawQuad(0.2f);
    const std::vector<uint8_t> pixels = ReadBack();
    EXPECT_TRUE(Near(At(pixels, -0.5f, 0.0f), {200, 64, 64}, 0));  // centre of the viewport
    EXPECT_TRUE(Near(At(pixels, -0.9f, 0.0f), {64, 64, 64}, 0));   // beside the scaled quad
    EXPECT_TRUE(Near(At(pixels, 0.5f, 0.0f), {64, 64, 64}, 0));    // outside the viewport
}

}  // namespace
}  // namespace gfx::test

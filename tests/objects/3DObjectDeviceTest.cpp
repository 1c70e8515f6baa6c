#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <vector>

#include "FakeDocumentServices.h"
#include "FakeSceneServices.h"
#include "OffscreenDevice.h"
#include "Test3DObject.h"
#include "foundation/GeometryMath.h"
#include "objects/MaterialRecord.h"
#include "objects/ObjectTypeCodes.h"
#include "platform/gfx/MatrixMath.h"
#include "platform/gfx/TextureBmp.h"

namespace {

class C3DObjectDeviceTest : public OffscreenDeviceTest {
protected:
    // A material that shows its own glow whatever the lights.
    static gfx::Material Glowing(float r, float g, float b, float alpha) {
        gfx::Material material;
        material.emissive = {r, g, b, 1};
        material.diffuse.a = alpha;
        return material;
    }

    void ColourObject(CTest3DObject& object, const gfx::Material& material) {
        for (int i = 0; i < object.GetMaterialCount(); ++i) {
            object.SetMaterial(i, material);
        }
        object.UpdateTranslucency();
    }

    // BGR of the pixel at the centre of the back buffer.
    std::array<int, 3> CentrePixel() {
        std::vector<uint8_t> pixels;
        EXPECT_EQ(gfx::kOk, m_device->GetBackBufferPixels(&pixels));
        const uint8_t* p = &pixels[(16 * 32 + 16) * 4];
        return {p[2], p[1], p[0]};
    }

    uint32_t State(gfx::RenderState state) {
        uint32_t value = 0;
        m_device->GetRenderState(state, &value);
        return value;
    }
};

}  // namespace

TEST_F(C3DObjectDeviceTest, GreyCopyTakesTheLightnessOfEachPixel) {
    gfx::Texture* source = MakeTexture(8, 4, 0x204060);
    std::vector<uint8_t> bitmap;
    ASSERT_EQ(gfx::kOk, gfx::SaveTextureToBmp(source, &bitmap));
    CTest3DObject object;
    object.SetDevice(m_device.get());
    const gfx::ResourceRef<gfx::Texture> grey = object.MakeGreyTexture(bitmap);
    ASSERT_TRUE(grey);
    const std::vector<uint32_t> before = Pixels(source);
    const std::vector<uint32_t> after = Pixels(grey.Get());
    ASSERT_EQ(after.size(), before.size());
    for (std::size_t i = 0; i < before.size(); ++i) {
        const uint32_t r = (before[i] >> 16) & 0xFF;
        const uint32_t g = (before[i] >> 8) & 0xFF;
        const uint32_t b = before[i] & 0xFF;
        const uint32_t lightness = (std::max({r, g, b}) + std::min({r, g, b})) / 2;
        EXPECT_EQ(after[i] & 0xFFFFFF, lightness * 0x010101u) << i;
    }

    // Too short, or fewer pixel bytes than the header claims: nothing.
    EXPECT_FALSE(object.MakeGreyTexture(std::vector<uint8_t>(bitmap.begin(), bitmap.begin() + 54)));
    std::vector<uint8_t> truncated(bitmap.begin(), bitmap.end() - 4);
    EXPECT_FALSE(object.MakeGreyTexture(truncated));

    gfx::ResourceRef<gfx::Texture> normalMap;
    gfx::ResourceRef<gfx::Texture> greyOut;
    object.CreateBumpTexture(source, &normalMap, &greyOut);
    ASSERT_TRUE(normalMap);
    EXPECT_TRUE(greyOut);
    EXPECT_EQ(normalMap.Get()->GetWidth(0), 8u);
    source->Release();
}

namespace {

struct Rgb8 {
    uint8_t r, g, b;
};

constexpr int kFixtureWidth = 3;
constexpr int kFixtureRows = 2;

void Put(std::vector<uint8_t>& out, uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) {
        out.push_back(static_cast<uint8_t>(value >> (8 * i)));
    }
}

// A 3 x 2 BMP file whose pixels, top row first, are palette[pixels[i]]: a
// colour table at 1, 4 and 8 bits, 5-5-5 pixels at 16, colour bytes above.
// The odd width makes every depth pad its rows.
std::vector<uint8_t> MakeFixtureBmp(int bits, bool topDown, const std::vector<Rgb8>& palette,
                                    const std::array<int, 6>& pixels) {
    const uint32_t stride = ((kFixtureWidth * bits + 31) / 32) * 4;
    const uint32_t tableSize = bits <= 8 ? static_cast<uint32_t>(palette.size()) * 4 : 0;
    const uint32_t pixelOffset = 54 + tableSize;
    std::vector<uint8_t> out = {'B', 'M'};
    Put(out, pixelOffset + stride * kFixtureRows, 4);
    Put(out, 0, 4);
    Put(out, pixelOffset, 4);
    Put(out, 40, 4);
    Put(out, kFixtureWidth, 4);
    Put(out, static_cast<uint32_t>(topDown ? -kFixtureRows : kFixtureRows), 4);
    Put(out, 1, 2);
    Put(out, static_cast<uint32_t>(bits), 2);
    Put(out, 0, 4);  // BI_RGB
    Put(out, stride * kFixtureRows, 4);
    Put(out, 0, 8);
    Put(out, tableSize / 4, 4);
    Put(out, 0, 4);
    for (uint32_t i = 0; i < tableSize / 4; ++i) {
        out.insert(out.end(), {palette[i].b, palette[i].g, palette[i].r, 0});
    }
    for (int stored = 0; stored < kFixtureRows; ++stored) {
        const int row = topDown ? stored : kFixtureRows - 1 - stored;
        std::vector<uint8_t> line(stride, 0);
        for (int x = 0; x < kFixtureWidth; ++x) {
            const int index = pixels[static_cast<std::size_t>(row * kFixtureWidth + x)];
            const Rgb8 c = palette[static_cast<std::size_t>(index)];
            if (bits <= 8) {
                const int bit = x * bits;
                line[static_cast<std::size_t>(bit / 8)] |=
                    static_cast<uint8_t>(index << (8 - bits - bit % 8));
            } else if (bits == 16) {
                const uint32_t packed = ((c.r >> 3u) << 10u) | ((c.g >> 3u) << 5u) | (c.b >> 3u);
                line[static_cast<std::size_t>(x * 2)] = static_cast<uint8_t>(packed);
                line[static_cast<std::size_t>(x * 2 + 1)] = static_cast<uint8_t>(packed >> 8u);
            } else {
                uint8_t* p = &line[static_cast<std::size_t>(x * bits / 8)];
                p[0] = c.b;
                p[1] = c.g;
                p[2] = c.r;
            }
        }
        out.insert(out.end(), line.begin(), line.end());
    }
    return out;
}

}  // namespace

TEST_F(C3DObjectDeviceTest, GreyCopyOfEveryUncompressedDepthHoldsEachPixelsLightness) {
    // At 16 bits only full or empty channels survive the 5-bit rounding.
    const std::vector<Rgb8> twoColours = {{200, 40, 10}, {20, 90, 250}};
    const std::vector<Rgb8> sixColours = {{200, 40, 10}, {20, 90, 250},  {255, 255, 255},
                                          {0, 0, 0},     {10, 250, 130}, {97, 61, 33}};
    const std::vector<Rgb8> fullChannels = {{255, 0, 0}, {0, 255, 255},   {255, 255, 0},
                                            {0, 0, 0},   {255, 255, 255}, {0, 0, 255}};
    const struct {
        int bits;
        bool topDown;
        const std::vector<Rgb8>& palette;
        std::array<int, 6> pixels;
    } cases[] = {
        {1, false, twoColours, {0, 1, 1, 1, 0, 0}},   {1, true, twoColours, {1, 0, 1, 0, 0, 1}},
        {4, false, sixColours, {5, 4, 3, 2, 1, 0}},   {4, true, sixColours, {0, 2, 4, 1, 3, 5}},
        {8, false, sixColours, {1, 5, 0, 4, 2, 3}},   {16, false, fullChannels, {0, 1, 2, 3, 4, 5}},
        {16, true, fullChannels, {5, 3, 1, 4, 2, 0}}, {24, false, sixColours, {3, 0, 5, 1, 4, 2}},
        {32, true, sixColours, {2, 4, 0, 5, 1, 3}},
    };
    CTest3DObject object;
    object.SetDevice(m_device.get());
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.bits << " bits" << (c.topDown ? ", top-down" : ""));
        const gfx::ResourceRef<gfx::Texture> grey =
            object.MakeGreyTexture(MakeFixtureBmp(c.bits, c.topDown, c.palette, c.pixels));
        ASSERT_TRUE(grey);
        ASSERT_EQ(grey.Get()->GetWidth(0), static_cast<uint32_t>(kFixtureWidth));
        ASSERT_EQ(grey.Get()->GetHeight(0), static_cast<uint32_t>(kFixtureRows));
        const std::vector<uint32_t> texels = Pixels(grey.Get());
        for (std::size_t i = 0; i < c.pixels.size(); ++i) {
            const Rgb8 colour = c.palette[static_cast<std::size_t>(c.pixels[i])];
            const auto [low, high] = std::minmax({colour.r, colour.g, colour.b});
            const uint32_t lightness = (uint32_t{high} + low) / 2;
            EXPECT_EQ(texels[i] & 0xFFFFFFu, lightness * 0x010101u) << "pixel " << i;
        }
    }
}

TEST_F(C3DObjectDeviceTest, CopiesDuplicateOwnTexturesAndShareTheScenes) {
    FakeSceneServices scene;
    gfx::Texture* shared = MakeTexture(2, 2, 1);
    gfx::Texture* own = MakeTexture(2, 2, 2);
    scene.cache.Add("shared.jpg", 0, 0, shared, nullptr);

    CTest3DObject source;
    source.MakeBox({-1, -1, -1}, {1, 1, 1}, 2, m_device.get());
    source.GetOwnTextureCache().Add("own.jpg", 0, 0, own, nullptr);
    source.SetTexturePointer(0, shared);
    source.SetTexturePointer(1, own);

    const std::unique_ptr<CDesignObject> clone = source.Clone();
    const auto& copy = static_cast<const CTest3DObject&>(*clone);
    EXPECT_EQ(copy.GetTexture(0), shared);
    ASSERT_NE(copy.GetTexture(1), nullptr);
    EXPECT_NE(copy.GetTexture(1), own);
    EXPECT_EQ(Pixels(copy.GetTexture(1)), Pixels(own));
}

TEST_F(C3DObjectDeviceTest, DeviceMoveCopiesASharedTextureOnce) {
    FakeSceneServices scene;
    gfx::Texture* shared = MakeTexture(2, 2, 5);
    scene.cache.Add("brick.jpg", 0, 0, shared, nullptr);
    CTest3DObject first;
    CTest3DObject second;
    for (CTest3DObject* object : {&first, &second}) {
        object->MakeBox({-1, -1, -1}, {1, 1, 1}, 1, m_device.get());
        object->SetTexturePointer(0, shared);
    }

    std::unique_ptr<gfx::Device> target;
    gfx::PresentParameters params;
    params.backBufferWidth = 8;
    params.backBufferHeight = 8;
    params.backBufferFormat = gfx::Format::A8R8G8B8;
    params.deviceWindow = s_context.get();
    ASSERT_EQ(gfx::kOk,
              m_adapter->CreateDevice(gfx::DeviceType::Hal, s_context.get(),
                                      gfx::kCreateHardwareVertexProcessing, &params, &target));
    {
        std::vector<TextureMove> moves;
        first.ResetDevice(target.get(), moves);
        second.ResetDevice(target.get(), moves);
        EXPECT_EQ(moves.size(), 1u);
    }
    gfx::Texture* moved = first.GetTexture(0);
    EXPECT_EQ(second.GetTexture(0), moved);
    EXPECT_EQ(moved->GetDevice(), target.get());
    EXPECT_EQ(scene.cache.Find("brick.jpg", 0, 0, nullptr), moved);
    EXPECT_EQ(first.GetMesh()->GetDevice(), target.get());
    EXPECT_EQ(second.GetDevice(), target.get());
    scene.cache.Clear();
}

TEST_F(C3DObjectDeviceTest, TranslucentSubsetsBlendOverOpaqueOnesAndStatesAreRestored) {
    FakeDocumentServices document;
    m_device->SetTransform(gfx::TransformType::Projection,
                           gfx::MatrixPerspectiveFovLH(static_cast<float>(kPi / 2), 1, 1, 100));
    CTest3DObject back;
    back.MakeBox({-4, -4, 9}, {4, 4, 10}, 1, m_device.get());
    ColourObject(back, Glowing(1, 0, 0, 1));
    CTest3DObject front;
    front.MakeBox({-2, -2, 5}, {2, 2, 6}, 2, m_device.get());
    ColourObject(front, Glowing(0, 1, 0, 0.5f));
    front.SetBlend(1);

    m_device->Clear(gfx::kClearTarget, 0xFF000000, 1.0f, 0);
    m_device->BeginScene();
    back.Render();
    EXPECT_EQ(State(gfx::RenderState::ZWriteEnable), 1u);
    front.Render();
    m_device->EndScene();
    const std::array<int, 3> pixel = CentrePixel();
    EXPECT_NEAR(pixel[0], 128, 3);
    EXPECT_NEAR(pixel[1], 128, 3);
    EXPECT_EQ(pixel[2], 0);

    EXPECT_EQ(State(gfx::RenderState::ZWriteEnable), 1u);
    EXPECT_EQ(State(gfx::RenderState::SrcBlend), gfx::kBlendSrcAlpha);
    EXPECT_EQ(State(gfx::RenderState::DestBlend), gfx::kBlendInvSrcAlpha);
    uint32_t colourOp = 0;
    m_device->GetTextureStageState(0, gfx::TextureStageState::ColorOp, &colourOp);
    EXPECT_EQ(colourOp, gfx::kTopDisable);
}

TEST_F(C3DObjectDeviceTest, BumpedSubsetsShadeByTheirNormalMapOrShowTheirColours) {
    FakeDocumentServices document;
    m_device->SetTransform(gfx::TransformType::Projection,
                           gfx::MatrixPerspectiveFovLH(static_cast<float>(kPi / 2), 1, 1, 100));
    const std::vector<uint32_t> orange(16, 0xFFF0783Cu);
    gfx::Texture* texture = nullptr;
    ASSERT_EQ(gfx::kOk, m_device->CreateTextureFromPixels(4, 4, orange.data(), 1,
                                                          gfx::Format::A8R8G8B8, &texture));
    // A glow read as a direction: (1, 0.5, 0.5) is +x, (0.5, 0.5, 1) is +z.
    // Dotted with a flat normal map (+z) the first gives black and the
    // second white, which the texture then colours; plain shading tints the
    // texture by the glow.
    const gfx::ColorValue sideways = {1.0f, 0.5f, 0.5f, 1.0f};
    const gfx::ColorValue facing = {0.5f, 0.5f, 1.0f, 1.0f};
    const std::array<int, 3> tinted = {240, 60, 30};
    const std::array<int, 3> black = {0, 0, 0};
    const std::array<int, 3> glow = {255, 128, 128};
    const struct {
        const char* name;
        gfx::ColorValue emissive;
        float alpha;
        bool bump;
        bool normalMap;
        bool showTexture;
        std::array<int, 3> expected;
    } cases[] = {
        {"relief turned away", sideways, 1.0f, true, true, true, black},
        {"relief facing", facing, 1.0f, true, true, true, {240, 120, 60}},
        {"plain", sideways, 1.0f, false, false, true, tinted},
        {"plain facing", facing, 1.0f, false, false, true, {120, 60, 60}},
        // An opaque subset needs its normal map for the relief stage.
        {"opaque without normal map", sideways, 1.0f, true, false, true, tinted},
        // A see-through one follows its flag: the texture's own alpha then
        // covers what lies behind.
        {"see-through without normal map", sideways, 0.5f, true, false, true, tinted},
        {"see-through plain", sideways, 0.5f, false, false, true, {120, 30, 15}},
        {"relief, textures off", sideways, 1.0f, true, true, false, glow},
        {"plain, textures off", sideways, 1.0f, false, false, false, glow},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        document.showTexture = c.showTexture;
        CTest3DObject box;
        box.MakeBox({-2, -2, 5}, {2, 2, 6}, 1, m_device.get());
        box.SetBlend(1);
        MaterialRecord record;
        record.diffuse = {0, 0, 0, c.alpha};
        record.emissive = c.emissive;
        record.mapping.bumpFlag = c.bump ? 1 : 0;
        record.mapping.bumpAmplitude = 1.0f;
        // The normal map is made from the texture the material has then.
        box.SetTexturePointer(0, c.normalMap ? texture : nullptr);
        box.ApplyMaterialRecord(0, record, false);
        ASSERT_EQ(box.GetBumpTexture(0) != nullptr, c.normalMap);
        box.SetTexturePointer(0, texture);
        box.UpdateTranslucency();

        m_device->Clear(gfx::kClearTarget, 0xFF000000, 1.0f, 0);
        m_device->BeginScene();
        box.Render();
        m_device->EndScene();
        const std::array<int, 3> pixel = CentrePixel();
        for (int channel = 0; channel < 3; ++channel) {
            EXPECT_NEAR(pixel[channel], c.expected[channel], 4) << "channel " << channel;
        }
    }
    texture->Release();
}

namespace {

// A mirror: a horizontal square at y = -1 facing up, reflecting through
// its second mesh as the surface classes do.
class CMirrorSurface : public CTest3DObject {
public:
    CMirrorSurface() : CTest3DObject(kFloorObjectType) {
        std::unique_ptr<gfx::Mesh> mesh;
        gfx::Mesh::Create(2, 4, 0, 0x112, nullptr, &mesh);
        auto vertices = mesh->EditVerticesAs<MeshVertex>();
        vertices[0] = {-20, -1, 0};
        vertices[1] = {-20, -1, 40};
        vertices[2] = {20, -1, 40};
        vertices[3] = {20, -1, 0};
        const uint16_t indices[6] = {0, 1, 2, 0, 2, 3};
        std::copy(indices, indices + 6, mesh->EditIndices16().begin());
        SetSecondMesh(std::move(mesh));
        SetMesh(CloneMesh(GetSecondMesh()));
    }
    int IsMirror() const override { return 1; }
};

}  // namespace

TEST_F(C3DObjectDeviceTest, MirrorImagesShowOnlyToAnEyeAboveTheMirrorOnTheBoxsStorey) {
    FakeDocumentServices document;
    FakeSceneServices scene;
    m_device->SetTransform(gfx::TransformType::Projection,
                           gfx::MatrixPerspectiveFovLH(static_cast<float>(kPi / 2), 1, 1, 100));
    CMirrorSurface mirror;
    CTest3DObject box;
    box.MakeBox({-1, 0, 4}, {1, 1, 6}, 1, m_device.get());
    ColourObject(box, Glowing(1, 1, 0, 1));

    // The image of the box lies below the mirror, half-way down the view.
    auto imagePixel = [&](const gfx::Vector3& eye, int storey) {
        document.eye = eye;
        m_device->Clear(gfx::kClearTarget, 0xFF000000, 1.0f, 0);
        m_device->BeginScene();
        box.RenderMirrorImages(m_device.get(), storey, 1, &mirror);
        m_device->EndScene();
        std::vector<uint8_t> pixels;
        m_device->GetBackBufferPixels(&pixels);
        const uint8_t* p = &pixels[(24 * 32 + 16) * 4];
        return std::array<int, 3>{p[2], p[1], p[0]};
    };
    EXPECT_EQ(imagePixel({0, 0, 0}, 0), (std::array<int, 3>{255, 255, 0}));
    EXPECT_EQ(imagePixel({0, -2, 0}, 0), (std::array<int, 3>{0, 0, 0}));
    // The storey being drawn is not the box's.
    EXPECT_EQ(imagePixel({0, 0, 0}, 1), (std::array<int, 3>{0, 0, 0}));
    uint32_t cull = 0;
    m_device->GetRenderState(gfx::RenderState::CullMode, &cull);
    EXPECT_EQ(cull, gfx::kCullCcw);
}

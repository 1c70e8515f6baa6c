#include <cmath>

#include <gtest/gtest.h>

#include "foundation/ColorConversion.h"
#include "foundation/MaterialPresets.h"
#include "foundation/MeshVertex.h"
#include "foundation/Vector3Helpers.h"

namespace {

TEST(ColorConversionTest, BytesBecomeUnitFloatsWithOpaqueAlpha) {
    const gfx::ColorValue value = ColorRefToColorValue(draw::Rgb(255, 128, 0));
    EXPECT_FLOAT_EQ(value.r, 1.0f);
    EXPECT_NEAR(value.g, 0.50196f, 1e-5f);
    EXPECT_FLOAT_EQ(value.b, 0.0f);
    EXPECT_FLOAT_EQ(value.a, 1.0f);
}

// Stored colours rely on truncation and on the wrap of out-of-range channels.
TEST(ColorConversionTest, FloatsTruncateAndWrapToTheLowByte) {
    struct Case {
        float channel;
        uint8_t byte;
    };
    const Case cases[] = {{1.0f, 255}, {0.5f, 127}, {0.0f, 0}, {1.5f, 126}, {-0.1f, 231}};
    for (const Case& c : cases) {
        const draw::COLORREF ref = ColorValueToColorRef({c.channel, 0.0f, 1.0f, 0.25f});
        EXPECT_EQ(draw::RedOf(ref), c.byte) << c.channel;
        EXPECT_EQ(draw::GreenOf(ref), 0) << c.channel;
        EXPECT_EQ(draw::BlueOf(ref), 255) << c.channel;
    }
    EXPECT_EQ(ColorValueToColorRef({NAN, INFINITY, 1e30f, 1}), draw::Rgb(0, 0, 0));
}

TEST(ColorConversionTest, EveryByteSurvivesTheRoundTrip) {
    for (int byte = 0; byte < 256; ++byte) {
        const auto b = static_cast<uint8_t>(byte);
        EXPECT_EQ(ColorValueToColorRef(ColorRefToColorValue(draw::Rgb(b, b, b))),
                  draw::Rgb(b, b, b))
            << byte;
    }
}

TEST(MaterialPresetsTest, EachCallRefillsTheSharedRecord) {
    auto* preset = const_cast<gfx::Material*>(GetDefaultMaterial());
    preset->diffuse.r = 0.25f;
    preset->power = 9.0f;
    const gfx::Material* again = GetDefaultMaterial();
    EXPECT_EQ(again, preset);
    EXPECT_FLOAT_EQ(again->diffuse.r, 1.0f);
    EXPECT_FLOAT_EQ(again->power, 0.5f);
    EXPECT_FLOAT_EQ(again->emissive.r, 0.0f);
    EXPECT_FLOAT_EQ(again->emissive.a, 1.0f);

    EXPECT_FLOAT_EQ(GetMatteWhiteMaterial()->specular.r, 0.0f);
    EXPECT_FLOAT_EQ(GetMatteWhiteMaterial()->power, 50.0f);
    EXPECT_FLOAT_EQ(GetLightMapMaterial()->emissive.g, 1.0f);
    EXPECT_FLOAT_EQ(GetLightMapMaterial()->diffuse.a, 0.5f);
    EXPECT_FLOAT_EQ(GetShadowMapMaterial()->diffuse.a, 0.3f);
    EXPECT_FLOAT_EQ(GetShadowMapMaterial()->power, 0.4f);
}

TEST(Vector3HelpersTest, TransformPointIgnoresTheFourthColumn) {
    gfx::Matrix m;
    float value = 1.0f;
    for (auto& row : m.m) {
        for (float& cell : row) {
            cell = value++;
        }
    }
    const gfx::Vector3 p = TransformPoint3D({1, 2, 3}, m);
    // (1,2,3,1) times the rows 1..4, 5..8, 9..12, 13..16, columns 1 to 3.
    EXPECT_FLOAT_EQ(p.x, 1 * 1 + 2 * 5 + 3 * 9 + 13);
    EXPECT_FLOAT_EQ(p.y, 1 * 2 + 2 * 6 + 3 * 10 + 14);
    EXPECT_FLOAT_EQ(p.z, 1 * 3 + 2 * 7 + 3 * 11 + 15);
}

TEST(Vector3HelpersTest, ArithmeticFollowsTheLeftHandedCross) {
    const gfx::Vector3 x{1, 0, 0}, y{0, 1, 0};
    const gfx::Vector3 z = CrossProduct3D(x, y);
    EXPECT_EQ(z.z, 1.0f);
    EXPECT_EQ(CrossProduct3D(y, x).z, -1.0f);
    const gfx::Vector3 sum = AddVectors3D({1, 2, 3}, {4, 5, 6});
    const gfx::Vector3 diff = SubtractVectors3D({1, 2, 3}, {4, 6, 8});
    EXPECT_EQ(sum.x + sum.y + sum.z, 21.0f);
    EXPECT_EQ(diff.x, -3.0f);
    EXPECT_EQ(diff.z, -5.0f);
    EXPECT_FLOAT_EQ(GetVectorLength3D({3, 4, 12}), 13.0f);
}

TEST(Vector3HelpersTest, SameDirectionNeedsParallelAndPositiveDot) {
    EXPECT_TRUE(IsSameDirection3D({1, 2, 3}, {2, 4, 6}));
    EXPECT_FALSE(IsSameDirection3D({1, 2, 3}, {-1, -2, -3}));
    EXPECT_FALSE(IsSameDirection3D({1, 2, 3}, {0, 0, 0}));
    EXPECT_FALSE(IsSameDirection3D({1, 2, 3}, {1, 2, 3.0001f}));
}

TEST(MeshVertexTest, MidVertexAveragesEveryMemberWithoutRenormalising) {
    const MeshVertex a{0, 0, 0, 1, 0, 0, 0, 0};
    const MeshVertex b{2, 4, 6, 0, 1, 0, 1, 1};
    const MeshVertex mid = GetMidVertex(a, b);
    EXPECT_EQ(mid.x, 1.0f);
    EXPECT_EQ(mid.y, 2.0f);
    EXPECT_EQ(mid.z, 3.0f);
    EXPECT_EQ(mid.nx, 0.5f);
    EXPECT_EQ(mid.ny, 0.5f);
    EXPECT_EQ(mid.u, 0.5f);
    EXPECT_EQ(mid.v, 0.5f);
}

}  // namespace

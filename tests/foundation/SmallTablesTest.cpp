#include "foundation/DisplayFlags.h"
#include "foundation/MaterialEmissive.h"
#include "foundation/NavigationKey.h"

#include <gtest/gtest.h>

namespace {

TEST(IsNavigationKey, PagingArrowsCommaAndPeriod) {
    for (int key = 0; key < 256; ++key) {
        bool expected = (key >= 33 && key <= 40) || key == 188 || key == 190;
        EXPECT_EQ(IsNavigationKey(key), expected) << key;
    }
}

TEST(GetDisplayFlagForType, MapsTheSevenObjectTypes) {
    const uint32_t expected[] = {0x1, 0x2, 0x40000, 0x8, 0x20000, 0x20, 0x40};
    for (int type = 0; type < 7; ++type) {
        EXPECT_EQ(GetDisplayFlagForType(type), expected[type]) << type;
    }
    EXPECT_EQ(GetDisplayFlagForType(7), 0u);
    EXPECT_EQ(GetDisplayFlagForType(-1), 0u);
}

TEST(SetMaterialEmissive, SetsOnlyTheEmissiveColour) {
    gfx::Material material;
    material.diffuse = {0.1f, 0.2f, 0.3f, 0.4f};
    material.ambient = {0.5f, 0.5f, 0.5f, 0.5f};
    material.specular = {0.6f, 0.7f, 0.8f, 0.9f};
    material.power = 7.0f;
    SetMaterialEmissive(material, draw::Rgb(255, 128, 0), 0.25f);
    EXPECT_EQ(material.emissive.r, 255 * 0.003921569f);
    EXPECT_EQ(material.emissive.g, 128 * 0.003921569f);
    EXPECT_EQ(material.emissive.b, 0.0f);
    EXPECT_EQ(material.emissive.a, 0.25f);
    EXPECT_EQ(material.diffuse.g, 0.2f);
    EXPECT_EQ(material.ambient.a, 0.5f);
    EXPECT_EQ(material.specular.b, 0.8f);
    EXPECT_EQ(material.power, 7.0f);
}

}  // namespace

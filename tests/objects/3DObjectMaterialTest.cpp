#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <fstream>

#include "FakeDocumentServices.h"
#include "FakeSceneServices.h"
#include "Test3DObject.h"
#include "objects/MaterialRecordName.h"
#include "objects/ObjectTypeCodes.h"
#include "support/TempFolder.h"

namespace {

// A record whose name field holds the stored bytes given.
MaterialRecord RecordNamed(std::string_view name) {
    MaterialRecord record;
    std::memcpy(record.name.data(), name.data(), std::min(name.size(), record.name.size()));
    record.diffuse = {0.25f, 0.5f, 0.75f, 1.0f};
    record.emissive = {0.1f, 0.2f, 0.3f, 1.0f};
    return record;
}

std::vector<std::pair<float, float>> TextureCoordinates(const C3DObject& object) {
    std::vector<std::pair<float, float>> uv;
    for (const MeshVertex& v : object.GetMesh()->VerticesAs<MeshVertex>()) {
        uv.emplace_back(v.u, v.v);
    }
    return uv;
}

}  // namespace

TEST(MaterialRecordNameTest, StoredNamesRoundTrip) {
    const struct {
        std::string inMemory;
        std::string stored;
    } cases[] = {
        {"/home/u/材質/木紋.jpg", "Z:\\home\\u\\\xA7\xF7\xBD\xE8\\\xA4\xEC\xAF\xBE.jpg"},
        {"材質", "\xA7\xF7\xBD\xE8"},
        {"C:\\tex\\wood.jpg", "C:\\tex\\wood.jpg"},
        {"textures\\wood.jpg", "textures\\wood.jpg"},
    };
    for (const auto& c : cases) {
        const auto field = EncodeMaterialName(c.inMemory);
        EXPECT_EQ(std::string(field.data(), strnlen(field.data(), field.size())), c.stored);
        EXPECT_EQ(DecodeMaterialName(field), c.inMemory);
    }
}

TEST(MaterialRecordNameTest, FullFieldHasNoTerminatorAndLongPathsKeepTheirFileName) {
    const std::string hundred = "C:\\" + std::string(93, 'a') + ".jpg";
    ASSERT_EQ(hundred.size(), 100u);
    const auto field = EncodeMaterialName(hundred);
    EXPECT_EQ(std::string(field.data(), field.size()), hundred);
    EXPECT_EQ(DecodeMaterialName(field), hundred);

    const std::string longPath = "/" + std::string(120, 'd') + "/磚.png";
    EXPECT_EQ(DecodeMaterialName(EncodeMaterialName(longPath)), "磚.png");
}

TEST(C3DObjectMaterialTest, RecordRoundTripKeepsColoursNameAndMapping) {
    CTest3DObject object;
    object.MakeBox({-1, -1, -1}, {1, 1, 1}, 2);
    MaterialRecord record = RecordNamed("textures\\oak.jpg");
    record.mapping.rotation = 90;
    object.TextureNames().clear();
    object.ApplyMaterialRecord(0, record, false);
    object.ApplyMaterialRecord(1, RecordNamed(""), false);

    EXPECT_EQ(object.GetTextureNames(), (std::vector<std::string>{"textures\\oak.jpg", "材質"}));
    const MaterialRecord back = object.GetMaterialRecord(0);
    EXPECT_EQ(std::memcmp(&back, &record, sizeof(MaterialRecord)), 0);
    EXPECT_EQ(object.GetColourBlocks()[1].a, 1.0f);
    std::string name = "unchanged";
    object.GetTextureName(1, name);
    object.GetTextureName(7, name);
    EXPECT_EQ(name, "unchanged");
    object.GetTextureName(0, name);
    EXPECT_EQ(name, "textures\\oak.jpg");
}

TEST(C3DObjectMaterialTest, OnlyPathsWithADriveOrRootAreLoadedAndMissingOnesReported) {
    TempFolder folder;
    const std::string present = (folder.Path() / "磚.jpg").string();
    std::ofstream(present) << "x";
    FakeDocumentServices document;
    FakeSceneServices scene;
    gfx::Texture* const marker = reinterpret_cast<gfx::Texture*>(&scene);
    scene.textureToHand = marker;

    CTest3DObject object;
    object.MakeBox({-1, -1, -1}, {1, 1, 1}, 4);
    object.SetTexturePointer(3, marker);
    object.TextureNames().clear();
    object.ApplyMaterialRecord(0, RecordNamed("relative\\wood.jpg"), true);
    MaterialRecord local;
    local.name = EncodeMaterialName(present);
    object.ApplyMaterialRecord(1, local, true);
    object.ApplyMaterialRecord(2, RecordNamed("D:\\gone\\tile.jpg"), true);
    object.ApplyMaterialRecord(3, RecordNamed("\xA7\xF7\xBD\xE8"), true);  // "材質"

    EXPECT_EQ(scene.requestedTextures, (std::vector<std::string>{present}));
    EXPECT_EQ(object.GetTexture(0), nullptr);
    EXPECT_EQ(object.GetTexture(1), marker);
    EXPECT_EQ(object.GetTexture(3), nullptr);
    EXPECT_EQ(scene.missingFiles, (std::vector<std::string>{"D:\\gone\\tile.jpg"}));
    EXPECT_EQ(object.GetTextureNames()[2], "D:\\gone\\tile.jpg");
}

TEST(C3DObjectMaterialTest, MappingThereAndBackRestoresTheCoordinates) {
    CTest3DObject object;
    object.MakeBox({-1, -1, -1}, {1, 1, 1}, 2);
    TextureMappingRecord first;
    first.offsetU = 0.25f;
    first.rotation = 30;
    first.flipV = 1;
    first.tileFlag = 1;
    first.tileWidth = 50;
    first.tileHeight = 20;
    object.ApplyTextureMapping(0, first, false);
    const auto mapped = TextureCoordinates(object);

    TextureMappingRecord second;
    second.offsetV = 0.5f;
    second.rotation = 45;
    second.flipU = 1;
    second.tileFlag = 1;
    second.tileWidth = 0;  // a zero side is laid untiled
    second.tileHeight = 10;
    object.ApplyTextureMapping(0, second, false);
    object.ApplyTextureMapping(0, first, false);
    const auto back = TextureCoordinates(object);
    for (std::size_t i = 0; i < back.size(); ++i) {
        EXPECT_NEAR(back[i].first, mapped[i].first, 1e-4) << i;
        EXPECT_NEAR(back[i].second, mapped[i].second, 1e-4) << i;
    }
    // Material 1's faces are untouched.
    CTest3DObject plain;
    plain.MakeBox({-1, -1, -1}, {1, 1, 1}, 2);
    const auto untouched = TextureCoordinates(plain);
    for (uint32_t face = 0; face < 12; ++face) {
        if (object.GetFaceMaterial(face) == 1) {
            const uint32_t v = object.GetMesh()->GetFace(face)[0];
            EXPECT_EQ(back[v], untouched[v]);
        }
    }
}

TEST(C3DObjectMaterialTest, TextureAndMappingEditsPushUndoRecords) {
    FakeDocumentServices document;
    CTest3DObject object;
    object.MakeBox({-1, -1, -1}, {1, 1, 1}, 2);
    gfx::Material grey = object.GetMaterial(1);
    grey.diffuse = {0.2f, 0.2f, 0.2f, 0.5f};
    grey.emissive = {0.3f, 0.3f, 0.3f, 1.0f};
    object.SetMaterial(1, grey);

    object.SetMaterialTexture(kWallObjectType, 1, "/tex/brick.jpg", nullptr);
    const gfx::Material& lit = object.GetMaterial(1);
    EXPECT_EQ(lit.diffuse.r, 1.0f);
    EXPECT_EQ(lit.diffuse.a, 0.5f);
    EXPECT_EQ(lit.emissive.g, 0.0f);
    EXPECT_EQ(object.GetTextureNames()[1], "/tex/brick.jpg");

    TextureMappingRecord mapping;
    mapping.offsetU = 0.5f;
    object.ApplyTextureMapping(1, mapping, true);

    ASSERT_EQ(document.undo.size(), 2u);
    const HistoryRecord& texture = *document.undo[0];
    EXPECT_EQ(texture.operation, kHistoryMaterial);
    EXPECT_EQ(texture.objectType, kWallObjectType);
    EXPECT_EQ(texture.value, 1);
    EXPECT_EQ(std::get<MaterialSnapshot>(texture.before).textureName, "材質");
    EXPECT_EQ(std::get<MaterialSnapshot>(texture.before).material.diffuse.r, 0.2f);
    EXPECT_EQ(std::get<MaterialSnapshot>(texture.after).textureName, "/tex/brick.jpg");
    const HistoryRecord& remap = *document.undo[1];
    EXPECT_EQ(remap.objectType, kModelObjectType);
    EXPECT_EQ(std::get<MaterialSnapshot>(remap.after).mapping.offsetU, 0.5f);
}

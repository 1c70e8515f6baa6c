#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <iterator>
#include <limits>

#include "MathExpect.h"
#include "MeshBuilders.h"
#include "platform/gfx/MeshAdjacency.h"
#include "platform/gfx/XFileReader.h"
#include "platform/gfx/XFileWriter.h"
#include "support/TempFolder.h"

namespace gfx::test {
namespace {

const std::string kBoxFile = std::string(VELMORA_TEST_DATA_DIR) + "/gfx/box_two_materials.x";

std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

LoadedMesh LoadFromMemory(const std::string& file) {
    LoadedMesh loaded;
    std::string error;
    EXPECT_EQ(kOk, LoadMeshFromXInMemory(file.data(), file.size(), kMeshManaged, nullptr, &loaded,
                                         &error))
        << error;
    return loaded;
}

void ExpectColor(const ColorValue& actual, const ColorValue& expected) {
    EXPECT_FLOAT_EQ(expected.r, actual.r);
    EXPECT_FLOAT_EQ(expected.g, actual.g);
    EXPECT_FLOAT_EQ(expected.b, actual.b);
    EXPECT_FLOAT_EQ(expected.a, actual.a);
}

// The fixture: a box of side 2 around (10, 0, 0), placed there by its frame,
// with four side faces of a textured material and top and bottom of a
// half-transparent one, each side a quad with vertices of its own.
TEST(XFileTest, BoxWithTwoMaterialsLoadsAsTwoSubsets) {
    LoadedMesh loaded;
    std::string error;
    ASSERT_EQ(kOk, LoadMeshFromX(kBoxFile, kMeshManaged, nullptr, &loaded, &error)) << error;
    const Mesh& mesh = *loaded.mesh;
    EXPECT_EQ(kTestVertexFvf, mesh.GetFvf());
    EXPECT_FALSE(mesh.Has32BitIndices());
    EXPECT_EQ(12u, mesh.GetNumFaces());
    EXPECT_EQ(24u, mesh.GetNumVertices());

    ASSERT_EQ(2u, loaded.materials.size());
    const Material& wood = loaded.materials[0].material;
    ExpectColor(wood.diffuse, {0.8f, 0.6f, 0.4f, 1.0f});
    EXPECT_FLOAT_EQ(20.0f, wood.power);
    EXPECT_FLOAT_EQ(0.3f, wood.specular.g);
    EXPECT_EQ("許氏木紋.bmp", loaded.materials[0].textureFile);
    const Material& plain = loaded.materials[1].material;
    ExpectColor(plain.diffuse, {1, 1, 1, 0.5f});
    EXPECT_FLOAT_EQ(5.0f, plain.power);
    EXPECT_FLOAT_EQ(0.3f, plain.emissive.b);
    EXPECT_EQ("", loaded.materials[1].textureFile);

    const std::vector<AttributeRange>& table = mesh.GetAttributeTable();
    ASSERT_EQ(2u, table.size());
    EXPECT_EQ(0u, table[0].attribId);
    EXPECT_EQ(8u, table[0].faceCount);
    EXPECT_EQ(1u, table[1].attribId);
    EXPECT_EQ(8u, table[1].faceStart);
    EXPECT_EQ(4u, table[1].faceCount);

    Vector3 min;
    Vector3 max;
    mesh.ComputeBoundingBox(min, max);
    EXPECT_EQ((Vector3{9, -1, -1}), min);
    EXPECT_EQ((Vector3{11, 1, 1}), max);

    // Winding and normals come through as written: every face is clockwise
    // seen from outside, where its normals point.
    for (uint32_t f = 0; f < mesh.GetNumFaces(); ++f) {
        const auto [i0, i1, i2] = mesh.GetFace(f);
        const Vector3 p0 = mesh.GetPosition(i0);
        const Vector3 facing =
            Vec3Normalize(Vec3Cross(mesh.GetPosition(i1) - p0, mesh.GetPosition(i2) - p0));
        EXPECT_TRUE(VectorNear(facing, mesh.VerticesAs<TestVertex>()[i0].normal, 1e-6f))
            << "face " << f;
        EXPECT_GT(Vec3Dot(facing, p0 - Vector3{10, 0, 0}), 0.0f) << "face " << f;
    }
    std::vector<uint32_t> adjacency;
    ASSERT_EQ(kOk, GenerateAdjacency(mesh, 0.0f, &adjacency));
    EXPECT_EQ(0, std::ranges::count(adjacency, kNoNeighbour));

    EXPECT_EQ(SortedFaces(mesh), SortedFaces(*LoadFromMemory(ReadBytes(kBoxFile)).mesh));
}

TEST(XFileTest, TextureNameThatIsNotCp950IsDecodedLeniently) {
    const std::string file =
        "xof 0303txt 0032\n"
        "Mesh { 3; 0;0;0;, 0;1;0;, 1;0;0;; 1; 3;0,1,2;;\n"
        " MeshMaterialList { 1; 1; 0;;\n"
        "  Material { 1;1;1;1;; 0; 0;0;0;; 0;0;0;; TextureFilename { \"\xFF\xA4\xEC.bmp\"; } }\n"
        " }\n"
        "}\n";
    const LoadedMesh loaded = LoadFromMemory(file);
    ASSERT_EQ(1u, loaded.materials.size());
    EXPECT_EQ("\xEF\xBF\xBD木.bmp", loaded.materials[0].textureFile);
    EXPECT_EQ(kFvfXyz, loaded.mesh->GetFvf());
}

TEST(XFileTest, DamagedFilesAreRefusedWithAMessage) {
    const std::string box = ReadBytes(kBoxFile);
    const struct {
        const char* name;
        std::string bytes;
    } cases[] = {
        {"empty", ""},
        {"not a model", "P3\n1 1\n255\n0 0 0\n"},
        {"cut short", box.substr(0, 400)},
        {"face naming a missing vertex",
         "xof 0303txt 0032\nMesh { 3; 0;0;0;, 0;1;0;, 1;0;0;; 1; 3;0,1,5;; }\n"},
        {"no faces", "xof 0303txt 0032\nFrame Empty { }\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        LoadedMesh loaded;
        std::string error;
        EXPECT_TRUE(Failed(
            LoadMeshFromXInMemory(c.bytes.data(), c.bytes.size(), 0, nullptr, &loaded, &error)));
        EXPECT_FALSE(loaded.mesh);
        EXPECT_NE(std::string::npos, error.find("模型檔")) << error;
    }

    LoadedMesh loaded;
    std::string error;
    EXPECT_TRUE(Failed(LoadMeshFromX(kBoxFile + ".missing", 0, nullptr, &loaded, &error)));
    EXPECT_FALSE(error.empty());
}

TEST(XFileTest, WrittenMeshReadsBackWithItsMaterials) {
    const std::unique_ptr<Mesh> box = MakeBox({-1, -2, -3}, {1.5f, 0.25f, 1e-3f});
    for (uint32_t& attribute : box->EditAttributes()) {
        attribute %= 3;
    }
    std::vector<MeshMaterial> materials(3);
    materials[0].material = {{0.1f, 0.2f, 0.3f, 1}, {}, {0.5f, 0.6f, 0.7f, 1}, {0, 0, 0, 1}, 12.5f};
    materials[0].textureFile = "許氏木紋.bmp";
    materials[1].material = {{1, 1, 1, 0.25f}, {}, {0, 0, 0, 1}, {0.9f, 0.8f, 0.7f, 1}, 0};
    materials[1].textureFile = "wood 01;a,b.jpg";
    materials[2].material = {{0, 0, 0, 1}, {}, {0, 0, 0, 1}, {0, 0, 0, 1}, 1};

    TempFolder folder;
    const std::string path = (folder.Path() / "模型.x").string();
    std::string error;
    ASSERT_EQ(kOk, SaveMeshToX(path, *box, materials, &error)) << error;
    LoadedMesh loaded;
    ASSERT_EQ(kOk, LoadMeshFromX(path, 0, nullptr, &loaded, &error)) << error;

    EXPECT_EQ(SortedFaces(*box), SortedFaces(*loaded.mesh));
    ASSERT_EQ(materials.size(), loaded.materials.size());
    for (size_t i = 0; i < materials.size(); ++i) {
        SCOPED_TRACE(i);
        const Material& written = materials[i].material;
        const Material& read = loaded.materials[i].material;
        ExpectColor(read.diffuse, written.diffuse);
        ExpectColor(read.specular, written.specular);
        ExpectColor(read.emissive, written.emissive);
        EXPECT_EQ(written.power, read.power);
        EXPECT_EQ(materials[i].textureFile, loaded.materials[i].textureFile);
    }
}

TEST(XFileTest, WriterRefusesWhatCannotBeReadBack) {
    std::vector<MeshMaterial> materials(6);
    struct Case {
        const char* name;
        std::string texture;
        float x;
        size_t materialCount;
    };
    const Case cases[] = {
        {"a face without its material", "", 0, 5},
        {"quotation mark in a texture name", "a\"b.bmp", 0, 6},
        {"texture name with no CP950 form", "\xF0\x9F\x98\x80.bmp", 0, 6},
        {"position that is not a number", "", std::numeric_limits<float>::quiet_NaN(), 6},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::unique_ptr<Mesh> box = MakeBox({-1, -1, -1}, {1, 1, 1});
        box->EditVerticesAs<TestVertex>()[0].position.x = c.x;
        materials[0].textureFile = c.texture;
        std::string file = "untouched";
        std::string error;
        EXPECT_TRUE(Failed(
            EncodeMeshToX(*box, std::span(materials).first(c.materialCount), &file, &error)));
        EXPECT_EQ("untouched", file);
        EXPECT_FALSE(error.empty());
    }
}

}  // namespace
}  // namespace gfx::test

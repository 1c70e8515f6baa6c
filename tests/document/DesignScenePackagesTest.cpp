#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "DocumentFixture.h"
#include "document/DesignScene.h"
#include "document/HousDoc.h"
#include "objects/ModelPackage.h"
#include "objects/Test3DObject.h"
#include "platform/gfx/Mesh.h"
#include "platform/gfx/XFileReader.h"
#include "platform/gfx/XFileWriter.h"

namespace {

struct MeshVertex {
    gfx::Vector3 position;
    gfx::Vector3 normal;
    float u = 0.0f;
    float v = 0.0f;
};
static_assert(sizeof(MeshVertex) == 32);

using Triangle = std::array<gfx::Vector3, 3>;

// A mesh of separate triangles, each with its attribute id.
std::unique_ptr<gfx::Mesh> MakeMesh(const std::vector<Triangle>& triangles,
                                    const std::vector<uint32_t>& attributes) {
    std::unique_ptr<gfx::Mesh> mesh;
    const auto faces = static_cast<uint32_t>(triangles.size());
    EXPECT_FALSE(gfx::Failed(gfx::Mesh::Create(faces, faces * 3, gfx::kMeshManaged,
                                               gfx::kFvfXyz | gfx::kFvfNormal | gfx::kFvfTex1,
                                               nullptr, &mesh)));
    std::span<MeshVertex> vertices = mesh->EditVerticesAs<MeshVertex>();
    std::span<uint16_t> indices = mesh->EditIndices16();
    for (std::size_t i = 0; i < faces * 3; ++i) {
        vertices[i].position = triangles[i / 3][i % 3];
        vertices[i].normal = {0, 1, 0};
        indices[i] = static_cast<uint16_t>(i);
    }
    std::span<uint32_t> ids = mesh->EditAttributes();
    std::copy(attributes.begin(), attributes.end(), ids.begin());
    return mesh;
}

// Two halves of a 10 x 10 floor square (sharing the diagonal, both facing
// up), and a wall triangle standing 20 high on the square's x = 0 edge.
const Triangle kFloorA = {{{0, 0, 0}, {0, 0, 10}, {10, 0, 10}}};
const Triangle kFloorB = {{{0, 0, 0}, {10, 0, 10}, {10, 0, 0}}};
const Triangle kWall = {{{0, 0, 0}, {0, 20, 0}, {0, 0, 10}}};

TEST(DesignScenePackagesTest, EdgesAreCollectedMaterialByMaterial) {
    struct Case {
        const char* what;
        std::vector<Triangle> triangles;
        std::vector<uint32_t> attributes;
        std::size_t records;
    };
    const std::vector<Case> cases = {
        {"flat square of one material loses its diagonal", {kFloorA, kFloorB}, {0, 0}, 4},
        {"flat square of two materials keeps it in both", {kFloorA, kFloorB}, {0, 1}, 6},
        {"a fold keeps the edge once per face", {kFloorA, kWall}, {0, 0}, 6},
        {"materials come out in id order", {kWall, kFloorA, kFloorB}, {3, 1, 1}, 7},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const std::unique_ptr<gfx::Mesh> mesh = MakeMesh(c.triangles, c.attributes);
        const std::vector<OutlineRecord> records = CDesignScene::BuildMaterialEdgeList(*mesh, true);
        EXPECT_EQ(records.size(), c.records);
        for (const OutlineRecord& record : records) {
            EXPECT_NE(record.pointA, record.pointB);
        }
    }
    // Heights from the middle of the mesh box; the lower material first.
    const std::unique_ptr<gfx::Mesh> mesh = MakeMesh({kWall, kFloorA, kFloorB}, {3, 1, 1});
    const std::vector<OutlineRecord> records = CDesignScene::BuildMaterialEdgeList(*mesh, true);
    ASSERT_EQ(records.size(), 7u);
    EXPECT_EQ(records.front().pointA.y, -10.0f);
    EXPECT_EQ(records.front().facing, (gfx::Vector3{0, 1, 0}));
    EXPECT_EQ(records.back().facing, (gfx::Vector3{1, 0, 0}));
}

class WritePackagedModelTest : public DocumentTest {
protected:
    std::string WriteMeshFile(const gfx::Mesh& mesh, const std::vector<gfx::MeshMaterial>& list) {
        const std::string path = PathOf("outtemp/tmp.x").string();
        std::filesystem::create_directories(PathOf("outtemp"));
        std::string error;
        EXPECT_FALSE(gfx::Failed(gfx::SaveMeshToX(path, mesh, list, &error))) << error;
        return path;
    }
};

TEST_F(WritePackagedModelTest, SimpleModelReadsBackAsWritten) {
    const std::unique_ptr<gfx::Mesh> mesh = MakeMesh({kFloorA, kFloorB, kWall}, {0, 1, 2});
    std::vector<gfx::MeshMaterial> list(3);
    list[0].textureFile = "oak.bmp";
    list[2].textureFile = "oak.bmp";
    const std::string meshPath = WriteMeshFile(*mesh, list);
    const std::string meshBytes = ReadBytes(meshPath);
    PackagedTexture oak;
    oak.name = "oak.bmp";
    oak.bytes = std::make_shared<const std::vector<uint8_t>>(std::vector<uint8_t>{'B', 'M', 1});
    std::filesystem::create_directories(PathOf("2Dicon"));
    WriteBytes(PathOf("2Dicon/squrt.dxf"), "0\nEOF\n");

    auto doc = std::make_unique<CHousDoc>();
    CTest3DObject picked;
    picked.SetWebLink("http://example.invalid/桌");
    doc->SetPickedObject(CHousDoc::PickedKind::Model, &picked);
    CDesignScene scene;
    scene.SetDocument(doc.get());
    const std::string output = PathOf("outtemp/tmp.qvx").string();
    ASSERT_TRUE(scene.WritePackagedModel(output, meshPath, {oak, PackagedTexture{}, oak}, *mesh));
    doc->SetPickedObject(CHousDoc::PickedKind::Model, nullptr);
    EXPECT_TRUE(messages.empty());
    EXPECT_FALSE(std::filesystem::exists(meshPath));

    const CModelPackage package(output, kPackageReadAll);
    ASSERT_EQ(package.GetLastError(), "");
    EXPECT_EQ(package.GetVersion(), 9);
    EXPECT_EQ(package.GetName(), "tmp");
    EXPECT_EQ(package.GetWebLink(), "http://example.invalid/桌");
    EXPECT_EQ(std::string(package.GetMeshData().begin(), package.GetMeshData().end()), meshBytes);
    // The untextured material has no entry; the second use of the oak image
    // refers to the first.
    ASSERT_EQ(package.GetTextures().size(), 2u);
    for (const PackagedTexture& texture : package.GetTextures()) {
        EXPECT_EQ(texture.name, "oak.bmp");
        EXPECT_EQ(texture.Data(), oak.Data());
    }
    EXPECT_EQ(package.GetTextures()[0].bytes, package.GetTextures()[1].bytes);
    EXPECT_EQ(package.GetSymbolName(), "squrt.dxf");

    gfx::LoadedMesh loaded;
    ASSERT_FALSE(gfx::Failed(gfx::LoadMeshFromXInMemory(package.GetMeshData().data(),
                                                        package.GetMeshData().size(),
                                                        gfx::kMeshManaged, nullptr, &loaded)));
    EXPECT_EQ(loaded.mesh->GetNumFaces(), 3u);
    ASSERT_EQ(loaded.materials.size(), 3u);
    EXPECT_EQ(loaded.materials[0].textureFile, "oak.bmp");
    EXPECT_EQ(loaded.materials[1].textureFile, "");
    EXPECT_EQ(loaded.materials[2].textureFile, "oak.bmp");

    const std::vector<OutlineRecord> expected = CDesignScene::BuildMaterialEdgeList(*mesh, true);
    ASSERT_EQ(expected.size(), 9u);
    ASSERT_EQ(package.GetEdgeRecords().size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(package.GetEdgeRecords()[i].pointA, expected[i].pointA);
        EXPECT_EQ(package.GetEdgeRecords()[i].pointB, expected[i].pointB);
        EXPECT_EQ(package.GetEdgeRecords()[i].facing, expected[i].facing);
    }
}

TEST_F(WritePackagedModelTest, FailureIsReportedOnceAndLeavesTheOldPackage) {
    const std::unique_ptr<gfx::Mesh> mesh = MakeMesh({kFloorA}, {0});
    std::filesystem::create_directories(PathOf("outtemp"));
    WriteBytes(PathOf("outtemp/tmp.qvx"), "old");
    struct Case {
        const char* what;
        bool meshWritten;
        std::string output;
    };
    const std::vector<Case> cases = {
        {"no mesh file", false, "outtemp/tmp.qvx"},
        {"output folder missing", true, "gone/tmp.qvx"},
        {"output is a folder", true, "outtemp"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        messages.clear();
        const std::string meshPath =
            c.meshWritten ? WriteMeshFile(*mesh, {gfx::MeshMaterial{}}) : PathOf("none.x").string();
        CDesignScene scene;
        EXPECT_FALSE(scene.WritePackagedModel(PathOf(c.output).string(), meshPath, {}, *mesh));
        EXPECT_EQ(messages.size(), 1u);
        EXPECT_FALSE(std::filesystem::exists(meshPath));
        EXPECT_EQ(ReadBytes(PathOf("outtemp/tmp.qvx")), "old");
    }
}

}  // namespace

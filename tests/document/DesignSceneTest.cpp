#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>

#include "DocumentFixture.h"
#include "document/DesignScene.h"
#include "objects/HistoryRecord.h"
#include "objects/ObjectTypeCodes.h"
#include "objects/Test3DObject.h"
#include "platform/gfx/MatrixMath.h"
#include "platform/gfx/PlaneMath.h"

namespace {

// A 3D object that counts its deletions.
class CountedObject : public CTest3DObject {
public:
    CountedObject(int type, int* deletions) : CTest3DObject(type), m_deletions(deletions) {}
    ~CountedObject() override { ++*m_deletions; }

private:
    int* m_deletions;
};

CTest3DObject* AddAt(CDesignScene& scene, int type, float height) {
    auto* object = new CTest3DObject(type);
    object->SetPosition(0, height, 0);
    scene.AddObjectIfAbsent(type, object);
    return object;
}

}  // namespace

TEST(DesignSceneTest, StoreysRiseFromFloorsAboveCeilings) {
    const struct {
        std::vector<float> floors;
        std::vector<float> ceilings;
        std::vector<float> storeyBases;
        std::vector<float> floorLevels;
    } cases[] = {
        {{}, {280}, {0}, {0}},
        {{0, 300}, {280}, {0, 300}, {0, 300}},
        {{0}, {280}, {0}, {0}},
        {{300, 0, 300, 600}, {280, 580, 900}, {0, 300, 600}, {0, 300, 600}},
        {{50, 400}, {50, 390}, {50, 400}, {50, 400}},
    };
    for (const auto& c : cases) {
        CDesignScene scene;
        for (float height : c.floors) {
            AddAt(scene, kFloorObjectType, height);
        }
        for (float height : c.ceilings) {
            AddAt(scene, kCeilingObjectType, height);
        }
        scene.RebuildFloorLevels();
        ASSERT_EQ(scene.GetStoreyIndex() + 1, static_cast<int>(c.storeyBases.size()));
        for (std::size_t i = 0; i < c.storeyBases.size(); ++i) {
            EXPECT_EQ(scene.GetStoreyBase(static_cast<int>(i)), c.storeyBases[i]);
        }
        ASSERT_EQ(scene.GetFloorLevelIndex() + 1, static_cast<int>(c.floorLevels.size()));
        for (std::size_t i = 0; i < c.floorLevels.size(); ++i) {
            EXPECT_EQ(scene.GetFloorLevel(static_cast<int>(i)), c.floorLevels[i]);
        }
        EXPECT_EQ(scene.GetFloorComboTexts().size(), c.storeyBases.size());
    }
}

TEST(DesignSceneTest, HeightsFindTheirStoreyWithCeilingsBelongingBelow) {
    CDesignScene scene;
    AddAt(scene, kFloorObjectType, 0);
    AddAt(scene, kFloorObjectType, 300);
    AddAt(scene, kCeilingObjectType, 280);
    scene.RebuildFloorLevels();
    EXPECT_EQ(scene.GetFloorOfHeight(299, kModelObjectType), 0);
    EXPECT_EQ(scene.GetFloorOfHeight(300, kModelObjectType), 1);
    EXPECT_EQ(scene.GetFloorOfHeight(300, kCeilingObjectType), 0);
    EXPECT_EQ(scene.GetFloorOfHeight(-50, kModelObjectType), 0);
    EXPECT_EQ(scene.GetFloorLevelOfHeight(1000, kWallObjectType), 1);
    EXPECT_EQ(scene.GetFloorComboTexts(), (std::vector<std::string>{"第1層", "第2層"}));
}

TEST(DesignSceneTest, MoreThanTwoHundredLevelsKeepTheFirstTwoHundred) {
    CDesignScene scene;
    for (int i = 0; i < 250; ++i) {
        AddAt(scene, kFloorObjectType, static_cast<float>(i * 300));
        AddAt(scene, kCeilingObjectType, static_cast<float>(i * 300 + 280));
    }
    scene.RebuildFloorLevels();
    EXPECT_EQ(scene.GetFloorLevelIndex(), CDesignScene::kMaxFloorLevels - 1);
    EXPECT_EQ(scene.GetStoreyIndex(), CDesignScene::kMaxFloorLevels - 1);
    EXPECT_EQ(scene.GetFloorOfHeight(1e6f, kModelObjectType), CDesignScene::kMaxFloorLevels - 1);
}

TEST(DesignSceneTest, ListsKeepEachObjectOnceAndSelectionFlagsFollow) {
    CDesignScene scene;
    CTest3DObject* model = AddAt(scene, kModelObjectType, 0);
    scene.AddObjectIfAbsent(kModelObjectType, model);
    EXPECT_EQ(scene.Objects(kModelObjectType).size(), 1u);
    EXPECT_TRUE(scene.IsModelInScene(model));
    EXPECT_FALSE(scene.IsModelInScene(nullptr));

    scene.SelectObject(kModelObjectType, model);
    scene.SelectObject(kModelObjectType, model);
    EXPECT_EQ(scene.Selected(kModelObjectType).size(), 1u);
    EXPECT_EQ(model->IsSelected(), 1);
    scene.DeselectObject(kModelObjectType, model);
    EXPECT_EQ(model->IsSelected(), 0);

    // Taken out, the object is the caller's.
    scene.SelectObject(kModelObjectType, model);
    scene.RemoveObject(kModelObjectType, model);
    scene.DeselectObject(kModelObjectType, model);
    EXPECT_EQ(model->IsSelected(), 1);
    EXPECT_FALSE(scene.IsModelInScene(model));
    delete model;

    EXPECT_EQ(scene.NextObjectId(), 1.0);
    EXPECT_EQ(scene.NextObjectId(), 2.0);
}

TEST(DesignSceneTest, FactoryMakesOnlyTheClassesItHas) {
    for (int type = -1; type <= 21; ++type) {
        const std::unique_ptr<CDesignObject> object = CreateDesignObject(type);
        const bool surface = type >= kModelObjectType && type <= kCeilingObjectType;
        if (surface || (type >= kDxfIconShapeType && type <= kLightIconShapeType)) {
            ASSERT_NE(object, nullptr) << type;
            EXPECT_EQ(object->GetType(), type);
        } else {
            EXPECT_EQ(object, nullptr) << type;
        }
    }
}

TEST(DesignSceneTest, LightsAreFoundByNumber) {
    CDesignScene scene;
    CTest3DObject* first = AddAt(scene, kLightObjectType, 0);
    CTest3DObject* second = AddAt(scene, kLightObjectType, 0);
    first->SetNumber(3);
    second->SetNumber(4);
    EXPECT_EQ(scene.FindObjectByNumber(4), second);
    EXPECT_EQ(scene.FindObjectByNumber(5), nullptr);
}

TEST_F(PlanTest, SceneClearingDeletesObjectsButNotPlanSymbolsAndEmptiesHistory) {
    int deletions = 0;
    CDesignScene scene;
    scene.SetDocument(doc.get());
    for (const int type : {kModelObjectType, kWallObjectType, kLightObjectType, kText3DObjectType,
                           kPhotoObjectType, kFloorObjectType, kCeilingObjectType}) {
        auto* object = new CountedObject(type, &deletions);
        scene.AddObjectIfAbsent(type, object);
        scene.Hidden(type).push_back(object);
    }
    // A copied object about to be deleted must not stay in the copy buffer.
    doc->GetCopyBuffer().Add(kWallObjectType, scene.Objects(kWallObjectType).front());
    CTest3DObject symbolOwner;
    scene.AddToTypeList(kModelIconShapeType, &symbolOwner);
    doc->PushUndoRecord(std::make_unique<HistoryRecord>());

    scene.ClearScene();
    EXPECT_EQ(deletions, 7);
    EXPECT_TRUE(scene.Objects(kModelIconShapeType).empty());
    EXPECT_TRUE(scene.Hidden(kWallObjectType).empty());
    EXPECT_TRUE(doc->HistoryList(0).empty());
    EXPECT_TRUE(doc->GetCopyBuffer().IsEmpty());
}

TEST_F(PlanTest, MissingFilesAreFoundInTheLibraryOrReportedUntilSilenced) {
    const std::filesystem::path models(doc->GetResourceFolder(kModelObjectType));
    std::filesystem::create_directories(models / "椅子");
    WriteBytes(models / "椅子" / "chair.qvx", "x");
    CDesignScene scene;
    scene.SetDocument(doc.get());

    std::string path = "D:\\old\\chair.qvx";
    EXPECT_EQ(scene.LocateMissingFile(kModelObjectType, path), S_OK);
    EXPECT_EQ(path, (models / "椅子" / "chair.qvx").string());

    std::vector<std::string> warnings;
    bool silence = false;
    SetLoadWarningHandler([&](std::string_view format, std::string_view missing) {
        warnings.push_back(std::string(format) + "|" + std::string(missing));
        return silence;
    });
    std::string gone = "D:\\old\\table.qvx";
    EXPECT_EQ(scene.LocateMissingFile(kModelObjectType, gone), E_FAIL);
    std::string photo = "D:\\old\\sky.jpg";
    silence = true;
    EXPECT_EQ(scene.LocateMissingFile(kPhotoObjectType, photo), E_FAIL);
    std::string other = "D:\\old\\more.jpg";
    EXPECT_EQ(scene.LocateMissingFile(kPhotoObjectType, other), E_FAIL);
    std::string sound = "D:\\old\\ding.wav";
    EXPECT_EQ(scene.LocateMissingFile(kLightObjectType, sound), E_FAIL);
    SetLoadWarningHandler({});

    EXPECT_EQ(warnings, (std::vector<std::string>{"找不到模型檔案 - %s|D:\\old\\table.qvx",
                                                  "找不到照片檔案 - %s|D:\\old\\sky.jpg"}));
    EXPECT_EQ(doc->GetMissingFiles(), (std::vector<std::string>{gone, photo, other}));
}

TEST(DesignSceneTest, MirrorCullingSkipsObjectsBehindOrDeepBehindTheMirror) {
    CDesignScene scene;
    CTest3DObject box;
    box.MakeBox({-1, 0, -1}, {1, 2, 1}, 1);
    const gfx::Plane floor = gfx::PlaneFromPointNormal({0, 0, 0}, {0, 1, 0});
    const gfx::Matrix reflection = gfx::MatrixReflect(floor);
    const gfx::Vector3 eye = {0, 100, -300};

    box.SetPosition(0, 10, 0);
    EXPECT_FALSE(scene.IsBoxOutsidePlaneAndSphere(box, floor, reflection, eye));
    EXPECT_TRUE(scene.IsBoxOutsidePlaneAndSphere(box, gfx::Plane{}, reflection, eye));
    box.SetPosition(0, -10, 0);
    EXPECT_TRUE(scene.IsBoxOutsidePlaneAndSphere(box, floor, reflection, eye));
    // Reaching 50 cm through the floor: farther than the tolerance of 10.
    box.SetScale(1, 50, 1);
    box.SetPosition(0, -50, 0);
    EXPECT_TRUE(scene.IsBoxOutsidePlaneAndSphere(box, floor, reflection, eye));
}

TEST(DesignSceneTest, EdgeListKeepsBordersAndFoldsButNotFlatSeams) {
    // Two triangles meeting in a flat square, then folded along the seam.
    CTest3DObject sheet;
    std::unique_ptr<gfx::Mesh> mesh;
    gfx::Mesh::Create(2, 4, 0, 0x112, nullptr, &mesh);
    auto vertices = mesh->EditVerticesAs<MeshVertex>();
    vertices[0] = {0, 0, 0};
    vertices[1] = {0, 0, 1};
    vertices[2] = {1, 0, 1};
    vertices[3] = {1, 0, 0};
    const uint16_t indices[6] = {0, 1, 2, 0, 2, 3};
    std::copy(indices, indices + 6, mesh->EditIndices16().begin());
    sheet.SetMesh(std::move(mesh));
    EXPECT_EQ(CDesignScene::BuildMeshEdgeList(sheet).size(), 4u);

    sheet.GetMesh()->EditVerticesAs<MeshVertex>()[3].y = 1;
    const std::vector<OutlineRecord> folded = CDesignScene::BuildMeshEdgeList(sheet);
    ASSERT_EQ(folded.size(), 6u);
    // Heights are measured from the middle of the mesh box.
    for (const OutlineRecord& record : folded) {
        EXPECT_GE(record.pointA.y, -0.5f);
        EXPECT_LE(record.pointA.y, 0.5f);
    }
    EXPECT_FLOAT_EQ(folded[0].pointA.y, -0.5f);
}

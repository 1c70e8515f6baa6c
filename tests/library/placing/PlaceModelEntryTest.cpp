#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <regex>
#include <string>
#include <vector>

#include "PlacingFixture.h"
#include "document/EditMode.h"
#include "foundation/GeometryMath.h"
#include "library/placing/LibraryPlacing.h"
#include "objects/2DPictureShape.h"
#include "objects/HistoryRecord.h"
#include "objects/ModelPackageWriter.h"

namespace {

using placing_test::PlacingTest;

constexpr const char* kChair = "扶手椅.qvx";  // 100 x 60 x 80
constexpr const char* kTable = "餐桌.qvx";    // 150 x 90 x 75

class PlaceModelEntryTest : public PlacingTest {
protected:
    ModelPlacingResult Place(ModelCatalogEntry& entry, const LibraryDropPoint& drop, int mode = 0,
                             bool keepSize = false) {
        LibraryPlacingOptions options;
        options.mode = mode;
        options.keepSize = keepSize;
        return PlaceModelEntry(*doc, entry, drop, options);
    }
};

TEST_F(PlaceModelEntryTest, ADropOnThePlanPutsTheFootprintCornerThere) {
    ModelCatalogEntry chair = ModelEntry(kChair);
    ASSERT_EQ(chair.width, 100.0f);
    const ModelPlacingResult result = Place(chair, Drop(500.0f, -300.0f, 0.0f, 0));

    ASSERT_NE(result.placed, nullptr);
    CModelObject& model = static_cast<CModelObject&>(*result.placed);
    EXPECT_EQ(Models(), std::vector<CModelObject*>{&model});
    // The mesh is as large as the catalogue says, so its scale stays 1.
    EXPECT_FLOAT_EQ(model.GetExtent()[0], 100.0f);
    EXPECT_FLOAT_EQ(model.GetExtent()[1], 60.0f);
    EXPECT_FLOAT_EQ(model.GetScale()[0], 1.0f);
    EXPECT_FLOAT_EQ(model.GetPosition().x, 550.0f);
    EXPECT_FLOAT_EQ(model.GetPosition().z, -330.0f);
    EXPECT_FLOAT_EQ(model.GetPosition().y, 0.0f);
    EXPECT_EQ(model.GetFilePath(), chair.filePath);
    EXPECT_EQ(model.GetName(), chair.name);
    EXPECT_EQ(model.GetPrice(), chair.price);
    EXPECT_NE(model.GetMesh(), nullptr);
    EXPECT_FALSE(chair.planSymbolName.empty());
    EXPECT_FALSE(model.GetPointRecords().empty());

    // Its plan symbol is sized to the footprint and listed with the others.
    C2DPictureShape* icon = model.GetPlanIcon();
    ASSERT_NE(icon, nullptr);
    EXPECT_EQ(icon->GetWidth(), 100);
    EXPECT_EQ(icon->GetHeight(), 60);
    EXPECT_EQ(scene->Objects(kModelIconShapeType), std::vector<CDesignObject*>{icon});

    // One undo step adds it.
    ASSERT_EQ(doc->HistoryList(0).size(), 1u);
    const HistoryRecord& record = *doc->HistoryList(0).back();
    EXPECT_EQ(record.count, 1);
    EXPECT_EQ(record.objectType, kModelObjectType);
    EXPECT_EQ(record.operation, kHistoryAdd);
    EXPECT_EQ(doc->GetCurrentFurniture(), &model);
    EXPECT_EQ(doc->GetLastPlacedObject(), &model);
    EXPECT_EQ(doc->GetDesignModified(), 1);
    EXPECT_EQ(view3D.hints.back(), kFullRefreshHint);

    doc->Undo();
    EXPECT_TRUE(Models().empty());
    EXPECT_TRUE(scene->Objects(kModelIconShapeType).empty());
    EXPECT_EQ(doc->GetLastPlacedObject(), nullptr);
}

TEST_F(PlaceModelEntryTest, WhereTheModelGoesByTheDropPoint) {
    // The camera looks along +x from (1000, 150, -1000).
    view3D.heading = kPi / 2.0;
    const float ahead = 1000.0f + 350.0f;
    const struct {
        const char* name;
        LibraryDropPoint drop;
        float x;
        float z;
    } cases[] = {
        {"centred on the point", Drop(500.0f, -300.0f, 0.0f, 1), 500.0f, -300.0f},
        {"the buttons' point is none", LibraryDropPoint{}, ahead, -1000.0f},
        {"left of the plan", Drop(-1.0f, -300.0f, 0.0f, 0), ahead, -1000.0f},
        {"above the plan", Drop(500.0f, 1.0f, 0.0f, 0), ahead, -1000.0f},
        {"on the plan's edge", Drop(0.0f, 0.0f, 0.0f, 1), 0.0f, 0.0f},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ModelCatalogEntry chair = ModelEntry(kChair);
        C3DObject* model = Place(chair, c.drop).placed;
        ASSERT_NE(model, nullptr);
        EXPECT_NEAR(model->GetPosition().x, c.x, 1e-3);
        EXPECT_NEAR(model->GetPosition().z, c.z, 1e-3);
        EXPECT_FLOAT_EQ(model->GetPosition().y, 0.0f);
    }
}

TEST_F(PlaceModelEntryTest, TheCatalogueSizeScalesTheModelOnlyWhenAllThreeAreGiven) {
    const struct {
        float width;
        float depth;
        float height;
        std::array<float, 3> scale;  // x, y, z
    } cases[] = {
        {200.0f, 120.0f, 40.0f, {2.0f, 0.5f, 2.0f}},
        {0.0f, 120.0f, 40.0f, {1.0f, 1.0f, 1.0f}},
        {200.0f, 0.0f, 40.0f, {1.0f, 1.0f, 1.0f}},
        {200.0f, 120.0f, 0.0f, {1.0f, 1.0f, 1.0f}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.width << " x " << c.depth << " x " << c.height);
        ModelCatalogEntry chair = ModelEntry(kChair);
        chair.width = c.width;
        chair.depth = c.depth;
        chair.height = c.height;
        C3DObject* model = Place(chair, LibraryDropPoint{}).placed;
        ASSERT_NE(model, nullptr);
        for (int axis = 0; axis < 3; ++axis) {
            EXPECT_NEAR(model->GetScale()[axis], c.scale[axis], 1e-5) << axis;
        }
        EXPECT_EQ(model->GetPlanIcon()->GetWidth(), RoundToInt(100.0f * c.scale[0]));
    }
}

TEST_F(PlaceModelEntryTest, AFlatModelKeepsItsScaleAlongTheAxisWithoutExtent) {
    // The test box of side 2 pressed flat onto y = 0.
    std::ifstream file(VELMORA_TEST_DATA_DIR "/gfx/box_two_materials.x", std::ios::binary);
    const std::string box{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    const std::string flat =
        std::regex_replace(box, std::regex(R"(\n(\s*)(-?1);(-?1);(-?1);)"), "\n$1$2;0;$4;");
    ASSERT_NE(flat, box);
    PackagedModelContents contents;
    contents.name = "flat";
    contents.mesh.assign(flat.begin(), flat.end());
    const std::filesystem::path path = PathOf("SModel/01桌椅/flat.qvx");
    std::string error;
    ASSERT_TRUE(WriteModelPackage(path, contents, &error)) << error;

    ModelCatalogEntry entry;
    entry.name = "flat";
    entry.filePath = path.string();
    entry.width = 100.0f;
    entry.depth = 50.0f;
    entry.height = 20.0f;
    C3DObject* model = Place(entry, LibraryDropPoint{}).placed;
    ASSERT_NE(model, nullptr);
    EXPECT_FLOAT_EQ(model->GetExtent()[2], 0.0f);
    EXPECT_FLOAT_EQ(model->GetScale()[0], 50.0f);
    EXPECT_FLOAT_EQ(model->GetScale()[1], 1.0f);
    EXPECT_FLOAT_EQ(model->GetScale()[2], 25.0f);
    // The height stored with the model stays a number.
    EXPECT_FLOAT_EQ(model->GetRealSize()[2], 0.0f);
    for (const auto& row : model->GetWorldMatrix().m) {
        for (const float value : row) {
            EXPECT_TRUE(std::isfinite(value));
        }
    }
}

TEST_F(PlaceModelEntryTest, AMissingPackagePlacesNothingInAnyMode) {
    for (const int mode : {0, 1, 2, 3}) {
        SCOPED_TRACE(mode);
        messages.clear();
        ModelCatalogEntry chair = ModelEntry(kChair);
        chair.filePath = PathOf("SModel/01桌椅/gone.qvx").string();
        const ModelPlacingResult result = Place(chair, Drop(500.0f, -300.0f, 0.0f, 0), mode);
        EXPECT_EQ(result.placed, nullptr);
        EXPECT_FALSE(result.doorFlag);
        EXPECT_EQ(messages, std::vector<std::string>{"找不到模型檔：" + chair.filePath});
        EXPECT_TRUE(Models().empty());
        EXPECT_TRUE(doc->HistoryList(0).empty());
        EXPECT_EQ(doc->GetDesignModified(), 0);
    }
}

TEST_F(PlaceModelEntryTest, NothingIsPlacedWhileTheDocumentIsBusy) {
    ModelCatalogEntry chair = ModelEntry(kChair);
    doc->SetBusy(1);
    EXPECT_EQ(Place(chair, Drop(500.0f, -300.0f, 0.0f, 0)).placed, nullptr);
    EXPECT_TRUE(Models().empty());
    EXPECT_TRUE(doc->HistoryList(0).empty());
    // The door and window editor keeps the document busy while it asks
    // for its model.
    doc->SetEditMode(EditMode::kDoorWindow);
    EXPECT_NE(Place(chair, LibraryDropPoint{}, 2).placed, nullptr);
    doc->SetEditMode(EditMode::kNone);
    doc->SetBusy(0);
    EXPECT_NE(Place(chair, Drop(500.0f, -300.0f, 0.0f, 0)).placed, nullptr);
}

TEST_F(PlaceModelEntryTest, DoorModeTellsDoorsByTheirFolderOrName) {
    const struct {
        const char* file;
        const char* name;
        bool door;
    } cases[] = {
        {"單開門.qvx", nullptr, true},
        {kChair, nullptr, false},
        {kChair, "m16-01", true},
        {kChair, "XM16", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        view3D.hints.clear();
        ModelCatalogEntry entry = ModelEntry(c.file);
        if (c.name != nullptr) {
            entry.name = c.name;
        }
        const ModelPlacingResult result = Place(entry, LibraryDropPoint{}, 2);
        ASSERT_NE(result.placed, nullptr);
        EXPECT_EQ(result.doorFlag, c.door);
        EXPECT_EQ(doc->GetLastPlacedObject(), result.placed);
        // The wall-face editor refreshes the views once it has the model.
        EXPECT_TRUE(view3D.hints.empty());
    }
}

TEST_F(PlaceModelEntryTest, ReplacingThreeChairsGivesThreeTablesWhereTheyStood) {
    std::vector<C3DObject*> chairs;
    for (int i = 0; i < 3; ++i) {
        ModelCatalogEntry chair = ModelEntry(kChair);
        C3DObject* placed = Place(chair, Drop(200.0f * (i + 1), -300.0f, 0.0f, 1)).placed;
        ASSERT_NE(placed, nullptr);
        placed->SetRotation(0.5f * static_cast<float>(i), 0.0f, 0.1f);
        scene->SelectObject(kModelObjectType, placed);
        chairs.push_back(placed);
    }
    const std::size_t before = doc->HistoryList(0).size();

    ModelCatalogEntry table = ModelEntry(kTable);
    const ModelPlacingResult result = Place(table, LibraryDropPoint{}, 1);

    const std::vector<CModelObject*> models = Models();
    ASSERT_EQ(models.size(), 3u);
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        const CModelObject& placed = *models[i];
        EXPECT_EQ(placed.GetFilePath(), table.filePath);
        EXPECT_FLOAT_EQ(placed.GetPosition().x, 200.0f * (i + 1));
        EXPECT_FLOAT_EQ(placed.GetPosition().z, -300.0f);
        EXPECT_FLOAT_EQ(static_cast<float>(placed.GetHeading()), 0.5f * static_cast<float>(i));
        EXPECT_FLOAT_EQ(static_cast<float>(placed.GetRoll()), 0.1f);
        // Without keep-size the table keeps its catalogue size.
        EXPECT_NEAR(placed.GetRealSize()[0], 150.0f, 1e-3);
        EXPECT_EQ(placed.IsSelected(), i == 2 ? 1 : 0);
        EXPECT_EQ(placed.GetPlanIcon()->IsSelected(), i == 2 ? 1 : 0);
    }
    EXPECT_EQ(result.placed, models[2]);
    EXPECT_EQ(scene->Selected(kModelObjectType), std::vector<CDesignObject*>{models[2]});
    EXPECT_EQ(scene->Objects(kModelIconShapeType).size(), 3u);

    // A delete and an add per chair, each pair one undo step.
    const auto& undo = doc->HistoryList(0);
    ASSERT_EQ(undo.size(), before + 6);
    for (std::size_t i = before; i < undo.size(); ++i) {
        EXPECT_EQ(undo[i]->count, 2);
        EXPECT_EQ(undo[i]->objectType, kModelObjectType);
        EXPECT_EQ(undo[i]->operation, (i - before) % 2 == 0 ? kHistoryDelete : kHistoryAdd);
    }
    doc->Undo();
    const std::vector<CModelObject*> afterUndo = Models();
    ASSERT_EQ(afterUndo.size(), 3u);
    EXPECT_EQ(afterUndo[2], chairs[2]);
    EXPECT_EQ(scene->Objects(kModelIconShapeType).size(), 3u);
}

TEST_F(PlaceModelEntryTest, AReplacementKeepsTheReplacedSizeWhenAsked) {
    ModelCatalogEntry chair = ModelEntry(kChair);
    C3DObject* old = Place(chair, Drop(500.0f, -300.0f, 0.0f, 1)).placed;
    ASSERT_NE(old, nullptr);
    scene->SelectObject(kModelObjectType, old);

    ModelCatalogEntry table = ModelEntry(kTable);
    C3DObject* placed = Place(table, LibraryDropPoint{}, 1, true).placed;
    ASSERT_NE(placed, nullptr);
    EXPECT_NEAR(placed->GetRealSize()[0], 100.0f, 1e-3);
    EXPECT_NEAR(placed->GetRealSize()[1], 60.0f, 1e-3);
    EXPECT_NEAR(placed->GetRealSize()[2], 80.0f, 1e-3);
    EXPECT_NEAR(placed->GetScale()[0], 100.0f / 150.0f, 1e-5);
    EXPECT_EQ(placed->GetPlanIcon()->GetWidth(), 100);
}

TEST_F(PlaceModelEntryTest, ReplacingWithNothingSelectedPlacesNothing) {
    ModelCatalogEntry table = ModelEntry(kTable);
    EXPECT_EQ(Place(table, LibraryDropPoint{}, 1).placed, nullptr);
    EXPECT_TRUE(Models().empty());
    EXPECT_TRUE(doc->HistoryList(0).empty());
}

}  // namespace

#include "objects/ModelObject.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <fstream>
#include <iterator>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "FakeDocumentServices.h"
#include "ModelObjectTestPackage.h"
#include "PlainMaterialBytes.h"
#include "SurfaceRecordBytes.h"
#include "Test3DObject.h"
#include "foundation/ApplicationValues.h"
#include "objects/2DPictureShape.h"
#include "objects/CatalogDatabase.h"
#include "objects/CostItemRecord.h"
#include "objects/ModelPackage.h"
#include "objects/ObjectTypeCodes.h"
#include "platform/draw/RecordingDrawContext.h"
#include "platform/fs/StoredPath.h"
#include "support/TempFolder.h"

namespace {

using model_test::kBoxTexture;
using model_test::MakePackage;
using model_test::PackageLayout;

// A scene that finds the files that exist and reports the others.
class ModelScene : public VersionedScene {
public:
    HRESULT LocateMissingFile(int kind, std::string& path) override {
        located.push_back(kind);
        std::error_code error;
        if (std::filesystem::is_regular_file(path, error)) {
            return S_OK;
        }
        missingFiles.push_back(path);
        return E_FAIL;
    }

    std::vector<int> located;
};

struct MaterialSpec {
    std::string name = "材質";
    gfx::ColorValue diffuse = {0.8f, 0.6f, 0.4f, 1.0f};
};

struct RecordLayout {
    std::string packagePath;
    std::array<float, 3> realSize = {4.0f, 2.0f, 1.0f};  // x, z, y
    float heading = 0.25f;
    int32_t planSymbol = 1;
    int32_t planOutline = 0;
    int32_t mirrorMode = 0;
    int32_t nameLength = -2;  // the stored length; -2 writes the name itself
    int32_t lightCount = 1;
    std::optional<int32_t> materialCount;  // else one per material given
    std::vector<MaterialSpec> materials = {{kBoxTexture}, {"材質", {1.0f, 1.0f, 1.0f, 0.5f}}};
    bool shortMaterials = false;
};

// A model record laid out by hand field by field.
std::string MakeModelRecord(const RecordLayout& layout) {
    ByteSink sink;
    sink.Double(12.0);
    sink.Floats({100.0f, 0.0f, -50.0f});
    sink.Floats({layout.realSize[0], layout.realSize[1], layout.realSize[2]});
    sink.Floats({layout.heading, 0.0f, 0.0f});
    sink.Int(1).Int(1).Int(0).Int(0).Int(1);
    sink.Floats({0.1f, 0.1f, 0.1f, 1.0f, 0.9f, 0.8f, 0.7f, 1.0f});
    sink.Floats({0.0f, 0.0f, 0.0f, 1.0f, 0.0f, 0.0f, 0.0f, 1.0f});
    sink.Floats({1.0f, 2.0f, 3.0f, 0.5f});
    sink.Float(12.5f).Float(880.0f);
    sink.Int(layout.planSymbol)
        .Int(layout.planOutline)
        .Int(0x00336699)
        .Int(0)
        .Int(layout.mirrorMode);
    sink.Zeros(80);
    sink.Text(pfs::ToStoredPath(layout.packagePath));
    if (layout.nameLength == -2) {
        sink.Text("方盒");
    } else {
        sink.Int(layout.nameLength);
    }
    sink.Text("http://example.invalid/box").Int(0).Text("備註");
    sink.Int(layout.lightCount);
    // A count too large for the file is followed by one number only.
    for (int32_t i = 0; i < std::clamp(layout.lightCount, 0, 1); ++i) {
        sink.Double(3.0);
    }
    sink.Int(layout.materialCount.value_or(static_cast<int32_t>(layout.materials.size())));
    for (const MaterialSpec& material : layout.materials) {
        AppendPlainMaterial(sink, material.name, material.diffuse, layout.shortMaterials);
    }
    return sink.Bytes();
}

class ModelObjectTest : public testing::Test {
protected:
    ModelObjectTest() {
        light.SetObjectNumber(3.0);
        scene.lights[3] = &light;
    }

    std::string WritePackage(const PackageLayout& layout, const std::string& name = "box.qvx") {
        return folder.Write(name, MakePackage(layout)).string();
    }

    RecordLayout Record(const PackageLayout& package = {}) {
        RecordLayout layout;
        layout.packagePath = WritePackage(package);
        return layout;
    }

    TempFolder folder;
    FakeDocumentServices document;
    ModelScene scene;
    CTest3DObject light{kLightObjectType};
};

TEST_F(ModelObjectTest, PackageGivesMeshMaterialsAndOutline) {
    const CModelPackage package(WritePackage({}), kPackageReadAll);
    CModelObject model;
    ASSERT_EQ(model.LoadFromPackage(package), 1);
    ASSERT_NE(model.GetMesh(), nullptr);
    EXPECT_EQ(model.GetMesh()->GetFvf(), 0x112u);
    EXPECT_EQ(model.GetExtent(), (std::array<float, 3>{2.0f, 2.0f, 2.0f}));
    ASSERT_EQ(model.GetMaterialCount(), 2);
    EXPECT_EQ(model.GetBasePartCount(), 2);
    // Ambient is taken from diffuse.
    EXPECT_EQ(model.GetMaterial(0).ambient.g, 0.6f);
    EXPECT_EQ(model.GetMaterial(1).ambient.a, 0.5f);
    EXPECT_EQ(model.GetMaterial(0).power, 20.0f);
    // Without a device no texture is made, and the name says so.
    EXPECT_EQ(model.GetTextureNames(), (std::vector<std::string>{"材質", "材質"}));
}

TEST_F(ModelObjectTest, OnlyPackagesUpToVersionFiveStandOnTheFloor) {
    struct Case {
        int version;
        gfx::Vector3 boxMin;
    };
    for (const Case& c : {Case{5, {-1.0f, 0.0f, -1.0f}}, Case{6, {9.0f, -1.0f, -1.0f}},
                          Case{9, {9.0f, -1.0f, -1.0f}}}) {
        PackageLayout layout;
        layout.version = c.version;
        const CModelPackage package(WritePackage(layout), kPackageReadAll);
        CModelObject model;
        ASSERT_EQ(model.LoadFromPackage(package), 1) << c.version;
        EXPECT_EQ(model.GetBoxMin().x, c.boxMin.x) << c.version;
        EXPECT_EQ(model.GetBoxMin().y, c.boxMin.y) << c.version;
        EXPECT_EQ(model.GetBoxMin().z, c.boxMin.z) << c.version;
    }
}

TEST_F(ModelObjectTest, PackageWithoutUsableMeshLeavesTheModelAsItWas) {
    CModelObject model;
    EXPECT_EQ(model.LoadFromPackage(CModelPackage()), 0);
    EXPECT_EQ(model.GetMesh(), nullptr);
    EXPECT_EQ(model.LoadModelFile(folder.Write("not.qvx", "Orvik\x09").string()), E_FAIL);
    EXPECT_EQ(model.GetPlanIcon(), nullptr);
}

TEST(ModelObjectTextureTest, TextureMatchesOnItsNameOrItsFirstEighteenBytes) {
    const std::vector<PackagedTexture> textures = {{"abcdefghijklmnopqrXX", nullptr},
                                                   {"wood.bmp", nullptr},
                                                   {"許氏木紋木紋木紋木紋", nullptr}};
    struct Case {
        std::string name;
        int found;  // index, -1 none
    };
    for (const Case& c :
         {Case{"wood.bmp", 1}, Case{"WOOD.bmp", -1}, Case{"wood.bm", -1},
          // A 20-byte field cut the package's name.
          Case{"abcdefghijklmnopqrstuvw.bmp", 0}, Case{"abcdefghijklmnopqYY", -1},
          // 18 CP950 bytes are nine characters.
          Case{"許氏木紋木紋木紋木.jpg", 2}, Case{"許氏木紋木紋木紋樹.jpg", -1}, Case{"", -1}}) {
        const PackagedTexture* found = CModelObject::FindPackagedTexture(textures, c.name);
        EXPECT_EQ(found == nullptr ? -1 : static_cast<int>(found - textures.data()), c.found)
            << c.name;
    }
}

TEST_F(ModelObjectTest, HandLaidRecordReadsAndWritesBackByteForByte) {
    const std::string bytes = MakeModelRecord(Record());
    CModelObject model;
    const ReadOutcome outcome = ReadRecordBytes(model, bytes);
    ASSERT_EQ(outcome.result, S_OK);
    EXPECT_EQ(outcome.next, kSentinel);
    EXPECT_EQ(scene.located, std::vector<int>{kModelObjectType});

    EXPECT_EQ(model.GetObjectNumber(), 12.0);
    EXPECT_EQ(model.GetName(), "方盒");
    EXPECT_EQ(model.GetWebLink(), "http://example.invalid/box");
    EXPECT_EQ(model.GetNote(), "備註");
    EXPECT_EQ(model.GetPrice(), 880.0f);
    EXPECT_EQ(model.GetColor(), 0x00336699u);
    EXPECT_EQ(model.GetShadowLights(), std::vector<C3DObject*>{&light});
    // Material 0's power goes to every material.
    EXPECT_EQ(model.GetMaterial(0).power, 12.5f);
    EXPECT_EQ(model.GetMaterial(1).power, 12.5f);
    EXPECT_EQ(model.GetMaterial(1).diffuse.a, 0.5f);
    EXPECT_EQ(model.GetTextureNames(), (std::vector<std::string>{kBoxTexture, "材質"}));
    // Extent 2 on every axis against real sizes x 4, z 2, y 1.
    EXPECT_EQ(model.GetScale(), (std::array<float, 3>{2.0f, 0.5f, 1.0f}));
    ASSERT_NE(model.GetPlanIcon(), nullptr);
    EXPECT_EQ(model.GetPlanIcon()->GetColor(), 0x00336699u);
    EXPECT_EQ(model.IsTranslucent(), 1);

    EXPECT_EQ(WriteRecordBytes(model), bytes);
}

// The box with one coordinate of every vertex set to 0: flat along that
// axis (0 x, 1 y, 2 z).
std::string FlattenedBoxMesh(int axis) {
    std::string mesh = model_test::BoxMesh();
    const std::string start = "Mesh BoxMesh {\n  24;\n";
    std::size_t line = mesh.find(start) + start.size();
    for (int vertex = 0; vertex < 24; ++vertex) {
        // "  a;b;c;," : the coordinate's text ends at its ';'.
        std::size_t begin = line + 2;
        for (int k = 0; k < axis; ++k) {
            begin = mesh.find(';', begin) + 1;
        }
        mesh.replace(begin, mesh.find(';', begin) - begin, "0");
        line = mesh.find('\n', line) + 1;
    }
    return mesh;
}

// A flat model (a rug, a picture) has no extent to divide its size by on
// one axis: that axis keeps scale 1 as read, and after a resize.
TEST_F(ModelObjectTest, FlatAxisKeepsScaleOne) {
    for (const int axis : {0, 1, 2}) {
        SCOPED_TRACE(axis);
        PackageLayout package;
        package.mesh = FlattenedBoxMesh(axis);
        CModelObject model;
        ASSERT_EQ(ReadRecordBytes(model, MakeModelRecord(Record(package))).result, S_OK);
        // Extent 2 on the other axes against real sizes x 4, z 2, y 1.
        std::array<float, 3> expected = {2.0f, 0.5f, 1.0f};
        expected[axis] = 1.0f;
        EXPECT_EQ(model.GetScale(), expected);

        model.SetScale(3.0f, 3.0f, 3.0f);
        expected = {3.0f, 3.0f, 3.0f};
        expected[axis] = 1.0f;
        EXPECT_EQ(model.GetScale(), expected);
    }
}

TEST_F(ModelObjectTest, CopyHasAMeshOfItsOwn) {
    CModelObject model;
    ASSERT_EQ(ReadRecordBytes(model, MakeModelRecord(Record())).result, S_OK);
    const std::unique_ptr<CDesignObject> copy = model.Clone();
    const auto& copied = static_cast<const CModelObject&>(*copy);
    ASSERT_NE(copied.GetMesh(), nullptr);
    EXPECT_NE(copied.GetMesh(), model.GetMesh());
    EXPECT_EQ(copied.GetMesh()->GetNumFaces(), model.GetMesh()->GetNumFaces());
    EXPECT_EQ(copied.GetTextureNames(), model.GetTextureNames());
    EXPECT_EQ(copied.GetType(), kModelObjectType);
}

TEST_F(ModelObjectTest, FilesOfVersion604HoldShortMaterials) {
    scene.version = 6.04f;
    RecordLayout layout = Record();
    layout.shortMaterials = true;
    CModelObject model;
    const ReadOutcome outcome = ReadRecordBytes(model, MakeModelRecord(layout));
    ASSERT_EQ(outcome.result, S_OK);
    EXPECT_EQ(outcome.next, kSentinel);
    EXPECT_EQ(model.GetMaterial(1).diffuse.a, 0.5f);
}

TEST_F(ModelObjectTest, StoredMaterialsApplyOnlyWhereThePackageHasThem) {
    struct Case {
        const char* what;
        std::vector<MaterialSpec> materials;
        std::vector<std::string> names;
        float secondAlpha;
    };
    const MaterialSpec red{"材質", {1.0f, 0.0f, 0.0f, 1.0f}};
    const std::vector<Case> cases = {
        // The package's second material stays as the package has it.
        {"fewer", {red}, {"材質", "材質"}, 0.5f},
        {"more", {red, red, {"extra.bmp", {0.0f, 0.0f, 1.0f, 1.0f}}}, {"材質", "材質"}, 1.0f},
        {"none", {}, {"材質", "材質"}, 0.5f},
    };
    for (const Case& c : cases) {
        RecordLayout layout = Record();
        layout.materials = c.materials;
        CModelObject model;
        const ReadOutcome outcome = ReadRecordBytes(model, MakeModelRecord(layout));
        ASSERT_EQ(outcome.result, S_OK) << c.what;
        EXPECT_EQ(outcome.next, kSentinel) << c.what;
        ASSERT_EQ(model.GetMaterialCount(), 2) << c.what;
        EXPECT_EQ(model.GetTextureNames(), c.names) << c.what;
        EXPECT_EQ(model.GetMaterial(1).diffuse.a, c.secondAlpha) << c.what;
        EXPECT_EQ(model.GetMaterial(1).power, 12.5f) << c.what;
        // A save writes what the model holds: one record per material.
        EXPECT_EQ(WriteRecordBytes(model).size(), MakeModelRecord(Record()).size()) << c.what;
    }
}

TEST_F(ModelObjectTest, CountsBeyondTheFileRefuseTheRecord) {
    struct Case {
        const char* what;
        int32_t lights;
        std::optional<int32_t> materials;
    };
    for (const Case& c :
         {Case{"negative lights", -1, {}}, Case{"huge lights", 0x10000000, {}},
          Case{"negative materials", 0, -5}, Case{"materials past the end", 0, 3}}) {
        RecordLayout layout = Record();
        layout.lightCount = c.lights;
        layout.materialCount = c.materials;
        CModelObject model;
        const ReadOutcome outcome = ReadRecordBytes(model, MakeModelRecord(layout));
        EXPECT_EQ(outcome.result, E_FAIL) << c.what;
        EXPECT_TRUE(outcome.readerError) << c.what;
        EXPECT_EQ(model.GetMesh(), nullptr) << c.what;
    }
}

TEST_F(ModelObjectTest, MissingPackageFailsTheRecordButKeepsTheFileInStep) {
    RecordLayout layout = Record();
    layout.packagePath = (folder.Path() / "gone.qvx").string();
    CModelObject model;
    const ReadOutcome outcome = ReadRecordBytes(model, MakeModelRecord(layout));
    EXPECT_EQ(outcome.result, E_FAIL);
    EXPECT_FALSE(outcome.readerError);
    EXPECT_EQ(outcome.next, kSentinel);
    EXPECT_EQ(scene.missingFiles, std::vector<std::string>{layout.packagePath});
}

TEST_F(ModelObjectTest, EmptyStoredTextsLeaveTheMembersAsTheyWere) {
    for (const int32_t length : {0, -1}) {
        RecordLayout layout = Record();
        layout.nameLength = length;
        CModelObject model;
        model.SetName("舊名");
        const ReadOutcome outcome = ReadRecordBytes(model, MakeModelRecord(layout));
        ASSERT_EQ(outcome.result, S_OK) << length;
        EXPECT_EQ(outcome.next, kSentinel) << length;
        EXPECT_EQ(model.GetName(), "舊名") << length;
        EXPECT_EQ(model.GetTriggerSound(), "") << length;
    }
}

TEST_F(ModelObjectTest, MirrorModesTurnOrMirrorTheModelAsRead) {
    struct Case {
        int32_t stored;
        int32_t mode;
        float heading;
        gfx::Vector3 edgeStart;
    };
    const float turned = 0.25f + GetPi();
    for (const Case& c : {Case{0, 0, 0.25f, {1, 2, 3}}, Case{1, 1, 0.25f, {-1, 2, 3}},
                          Case{2, 2, 0.25f, {1, 2, -3}}, Case{3, 0, turned, {1, 2, 3}}}) {
        RecordLayout layout = Record();
        layout.mirrorMode = c.stored;
        CModelObject model;
        ASSERT_EQ(ReadRecordBytes(model, MakeModelRecord(layout)).result, S_OK) << c.stored;
        EXPECT_EQ(model.GetMirrorMode(), c.mode) << c.stored;
        EXPECT_EQ(static_cast<float>(model.GetHeading()), c.heading) << c.stored;
        ASSERT_EQ(model.GetPointRecords().size(), 1u);
        const gfx::Vector3 start = model.GetPointRecords()[0].pointA;
        EXPECT_EQ(start.x, c.edgeStart.x) << c.stored;
        EXPECT_EQ(start.z, c.edgeStart.z) << c.stored;
    }
}

TEST_F(ModelObjectTest, DesignsBefore601ShowTheSymbolOnlyWhenThePackageHasOne) {
    scene.version = 6.0f;
    for (const char* symbolName : {"", "box.dxf"}) {
        PackageLayout package;
        package.symbolName = symbolName;
        RecordLayout layout = Record(package);
        layout.shortMaterials = true;
        layout.planOutline = 1;
        layout.planSymbol = 1;
        CModelObject model;
        ASSERT_EQ(ReadRecordBytes(model, MakeModelRecord(layout)).result, S_OK);
        EXPECT_EQ(model.GetPlanOutlineShown(), 0) << symbolName;
        EXPECT_EQ(model.GetPlanSymbolShown(), *symbolName != '\0' ? 1 : 0) << symbolName;
    }
}

// The plan outline of a box standing on the floor: its four top edges seen
// from above, and a bottom edge that faces down and is not drawn.
TEST_F(ModelObjectTest, BoxOutlineIsDrawnEdgeByEdgeInThePlanColour) {
    PackageLayout package;
    package.version = 5;
    package.edges = {{-1, 1, -1, 1, 1, -1, 0, 1, 0},
                     {1, 1, -1, 1, 1, 1, 0, 1, 0},
                     {1, 1, 1, -1, 1, 1, 0, 1, 0},
                     {-1, 1, 1, -1, 1, -1, 0, 1, 0},
                     {-1, -1, -1, 1, -1, -1, 0, -1, 0}};
    RecordLayout layout = Record(package);
    layout.realSize = {2.0f, 2.0f, 2.0f};
    layout.heading = 0.0f;
    layout.planOutline = 1;
    CModelObject model;
    ASSERT_EQ(ReadRecordBytes(model, MakeModelRecord(layout)).result, S_OK);
    model.UpdatePlanOutline();

    const auto drawnLines = [&model](bool printing) {
        draw::RecordingDrawContext dc({400, 400}, 96, printing);
        model.Draw(dc, draw::R2_COPYPEN);
        std::vector<std::array<int32_t, 5>> lines;
        for (const draw::DrawRecord& record : dc.Records()) {
            lines.push_back({record.points[0].x, record.points[0].y, record.points[1].x,
                             record.points[1].y, static_cast<int32_t>(record.state.pen.color)});
        }
        return lines;
    };
    const int32_t colour = 0x00336699;
    EXPECT_EQ(drawnLines(false), (std::vector<std::array<int32_t, 5>>{{99, 51, 101, 51, colour},
                                                                      {101, 51, 101, 49, colour},
                                                                      {101, 49, 99, 49, colour},
                                                                      {99, 49, 99, 51, colour}}));
    model.SetSelected(1);
    EXPECT_EQ(drawnLines(false)[0][4], 0x0000FF);
    EXPECT_EQ(drawnLines(true)[0][4], colour);

    model.SetPlanSymbolShown(0);
    EXPECT_TRUE(drawnLines(false).empty());
}

// A catalogue that knows one model row.
class ModelCatalogue : public CCatalogDatabase {
public:
    explicit ModelCatalogue(std::vector<std::string>* keys) : m_keys(keys) {}
    int Open(const std::string&) override { return 1; }
    void Close() override {}
    bool IsOpen() const override { return true; }
    void ScanModelFolder(const std::string&, CatalogEntryList&) override {}
    void ScanPictureFolder(const std::string&, CatalogEntryList&) override {}
    void ScanTextureFolder(const std::string&, CatalogEntryList&) override {}
    void SetModelRate(const std::string&, int) override {}
    void SetPictureRate(const std::string&, int) override {}
    void SetTextureRate(const std::string&, int) override {}
    int SortModelsByRate(CatalogEntryList&) override { return 0; }
    int SortPicturesByRate(CatalogEntryList&) override { return 0; }
    int SortTexturesByRate(CatalogEntryList&) override { return 0; }
    int LookupModelCostInfo(const std::string& key, CostItemRecord& item) override {
        m_keys->push_back(key);
        item.serialNumber = "S-9";
        item.vendor = "Acme";
        return 1;
    }

private:
    std::vector<std::string>* m_keys;
};

TEST(ModelObjectCostTest, CostKeyIsTheFileNameWithoutFolderAndLastFourCharacters) {
    for (const auto& [path, key] : std::vector<std::pair<std::string, std::string>>{
             {"/lib/SModel/沙發/三人沙發.qvx", "三人沙發"},
             {"chair.QVX", "chair"},
             {"/lib/a.qv", ""},
             {"", ""}}) {
        EXPECT_EQ(CModelObject::GetCostKey(path), key) << path;
    }
}

TEST(ModelObjectCostTest, LibraryRecordTakesNamePriceAndTheCatalogueRow) {
    std::vector<std::string> keys;
    SetCatalogDatabaseFactory([&keys] { return std::make_unique<ModelCatalogue>(&keys); });
    CModelObject model;
    model.SetFilePath("/lib/SModel/椅子/餐椅.qvx");
    model.SetPrice(1200.0f);
    CostItemRecord item;
    item.name = "舊的";
    model.FillLibraryRecord(item);
    // An empty name leaves the item's.
    EXPECT_EQ(item.name, "舊的");
    model.SetName("餐椅");
    model.FillLibraryRecord(item);
    SetCatalogDatabaseFactory({});
    EXPECT_EQ(item.name, "餐椅");
    EXPECT_EQ(item.unitPrice, 1200.0f);
    EXPECT_EQ(item.serialNumber, "S-9");
    EXPECT_EQ(item.vendor, "Acme");
    EXPECT_EQ(keys, (std::vector<std::string>{"餐椅", "餐椅"}));
}

}  // namespace

#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <string>
#include <vector>

#include "FakeDocumentServices.h"
#include "SurfaceRecordBytes.h"
#include "Test3DObject.h"
#include "TestWall.h"
#include "document/DesignFileBytes.h"
#include "foundation/MaterialPresets.h"
#include "foundation/Prompt.h"
#include "objects/ObjectTypeCodes.h"
#include "objects/WallObject.h"

namespace {

// The counts of a wall record that a damaged file can get wrong.
enum class Count { None, Outline, Lights, Materials, Legacy1, Legacy2, Legacy3, Items, ItemPoints };

struct WallRecordValues {
    double number = 7.0;
    std::array<float, 3> position = {100.0f, 0.0f, -50.0f};
    float maxY = 280.0f;
    std::array<float, 3> realSize = {200.0f, 100.0f, 280.0f};  // x, z, y
    int materials = 2;
    bool shortMaterials = false;
    bool faceItem = false;
    bool partCentres = true;
    Count damaged = Count::None;
    int32_t damagedValue = 0;
};

constexpr gfx::ColorValue kRed = {1.0f, 0.0f, 0.0f, 1.0f};

// A stored count, or the damaged value in its place.
int32_t CountOf(const WallRecordValues& values, Count which, int32_t value) {
    return values.damaged == which ? values.damagedValue : value;
}

void AppendMaterial(ByteSink& sink, std::string_view name, bool shortForm) {
    sink.NameField(name);
    sink.Floats({0.1f, 0.2f, 0.3f, 1.0f});
    sink.Floats({kRed.r, kRed.g, kRed.b, kRed.a});
    sink.Floats({0.5f, 0.5f, 0.5f, 1.0f});
    sink.Floats({0.0f, 0.0f, 0.0f, 1.0f});
    sink.Int(1).Int(3);
    // offset u, v, rotation, flip u, flip v, tile width, height, tile flag,
    // bump flag, bump amplitude; then the seam block of newer files.
    sink.Floats({0.25f, 0.5f, 0.0f}).Int(0).Int(0).Floats({50.0f, 40.0f}).Int(1).Int(0).Float(0);
    if (!shortForm) {
        sink.Int(1).Floats({0.2f, 0.3f}).Int(0x00808080);
    }
}

// A square wall of side 100 written byte by byte from the layout.
std::string MakeWallRecord(const WallRecordValues& values) {
    DesignFileBytes fixed(260);
    fixed.Float(0, 0.0f).Float(4, values.maxY).Double(12, values.number);
    fixed.Floats(20, {values.position[0], values.position[1], values.position[2]});
    fixed.Floats(32, {0.5f, 0.0f, 0.0f});
    fixed.Int(44, 1).Int(48, 1).Int(52, 0).Int(56, 1).Int(60, 0);
    fixed.Floats(64, {0.1f, 0.1f, 0.1f, 1.0f, 0.9f, 0.8f, 0.7f, 1.0f});
    fixed.Floats(96, {0.0f, 0.0f, 0.0f, 1.0f, 0.0f, 0.0f, 0.0f, 1.0f});
    fixed.Floats(128, {1.0f, 2.0f, 3.0f, 0.5f});
    fixed.Int(144, 0x112233).Int(148, 0x445566).Float(152, 12.5f).Float(156, 99.0f);
    fixed.Floats(160, {values.realSize[0], values.realSize[1], values.realSize[2]});
    fixed.Int(172, 2).Int(176, 6).Int(180, 0x0000FF).Int(184, 0).Int(188, 1);

    ByteSink sink;
    sink.Raw(fixed.Str());
    sink.Int(CountOf(values, Count::Outline, 4));
    sink.Floats({0.0f, 0.0f, 0.0f, -100.0f, 100.0f, -100.0f, 100.0f, 0.0f});
    sink.Text("牆-7").Int(0).Int(0).Text("備註");
    sink.Int(CountOf(values, Count::Lights, 1)).Double(3.0);
    sink.Int(CountOf(values, Count::Materials, values.materials));
    for (int i = 0; i < values.materials; ++i) {
        AppendMaterial(sink, i == 1 ? "oak.jpg" : "材質", values.shortMaterials);
    }
    // Legacy arrays that older files filled: skipped whatever they hold.
    sink.Int(CountOf(values, Count::Legacy1, 1)).Zeros(12);
    sink.Int(CountOf(values, Count::Legacy2, 2)).Zeros(8);
    sink.Int(CountOf(values, Count::Legacy3, 0));
    sink.Int(6);
    const bool item = values.faceItem || values.damaged == Count::ItemPoints;
    sink.Int(CountOf(values, Count::Items, item ? 1 : 0));
    if (item) {
        sink.Int(2).Int(1).Int(WallFaceItem::kPolygon).Floats({10.0f, 0.0f, 60.0f, 200.0f});
        sink.Zeros(4).Int(CountOf(values, Count::ItemPoints, 3));
        sink.Floats({10.0f, 0.0f, 60.0f, 0.0f, 35.0f, 200.0f});
        sink.Int(-1).Floats({0.0f, 0.0f}).Int(0);
    }
    sink.Int(1);
    if (values.partCentres) {
        for (int part = 6; part < values.materials; ++part) {
            sink.Floats({static_cast<float>(part), 1.0f, 2.0f});
        }
    }
    return sink.Bytes();
}

// Exposes what a read keeps for the cutting.
class CInspectedWall : public CWallObject {
public:
    const std::vector<std::array<float, 3>>& StoredPartCentres() const {
        return m_storedPartCentres;
    }
    const std::vector<MaterialRecord>& StoredMaterials() const { return m_storedMaterials; }
};

class WallObjectRecordTest : public testing::Test {
protected:
    WallObjectRecordTest() {
        light.SetObjectNumber(3.0);
        scene.lights[3] = &light;
    }

    FakeDocumentServices document;
    VersionedScene scene;
    CTest3DObject light{kLightObjectType};
};

bool SameColour(const gfx::ColorValue& a, const gfx::ColorValue& b) {
    return a.r == b.r && a.g == b.g && a.b == b.b && a.a == b.a;
}

TEST_F(WallObjectRecordTest, HandMadeRecordIsReadFieldByField) {
    CWallObject wall;
    const ReadOutcome outcome = ReadRecordBytes(wall, MakeWallRecord({}));
    ASSERT_EQ(outcome.result, S_OK);
    ASSERT_FALSE(outcome.readerError);
    EXPECT_EQ(outcome.next, kSentinel);

    EXPECT_EQ(wall.GetObjectNumber(), 7.0);
    EXPECT_EQ(wall.GetPosition().x, 100.0f);
    EXPECT_EQ(wall.GetPosition().z, -50.0f);
    EXPECT_FLOAT_EQ(static_cast<float>(wall.GetHeading()), 0.5f);
    EXPECT_EQ(wall.GetMirrorImages(), 1);
    EXPECT_EQ(wall.GetShadow(), 1);
    EXPECT_EQ(wall.GetObjectMaterial().diffuse.g, 0.8f);
    EXPECT_EQ(wall.GetShadowParameters()[3], 0.5f);
    EXPECT_EQ(wall.GetColor(), 0x112233u);
    EXPECT_EQ(wall.GetFillColour(), 0x445566u);
    EXPECT_EQ(wall.GetPrice(), 99.0f);
    EXPECT_EQ(wall.GetFillMode(), 2);
    EXPECT_EQ(wall.GetHatchStyle(), 6);
    EXPECT_EQ(wall.GetHatchColour(), 0x0000FFu);
    EXPECT_EQ(wall.GetPlanSymbolShown(), 0);
    EXPECT_EQ(wall.GetOutline().size(), 4u);
    EXPECT_EQ(wall.GetName(), "牆-7");
    EXPECT_EQ(wall.GetNote(), "備註");
    EXPECT_EQ(wall.GetShadowLights(), std::vector<C3DObject*>{&light});
    // The mirror flag makes the wall reflective.
    EXPECT_EQ(wall.IsMirror(), 1);
    EXPECT_EQ(wall.GetReflective(), 1);

    // The square's extent is 100 by 100 by 280: x is stretched to 200.
    EXPECT_EQ(wall.GetScale(), (std::array<float, 3>{2.0f, 1.0f, 1.0f}));
    EXPECT_EQ(wall.GetBasePartCount(), 6);
    ASSERT_EQ(wall.GetMaterialCount(), 6);
    EXPECT_EQ(wall.GetMaterial(0).power, 12.5f);
    EXPECT_EQ(wall.GetMaterial(5).power, 12.5f);
    EXPECT_TRUE(SameColour(wall.GetMaterial(1).diffuse, kRed));
    EXPECT_EQ(wall.GetMappingRecord(0).tileWidth, 50.0f);
    EXPECT_EQ(wall.GetMappingRecord(0).seam.seamColor, 0x00808080);
    // Only the two stored materials are applied; the other faces keep the
    // default material.
    EXPECT_EQ(wall.GetTextureNames(),
              (std::vector<std::string>{"材質", "oak.jpg", "材質", "材質", "材質", "材質"}));
    EXPECT_TRUE(SameColour(wall.GetMaterial(2).diffuse, GetDefaultMaterial()->diffuse));
}

TEST_F(WallObjectRecordTest, WrittenRecordReadsBackTheSame) {
    CWallObject first;
    ASSERT_EQ(ReadRecordBytes(first, MakeWallRecord({})).result, S_OK);
    const std::string bytes = WriteRecordBytes(first);

    CWallObject second;
    const ReadOutcome outcome = ReadRecordBytes(second, bytes);
    ASSERT_EQ(outcome.result, S_OK);
    EXPECT_EQ(outcome.next, kSentinel);
    EXPECT_EQ(second.GetObjectNumber(), first.GetObjectNumber());
    EXPECT_EQ(second.GetPlacement(), first.GetPlacement());
    EXPECT_EQ(second.GetRealSize(), first.GetRealSize());
    EXPECT_EQ(second.GetScale(), first.GetScale());
    EXPECT_EQ(second.GetOutline(), first.GetOutline());
    EXPECT_EQ(second.GetName(), first.GetName());
    EXPECT_EQ(second.GetNote(), first.GetNote());
    EXPECT_EQ(second.GetShadowLights(), first.GetShadowLights());
    EXPECT_EQ(second.GetTextureNames(), first.GetTextureNames());
    EXPECT_EQ(second.GetFillMode(), first.GetFillMode());
    EXPECT_EQ(second.GetHatchStyle(), first.GetHatchStyle());
    EXPECT_EQ(second.GetPlanSymbolShown(), first.GetPlanSymbolShown());
    EXPECT_EQ(second.IsMirror(), first.IsMirror());
    for (int i = 0; i < first.GetMaterialCount(); ++i) {
        const MaterialRecord a = first.GetMaterialRecord(i);
        const MaterialRecord b = second.GetMaterialRecord(i);
        EXPECT_EQ(std::memcmp(&a, &b, sizeof(MaterialRecord)), 0) << "material " << i;
    }
    EXPECT_EQ(WriteRecordBytes(second), bytes);
}

TEST_F(WallObjectRecordTest, WrittenRecordHasTheFixedLayout) {
    CWallObject wall;
    ASSERT_EQ(ReadRecordBytes(wall, MakeWallRecord({})).result, S_OK);
    const std::string bytes = WriteRecordBytes(wall);
    const std::string handMade = MakeWallRecord({});
    // The fixed block and the outline are written as they were read.
    EXPECT_EQ(bytes.substr(0, 260 + 4 + 32), handMade.substr(0, 260 + 4 + 32));
}

TEST_F(WallObjectRecordTest, Version604RecordHasShortMaterialsAndPartCentres) {
    scene.version = 6.04f;
    WallRecordValues values;
    values.materials = 8;
    values.shortMaterials = true;
    CInspectedWall wall;
    const ReadOutcome outcome = ReadRecordBytes(wall, MakeWallRecord(values));
    ASSERT_EQ(outcome.result, S_OK);
    EXPECT_EQ(outcome.next, kSentinel);
    ASSERT_EQ(wall.StoredMaterials().size(), 8u);
    for (const MaterialRecord& record : wall.StoredMaterials()) {
        EXPECT_EQ(record.mapping.tileHeight, 40.0f);
        EXPECT_EQ(record.mapping.seam.seamFlag, 0);
        EXPECT_EQ(record.mapping.seam.seamColor, 0);
    }
    ASSERT_EQ(wall.StoredPartCentres().size(), 2u);
    EXPECT_EQ(wall.StoredPartCentres()[1], (std::array<float, 3>{7.0f, 1.0f, 2.0f}));
}

TEST_F(WallObjectRecordTest, Version603RecordHasNoPartCentresAndGetsZeroCentresWritten) {
    scene.version = 6.03f;
    WallRecordValues values;
    values.materials = 8;
    values.shortMaterials = true;
    values.partCentres = false;
    CInspectedWall wall;
    const ReadOutcome outcome = ReadRecordBytes(wall, MakeWallRecord(values));
    ASSERT_EQ(outcome.result, S_OK);
    EXPECT_EQ(outcome.next, kSentinel);
    EXPECT_TRUE(wall.StoredPartCentres().empty());

    // Written as this program writes: long materials and a centre for each
    // cut part, which the file did not have.
    scene.version = 6.05f;
    CInspectedWall again;
    const ReadOutcome rewritten = ReadRecordBytes(again, WriteRecordBytes(wall));
    ASSERT_EQ(rewritten.result, S_OK);
    EXPECT_EQ(rewritten.next, kSentinel);
    EXPECT_EQ(again.StoredMaterials().size(), 8u);
    EXPECT_EQ(again.StoredPartCentres(), (std::vector<std::array<float, 3>>(2)));
}

TEST_F(WallObjectRecordTest, DamagedCountsAreRefused) {
    const struct {
        Count count;
        int32_t value;
    } cases[] = {
        {Count::Outline, 0x7FFFFFFF},    {Count::Outline, -1},
        {Count::Lights, 0x10000000},     {Count::Lights, -5},
        {Count::Materials, 4000},        {Count::Materials, -1},
        {Count::Legacy1, 0x7FFFFFFF},    {Count::Legacy1, -1},
        {Count::Legacy2, 1000000},       {Count::Legacy3, -2},
        {Count::Items, 0x7FFFFFFF},      {Count::Items, -1},
        {Count::ItemPoints, 0x40000000}, {Count::ItemPoints, -3},
    };
    for (const auto& c : cases) {
        WallRecordValues values;
        values.damaged = c.count;
        values.damagedValue = c.value;
        CWallObject wall;
        const ReadOutcome outcome = ReadRecordBytes(wall, MakeWallRecord(values));
        EXPECT_TRUE(FAILED(outcome.result)) << static_cast<int>(c.count) << " " << c.value;
        EXPECT_TRUE(outcome.readerError) << static_cast<int>(c.count) << " " << c.value;
    }
}

TEST_F(WallObjectRecordTest, EmptyWallAtOriginIsReadOnlyUpToItsMesh) {
    WallRecordValues values;
    values.number = 0.0;
    values.position = {0.0f, 0.0f, 0.0f};
    CWallObject wall;
    const ReadOutcome outcome = ReadRecordBytes(wall, MakeWallRecord(values));
    ASSERT_EQ(outcome.result, S_OK);
    EXPECT_EQ(outcome.next, kSentinel);
    ASSERT_EQ(wall.GetMaterialCount(), 6);
    EXPECT_FALSE(SameColour(wall.GetMaterial(1).diffuse, kRed));
    EXPECT_EQ(wall.GetScale(), (std::array<float, 3>{1.0f, 1.0f, 1.0f}));
}

TEST_F(WallObjectRecordTest, OpeningsAreCutAndWrittenBack) {
    WallRecordValues values;
    values.faceItem = true;
    CWallObject wall;
    const ReadOutcome outcome = ReadRecordBytes(wall, MakeWallRecord(values));
    ASSERT_EQ(outcome.result, S_OK);
    EXPECT_EQ(outcome.next, kSentinel);
    // The hole goes through the wall: its twin is made on the face across.
    ASSERT_EQ(wall.GetFaceItems().size(), 2u);
    const WallFaceItem& item = *wall.GetFaceItems().front();
    EXPECT_EQ(item.face, 2);
    EXPECT_EQ(item.cutOut, 1);
    EXPECT_EQ(item.outline.size(), 3u);
    EXPECT_EQ(item.twinFace, wall.GetFaceItems().back()->face);
    // One inner face per edge of the hole.
    EXPECT_EQ(wall.GetMaterialCount(), 6 + 3);
    EXPECT_EQ(item.applied, 1);

    // The openings are written back as they were read.
    CWallObject copy;
    ASSERT_EQ(ReadRecordBytes(copy, WriteRecordBytes(wall)).result, S_OK);
    ASSERT_EQ(copy.GetFaceItems().size(), 2u);
    EXPECT_EQ(copy.GetFaceItems().front()->outline, item.outline);
}

TEST_F(WallObjectRecordTest, PartsBeyondTheFacesAreWrittenBack) {
    WallRecordValues values;
    values.materials = 8;
    CInspectedWall wall;
    ASSERT_EQ(ReadRecordBytes(wall, MakeWallRecord(values)).result, S_OK);
    EXPECT_EQ(wall.GetMaterialCount(), 6);

    // The parts the faces do not show keep their materials and centres.
    const std::string written = WriteRecordBytes(wall);
    CInspectedWall again;
    ASSERT_EQ(ReadRecordBytes(again, written).result, S_OK);
    ASSERT_EQ(again.StoredMaterials().size(), 8u);
    for (std::size_t part = 6; part < 8; ++part) {
        EXPECT_EQ(std::memcmp(&again.StoredMaterials()[part], &wall.StoredMaterials()[part],
                              sizeof(MaterialRecord)),
                  0)
            << "part " << part;
    }
    EXPECT_EQ(again.StoredPartCentres(), wall.StoredPartCentres());
    EXPECT_EQ(WriteRecordBytes(again), written);
}

TEST_F(WallObjectRecordTest, AxisWithoutExtentKeepsScaleOne) {
    WallRecordValues values;
    values.maxY = 0.0f;
    values.realSize = {200.0f, 100.0f, 50.0f};
    CWallObject wall;
    ASSERT_EQ(ReadRecordBytes(wall, MakeWallRecord(values)).result, S_OK);
    EXPECT_EQ(wall.GetScale(), (std::array<float, 3>{2.0f, 1.0f, 1.0f}));
    EXPECT_EQ(wall.GetRealSize()[2], 50.0f);
}

}  // namespace

TEST_F(WallObjectRecordTest, SplitPartsReadBackInTheOrderTheyWereSaved) {
    CTestWall wall;
    wall.SetNumber(7);
    ASSERT_EQ(wall.Build(CTestWall::Square(400.0), 280.0f), 1);
    for (const float x : {20.0f, 200.0f}) {
        auto area = std::make_unique<WallFaceItem>(2, 0, WallFaceItem::kRectangle);
        area->SetCorners({x, 20.0f}, {x + 100.0f, 120.0f});
        wall.AddFaceItem(std::move(area));
    }
    ASSERT_EQ(wall.RebuildFace(2), 1);
    wall.MarkOpeningsApplied();
    ASSERT_EQ(wall.GetMaterialCount(), 8);
    wall.TextureNames()[6] = "a.jpg";
    wall.TextureNames()[7] = "b.jpg";
    const std::array<float, 3> first = wall.GetPartCentre(6);
    const std::array<float, 3> second = wall.GetPartCentre(7);
    // Saved in the order B, A.
    wall.SwapParts(6, 7, 1);

    CWallObject read;
    ASSERT_EQ(ReadRecordBytes(read, WriteRecordBytes(wall)).result, S_OK);
    ASSERT_EQ(read.GetMaterialCount(), 8);
    EXPECT_EQ(read.GetTextureNames()[6], "b.jpg");
    EXPECT_EQ(read.GetPartCentre(6), second);
    EXPECT_EQ(read.GetTextureNames()[7], "a.jpg");
    EXPECT_EQ(read.GetPartCentre(7), first);
}

TEST_F(WallObjectRecordTest, AnUncuttableItemIsWrittenBackAsRead) {
    WallRecordValues values;
    values.faceItem = true;
    CWallObject wall;
    std::string record = MakeWallRecord(values);
    // The opening's second point moves to infinity.
    const std::size_t at = record.rfind(std::string("\x00\x00\x70\x42", 4));  // 60.0f
    ASSERT_NE(at, std::string::npos);
    record.replace(at, 4, std::string("\x00\x00\x80\x7f", 4));
    MessageRecorder recorder;
    ASSERT_EQ(ReadRecordBytes(wall, record).result, S_OK);
    EXPECT_EQ(recorder.messages,
              std::vector<std::string>{"無法切割「牆-7」的開口或分割區域, 該面維持原狀."});
    EXPECT_EQ(wall.GetFaceItems().front()->applied, 0);
    // The item keeps its point, and a second read writes the same bytes.
    const std::string written = WriteRecordBytes(wall);
    EXPECT_NE(written.find(std::string("\x00\x00\x80\x7f", 4)), std::string::npos);
    CWallObject again;
    ASSERT_EQ(ReadRecordBytes(again, written).result, S_OK);
    EXPECT_EQ(WriteRecordBytes(again), written);
}

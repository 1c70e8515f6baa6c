#include "objects/Text3DObject.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "FakeDocumentServices.h"
#include "PlainMaterialBytes.h"
#include "SurfaceRecordBytes.h"
#include "Test3DObject.h"
#include "foundation/ApplicationValues.h"
#include "foundation/MeshVertex.h"
#include "objects/ObjectTypeCodes.h"
#include "platform/draw/RecordingDrawContext.h"
#include "platform/gfx/MeshAdjacency.h"
#include "platform/gfx/VectorMath.h"

namespace {

struct MaterialSpec {
    gfx::ColorValue diffuse = {0.8f, 0.6f, 0.4f, 1.0f};
};

struct RecordLayout {
    // The stored text bytes' UTF-8 form; a text of one zero byte reads as "".
    std::string text = "HI";
    std::string name = "文字-12";
    std::array<float, 3> realSize = {60.0f, 3.0f, 20.0f};  // x, z, y
    int32_t planOutline = 1;
    int32_t mirrorMode = 0;
    std::vector<MaterialSpec> materials = {{}};
    bool shortMaterials = false;
};

// A 3D text record laid out by hand field by field.
std::string MakeTextRecord(const RecordLayout& layout) {
    ByteSink sink;
    sink.Int(5).Zeros(20);
    sink.Text(layout.text);
    sink.Float(0.1f);
    // LOGFONT: height, width, escapement, orientation, weight, eight flag
    // bytes, the face name.
    sink.Ints({-24, 0, 0, 0, 700}).Raw(std::string("\0\0\0\1\0\0\0\0", 8));
    sink.Raw("Times New Roman").Zeros(32 - 15);
    sink.Int(0x00112233).Zeros(8);
    sink.Double(12.0);
    sink.Floats({100.0f, 0.0f, -50.0f});
    sink.Floats({layout.realSize[0], layout.realSize[1], layout.realSize[2]});
    sink.Floats({0.25f, 0.0f, 0.0f});
    sink.Int(1).Int(1).Int(0).Int(0).Int(0);
    sink.Floats({0.1f, 0.1f, 0.1f, 1.0f, 0.9f, 0.8f, 0.7f, 1.0f});
    sink.Floats({0.0f, 0.0f, 0.0f, 1.0f, 0.0f, 0.0f, 0.0f, 1.0f});
    sink.Floats({1.0f, 2.0f, 3.0f, 0.5f});
    sink.Float(12.5f).Float(300.0f);
    sink.Int(1).Int(layout.planOutline).Int(0).Int(layout.mirrorMode);
    sink.Zeros(84);
    sink.Text(layout.name).Text("http://example.invalid/text").Int(0).Text("招牌");
    sink.Int(1).Double(3.0);
    sink.Int(static_cast<int32_t>(layout.materials.size()));
    for (const MaterialSpec& material : layout.materials) {
        AppendPlainMaterial(sink, "材質", material.diffuse, layout.shortMaterials);
    }
    return sink.Bytes();
}

class Text3DObjectTest : public testing::Test {
protected:
    Text3DObjectTest() {
        light.SetObjectNumber(3.0);
        scene.lights[3] = &light;
    }

    FakeDocumentServices document;
    VersionedScene scene;
    CTest3DObject light{kLightObjectType};
};

bool AllFinite(const gfx::Matrix& m) {
    for (const auto& row : m.m) {
        for (const float value : row) {
            if (!std::isfinite(value)) {
                return false;
            }
        }
    }
    return true;
}

TEST(Text3DObjectDefaultsTest, NewTextIsHelloWorldInTimesNewRomanWithoutMesh) {
    const CText3DObject text;
    EXPECT_EQ(text.GetType(), kText3DObjectType);
    EXPECT_EQ(text.GetText(), "Hello World!");
    const LogFontRecord& font = text.GetFont();
    EXPECT_STREQ(font.faceName, "Times New Roman");
    EXPECT_EQ(font.height, 20);
    EXPECT_EQ(font.width, 12);
    EXPECT_EQ(font.weight, 100);
    EXPECT_EQ(font.charSet, 1);
    EXPECT_EQ(text.GetPlanOutlineShown(), 1);
    EXPECT_EQ(text.GetMesh(), nullptr);
}

TEST(Text3DObjectDefaultsTest, NameFollowsTheNumber) {
    CText3DObject text;
    text.SetNumber(7);
    EXPECT_EQ(text.GetName(), "文字-7");
    EXPECT_EQ(text.GetObjectNumber(), 7.0);
}

// The mesh of a glyph is a closed solid 0.1 em deep: every edge is shared,
// the faces turn outwards (a positive volume of front area times depth),
// and it stands on the floor around its centre.
TEST(Text3DObjectMeshTest, GlyphMeshIsClosedAndExtrudedOneTenthDeep) {
    for (const char* glyphs : {"I", "O", "B", "許"}) {
        SCOPED_TRACE(glyphs);
        CText3DObject text;
        text.SetText(glyphs);
        text.Rebuild();
        const gfx::Mesh* mesh = text.GetMesh();
        ASSERT_NE(mesh, nullptr);
        EXPECT_EQ(mesh->GetFvf(), 0x112u);
        EXPECT_NEAR(text.GetExtent()[1], 0.1f, 1e-6f);
        EXPECT_GT(text.GetExtent()[0], 0.1f);
        EXPECT_GT(text.GetExtent()[2], 0.3f);
        EXPECT_EQ(text.GetBoxMin().y, 0.0f);
        EXPECT_NEAR(text.GetBoxMin().x + text.GetBoxMax().x, 0.0f, 1e-5f);
        EXPECT_NEAR(text.GetBoxMin().z + text.GetBoxMax().z, 0.0f, 1e-6f);

        std::vector<uint32_t> adjacency;
        ASSERT_EQ(gfx::GenerateAdjacency(*mesh, 0.0f, &adjacency), gfx::kOk);
        int open = 0;
        for (const uint32_t neighbour : adjacency) {
            open += neighbour == gfx::kNoNeighbour ? 1 : 0;
        }
        EXPECT_EQ(open, 0);

        double volume = 0.0;
        double frontArea = 0.0;
        for (uint32_t face = 0; face < mesh->GetNumFaces(); ++face) {
            const std::array<uint32_t, 3> corners = mesh->GetFace(face);
            const gfx::Vector3 a = mesh->GetPosition(corners[0]);
            const gfx::Vector3 b = mesh->GetPosition(corners[1]);
            const gfx::Vector3 c = mesh->GetPosition(corners[2]);
            const gfx::Vector3 normal = gfx::Vec3Cross(b - a, c - a);
            volume += gfx::Vec3Dot(a, gfx::Vec3Cross(b, c)) / 6.0;
            if (normal.z < 0.0f && normal.x == 0.0f && normal.y == 0.0f) {
                frontArea += -normal.z / 2.0;
            }
        }
        EXPECT_GT(frontArea, 0.01);
        EXPECT_NEAR(volume, frontArea * 0.1, frontArea * 0.1 * 1e-3);
        EXPECT_FALSE(text.GetPointRecords().empty());
    }
}

TEST(Text3DObjectMeshTest, TextureRepeatCoversTheHeightAndKeepsTheAspect) {
    CText3DObject text;
    text.SetText("HI");
    text.Rebuild();
    ASSERT_NE(text.GetMesh(), nullptr);
    const float ru = text.GetExtent()[0] / text.GetExtent()[2];
    for (const MeshVertex& v : text.GetMesh()->VerticesAs<MeshVertex>()) {
        EXPECT_GE(v.v, -1e-6f);
        EXPECT_LE(v.v, 1.0f + 1e-6f);
        EXPECT_GE(v.u, -1e-6f);
        EXPECT_LE(v.u, ru + 1e-5f);
        if (v.nz == 1.0f) {
            // The face towards +z sees the text from behind: u runs back.
            EXPECT_NEAR(v.u, ru * (text.GetBoxMax().x - v.x) / text.GetExtent()[0], 1e-5f);
        }
    }
}

TEST(Text3DObjectMeshTest, TextWithoutOutlineHasNoMeshAndKeepsItsExtents) {
    CText3DObject text;
    text.SetText("I");
    text.Rebuild();
    const std::array<float, 3> extent = text.GetExtent();
    for (const char* empty : {"", "   "}) {
        text.SetText(empty);
        text.Rebuild();
        EXPECT_EQ(text.GetMesh(), nullptr) << empty;
        EXPECT_EQ(text.GetExtent(), extent) << empty;
        EXPECT_TRUE(text.GetPointRecords().empty()) << empty;
        EXPECT_EQ(text.GetMaterialCount(), 1) << empty;
    }
}

TEST_F(Text3DObjectTest, HandLaidRecordReadsAndWritesBackByteForByte) {
    const std::string bytes = MakeTextRecord({});
    CText3DObject text;
    const ReadOutcome outcome = ReadRecordBytes(text, bytes);
    ASSERT_EQ(outcome.result, S_OK);
    EXPECT_EQ(outcome.next, kSentinel);

    EXPECT_EQ(text.GetText(), "HI");
    EXPECT_STREQ(text.GetFont().faceName, "Times New Roman");
    EXPECT_EQ(text.GetFont().height, -24);
    EXPECT_EQ(text.GetFont().weight, 700);
    EXPECT_EQ(text.GetFont().charSet, 1);
    EXPECT_EQ(text.GetColor(), 0x00112233u);
    EXPECT_EQ(text.GetObjectNumber(), 12.0);
    EXPECT_EQ(text.GetName(), "文字-12");
    EXPECT_EQ(text.GetNote(), "招牌");
    EXPECT_EQ(text.GetPrice(), 300.0f);
    EXPECT_EQ(text.GetShadowLights(), std::vector<C3DObject*>{&light});
    ASSERT_EQ(text.GetMaterialCount(), 1);
    EXPECT_EQ(text.GetMaterial(0).diffuse.g, 0.6f);
    EXPECT_EQ(text.GetMaterial(0).power, 12.5f);
    ASSERT_NE(text.GetMesh(), nullptr);
    const std::array<float, 3>& extent = text.GetExtent();
    EXPECT_EQ(text.GetScale(),
              (std::array<float, 3>{60.0f / extent[0], 20.0f / extent[2], 3.0f / extent[1]}));

    EXPECT_EQ(WriteRecordBytes(text), bytes);
}

TEST_F(Text3DObjectTest, StoredNameAndPlanOutlineChoiceAreNotKept) {
    RecordLayout layout;
    layout.name = "招牌字";
    layout.planOutline = 0;
    CText3DObject text;
    ASSERT_EQ(ReadRecordBytes(text, MakeTextRecord(layout)).result, S_OK);
    EXPECT_EQ(text.GetName(), "文字-12");
    EXPECT_EQ(text.GetPlanOutlineShown(), 1);
}

// A record may hold more materials than a 3D text has: all are read so the
// file stays in step, the first is applied, none is written past the one.
TEST_F(Text3DObjectTest, RecordWithThreeMaterialsAppliesTheFirstAndStaysInStep) {
    for (const bool shortForm : {false, true}) {
        scene.version = shortForm ? 6.04f : 6.05f;
        RecordLayout layout;
        layout.shortMaterials = shortForm;
        layout.materials = {
            {{1.0f, 0.0f, 0.0f, 0.5f}}, {{0.0f, 1.0f, 0.0f, 1.0f}}, {{0.0f, 0.0f, 1.0f, 1.0f}}};
        CText3DObject text;
        const ReadOutcome outcome = ReadRecordBytes(text, MakeTextRecord(layout));
        ASSERT_EQ(outcome.result, S_OK) << shortForm;
        EXPECT_EQ(outcome.next, kSentinel) << shortForm;
        ASSERT_EQ(text.GetMaterialCount(), 1);
        EXPECT_EQ(text.GetMaterial(0).diffuse.r, 1.0f);
        EXPECT_EQ(text.GetTextureNames(), std::vector<std::string>{"材質"});
        EXPECT_EQ(text.IsTranslucent(), 1);
        scene.version = 6.05f;
        layout.materials.resize(1);
        layout.shortMaterials = false;
        EXPECT_EQ(WriteRecordBytes(text).size(), MakeTextRecord(layout).size());
    }
}

TEST_F(Text3DObjectTest, RecordWithoutMaterialsKeepsTheMatteWhite) {
    RecordLayout layout;
    layout.materials.clear();
    CText3DObject text;
    const ReadOutcome outcome = ReadRecordBytes(text, MakeTextRecord(layout));
    ASSERT_EQ(outcome.result, S_OK);
    EXPECT_EQ(outcome.next, kSentinel);
    ASSERT_EQ(text.GetMaterialCount(), 1);
    EXPECT_EQ(text.GetMaterial(0).diffuse.r, 1.0f);
    EXPECT_EQ(text.GetMaterial(0).power, 12.5f);
    EXPECT_EQ(text.GetTextureNames(), std::vector<std::string>{"材質"});
}

// A text that makes no mesh has no extent: it keeps scale 1 and finite
// bounds instead of infinite scales.
TEST_F(Text3DObjectTest, RecordWhoseTextMakesNoMeshKeepsFiniteScaleAndBounds) {
    for (const char* stored : {"\0", "  "}) {
        RecordLayout layout;
        layout.text = std::string(stored, std::strlen(stored) == 0 ? 1 : std::strlen(stored));
        CText3DObject text;
        const ReadOutcome outcome = ReadRecordBytes(text, MakeTextRecord(layout));
        ASSERT_EQ(outcome.result, S_OK);
        EXPECT_EQ(outcome.next, kSentinel);
        EXPECT_EQ(text.GetMesh(), nullptr);
        EXPECT_EQ(text.GetScale(), (std::array<float, 3>{1.0f, 1.0f, 1.0f}));
        EXPECT_TRUE(AllFinite(text.GetWorldMatrix()));
        const CBoundingBox3D box = text.GetWorldBoundingBox();
        EXPECT_TRUE(std::isfinite(box.minX) && std::isfinite(box.maxY));
        text.UpdatePlanOutline();
        EXPECT_TRUE(text.GetPlanOutline().empty());
    }
}

TEST_F(Text3DObjectTest, MirrorModesMirrorOrTurnTheTextAsRead) {
    struct Case {
        int32_t stored;
        int32_t mode;
        float heading;
    };
    const float turned = 0.25f + GetPi();
    for (const Case& c : {Case{0, 0, 0.25f}, Case{1, 1, 0.25f}, Case{3, 0, turned}}) {
        RecordLayout layout;
        layout.mirrorMode = c.stored;
        layout.text = "L";
        CText3DObject text;
        ASSERT_EQ(ReadRecordBytes(text, MakeTextRecord(layout)).result, S_OK) << c.stored;
        EXPECT_EQ(text.GetMirrorMode(), c.mode) << c.stored;
        EXPECT_EQ(static_cast<float>(text.GetHeading()), c.heading) << c.stored;
        // The L's stem stands on the left unless mirrored along x.
        ASSERT_NE(text.GetMesh(), nullptr);
        double stemX = 0.0;
        int stemCount = 0;
        for (const MeshVertex& v : text.GetMesh()->VerticesAs<MeshVertex>()) {
            if (v.y > text.GetExtent()[2] / 2.0f) {
                stemX += v.x;
                ++stemCount;
            }
        }
        ASSERT_GT(stemCount, 0);
        EXPECT_EQ(stemX / stemCount < 0.0, c.stored != 1) << c.stored;
    }
}

TEST_F(Text3DObjectTest, CopyHasAMeshTextAndFontOfItsOwn) {
    CText3DObject text;
    ASSERT_EQ(ReadRecordBytes(text, MakeTextRecord({})).result, S_OK);
    const std::unique_ptr<CDesignObject> copy = text.Clone();
    const auto& copied = static_cast<const CText3DObject&>(*copy);
    ASSERT_NE(copied.GetMesh(), nullptr);
    EXPECT_NE(copied.GetMesh(), text.GetMesh());
    EXPECT_EQ(copied.GetMesh()->GetNumFaces(), text.GetMesh()->GetNumFaces());
    EXPECT_EQ(copied.GetText(), "HI");
    EXPECT_EQ(copied.GetFont().weight, 700);
    EXPECT_EQ(copied.GetType(), kText3DObjectType);
}

TEST_F(Text3DObjectTest, SnapshotsTellTextFontAndColourChanges) {
    CText3DObject text;
    const CText3DSnapshot before(text);
    EXPECT_TRUE(CText3DSnapshot(text).IsEqual(before));
    text.SetText("改");
    EXPECT_TRUE(CText3DSnapshot(text).IsDifferent(before));
    text.SetText("Hello World!");
    LogFontRecord font = text.GetFont();
    font.italic = 1;
    text.SetFont(font);
    EXPECT_TRUE(CText3DSnapshot(text).IsDifferent(before));
    font.italic = 0;
    text.SetFont(font);
    text.SetColor(0x0000FF);
    EXPECT_TRUE(CText3DSnapshot(text).IsDifferent(before));
}

TEST_F(Text3DObjectTest, PlanShowsTheOutlineOnlyWithBothFlags) {
    CText3DObject text;
    ASSERT_EQ(ReadRecordBytes(text, MakeTextRecord({})).result, S_OK);
    text.UpdatePlanOutline();
    const auto drawnLines = [&text] {
        draw::RecordingDrawContext dc({400, 400}, 96, false);
        text.Draw(dc, draw::R2_COPYPEN);
        return dc.Records().size();
    };
    EXPECT_GT(drawnLines(), 0u);
    text.SetPlanOutlineShown(0);
    EXPECT_EQ(drawnLines(), 0u);
    text.SetPlanOutlineShown(1);
    text.SetPlanSymbolShown(0);
    EXPECT_EQ(drawnLines(), 0u);
}

}  // namespace

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "SurfaceRecordBytes.h"
#include "foundation/ApplicationValues.h"
#include "foundation/Prompt.h"
#include "objects/2DPictureShape.h"
#include "objects/HistoryRecord.h"
#include "objects/LightObject.h"
#include "objects/ObjectSnapshot.h"
#include "objects/ObjectTypeCodes.h"
#include "support/ByteSink.h"
#include "support/TempFolder.h"

namespace {

constexpr const char* kTriangleX =
    "xof 0303txt 0032\n"
    "Mesh {\n 3;\n 0.0;0.0;0.0;,\n 0.0;1.0;0.0;,\n 1.0;0.0;0.0;;\n 1;\n 3;0,1,2;;\n}\n";

struct LightRecordValues {
    int32_t index = 7;
    int32_t typeWord = 2;
    std::string name = "光源-7";
    float heading = 0.0f;
};

// A spot light record laid out field by field. Its direction is the one
// its angles make: a roll alone leaves it along +z (the turn by -heading
// leaves x at -0).
std::string MakeLightRecord(const LightRecordValues& values) {
    ByteSink sink;
    sink.Double(values.index).Int(values.index).Int(values.typeWord);
    sink.Floats({values.heading, 0.0f, 0.125f});       // heading, elevation, roll
    sink.Floats({100.0f, 240.0f, -300.0f});            // position
    sink.Floats({1.0f, 0.9f, 0.8f, 1.0f});             // diffuse
    sink.Floats({0.5f, 0.5f, 0.5f, 1.0f});             // specular
    sink.Floats({0.1f, 0.2f, 0.3f, 1.0f});             // ambient
    sink.Floats({-0.0f, 0.0f, 1.0f});                  // direction
    sink.Floats({500.0f, 1.0f, 1.0f, 0.01f, 0.001f});  // range, falloff, attenuation 0..2
    sink.Floats({0.5f, 1.0f});                         // theta, phi
    sink.Text(values.name);
    return sink.Bytes();
}

// A program folder holding the glyph files given; the shared resources are
// made from it and let go at the end.
class LightObjectTest : public ::testing::Test {
protected:
    void TearDown() override { CLightObject::ReleaseSharedResources(); }

    void InitWithGlyphs(const std::vector<std::string>& glyphFiles) {
        for (const std::string& name : glyphFiles) {
            folder.Write(name, kTriangleX);
        }
        SetProgramFolder(folder.Path());
        CScopedPromptHandlers handlers([this](const MessageRequest& request) {
            messages.push_back(request.text);
            return PromptAnswer::Ok;
        });
        CLightObject::InitSharedResources(nullptr);
    }

    TempFolder folder;
    std::vector<std::string> messages;
};

}  // namespace

TEST_F(LightObjectTest, HandLaidRecordReadsFieldByFieldAndWritesBackTheSameBytes) {
    const std::string record = MakeLightRecord({});
    CLightObject light;
    const ReadOutcome outcome = ReadRecordBytes(light, record);
    ASSERT_EQ(outcome.result, S_OK);
    EXPECT_EQ(outcome.next, kSentinel);

    EXPECT_EQ(light.GetType(), kLightObjectType);
    EXPECT_EQ(light.GetNumber(), 7);
    EXPECT_EQ(light.GetLightType(), 2);
    EXPECT_EQ(light.GetName(), "光源-7");
    EXPECT_FLOAT_EQ(light.GetRoll(), 0.125f);
    const gfx::Light& settings = light.GetLight();
    EXPECT_EQ(settings.diffuse.g, 0.9f);
    EXPECT_EQ(settings.ambient.b, 0.3f);
    EXPECT_EQ(settings.range, 500.0f);
    EXPECT_EQ(settings.attenuation2, 0.001f);
    EXPECT_EQ(settings.phi, 1.0f);
    // The light sits where the object does.
    EXPECT_EQ(settings.position.x, 100.0f);
    EXPECT_EQ(settings.position.y, 240.0f);
    EXPECT_EQ(settings.position.z, -300.0f);

    EXPECT_EQ(WriteRecordBytes(light), record);
}

TEST_F(LightObjectTest, StoredNameIsReadButAlwaysWrittenFromTheNumber) {
    CLightObject light;
    ASSERT_EQ(ReadRecordBytes(light, MakeLightRecord({.index = 3, .name = "檯燈"})).result, S_OK);
    EXPECT_EQ(light.GetName(), "檯燈");
    EXPECT_EQ(WriteRecordBytes(light), MakeLightRecord({.index = 3, .name = "光源-3"}));

    light.SetNumber(12);
    EXPECT_EQ(light.GetName(), "光源-12");
    EXPECT_EQ(light.FormatLightName(), "光源-12");
    EXPECT_EQ(light.GetDescription().rfind("光源-12   位置(", 0), 0u);
}

TEST_F(LightObjectTest, StoredDirectionGivesWayToTheOneOfTheAngles) {
    CLightObject light;
    const float quarterTurn = 1.5707964f;
    ASSERT_EQ(ReadRecordBytes(light, MakeLightRecord({.heading = quarterTurn})).result, S_OK);
    EXPECT_FLOAT_EQ(light.GetHeading(), quarterTurn);
    EXPECT_NEAR(light.GetLight().direction.x, -1.0f, 1e-6f);
    EXPECT_NEAR(light.GetLight().direction.y, 0.0f, 1e-6f);
    EXPECT_NEAR(light.GetLight().direction.z, 0.0f, 1e-6f);
}

TEST_F(LightObjectTest, TypeWordOfTheFloatOneReadsAsAPointLight) {
    const struct {
        int32_t word;
        int type;
    } cases[] = {{0x3F800000, 1}, {1, 1}, {2, 2}, {3, 3}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.word);
        CLightObject light;
        ASSERT_EQ(ReadRecordBytes(light, MakeLightRecord({.typeWord = c.word})).result, S_OK);
        EXPECT_EQ(light.GetLightType(), c.type);
    }
}

TEST_F(LightObjectTest, CutRecordFailsWithTheReaderError) {
    const std::string record = MakeLightRecord({});
    // 132 keeps the name's length but not its bytes.
    for (const std::size_t length : {std::size_t{40}, std::size_t{132}}) {
        SCOPED_TRACE(length);
        CLightObject light;
        const ReadOutcome outcome = ReadRecordBytes(light, record.substr(0, length));
        EXPECT_TRUE(outcome.readerError || outcome.result != S_OK);
    }
}

TEST_F(LightObjectTest, UnturnedLightPointsAlongZAndFollowsItsObject) {
    CLightObject light;
    light.SetLightType(3);
    light.SetPosition(10.0f, 20.0f, 30.0f);
    light.UpdateLight();
    EXPECT_EQ(light.GetLight().direction.x, 0.0f);
    EXPECT_EQ(light.GetLight().direction.y, 0.0f);
    EXPECT_EQ(light.GetLight().direction.z, 1.0f);
    EXPECT_EQ(light.GetLight().position.y, 20.0f);

    light.SetSelected(1);
    light.MoveInPlan(5.0, 0.0);
    EXPECT_EQ(light.GetLight().position.x, light.GetPosition().x);
}

TEST_F(LightObjectTest, MissingGlyphFilesAreReportedAndTheirLightsWorkWithoutAGlyph) {
    InitWithGlyphs({"point.x"});
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_NE(messages[0].find("找不到模型檔："), std::string::npos);
    EXPECT_NE(messages[0].find("sptlight.x"), std::string::npos);
    EXPECT_NE(messages[1].find("DIRLIGHT.x"), std::string::npos);

    CLightObject point;
    EXPECT_NE(point.GetMesh(), nullptr);
    EXPECT_EQ(point.GetMesh(), CLightObject::GetGlyph(1));

    CLightObject spot;
    const std::string record = MakeLightRecord({.typeWord = 2});
    ASSERT_EQ(ReadRecordBytes(spot, record).result, S_OK);
    EXPECT_EQ(spot.GetMesh(), nullptr);
    EXPECT_EQ(spot.GetLightType(), 2);
    EXPECT_EQ(WriteRecordBytes(spot), record);

    // A second start-up call changes nothing.
    messages.clear();
    CLightObject::InitSharedResources(nullptr);
    EXPECT_TRUE(messages.empty());
}

TEST_F(LightObjectTest, ChangingTheTypeChangesTheGlyphAndThePlanIcon) {
    InitWithGlyphs({"point.x", "sptlight.x", "DIRLIGHT.x"});
    ASSERT_TRUE(messages.empty());
    CLightObject light;
    light.RebuildPlanIcon();
    ASSERT_NE(light.GetPlanIcon(), nullptr);
    EXPECT_NE(light.GetPlanIcon()->GetSourcePath().find("L1.dxf"), std::string::npos);
    EXPECT_EQ(light.GetPlanIcon()->GetOwnerObject(), &light);
    EXPECT_EQ(light.GetPlanIcon()->GetWidth(), 20);

    light.SetLightType(3);
    light.RebuildPlanIcon();
    EXPECT_EQ(light.GetMesh(), CLightObject::GetGlyph(3));
    EXPECT_NE(light.GetPlanIcon()->GetSourcePath().find("L3.dxf"), std::string::npos);

    // Other types keep the glyph they have and get no icon.
    light.SetLightType(9);
    light.RebuildPlanIcon();
    EXPECT_EQ(light.GetMesh(), CLightObject::GetGlyph(3));
    EXPECT_EQ(light.GetPlanIcon(), nullptr);
}

TEST_F(LightObjectTest, CopiesShareTheGlyphAndDeletingOneKeepsIt) {
    InitWithGlyphs({"point.x", "sptlight.x", "DIRLIGHT.x"});
    CLightObject light;
    light.SetLightType(2);
    light.SetNumber(4);
    {
        std::unique_ptr<CDesignObject> copy = light.Clone();
        auto* copied = static_cast<CLightObject*>(copy.get());
        EXPECT_EQ(copied->GetMesh(), CLightObject::GetGlyph(2));
        EXPECT_EQ(copied->GetNumber(), 4);
        EXPECT_EQ(copied->GetLightType(), 2);
    }
    ASSERT_EQ(light.GetMesh(), CLightObject::GetGlyph(2));
    EXPECT_EQ(light.GetMesh()->GetNumFaces(), 1u);
}

TEST_F(LightObjectTest, LightSettingsEditsAreRecordedAndUndone) {
    InitWithGlyphs({"point.x", "sptlight.x", "DIRLIGHT.x"});
    CLightObject light;
    light.LightSettings().range = 300.0f;
    auto recordEdit = [&light](auto edit) {
        std::vector<std::unique_ptr<HistoryRecord>> pending;
        light.PushUndoSnapshot(pending, 0, 1, kLightObjectType);
        edit();
        std::vector<std::unique_ptr<HistoryRecord>> list;
        light.CommitUndoSnapshot(list, std::move(pending.back()), 1);
        return list;
    };
    EXPECT_TRUE(recordEdit([&light] { light.LightSettings().range = 300.0f; }).empty());
    auto list = recordEdit([&light] {
        light.LightSettings().range = 800.0f;
        light.SetLightType(2);
    });
    ASSERT_EQ(list.size(), 1u);
    const auto& before = *std::get<std::unique_ptr<CObjectSnapshot>>(list[0]->before);

    light.RestoreMaterialsFromSnapshot(before);
    EXPECT_EQ(light.GetLight().range, 300.0f);
    light.SetLightType(2);
    light.RestoreTransformFromSnapshot(before);
    EXPECT_EQ(light.GetLightType(), 1);
    EXPECT_EQ(light.GetMesh(), CLightObject::GetGlyph(1));
}
